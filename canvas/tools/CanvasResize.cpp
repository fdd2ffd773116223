#include "canvas/tools/CanvasResize.h"

#include <QPainter>

#include "foundation/ModDialogCOlor.h"
#include "foundation/ModGDI.h"

namespace CanvasResize {

bool Allowed(QSize size) {
  return size.width() >= 1 && size.height() >= 1 && size.width() <= kMaxSide && size.height() <= kMaxSide &&
         qint64(size.width()) * size.height() <= kMaxPixels;
}

QImage Resized(const QImage& picture, QSize size, std::uint32_t rgb) {
  if (!Allowed(size) || picture.isNull()) {
    return {};
  }
  QImage canvas(size, QImage::Format_ARGB32);
  if (canvas.isNull()) {
    return {};
  }
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  ModDialogCOlor::ColorToRGBBytes(rgb, red, green, blue);
  canvas.fill(QColor::fromRgba(ModGDI::MakeARGB(255, red, green, blue)));
  // Halving toward zero leaves the odd pixel of a difference, padded or cropped, on the
  // right and bottom; a whole-pixel place draws every pixel as it is.
  const QPoint at((size.width() - picture.width()) / 2, (size.height() - picture.height()) / 2);
  QPainter painter(&canvas);
  painter.drawImage(at, picture);
  return canvas;
}

}  // namespace CanvasResize
