// The command dispatcher: its table against the menu table, the tool and effect commands
// on a real window and canvas, tool set-up, and the command event's pause and close.
#include "mainwindow/MenuCommands.h"

#include <algorithm>
#include <optional>
#include <set>

#include <QDate>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPlainTextEdit>
#include <QtCore/qtestsupport_core.h>

#include "FrmMainFixture.h"
#include "canvas/ToolModes.h"
#include "canvas/tools/ToolRect.h"
#include "controls/MenuModel.h"
#include "controls/ToolbarUser.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/SelectedFiles.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "mainwindow/PaneLayout.h"
#include "platform/Printer.h"
#include "platform/forms/Input.h"
#include "windows/FrmPrinter.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeTaskDialog.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

namespace K = CommandKeys;

bool Contains(std::span<const std::string_view> keys, std::string_view key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST(MenuCommandTable, EveryMenuRowHasAHandlerANoOpOrIsPendingAndOnlyOne) {
  const MenuModel model;
  int handled = 0;
  for (int number = 1; number <= MenuModel::FixedRowCount; ++number) {
    const MenuRow& row = model.Row(number);
    if (row.IsSeparator()) {
      continue;
    }
    const QByteArray key = row.key.toLatin1();
    const std::string_view text(key.constData(), std::size_t(key.size()));
    const bool hasHandler = MenuCommands::Find(row.key) != nullptr;
    const int kinds = int(hasHandler) + int(Contains(MenuCommands::DocumentedNoOps(), text)) +
                      int(Contains(MenuCommands::Pending(), text));
    EXPECT_EQ(kinds, 1) << row.key.toStdString();
    handled += int(hasHandler);
  }
  EXPECT_EQ(handled, int(MenuCommands::Table().size()) - 9) << "nine handler keys have no menu row";
  for (std::string_view rowless : {K::Edit_All, K::Filter_Patten, K::Effect_Antialias, K::Effect_Contour,
                                   K::Vector_Linear, K::Help_User, K::Stamp_Undo, K::Stamp_Redo, K::View_Thumbpane}) {
    EXPECT_NE(MenuCommands::Find(CommandKeyText(rowless)), nullptr) << rowless;
  }
  for (const MenuCommands::Command& command : MenuCommands::Table()) {
    EXPECT_NE(command.handler, nullptr) << command.key;
    EXPECT_EQ(MenuCommands::Find(CommandKeyText(command.key)), &command) << "keys are unique";
  }
}

// The handler a mode's menu group is run by.
MenuCommands::Handler HandlerOf(ToolModes::MenuGroup group) {
  namespace H = MenuCommands::Handlers;
  switch (group) {
    case ToolModes::MenuGroup::Panel:
    case ToolModes::MenuGroup::Stamp:
      return H::Adjustment;
    case ToolModes::MenuGroup::Selection:
      return H::Selection;
    case ToolModes::MenuGroup::Shape:
      return H::Shape;
    case ToolModes::MenuGroup::Effect:
      return H::Effect;
    case ToolModes::MenuGroup::Filter:
      return H::Filter;
    case ToolModes::MenuGroup::Resize:
      return H::ResizeImage;
    case ToolModes::MenuGroup::None:
      break;
  }
  return nullptr;
}

TEST(MenuCommandTable, EveryToolKeyHasExactlyOneModeWhoseGroupRunsIt) {
  const std::set<MenuCommands::Handler> toolHandlers{
      MenuCommands::Handlers::Adjustment, MenuCommands::Handlers::Selection, MenuCommands::Handlers::Shape,
      MenuCommands::Handlers::Effect,     MenuCommands::Handlers::Filter,    MenuCommands::Handlers::ResizeImage};
  int toolKeys = 0;
  for (const MenuCommands::Command& command : MenuCommands::Table()) {
    if (toolHandlers.count(command.handler) == 0) {
      continue;
    }
    ++toolKeys;
    int modes = 0;
    for (const ToolModes::ToolMode& row : ToolModes::Table()) {
      if (row.key == command.key) {
        ++modes;
        EXPECT_EQ(HandlerOf(row.menu), command.handler) << command.key;
      }
    }
    EXPECT_EQ(modes, 1) << command.key;
  }
  // And every mode a key arms is reached from the table.
  int keyedModes = 0;
  for (const ToolModes::ToolMode& row : ToolModes::Table()) {
    if (!row.key.empty()) {
      ++keyedModes;
      const MenuCommands::Command* command = MenuCommands::Find(CommandKeyText(row.key));
      ASSERT_NE(command, nullptr) << row.key;
      EXPECT_EQ(command->handler, HandlerOf(row.menu)) << row.key;
    }
  }
  EXPECT_EQ(keyedModes, toolKeys);
}

TEST(MenuCommandTable, KeysMatchExactlyAndCaseSensitively) {
  EXPECT_EQ(MenuCommands::Find("file_open"), nullptr);
  EXPECT_EQ(MenuCommands::Find("Edit_undo"), nullptr);
  EXPECT_EQ(MenuCommands::Find("Edit_Undo "), nullptr);
  EXPECT_EQ(MenuCommands::Find(QString()), nullptr);
  EXPECT_EQ(MenuCommands::Find(QStringLiteral("Edit_Undö")), nullptr);
  EXPECT_EQ(MenuCommands::Find("File_Email"), nullptr) << "no row and no action";
}

TEST(CanvasAreaLayout, TextAndCalendarPutTheStripAboveTheCanvas) {
  PaneLayout::MainPanes panes;
  panes.UserqzSplitH = {300, 60, 5, 700};
  panes.UserqzSplitV = {305, 500, 900, 12};
  panes.YDSTextControl1 = {0, 0, 900, 60};
  const PaneLayout::MainPanes plain = PaneLayout::LayoutCanvasArea(ToolModes::Mode::Gamma, panes);
  EXPECT_EQ(plain.SingleqzPreview.Left, 305);
  EXPECT_EQ(plain.SingleqzPreview.Top, 60);
  EXPECT_EQ(plain.SingleqzPreview.Height, 440);
  EXPECT_EQ(plain.ThumqzViewer.Height, 700 - 440 - 12);
  for (ToolModes::Mode effect : {ToolModes::Mode::Text, ToolModes::Mode::Calendar}) {
    const PaneLayout::MainPanes text = PaneLayout::LayoutCanvasArea(effect, panes);
    EXPECT_EQ(text.YDSTextControl1.Top, 60);
    EXPECT_EQ(text.YDSTextControl1.Left, 305);
    EXPECT_EQ(text.SingleqzPreview.Top, 120);
    EXPECT_EQ(text.SingleqzPreview.Height, 380);
    EXPECT_EQ(text.ThumqzViewer.Height, 700 - (380 + 12 + 60));
  }
}

class NoPrinters final : public Printing::PrinterQueues {
 public:
  QStringList InstalledNames() const override { return {}; }
  QString DefaultName() const override { return {}; }
};

class MenuCommandsTest : public FrmMainTest {
 protected:
  void SetUp() override {
    FrmMainTest::SetUp();
    ModqzReg::SelectionCombineMode = 4;
    ModPublic::CurrentToolKey.clear();
  }
  // A window showing a small picture, ready for commands.
  FrmMain& Loaded(const QString& name = QStringLiteral("quadrants.png")) {
    FrmMain& window = Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
    const QString path = m_folder.File(name);
    TestSupport::Quadrants(60, 40).save(path);
    window.FileImport(path);
    EXPECT_TRUE(window.Canvas().hasImage());
    return window;
  }
  // What a pick of the key in the menu runs, without the pause.
  static void Choose(FrmMain& window, std::string_view key) {
    window.RunMenuCommand(CommandKeyText(key));
  }
  static QString Armed() { return ModPublic::CurrentToolKey; }
  static QImage Shown(FrmMain& window) {
    return window.Canvas().ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32);
  }
};

