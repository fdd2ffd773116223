#include "platform/gdiplus/LinearGradientBrush.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Gdip {

namespace {

QGradient::Spread ToSpread(WrapMode mode) {
  switch (mode) {
    case WrapMode::Tile:
      return QGradient::RepeatSpread;
    case WrapMode::Clamp:
      return QGradient::PadSpread;
    case WrapMode::TileFlipX:
    case WrapMode::TileFlipY:
    case WrapMode::TileFlipXY:
      break;
  }
  return QGradient::ReflectSpread;
}

}  // namespace

LinearGradientBrush::LinearGradientBrush(QPointF point1, QPointF point2, ARGB color1, ARGB color2)
    : m_point1(point1), m_point2(point2), m_color1(color1), m_color2(color2) {}

void LinearGradientBrush::Fill(QPainter& painter, const QPainterPath& area) const {
  if (m_point1 == m_point2) {
    // A gradient of no length has no direction and fills nothing.
    return;
  }
  QLinearGradient gradient(m_point1, m_point2);
  gradient.setColorAt(0.0, QColor::fromRgba(m_color1));
  gradient.setColorAt(1.0, QColor::fromRgba(m_color2));
  gradient.setSpread(ToSpread(m_wrap));
  painter.fillPath(area, gradient);
}

}  // namespace Gdip
