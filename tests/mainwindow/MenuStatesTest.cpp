// Menu states on the real drawn menu: the rows a menu of the strip opens with enabled and
// ticked for the tool, the stamp, the picture and the sort.
#include "mainwindow/MenuStates.h"

#include <QtCore/qtestsupport_core.h>

#include "FrmMainFixture.h"
#include "browse/ThumViewer.h"
#include "canvas/ToolModes.h"
#include "controls/MenuModel.h"
#include "controls/ToolbarUser.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "support/TestPictures.h"

namespace {

namespace K = CommandKeys;

class MenuStatesTest : public FrmMainTest {
 protected:
  void SetUp() override {
    FrmMainTest::SetUp();
    CopyShippedPictures();
    ModPublic::CurrentToolKey.clear();
  }
  FrmMain& Loaded() {
    FrmMain& window = Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
    const QString path = m_folder.File("quadrants.png");
    TestSupport::Quadrants(60, 40).save(path);
    window.FileImport(path);
    return window;
  }
  ZpYSkinMenu& Menu() { return dynamic_cast<ZpYSkinMenu&>(m_window->SkinMenuWidget()); }
  // Opens a menu of the strip as a press on its title does.
  void Open(int title) {
    auto& strip = dynamic_cast<ToolbarUser&>(m_window->MenuBarStripWidget());
    Send(strip, QEvent::MouseButtonPress, strip.TitleBoxes()[std::size_t(title)].center());
    ASSERT_TRUE(Menu().Visible());
  }
  // The keys of the open menu's rows that are enabled, or ticked.
  QStringList Rows(bool ticked) {
    QStringList keys;
    for (const MenuRow& row : Menu().State().OpenRows()) {
      if (!row.IsSeparator() && (ticked ? row.checked : !row.disabled)) {
        keys << row.key;
      }
    }
    return keys;
  }
  bool Enabled(std::string_view key) { return Rows(false).contains(CommandKeyText(key)); }
  static void Choose(FrmMain& window, std::string_view key) { window.RunMenuCommand(CommandKeyText(key)); }
};

TEST_F(MenuStatesTest, AFloatingStampLeavesOnlyTheBrushesAndTheStampEffects) {
  FrmMain& window = Loaded();
  window.Canvas().SetMode(ToolModes::Mode::FloatingStamp);
  Open(3);
  EXPECT_EQ(Rows(false).join(' '),
            "Filter_EraserTool Filter_DodgeTool Filter_BurnTool Filter_Airbrush Filter_SmudgeTool "
            "Filter_SoftenTool Filter_SharpenTool Filter_SaturationTool");
  m_window->grab().save(TestSupport::ArtifactsFolder() + "/menu_image_tool_stamp_floating.png");
  Open(4);
  EXPECT_EQ(Rows(false).join(' '), "Effect_Blur Effect_Sharpe Effect_Soften Effect_Ripple");
  m_window->grab().save(TestSupport::ArtifactsFolder() + "/menu_effect_stamp_floating.png");
  Open(0);
  EXPECT_TRUE(Enabled(K::File_Fav));
  Open(1);
  EXPECT_FALSE(Enabled(K::Edit_All));
  EXPECT_FALSE(Enabled(K::Edit_Clockwise));
  EXPECT_TRUE(Enabled(K::Edit_Hflip));
}

TEST_F(MenuStatesTest, TheArmedToolIsTheOneTickedAndDisablesBrowsingRows) {
  FrmMain& window = Loaded();
  Open(2);
  EXPECT_TRUE(Enabled(K::View_Fitmode));
  EXPECT_TRUE(Enabled(K::View_Zoomin));
  Choose(window, K::Filter_Line);
  Open(3);
  EXPECT_EQ(Rows(true).join(' '), "Filter_Line");
  EXPECT_TRUE(Enabled(K::Filter_Crop)) << "a picture enables the image tools";
  EXPECT_TRUE(Enabled(K::Filter_EraserTool)) << "a brush chosen without a stamp explains what it needs";
  m_window->grab().save(TestSupport::ArtifactsFolder() + "/menu_image_tool_line_armed.png");
  Open(2);
  for (std::string_view key : {K::View_Fullmode, K::View_Fitmode, K::View_Zoomout, K::View_Zoomin}) {
    EXPECT_FALSE(Enabled(key)) << key;
  }
  Open(0);
  EXPECT_FALSE(Enabled(K::File_Fav)) << "sending to the library needs browsing or a stamp";
  EXPECT_TRUE(Enabled(K::File_Save));
  Open(1);
  EXPECT_FALSE(Enabled(K::Edit_Deselect)) << "a shape selects nothing";
  Choose(window, K::Filter_Select);
  Open(1);
  EXPECT_TRUE(Enabled(K::Edit_Deselect));
  EXPECT_TRUE(Enabled(K::Edit_Inverse));
}

TEST_F(MenuStatesTest, WithoutAPictureTheImageRowsAreDisabled) {
  Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
  Open(0);
  EXPECT_FALSE(Enabled(K::File_Save));
  EXPECT_FALSE(Enabled(K::File_Fav));
  EXPECT_TRUE(Enabled(K::File_Open));
  Open(3);
  EXPECT_TRUE(Rows(false).isEmpty());
  Open(5);
  EXPECT_TRUE(Rows(false).isEmpty());
}

TEST_F(MenuStatesTest, ASortKeySortsTheSheetAndTicksOnlyItsRow) {
  FrmMain& window = Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
  window.SettingArrange_Menu(CommandKeyText(K::View_Sortname));
  window.SettingArrange_Menu(CommandKeyText(K::View_Sortsize));
  EXPECT_EQ(window.Sheet().ThumbnaillSort(), 2);
  EXPECT_EQ(Menu().Initializemenu(), 2);
  EXPECT_EQ(Rows(true).join(' '), "View_Sortsize");
  window.SettingArrange_Menu(CommandKeyText(K::Edit_Undo));
  EXPECT_EQ(window.Sheet().ThumbnaillSort(), 2) << "another key sorts nothing";
  EXPECT_TRUE(Rows(true).isEmpty()) << "and ticks no row";
}

TEST_F(MenuStatesTest, CancelTicksOnlyBrowseAndIrradiationIsUntickedToo) {
  Start();
  ZpYSkinMenu& menu = Menu();
  menu.SetInitializemenu(3);
  menu.MenuChecked(CommandKeyText(K::Filter_Irradiation), true);
  menu.MenuChecked(CommandKeyText(K::Filter_Crop), true);
  MenuStates::CancelMenuChecked(menu, true);
  EXPECT_EQ(Rows(true).join(' '), "Filter_Browse");
}

}  // namespace
