// The pane layout worked out without widgets: the column rules, the thumbnail pane's
// collapse, the text strip, refused negative sizes, and where the columns end.
#include <gtest/gtest.h>

#include <QPoint>

#include "mainwindow/PaneLayout.h"

namespace {

using PaneLayout::ArrangeMainPanes;
using PaneLayout::MainPanes;

constexpr QSize kWindow{1024, 768};

// The panes as the window places them: fixed heights and the three bars' positions.
MainPanes Placed(int splitHLeft = 280, int splitLVTop = 400, int splitVTop = 480) {
  MainPanes p;
  p.TitleSkin.Height = 25;
  p.qzToolbarUser.Height = 20;
  p.ImageToolbar.Height = 40;
  p.ResizeBorder = {0, 0, 17, 17, true};
  p.UserqzSplitH = {splitHLeft, 93, 9, 600, true};
  p.UserqzSplitLV = {8, splitLVTop, 200, 10, true};
  p.UserqzSplitV = {289, splitVTop, 700, 25, true};
  p.YDSTextControl1.Height = 25;
  return p;
}

int Bottom(const PaneLayout::PaneBox& box) { return box.Top + box.Height; }
int Right(const PaneLayout::PaneBox& box) { return box.Left + box.Width; }

TEST(PaneLayout, ColumnsEndTenAboveTheBottomAndFiveShortOfTheRight) {
  const MainPanes p = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed()).Panes;
  EXPECT_EQ(Bottom(p.ThumqzViewer), kWindow.height() - 10);
  EXPECT_EQ(Bottom(p.UserqzSplitH), kWindow.height() - 10);
  EXPECT_EQ(Right(p.SingleqzPreview), kWindow.width() - 5);
  EXPECT_EQ(Right(p.ThumqzViewer), kWindow.width() - 5);
  EXPECT_EQ(Right(p.UserqzSplitV), kWindow.width() - 5);
  EXPECT_EQ(Bottom(p.UserqzProcess1), kWindow.height() - 2);
  // The bands stack under the title bar, and the grip sits in the corner.
  EXPECT_EQ(p.qzToolbarUser.Top, 26);
  EXPECT_EQ(p.ImageToolbar.Top, 47);
  EXPECT_EQ(p.ImageToolbar.Width, kWindow.width());
  EXPECT_EQ(QPoint(p.ResizeBorder.Left, p.ResizeBorder.Top), QPoint(1007, 751));
  // The canvas fills the column above the bar, the sheet below it; the tree box above the
  // left splitter.
  EXPECT_EQ(p.SingleqzPreview.Top, 93);
  EXPECT_EQ(p.SingleqzPreview.Height, 480 - 93);
  EXPECT_EQ(p.ThumqzViewer.Top, 505);
  EXPECT_EQ(p.FolderView.Top, 128);
  EXPECT_EQ(Bottom(p.FolderView), 400 - 8);
  EXPECT_EQ(p.UserqzSplitLV.Width, p.FolderView.Width);
}

TEST(PaneLayout, LeftColumnShowsOnlyRightOf260AndOnlyThenFitsTheTree) {
  const PaneLayout::Arrangement at260 = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed(260));
  EXPECT_FALSE(at260.Panes.FolderView.Visible);
  EXPECT_FALSE(at260.Panes.UserqzSplitLV.Visible);
  EXPECT_FALSE(at260.Panes.UserqzProcess1.Visible);
  EXPECT_FALSE(at260.ResizeFolderTree);
  const PaneLayout::Arrangement at261 = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed(261));
  EXPECT_TRUE(at261.Panes.FolderView.Visible);
  EXPECT_TRUE(at261.Panes.UserqzSplitLV.Visible);
  EXPECT_TRUE(at261.Panes.UserqzProcess1.Visible);
  EXPECT_TRUE(at261.ResizeFolderTree);
}

