// The main window on the offscreen platform: its life from load to unload, the one close
// path with its save prompt, the caption strip and the title bar's buttons, and what a
// restart reads back.
#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QtCore/qtestsupport_core.h>
#include <QMouseEvent>
#include <QScreen>

#include "browse/ModFolderView.h"
#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/ButtonControl.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/FrmMain.h"
#include "platform/Registry.h"
#include "FrmMainFixture.h"
#include "support/TestFolder.h"
#include "support/fakes/ScriptedMessageBox.h"
#include "windows/FrmSlideshow.h"

namespace {

TEST_F(FrmMainTest, PanesStayHiddenUntilTheTreeIsReadyThenTheTimerStops) {
  FrmMain& window = Start(false);
  EXPECT_TRUE(window.PanesReady());
  EXPECT_EQ(window.windowTitle(), "Vesk Lorvane 6 - Free");
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_FALSE(window.windowIcon().isNull()) << "the taskbar entry shows the program's icon";
  QTest::qWait(1200);
  EXPECT_FALSE(PanesShown());
  EXPECT_TRUE(window.LayoutTimer().isActive());
  ModFolderView::FolderTreeReady = true;
  EXPECT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
  EXPECT_FALSE(window.LayoutTimer().isActive());
  EXPECT_GT(window.FontList().count(), 0) << "the font list is filled at load";
}

TEST_F(FrmMainTest, LoadPutsTheDefaultToolsOverTheStoredOnes) {
  ModqzReg::SaveRegString(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, ModqzReg::ValueName::LineMenu, "Line_5");
  ModqzReg::SaveRegDword(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, ModqzReg::ValueName::IsMax, 1);
  ModPublic::CurrentToolKey = "Filter_Crop";
  ModPublic::StampBrushKey = "Stamp_Brush1";
  Start();
  EXPECT_EQ(ModqzReg::LineMenu, "Line_1");
  EXPECT_EQ(ModPublic::StampBrushKey, "Stamp_Brush3");
  EXPECT_EQ(ModPublic::CurrentToolKey, "Filter_Browse");
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 1);
  EXPECT_TRUE(ModqzReg::IsMaximized) << "the stored maximise flag is kept as read";
}

TEST_F(FrmMainTest, SortKeysSetTheSheetsOrderAndOtherKeysNothing) {
  FrmMain& window = Start();
  window.SettingArrange_Menu("View_Sortsize");
  EXPECT_EQ(window.Sheet().ThumbnaillSort(), 2);
  window.SettingArrange_Menu("View_Sortstar");
  EXPECT_EQ(window.Sheet().ThumbnaillSort(), 5);
  window.SettingArrange_Menu("File_Open");
  EXPECT_EQ(window.Sheet().ThumbnaillSort(), 5);
}

TEST_F(FrmMainTest, BarPositionsAndTheKeptThumbnailTopReadBackAfterARestart) {
  FrmMain& first = Start();
  first.SetSplitHLeft(300);
  first.SetSplitLVTop(420);
  first.SetSplitVTop(500);
  first.ArrangeMainPanes();
  ModqzReg::OldThumTop = 321;
  const PaneLayout::MainPanes before = first.Panes();
  ASSERT_TRUE(first.close());
  ModqzReg::OldThumTop = 0;

  FrmMain& second = Start();
  EXPECT_EQ(second.SplitHLeft(), 300);
  EXPECT_EQ(second.SplitLVTop(), 420);
  EXPECT_EQ(second.SplitVTop(), 500);
  EXPECT_EQ(ModqzReg::OldThumTop, 321);
  const PaneLayout::MainPanes after = second.Panes();
  for (auto pane : PaneLayout::kAllPanes) {
    const PaneLayout::PaneBox& a = before.*pane;
    const PaneLayout::PaneBox& b = after.*pane;
    EXPECT_EQ(QRect(a.Left, a.Top, a.Width, a.Height), QRect(b.Left, b.Top, b.Width, b.Height));
  }
}

