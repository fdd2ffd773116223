#include "canvas/tools/ShapeDrawing.h"

#include <algorithm>
#include <cmath>

#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace ShapeDrawing {

namespace {

double ClampAxis(double v, double low, double extent) {
  if (v < low) {
    return low;
  }
  return v > low + extent ? low + extent - 1 : v;
}

}  // namespace

int DrawTypeOf(ToolModes::Mode mode) {
  switch (mode) {
    case ToolModes::Mode::Line:
      return 1;
    case ToolModes::Mode::RectangleOutline:
      return 2;
    case ToolModes::Mode::EllipseOutline:
      return 3;
    default:
      return 0;
  }
}

int AlphaOf(int max, float value) { return std::clamp(int(std::lround(float(max) - value)), 0, 255); }

QPointF ClampInto(QPointF point, const QRectF& fit) {
  return {ClampAxis(point.x(), fit.x(), fit.width()), ClampAxis(point.y(), fit.y(), fit.height())};
}

QPointF ToPicture(QPointF point, const QRectF& displayed, QSizeF pictureSize) {
  if (displayed.width() <= 0 || displayed.height() <= 0) {
    return point;
  }
  return {(point.x() - displayed.x()) * pictureSize.width() / displayed.width(),
          (point.y() - displayed.y()) * pictureSize.height() / displayed.height()};
}

void Draw(Gdip::Graphics& graphics, const Shape& shape) {
  if (shape.drawType == 0 || shape.start == shape.end) {
    return;
  }
  ModGDI::DrawShapeOutline(graphics, float(shape.start.x()), float(shape.start.y()), float(shape.end.x()),
                           float(shape.end.y()), ModGDI::RGBToARGB(shape.colour, 255), shape.alpha, shape.width,
                           shape.drawType, shape.shift);
}

Shape InPicture(const ToolCommit::Input& in) {
  const QSizeF size = in.picture.Image().size();
  return {.drawType = DrawTypeOf(in.mode),
          .start = ToPicture(in.shapeStart, in.displayed, size),
          .end = ToPicture(in.shapeEnd, in.displayed, size),
          .colour = in.pickedColour,
          .alpha = AlphaOf(in.max, in.value),
          .width = in.lineWidth,
          .shift = in.shift};
}

QImage RenderShape(const ToolCommit::Input& in) {
  QImage picture = Gdip::EditableCopy(in.picture.Image());
  if (picture.isNull()) {
    return {};
  }
  if (auto g = Gdip::Graphics::FromSurface(picture)) {
    Draw(*g, InPicture(in));
  }
  return picture;
}

}  // namespace ShapeDrawing
