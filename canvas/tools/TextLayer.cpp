#include "canvas/tools/TextLayer.h"

#include <cmath>

#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace TextLayer {

namespace {

void DrawAt(Gdip::Graphics& graphics, const Text& text, QPointF at) {
  ModGDI::DrawCanvasText(graphics, text.text, float(at.x()), float(at.y()), text.font, text.size, text.style,
                         text.render, ModGDI::RGBToARGB(text.colour, 255), text.opacity);
}

}  // namespace

QRectF Draw(Gdip::Graphics& graphics, const Text& text) {
  DrawAt(graphics, text, text.anchor);
  return {ModGDI::LayerLeft, ModGDI::LayerTop, ModGDI::LayerWidth, ModGDI::LayerHeight};
}

Text InPicture(const Text& onCanvas, const QRectF& displayed, QSizeF picture) {
  Text mapped = onCanvas;
  if (displayed.width() <= 0 || displayed.height() <= 0) {
    return mapped;
  }
  const double rx = picture.width() / displayed.width();
  const double ry = picture.height() / displayed.height();
  mapped.anchor = {(onCanvas.anchor.x() - displayed.x()) * rx, (onCanvas.anchor.y() - displayed.y()) * ry};
  mapped.size = int(std::lround(onCanvas.size * rx));
  return mapped;
}

QImage BurnIn(const QImage& picture, const Text& inPicture) {
  QImage result = Gdip::EditableCopy(picture);
  if (result.isNull()) {
    return {};
  }
  if (auto graphics = Gdip::Graphics::FromSurface(result)) {
    DrawAt(*graphics, inPicture, inPicture.anchor);
  }
  return result;
}

QImage Rasterized(const Text& text) {
  if (text.text.isEmpty()) {
    return {};
  }
  // Measured on a scratch surface: the measure depends on the font alone.
  QImage scratch(1, 1, QImage::Format_ARGB32);
  auto measuring = Gdip::Graphics::FromSurface(scratch);
  if (measuring == nullptr) {
    return {};
  }
  const QRectF box = ModGDI::MeasureCanvasText(*measuring, text.text, text.font, text.size, text.style);
  const QSize size(int(std::ceil(box.width())), int(std::ceil(box.height())));
  if (size.isEmpty()) {
    return {};
  }
  QImage stamp(size, QImage::Format_ARGB32);
  if (stamp.isNull()) {
    return {};
  }
  stamp.fill(Qt::transparent);
  if (auto graphics = Gdip::Graphics::FromSurface(stamp)) {
    DrawAt(*graphics, text, QPointF(0, 0));
  }
  return stamp;
}

}  // namespace TextLayer