TEST_F(FrmMainTest, UnsavedChangesAskAndOnlyNoOrASuccessfulSaveClose) {
  FrmMain& window = Start();
  MarkChanged(window);
  {
    Fakes::ScriptedMessageBox box{Forms::vbCancel};
    EXPECT_FALSE(window.close());
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, "Save...");
  }
  EXPECT_TRUE(window.isVisible());
  {
    // Nothing is loaded, so the save writes nothing: the window stays, the changes kept.
    Fakes::ScriptedMessageBox box{Forms::vbYes};
    EXPECT_FALSE(window.close());
  }
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.Canvas().AppliedEffect());
  Fakes::ScriptedMessageBox box{Forms::vbNo};
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(QFile::exists(m_folder.File("config/registry.ini"))) << "unload saves the settings";
}

TEST_F(FrmMainTest, QueryUnloadDeletesItsThreeFilesOnly) {
  const QStringList session{"Skintemp.tmp", "Librarians/Stamptemp.tmp", "Datas/libtemplorvne.dat"};
  for (const QString& name : session) {
    m_folder.Write(name, "x");
  }
  const QString kept = m_folder.Write("Datas/History.tmp", "x");
  ASSERT_TRUE(Start().close());
  for (const QString& name : session) {
    EXPECT_FALSE(QFile::exists(m_folder.File(name))) << name.toStdString();
  }
  EXPECT_TRUE(QFile::exists(kept));
}

TEST_F(FrmMainTest, SecondaryWindowsBelongToTheWindowAndCloseWithIt) {
  FrmMain& window = Start();
  const std::unique_ptr<TaskDialogServices> dialog = window.TaskDialogs()->CreateTaskDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dynamic_cast<QWidget&>(*dialog).parentWidget(), &window);
  EXPECT_EQ(dialog->ButtonState(), 0);

  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(Qt::white);
  window.OwnSlideshow().SetisFullView(true);
  window.OwnSlideshow().Show();
  EXPECT_TRUE(window.OwnSlideshow().StartSlideshow({}, &picture));
  ASSERT_EQ(window.findChildren<FrmSlideshow*>().size(), 1);
  EXPECT_TRUE(window.findChild<FrmSlideshow*>()->isVisible());
  ASSERT_TRUE(window.close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.findChildren<FrmSlideshow*>().isEmpty()) << "the unload closes the slideshow";
}

TEST_F(FrmMainTest, TitleBarClosesThroughThePromptAndMinimises) {
  FrmMain& window = Start();
  window.SkinMenu()->SetVisible(true);
  window.OnTitleButton(0);
  EXPECT_FALSE(window.SkinMenu()->Visible()) << "the menu hides first";
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());
  window.OnTitleButton(2);
  EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMinimized));
  window.showNormal();
  MarkChanged(window);
  Fakes::ScriptedMessageBox cancel{Forms::vbCancel};
  window.OnTitleButton(1);
  EXPECT_EQ(cancel.shown.size(), 1u);
  EXPECT_TRUE(window.isVisible());
  cancel.answers = {Forms::vbNo};
  window.OnTitleButton(1);
  EXPECT_FALSE(window.isVisible());
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

TEST_F(FrmMainTest, ATitleBarDragThatLeavesTheButtonsOffTheWorkAreaIsUndone) {
  FrmMain& window = Start();
  const QRect area = window.screen()->availableGeometry();
  QWidget& bar = window.TitleBarWidget();
  const QPoint grip(40, 10);
  SendMouse(bar, QEvent::MouseButtonPress, grip);
  // Dropped with the window's right end, where the buttons are, past the area's left edge.
  const QPoint drop = grip + QPoint(area.left() - window.x() - window.width() - 50, 0);
  SendMouse(bar, QEvent::MouseMove, drop);
  SendMouse(bar, QEvent::MouseButtonRelease, drop);
  const auto buttonsOnArea = [&] {
    const QPoint closeButton = bar.mapToGlobal(ButtonControl::ButtonRects(bar.width())[1].center().toPoint());
    return area.contains(closeButton);
  };
  EXPECT_TRUE(QTest::qWaitFor(buttonsOnArea, 3000)) << "the window came back at " << window.x();
  EXPECT_LT(window.x(), area.left()) << "only as far as the buttons need";
}

