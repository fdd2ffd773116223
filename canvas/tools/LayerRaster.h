#pragma once
// The floating layers as pictures of their own, in picture pixels: what Rasterize hands
// to the floating stamp, and the layers' burn-in on Apply.

#include <QImage>
#include <QRectF>

#include "canvas/ToolCommit.h"

namespace LayerRaster {

// A layer alone on a transparent picture, and where it lies on the picture.
struct Raster {
  QImage picture;
  QRectF place;
};

// The layer of the armed mode: the text (4), the calendar (10), the fills over the
// selection (19, 20), the shapes (25 to 27). Any other mode, or a layer that draws nothing, gives a null picture.
Raster Render(const ToolCommit::Input& in);

// The fill over the selection rectangle, cut to that rectangle in whole picture pixels.
Raster Fill(const ToolCommit::Input& in);
// The shape, cut to the rectangle of its two points grown by half the pen and a pixel
// for the caps, within the picture.
Raster Shape(const ToolCommit::Input& in);
// The text at the size and place the canvas shows it, cut to its measured box.
Raster Text(const ToolCommit::Input& in);

// The calendar at the size and place the canvas shows it, cut to its size.
Raster Calendar(const ToolCommit::Input& in);

// Apply of a text or calendar layer: the picture with the layer drawn in where the
// canvas showed it.
QImage BurnInLayer(const ToolCommit::Input& in);

}  // namespace LayerRaster
