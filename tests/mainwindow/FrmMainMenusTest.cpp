// The drawn menus on the main window: opening from the menu-bar strip, switching while a
// menu is open, the folder history behind the caption strip, and the title bar's close.
#include <QFile>
#include <QtCore/qtestsupport_core.h>

#include "FrmMainFixture.h"
#include "browse/ThumViewer.h"
#include "controls/ButtonControl.h"
#include "controls/ToolbarUser.h"
#include "controls/ZpYSkinMenu.h"
#include "support/TestPictures.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

class FrmMainMenusTest : public FrmMainTest {
 protected:
  void SetUp() override {
    FrmMainTest::SetUp();
    CopyShippedPictures();
  }
  ToolbarUser& Strip() { return dynamic_cast<ToolbarUser&>(m_window->MenuBarStripWidget()); }
  ZpYSkinMenu& Menu() { return dynamic_cast<ZpYSkinMenu&>(m_window->SkinMenuWidget()); }
  QPointF OverTitle(int title) { return Strip().TitleBoxes()[std::size_t(title)].center(); }
  int StripBottom() { return Strip().y() + Strip().height(); }
};

TEST_F(FrmMainMenusTest, EditOpensUnderItsTitleWithUndoDisabled) {
  Start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 3000));
  Send(Strip(), QEvent::MouseButtonPress, OverTitle(1));
  ASSERT_TRUE(Menu().Visible());
  EXPECT_EQ(Menu().Initializemenu(), 1);
  EXPECT_EQ(Menu().geometry(), QRect(40, StripBottom(), 217, int(Menu().New_Height()) - 20));
  EXPECT_TRUE(Menu().State().OpenRows()[0].disabled) << "nothing to undo on a fresh canvas";
  EXPECT_TRUE(Menu().State().OpenRows()[1].disabled);

  Send(Strip(), QEvent::MouseButtonPress, OverTitle(0));
  EXPECT_EQ(Menu().Initializemenu(), 0);
  EXPECT_TRUE(Menu().State().OpenRows()[11].disabled) << "no stamp to delete outside the stamp library";
  EXPECT_EQ(Menu().geometry(), QRect(5, StripBottom(), 217, int(Menu().New_Height()) - 10));
  Menu().MenuChecked("File_Save", true);
  Menu().MenuPainting();
  Send(Menu(), QEvent::MouseMove, Menu().State().RowRects()[1].center());
  m_window->grab().save(TestSupport::ArtifactsFolder() + "/main_window_file_menu.png");
}

TEST_F(FrmMainMenusTest, MovingAlongTheStripSwitchesOnlyWhileAMenuIsOpen) {
  Start();
  Send(Strip(), QEvent::MouseMove, OverTitle(4));
  EXPECT_FALSE(Menu().Visible());
  Send(Strip(), QEvent::MouseButtonPress, OverTitle(2));
  Send(Strip(), QEvent::MouseButtonRelease, OverTitle(2));
  Send(Strip(), QEvent::MouseMove, OverTitle(4));
  EXPECT_TRUE(Menu().Visible());
  EXPECT_EQ(Menu().Initializemenu(), 4);
  EXPECT_EQ(Menu().x(), 215);

  // A pick on an enabled row hides the menu; a disabled row keeps it. Without a picture
  // the File menu's New is enabled and Edit's Undo is not.
  Send(Strip(), QEvent::MouseButtonPress, OverTitle(0));
  Send(Menu(), QEvent::MouseMove, Menu().State().RowRects()[0].center());
  Send(Menu(), QEvent::MouseButtonRelease, Menu().State().RowRects()[0].center());
  EXPECT_FALSE(Menu().Visible());
  Send(Strip(), QEvent::MouseButtonPress, OverTitle(1));
  Send(Menu(), QEvent::MouseMove, Menu().State().RowRects()[0].center());
  Send(Menu(), QEvent::MouseButtonRelease, Menu().State().RowRects()[0].center());
  EXPECT_TRUE(Menu().Visible());
}

TEST_F(FrmMainMenusTest, APickInTheHistoryListsThatFolder) {
  const QString photos = m_folder.MakeFolder("Photos");
  const QString other = m_folder.MakeFolder("Other");
  TestSupport::Quadrants(30, 20).save(photos + "/a.png");
  TestSupport::Quadrants(30, 20).save(photos + "/b.png");
  m_folder.Write("Datas/History.tmp", (photos + "\r\n" + other + "\r\n").toUtf8());
  FrmMain& window = Start(false);
  ModFolderView::ShowFolderView(window);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ModFolderView::FolderTreeReady && PanesShown(); }, 5000));

  Click(window, window.CaptionStrip().center().toPoint());
  ASSERT_TRUE(Menu().Visible());
  ASSERT_EQ(Menu().State().MenuCounts(), 2);
  EXPECT_EQ(Menu().State().OpenRows()[0].caption, other) << "the oldest folder comes first";
  const QPointF row = Menu().State().RowRects()[1].center();
  Send(Menu(), QEvent::MouseMove, row);
  window.grab().save(TestSupport::ArtifactsFolder() + "/main_window_history.png");
  Send(Menu(), QEvent::MouseButtonRelease, row);
  EXPECT_FALSE(Menu().Visible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Sheet().FolderPath() == photos + "/"; }, 20000));
  EXPECT_EQ(window.Label1Caption(), photos);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.Sheet().SlideCount() == 2; }, 20000));
  ModFolderView::CloseFolderView();
}

TEST_F(FrmMainMenusTest, TheBarsAreDrawnAgainAtANewWidth) {
  FrmMain& window = Start();
  window.resize(window.width() + 100, window.height());
  const QImage strip = Strip().BackBuffer();
  EXPECT_EQ(strip.pixel(strip.width() - 3, 5), qRgb(255, 255, 255));
  auto& bar = dynamic_cast<ButtonControl&>(window.TitleBarWidget());
  EXPECT_GT(qAlpha(bar.BackBuffer().pixel(bar.width() - 30, 3)), 0) << "the band does not reach the new width";
}

TEST_F(FrmMainMenusTest, TheTitleBarCloseAsksAndCancelKeepsTheWindow) {
  FrmMain& window = Start();
  MarkChanged(window);
  auto& bar = dynamic_cast<ButtonControl&>(window.TitleBarWidget());
  const QPointF close(bar.width() - 20 + 3, 8);
  Send(bar, QEvent::MouseMove, close);
  ASSERT_EQ(bar.SelectIndex(), ButtonControl::CloseButton);
  bar.grab().save(TestSupport::ArtifactsFolder() + "/main_window_title_bar.png");
  Fakes::ScriptedMessageBox cancel{Forms::vbCancel};
  Send(bar, QEvent::MouseButtonRelease, close);
  EXPECT_EQ(cancel.shown.size(), 1u);
  EXPECT_TRUE(window.isVisible());
}

}  // namespace
