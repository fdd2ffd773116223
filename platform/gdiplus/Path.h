#pragma once

#include <optional>
#include <vector>

#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

// A sequence of figures. Lines and arcs join the open figure: each new piece is connected
// to the last point by a straight line, and CloseFigure ends the figure and joins it
// back to its first point. Ellipses and rectangles are closed figures of their own.
class Path {
 public:
  explicit Path(FillMode mode = FillMode::Alternate);

  // An arc of the ellipse in the box; angles in degrees, turning clockwise on the screen
  // (y points down), starting from the positive x axis.
  void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  void AddLine(float x1, float y1, float x2, float y2);
  void AddEllipse(float x, float y, float width, float height);
  void AddRectangle(const QRectF& rect);
  void AddPath(const Path& other);
  void CloseFigure();
  // Ends the open figure without closing it; the next piece starts a new one.
  void StartFigure();

  FillMode GetFillMode() const { return m_fillMode; }
  void SetFillMode(FillMode mode);

  QRectF GetBounds() const { return m_path.boundingRect(); }
  bool IsVisible(float x, float y) const;
  bool Empty() const { return m_path.isEmpty(); }
  // The box of the ellipse when the path holds that one ellipse and nothing else: a
  // gradient over such a path has a closed form that needs no rasterising.
  const std::optional<QRectF>& SingleEllipse() const { return m_singleEllipse; }

  // The figures as polygons of straight pieces (curves flattened).
  std::vector<QPolygonF> Flatten() const;
  const QPainterPath& Qt() const { return m_path; }

 private:
  // Joins a piece that starts at a point to the open figure, or starts a figure there.
  void JoinTo(const QPointF& start);

  QPainterPath m_path;
  std::optional<QRectF> m_singleEllipse;
  FillMode m_fillMode;
  bool m_figureOpen = false;
};

// The Qt fill rule of a fill mode.
Qt::FillRule ToFillRule(FillMode mode);

}  // namespace Gdip
