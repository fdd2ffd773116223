#include "platform/gdiplus/BmpCodec.h"

#include <cstring>
#include <limits>

#include <QBuffer>
#include <QImageReader>

#include "platform/gdiplus/LittleEndian.h"

namespace Gdip::BmpCodec {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;

bool DepthIsWritable(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32; }

// A BMP file made of a DIB's info block (header and colour table) and its pixels.
QByteArray WithFileHeader(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
  QByteArray file;
  file.reserve(static_cast<qsizetype>(kFileHeaderSize + info.size() + bits.size()));
  LeWriter w(file);
  w.U8('B');
  w.U8('M');
  w.U32(static_cast<std::uint32_t>(kFileHeaderSize + info.size() + bits.size()));
  w.U32(0);
  w.U32(static_cast<std::uint32_t>(kFileHeaderSize + info.size()));
  w.Bytes(info);
  w.Bytes(bits);
  return file;
}

std::span<const std::uint8_t> Head(const QByteArray& dib, std::size_t n) { return AsBytes(dib).first(n); }
std::span<const std::uint8_t> Tail(const QByteArray& dib, std::size_t n) { return AsBytes(dib).subspan(n); }

// A plain 32-bit file: its fourth bytes are alpha unless every one of them is 0, which
// is how writers that knew nothing of alpha left them.
QImage DecodeRgb32(const LeReader& in, std::size_t bitsOffset, int width, int height, bool topDown) {
  const std::size_t rowBytes = DibRowBytes(width, 32);
  const auto bits = in.Bytes(bitsOffset, rowBytes * std::size_t(height));
  if (bits.empty()) {
    return {};
  }
  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) {
    return {};
  }
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const int stored = topDown ? y : height - 1 - y;
    const std::uint8_t* src = bits.data() + std::size_t(stored) * rowBytes;
    std::memcpy(image.scanLine(y), src, std::size_t(width) * 4);
    for (int x = 0; x < width && !anyAlpha; ++x) {
      anyAlpha = src[x * 4 + 3] != 0;
    }
  }
  if (!anyAlpha) {
    image.reinterpretAsFormat(QImage::Format_RGB32);
  }
  return image;
}

// Qt's reader fills the missing rows of a short uncompressed file instead of failing;
// a picture that is not all there must not be shown as whole.
bool UncompressedBitsComplete(const LeReader& in, std::size_t bitsOffset, int width, int height, int bpp,
                              std::uint32_t compression) {
  constexpr std::uint32_t kBiBitfields = 3;
  if (compression != kBiRgb && compression != kBiBitfields) {
    return true;
  }
  const std::size_t needed = DibRowBytes(width, bpp) * std::size_t(height);
  return bitsOffset <= in.Size() && needed <= in.Size() - bitsOffset;
}

QImage DecodeWithQt(std::span<const std::uint8_t> file) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "bmp");
  QImage image;
  return reader.read(&image) ? image : QImage();
}

}  // namespace

QByteArray EncodeDib(const DibRows& rows) {
  if (rows.Width <= 0 || rows.Height <= 0 || rows.FirstStoredRow == nullptr || !DepthIsWritable(rows.BitsPerPixel)) {
    return {};
  }
  const std::size_t rowBytes = DibRowBytes(rows.Width, rows.BitsPerPixel);
  const std::size_t imageBytes = rowBytes * std::size_t(rows.Height);
  if (imageBytes > std::size_t(std::numeric_limits<std::int32_t>::max()) - 4096) {
    return {};
  }
  const std::size_t colours = rows.BitsPerPixel <= 8 ? rows.Palette.size() : 0;
  QByteArray out;
  out.reserve(static_cast<qsizetype>(kInfoHeaderSize + colours * 4 + imageBytes));
  LeWriter w(out);
  w.U32(kInfoHeaderSize);
  w.I32(rows.Width);
  w.I32(rows.Height);
  w.U16(1);
  w.U16(static_cast<std::uint16_t>(rows.BitsPerPixel));
  w.U32(kBiRgb);
  w.U32(static_cast<std::uint32_t>(imageBytes));
  w.I32(3780);  // 96 dots per inch, in dots per metre
  w.I32(3780);
  w.U32(static_cast<std::uint32_t>(colours));
  w.U32(0);
  for (std::size_t i = 0; i < colours; ++i) {
    w.U32(rows.Palette[i] & 0x00FFFFFFu);
  }
  for (int i = 0; i < rows.Height; ++i) {
    w.Bytes({rows.FirstStoredRow + i * rows.Stride, rowBytes});
  }
  return out;
}

