// The Browse, Create, Help and pop-up commands through the dispatcher, on a real window.
#include <optional>

#include <QDir>
#include <QUrl>
#include <QtCore/qtestsupport_core.h>

#include "FrmMainFixture.h"
#include "browse/ScrollControl.h"
#include "controls/MenuLayout.h"
#include "controls/ToolbarUser.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/MenuCommands.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/forms/Input.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeCommandRunner.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

namespace K = CommandKeys;

// Answers the colour dialog with one colour, or cancels, and keeps the colour it opened with.
class OneColour final : public Dialogs::ColorChooser {
 public:
  explicit OneColour(std::optional<Dialogs::COLORREF> answer, Dialogs::COLORREF* opened)
      : m_answer(answer), m_opened(opened) {}
  std::optional<Dialogs::COLORREF> ChooseColor(QWidget*, Dialogs::COLORREF start, Dialogs::CustomColors&,
                                               bool) override {
    *m_opened = start;
    return m_answer;
  }

 private:
  std::optional<Dialogs::COLORREF> m_answer;
  Dialogs::COLORREF* m_opened;
};

class PopupCommands : public FrmMainTest {
 protected:
  void TearDown() override {
    Shell::SetDocumentOpener({});
    FrmMainTest::TearDown();
  }
  FrmMain& Loaded(int pictures = 1) {
    FrmMain& window = Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
    for (int i = 0; i < pictures; ++i) {
      TestSupport::Quadrants(60 + i, 40).save(m_folder.File(QStringLiteral("p%1.png").arg(i)));
    }
    window.FileImport(m_folder.File("p0.png"));
    return window;
  }
  static void Choose(FrmMain& window, std::string_view key) { window.RunMenuCommand(CommandKeyText(key)); }
  // Sets the drawn menu up for a pop-up, as opening it does.
  static void SetUpPopup(FrmMain& window, int menu) {
    window.SkinMenu()->SetMemFirst(true);
    window.SkinMenu()->SetInitializemenu(menu);
  }
  static ZpYSkinMenu& Menu(FrmMain& window) { return dynamic_cast<ZpYSkinMenu&>(window.SkinMenuWidget()); }
  static QStringList CheckedRows(FrmMain& window) {
    QStringList keys;
    for (const MenuRow& row : Menu(window).State().OpenRows()) {
      if (row.checked) {
        keys << row.key;
      }
    }
    return keys;
  }
};

}  // namespace

TEST_F(PopupCommands, FitTwiceRestoresTheCanvasAndTheToolbarButton) {
  FrmMain& window = Loaded();
  const bool fit = window.Canvas().FitMode();
  Choose(window, K::View_Fitmode);
  EXPECT_NE(window.Canvas().FitMode(), fit);
  EXPECT_EQ(window.ImageToolbar()->Rpressdown(ButtonId(ImageToolbarButton::Fit)), window.Canvas().FitMode());
  Choose(window, K::View_Fitmode);
  EXPECT_EQ(window.Canvas().FitMode(), fit);
  EXPECT_EQ(window.ImageToolbar()->Rpressdown(ButtonId(ImageToolbarButton::Fit)), fit);
}

TEST_F(PopupCommands, TheOptionAndSizePopUpsLayTheirRowsOutAtTheirOwnWidth) {
  FrmMain& window = Loaded();
  ZpYSkinMenu& menu = Menu(window);
  // Every row reaches across the menu, so a click on its right half lands on it.
  const auto rowsSpanTheMenu = [&menu] {
    const auto& rows = menu.State().RowRects();
    return !rows.empty() && std::all_of(rows.begin(), rows.end(), [&menu](const QRectF& row) {
      return row.width() == menu.width() - MenuLayout::TextIndent - 4;
    });
  };
  const auto afterAWiderMenu = [&window] {
    window.SkinMenu()->Move(0, 0, 300, 200);
    SetUpPopup(window, 1);
  };
  Imageqzviewer& canvas = window.Canvas();
  for (std::string_view tool : {K::Filter_Line, K::Filter_Circular}) {
    SCOPED_TRACE(tool);
    afterAWiderMenu();
    Choose(window, tool);
    canvas.Painting();
    const QPointF option = canvas.HitRectangles().Buttons[4].center();
    Send(canvas, QEvent::MouseMove, option);
    Send(canvas, QEvent::MouseButtonPress, option);
    Send(canvas, QEvent::MouseButtonRelease, option);
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.width(), tool == K::Filter_Line ? 80 : 120);
    EXPECT_TRUE(rowsSpanTheMenu());
    menu.SetVisible(false);
    Choose(window, tool);
  }
  afterAWiderMenu();
  emit window.ThumbnailBar().ThumbSizeClick(1, 0, 0, 0);
  ASSERT_TRUE(menu.isVisible());
  EXPECT_TRUE(rowsSpanTheMenu());
}

