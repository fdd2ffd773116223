// The main window's children's events, its keys and its wheel, on an offscreen window
// listing a folder of three pictures of distinct colours.
#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWheelEvent>
#include <QtCore/qtestsupport_core.h>

#include "browse/ScrollControl.h"
#include "controls/UserqzProcess.h"
#include "foundation/ModClipboard.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/forms/Input.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeFileChooser.h"
#include "support/fakes/FakeSkinnedControls.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

void Press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&widget, &event);
}

void Turn(QWidget& widget, int delta) {
  QWheelEvent event(QPointF(500, 300), widget.mapToGlobal(QPointF(500, 300)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

class FrmMainWiringTest : public FrmMainTest {
 protected:
  void SetUp() override {
    FrmMainTest::SetUp();
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
      QImage picture(64, 48, QImage::Format_RGB32);
      picture.fill(colours[i]);
      picture.save(pictures.File(QStringLiteral("%1.png").arg(char('a' + i))));
    }
  }
  void TearDown() override {
    SelectedFiles::Program().Clear();
    FrmMainTest::TearDown();
  }
  // A window listing the folder, with its first picture picked and shown.
  FrmMain& Listed() {
    FrmMain& window = Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.Sheet().isHidden(); }, 5000));
    window.Sheet().Path(pictures.Path());
    window.Sheet().CreateThumbnail();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Sheet().SheetReady(); }, 30000));
    const QPointF at = window.Sheet().HitRect(0).center();
    window.Sheet().PressThumbnail(1, 0, float(at.x()), float(at.y()));
    window.FileImport(SelectedFiles::Program().At(0));
    return window;
  }
  QString Shown() { return QFileInfo(m_window->Canvas().CurFilename).fileName(); }

  TestSupport::TestFolder pictures;
};

TEST_F(FrmMainWiringTest, APickEnablesThePictureButtonsWithOneRepaint) {
  FrmMain& window = Start();
  Fakes::FakeImageToolbar toolbar;
  Fakes::FakeSidePanel panel;
  toolbar.enabled.fill(false);
  window.UseImageToolbarServices(toolbar);
  window.UseSidePanelServices(panel);
  window.Sheet_MouseUp();
  for (int id = 0; id < 12; ++id) {
    const bool expected = id == 2 || id == 4 || id == 5 || id == 6 || id == 7;
    EXPECT_EQ(toolbar.enabled[std::size_t(id)], expected) << id;
  }
  EXPECT_EQ(toolbar.paints, 1);
  EXPECT_EQ(panel.propertyRefreshes, 1);
  EXPECT_FALSE(window.SkinMenu()->Visible());
  EXPECT_EQ(FrmMain::DateWatchText(5, 3, 2008), "5-3-2008-");
}

TEST_F(FrmMainWiringTest, ToolbarStepsAskFirstAndTheKeysDoNot) {
  FrmMain& window = Listed();
  ASSERT_EQ(Shown(), "a.png");
  MarkChanged(window);
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    window.ImageToolbar_MouseUp(7);
    EXPECT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(Shown(), "a.png") << "Cancel keeps the picture";
  }
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbNo});
    window.ImageToolbar_MouseUp(7);
    EXPECT_EQ(Shown(), "b.png");
    window.ImageToolbar_MouseUp(6);
    EXPECT_EQ(Shown(), "a.png");
  }
  MarkChanged(window);
  Fakes::ScriptedMessageBox boxes;
  window.ProcessShortcutKey('E', Forms::vbShiftMask);
  EXPECT_EQ(Shown(), "b.png");
  EXPECT_TRUE(boxes.shown.empty()) << "Shift+E leaves without asking";
}

TEST_F(FrmMainWiringTest, ZoomStepsStopAtTwiceAndAtAnEighth) {
  FrmMain& window = Listed();
  Fakes::FakeImageToolbar toolbar;
  window.UseImageToolbarServices(toolbar);
  toolbar.pressed[5] = true;
  window.Canvas().SetFitMode(true);
  for (int i = 0; i < 60; ++i) {
    window.PublicZoomout();
  }
  EXPECT_FALSE(window.Canvas().FitMode());
  EXPECT_FALSE(toolbar.pressed[5]);
  EXPECT_EQ(window.ThumbnailBar().Value(), 200);
  for (int i = 0; i < 100; ++i) {
    window.PublicZoomin();
  }
  EXPECT_EQ(window.ThumbnailBar().Value(), 12);
}

int VisibleTopLevels() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    count += widget->isVisible() ? 1 : 0;
  }
  return count;
}

TEST_F(FrmMainWiringTest, TheFullViewOpensOnlyWhileBrowsing) {
  FrmMain& window = Listed();
  const int before = VisibleTopLevels();
  window.Canvas().SetEffect(4);
  window.Canvas_DblClick();
  EXPECT_EQ(VisibleTopLevels(), before);
  window.Canvas().SetEffect(0);
  window.Canvas_DblClick();
  EXPECT_EQ(VisibleTopLevels(), before + 1);
  window.OwnSlideshow().Unload();
}

