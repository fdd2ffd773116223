#include "platform/gdiplus/BmpCodec.h"

#include <limits>

#include "platform/gdiplus/IndexedPicture.h"
#include "platform/gdiplus/LittleEndian.h"

namespace Gdip::BmpCodec {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;

bool DepthIsWritable(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32; }

// Palette depths get the whole table the depth indexes, unused entries black: readers
// that size the table by its count of entries, not by the depth, would otherwise take an
// 8-bit file with a 2-entry table for a 1-bit one.
std::size_t TableEntries(const DibRows& rows) { return rows.BitsPerPixel <= 8 ? std::size_t{1} << rows.BitsPerPixel : 0; }

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

QByteArray EncodeBmp(const QImage& image) {
  const QByteArray dib = EncodePictureDib(image);
  return dib.isEmpty() ? QByteArray() : WithFileHeader(Head(dib, kInfoHeaderSize), Tail(dib, kInfoHeaderSize));
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
