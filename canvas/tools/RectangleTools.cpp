// The tools that drag a rectangle: crop, card, colour, red eye (the drag rectangle), the
// rectangular and elliptical marquees, and the filled shapes with their gradient centre.

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

constexpr int kColourPickButton = 3;

Follow FollowPointer(PointerState& state, const PointerEvent& event) {
  state.current = event.at;
  return Repaint();
}

Follow DragRectPress(PointerState& state, const PointerEvent& event) {
  KeepPressOffset(state, event);
  // The colour tool shows where it picks at once.
  return event.mode == ToolModes::Mode::Colorize ? Repaint() : Follow{};
}

Follow MarqueePress(PointerState& state, const PointerEvent& event) {
  KeepPressOffset(state, event);
  return {};
}

Follow GradientPress(PointerState& state, const PointerEvent& event) {
  KeepPressOffset(state, event);
  if (!event.barHit) {
    state.gradientPoint = event.at;
    return Repaint();
  }
  // The swatch picks on the press (the canvas sees to it for every tool); the fill is
  // drawn again in the colour picked.
  return event.hotButton == kColourPickButton ? Repaint() : Follow{};
}

Follow GradientDrag(PointerState& state, const PointerEvent& event) {
  if (!event.barHit) {
    state.gradientPoint = event.at;
  }
  return FollowPointer(state, event);
}

// The radial fill settles its centre where the drag ended; the linear one keeps its own.
Follow GradientRelease(PointerState& state, const PointerEvent& event) {
  Follow f;
  if (event.mode == ToolModes::Mode::CircularFill) {
    state.gradientPoint = state.current;
    f.repaint = true;
    f.load = true;
  }
  return f;
}

constexpr PointerUnit kDragRect{DragRectPress, FollowPointer, Nothing, Nothing};
constexpr PointerUnit kMarquee{MarqueePress, FollowPointer, Nothing, Nothing};
constexpr PointerUnit kGradientRect{GradientPress, GradientDrag, GradientRelease, Nothing};

}  // namespace

const PointerUnit& DragRectUnit() { return kDragRect; }
const PointerUnit& MarqueeUnit() { return kMarquee; }
const PointerUnit& GradientRectUnit() { return kGradientRect; }

}  // namespace PointerTools
