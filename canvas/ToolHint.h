#pragma once
// The tool hint banner across the top of the canvas: a translucent green strip, a tick
// and one line telling the user what to do with the current tool. The drawing kit is
// made once by start-up and let go by the main window's unload.

#include <memory>

#include <QString>

#include "foundation/ModDraw.h"

namespace ToolHint {

// The sentence for a tool mode; empty for modes without one.
QString HintText(int ToolId);

// Makes the kit: brushes, the font and the tick picture "Tick.png" from the data folder
// (a missing picture leaves the banner without its tick). Making it again replaces it.
void CreateHintResources();
// Draws the banner on a graphics or a surface: the strip (2, 2, Width, 20), the tick and the text
// clipped to (25, 5, 600, 20). Height is not used. Nothing is drawn without the kit.
void DrawToolHint(ModGDI::DrawTarget hDC, int ToolId, float Width, float Height);
// Lets the kit go; harmless when there is none.
void DeleteHintResources();
bool HintResourcesMade();

}  // namespace ToolHint