TEST_F(PopupCommands, ThumbnailSizeTicksOneRowSizesTheSheetAndIsStored) {
  FrmMain& window = Loaded();
  SetUpPopup(window, 7);
  Choose(window, K::Zoom_Small);
  Choose(window, K::Zoom_Large);
  EXPECT_EQ(CheckedRows(window), QStringList{"Zoom_Large"});
  EXPECT_EQ(window.Sheet().ThumWidth(), 140);
  EXPECT_EQ(ModqzReg::ThumSizeMenu, "Zoom_Large");
  ModqzReg::SaveSettings(window);
  EXPECT_EQ(ModqzReg::GetRegString(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, u"ThumSizeMenu"), "Zoom_Large");
}

TEST_F(PopupCommands, FillStylesTickTheirRowAndBrushesAndErasersSetTheCanvas) {
  FrmMain& window = Loaded();
  SetUpPopup(window, 11);
  for (std::string_view style : {K::Vector_Radial, K::Vector_Linear, K::Vector_Single}) {
    Choose(window, style);
    EXPECT_EQ(ModPublic::VectorFillStyle, CommandKeyText(style));
    // The linear style has no row of its own: it unticks the others.
    const QStringList ticked = style == K::Vector_Linear ? QStringList() : QStringList{CommandKeyText(style)};
    EXPECT_EQ(CheckedRows(window), ticked);
  }
  // The last brushes are wider than their captions say.
  const std::pair<std::string_view, int> brushes[] = {
      {K::Stamp_Brush1, 10}, {K::Stamp_Brush8, 80}, {K::Stamp_Brush9, 110}, {K::Stamp_Brush11, 130}};
  for (const auto& [key, size] : brushes) {
    Choose(window, key);
    EXPECT_EQ(window.Canvas().BrushSize(), size) << key;
    EXPECT_EQ(ModPublic::StampBrushKey, CommandKeyText(key));
  }
  SetUpPopup(window, 10);
  window.SkinMenu()->MenuChecked("Stamp_Brusheraser", true);
  Choose(window, K::Stamp_Blockeraser);
  EXPECT_EQ(window.Canvas().EraserMode(), 2);
  EXPECT_EQ(ModPublic::EraserToolKey, "Stamp_Blockeraser");
  EXPECT_TRUE(CheckedRows(window).isEmpty()) << "the pop-up ticks its row when it opens";
  ModPublic::VectorFillStyle.clear();
  ModPublic::StampBrushKey.clear();
  ModPublic::EraserToolKey.clear();
}

TEST_F(PopupCommands, BackgroundColourChangesOnlyWhenChosenAndAlwaysOpaque) {
  FrmMain& window = Loaded();
  Dialogs::COLORREF opened = 0;
  ModPublic::ThemeColorAlpha = 90;
  const auto before = std::tuple(ModPublic::ThemeColorRed, ModPublic::ThemeColorGreen, ModPublic::ThemeColorBlue);
  auto previous = Dialogs::SetColorService(std::make_unique<OneColour>(std::nullopt, &opened));
  Choose(window, K::Create_Desktopbg);
  EXPECT_EQ(opened, 0x00C88C64u) << "the chooser opens at its fixed colour";
  EXPECT_EQ(std::tuple(ModPublic::ThemeColorRed, ModPublic::ThemeColorGreen, ModPublic::ThemeColorBlue), before);
  EXPECT_EQ(ModPublic::ThemeColorAlpha, 90);

  Dialogs::SetColorService(std::make_unique<OneColour>(0x00302010u, &opened));
  Choose(window, K::Create_Desktopbg);
  EXPECT_EQ(std::tuple(ModPublic::ThemeColorRed, ModPublic::ThemeColorGreen, ModPublic::ThemeColorBlue),
            std::tuple(std::uint8_t(0x10), std::uint8_t(0x20), std::uint8_t(0x30)));
  EXPECT_EQ(ModPublic::ThemeColorAlpha, 255);
  Dialogs::SetColorService(std::move(previous));
  std::tie(ModPublic::ThemeColorRed, ModPublic::ThemeColorGreen, ModPublic::ThemeColorBlue) = before;
}

TEST_F(PopupCommands, NextWithUnsavedEditsAsksAndCancelStays) {
  FrmMain& window = Loaded(3);
  Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
  MarkChanged(window);
  const QString shown = window.Canvas().CurFilename;
  Choose(window, K::View_Zoomin);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(window.Canvas().CurFilename, shown);
  EXPECT_FALSE(window.Canvas().SaveState());
}

TEST_F(PopupCommands, PropertiesWithoutAPictureAndWallpaperDeclinedDoNothing) {
  FrmMain& window = Start();
  Fakes::ScriptedMessageBox boxes({Forms::vbNo});
  const int windowsBefore = int(QApplication::topLevelWidgets().size());
  Choose(window, K::View_Properties);
  EXPECT_EQ(int(QApplication::topLevelWidgets().size()), windowsBefore);
  Choose(window, K::Create_Desktop);
  EXPECT_TRUE(boxes.shown.empty()) << "no picture: nothing to ask";

  window.FileImport(m_folder.Write("x.png", {}));
  TestSupport::Quadrants(60, 40).save(m_folder.File("q.png"));
  window.FileImport(m_folder.File("q.png"));
  Fakes::FakeCommandRunner::Scope desktop;
  Choose(window, K::Create_Desktop);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(desktop.record.calls.empty());
  EXPECT_FALSE(QFile::exists(ModPublic::DataFolderPath + "LorvaPaper.bmp"));
}

