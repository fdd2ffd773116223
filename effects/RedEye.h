#pragma once

#include <QPointF>

class QImage;

namespace ModEffects {

// round(sqrt(round(squared distance))), both roundings halves to even.
int PointDistance(QPointF p, QPointF q);

// Whether a colour counts as red-eye against the blue threshold T.
bool IsRedEye(int red, int green, int blue, int T);

// Turns the red-eye pixels inside the circle of the rectangle (X, Y, W, H) into greys
// darkened by D and by up to 50 more towards the centre. The circle's radius is half the
// longer side. Each pixel is visited once; the rectangle is clipped to the image. The
// image is a straight-ARGB picture or an opaque 32-bit back buffer; other formats are
// left alone.
void RemoveRedEye(QImage& target, float X, float Y, float W, float H, int T, int D);

}  // namespace ModEffects
