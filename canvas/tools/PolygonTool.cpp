// The polygon selection (41): each left click adds a point, the rubber band follows the
// pointer from the last one, and a right press closes the polygon.

#include "canvas/tools/PointerUnits.h"

#include "effects/ClsSelect.h"

namespace PointerTools {

namespace {

Follow Press(PointerState& state, const PointerEvent& event) {
  KeepPressOffset(state, event);
  // A press on Apply, Cancel or the knob works the bar; it is no corner of the polygon.
  if (event.points == nullptr || event.barHit) {
    return {};
  }
  SelectionPoints& points = *event.points;
  const auto count = std::size_t(points.SelectPointCount);
  if (points.SelectPoints.size() < count + 1) {
    points.SelectPoints.resize(count + 1);
  }
  // While merging, the point goes where the rubber band ends.
  points.SelectPoints[count] = state.merging ? state.polygonCursor : event.at;
  if (count == 0) {
    state.polygonCursor = event.at;
    points.SelectPoints2[1] = event.at;
  }
  points.SelectPointCount = int(count) + 1;
  return {};
}

Follow Drag(PointerState& state, const PointerEvent& event) { return Pan(state, event.at); }

Follow Release(PointerState& state, const PointerEvent&) {
  Follow f;
  if (!state.rightPress) {
    f = Repaint();
    f.freeSelect = true;
  }
  return f;
}

Follow Hover(PointerState& state, const PointerEvent& event) {
  if (state.rightPress) {
    return {};
  }
  state.polygonCursor = event.at;
  return Repaint();
}

constexpr PointerUnit kUnit{Press, Drag, Release, Hover};

}  // namespace

const PointerUnit& PolygonUnit() { return kUnit; }

}  // namespace PointerTools
