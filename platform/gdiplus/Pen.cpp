#include "platform/gdiplus/Pen.h"

#include <QColor>

namespace Gdip {

namespace {

Qt::PenCapStyle ToQtCap(LineCap start, LineCap end) {
  if (start == LineCap::Round || end == LineCap::Round) {
    return Qt::RoundCap;
  }
  if (start == LineCap::Square || end == LineCap::Square) {
    return Qt::SquareCap;
  }
  return Qt::FlatCap;
}

Qt::PenJoinStyle ToQtJoin(LineJoin join) {
  switch (join) {
    case LineJoin::Bevel:
      return Qt::BevelJoin;
    case LineJoin::Round:
      return Qt::RoundJoin;
    case LineJoin::MiterClipped:
      return Qt::SvgMiterJoin;
    case LineJoin::Miter:
      break;
  }
  return Qt::MiterJoin;
}

Qt::PenStyle ToQtStyle(DashStyle dash) {
  switch (dash) {
    case DashStyle::Dash:
      return Qt::DashLine;
    case DashStyle::Dot:
      return Qt::DotLine;
    case DashStyle::DashDot:
      return Qt::DashDotLine;
    case DashStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case DashStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

}  // namespace

Pen::Pen(ARGB color, float width) : m_color(color), m_width(width) {}

void Pen::SetLineCap(LineCap start, LineCap end) {
  m_startCap = start;
  m_endCap = end;
}

QPen Pen::ToQPen() const {
  QPen pen(QColor::fromRgba(m_color));
  // A width below one pixel still draws a one-pixel line, as a cosmetic pen does.
  pen.setWidthF(m_width < 1.0f ? 1.0 : m_width);
  pen.setCapStyle(ToQtCap(m_startCap, m_endCap));
  pen.setJoinStyle(ToQtJoin(m_join));
  pen.setMiterLimit(10.0);
  pen.setStyle(ToQtStyle(m_dash));
  return pen;
}

}  // namespace Gdip
