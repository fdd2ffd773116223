#include "canvas/CanvasLayout.h"

#include <gtest/gtest.h>

using namespace CanvasLayout;

TEST(CanvasLayout, ZoomFromSliderKeepsHundredthsAndAFloor) {
  const std::pair<int, float> rows[] = {{5, 0.12f}, {55, 1.0f}, {100, 1.82f}, {6, 0.12f},
                                        {7, 0.13f}, {0, 0.12f}, {-40, 0.12f}, {110, 2.0f}};
  for (const auto& [slider, zoom] : rows) {
    EXPECT_FLOAT_EQ(ZoomFromSlider(slider), zoom) << slider;
  }
  EXPECT_EQ(SingleText(ZoomFromSlider(100) * 100), "182");
  EXPECT_EQ(SingleText(640), "640");
  EXPECT_EQ(SingleText(0.5f), "0.5");
}

TEST(CanvasLayout, OffsetsCentreSmallPicturesAndKeepTheViewCentreClamped) {
  EXPECT_EQ(CentredOffset(400, 100), 150);
  EXPECT_EQ(KeepCentreOffset(-37, 100, 300, 400), 150);  // fits: always centred
  // 1000 -> 1200 wide in a 400 window: the centre stays, half the growth each side.
  EXPECT_EQ(KeepCentreOffset(-300, 1200, 1000, 400), -400);
  EXPECT_EQ(KeepCentreOffset(0, 1200, 1000, 400), -100);
  EXPECT_EQ(KeepCentreOffset(-700, 1200, 1200, 400), -700);
  EXPECT_EQ(KeepCentreOffset(-900, 1200, 1200, 400), -800);  // never past the far edge
  EXPECT_EQ(KeepCentreOffset(50, 1200, 1200, 400), 0);
}

TEST(CanvasLayout, NavigatorSitsBottomRightAndItsDragIsClamped) {
  const Navigator nav = NavigatorGeometry(QSize(400, 300), QSizeF(2000, 1500));
  EXPECT_EQ(nav.Panel, QRectF(280, 168, 120, 120));
  EXPECT_EQ(nav.Thumbnail, QRectF(290, 202, 100, 75));

  const QSize display(2000, 1500);
  const QSize client(400, 300);
  EXPECT_EQ(NavigatorOutline(nav.Thumbnail, client, display, QPoint(0, 0)), QRectF(290, 202, 20, 15));
  // The outline centred on the thumbnail's centre shows the picture's middle.
  EXPECT_EQ(ViewOffsetFromNavigatorDrag(nav.Thumbnail, client, display, QPointF(340, 239.5)), QPoint(-800, -600));
  EXPECT_EQ(ViewOffsetFromNavigatorDrag(nav.Thumbnail, client, display, QPointF(-500, -500)), QPoint(0, 0));
  EXPECT_EQ(ViewOffsetFromNavigatorDrag(nav.Thumbnail, client, display, QPointF(5000, 5000)), QPoint(-1600, -1200));
  // An axis that fits stays centred whatever the pointer does.
  EXPECT_EQ(ViewOffsetFromNavigatorDrag(nav.Thumbnail, client, QSize(2000, 200), QPointF(0, 0)).y(), 50);
}

TEST(CanvasLayout, CommandBarPlacesButtonsPerMode) {
  const QSize client(800, 600);
  const CommandBar effect = CommandBarGeometry(ToolModes::Mode(2), client);
  EXPECT_EQ(effect.L, 250);
  EXPECT_EQ(effect.T, 565);
  EXPECT_EQ(effect.Buttons[1], QRectF(450, 567, 55, 22));
  EXPECT_EQ(effect.Buttons[2], QRectF(510, 567, 55, 22));
  EXPECT_TRUE(effect.Buttons[4].isEmpty());

  EXPECT_EQ(CommandBarGeometry(ToolModes::Mode(4), client).T, 5);
  const CommandBar crop = CommandBarGeometry(ToolModes::Mode(1), client);
  EXPECT_FALSE(crop.HasSlider);
  EXPECT_EQ(crop.Buttons[1].x(), 340);

  const CommandBar stamp = CommandBarGeometry(ToolModes::Mode(38), client);
  EXPECT_EQ(stamp.Buttons[4], QRectF(570, 567, 55, 22));
  EXPECT_EQ(stamp.Buttons[6], QRectF(190, 567, 55, 22));
  EXPECT_EQ(stamp.Buttons[5], QRectF(130, 567, 55, 22));
}