TEST_F(PopupCommands, HelpAndWebPagesOpenTheHelpPageBesideTheProgram) {
  FrmMain& window = Start();
  QList<QUrl> opened;
  Shell::SetDocumentOpener([&](const QUrl& url) {
    opened << url;
    return true;
  });
  for (std::string_view key : {K::Help_Index, K::Help_Website, K::Help_User, K::Help_Update}) {
    Choose(window, key);
  }
  ASSERT_EQ(opened.size(), 4);
  for (const QUrl& url : opened) {
    EXPECT_EQ(url, QUrl::fromLocalFile(ModPublic::ProgramFolder() + "Help/Index.htm"));
  }
}

TEST_F(PopupCommands, HelpWithoutAnOpenerSaysWhereThePageIs) {
  FrmMain& window = Start();
  Shell::SetDocumentOpener([](const QUrl&) { return false; });
  Fakes::ScriptedMessageBox boxes;
  window.ProcessShortcutKey(Forms::vbKeyF1, 0);
  ASSERT_EQ(boxes.shown.size(), 1U);
  EXPECT_TRUE(boxes.shown[0].prompt.contains(ModPublic::ProgramFolder() + "Help/Index.htm"))
      << boxes.shown[0].prompt.toStdString();
}

TEST_F(PopupCommands, ScreensaverExportCopiesTheSelection) {
  FrmMain& window = Loaded(2);
  SelectedFiles::Program().SetFiles({m_folder.File("p0.png"), m_folder.File("p1.png")});
  Fakes::FakeCommandRunner::Scope desktop;
  Fakes::ScriptedMessageBox boxes;
  Choose(window, K::Create_Scr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ModPublic::ProgramFolder() + "ScrDatas/Scrdata1.dat"); }, 5000));
  SelectedFiles::Program().Clear();
}

TEST_F(PopupCommands, BrowseMenuShowsTheFitAndSortAfterTheirCommands) {
  CopyShippedPictures();
  FrmMain& window = Loaded();
  Choose(window, K::View_Sortsize);
  Choose(window, K::View_Fitmode);
  auto& strip = dynamic_cast<ToolbarUser&>(window.MenuBarStripWidget());
  for (const auto& [title, name] : {std::pair{2, "browse"}, std::pair{5, "create"}}) {
    Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[std::size_t(title)].center());
    ASSERT_TRUE(Menu(window).Visible());
    window.grab().save(TestSupport::ArtifactsFolder() + QStringLiteral("/main-window-%1-menu.png").arg(name));
    Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[std::size_t(title)].center());
  }
  const MenuRow* sortSize = nullptr;
  Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[2].center());
  for (const MenuRow& row : Menu(window).State().OpenRows()) {
    sortSize = row.key == "View_Sortsize" ? &row : sortSize;
  }
  ASSERT_NE(sortSize, nullptr);
  EXPECT_TRUE(sortSize->checked);
}

TEST_F(PopupCommands, TheStoredFitModeAndTextColourAreShownAtStart) {
  for (const bool fit : {true, false}) {
    m_window.reset();
    ModqzReg::SaveRegDword(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, u"Fitmode", fit ? 1 : 0);
    ModqzReg::SaveRegDword(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, u"Textcolor", fit ? 0x0000FF : 0x00FF00);
    FrmMain& window = Start();
    EXPECT_EQ(window.FitMode(), fit);
    EXPECT_EQ(window.ImageToolbar()->Rpressdown(ButtonId(ImageToolbarButton::Fit)), fit);
    EXPECT_EQ(dynamic_cast<YDSTextControl&>(*window.YDSTextControl1()).textFontColor(), fit ? 0x0000FFu : 0x00FF00u);
    auto& strip = dynamic_cast<ToolbarUser&>(window.MenuBarStripWidget());
    Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[2].center());
    EXPECT_EQ(CheckedRows(window).contains("View_Fitmode"), fit);
  }
}

TEST_F(PopupCommands, TheChosenSortIsKeptAcrossARestart) {
  FrmMain& first = Loaded();
  Choose(first, K::View_Sortsize);
  ASSERT_TRUE(first.close());
  ModqzReg::ArrangeString.clear();

  FrmMain& second = Start();
  EXPECT_EQ(ModqzReg::ArrangeString, "View_Sortsize");
  EXPECT_EQ(second.Sheet().ThumbnaillSort(), 2);
  auto& strip = dynamic_cast<ToolbarUser&>(second.MenuBarStripWidget());
  Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[2].center());
  QStringList ticked = CheckedRows(second);
  ticked.removeAll("View_Fitmode");
  EXPECT_EQ(ticked, QStringList{"View_Sortsize"});
  ModqzReg::ArrangeString.clear();
}
