#pragma once
// The canvas's pointer handling, one unit per pointer group of the mode table. A unit
// works on the plain pointer state and says what the canvas must do next (repaint, pan,
// preview ...); the canvas widget does it. Each tool family keeps its unit in its own
// file beside this one.

#include <QPointF>
#include <QRectF>

#include "canvas/ToolModes.h"

struct SelectionPoints;

namespace PointerTools {

// Where the pointer has been, in canvas pixels.
struct PointerState {
  QPointF press;        // where the left button went down
  QPointF current;      // the pointer while dragging
  QPointF previous;     // the pointer at the last event
  QPointF pressOffset;  // press point minus the selection's top-left corner
  QRectF rectAtPress;   // the tool rectangle when the left button went down
  bool leftDown = false;
  bool moved = false;       // the drag has moved since the press
  bool rightPress = false;  // the last press was not the left button
  int shift = 0;
  int button = 0;
  QPointF stampPoint;
  QPointF gradientPoint;
  QPointF shapeStart;
  QPointF shapeEnd;
  QPointF textAnchor;
  bool textAnchorSet = false;
  bool layerDragging = false;
  // The polygon is being merged into a floating stamp.
  bool merging = false;
  QPointF polygonCursor;  // the end of the polygon's rubber band
  QPointF panBy;          // the view's move asked for by the last pan
};

// What the canvas knows at one event. The hit flags are those of the last move without
// a pressed button, so a drag is judged by where it began.
struct PointerEvent {
  ToolModes::Mode mode = ToolModes::Mode::Browse;
  int button = 0;
  int shift = 0;
  QPointF at;
  bool barHit = false;
  int hotButton = 0;
  bool handleHit = false;
  bool layerHit = false;
  QPointF layerAnchor;  // where the floating layer lies until a press fixes it
  QPointF selectionTopLeft;
  SelectionPoints* points = nullptr;
};

// What the canvas does after a unit has run.
struct Follow {
  bool repaint = false;
  bool load = false;             // repaint with the picture made again
  bool upDown = false;           // repaint smoothly, the drag being over
  bool pan = false;              // move the view by panBy
  bool rotatePreview = false;    // draw the picture turned by the knob's angle
  bool colourPreview = false;    // draw the picture adjusted by the knob's value
  bool pickColour = false;       // draw the colour swatch and pick under the pointer
  bool zoomToValue = false;      // the zoom follows the knob
  bool resizePress = false;      // a resize drag has begun
  bool stampKnob = false;        // the stamp's brush is put down for the knob
  bool stampDab = false;         // the stamp's brush paints at the stamp point
  bool stampStrokeEnd = false;   // the stamp's brush stroke is over: keep the stamp
  bool freeSelect = false;       // draw the polygon so far
};

inline Follow Repaint() {
  Follow f;
  f.repaint = true;
  return f;
}

// Moves the view with the pointer: by the pointer's move since the last event.
inline Follow Pan(PointerState& state, QPointF at) {
  state.panBy = at - state.previous;
  Follow f = Repaint();
  f.pan = true;
  return f;
}

inline Follow Nothing(PointerState&, const PointerEvent&) { return {}; }

// The press offset every selection-like tool keeps for moving its rectangle.
inline void KeepPressOffset(PointerState& state, const PointerEvent& event) {
  state.pressOffset = event.at - event.selectionTopLeft;
}

struct PointerUnit {
  // A left press; the canvas has already set the press point and the flags.
  Follow (*press)(PointerState&, const PointerEvent&);
  // A move with the left button down.
  Follow (*drag)(PointerState&, const PointerEvent&);
  // A release off the command bar.
  Follow (*release)(PointerState&, const PointerEvent&);
  // A move with no button down, after the hit test.
  Follow (*hover)(PointerState&, const PointerEvent&);
};

// The unit of each group; every group has one.
const PointerUnit& UnitFor(ToolModes::PointerGroup group);

// The units, one per tool family.
const PointerUnit& PanUnit();
const PointerUnit& DragRectUnit();
const PointerUnit& GradientRectUnit();
const PointerUnit& MarqueeUnit();
const PointerUnit& RotatePreviewUnit();
const PointerUnit& ColourPreviewUnit();
const PointerUnit& LayerUnit();
const PointerUnit& ResizeUnit();
const PointerUnit& ShapeUnit();
const PointerUnit& PointUnit();
const PointerUnit& StampUnit();
const PointerUnit& StampPointUnit();
const PointerUnit& PolygonUnit();

// The shape tools' line held level or upright while Shift is down: level when it runs
// at least as far across as down, whichever way it is dragged.
QPointF LevelOrUpright(QPointF start, QPointF at);

}  // namespace PointerTools