TEST_F(FrmMainTest, CaptionStripShowsTheFolderAndAClickTogglesTheHistory) {
  FrmMain& window = Start();
  window.SetLabel1Caption({});
  window.LeftSkinstyle();
  const QRectF strip = window.CaptionStrip();
  const QImage shot = window.BackBuffer();
  EXPECT_EQ(shot.pixelColor(strip.center().toPoint() + QPoint(40, 0)), QColor(Qt::white));
  // "History:" in dark letters left of the strip.
  int dark = 0;
  for (int y = int(strip.top()); y < int(strip.bottom()) + 4; ++y) {
    for (int x = 8; x < 60; ++x) {
      dark += shot.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    }
  }
  EXPECT_GT(dark, 20);

  QWidget& menu = window.SkinMenuWidget();
  const QPoint inside = strip.center().toPoint();
  Click(window, inside);
  EXPECT_TRUE(window.SkinMenu()->Visible());
  EXPECT_EQ(menu.geometry(), QRect(65, int(strip.bottom()) + 2, 600, int(window.SkinMenu()->New_Height()) + 10));
  Click(window, QPoint(int(strip.right()) + 5, inside.y()));
  EXPECT_TRUE(window.SkinMenu()->Visible()) << "a click outside the strip does nothing";
  Click(window, inside);
  EXPECT_FALSE(window.SkinMenu()->Visible());
}

TEST_F(FrmMainTest, CollapsingThePaneFromTheColumnTopShowsTheCanvas) {
  FrmMain& window = Start();
  window.SetSplitVTop(93);
  window.ArrangeMainPanes();
  EXPECT_TRUE(window.Canvas().isHidden());
  window.ToggleThumbnailPane();
  EXPECT_FALSE(window.Canvas().isHidden());
  EXPECT_TRUE(window.Sheet().isHidden());
  EXPECT_EQ(ModqzReg::OldThumTop, 93);
  window.ToggleThumbnailPane();
  EXPECT_EQ(window.SplitVTop(), 93);
}

TEST_F(FrmMainTest, ThumbnailBarsButtonCollapsesAndOpensThePane) {
  FrmMain& window = Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
  // The thumbnail bar's open/close button collapses the pane and opens it again.
  ASSERT_FALSE(window.Sheet().isHidden());
  auto* bar = window.findChild<ScrollControl*>();
  ASSERT_NE(bar, nullptr);
  QWidget& toggle = *bar->ToggleButton();
  Click(toggle, QPoint(5, 5));
  EXPECT_TRUE(window.Sheet().isHidden());
  Click(toggle, QPoint(5, 5));
  EXPECT_FALSE(window.Sheet().isHidden());
}

// Pictures of the window at 1024 x 768 for a person to look at: a folder listed with a
// picture shown, the thumbnail pane collapsed, and the left column collapsed.
TEST_F(FrmMainTest, ScreenshotsOfTheLayouts) {
  const QString pictures = m_folder.MakeFolder("Pictures");
  const QColor colours[] = {QColor(200, 60, 50), QColor(40, 150, 80), QColor(50, 80, 190)};
  for (int i = 0; i < 3; ++i) {
    QImage image(480, 320, QImage::Format_RGB32);
    image.fill(colours[i]);
    ASSERT_TRUE(image.save(pictures + QStringLiteral("/photo%1.png").arg(i)));
  }
  FrmMain& window = Start();
  window.resize(1024, 768);
  ModFolderView::ShowFolderView(window);
  ModFolderView::SelectFolderPath(pictures);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.Sheet().ListCount == 3; }, 20000));
  window.FileImport(pictures + "/photo0.png");
  QTest::qWait(1500);
  const QString folder = TestSupport::ArtifactsFolder();
  EXPECT_TRUE(window.grab().save(folder + "/mainwindow-1024x768.png"));
  window.ToggleThumbnailPane();
  QTest::qWait(200);
  EXPECT_TRUE(window.Sheet().isHidden());
  EXPECT_TRUE(window.grab().save(folder + "/mainwindow-thumbnails-collapsed.png"));
  window.ToggleThumbnailPane();
  window.SetSplitHLeft(200);
  window.ArrangeMainPanes();
  QTest::qWait(200);
  EXPECT_TRUE(window.FolderView()->isHidden());
  EXPECT_TRUE(window.grab().save(folder + "/mainwindow-left-column-collapsed.png"));
  ModFolderView::CloseFolderView();
}

}  // namespace
