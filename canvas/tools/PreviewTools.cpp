// The knob tools whose preview the canvas draws live while the knob is dragged:
// straighten and rotate (the picture turned), gamma and contrast (its colours adjusted).

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

constexpr int kKnob = 0;

bool OnKnob(const PointerEvent& event) { return event.barHit && event.hotButton == kKnob; }

Follow RotateDrag(PointerState& state, const PointerEvent& event) {
  Follow f;
  if (OnKnob(event)) {
    state.current = event.at;
    f.rotatePreview = true;
  }
  return f;
}

Follow ColourDrag(PointerState& state, const PointerEvent& event) {
  Follow f;
  if (OnKnob(event)) {
    state.current = event.at;
    f.colourPreview = true;
  }
  return f;
}

constexpr PointerUnit kRotate{Nothing, RotateDrag, Nothing, Nothing};
constexpr PointerUnit kColour{Nothing, ColourDrag, Nothing, Nothing};

}  // namespace

const PointerUnit& RotatePreviewUnit() { return kRotate; }
const PointerUnit& ColourPreviewUnit() { return kColour; }

}  // namespace PointerTools
