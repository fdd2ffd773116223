#pragma once
// Our own BMP writer and reader (the reader is in BmpDecoder.cpp). Qt's writer turns a
// 32-bit picture into a 24-bit file, and its reader ignores the alpha bytes of a plain
// 32-bit file and leaves skipped or missing pixels undefined.

#include <cstddef>
#include <cstdint>
#include <span>

#include <QByteArray>
#include <QImage>
#include <QSize>

class QIODevice;

namespace Gdip {
struct IndexedPicture;
}

namespace Gdip::BmpCodec {

// Device-independent rows as they are stored: Height rows, the bottom picture row
// first, each at FirstStoredRow + i * Stride (a negative stride walks a top-down buffer).
struct DibRows {
  int Width = 0;
  int Height = 0;
  int BitsPerPixel = 32;  // 1, 4, 8, 24 or 32
  const std::uint8_t* FirstStoredRow = nullptr;
  std::ptrdiff_t Stride = 0;
  std::span<const std::uint32_t> Palette;  // colour table entries, blue in the lowest byte
};

inline constexpr std::size_t kInfoHeaderSize = 40;

// Bytes per stored row: whole 32-bit words.
constexpr std::size_t DibRowBytes(int width, int bitsPerPixel) {
  return ((std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32) * 4;
}

// The info header, colour table and pixels: the body that BMP files and the bitmap
// records of metafiles share. Empty for an unusable size or depth.
QByteArray EncodeDib(const DibRows& rows);
// A complete BMP file (file header + EncodeDib); empty on failure.
QByteArray EncodeBmpFile(const DibRows& rows);
// A picture as a DIB without colour table: 32 bits per pixel with its alpha where it
// has an alpha channel, 24 bits otherwise. Empty on failure.
QByteArray EncodePictureDib(const QImage& image);
// The same picture as a BMP file, written onto the device a few MB of rows at a time,
// each band's rows converted on every core: no copy of the whole picture is made.
// False when the device takes fewer bytes than it is given or the picture is too large.
bool WriteBmp(const QImage& image, QIODevice& device);
// The same file in memory.
QByteArray EncodeBmp(const QImage& image);
// A palette picture as a BMP file at its own depth with its colour table.
QByteArray EncodeIndexed(const IndexedPicture& picture);

// Decodes a BMP file of any depth (1 to 32 bits), uncompressed, run-length or bit-field
// coded, with the Windows or the old OS/2 headers. Palette pictures come back as 8-bit
// indexes with a 256-entry table. A run-length picture comes back at reducedTo instead,
// reduced as it is decoded, when that size is smaller on both sides (as ReducedRows
// reduces); the other layouts always come back whole. A null image when the file is
// unreadable, of a layout we do not read, or shorter than its pixels need.
QImage DecodeBmp(std::span<const std::uint8_t> file, QSize reducedTo = {});
// The picture's size as a BMP file's info header gives it; empty when the header is not
// one we read.
QSize PictureSize(std::span<const std::uint8_t> file);
// Decodes a packed DIB (info header with colour table, then pixels) as metafiles hold it.
QImage DecodeDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);
// The same from one block where the pixels follow the colour table directly.
QImage DecodePackedDib(std::span<const std::uint8_t> packed);

}  // namespace Gdip::BmpCodec
