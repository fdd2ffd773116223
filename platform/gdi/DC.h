#pragma once

#include <cstdint>
#include <memory>

#include <QImage>
#include <QPoint>
#include <QRect>

namespace Gdi {

class DibSection;

// An RGB colour reference: red in the lowest byte, then green, then blue.
using COLORREF = std::uint32_t;

inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

enum StretchBltMode { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// A device context: a surface that the block copies and fills draw on and read from,
// in upright picture coordinates whatever the surface's row order.
class DC {
 public:
  virtual ~DC() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // An upright ARGB32 copy of an area; parts outside the surface read as black.
  virtual QImage Read(const QRect& area) const = 0;
  // Writes an upright picture with its top-left corner at a point, clipped to the surface.
  virtual void Write(const QPoint& at, const QImage& picture) = 0;

  int GetStretchBltMode() const { return m_stretchMode; }
  // Returns the previous mode.
  int SetStretchBltMode(int mode);

 private:
  int m_stretchMode = BLACKONWHITE;
};

// A context over an image that the caller owns (a back buffer or picture box).
class ImageDC final : public DC {
 public:
  explicit ImageDC(QImage& surface) : m_surface(surface) {}
  int Width() const override { return m_surface.width(); }
  int Height() const override { return m_surface.height(); }
  QImage Read(const QRect& area) const override;
  void Write(const QPoint& at, const QImage& picture) override;
  QImage& Surface() { return m_surface; }

 private:
  QImage& m_surface;
};

// The memory context a DIB section is selected into.
class DibDC final : public DC {
 public:
  explicit DibDC(DibSection& dib) : m_dib(dib) {}
  int Width() const override;
  int Height() const override;
  QImage Read(const QRect& area) const override;
  void Write(const QPoint& at, const QImage& picture) override;
  DibSection& Dib() { return m_dib; }

 private:
  DibSection& m_dib;
};

// Copies a w x h block; returns non-zero on success, 0 when nothing was copied.
int BitBlt(DC& destination, int x, int y, int width, int height, const DC& source, int xSource, int ySource,
           std::uint32_t rop);
// Copies with scaling; halftone mode scales smoothly, the others take the nearest pixel.
int StretchBlt(DC& destination, int x, int y, int width, int height, const DC& source, int xSource, int ySource,
               int widthSource, int heightSource, std::uint32_t rop);
// Fills an area with a solid colour (the fourth byte of a 32-bit DIB pixel becomes 255).
bool FillRect(DC& dc, const QRect& area, COLORREF color);

}  // namespace Gdi