struct ToolExpectation {
  std::string_view key;
  int effect;
  std::optional<int> max;
  std::optional<int> min;
  std::optional<int> value;
  bool fit;
  // The key that stays armed; empty when the command leaves the armed key alone.
  std::string_view armed;
};

TEST_F(MenuCommandsTest, EachToolAndEffectArmsItsModeSliderAndFitAndAgainGoesBackToBrowsing) {
  const int month = QDate::currentDate().month();
  const std::vector<ToolExpectation> expectations{
      {K::Filter_Select, 17, {}, {}, {}, true, K::Filter_Select},
      {K::Filter_FreeSelect, 41, {}, {}, {}, true, K::Filter_FreeSelect},
      {K::Filter_EllipSelect, 42, {}, {}, {}, true, K::Filter_EllipSelect},
      {K::Filter_Circular, 19, 255, 0, {}, true, K::Filter_Circular},
      {K::Filter_Rectangle, 20, 255, 0, {}, true, K::Filter_Rectangle},
      {K::Filter_Line, 25, 255, 0, {}, true, K::Filter_Line},
      {K::Filter_Rectblank, 26, 255, 0, {}, true, K::Filter_Rectblank},
      {K::Filter_Ellipse, 27, 255, 0, {}, true, K::Filter_Ellipse},
      {K::Effect_Bubble, 28, 300, 50, 50, true, K::Effect_Bubble},
      {K::Effect_Firefly, 29, 300, 50, 50, true, K::Effect_Firefly},
      {K::Effect_Rain, 30, 300, 50, 50, true, K::Effect_Rain},
      {K::Effect_Snow, 31, 300, 50, 50, true, K::Effect_Snow},
      {K::Effect_Flower, 32, 200, 10, 10, true, K::Effect_Flower},
      {K::Filter_Irradiation, 37, 255, 10, 10, true, K::Filter_Irradiation},
      {K::Filter_Crop, 1, {}, {}, {}, true, K::Filter_Crop},
      {K::Filter_Straight, 2, 10, -10, 0, true, K::Filter_Straight},
      {K::Filter_Text, 4, 255, 10, 10, true, K::Filter_Text},
      {K::Effect_Card, 5, 255, 50, 50, true, K::Effect_Card},
      {K::Effect_Color, 6, 100, 20, 20, true, K::Effect_Color},
      {K::Effect_Gamma, 7, 3, 0, 1, true, K::Effect_Gamma},
      {K::Filter_Redeye, 9, 300, 50, 100, true, K::Filter_Redeye},
      {K::Filter_Cal, 10, 12, 1, month, true, K::Filter_Cal},
      {K::Effect_Contrast, 11, 5, 0, 0, true, K::Effect_Contrast},
  };
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  for (const ToolExpectation& tool : expectations) {
    SCOPED_TRACE(std::string(tool.key));
    Choose(window, tool.key);
    EXPECT_EQ(canvas.Effect(), tool.effect);
    EXPECT_EQ(canvas.FitMode(), tool.fit);
    EXPECT_EQ(Armed(), CommandKeyText(tool.armed));
    if (tool.max) {
      EXPECT_EQ(canvas.Max(), *tool.max);
      EXPECT_EQ(canvas.Min(), *tool.min);
    }
    if (tool.value) {
      EXPECT_EQ(canvas.Value(), *tool.value);
    }
    EXPECT_EQ(window.ImageToolbar() != nullptr, true);
    Choose(window, tool.key);
    EXPECT_EQ(canvas.Effect(), 0) << "the same tool again goes back to browsing";
    EXPECT_FALSE(canvas.FitMode());
    EXPECT_EQ(Armed(), CommandKeyText(K::Filter_Browse));
  }
}

