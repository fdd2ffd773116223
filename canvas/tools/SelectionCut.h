#pragma once
// Cutting the current selection out of the picture through ClsSelect: the shape of the
// tool that made it, the sense the selection has, the result in the stamp temporary file.

#include <QRectF>

#include "canvas/ToolModes.h"

class ClsSelect;
namespace Gdip {
class Bitmap;
}

namespace SelectionCut {

struct Request {
  const Gdip::Bitmap& picture;
  ToolModes::Mode mode = ToolModes::Mode::Browse;  // the polygon, the ellipse, or any other: a rectangle
  QRectF fit;      // where the picture lies on the canvas
  QRectF area;     // the tool rectangle, canvas pixels (unused by the polygon)
};

// Cuts the selection with the sense of SelectionCombineMode (1 keeps the inside, 4 the
// outside). The old stamp file goes first, so a cut that writes nothing leaves none.
// The shared polygon lists hold canvas pixels again afterwards, so the outline stays
// where it was and a later cut starts from the same points. True when a cut was written.
bool Cut(ClsSelect& select, const Request& request);

// The polygon's bounds as its outline grew them, in canvas pixels.
QRectF PolygonBounds();

}  // namespace SelectionCut
