// The main window's children's events, its keys and its wheel, on an offscreen window
// listing a folder of three pictures of distinct colours.
#include <algorithm>
#include <functional>
#include <utility>

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWheelEvent>
#include <QtCore/qtestsupport_core.h>

#include "browse/ScrollControl.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "controls/ToolGrid.h"
#include "controls/ToolbarImg.h"
#include "controls/UserqzProcess.h"
#include "controls/YDSTextControl.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModClipboard.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/forms/Input.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeFileChooser.h"
#include "support/fakes/FakeSkinnedControls.h"
#include "support/fakes/FakeTaskDialog.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

void Press(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&widget, &event);
}

void Turn(QWidget& widget, int delta, QPointF at = QPointF(500, 300)) {
  QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

// The middle of a child, in the window's coordinates.
QPointF CentreOf(const QWidget& window, const QWidget& child) {
  return QPointF(child.mapTo(&window, child.rect().center()));
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
  FrmMain& Listed() { return StartListing(pictures.Path()); }
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

TEST_F(FrmMainWiringTest, ToolbarStepsAndTheKeysAskFirst) {
  FrmMain& window = Listed();
  ASSERT_EQ(Shown(), "a.png");
  MarkChanged(window);
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    window.ImageToolbar_MouseUp(ButtonId(ImageToolbarButton::Next));
    EXPECT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(Shown(), "a.png") << "Cancel keeps the picture";
  }
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbNo});
    window.ImageToolbar_MouseUp(ButtonId(ImageToolbarButton::Next));
    EXPECT_EQ(Shown(), "b.png");
    window.ImageToolbar_MouseUp(ButtonId(ImageToolbarButton::Previous));
    EXPECT_EQ(Shown(), "a.png");
  }
  MarkChanged(window);
  Fakes::ScriptedMessageBox boxes({Forms::vbCancel, Forms::vbNo});
  Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "a.png") << "Cancel keeps the picture";
  Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "b.png");
  EXPECT_EQ(boxes.shown.size(), 2U);
}

// A new picture has no file to fall back on: leaving it by any route asks, and Cancel
// keeps it with every step of its history.
TEST_F(FrmMainWiringTest, EveryStepAsksBeforeLeavingAnEditedNewPicture) {
  FrmMain& window = Listed();
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  dialogs.outcome = {64, 32, 1, 0xFFFFFF, {}};
  window.RunMenuCommand(CommandKeyText(CommandKeys::File_New));
  window.RunMenuCommand(CommandKeyText(CommandKeys::Edit_Clockwise));
  Imageqzviewer& canvas = window.Canvas();
  canvas.WaitForSnapshot();
  const QString picture = canvas.CurFilename;
  const int undoSteps = canvas.UndoListCount();
  ASSERT_GE(undoSteps, 2);
  const std::pair<const char*, std::function<void()>> routes[] = {
      {"Shift+E", [&] { Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier); }},
      {"Shift+R", [&] { Press(window.Canvas(), Qt::Key_R, Qt::ShiftModifier); }},
      {"menu", [&] { window.RunMenuCommand(CommandKeyText(CommandKeys::View_Zoomin)); }},
      {"toolbar", [&] { window.ImageToolbar_MouseUp(ButtonId(ImageToolbarButton::Previous)); }},
      {"wheel", [&] { Turn(window, -120); }},
  };
  for (const auto& [route, run] : routes) {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    run();
    ASSERT_EQ(boxes.shown.size(), 1U) << route;
    EXPECT_EQ(boxes.shown[0].prompt, "Do you want to save the changes you've made to this image?") << route;
    EXPECT_EQ(canvas.CurFilename, picture) << route;
    EXPECT_EQ(canvas.UndoListCount(), undoSteps) << route;
    EXPECT_EQ(canvas.UndoIndex(), undoSteps - 1) << route;
  }
  Fakes::ScriptedMessageBox boxes({Forms::vbNo});
  Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "b.png") << "No lets the step go on";
}

TEST_F(FrmMainWiringTest, CtrlNMakesANewPicture) {
  FrmMain& window = Listed();
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  dialogs.outcome = {64, 32, 1, 0xFFFFFF, {}};
  Press(window.Sheet(), Qt::Key_N, Qt::ControlModifier);
  ASSERT_EQ(dialogs.records.size(), 1U);
  EXPECT_EQ(dialogs.records[0]->publicShell, 3) << "the new picture's size page";
  EXPECT_EQ(window.Canvas().ShowImgWidth(), "64");
  EXPECT_EQ(window.Canvas().ShowImgHeight(), "32");
}

