#include "platform/gdiplus/Brush.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace Gdip {

void SolidBrush::Fill(QPainter& painter, const QPainterPath& area) const {
  painter.fillPath(area, QColor::fromRgba(m_color));
}

}  // namespace Gdip
