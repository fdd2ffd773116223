#include "platform/gdiplus/Region.h"

#include "platform/gdiplus/Path.h"

namespace Gdip {

namespace {

// Stands for the whole plane where an operation needs an area to work on.
const QRectF kInfiniteBounds(-4194304.0, -4194304.0, 8388608.0, 8388608.0);

QPainterPath RectPath(const QRectF& rect) {
  QPainterPath path;
  path.addRect(rect.normalized());
  return path;
}

}  // namespace

Region::Region(const QRectF& rect) : m_area(RectPath(rect)), m_infinite(false) {}

Region::Region(const Path& path) : m_area(path.Qt()), m_infinite(false) {}

Region::Region(const QPainterPath& area) : m_area(area), m_infinite(false) {}

QPainterPath Region::Area() const { return m_infinite ? RectPath(kInfiniteBounds) : m_area; }

void Region::Combine(const Region& other, CombineMode mode) {
  const QPainterPath mine = Area();
  const QPainterPath theirs = other.Area();
  bool infinite = false;
  QPainterPath result;
  switch (mode) {
    case CombineMode::Replace:
      *this = other;
      return;
    case CombineMode::Intersect:
      infinite = m_infinite && other.m_infinite;
      result = mine.intersected(theirs);
      break;
    case CombineMode::Union:
      infinite = m_infinite || other.m_infinite;
      result = mine.united(theirs);
      break;
    case CombineMode::Xor:
      result = mine.united(theirs).subtracted(mine.intersected(theirs));
      break;
    case CombineMode::Exclude:
      result = mine.subtracted(theirs);
      break;
    case CombineMode::Complement:
      result = theirs.subtracted(mine);
      break;
  }
  m_infinite = infinite;
  m_area = infinite ? QPainterPath() : result.simplified();
}

void Region::Combine(const QRectF& rect, CombineMode mode) { Combine(Region(rect), mode); }

void Region::Combine(const Path& path, CombineMode mode) { Combine(Region(path), mode); }

void Region::MakeInfinite() {
  m_infinite = true;
  m_area = QPainterPath();
}

void Region::MakeEmpty() {
  m_infinite = false;
  m_area = QPainterPath();
}

bool Region::IsVisible(float x, float y) const { return m_infinite || m_area.contains(QPointF(x, y)); }

QRectF Region::GetBounds() const { return m_infinite ? kInfiniteBounds : m_area.boundingRect(); }

}  // namespace Gdip