// A picture opened from the dialog leaves the sheet without a current file: no route's
// Next may import an empty name, which would drop the picture's undo history.
TEST_F(FrmMainWiringTest, NextWithoutACurrentFileKeepsThePictureOnEveryRoute) {
  FrmMain& window = Start();
  window.FileImport(pictures.File("a.png"));
  window.RunMenuCommand(CommandKeyText(CommandKeys::Edit_Clockwise));
  Imageqzviewer& canvas = window.Canvas();
  canvas.WaitForSnapshot();
  const int undoSteps = canvas.UndoListCount();
  ASSERT_GE(undoSteps, 2);
  ASSERT_TRUE(window.Sheet().SelectFile.isEmpty());
  Fakes::ScriptedMessageBox boxes({}, Forms::vbNo);
  const std::pair<const char*, std::function<void()>> routes[] = {
      {"menu", [&] { window.RunMenuCommand(CommandKeyText(CommandKeys::View_Zoomin)); }},
      {"Shift+E", [&] { window.ProcessShortcutKey(Forms::vbKeyA + ('E' - 'A'), Forms::vbShiftMask); }},
      {"toolbar", [&] { window.ImageToolbar_MouseUp(ButtonId(ImageToolbarButton::Next)); }},
      {"wheel", [&] { Turn(window, -120); }},
  };
  for (const auto& [route, run] : routes) {
    run();
    EXPECT_EQ(Shown(), "a.png") << route;
    EXPECT_TRUE(canvas.hasImage()) << route;
    EXPECT_EQ(canvas.UndoListCount(), undoSteps) << route;
    EXPECT_EQ(canvas.UndoIndex(), undoSteps - 1) << route;
  }
}

TEST_F(FrmMainWiringTest, ZoomStepsStopAtTwiceAndAtAnEighth) {
  FrmMain& window = Listed();
  Fakes::FakeImageToolbar toolbar;
  window.UseImageToolbarServices(toolbar);
  toolbar.pressed[ButtonId(ImageToolbarButton::Fit)] = true;
  window.Canvas().SetFitMode(true);
  for (int i = 0; i < 60; ++i) {
    window.PublicZoomout();
  }
  EXPECT_FALSE(window.Canvas().FitMode());
  EXPECT_FALSE(toolbar.pressed[ButtonId(ImageToolbarButton::Fit)]);
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

void PressAt(QWidget& widget, QPointF at) {
  QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &press);
}

TEST_F(FrmMainWiringTest, APressOnTheSidePanelThatHitsNoToolChangesNothing) {
  FrmMain& window = Listed();
  window.RunMenuCommand(CommandKeyText(CommandKeys::Filter_Select));
  const ToolModes::Mode armed = window.Canvas().CurrentMode();
  ASSERT_NE(armed, ToolModes::Mode::Browse);
  UserqzProcess& panel = window.SidePanel();
  PressAt(panel.ToolOLE(), QPointF(2, 2));
  EXPECT_EQ(window.Canvas().CurrentMode(), armed) << "beside the tools grid";
  const QRectF firstTool = ToolGrid::Cells()[1];
  PressAt(panel.ToolOLE(), firstTool.center());
  const ToolModes::Mode panelTool = window.Canvas().CurrentMode();
  EXPECT_NE(panelTool, armed) << "a tool of the grid arms";
  PressAt(panel, QPointF(panel.width() / 2.0, panel.height() - 2.0));
  EXPECT_EQ(window.Canvas().CurrentMode(), panelTool) << "the panel's own ground";
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

TEST_F(FrmMainWiringTest, TheCalendarOffersTheDaysOfItsMonthThatHoldListedPictures) {
  FrmMain& window = Start();
  Fakes::FakeSidePanel panel;
  panel.month = 6;
  panel.year = 2020;
  window.UseSidePanelServices(panel);
  window.Sheet().Path(pictures.Path());
  EXPECT_EQ(std::count(panel.dayEnabled.begin(), panel.dayEnabled.end(), true), 0) << "a new folder clears them";
  EXPECT_EQ(panel.calendarRefreshes, 1);
  window.Sheet_PictureDays({QDate(2019, 6, 21), QDate(2020, 6, 15), QDate(2020, 7, 20)});
  EXPECT_EQ(std::count(panel.dayEnabled.begin(), panel.dayEnabled.end(), true), 1);
  EXPECT_TRUE(panel.dayEnabled[14]);
  EXPECT_EQ(panel.calendarRefreshes, 2);
}

// A click on a button of the canvas's command bar, the pointer first moved over it.
void ClickBar(Imageqzviewer& canvas, int button) {
  const QPointF at = canvas.HitRectangles().Buttons[std::size_t(button)].center();
  ASSERT_FALSE(at.isNull()) << "no bar button " << button;
  for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    Send(canvas, type, at);
  }
}