TEST_F(FrmMainWiringTest, StampLibraryButtonsDeleteUseOrDoNothing) {
  TestSupport::RedirectedDataHome home(m_folder.MakeFolder("data"));
  FrmMain& window = Start();
  Fakes::FakeSidePanel panel;
  window.UseSidePanelServices(panel);
  panel.stampFilename = pictures.File("b.png");
  window.SidePanel_StampMouseUp(2);
  EXPECT_NE(window.Canvas().Effect(), 38) << "no picture to float a stamp on";
  window.FileImport(pictures.File("a.png"));
  window.SidePanel_StampMouseUp(0);
  EXPECT_EQ(window.Canvas().Effect(), 0);
  window.SidePanel_StampMouseUp(2);
  EXPECT_EQ(window.Canvas().Effect(), 38);
  EXPECT_EQ(panel.toolselect, 1);
  EXPECT_EQ(QImage(ModGDI::StampTempPath()).pixelColor(1, 1), QColor(Qt::green));
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbNo});
    window.SidePanel_StampMouseUp(1);
    EXPECT_TRUE(QFileInfo::exists(panel.stampFilename)) << "the trash asks first";
  }
  Fakes::ScriptedMessageBox boxes({Forms::vbYes});
  window.SidePanel_StampMouseUp(1);
  EXPECT_FALSE(QFileInfo::exists(panel.stampFilename));
  EXPECT_EQ(panel.favRefreshes, 2);
}

TEST_F(FrmMainWiringTest, TheSidePanelsEventsReachTheWindow) {
  FrmMain& window = Listed();
  window.SkinMenu()->SetVisible(true);
  emit window.SidePanel().MouseDown(1, 0, 5, 5);
  EXPECT_FALSE(window.SkinMenu()->Visible()) << "a press on the panel closes the menu";

  // A release over a day lists only the pictures made up to the panel's day; one beside
  // the days changes nothing.
  UserqzProcess& panel = window.SidePanel();
  const bool todayShown = QDate::currentDate() <= QDate(panel.CalenderYear(), panel.CalenderMonth(), panel.CalenderDay());
  emit panel.CalenderSeeMouseUP(1, 0, 5, 5, false);
  EXPECT_EQ(window.Sheet().ListCount, 3);
  emit panel.CalenderSeeMouseUP(1, 0, 5, 5, true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Sheet().SheetReady(); }, 30000));
  EXPECT_EQ(window.Sheet().ListCount, todayShown ? 3 : 0);
}

TEST_F(FrmMainWiringTest, KeysOnChildrenReachTheTableOnceAndTextBoxesKeepTheirs) {
  TestSupport::RedirectedDataHome home(m_folder.MakeFolder("data"));
  FrmMain& window = Listed();
  const bool open = window.ThumbnailBar().isOpenthum();
  Press(window.Sheet(), Qt::Key_Tab);
  EXPECT_NE(window.ThumbnailBar().isOpenthum(), open) << "Tab toggles the pane, not the focus";
  Press(window.Sheet(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(window.ThumbnailBar().isOpenthum(), open);

  // The text tool's box and any other text box keep Tab and Delete.
  window.Canvas().SetEffect(4);
  window.Canvas().ShowHidetext(0, 0, 300, 200);
  Press(*window.Canvas().Text1(), Qt::Key_Tab);
  Press(*window.Canvas().Text1(), Qt::Key_F5);
  Press(window, Qt::Key_Tab);
  EXPECT_EQ(window.ThumbnailBar().isOpenthum(), open);
  window.Canvas().HideText1();
  window.Canvas().SetEffect(0);
  Fakes::FakeFileChooser chooser;
  window.UseFileChooser(chooser);
  auto* box = new QLineEdit(&window);
  box->show();
  QApplication::setActiveWindow(&window);
  box->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == box; }, 3000));
  Press(*box, Qt::Key_Tab);
  Press(*box, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(window.ThumbnailBar().isOpenthum(), open);
  EXPECT_TRUE(chooser.requests.empty());
  delete box;

  // Delete on the sheet with every picture selected trashes each once.
  SelectedFiles::Program().SetFiles({pictures.File("a.png"), pictures.File("b.png"), pictures.File("c.png")});
  Fakes::ScriptedMessageBox boxes({}, Forms::vbYes);
  Press(window.Sheet(), Qt::Key_Delete);
  EXPECT_EQ(boxes.shown.size(), 3U);
  for (const char* name : {"a.png", "b.png", "c.png"}) {
    EXPECT_FALSE(QFileInfo::exists(pictures.File(name))) << name;
  }
}

TEST_F(FrmMainWiringTest, TheWheelStepsTheSheetUntilUnload) {
  FrmMain& window = Listed();
  Turn(window, -120);
  EXPECT_EQ(Shown(), "b.png");
  Turn(window, -120);
  EXPECT_EQ(Shown(), "c.png");
  Turn(window, 120);
  EXPECT_EQ(Shown(), "b.png");
  MarkChanged(window);
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    Turn(window, -120);
    EXPECT_EQ(Shown(), "b.png") << "Cancel moves nothing";
    EXPECT_EQ(window.Sheet().SelectFile, pictures.File("b.png"));
  }
  window.Canvas().SetAppliedEffect(false);
  window.close();
  Turn(window, -120);
  EXPECT_EQ(Shown(), "b.png");
}

}  // namespace
