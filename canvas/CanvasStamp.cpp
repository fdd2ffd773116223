#include "canvas/CanvasStamp.h"

bool CanvasStamp::Take(const QImage& read) {
  picture = read.isNull() ? QImage() : read.convertToFormat(QImage::Format_ARGB32);
  return !picture.isNull();
}

void CanvasStamp::PlaceHanded(const QRectF& place) {
  rect = place;
  home = place;
  rectPending = true;
}

void CanvasStamp::BackHome() {
  subTool = 0;
  rect = home;
  rectPending = true;
}

QRectF CanvasStamp::PlaceToFrame() const {
  return rect.isEmpty() ? QRectF(QPointF(0, 0), QSizeF(picture.size())) : rect;
}