TEST_F(MenuCommandsTest, FlipChangesThePictureAndUndoRestoresIt) {
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  const QImage before = Shown(window);
  Choose(window, K::Edit_Hflip);
  EXPECT_EQ(Shown(window), before.mirrored(true, false));
  EXPECT_FALSE(canvas.SaveState());
  Choose(window, K::Edit_Undo);
  EXPECT_EQ(Shown(window), before);
}

TEST_F(MenuCommandsTest, SelectionsResetTheCombineModeAndInverseTwiceRestoresIt) {
  FrmMain& window = Loaded();
  ModqzReg::SelectionCombineMode = 4;
  Choose(window, K::Edit_Inverse);
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 1);
  Choose(window, K::Edit_Inverse);
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 4);
  Choose(window, K::Filter_Select);
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 1);
  ModqzReg::SelectionCombineMode = 4;
  Choose(window, K::Filter_Select);
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 1) << "also when the tool is put down";
}

TEST_F(MenuCommandsTest, BrushesWithoutAFloatingStampOnlyExplain) {
  FrmMain& window = Loaded();
  Choose(window, K::Effect_Rain);
  Fakes::ScriptedMessageBox boxes;
  Choose(window, K::Filter_SmudgeTool);
  ASSERT_EQ(boxes.shown.size(), 1U);
  EXPECT_EQ(boxes.shown[0].prompt,
            "Please select a image region with <Rectanglular Marquee>, <Elliptical Marquee>\n"
            "or <Polygonal Lasso> tool.");
  EXPECT_EQ(boxes.shown[0].style, Forms::vbQuestion);
  EXPECT_EQ(window.Canvas().Effect(), 30) << "the tool stays as it was";
  EXPECT_EQ(Armed(), CommandKeyText(K::Effect_Rain));
}

