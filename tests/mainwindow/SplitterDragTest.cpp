#include "FrmMainFixture.h"

#include <QComboBox>
#include <QWindow>

#include "browse/ScrollControl.h"
#include "controls/ToolbarImg.h"
#include "controls/UserqzSplit.h"
#include "controls/YDSTextControl.h"
#include "support/fakes/FakeFileChooser.h"
#include "mainwindow/SplitterDrag.h"

namespace {

using namespace SplitterDrag;

constexpr int kW = 1000;
constexpr int kH = 700;
constexpr int kPaneTop = 93;

// A move with the left button held, as during a drag.
void DragTo(QWidget& widget, QPointF at) {
  QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

TEST(SplitterDropRules, TheThumbnailBarCollapsesNearTheBottomAndSnapsToTheTop) {
  // The bar moves by the pointer's travel since the press.
  EXPECT_EQ(DropThumbnailBar(400, 20, 5, 55, kH, kPaneTop).Top, 450);
  EXPECT_TRUE(DropThumbnailBar(400, 20, 0, float(kH - 159 - 400), kH, kPaneTop).Collapsed);
  EXPECT_EQ(DropThumbnailBar(400, 20, 0, float(kH - 159 - 400), kH, kPaneTop).Top, kH - 20 - 3);
  EXPECT_FALSE(DropThumbnailBar(400, 20, 0, float(kH - 160 - 400), kH, kPaneTop).Collapsed);
  EXPECT_EQ(DropThumbnailBar(400, 20, 0, float(kPaneTop + 99 - 400), kH, kPaneTop).Top, kPaneTop);
  EXPECT_EQ(DropThumbnailBar(400, 20, 0, float(kPaneTop + 100 - 400), kH, kPaneTop).Top, kPaneTop + 100);
  EXPECT_EQ(DropThumbnailBar(400, 20, 0, -1000, kH, kPaneTop).Top, kPaneTop) << "dropped above the panes";
}

TEST(SplitterDropRules, TheVerticalSplitterSnapsCollapsesAndStaysReachable) {
  for (int x : {231, 260, 289}) {
    EXPECT_EQ(VerticalGhostLeft(x, kW), kSnapLeft) << x;
  }
  EXPECT_EQ(VerticalGhostLeft(230, kW), 230);
  EXPECT_EQ(VerticalGhostLeft(290, kW), 290);
  EXPECT_EQ(VerticalGhostLeft(990, kW), kW - 100);
  // A snapped ghost decides the drop, whatever the travel.
  EXPECT_EQ(DropVerticalSplitter(500, 4, -300, kSnapLeft, kW).Left, kSnapLeft);
  const VerticalDrop collapsed = DropVerticalSplitter(280, 4, -20, 230, kW);
  EXPECT_TRUE(collapsed.Collapsed);
  EXPECT_EQ(collapsed.Left, kCollapsedLeft);
  EXPECT_EQ(DropVerticalSplitter(280, 4, 104, 380, kW).Left, 380);
  EXPECT_EQ(DropVerticalSplitter(280, 4, 2000, kW - 100, kW).Left, kW - 100) << "never beyond W - 100";
}

TEST(SplitterDropRules, TheLeftSplitterKeepsItsDistances) {
  EXPECT_EQ(ClampLeftSplitter(150, 100, kH), 300);
  EXPECT_EQ(ClampLeftSplitter(400, 100, kH), 400);
  EXPECT_EQ(ClampLeftSplitter(650, 100, kH), kH - 200);
  EXPECT_EQ(ClampLeftSplitter(450, 100, 450), 300) << "too small for both: the folder tree wins";
  EXPECT_EQ(ClampLeftSplitter(100, 100, 450), 300);
  EXPECT_FALSE(OutsideBand(105, 100, 10));
  EXPECT_TRUE(OutsideBand(111, 100, 10));
  EXPECT_TRUE(OutsideBand(99, 100, 10));
}

TEST(SplitterDropRules, TheGripSizesFromThePress) {
  const QSize size = GripResize({800, 600}, {900, 700}, {950, 730}, {400, 300});
  EXPECT_EQ(size, QSize(850, 630));
  EXPECT_EQ(GripResize({800, 600}, {900, 700}, {0, 0}, {400, 300}), QSize(400, 300));
}

class SplitterDragTest : public FrmMainTest {};

// A grip event at a screen position, the left button held from the press to the release.
void GripEvent(QWidget& grip, QEvent::Type type, QPoint global) {
  const QPointF local = grip.mapFromGlobal(QPointF(global));
  const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, QPointF(global), changed, held, Qt::NoModifier);
  QApplication::sendEvent(&grip, &event);
}

TEST_F(SplitterDragTest, DraggingTheBarsMovesThemOnRelease) {
  FrmMain& window = Start();
  window.resize(kW, kH);
  const QList<UserqzSplit*> bars = window.findChildren<UserqzSplit*>();
  ASSERT_EQ(bars.size(), 2);
  QWidget& split = bars[0]->height() > bars[0]->width() ? *bars[0] : *bars[1];
  const int before = split.x();
  Send(split, QEvent::MouseButtonPress, QPointF(4, 50));
  Send(split, QEvent::MouseButtonRelease, QPointF(6, 50));
  EXPECT_EQ(split.x(), before) << "a release inside the band moves nothing";

  Send(split, QEvent::MouseButtonPress, QPointF(4, 50));
  DragTo(split, QPointF(104, 50));
  Send(split, QEvent::MouseButtonRelease, QPointF(104, 50));
  EXPECT_EQ(split.x(), before + 100);
  EXPECT_EQ(window.FolderView()->x() + window.FolderView()->width() < split.x(), true);

  ScrollControl& bar = window.ThumbnailBar();
  Send(bar, QEvent::MouseButtonPress, QPointF(5, 5));
  DragTo(bar, QPointF(5, float(kH)));
  Send(bar, QEvent::MouseButtonRelease, QPointF(5, float(kH)));
  EXPECT_EQ(bar.y(), kH - bar.height() - 3);
  EXPECT_TRUE(window.Sheet().isHidden());
}

TEST_F(SplitterDragTest, TheGripGrowsTheWindowByThePointersTravelOnce) {
  FrmMain& window = Start();
  window.resize(kW, kH);
  ModqzReg::IsMaximized = false;
  QWidget* grip = window.findChild<QWidget*>("ResizeBorder");
  ASSERT_NE(grip, nullptr);
  // The pointer's screen position: the grip itself moves with the window's corner.
  const QPoint pressed = grip->mapToGlobal(QPoint(5, 5));
  GripEvent(*grip, QEvent::MouseButtonPress, pressed);
  GripEvent(*grip, QEvent::MouseMove, pressed + QPoint(20, 10));
  GripEvent(*grip, QEvent::MouseMove, pressed + QPoint(20, 10));
  GripEvent(*grip, QEvent::MouseButtonRelease, pressed + QPoint(20, 10));
  if (window.windowHandle()->startSystemResize(Qt::BottomEdge)) {
    GTEST_SKIP() << "the window system sizes the window itself";
  }
  EXPECT_EQ(window.size(), QSize(kW + 20, kH + 10));
  EXPECT_EQ(grip->geometry().bottomRight(), QPoint(kW + 19, kH + 9)) << "the panes are laid out again";
  ModqzReg::IsMaximized = true;
  GripEvent(*grip, QEvent::MouseButtonPress, pressed);
  GripEvent(*grip, QEvent::MouseMove, pressed + QPoint(60, 60));
  EXPECT_EQ(window.size(), QSize(kW + 20, kH + 10)) << "inert while maximised";
  ModqzReg::IsMaximized = false;
}

TEST_F(SplitterDragTest, TheSizeButtonTogglesItsPopUpUnderTheBar) {
  FrmMain& window = Start();
  window.resize(kW, kH);
  ModqzReg::ThumSizeMenu.clear();
  ScrollControl& bar = window.ThumbnailBar();
  emit bar.ThumbSizeClick(1, 0, 0, 0);
  QWidget& menu = window.SkinMenuWidget();
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.width(), kSizeMenuWidth);
  EXPECT_EQ(menu.x() + menu.width(), bar.x() + bar.width()) << "right-aligned with the bar";
  EXPECT_EQ(menu.y(), bar.y() + bar.height());
  EXPECT_EQ(ModqzReg::ThumSizeMenu, "Zoom_Normal");
  emit bar.ThumbSizeClick(1, 0, 0, 0);
  EXPECT_FALSE(menu.isVisible()) << "a second click closes it";
}

