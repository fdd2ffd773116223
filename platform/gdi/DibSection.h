#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QImage>

namespace Gdi {

// A device-independent bitmap in memory: rows stored bottom-up (the first stored row
// is the picture's bottom row), each padded to a multiple of 4 bytes, at 1, 4, 8, 24
// or 32 bits per pixel. 1-, 4- and 8-bit sections carry a colour table of 2^bpp
// entries, each blue, green, red, 0.
class DibSection {
 public:
  // nullptr for a depth other than 1, 4, 8, 24, 32, a side of zero or less, or a size
  // that does not fit in 31 bits.
  static std::unique_ptr<DibSection> Create(int width, int height, int bitsPerPixel);

  // ((width * bpp + 31) / 32) * 4, or -1 when that overflows.
  static std::int64_t StrideFor(std::int64_t width, int bitsPerPixel);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BitsPerPixel() const { return m_bpp; }
  int Stride() const { return m_stride; }
  int SizeBytes() const { return static_cast<int>(m_bits.size()); }

  std::uint8_t* Bits() { return m_bits.data(); }
  const std::uint8_t* Bits() const { return m_bits.data(); }
  // The stored row index of a picture row counted from the top.
  int StoredRowOf(int pictureRow) const { return m_height - 1 - pictureRow; }

  // 2^bpp entries of 4 bytes for indexed depths, empty otherwise.
  std::span<std::uint8_t> ColorTable() { return m_colorTable; }
  std::span<const std::uint8_t> ColorTable() const { return m_colorTable; }
  // The colour table as Qt colours (opaque), 2^bpp entries; empty at 24 and 32 bits.
  QList<QRgb> ColorTableRgb() const;

  // A QImage over the section's own memory, rows in stored (bottom-up) order: 1 bit as
  // Mono, 8 bits as Indexed8, 24 bits as BGR888, 32 bits as ARGB32. Null at 4 bits,
  // which Qt has no format for. Draw on it through a y-flip (Gdip::Graphics::FromSurface
  // with bottomUp) so picture coordinates stay upright; indexed views cannot be drawn on.
  QImage View();
  // The same, read-only: writing to it detaches a copy.
  QImage View() const;

 private:
  DibSection(int width, int height, int bpp, int stride);
  QImage::Format ViewFormat() const;

  int m_width;
  int m_height;
  int m_bpp;
  int m_stride;
  std::vector<std::uint8_t> m_bits;
  std::vector<std::uint8_t> m_colorTable;
};

}  // namespace Gdi
