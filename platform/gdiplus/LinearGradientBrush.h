#pragma once

#include <QPointF>

#include "platform/gdiplus/Brush.h"

namespace Gdip {

// A two-colour gradient along the line from one point to another: the first colour on
// the perpendicular through the first point, the second through the second. Beyond the
// two points the gradient repeats (tile), mirrors (the flip modes) or holds (clamp).
class LinearGradientBrush final : public Brush {
 public:
  LinearGradientBrush(QPointF point1, QPointF point2, ARGB color1, ARGB color2);

  void SetWrapMode(WrapMode mode) { m_wrap = mode; }
  WrapMode GetWrapMode() const { return m_wrap; }
  void Fill(QPainter& painter, const QPainterPath& area) const override;

 private:
  QPointF m_point1;
  QPointF m_point2;
  ARGB m_color1;
  ARGB m_color2;
  WrapMode m_wrap = WrapMode::Tile;
};

}  // namespace Gdip
