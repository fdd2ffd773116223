// Image resize (21): the knob sets the zoom, a drag elsewhere pans the enlarged picture.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

Follow Press(PointerState& state, const PointerEvent& event) {
  KeepPressOffset(state, event);
  Follow f;
  f.resizePress = true;
  return f;
}

Follow Drag(PointerState& state, const PointerEvent& event) {
  state.current = event.at;
  if (!event.barHit) {
    return Pan(state, event.at);
  }
  Follow f = Repaint();
  f.zoomToValue = true;
  return f;
}

constexpr PointerUnit kUnit{Press, Drag, Nothing, Nothing};

}  // namespace

const PointerUnit& ResizeUnit() { return kUnit; }

}  // namespace PointerTools
