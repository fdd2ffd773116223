#pragma once
// What Apply draws for the region tools: crop, the fills, the card frame, the colour
// tint and the deleted selection, at the picture's own resolution.

#include <QImage>

#include "canvas/ToolCommit.h"
#include "canvas/tools/RegionTools.h"

namespace RegionCommit {

// The fill of modes 19 and 20 over the selection, in picture pixels.
RegionTools::Fill FillOf(const ToolCommit::Input& in);

// Crop (1, and 18 the same) to the tool rectangle within the picture; an empty
// intersection commits nothing. The radial (19) and linear (20) fills. The floating
// stamp (38) burnt in where its frame is shown.
QImage RenderRegion(const ToolCommit::Input& in);
// The card frame (5): the picked colour at alpha Value outside the rectangle (sense 1)
// or inside it (sense 4).
QImage RenderCard(const ToolCommit::Input& in);
// The colour tool (6): the whole picture tinted with the picked colour at alpha Value,
// as its overlay shows it.
QImage RenderColorize(const ToolCommit::Input& in);
// The selection of previousMode cleared to transparency. Switches SelectionCombineMode
// and leaves it switched; an empty selection commits nothing and switches nothing.
QImage RenderDelete(const ToolCommit::Input& in);

}  // namespace RegionCommit