TEST(PaneLayout, BarAtTheColumnTopHidesTheCanvasAndOnePixelLowerShowsItOnePixelHigh) {
  const MainPanes top = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed(280, 400, 93)).Panes;
  EXPECT_FALSE(top.SingleqzPreview.Visible);
  EXPECT_TRUE(top.ThumqzViewer.Visible);
  EXPECT_EQ(top.ThumqzViewer.Top, 93 + 25);
  const MainPanes lower = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed(280, 400, 94)).Panes;
  EXPECT_TRUE(lower.SingleqzPreview.Visible);
  EXPECT_EQ(lower.SingleqzPreview.Height, 1);
}

TEST(PaneLayout, PaneCollapsesExactlyWhenTheBarIsWithinFiveOfTheBottom) {
  // H - bar height = 743: collapsed while the bar's Top + 5 exceeds it.
  const PaneLayout::Arrangement open = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed(280, 400, 738));
  EXPECT_TRUE(open.Panes.ThumqzViewer.Visible);
  EXPECT_FALSE(open.ThumOpenOffered);
  const PaneLayout::Arrangement collapsed = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed(280, 400, 739));
  EXPECT_FALSE(collapsed.Panes.ThumqzViewer.Visible);
  EXPECT_TRUE(collapsed.Panes.SingleqzPreview.Visible);
  EXPECT_TRUE(collapsed.ThumOpenOffered);
}

TEST(PaneLayout, TextAndCalendarToolsMoveTheCanvasDownAndLeaveTheSheet) {
  const MainPanes browse = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, Placed()).Panes;
  for (ToolModes::Mode tool : {ToolModes::Mode::Text, ToolModes::Mode::Calendar}) {
    const MainPanes text = ArrangeMainPanes(kWindow, tool, Placed()).Panes;
    EXPECT_EQ(text.YDSTextControl1.Top, 93);
    EXPECT_EQ(text.YDSTextControl1.Left, browse.SingleqzPreview.Left);
    EXPECT_EQ(text.YDSTextControl1.Width, browse.SingleqzPreview.Width);
    EXPECT_EQ(text.SingleqzPreview.Top, browse.SingleqzPreview.Top + 25);
    EXPECT_EQ(text.SingleqzPreview.Height, browse.SingleqzPreview.Height - 25);
    EXPECT_EQ(text.ThumqzViewer.Top, browse.ThumqzViewer.Top);
    EXPECT_EQ(text.ThumqzViewer.Height, browse.ThumqzViewer.Height);
  }
}

TEST(PaneLayout, TooNarrowAWindowKeepsTheOldWidthsAndTheCopiesFollowIt) {
  MainPanes before = Placed(280);
  before.SingleqzPreview.Width = 333;
  before.YDSTextControl1.Width = 111;
  const MainPanes p = ArrangeMainPanes({200, 768}, ToolModes::Mode::Browse, before).Panes;
  EXPECT_EQ(p.SingleqzPreview.Width, 333);
  EXPECT_EQ(p.YDSTextControl1.Width, 333);
  EXPECT_EQ(p.ThumqzViewer.Width, 333);
  EXPECT_EQ(p.UserqzSplitV.Width, 333);
  // The steps after the refused one still run.
  EXPECT_EQ(p.ResizeBorder.Left, 200 - 17);
}

TEST(PaneLayout, StoredBarsFromALargerScreenComeInside) {
  const MainPanes inside = PaneLayout::BarsInside(kWindow, Placed(1500, 1000, 1100));
  const MainPanes p = ArrangeMainPanes(kWindow, ToolModes::Mode::Browse, inside).Panes;
  EXPECT_LT(Right(p.UserqzSplitH), kWindow.width());
  EXPECT_GT(p.SingleqzPreview.Width, 0);
  EXPECT_GT(p.UserqzProcess1.Height, 0);
  // A bar left at the bottom of a larger window stays collapsed at this one's bottom.
  EXPECT_EQ(p.UserqzSplitV.Top, kWindow.height() - 25 - 3);
  EXPECT_FALSE(p.ThumqzViewer.Visible);
  // Bars already inside stay where they are.
  const MainPanes kept = PaneLayout::BarsInside(kWindow, Placed());
  EXPECT_EQ(kept.UserqzSplitH.Left, 280);
  EXPECT_EQ(kept.UserqzSplitLV.Top, 400);
  EXPECT_EQ(kept.UserqzSplitV.Top, 480);
}

}  // namespace
