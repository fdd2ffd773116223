#pragma once
// The light effects: the lens flare, the irradiation spot and the moonlit night. Each
// draws over what the target already holds.

#include <cstdint>

#include "foundation/ModDraw.h"

namespace ModEffects {

// Eight soft discs: three rings about (x, y) sized by (rx, ry) (the two inner ones are
// skipped once their radii are not positive), two glints below right of it and two
// small ones near the picture's bottom-right corner.
void DrawLensFlare(ModGDI::DrawTarget target, float x, float y, float rx, float ry, int imageWidth, int imageHeight,
                   float ringFocus);
// One light spot: clear at the gradient centre (gx, gy), the colour at the given alpha
// (clamped to 0..255) on the rim of the ellipse about (cx, cy).
void DrawIrradiation(ModGDI::DrawTarget target, float cx, float cy, float rx, float ry, float gx, float gy, float focus,
                     std::uint32_t colour, int alpha);
// Darkens the whole picture and draws a haloed moon at (100, 80), whatever its size.
void DrawMoon(ModGDI::DrawTarget target, int imageWidth, int imageHeight);

}  // namespace ModEffects
