#pragma once
// The tool hint banner across the top of the canvas: a translucent green strip, a tick
// and the line of the current tool's row telling the user what to do. The drawing kit is
// made once by start-up and let go by the main window's unload.

#include "canvas/ToolModes.h"
#include "foundation/ModDraw.h"

namespace ToolHint {

// Makes the kit: brushes, the font and the tick picture "Tick.png" from the data folder
// (a missing picture leaves the banner without its tick). Making it again replaces it.
void CreateHintResources();
// Draws the banner on a graphics or a surface: the strip (2, 2, Width, 20), the tick and the
// mode's hint clipped to (25, 5, 600, 20). Height is not used. Nothing is drawn without the kit.
void DrawToolHint(ModGDI::DrawTarget hDC, ToolModes::Mode mode, float Width, float Height);
// Lets the kit go; harmless when there is none.
void DeleteHintResources();
bool HintResourcesMade();

}  // namespace ToolHint