TEST_F(SplitterDragTest, AKnobPressInFitModeLeavesFitModeFirst) {
  FrmMain& window = Start();
  window.Canvas().SetFitMode(true);
  window.ImageToolbar()->PressDownID(ButtonId(ImageToolbarButton::Fit), true);
  ScrollControl& bar = window.ThumbnailBar();
  bar.qzisDrag = true;
  emit bar.MouseDown(1, 0, 5, 5);
  EXPECT_FALSE(window.Canvas().FitMode());
  EXPECT_FALSE(window.ImageToolbar()->Rpressdown(ButtonId(ImageToolbarButton::Fit)));
  emit bar.MouseUp(1, 0, 5, 5);
  bar.qzisDrag = false;
}

TEST_F(SplitterDragTest, TheToolbarAndTheTextStripReachTheWindowsHandlers) {
  FrmMain& window = Start();
  Fakes::FakeFileChooser chooser;
  window.UseFileChooser(chooser);
  ToolbarImg& toolbar = *window.findChild<ToolbarImg*>();
  toolbar.StartPaint();
  const QPointF open = toolbar.ButtonLayout().Rects[1].center();
  Send(toolbar, QEvent::MouseMove, open);
  Send(toolbar, QEvent::MouseButtonPress, open);
  Send(toolbar, QEvent::MouseButtonRelease, open);
  ASSERT_EQ(chooser.requests.size(), 1U) << "Open asks for a file";
  EXPECT_TRUE(chooser.requests[0].isOpen);

  YDSTextControl& strip = *window.findChild<YDSTextControl*>();
  strip.cbFontSize().setCurrentIndex(strip.cbFontSize().findText("12"));
  EXPECT_EQ(window.Canvas().FontSizeA(), 12);
}
}  // namespace