TEST(CanvasLayout, KnobStaysOnTheTrackAndValueInRange) {
  const int L = 100;
  EXPECT_FLOAT_EQ(KnobForValue(0, L, 0, 10, 15, false).X, 106);
  const Knob top = KnobForValue(10, L, 0, 10, 15, false);
  EXPECT_FLOAT_EQ(top.X, 274);
  EXPECT_FLOAT_EQ(top.Value, 10);
  const Knob below = KnobForValue(-20, L, -10, 10, 15, false);
  EXPECT_FLOAT_EQ(below.X, 104);
  EXPECT_FLOAT_EQ(below.Value, -10);
  EXPECT_LT(KnobForValue(-20, L, -10, 10, 15, true).X, 104);

  for (float pointer : {-10000.0f, 0.0f, 150.0f, 250.0f, 10000.0f}) {
    const float value = ValueFromPointer(pointer, L, -10, 10, 15);
    EXPECT_GE(value, -10);
    EXPECT_LE(value, 10);
    const Knob knob = KnobForValue(value, L, -10, 10, 15, false);
    EXPECT_GE(knob.X, L + 4);
    EXPECT_LE(knob.X, L + 174);
  }
  EXPECT_FLOAT_EQ(ValueFromPointer(float(L + 10 + 185), L, 0, 100, 15), 100);
  // A tool with one value: no division by zero, the knob at its start.
  const Knob single = KnobForValue(7, L, 5, 5, 15, false);
  EXPECT_FLOAT_EQ(single.X, L + 4);
  EXPECT_FLOAT_EQ(single.Value, 5);
  EXPECT_FLOAT_EQ(ValueFromPointer(300, L, 5, 5, 15), 5);
}

TEST(CanvasLayout, HitTestsAreHalfOpenAndPickTheCursorByModeGroup) {
  EXPECT_TRUE(Inside(QRectF(10, 10, 5, 5), QPointF(10, 14.9)));
  EXPECT_FALSE(Inside(QRectF(10, 10, 5, 5), QPointF(15, 12)));
  EXPECT_FALSE(Inside(QRectF(), QPointF(0, 0)));

  HitRects rects;
  rects.Buttons[1] = QRectF(100, 100, 55, 22);
  rects.Buttons[3] = QRectF(300, 5, 80, 70);
  rects.Handles[0] = QRectF(0, 0, 50, 50);
  rects.Handles[3] = QRectF(50, 0, 10, 10);
  rects.Nav[0] = QRectF(200, 200, 50, 40);
  HitState state;

  HitTestCanvas(ToolModes::Mode(19), QPointF(310, 10), rects, state);
  EXPECT_TRUE(state.BarShown);
  EXPECT_EQ(state.HotButton, 3);
  EXPECT_EQ(state.Pointer, Cursor::Picker);
  HitTestCanvas(ToolModes::Mode(1), QPointF(52, 5), rects, state);
  EXPECT_FALSE(state.BarShown);
  EXPECT_TRUE(state.HandleHit);
  EXPECT_EQ(state.HandleIndex, 3);
  EXPECT_EQ(state.Pointer, Cursor::SizeBDiag);
  HitTestCanvas(ToolModes::Mode(1), QPointF(20, 20), rects, state);
  EXPECT_EQ(state.HandleIndex, 0);
  EXPECT_EQ(state.Pointer, Cursor::Cross);
  HitTestCanvas(ToolModes::Mode(21), QPointF(210, 210), rects, state);
  EXPECT_TRUE(state.GripHit);

  HitTestCanvas(ToolModes::Mode(30), QPointF(120, 110), rects, state);
  EXPECT_EQ(state.Pointer, Cursor::Moused);
  HitTestCanvas(ToolModes::Mode(30), QPointF(500, 500), rects, state);
  EXPECT_EQ(state.Pointer, Cursor::Arrow);
  HitTestCanvas(ToolModes::Mode(37), QPointF(500, 500), rects, state);
  EXPECT_EQ(state.Pointer, Cursor::Cross);

  HitTestCanvas(ToolModes::Mode(0), QPointF(210, 210), rects, state);
  EXPECT_TRUE(state.GripHit);
  EXPECT_EQ(state.NavButtonIndex, 0);
  EXPECT_EQ(state.Pointer, Cursor::PanView);
  HitTestCanvas(ToolModes::Mode(0), QPointF(120, 110), rects, state);
  EXPECT_FALSE(state.BarShown);  // viewing has no command bar
  EXPECT_EQ(state.Pointer, Cursor::Shou);
  HitTestCanvas(ToolModes::Mode(4), QPointF(120, 110), rects, state);
  EXPECT_TRUE(state.BarShown);
  EXPECT_EQ(state.Pointer, Cursor::Moused);

  EXPECT_EQ(HandleCursor(5, Cursor::Cross), Cursor::SizeFDiag);
  EXPECT_EQ(HandleCursor(6, Cursor::Cross), Cursor::SizeVer);
  EXPECT_EQ(HandleCursor(8, Cursor::Cross), Cursor::SizeHor);
  EXPECT_EQ(HandleCursor(9, Cursor::Cross), Cursor::Cross);
}
