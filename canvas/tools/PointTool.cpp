// The weather and light effects (28 to 37): the effect follows the dragged pointer.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

Follow Drag(PointerState& state, const PointerEvent& event) {
  state.current = event.at;
  return Repaint();
}

constexpr PointerUnit kUnit{Nothing, Drag, Nothing, Nothing};

}  // namespace

const PointerUnit& PointUnit() { return kUnit; }

}  // namespace PointerTools
