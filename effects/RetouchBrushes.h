#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>

#include "effects/PixelView.h"

namespace ModEffects {

// Eraser modes.
inline constexpr int kBrushEraser = 0;
inline constexpr int kPencilEraser = 1;
inline constexpr int kBlockEraser = 2;

// Retouch modes.
inline constexpr int kDodgeBrush = 2;
inline constexpr int kBurnBrush = 3;
inline constexpr int kSharpenBrush = 4;
inline constexpr int kSoftenBrush = 5;
inline constexpr int kSaturationBrush = 6;

// One round dab of size S (diameter) with strength T, centred on a pixel given in
// picture coordinates (top-left origin), on the pixels of the view. Each returns the
// picture rectangle it may have changed (empty when the dab did nothing): only that area
// needs repainting.
//
// The brush covers the pixels at offsets (dx, dy) with dx^2 + dy^2 <= r^2, r = S / 2
// rounded, weighted w = 1 - (dx^2 + dy^2) / (r^2 + 1). Its bounding box is clipped to the
// picture less its last column and its top line (the brush grid is anchored at the
// bottom-left corner); a box clipped to one column or line counts as empty. Pixels are
// visited from the bottom line of the box upwards and left to right, changed in place.

// Brush eraser: alpha -= w * T. Pencil and block erasers: alpha becomes 0. Colours stay.
QRect EraserBrush(const PixelView& view, QPoint centre, int S, int T, int mode);
// Dodge, burn, sharpen, soften or saturation on blue, green and red; alpha stays.
QRect RetouchBrush(const PixelView& view, QPoint centre, int S, int T, int mode);
// Four smoothing passes that move each colour channel by at most one step per
// neighbour towards its neighbours; the centre is rounded to the nearest pixel once.
QRect SmudgeBrush(const PixelView& view, QPointF centre, int S);

}  // namespace ModEffects
