#include "canvas/tools/PointerUnits.h"

#include <gtest/gtest.h>

#include "effects/ClsSelect.h"

namespace {

using namespace PointerTools;

PointerEvent At(int mode, QPointF at) {
  PointerEvent event;
  event.mode = ToolModes::Mode(mode);
  event.button = 1;
  event.at = at;
  return event;
}

}  // namespace

TEST(PointerUnits, EveryGroupOfTheTableHasACompleteUnit) {
  for (const auto& row : ToolModes::Table()) {
    const PointerUnit& unit = UnitFor(row.group);
    EXPECT_NE(unit.press, nullptr);
    EXPECT_NE(unit.drag, nullptr);
    EXPECT_NE(unit.release, nullptr);
    EXPECT_NE(unit.hover, nullptr);
  }
  // Viewing pans; letting go there repaints smoothly.
  PointerState state;
  state.previous = QPointF(50, 50);
  const Follow pan = PanUnit().drag(state, At(0, QPointF(40, 57)));
  EXPECT_TRUE(pan.pan);
  EXPECT_EQ(state.panBy, QPointF(-10, 7));
  EXPECT_TRUE(PanUnit().release(state, At(0, {})).upDown);
  EXPECT_FALSE(PanUnit().release(state, At(23, {})).repaint);
}

TEST(PointerUnits, ShiftHoldsTheLineLevelOrUprightInEveryDirection) {
  const QPointF start(100, 100);
  EXPECT_EQ(LevelOrUpright(start, QPointF(200, 105)), QPointF(200, 100));  // right, a little down
  EXPECT_EQ(LevelOrUpright(start, QPointF(0, 95)), QPointF(0, 100));       // left, a little up
  EXPECT_EQ(LevelOrUpright(start, QPointF(105, 200)), QPointF(100, 200));  // down, a little right
  EXPECT_EQ(LevelOrUpright(start, QPointF(95, 0)), QPointF(100, 0));       // up, a little left

  PointerState state;
  ShapeUnit().press(state, At(25, start));
  PointerEvent drag = At(25, QPointF(0, 95));
  drag.shift = 1;
  ShapeUnit().drag(state, drag);
  EXPECT_EQ(state.shapeEnd, QPointF(0, 100));
  drag.shift = 0;  // without Shift the end follows the pointer
  ShapeUnit().drag(state, drag);
  EXPECT_EQ(state.shapeEnd, QPointF(0, 95));
  drag.mode = ToolModes::Mode::RectangleOutline;  // only the line is held
  drag.shift = 1;
  ShapeUnit().drag(state, drag);
  EXPECT_EQ(state.shapeEnd, QPointF(0, 95));
  // A press on the command bar does not start a shape.
  PointerEvent onBar = At(25, QPointF(7, 7));
  onBar.barHit = true;
  ShapeUnit().press(state, onBar);
  EXPECT_EQ(state.shapeStart, start);
}

TEST(PointerUnits, PolygonPointsRubberBandAndClose) {
  SelectionPoints points;
  PointerState state;
  PointerEvent press = At(41, QPointF(10, 20));
  press.points = &points;
  EXPECT_FALSE(PolygonUnit().press(state, press).repaint);
  ASSERT_EQ(points.SelectPointCount, 1);
  EXPECT_EQ(points.SelectPoints[0], QPointF(10, 20));
  EXPECT_EQ(points.SelectPoints2[1], QPointF(10, 20));
  EXPECT_EQ(state.polygonCursor, QPointF(10, 20));

  EXPECT_TRUE(PolygonUnit().hover(state, At(41, QPointF(30, 40))).repaint);
  EXPECT_EQ(state.polygonCursor, QPointF(30, 40));
  state.merging = true;  // while merging the point lands where the band ends
  press.at = QPointF(99, 99);
  PolygonUnit().press(state, press);
  ASSERT_EQ(points.SelectPointCount, 2);
  EXPECT_EQ(points.SelectPoints[1], QPointF(30, 40));
  EXPECT_TRUE(PolygonUnit().release(state, press).freeSelect);

  state.rightPress = true;  // a closed polygon no longer follows the pointer
  EXPECT_FALSE(PolygonUnit().hover(state, At(41, QPointF(1, 1))).repaint);
  EXPECT_EQ(state.polygonCursor, QPointF(30, 40));
  EXPECT_FALSE(PolygonUnit().release(state, press).freeSelect);
}

TEST(PointerUnits, RectangleToolsKeepTheirPointsAndTheKnobDrivesPreviews) {
  PointerState state;
  PointerEvent press = At(19, QPointF(60, 70));
  press.selectionTopLeft = QPointF(50, 50);
  EXPECT_TRUE(GradientRectUnit().press(state, press).repaint);
  EXPECT_EQ(state.gradientPoint, QPointF(60, 70));
  EXPECT_EQ(state.pressOffset, QPointF(10, 20));
  press.barHit = true;
  press.hotButton = 3;
  EXPECT_TRUE(GradientRectUnit().press(state, press).repaint);
  EXPECT_EQ(state.gradientPoint, QPointF(60, 70)) << "a press on the swatch is no fill centre";
  state.current = QPointF(5, 6);
  GradientRectUnit().release(state, At(19, {}));
  EXPECT_EQ(state.gradientPoint, QPointF(5, 6));

  EXPECT_TRUE(DragRectUnit().press(state, At(6, {})).repaint);
  EXPECT_FALSE(DragRectUnit().press(state, At(1, {})).repaint);
  DragRectUnit().drag(state, At(1, QPointF(8, 9)));
  EXPECT_EQ(state.current, QPointF(8, 9));

  // Previews run only while the knob is held.
  EXPECT_FALSE(RotatePreviewUnit().drag(state, At(2, {})).rotatePreview);
  PointerEvent knob = At(7, QPointF(3, 3));
  knob.barHit = true;
  EXPECT_TRUE(ColourPreviewUnit().drag(state, knob).colourPreview);
  knob.mode = ToolModes::Mode::Resize;
  EXPECT_TRUE(ResizeUnit().drag(state, knob).zoomToValue);
  EXPECT_TRUE(ResizeUnit().drag(state, At(21, {})).pan);

  // The text layer is placed by the first press and moved by a drag that starts on it.
  PointerState layer;
  LayerUnit().press(layer, At(4, QPointF(30, 30)));
  LayerUnit().press(layer, At(4, QPointF(80, 80)));
  EXPECT_EQ(layer.textAnchor, QPointF(30, 30));
  layer.previous = QPointF(80, 80);
  PointerEvent onLayer = At(4, QPointF(85, 90));
  onLayer.layerHit = true;
  LayerUnit().drag(layer, onLayer);
  EXPECT_EQ(layer.textAnchor, QPointF(35, 40));
}
