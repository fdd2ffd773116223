#pragma once

#include <cstdint>

namespace Gdip {
class Graphics;
}

namespace ModEffects {

// Fills the ellipse about (cx, cy) with radii (rx, ry), box corners rounded to whole
// pixels, with a gradient from the centre colour at (gx, gy) out to the surround colour
// on the rim; inside the copy of the rim shrunk by focus about (gx, gy) the centre
// colour holds. Unless noOutline, a one-pixel rim in the surround colour at alpha 60
// follows. Nothing is drawn for a radius that rounds to zero or below.
//
// This is the radial-ellipse fill of the drawing primitives for the one case the
// effects need (a single surround colour with the centre colour's red, green and blue),
// drawn with Qt's focal radial gradient: whole-picture spots then cost one pass of Qt's
// gradient fetch instead of a rasterised texture.
void FillGradientDisc(Gdip::Graphics& g, float cx, float cy, float rx, float ry, float gx, float gy, float focus,
                      std::uint32_t centre, std::uint32_t surround, bool noOutline);

}  // namespace ModEffects
