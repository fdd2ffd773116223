// Line, rectangle outline and ellipse: from where the press began to the
// pointer; with Shift the line is held level or upright.

#include <cmath>

#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

namespace {

constexpr int kShiftOnly = 1;

// A press on the command bar or on the selection is not the start of a shape.
bool StartsShape(const PointerEvent& event) { return !event.barHit && !event.handleHit; }

Follow Press(PointerState& state, const PointerEvent& event) {
  if (StartsShape(event)) {
    state.shapeStart = event.at;
  }
  return {};
}

Follow Drag(PointerState& state, const PointerEvent& event) {
  state.current = event.at;
  if (StartsShape(event)) {
    const bool held = event.mode == ToolModes::Mode::Line && event.shift == kShiftOnly;
    state.shapeEnd = held ? LevelOrUpright(state.shapeStart, event.at) : event.at;
  }
  return Repaint();
}

constexpr PointerUnit kUnit{Press, Drag, Nothing, Nothing};

}  // namespace

QPointF LevelOrUpright(QPointF start, QPointF at) {
  const QPointF d = at - start;
  return std::abs(d.y()) <= std::abs(d.x()) ? QPointF(at.x(), start.y()) : QPointF(start.x(), at.y());
}

const PointerUnit& ShapeUnit() { return kUnit; }

}  // namespace PointerTools
