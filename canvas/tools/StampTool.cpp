// The floating stamp (38) and the stamp point (47): the stamp and its brushes go where
// the pointer is.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

Follow Press(PointerState& state, const PointerEvent& event) {
  KeepPressOffset(state, event);
  state.stampPoint = event.at;
  Follow f = Repaint();
  // Taking the knob puts the brush down; a press on the bar never paints.
  f.stampKnob = event.barHit && event.hotButton == 0;
  f.stampDab = !event.barHit;
  return f;
}

Follow FollowPoint(PointerState& state, const PointerEvent& event) {
  state.current = event.at;
  state.stampPoint = event.at;
  return Repaint();
}

Follow Drag(PointerState& state, const PointerEvent& event) {
  Follow f = FollowPoint(state, event);
  f.stampDab = !event.barHit;
  return f;
}

Follow Release(PointerState&, const PointerEvent&) {
  Follow f = Repaint();
  f.stampStrokeEnd = true;
  f.load = true;
  f.upDown = true;
  return f;
}

constexpr PointerUnit kStamp{Press, Drag, Release, Nothing};
constexpr PointerUnit kStampPoint{Nothing, FollowPoint, Nothing, Nothing};

}  // namespace

const PointerUnit& StampUnit() { return kStamp; }
const PointerUnit& StampPointUnit() { return kStampPoint; }

}  // namespace PointerTools