TEST_F(MenuCommandsTest, AtOnceEffectsCommitWithoutArmingAndGreyLeavesOneUndoStep) {
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  const int undo = canvas.UndoIndex();
  Choose(window, K::Effect_Grey);
  EXPECT_EQ(canvas.Effect(), 0);
  EXPECT_EQ(Armed(), CommandKeyText(K::Filter_Browse));
  EXPECT_EQ(canvas.UndoIndex(), undo + 1);
  const QRgb pixel = Shown(window).pixel(0, 0);
  EXPECT_EQ(qRed(pixel), qGreen(pixel));
  EXPECT_EQ(qGreen(pixel), qBlue(pixel));

  Choose(window, K::Effect_Blur);
  EXPECT_EQ(canvas.UndoIndex(), undo + 2);
  EXPECT_EQ(canvas.Effect(), 0);
}

TEST_F(MenuCommandsTest, PattenChangesNoToolButReimportsAndLaysTheCanvasOut) {
  FrmMain& window = Loaded();
  Choose(window, K::Effect_Rain);
  window.Canvas().move(0, 0);
  Choose(window, K::Filter_Patten);
  EXPECT_EQ(window.Canvas().Effect(), 30);
  EXPECT_EQ(Armed(), CommandKeyText(K::Effect_Rain));
  const PaneLayout::MainPanes panes = window.Panes();
  EXPECT_EQ(panes.SingleqzPreview.Left, panes.UserqzSplitH.Left + panes.UserqzSplitH.Width);
}

TEST_F(MenuCommandsTest, PrintWithoutPrintersAsksToSaveThenSaysSo) {
  FrmMain& window = Loaded();
  MarkChanged(window);
  auto previous = Printing::SetQueueService(std::make_unique<NoPrinters>());
  Printing::SetPdfPrinterEnabled(false);
  Fakes::ScriptedMessageBox boxes({Forms::vbNo});
  Choose(window, K::File_Print);
  Printing::SetPdfPrinterEnabled(true);
  ASSERT_EQ(boxes.shown.size(), 2U);
  EXPECT_EQ(boxes.shown[1].prompt, "Sorry, no printers installed.");
  EXPECT_EQ(boxes.shown[1].style, Forms::vbExclamation);
  EXPECT_EQ(window.findChild<FrmPrinter*>(), nullptr);

  // The PDF printer alone is enough; a second Print keeps the one window.
  Choose(window, K::File_Print);
  Choose(window, K::File_Print);
  Printing::SetQueueService(std::move(previous));
  EXPECT_EQ(window.findChildren<FrmPrinter*>().size(), 1);
}

TEST_F(MenuCommandsTest, ASaveThatCannotWriteKeepsTheChangesAndSaysSo) {
  {
    // No writer for this format: the flip stays unsaved.
    FrmMain& window = Loaded(QStringLiteral("quadrants.ppm"));
    Choose(window, K::Edit_Vflip);
    Fakes::ScriptedMessageBox boxes;
    Choose(window, K::File_Save);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].prompt, "The image could not be saved. Your changes have been kept.");
    EXPECT_FALSE(window.Canvas().SaveState());
    window.Canvas().SetSaveState(true);
  }
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  Choose(window, K::Edit_Vflip);
  ASSERT_FALSE(canvas.SaveState());
  Choose(window, K::File_Save);
  EXPECT_TRUE(canvas.SaveState()) << "a save that wrote clears the unsaved mark";
  EXPECT_FALSE(canvas.AppliedEffect());
}

TEST_F(MenuCommandsTest, PanelSectionsTickOneRow) {
  FrmMain& window = Loaded();
  Choose(window, K::Edit_Keyword);
  EXPECT_EQ(window.UserqzProcess1()->Toolselect(), 2);
  Choose(window, K::Edit_Fav);
  EXPECT_EQ(window.UserqzProcess1()->Toolselect(), 1);
}

