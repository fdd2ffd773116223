#pragma once
// The tool rectangle (the selection, crop, card or fill rectangle) as plain functions:
// where a drag puts it, how its eight handles resize it, and how it maps between canvas
// and picture pixels. The canvas keeps the rectangle; these decide the numbers.

#include <array>

#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace ToolRect {

// The side of a handle's hit square, centred on the rectangle's corner or edge.
inline constexpr double kHandleSide = 10;

// A drag that took hold of no handle: the rectangle between the press and the current
// point, normalised. While the two share an x or a y the previous rectangle stays.
QRectF FromCorners(QPointF press, QPointF current, const QRectF& previous);

// A drag that took hold of handle 0 (the inside: moves the rectangle) or 1 to 8 (top-left
// corner, top edge, top-right, right, bottom-right, bottom, bottom-left, left). The
// result is the rectangle at the press plus the whole move since the press, so painting
// again at one pointer position gives the same rectangle; a handle dragged across the
// opposite edge gives a normalised rectangle.
QRectF Dragged(int handle, const QRectF& atPress, QPointF press, QPointF current);

// Cut to a square of the shorter side, keeping the top-left corner.
QRectF Squared(const QRectF& rect);
// The floating stamp's frame in the stamp's proportions, keeping the top-left corner: the
// width follows the height, then the height the width. An empty stamp keeps the frame.
QRectF InProportion(const QRectF& rect, QSizeF stamp);
// Width and height at most maxSide, keeping the top-left corner.
QRectF Capped(const QRectF& rect, double maxSide);

// The hit squares and strips of handles 1 to 8 (index 0 is handle 1).
std::array<QRectF, 8> Handles(const QRectF& rect);

// A canvas-pixel rectangle in the picture's pixels, the picture being shown at fit, and
// back. An empty fit maps everything to an empty rectangle.
QRectF ToPicture(const QRectF& canvas, const QRectF& fit, QSizeF picture);
QRectF ToCanvas(const QRectF& inPicture, const QRectF& fit, QSizeF picture);

}  // namespace ToolRect
