#pragma once
// The line, rectangle outline and ellipse outline of the shape tools (modes 25 to 27),
// shared by the preview on the canvas (canvas pixels) and the commit (picture pixels).

#include <cstdint>

#include <QImage>
#include <QPointF>
#include <QRectF>

#include "canvas/ToolCommit.h"

namespace Gdip {
class Graphics;
}

namespace ShapeDrawing {

// One shape as the outline primitive draws it.
struct Shape {
  int drawType = 0;  // 1 line, 2 rectangle outline, 3 ellipse outline
  QPointF start;
  QPointF end;
  std::uint32_t colour = 0;  // RGB reference, red in the low byte
  int alpha = 255;
  float width = 1;
  int shift = 0;  // the drag's shift state; Shift alone keeps the outlines square
};

// The draw type of a mode: the line gives 1, the rectangle outline 2, the ellipse 3,
// any other mode 0.
int DrawTypeOf(ToolModes::Mode mode);
// The shapes' alpha, Max minus Value, kept within 0..255.
int AlphaOf(int max, float value);
// The point held inside the fitted picture: left and top as they are, right and bottom at
// the last pixel inside.
QPointF ClampInto(QPointF point, const QRectF& fit);
// The canvas point in picture pixels, for a picture of the given size shown in displayed.
QPointF ToPicture(QPointF point, const QRectF& displayed, QSizeF pictureSize);
// Draws the shape; a shape whose two points coincide draws nothing (no stray dot where
// the tool was applied without a drag).
void Draw(Gdip::Graphics& graphics, const Shape& shape);
// The dragged shape of the armed mode in picture pixels.
Shape InPicture(const ToolCommit::Input& in);
// The commit: the picture with the dragged shape drawn in at its own resolution.
QImage RenderShape(const ToolCommit::Input& in);

}  // namespace ShapeDrawing