TEST_F(MenuCommandsTest, SendingToTheStampLibraryWritesAPngOnlyWhenConfirmedWithAPlainName) {
  FrmMain& window = Loaded();
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  const QString library = ModPublic::ProgramFolder() + "Librarians/";
  Choose(window, K::File_Fav);
  ASSERT_EQ(dialogs.records.size(), 1U);
  EXPECT_EQ(dialogs.records[0]->publicShell, 4);
  EXPECT_EQ(dialogs.records[0]->modalShows, 1);
  EXPECT_TRUE(QDir(library).entryList(QDir::Files).isEmpty()) << "cancelled: nothing written";

  dialogs.outcome.buttonState = 1;
  {
    Fakes::ScriptedMessageBox boxes;
    for (const QString& bad : {QString(), QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral(".")}) {
      dialogs.outcome.name = bad;
      Choose(window, K::File_Fav);
    }
    EXPECT_EQ(boxes.shown.size(), 4U);
    EXPECT_TRUE(QDir(library).entryList(QDir::Files).isEmpty()) << "refused names write nothing";
  }
  MarkChanged(window);
  dialogs.outcome.name = QStringLiteral("sky");
  Choose(window, K::Stamp_Send);
  EXPECT_EQ(QImageReader(library + "sky.lib").format(), "png");
  EXPECT_FALSE(window.Canvas().SaveState()) << "a copy in the library does not save the picture";

  QFile(library + "sky.lib").resize(3);
  Fakes::ScriptedMessageBox no({Forms::vbNo});
  Choose(window, K::File_Fav);
  ASSERT_EQ(no.shown.size(), 1U);
  EXPECT_EQ(QFileInfo(library + "sky.lib").size(), 3) << "not replaced without a yes";
  no.answers = {Forms::vbYes};
  Choose(window, K::File_Fav);
  EXPECT_EQ(QImageReader(library + "sky.lib").format(), "png");
}

TEST_F(MenuCommandsTest, RenameCopyAndMoveShareOneModelessDialog) {
  FrmMain& window = Loaded();
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  SelectedFiles::Program().SetFiles({m_folder.File("quadrants.png")});
  Choose(window, K::Edit_Rename);
  ASSERT_EQ(dialogs.records.size(), 1U);
  EXPECT_EQ(dialogs.records[0]->publicShell, 2);
  // The name without the extension the rename adds back.
  EXPECT_EQ(dialogs.records[0]->text, "quadrants");
  Choose(window, K::Edit_Moveto);
  EXPECT_EQ(dialogs.records[0]->publicShell, 1);
  Choose(window, K::Edit_Copyto);
  EXPECT_EQ(dialogs.records[0]->publicShell, 0);
  EXPECT_EQ(dialogs.records.size(), 1U) << "made on first use and kept";
  EXPECT_EQ(dialogs.records[0]->modelessShows, 3);
  EXPECT_EQ(dialogs.records[0]->paints, 3);
  SelectedFiles::Program().Clear();
}

TEST_F(MenuCommandsTest, PasteFloatsAPictureAndAnEmptyClipboardChangesNothing) {
  FrmMain& window = Loaded();
  QGuiApplication::clipboard()->clear();
  Choose(window, K::Edit_Paste);
  EXPECT_EQ(window.Canvas().Effect(), 0) << "no picture, no stamp";
  QGuiApplication::clipboard()->setImage(TestSupport::Quadrants(20, 10));
  Choose(window, K::Edit_Paste);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Canvas().CurrentMode() == ToolModes::Mode::FloatingStamp; }, 20000));
  EXPECT_EQ(window.UserqzProcess1()->SelEffect(), 0);
  QGuiApplication::clipboard()->clear();
}

