// The floating text and calendar layers: a press takes hold of the layer, a
// drag that began on it moves it; elsewhere the drag follows the knob or pans.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

Follow Press(PointerState& state, const PointerEvent& event) {
  // A press on the command bar works its button or knob: the layer stays where it is, so
  // Apply burns the text in where the preview showed it.
  if (event.barHit) {
    return {};
  }
  state.layerDragging = true;
  const bool text = event.mode == ToolModes::Mode::Text;
  // The first press fixes the layer on the canvas: the text where the press is, the
  // month where it is shown.
  if (!state.textAnchorSet) {
    state.textAnchor = text ? event.at : event.layerAnchor;
    state.textAnchorSet = true;
  }
  return text ? Repaint() : Follow{};
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
