#include <gtest/gtest.h>

#include "controls/MenuLayout.h"
#include "controls/SkinMenuState.h"

namespace {

// A menu set up the way the host opens one: first row looked up, 217 wide.
SkinMenuState Opened(int menu) {
  SkinMenuState state;
  state.SetMemFirst(true);
  state.Initializemenu(menu, 217);
  return state;
}

TEST(MenuLayout, RowsAndSeparatorsStackFromTheTop) {
  const SkinMenuState state = Opened(5);
  const std::vector<QRectF>& rects = state.RowRects();
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[0], QRectF(2, 8, 195, 20));
  EXPECT_EQ(rects[1], QRectF(2, 28, 195, 20));
  EXPECT_EQ(rects[2], QRectF(2, 43, 195, 15));
  EXPECT_EQ(rects[3], QRectF(2, 58, 195, 20));
  EXPECT_FLOAT_EQ(state.New_Height(), 75);
  EXPECT_FALSE(state.MemFirst());
  EXPECT_EQ(state.CurrentlyMenu(), 5);
  EXPECT_EQ(state.MenuCounts(), 4);
}

TEST(MenuLayout, HitTestsAreHalfOpenAndTheRowAboveWinsAnOverlap) {
  const SkinMenuState state = Opened(5);
  const auto rows = state.OpenRows();
  const auto& rects = state.RowRects();
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {2, 8}), 0);
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {196.9, 27.9}), 0);
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {197, 20}), std::nullopt);
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {10, 28}), 1);
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {10, 45}), 1);
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {10, 48}), 2);
  EXPECT_EQ(MenuLayout::HitTest(rects, rows, {10, 7.5}), std::nullopt);
}

TEST(SkinMenuState, ADisabledRowIsNeverFoundOrReported) {
  SkinMenuState state = Opened(0);
  state.MenuVisible("file_save", false);
  EXPECT_TRUE(state.OpenRows()[3].disabled);
  EXPECT_TRUE(state.Move({20, 38}));
  EXPECT_EQ(state.HoveredRow(), 1);

  EXPECT_FALSE(state.Move({20, 60}));
  EXPECT_EQ(state.PressMenuEnabled(), 0);
  EXPECT_EQ(state.HoveredRow(), 1);
  state.Release();
  EXPECT_EQ(state.PressMenuID(), "File_Open");
}

TEST(SkinMenuState, ASeparatorIsReportedAsAnEnabledDash) {
  SkinMenuState state = Opened(5);
  EXPECT_TRUE(state.Move({20, 50}));
  state.Release();
  EXPECT_EQ(state.PressMenuEnabled(), 1);
  EXPECT_EQ(state.PressMenuID(), "-");
  EXPECT_FALSE(state.HighlightMoves());
}

TEST(SkinMenuState, OutsideEveryRowTheOldKeyStaysAndAMoveClearsThePress) {
  SkinMenuState state = Opened(5);
  ASSERT_TRUE(state.Move({20, 60}));
  state.Release();
  EXPECT_EQ(state.PressMenuID(), "Create_Scr");
  EXPECT_FALSE(state.Move({20, 200}));
  EXPECT_EQ(state.PressMenuID(), "");
  state.Release();
  EXPECT_EQ(state.PressMenuEnabled(), 0);
  EXPECT_EQ(state.PressMenuID(), "Create_Scr");
  EXPECT_EQ(state.Caption(), "Create Screensaver");
  state.SetPressMenuID("");
  EXPECT_EQ(state.PressMenuID(), "");
}

TEST(SkinMenuState, MarksActOnlyWithinTheMenuSetUpLast) {
  SkinMenuState state = Opened(1);
  state.MenuChecked("File_New", true);
  state.MenuVisible("FILE_NEW", false);
  EXPECT_FALSE(state.Model().Row(1).checked);
  EXPECT_FALSE(state.Model().Row(1).disabled);
  state.MenuChecked("edit_redo", true);
  EXPECT_TRUE(state.Model().Row(18).checked);
  state.MenuVisible("No_Such_Key", false);

  // Marks live in the table and survive setting up another menu.
  state.SetMemFirst(true);
  state.Initializemenu(0, 217);
  state.SetMemFirst(true);
  state.Initializemenu(1, 217);
  EXPECT_TRUE(state.OpenRows()[1].checked);
}

TEST(SkinMenuState, TheFirstRowHoveredAfterSetUpTakesTheHighlightEvenTheLast) {
  SkinMenuState state = Opened(5);
  EXPECT_EQ(state.PreviousRow(), SkinMenuState::NoRow);
  ASSERT_TRUE(state.Move({20, 60}));
  EXPECT_TRUE(state.HighlightMoves());
  state.SetPreviousRow(state.HoveredRow());
  ASSERT_TRUE(state.Move({20, 62}));
  EXPECT_FALSE(state.HighlightMoves());
  ASSERT_TRUE(state.Move({20, 10}));
  EXPECT_TRUE(state.HighlightMoves());
}

TEST(SkinMenuState, WithoutMemFirstTheOldFirstRowStays) {
  SkinMenuState state = Opened(5);
  state.Initializemenu(6, 217);
  EXPECT_EQ(state.CurrentlyMenu(), 6);
  EXPECT_EQ(state.OpenRows()[0].key, "Create_Desktop");
  state.Initializemenu(42, 217);
  EXPECT_EQ(state.MenuCounts(), 4);
}

TEST(SkinMenuState, AnEmptyHistoryOpensNoRows) {
  SkinMenuState state = Opened(12);
  EXPECT_EQ(state.MenuCounts(), 0);
  EXPECT_TRUE(state.OpenRows().empty());
  EXPECT_FLOAT_EQ(state.New_Height(), 0);
  EXPECT_FALSE(state.Move({20, 10}));
}

}  // namespace
