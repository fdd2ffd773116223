#include "platform/gdiplus/BmpCodec.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include <QBuffer>

#include "platform/gdiplus/IndexedPicture.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/ParallelRows.h"

namespace Gdip::BmpCodec {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
// The pixels of a large picture go to the device in bands of about this size.
constexpr std::size_t kBandBytes = std::size_t{4} << 20;

bool WriteAll(QIODevice& device, const QByteArray& bytes) { return device.write(bytes) == bytes.size(); }

bool DepthIsWritable(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32; }

// Palette depths get the whole table the depth indexes, unused entries black: readers
// that size the table by its count of entries, not by the depth, would otherwise take an
// 8-bit file with a 2-entry table for a 1-bit one.
std::size_t TableEntries(const DibRows& rows) { return rows.BitsPerPixel <= 8 ? std::size_t{1} << rows.BitsPerPixel : 0; }

// The file header of a BMP whose info block (header and colour table) and pixels have
// these sizes.
QByteArray FileHeader(std::size_t infoBytes, std::size_t bitsBytes) {
  QByteArray file;
  LeWriter w(file);
  w.U8('B');
  w.U8('M');
  w.U32(static_cast<std::uint32_t>(kFileHeaderSize + infoBytes + bitsBytes));
  w.U32(0);
  w.U32(static_cast<std::uint32_t>(kFileHeaderSize + infoBytes));
  return file;
}

// A BMP file made of a DIB's info block (header and colour table) and its pixels.
QByteArray WithFileHeader(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
  QByteArray file = FileHeader(info.size(), bits.size());
  file.reserve(static_cast<qsizetype>(kFileHeaderSize + info.size() + bits.size()));
  LeWriter w(file);
  w.Bytes(info);
  w.Bytes(bits);
  return file;
}

// The pixel bytes of a DIB of that size and depth; empty when a file cannot hold them.
std::optional<std::size_t> ImageBytes(const DibRows& rows) {
  if (rows.Width <= 0 || rows.Height <= 0 || !DepthIsWritable(rows.BitsPerPixel)) {
    return std::nullopt;
  }
  const std::size_t bytes = DibRowBytes(rows.Width, rows.BitsPerPixel) * std::size_t(rows.Height);
  if (bytes > std::size_t(std::numeric_limits<std::int32_t>::max()) - 4096) {
    return std::nullopt;
  }
  return bytes;
}

// The info header and colour table: what comes before a DIB's pixels.
QByteArray InfoBlock(const DibRows& rows, std::size_t imageBytes) {
  const std::size_t colours = TableEntries(rows);
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
    w.U32(i < rows.Palette.size() ? rows.Palette[i] & 0x00FFFFFFu : 0);
  }
  return out;
}

// One stored row of a 32-bit picture: its pixels as they are (blue first in memory), or
// without their alpha bytes for 24 bits.
void StoreRow(const QRgb* pixels, int width, bool alpha, std::uint8_t* out) {
  if (alpha) {
    std::memcpy(out, pixels, std::size_t(width) * 4);
    return;
  }
  for (int x = 0; x < width; ++x) {
    out[0] = std::uint8_t(qBlue(pixels[x]));
    out[1] = std::uint8_t(qGreen(pixels[x]));
    out[2] = std::uint8_t(qRed(pixels[x]));
    out += 3;
  }
}

std::span<const std::uint8_t> Head(const QByteArray& dib, std::size_t n) { return AsBytes(dib).first(n); }
std::span<const std::uint8_t> Tail(const QByteArray& dib, std::size_t n) { return AsBytes(dib).subspan(n); }

}  // namespace

QByteArray EncodeDib(const DibRows& rows) {
  const std::optional<std::size_t> imageBytes = rows.FirstStoredRow != nullptr ? ImageBytes(rows) : std::nullopt;
  if (!imageBytes) {
    return {};
  }
  const std::size_t rowBytes = DibRowBytes(rows.Width, rows.BitsPerPixel);
  QByteArray out = InfoBlock(rows, *imageBytes);
  LeWriter w(out);
  // Only the pixels are copied: a source row's padding may hold bytes nobody wrote.
  const std::size_t usedBytes = (std::size_t(rows.Width) * std::size_t(rows.BitsPerPixel) + 7) / 8;
  for (int i = 0; i < rows.Height; ++i) {
    w.Bytes({rows.FirstStoredRow + i * rows.Stride, usedBytes});
    w.Zeros(rowBytes - usedBytes);
  }
  return out;
}

QByteArray EncodeBmpFile(const DibRows& rows) {
  const QByteArray dib = EncodeDib(rows);
  if (dib.isEmpty()) {
    return {};
  }
  const std::size_t infoSize = kInfoHeaderSize + TableEntries(rows) * 4;
  return WithFileHeader(Head(dib, infoSize), Tail(dib, infoSize));
}

QByteArray EncodePictureDib(const QImage& image) {
  if (image.isNull()) {
    return {};
  }
  const bool alpha = image.hasAlphaChannel();
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

bool WriteBmp(const QImage& image, QIODevice& device) {
  const bool alpha = image.hasAlphaChannel();
  const QImage::Format layout = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
  const QImage pixels = image.format() == layout ? image : image.convertToFormat(layout);
  DibRows rows;
  rows.Width = pixels.width();
  rows.Height = pixels.height();
  rows.BitsPerPixel = alpha ? 32 : 24;
  const std::optional<std::size_t> imageBytes = pixels.isNull() ? std::nullopt : ImageBytes(rows);
  if (!imageBytes) {
    return false;
  }
  const QByteArray info = InfoBlock(rows, *imageBytes);
  if (!WriteAll(device, FileHeader(std::size_t(info.size()), *imageBytes) + info)) {
    return false;
  }
  // A few MB of rows at a time, bottom row first; the padding bytes stay zero.
  const std::size_t rowBytes = DibRowBytes(rows.Width, rows.BitsPerPixel);
  const int bandRows = int(std::clamp<std::size_t>(kBandBytes / rowBytes, 1, std::size_t(rows.Height)));
  std::vector<std::uint8_t> band(rowBytes * std::size_t(bandRows));
  const uchar* const bits = pixels.constBits();
  const std::size_t stride = std::size_t(pixels.bytesPerLine());
  for (int stored = 0; stored < rows.Height; stored += bandRows) {
    const int count = std::min(bandRows, rows.Height - stored);
    Threads::ParallelRows(0, count - 1, [&](int first, int last) {
      for (int i = first; i <= last; ++i) {
        const int y = rows.Height - 1 - (stored + i);
        StoreRow(reinterpret_cast<const QRgb*>(bits + std::size_t(y) * stride), rows.Width, alpha,
                 band.data() + std::size_t(i) * rowBytes);
      }
    });
    if (device.write(reinterpret_cast<const char*>(band.data()), qint64(rowBytes) * count) != qint64(rowBytes) * count) {
      return false;
    }
  }
  return true;
}

QByteArray EncodeBmp(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  return WriteBmp(image, buffer) ? buffer.data() : QByteArray();
}

QByteArray EncodeIndexed(const IndexedPicture& picture) {
  DibRows rows;
  rows.Width = picture.Width;
  rows.Height = picture.Height;
  rows.BitsPerPixel = picture.Depth;
  rows.FirstStoredRow = picture.Rows.data() + std::size_t(picture.Height - 1) * picture.RowBytes();
  rows.Stride = -std::ptrdiff_t(picture.RowBytes());
  rows.Palette = {picture.Palette.constData(), std::size_t(picture.Palette.size())};
  return EncodeBmpFile(rows);
}

}  // namespace Gdip::BmpCodec
