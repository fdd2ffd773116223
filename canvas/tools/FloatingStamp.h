#pragma once
// The floating stamp (mode 38): a picture laid over the canvas in a frame the user moves
// and sizes, burnt into the picture on Apply.

#include <QImage>
#include <QRectF>

class QPainter;

namespace FloatingStamp {

// The stamp is shown and burnt in at 1 - Value / 100, kept to tenths.
double Opacity(float value);
// The stamp in its frame with the dashed frame; outerRect adds a rectangle one pixel
// outside it (the move tool with the button up).
void Draw(QPainter& painter, const QImage& stamp, const QRectF& frame, float value, bool outerRect);
// The picture with the stamp drawn over it at a rectangle in picture pixels.
QImage BurnIn(const QImage& picture, const QImage& stamp, const QRectF& inPicture, float value);

}  // namespace FloatingStamp