TEST_F(MenuCommandsTest, WithAStampFloatingBrushesFiltersFlipsAndSendActOnTheStamp) {
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  const QImage picture = Shown(window);
  const QImage pasted = TestSupport::Quadrants(20, 10);
  QGuiApplication::clipboard()->setImage(pasted);
  Choose(window, K::Edit_Paste);
  ASSERT_TRUE(QTest::qWaitFor([&] { return canvas.CurrentMode() == ToolModes::Mode::FloatingStamp; }, 20000));
  ASSERT_EQ(canvas.StampCanvas().size(), pasted.size());

  Choose(window, K::Filter_BurnTool);
  EXPECT_EQ(canvas.StampSubTool(), 3);
  EXPECT_EQ(Armed(), CommandKeyText(K::Filter_BurnTool));
  Choose(window, K::Filter_BurnTool);
  EXPECT_EQ(canvas.StampSubTool(), 0) << "the same brush again puts it down";
  EXPECT_TRUE(Armed().isEmpty());
  canvas.SetBrushSize(40);
  Choose(window, K::Filter_SmudgeTool);
  EXPECT_EQ(canvas.StampSubTool(), 7);
  EXPECT_EQ(canvas.BrushSize(), 10);
  EXPECT_EQ(ModPublic::StampBrushKey, CommandKeyText(K::Stamp_Brush1));
  Choose(window, K::Filter_Airbrush);
  EXPECT_EQ(canvas.StampSubTool(), 8);

  const QImage before = canvas.StampCanvas();
  Choose(window, K::Edit_Hflip);
  EXPECT_EQ(canvas.StampCanvas(), before.mirrored(true, false));
  Choose(window, K::Edit_Vflip);
  EXPECT_EQ(canvas.StampCanvas(), before.mirrored(true, true));
  Choose(window, K::Effect_Blur);
  EXPECT_EQ(canvas.StampUndoIndex(), 3);
  EXPECT_EQ(canvas.CurrentMode(), ToolModes::Mode::FloatingStamp);
  EXPECT_EQ(Shown(window), picture) << "the picture is not filtered while a stamp floats";
  EXPECT_FALSE(canvas.UndoE());

  // The library takes the stamp as it is now, edits included.
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  dialogs.outcome.buttonState = 1;
  dialogs.outcome.name = QStringLiteral("edited");
  Choose(window, K::Stamp_Send);
  const QString sent = ModPublic::ProgramFolder() + "Librarians/edited.lib";
  EXPECT_EQ(QImage(sent).convertToFormat(QImage::Format_ARGB32), canvas.StampCanvas());
  QGuiApplication::clipboard()->clear();
}

TEST_F(MenuCommandsTest, DeleteTrashesEverySelectedFileOnceAndSkipsOnesAlreadyGone) {
  TestSupport::RedirectedDataHome home(m_folder.MakeFolder("data"));
  FrmMain& window = Loaded();
  const QString shown = window.Canvas().CurFilename;
  const QString second = m_folder.File("second.png");
  const QString third = m_folder.File("third.png");
  TestSupport::Quadrants(10, 10).save(second);
  TestSupport::Quadrants(10, 10).save(third);
  SelectedFiles::Program().SetFiles({shown, second, third, m_folder.File("gone.png")});
  Fakes::ScriptedMessageBox boxes({}, Forms::vbYes);
  Choose(window, K::Edit_Delete);
  EXPECT_EQ(boxes.shown.size(), 3U) << "each file asked about once";
  for (const QString& file : {shown, second, third}) {
    EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
  }
  SelectedFiles::Program().Clear();
}

// Trashing the shown file shows the file's copy in its place: unsaved changes are asked
// about first, and only a picture with a file of its own is asked about.
TEST_F(MenuCommandsTest, DeletingAnEditedPictureAsksAboutItsChangesFirst) {
  TestSupport::RedirectedDataHome home(m_folder.MakeFolder("data"));
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  const QString shown = canvas.CurFilename;
  SelectedFiles::Program().SetFiles({shown});
  Choose(window, K::Edit_Clockwise);
  canvas.WaitForSnapshot();
  const int undoSteps = canvas.UndoListCount();
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    window.ProcessShortcutKey(Forms::vbKeyDelete, 0);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].prompt, "Do you want to save the changes you've made to this image?");
    EXPECT_TRUE(QFileInfo::exists(shown)) << "Cancel trashes nothing";
    EXPECT_EQ(canvas.UndoListCount(), undoSteps);
  }
  {
    Fakes::ScriptedMessageBox boxes({}, Forms::vbYes);
    window.ProcessShortcutKey(Forms::vbKeyDelete, 0);
    EXPECT_EQ(boxes.shown.size(), 2U) << "the changes, then the trash";
    EXPECT_FALSE(QFileInfo::exists(shown));
    EXPECT_EQ(Shown(window).size(), QSize(40, 60)) << "the copy shown holds the saved turn";
  }
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  dialogs.outcome = {64, 32, 1, 0xFFFFFF, {}};
  Choose(window, K::File_New);
  Choose(window, K::Edit_Clockwise);
  const QString other = m_folder.File("other.png");
  TestSupport::Quadrants(10, 10).save(other);
  SelectedFiles::Program().SetFiles({other});
  Fakes::ScriptedMessageBox boxes({}, Forms::vbYes);
  window.ProcessShortcutKey(Forms::vbKeyDelete, 0);
  EXPECT_EQ(boxes.shown.size(), 1U) << "a new picture stays: only the trash is asked about";
  EXPECT_FALSE(QFileInfo::exists(other));
  SelectedFiles::Program().Clear();
}

