// The knob tools whose preview the canvas draws live while the knob is dragged:
// straighten and rotate (the picture turned), gamma and contrast (its colours adjusted).

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

constexpr int kKnob = 0;

bool OnKnob(const PointerEvent& event) { return event.barHit && event.hotButton == kKnob; }

// Only a drag that took hold of the knob redraws the preview the mode asks for.
template <bool Follow::*preview>
Follow KnobDrag(PointerState& state, const PointerEvent& event) {
  Follow f;
  if (OnKnob(event)) {
    state.current = event.at;
    f.*preview = true;
  }
  return f;
}

constexpr PointerUnit kRotate{Nothing, KnobDrag<&Follow::rotatePreview>, Nothing, Nothing};
constexpr PointerUnit kColour{Nothing, KnobDrag<&Follow::colourPreview>, Nothing, Nothing};

}  // namespace

const PointerUnit& RotatePreviewUnit() { return kRotate; }
const PointerUnit& ColourPreviewUnit() { return kColour; }

}  // namespace PointerTools