TEST_F(FrmMainWiringTest, TheCanvasTellsTheWindowWhatHappened) {
  FrmMain& window = Listed();
  Imageqzviewer& canvas = window.Canvas();
  Press(canvas, Qt::Key_E, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "b.png") << "a key on the canvas runs its command before its event returns";

  Fakes::FakeImageToolbar toolbar;
  toolbar.enabled.fill(false);
  window.UseImageToolbarServices(toolbar);
  window.RunMenuCommand(CommandKeyText(CommandKeys::Edit_Clockwise));
  EXPECT_TRUE(toolbar.enabled[ButtonId(ImageToolbarButton::Undo)]);
  EXPECT_FALSE(toolbar.enabled[ButtonId(ImageToolbarButton::Redo)]);

  // The line tool's Option opens the window's menu, and any bar button lets go of Fit.
  window.RunMenuCommand(CommandKeyText(CommandKeys::Filter_Line));
  toolbar.pressed[ButtonId(ImageToolbarButton::Fit)] = true;
  ClickBar(canvas, 4);
  EXPECT_TRUE(window.SkinMenu()->Visible());
  EXPECT_FALSE(toolbar.pressed[ButtonId(ImageToolbarButton::Fit)]);
  // Leaving the tool without a commit puts the panel and the tool key back to browsing.
  ASSERT_EQ(ModPublic::CurrentToolKey, CommandKeyText(CommandKeys::Filter_Line));
  window.UserqzProcess1()->SetSelEffect(7);
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbNo});
    ClickBar(canvas, 2);
  }
  EXPECT_EQ(canvas.CurrentMode(), ToolModes::Mode::Browse);
  EXPECT_EQ(window.UserqzProcess1()->SelEffect(), 0);
  EXPECT_EQ(ModPublic::CurrentToolKey, CommandKeyText(CommandKeys::Filter_Browse));

  // A selection applied floats as the stamp.
  window.RunMenuCommand(CommandKeyText(CommandKeys::Filter_Select));
  const QPointF middle = canvas.FitRect().center();
  Send(canvas, QEvent::MouseMove, middle - QPointF(10, 10));
  Send(canvas, QEvent::MouseButtonPress, middle - QPointF(10, 10));
  Send(canvas, QEvent::MouseMove, middle + QPointF(10, 10));
  Send(canvas, QEvent::MouseButtonRelease, middle + QPointF(10, 10));
  ClickBar(canvas, 1);
  EXPECT_EQ(canvas.CurrentMode(), ToolModes::Mode::FloatingStamp);
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
  // A text box keeps its typing and editing keys and passes on those it has no use for.
  box->setText("ab");
  Press(*box, Qt::Key_A, Qt::ControlModifier);
  Press(*box, Qt::Key_Delete);
  EXPECT_EQ(box->text(), "") << "Ctrl+A and Delete edit the box";
  Press(*box, Qt::Key_Tab);
  EXPECT_NE(window.ThumbnailBar().isOpenthum(), open);
  Press(*box, Qt::Key_Tab);
  Press(*box, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(window.ThumbnailBar().isOpenthum(), open);
  EXPECT_EQ(chooser.requests.size(), 1U) << "Ctrl+O reaches the table once";
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

TEST_F(FrmMainWiringTest, KeysWorkFromTheStartAndAfterASearch) {
  FrmMain& window = Listed();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() != nullptr; }, 3000));
  EXPECT_EQ(QApplication::focusWidget(), &window.Sheet());

  auto& toolbar = dynamic_cast<ToolbarImg&>(window.ImageToolbarWidget());
  QLineEdit& search = toolbar.SearchText();
  search.setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &search; }, 3000));
  Fakes::FakeFileChooser chooser;
  window.UseFileChooser(chooser);
  Press(search, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(chooser.requests.size(), 1U) << "Ctrl+O from the search box opens";
  const bool open = window.ThumbnailBar().isOpenthum();
  Press(search, Qt::Key_Tab);
  EXPECT_NE(window.ThumbnailBar().isOpenthum(), open) << "Tab from the search box folds the pane";
  Press(search, Qt::Key_Tab);

  search.setText("b");
  Press(search, Qt::Key_Delete);
  EXPECT_EQ(search.text(), "b") << "Delete at the end edits nothing and trashes nothing";
  EXPECT_TRUE(QFileInfo::exists(pictures.File("a.png")));
  Press(search, Qt::Key_Return);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&search, &release);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Sheet().SheetReady(); }, 30000));
  EXPECT_EQ(window.Sheet().ListCount, 1);
  EXPECT_EQ(QApplication::focusWidget(), &window.Sheet()) << "Enter gives the keys back to the sheet";
}

