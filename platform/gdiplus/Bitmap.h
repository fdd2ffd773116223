#pragma once

#include <cstddef>
#include <memory>

#include <QImage>
#include <QRect>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

// An image in memory: pixels plus the pixel format the picture came in (a GIF stays
// 8bpp indexed, a JPEG 24bpp RGB), so a re-encode can keep its own format.
// 32bpp ARGB is QImage::Format_ARGB32: straight alpha, blue-green-red-alpha in memory.
class Bitmap {
 public:
  // A new bitmap cleared to transparent black; nullptr for sizes that are empty or too big.
  static std::unique_ptr<Bitmap> Create(int width, int height, PixelFormat format = PixelFormat32bppARGB);
  // Adopts decoded pixels; nullptr for a null image.
  static std::unique_ptr<Bitmap> FromImage(QImage image, PixelFormat sourceFormat);

  int Width() const { return m_image.width(); }
  int Height() const { return m_image.height(); }
  PixelFormat GetPixelFormat() const { return m_format; }

  const QImage& Image() const { return m_image; }
  QImage& Image() { return m_image; }

  // The colour table of an indexed source, kept when its pixels are drawn into 32 bits so
  // that a save can write them back with the same table. A palette picture's own table.
  const QList<QRgb>& SourcePalette() const { return m_sourcePalette; }
  void SetSourcePalette(QList<QRgb> palette) { m_sourcePalette = std::move(palette); }

  std::unique_ptr<Bitmap> Clone() const;
  // A copy of an area; nullptr when the area is empty or reaches outside the bitmap.
  std::unique_ptr<Bitmap> CloneArea(const QRect& area, PixelFormat format = PixelFormat32bppARGB) const;

  // Locks with a caller's buffer, in 32bpp ARGB. The stride may be negative: the first
  // row then lies at the highest address, as in a bottom-up DIB. The buffer must hold
  // |stride| bytes for each row of the area, at least area.width() * 4 of them used.
  Status ReadPixels(const QRect& area, std::byte* firstRow, std::ptrdiff_t stride) const;
  Status WritePixels(const QRect& area, const std::byte* firstRow, std::ptrdiff_t stride);

 private:
  Bitmap(QImage image, PixelFormat format) : m_image(std::move(image)), m_format(format) {}

  QImage m_image;
  PixelFormat m_format;
  QList<QRgb> m_sourcePalette;
};

// The QImage format a bitmap of this pixel format is stored in.
QImage::Format StorageFormatFor(PixelFormat format);
// The pixel format that best describes a decoded QImage.
PixelFormat PixelFormatOf(const QImage& image);

}  // namespace Gdip
