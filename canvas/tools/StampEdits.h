#pragma once
// What the floating stamp's sub-tools and filters do to the stamp picture: one brush dab
// at a time while the button is down, and a whole-stamp filter or flip. The canvas keeps
// the stamp, its frame and its history; these decide the pixels.

#include <cstdint>

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSizeF>

namespace StampEdits {

// The stamp's sub-tools: 0 moves and sizes the stamp, 1 to 8 paint on it.
inline constexpr int kMoveTool = 0;
inline constexpr int kEraserTool = 1;
inline constexpr int kSmudgeTool = 7;
inline constexpr int kAirbrushTool = 8;

bool IsBrush(int subTool);

// The stamp pixel under a canvas point, the stamp being shown in frame.
QPointF ToStamp(QPointF canvasPoint, const QRectF& frame, QSize stamp);
// The brush's diameter in stamp pixels: the brush size grows with the picture-per-screen
// scale, so a brush covers about the same part of what is shown at any zoom.
int BrushDiameter(int brushSize, QSizeF pictureScale);

struct Dab {
  int subTool = kMoveTool;
  int eraserMode = 0;
  QPointF at;            // stamp pixels, top-left origin
  int diameter = 0;      // the retouch and eraser brushes
  int airRadius = 0;     // the airbrush
  bool dragging = false;  // the pointer has moved since the press: the lighter strength
  std::uint32_t airColour = 0;  // the airbrush's centre colour, an RGB reference
};

// One dab of the sub-tool on the stamp's own pixels (no copy of the stamp is made); the
// stamp rectangle it may have changed, empty when it did nothing.
QRect Paint(QImage& stamp, const Dab& dab);

// The stamp's filters and flips: 1 blur, 2 sharpen, 3 soften, 4 the large maximum filter,
// 5 the small one, 6 a vertical and 7 a horizontal flip. A filter's result is resampled
// to the size the stamp is shown at in picture pixels (its own size when it has not been
// shown yet); a flip keeps the size. Null for any other number.
QImage Filtered(const QImage& stamp, int filter, QSizeF shownInPicture);

}  // namespace StampEdits
