#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ControlEvents.h"
#include "controls/ZpYSkinMenu.h"
#include "support/fakes/FakeMainWindow.h"
#include "support/TestFolder.h"

namespace {

using namespace ControlEvents;

class SkinMenuTest : public ::testing::Test {
 protected:
  SkinMenuTest() {
    // The pictures shipped beside the test programs.
    QFile::copy(QCoreApplication::applicationDirPath() + "/Datas/MenuSeled.png", data.File("MenuSeled.png"));
  }
  QString DataFolder() const { return data.Path() + "/"; }
  // Opens a menu as the main window does.
  void Open(ZpYSkinMenu& menu, int index, int width = 217) {
    menu.SetMemFirst(true);
    menu.resize(width, 100);
    menu.SetInitializemenu(index);
    menu.resize(width, int(menu.New_Height()) + 10);
  }

  TestSupport::TestFolder data;
  Fakes::FakeMainWindow host;
};

// The vertical middle of row i of the open menu.
QPointF RowPoint(const ZpYSkinMenu& menu, int row, float x = 30) {
  return QPointF(x, menu.State().RowRects()[std::size_t(row)].center().y());
}

TEST_F(SkinMenuTest, PaintsChecksGreyRowsAndTheHighlight) {
  ZpYSkinMenu menu(&host, DataFolder());
  Open(menu, 0);
  menu.MenuChecked("File_Save", true);
  menu.MenuVisible("File_Favdec", false);
  menu.MenuPainting(false);
  Move(menu, RowPoint(menu, 1));
  const QImage shot = menu.BackBuffer();
  shot.save(TestSupport::ArtifactsFolder() + "/menu_file.png");

  const QRectF saved = menu.State().RowRects()[3];
  int checkInk = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      checkInk += qBlue(shot.pixel(3 + x, int(saved.y()) + y)) > qRed(shot.pixel(3 + x, int(saved.y()) + y)) + 40;
    }
  }
  EXPECT_GT(checkInk, 8) << "no check mark at (3, y) of the checked row";

  const QRectF disabled = menu.State().RowRects()[11];
  int grey = 0;
  for (int y = int(disabled.top()); y < int(disabled.bottom()); ++y) {
    for (int x = 21; x < 150; ++x) {
      const QRgb p = shot.pixel(x, y);
      EXPECT_FALSE(IsDark(p)) << "dark text pixel at " << x << "," << y;
      grey += qGray(p) < 230;
    }
  }
  EXPECT_GT(grey, 20) << "the disabled caption is not drawn at all";

  const QRectF open = menu.State().RowRects()[1];
  const QRgb inBox = shot.pixel(10, int(open.top()) + 1);
  const QRgb lower = shot.pixel(10, int(open.top()) + 12);
  EXPECT_GT(qBlue(inBox), qRed(inBox)) << "no blue highlight on the hovered row";
  EXPECT_NE(inBox, lower) << "the highlight has no gradient";
  EXPECT_EQ(shot.pixel(10, int(menu.State().RowRects()[0].top()) + 1), qRgb(255, 255, 255));
}

TEST_F(SkinMenuTest, ReportsTheReleasedRowAndClearsItOnTheNextMove) {
  ZpYSkinMenu menu(&host, DataFolder());
  Open(menu, 5);
  menu.MenuPainting(false);
  int ups = 0;
  int moves = 0;
  QObject::connect(&menu, &ZpYSkinMenu::MouseUP, [&ups] { ++ups; });
  QObject::connect(&menu, &ZpYSkinMenu::MouseMove, [&moves] { ++moves; });
  Move(menu, RowPoint(menu, 3));
  Release(menu, RowPoint(menu, 3));
  ASSERT_EQ(ups, 1);
  EXPECT_EQ(menu.PressMenuEnabled(), 1);
  EXPECT_EQ(menu.PressMenuID(), "Create_Scr");
  Move(menu, QPointF(30, 300));
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(menu.PressMenuID(), "");
  EXPECT_EQ(menu.PressMenuEnabled(), 0);
}

TEST_F(SkinMenuTest, KeysGoToTheShortcutHandler) {
  ZpYSkinMenu menu(&host, DataFolder());
  Key(menu, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(host.shortcutKeys.size(), 1u);
  EXPECT_EQ(host.shortcutKeys[0], std::make_pair(int('O'), 2));
}

TEST_F(SkinMenuTest, TwoControlsInTurnShareTheHistory) {
  {
    ZpYSkinMenu first(&host, DataFolder());
    for (int i = 1; i <= 15; ++i) {
      first.HistoryCreate(QStringLiteral("/pictures/%1").arg(i));
    }
  }
  ZpYSkinMenu second(&host, DataFolder());
  Open(second, 12, 600);
  ASSERT_EQ(second.State().MenuCounts(), 15);
  EXPECT_EQ(second.State().OpenRows()[0].caption, "/pictures/1");
  second.HistoryCreate("/pictures/16");
  second.MenuPainting(false);
  Move(second, RowPoint(second, 4));
  second.BackBuffer().save(TestSupport::ArtifactsFolder() + "/menu_history.png");
  Release(second, RowPoint(second, 4));
  EXPECT_EQ(second.Caption(), "/pictures/6");
  EXPECT_EQ(second.State().Model().Row(170).caption, "/pictures/2");
}

TEST_F(SkinMenuTest, AMissingCheckPictureLeavesTheRestDrawn) {
  QFile::remove(data.File("MenuSeled.png"));
  ZpYSkinMenu menu(&host, DataFolder());
  Open(menu, 0);
  menu.MenuChecked("File_New", true);
  menu.MenuPainting(false);
  const QImage shot = menu.BackBuffer();
  EXPECT_EQ(shot.pixel(10, 14), qRgb(255, 255, 255));
  int ink = 0;
  for (int x = 21; x < 60; ++x) {
    for (int y = 8; y < 28; ++y) {
      ink += IsDark(shot.pixel(x, y));
    }
  }
  EXPECT_GT(ink, 10);
}

}  // namespace
