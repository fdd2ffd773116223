#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include "platform/gdiplus/Brush.h"

class QImage;

namespace Gdip {

class Path;

// A gradient from a centre point out to the boundary of a path: the centre colour at
// the centre point, the surround colours on the boundary (one per boundary point, the
// last one repeated), linear in between. The focus scales shrink a copy of the boundary
// about the centre; inside that copy the centre colour holds, and the blend runs from
// its edge to the boundary. Qt has no such gradient in general, so it is rasterised
// here; over a single ellipse with one surround colour and equal focus scales it is
// Qt's focal radial gradient under the ellipse's transform, which is far faster.
class PathGradientBrush final : public Brush {
 public:
  explicit PathGradientBrush(const Path& path);

  void SetCenterColor(ARGB color) { m_centerColor = color; }
  ARGB GetCenterColor() const { return m_centerColor; }
  void SetCenterPoint(QPointF point) { m_center = point; }
  QPointF GetCenterPoint() const { return m_center; }
  // Fails with InvalidParameter when there are no colours or more than boundary points.
  Status SetSurroundColors(std::span<const ARGB> colors);
  void SetFocusScales(float xScale, float yScale);
  // The number of boundary points the surround colours are given for.
  int GetPointCount() const;

  void Fill(QPainter& painter, const QPainterPath& area) const override;

 private:
  ARGB SurroundColorAt(std::size_t index) const;
  // Qt's brush for this gradient, when the path and colours allow one.
  std::optional<QBrush> EllipseGradient() const;
  void FillRasterised(QPainter& painter, const QPainterPath& area) const;

  std::vector<QPolygonF> m_rings;
  std::optional<QRectF> m_ellipse;
  QPointF m_center;
  ARGB m_centerColor = 0xFF000000u;
  std::vector<ARGB> m_surround{0xFFFFFFFFu};
  float m_focusX = 0.0f;
  float m_focusY = 0.0f;
};

// One figure of a path gradient in the coordinates of a target image whose pixel (i, j)
// is centred on (i + 0.5, j + 0.5).
struct GradientFan {
  QPointF center;
  std::span<const QPointF> ring;
  // One colour per ring point.
  std::span<const ARGB> surround;
  ARGB centerColor = 0;
  float focusX = 0.0f;
  float focusY = 0.0f;
};

// Paints the fan of triangles from the centre to each boundary edge into a premultiplied
// ARGB32 image, over every pixel the fan's cones reach (pixels beyond the boundary take
// the surround colour, so an anti-aliased edge has the right colour to blend).
void RasterisePathGradient(QImage& target, const GradientFan& fan);

}  // namespace Gdip