QByteArray EncodeBmpFile(const DibRows& rows) {
  const QByteArray dib = EncodeDib(rows);
  if (dib.isEmpty()) {
    return {};
  }
  const std::size_t infoSize = kInfoHeaderSize + (rows.BitsPerPixel <= 8 ? rows.Palette.size() * 4 : 0);
  return WithFileHeader(Head(dib, infoSize), Tail(dib, infoSize));
}

QByteArray EncodePictureDib(const QImage& image) {
  if (image.isNull()) {
    return {};
  }
  const bool alpha = image.hasAlphaChannel();
  // Qt rows are already padded to whole words, so they are stored rows as they stand.
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_BGR888);
  if (pixels.isNull()) {
    return {};
  }
  DibRows rows;
  rows.Width = pixels.width();
  rows.Height = pixels.height();
  rows.BitsPerPixel = alpha ? 32 : 24;
  rows.FirstStoredRow = pixels.constScanLine(pixels.height() - 1);
  rows.Stride = -std::ptrdiff_t(pixels.bytesPerLine());
  return EncodeDib(rows);
}

QByteArray EncodeBmp(const QImage& image) {
  const QByteArray dib = EncodePictureDib(image);
  return dib.isEmpty() ? QByteArray() : WithFileHeader(Head(dib, kInfoHeaderSize), Tail(dib, kInfoHeaderSize));
}

QImage DecodeBmp(std::span<const std::uint8_t> file) {
  const LeReader in(file);
  if (in.U8(0) != 'B' || in.U8(1) != 'M') {
    return {};
  }
  const std::size_t bitsOffset = in.U32(10);
  const std::uint32_t infoSize = in.U32(kFileHeaderSize);
  if (!in.Ok()) {
    return {};
  }
  if (infoSize < kInfoHeaderSize) {
    return DecodeWithQt(file);  // the old OS/2 layout
  }
  const std::int32_t width = in.I32(18);
  const std::int32_t rawHeight = in.I32(22);
  const int bpp = in.U16(28);
  const std::uint32_t compression = in.U32(30);
  if (!in.Ok() || width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min()) {
    return {};
  }
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (std::int64_t{width} * height > (std::int64_t{1} << 29)) {
    return {};
  }
  if (!UncompressedBitsComplete(in, bitsOffset, width, height, bpp, compression)) {
    return {};
  }
  if (bpp == 32 && compression == kBiRgb) {
    return DecodeRgb32(in, bitsOffset, width, height, rawHeight < 0);
  }
  return DecodeWithQt(file);
}

QImage DecodeDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
  if (info.size() < kInfoHeaderSize) {
    return {};
  }
  return DecodeBmp(AsBytes(WithFileHeader(info, bits)));
}

QImage DecodePackedDib(std::span<const std::uint8_t> packed) {
  const LeReader in(packed);
  const std::uint32_t headerSize = in.U32(0);
  const int bpp = in.U16(14);
  const std::uint32_t compression = in.U32(16);
  const std::uint32_t used = in.U32(32);
  if (!in.Ok() || headerSize < kInfoHeaderSize || headerSize > packed.size()) {
    return {};
  }
  constexpr std::uint32_t kBiBitfields = 3;
  constexpr std::uint32_t kBiAlphaBitfields = 6;
  std::size_t tableBytes = bpp <= 8 ? std::size_t(used != 0 ? std::min<std::uint32_t>(used, 256) : 1u << bpp) * 4 : 0;
  if (headerSize == kInfoHeaderSize && compression == kBiBitfields) {
    tableBytes += 12;
  } else if (headerSize == kInfoHeaderSize && compression == kBiAlphaBitfields) {
    tableBytes += 16;
  }
  const std::size_t infoBytes = std::min(packed.size(), headerSize + tableBytes);
  return DecodeDib(packed.first(infoBytes), packed.subspan(infoBytes));
}

}  // namespace Gdip::BmpCodec
