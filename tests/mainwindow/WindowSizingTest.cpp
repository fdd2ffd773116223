// Where the taskbar stands and where the window goes beside it, and the thumbnail pane's
// quick open and close.
#include <gtest/gtest.h>

#include "mainwindow/WindowSizing.h"

namespace {

using WindowSizing::TaskbarRect;

constexpr int Ws = 1024;
constexpr int Hs = 768;
const QRect kScreen(0, 0, Ws, Hs);

// The text and the window for a screen whose work area leaves that strip off.
struct Placement {
  QString text;
  QRect window;
};
Placement ForWorkArea(const QRect& available) {
  const std::optional<TaskbarRect> taskbar = WindowSizing::TaskbarOf(kScreen, available);
  const QString text = taskbar ? WindowSizing::GetTaskbarPos(Ws, Hs, *taskbar) : QString();
  return {text, WindowSizing::ResizeScrGeometry(Ws, Hs, text, available)};
}

TEST(WindowSizing, TaskbarOnEachEdgeGivesItsTextAndTheWindowBesideIt) {
  const Placement bottom = ForWorkArea({0, 0, 1024, 738});
  EXPECT_EQ(bottom.text, "30*B");
  EXPECT_EQ(bottom.window, QRect(0, 0, 1024, 738));
  const Placement top = ForWorkArea({0, 30, 1024, 738});
  EXPECT_EQ(top.text, "30*T");
  EXPECT_EQ(top.window, QRect(0, 30, 1024, 738));
  const Placement left = ForWorkArea({60, 0, 964, 768});
  EXPECT_EQ(left.text, "60*L");
  EXPECT_EQ(left.window, QRect(60, 0, 964, 768));
  const Placement right = ForWorkArea({0, 0, 964, 768});
  EXPECT_EQ(right.text, "60*R");
  EXPECT_EQ(right.window, QRect(0, 0, 964, 768));
}

TEST(WindowSizing, LaterTestsWin) {
  // Starting right of the origin reads as the right edge, whatever else holds.
  EXPECT_TRUE(WindowSizing::GetTaskbarPos(Ws, Hs, {5, 0, 1100, 768}).endsWith("R"));
  EXPECT_EQ(WindowSizing::GetTaskbarPos(Ws, Hs, {5, 0, 1100, 768}), "1095*R");
  // A full-width bar along the top whose bottom reaches the screen's: the top test wins.
  EXPECT_EQ(WindowSizing::GetTaskbarPos(Ws, Hs, {0, 0, 1024, 768}), "768*T");
  // No test holds: an empty text.
  EXPECT_EQ(WindowSizing::GetTaskbarPos(Ws, Hs, {0, 10, 1024, 40}), "");
}

TEST(WindowSizing, NoPanelOrPanelsOnTwoEdgesGiveTheWorkArea) {
  const Placement none = ForWorkArea(kScreen);
  EXPECT_TRUE(none.text.isEmpty());
  EXPECT_EQ(none.window, kScreen);
  const Placement two = ForWorkArea({0, 30, 1024, 708});
  EXPECT_TRUE(two.text.isEmpty());
  EXPECT_EQ(two.window, QRect(0, 30, 1024, 708));
}

TEST(WindowSizing, ThumbnailPaneOpensAt200AboveTheBottomAndCollapsingRemembersTheBar) {
  constexpr int H = 768;
  constexpr int bar = 25;
  std::int32_t oldThumTop = 0;
  // First opening of a collapsed pane with nothing kept.
  const auto first = WindowSizing::ToggleThumbnailPane(H, H - bar - 3, bar, oldThumTop);
  EXPECT_TRUE(first.Opened);
  EXPECT_EQ(first.BarTop, H - 200);
  // Collapsing keeps the bar's place; opening goes back to it.
  const auto collapsed = WindowSizing::ToggleThumbnailPane(H, 333, bar, oldThumTop);
  EXPECT_FALSE(collapsed.Opened);
  EXPECT_EQ(collapsed.BarTop, H - bar - 3);
  EXPECT_EQ(oldThumTop, 333);
  const auto reopened = WindowSizing::ToggleThumbnailPane(H, collapsed.BarTop, bar, oldThumTop);
  EXPECT_TRUE(reopened.Opened);
  EXPECT_EQ(reopened.BarTop, 333);
}

TEST(WindowSizing, TitleButtonsOffTheWorkAreaComeBackTheShortestWay) {
  const QRect area(0, 30, 1024, 708);
  const QRect buttons(0, 0, 40, 20);
  const auto place = [&](QRect window, QRect buttonsAt) {
    return WindowSizing::WithButtonsOnWorkArea(window, buttonsAt, area);
  };
  // Inside: the window stays.
  EXPECT_EQ(place({100, 200, 800, 400}, buttons.translated(900, 40)), QPoint(100, 200));
  // Past the left edge, above the top, past the right and below the bottom.
  EXPECT_EQ(place({-900, 0, 900, 500}, buttons.translated(-60, 10)), QPoint(-840, 20));
  EXPECT_EQ(place({0, 0, 1040, 600}, buttons.translated(1000, 730)), QPoint(-16, -12));
  // Buttons wider than the area keep their left end on it.
  EXPECT_EQ(place({0, 0, 2000, 300}, QRect(-5, 40, 2000, 20)), QPoint(5, 0));
}

TEST(WindowSizing, ABottomEdgeOffTheWorkAreaComesBackUpAsFarAsTheButtonsAllow) {
  const QRect area(0, 30, 1024, 708);
  const QRect buttons(740, 110, 40, 20);
  // The grip 79 pixels below the work area: the window moves up by as much.
  EXPECT_EQ(WindowSizing::WithButtonsOnWorkArea({100, 100, 800, 717}, buttons, area), QPoint(100, 21));
  // Taller than the work area: the buttons stay on it, at its top.
  EXPECT_EQ(WindowSizing::WithButtonsOnWorkArea({100, 100, 800, 1000}, buttons, area), QPoint(100, 20));
}

}  // namespace
