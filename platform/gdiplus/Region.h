#pragma once

#include <QPainterPath>
#include <QRectF>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

class Path;

// An area of the plane, made by combining rectangles and paths. A new region is
// infinite: it holds every point until something is combined into it.
class Region {
 public:
  Region() = default;
  explicit Region(const QRectF& rect);
  explicit Region(const Path& path);
  explicit Region(const QPainterPath& area);

  void Combine(const Region& other, CombineMode mode);
  void Combine(const QRectF& rect, CombineMode mode);
  void Combine(const Path& path, CombineMode mode);
  void MakeInfinite();
  void MakeEmpty();

  bool IsInfinite() const { return m_infinite; }
  bool IsEmpty() const { return !m_infinite && m_area.isEmpty(); }
  bool IsVisible(float x, float y) const;
  // The bounds; for an infinite region, a very large rectangle about the origin.
  QRectF GetBounds() const;
  // The area as a path (a very large rectangle for an infinite region).
  QPainterPath Area() const;

 private:
  QPainterPath m_area;
  bool m_infinite = true;
};

}  // namespace Gdip
