// Viewing and the one-shot effects: a drag moves the picture.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

Follow Drag(PointerState& state, const PointerEvent& event) { return Pan(state, event.at); }

// Letting go in plain viewing redraws the picture smoothly.
Follow Release(PointerState&, const PointerEvent& event) {
  Follow f;
  if (event.mode == ToolModes::Mode::Browse) {
    f.repaint = true;
    f.upDown = true;
  }
  return f;
}

constexpr PointerUnit kUnit{Nothing, Drag, Release, Nothing};

}  // namespace

const PointerUnit& PanUnit() { return kUnit; }

}  // namespace PointerTools
