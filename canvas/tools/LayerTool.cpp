// The floating text and calendar layers: a press takes hold of the layer, a
// drag that began on it moves it; elsewhere the drag follows the knob or pans.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

Follow Press(PointerState& state, const PointerEvent& event) {
  state.layerDragging = true;
  if (event.mode != ToolModes::Mode::Text) {
    return {};
  }
  // The first press places the text.
  if (!state.textAnchorSet) {
    state.textAnchor = event.at;
    state.textAnchorSet = true;
  }
  return Repaint();
}

Follow Drag(PointerState& state, const PointerEvent& event) {
  if (event.layerHit && state.layerDragging) {
    state.textAnchor += event.at - state.previous;
    return Repaint();
  }
  if (event.barHit && event.hotButton == 0) {
    state.current = event.at;
    return Repaint();
  }
  return Pan(state, event.at);
}

constexpr PointerUnit kUnit{Press, Drag, Nothing, Nothing};

}  // namespace

const PointerUnit& LayerUnit() { return kUnit; }

}  // namespace PointerTools
