#pragma once
// The colour chooser with custom colours that last for the program's run, and the
// split of a colour into its bytes.

#include <array>
#include <cstdint>

class QWidget;

namespace ModDialogCOlor {

// Shows the colour chooser at an initial RGB colour (red in the lowest byte). Returns
// the chosen RGB colour, or -1 when the user cancels. The first call of a run sets the
// custom colours 0 and 1 to black and 2 to 15 to the button face.
std::int32_t ShowColorDialog(QWidget* owner, std::uint32_t rgb, bool FullOpen);

// Red, green and blue of an RGB colour (red in the lowest byte). A system colour
// (0x80000000 plus an index) is first looked up; anything else keeps its low 24 bits.
void ColorToRGBBytes(std::uint32_t colour, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

// The custom colours as the last dialog left them.
const std::array<std::uint32_t, 16>& CustomColors();

}  // namespace ModDialogCOlor
