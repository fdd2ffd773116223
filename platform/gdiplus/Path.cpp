#include "platform/gdiplus/Path.h"

namespace Gdip {

Qt::FillRule ToFillRule(FillMode mode) { return mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill; }

Path::Path(FillMode mode) : m_fillMode(mode) { m_path.setFillRule(ToFillRule(mode)); }

void Path::SetFillMode(FillMode mode) {
  m_fillMode = mode;
  m_path.setFillRule(ToFillRule(mode));
}

void Path::JoinTo(const QPointF& start) {
  m_singleEllipse.reset();
  if (m_figureOpen) {
    m_path.lineTo(start);
  } else {
    m_path.moveTo(start);
    m_figureOpen = true;
  }
}

void Path::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  const QRectF box(x, y, width, height);
  // Qt measures angles counter-clockwise on the screen, so both angles change sign.
  QPainterPath probe;
  probe.arcMoveTo(box, -startAngle);
  JoinTo(probe.currentPosition());
  m_path.arcTo(box, -startAngle, -sweepAngle);
}

void Path::AddLine(float x1, float y1, float x2, float y2) {
  JoinTo(QPointF(x1, y1));
  m_path.lineTo(x2, y2);
}

void Path::AddEllipse(float x, float y, float width, float height) {
  m_figureOpen = false;
  // Start at 3 o'clock and run clockwise like the other figures.
  const QRectF box(x, y, width, height);
  if (m_path.isEmpty()) {
    m_singleEllipse = box.normalized();
  } else {
    m_singleEllipse.reset();
  }
  m_path.arcMoveTo(box, 0);
  m_path.arcTo(box, 0, -360);
  m_path.closeSubpath();
}

void Path::AddRectangle(const QRectF& rect) {
  m_figureOpen = false;
  m_singleEllipse.reset();
  m_path.addRect(rect);
}

void Path::AddPath(const Path& other) {
  m_figureOpen = false;
  m_singleEllipse = m_path.isEmpty() ? other.m_singleEllipse : std::nullopt;
  m_path.addPath(other.m_path);
  m_path.setFillRule(ToFillRule(m_fillMode));
}

void Path::CloseFigure() {
  if (m_figureOpen) {
    m_path.closeSubpath();
  }
  m_figureOpen = false;
}

void Path::StartFigure() { m_figureOpen = false; }

bool Path::IsVisible(float x, float y) const { return m_path.contains(QPointF(x, y)); }

std::vector<QPolygonF> Path::Flatten() const {
  const QList<QPolygonF> polygons = m_path.toSubpathPolygons();
  return {polygons.begin(), polygons.end()};
}

}  // namespace Gdip