// A search that leaves the shown picture out leaves no current row: Next starts at the
// first listed picture, Previous has nothing before it, and a search that lists the
// picture again finds its place.
TEST_F(FrmMainWiringTest, StepsAfterASearchGoFromWhatItLists) {
  FrmMain& window = Listed();
  ASSERT_EQ(Shown(), "a.png");
  auto& toolbar = dynamic_cast<ToolbarImg&>(window.ImageToolbarWidget());
  QLineEdit& search = toolbar.SearchText();
  const auto searchFor = [&](const QString& text) {
    search.setText(text);
    Press(search, Qt::Key_Return);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&search, &release);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Sheet().SheetReady(); }, 30000));
  };
  for (int step = 0; step < 2; ++step) {
    Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier);
  }
  ASSERT_EQ(Shown(), "c.png");
  searchFor("a");
  ASSERT_EQ(window.Sheet().ListCount, 1);
  Press(window.Sheet(), Qt::Key_R, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "c.png");
  EXPECT_EQ(window.Sheet().SelectFile, pictures.File("c.png"));
  Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "a.png") << "the first listed picture";
  searchFor("");
  ASSERT_EQ(window.Sheet().ListCount, 3);
  Press(window.Sheet(), Qt::Key_E, Qt::ShiftModifier);
  EXPECT_EQ(Shown(), "b.png");
}

TEST_F(FrmMainWiringTest, TheWheelStepsOnlyOverPartsWithoutScrollingOfTheirOwn) {
  FrmMain& window = Listed();
  ASSERT_FALSE(window.FolderView()->isHidden());
  Turn(window, -120, CentreOf(window, *window.FolderView()));
  Turn(window, -120, CentreOf(window, window.SidePanel()));
  EXPECT_EQ(Shown(), "a.png") << "the folder tree and the side panel keep their turns";
  Turn(window, -120, CentreOf(window, window.Canvas()));
  EXPECT_EQ(Shown(), "b.png");
  Turn(window, -120, CentreOf(window, window.Sheet()));
  EXPECT_EQ(Shown(), "c.png");
}

// A drawn bar shows what a fresh paint at its present width draws.
void ExpectDrawnAsNew(SkinSurface& bar, const std::function<void()>& paint, const char* what) {
  const QImage shown = bar.grab().toImage();
  paint();
  EXPECT_EQ(shown, bar.grab().toImage()) << what;
}

TEST_F(FrmMainWiringTest, TheToolbarAndTheTextStripAreDrawnAfterEveryLayout) {
  // The text strip's icons, as an install has them.
  QFile::copy(QCoreApplication::applicationDirPath() + "/Toolbar.dll", ModPublic::ProgramFolder() + "Toolbar.dll");
  FrmMain& window = Listed();
  auto& toolbar = dynamic_cast<ToolbarImg&>(window.ImageToolbarWidget());
  for (const QSize size : {QSize(1280, 900), QSize(1120, 900)}) {
    const int before = toolbar.width();
    window.resize(size);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toolbar.width() != before; }, 3000)) << "the layout after the resize";
    ExpectDrawnAsNew(toolbar, [&] { toolbar.StartPaint(); }, "toolbar");
  }
  toolbar.grab().save(TestSupport::ArtifactsFolder() + "/main-window-toolbar-after-resize.png");

  window.RunMenuCommand(CommandKeyText(CommandKeys::Filter_Text));
  auto& strip = dynamic_cast<YDSTextControl&>(*window.YDSTextControl1());
  ASSERT_FALSE(strip.isHidden());
  ExpectDrawnAsNew(strip, [&] { strip.StartPaint(0, 0, 0, 0); }, "text strip");
  for (const QRect& icon : strip.IconPlaces()) {
    EXPECT_FALSE(icon.isEmpty());
    EXPECT_GT(icon.left(), 0);
    EXPECT_LE(icon.right(), strip.width());
  }
  strip.grab().save(TestSupport::ArtifactsFolder() + "/main-window-text-strip.png");
}

TEST_F(FrmMainWiringTest, APickOnTheSheetAsksAboutUnsavedChangesBeforeItOpens) {
  FrmMain& window = Listed();
  ASSERT_EQ(Shown(), "a.png");
  MarkChanged(window);
  QWidget& surface = *window.Sheet().Surface();
  const QPointF second = window.Sheet().HitRect(1).center();
  for (const int answer : {Forms::vbCancel, Forms::vbNo}) {
    Fakes::ScriptedMessageBox boxes({answer});
    Send(surface, QEvent::MouseButtonPress, second);
    Send(surface, QEvent::MouseButtonRelease, second);
    EXPECT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(Shown(), answer == Forms::vbCancel ? "a.png" : "b.png");
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