// Opens a menu of the strip and releases the pointer over the row with the caption.
void Pick(FrmMain& window, int title, const QString& caption) {
  auto& strip = dynamic_cast<ToolbarUser&>(window.MenuBarStripWidget());
  Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[std::size_t(title)].center());
  auto& menu = dynamic_cast<ZpYSkinMenu&>(window.SkinMenuWidget());
  ASSERT_TRUE(menu.Visible());
  const auto rows = menu.State().OpenRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].caption == caption) {
      const QPointF at = menu.State().RowRects()[i].center();
      Send(menu, QEvent::MouseMove, at);
      Send(menu, QEvent::MouseButtonRelease, at);
      return;
    }
  }
  FAIL() << "no row " << caption.toStdString();
}

TEST_F(MenuCommandsTest, APickRunsAfterThePauseWithTheHourglassAndACloseWaitsForIt) {
  FrmMain& window = Loaded();
  Pick(window, 4, QStringLiteral("Rains"));
  EXPECT_FALSE(window.SkinMenuWidget().isVisible()) << "the menu goes first";
  EXPECT_TRUE(window.CommandRunning());
  EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(window.Canvas().Effect(), 0) << "nothing runs before the pause";
  EXPECT_FALSE(window.close()) << "a close waits for the command";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.CommandRunning(); }, 3000));
  EXPECT_EQ(window.Canvas().Effect(), 30);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(window.isVisible()) << "the close asked for during the pause happened";
}

TEST_F(MenuCommandsTest, OnlyTheFirstCommandAfterALoadMarksTheFirstLoad) {
  FrmMain& window = Loaded();
  window.ApplyFirstLRule(false);
  EXPECT_TRUE(window.Canvas().FirstL());
  window.ApplyFirstLRule(false);
  EXPECT_FALSE(window.Canvas().FirstL());
  window.FileImport(window.Canvas().CurFilename);
  window.ApplyFirstLRule(false);
  EXPECT_TRUE(window.Canvas().FirstL());
}

}  // namespace

TEST_F(MenuCommandsTest, AddTextOpensTheBoxAndRasterizeFloatsTheTextWhereItLay) {
  FrmMain& window = Loaded();
  Imageqzviewer& canvas = window.Canvas();
  Choose(window, K::Filter_Text);
  ASSERT_EQ(canvas.Effect(), 4);
  EXPECT_TRUE(canvas.TextBoxShown());
  EXPECT_EQ(canvas.Text1()->toPlainText(), QStringLiteral("Import Text"));
  canvas.Text1()->setPlainText(QStringLiteral("Hi"));
  const QRectF layer = canvas.HitRectangles().Layer;
  EXPECT_GT(layer.width(), 0);
  const QSizeF picture(canvas.ImgDIB.Width(), canvas.ImgDIB.Height());
  const QRectF layerOnPicture = ToolRect::ToPicture(layer, canvas.FitRect(), picture);

  // The text strip goes and the canvas is laid out again; the stamp stays on the picture
  // where the text lay, wherever the picture now shows.
  Choose(window, K::Edit_Rasterize);
  EXPECT_EQ(canvas.CurrentMode(), ToolModes::Mode::FloatingStamp);
  EXPECT_FALSE(canvas.TextBoxShown());
  ASSERT_FALSE(canvas.StampCanvas().isNull());
  const double scale = picture.width() / canvas.FitRect().width();
  EXPECT_NEAR(canvas.StampRect().x(), layerOnPicture.x(), scale);
  EXPECT_NEAR(canvas.StampRect().y(), layerOnPicture.y(), scale);
  EXPECT_NEAR(canvas.StampFrame().y(), ToolRect::ToCanvas(layerOnPicture, canvas.FitRect(), picture).y(), 1);
  const int before = canvas.UndoIndex();
  canvas.SaveUndo();
  EXPECT_EQ(canvas.UndoIndex(), before + 1);
  EXPECT_EQ(canvas.Effect(), 0);
}
