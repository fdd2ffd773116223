#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ControlEvents.h"
#include "controls/ButtonControl.h"
#include "controls/ToolbarUser.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"

namespace {

using namespace ControlEvents;

struct Report {
  int count = 0;
  float x = -1;
};

void Record(ToolbarUser& strip, void (ToolbarUser::*signal)(int, int, float, float), Report& report) {
  QObject::connect(&strip, signal, [&report](int, int, float x, float) {
    ++report.count;
    report.x = x;
  });
}

class StripTest : public ::testing::Test {
 protected:
  StripTest() : strip(&host) {
    strip.resize(500, 20);
    strip.Create();
    Record(strip, &ToolbarUser::MouseDown, downs);
    Record(strip, &ToolbarUser::MouseMove, moves);
  }
  QPointF Over(int title) const { return strip.TitleBoxes()[std::size_t(title)].center(); }

  Fakes::FakeMainWindow host;
  ToolbarUser strip;
  Report downs;
  Report moves;
};

TEST_F(StripTest, APressBetweenTitlesReportsNoTitle) {
  const float between = float(strip.TitleBoxes()[4].right() + strip.TitleBoxes()[5].left()) / 2;
  Press(strip, QPointF(between, 8));
  EXPECT_EQ(strip.PressID(), ToolbarUser::NoTitle);
  EXPECT_EQ(downs.count, 1);
  EXPECT_EQ(downs.x, 0);
  Press(strip, Over(1));
  EXPECT_EQ(strip.PressID(), 1);
  EXPECT_EQ(downs.x, 40);
}

TEST_F(StripTest, TheLastTitlePassedOverIsKept) {
  Move(strip, Over(4));
  EXPECT_EQ(strip.PressID(), 4);
  EXPECT_EQ(moves.x, 215);
  strip.grab().save(TestSupport::ArtifactsFolder() + "/strip_effect_hovered.png");
  const QImage shot = strip.grab().toImage();
  const QRectF box = strip.TitleBoxes()[4];
  int boxRows = 0;
  for (int y = 0; y < 20; ++y) {
    boxRows += qGray(shot.pixel(int(box.left()) + 1, y)) < 200;
  }
  EXPECT_EQ(boxRows, 18) << "the hover box is the strip's height less 2";
  EXPECT_EQ(shot.pixel(int(strip.TitleBoxes()[0].left()) + 1, 1), qRgb(255, 255, 255));

  Move(strip, QPointF(480, 8));
  EXPECT_EQ(strip.PressID(), 4);
  EXPECT_EQ(moves.x, 215);
  EXPECT_EQ(strip.grab().toImage().pixel(int(box.left()) + 1, 2), qRgb(255, 255, 255));
}

TEST_F(StripTest, TitlesStartAtTheirLeftEdgesAndKeysAreForwarded) {
  for (int i = 0; i < ToolbarUser::TitleCount; ++i) {
    EXPECT_NEAR(strip.TitleBoxes()[std::size_t(i)].left(), ToolbarUser::TitleLefts[std::size_t(i)], 0.5);
    EXPECT_EQ(strip.TitleBoxes()[std::size_t(i)].height(), 18);
  }
  Key(strip, Qt::Key_F5);
  ASSERT_EQ(host.shortcutKeys.size(), 1u);
  EXPECT_EQ(host.shortcutKeys[0].first, 116);
}

class TitleBarTest : public ::testing::Test {
 protected:
  TitleBarTest() : bar(CopyLogo(data)) {
    bar.resize(400, 25);
    bar.SetTitle("Vesk Lorvane 6 - Free");
    bar.Painting();
  }
  // The data folder with the shipped logo in it.
  static QString CopyLogo(const TestSupport::TestFolder& folder) {
    QFile::copy(QCoreApplication::applicationDirPath() + "/Datas/Logo16pixel.png", folder.File("Logo16pixel.png"));
    return folder.Path() + "/";
  }

  TestSupport::TestFolder data;
  ButtonControl bar;
};

TEST_F(TitleBarTest, HoveringTheCloseButtonCirclesIt) {
  const QRgb before = bar.BackBuffer().pixel(388, 13);
  Move(bar, QPointF(400 - 20, 5));
  EXPECT_EQ(bar.SelectIndex(), ButtonControl::CloseButton);
  bar.BackBuffer().save(TestSupport::ArtifactsFolder() + "/titlebar_close_hovered.png");
  EXPECT_GT(qGray(bar.BackBuffer().pixel(388, 8)), qGray(before) + 20) << "no circle";
  Move(bar, QPointF(400 - 40, 20));
  EXPECT_EQ(bar.SelectIndex(), ButtonControl::MinimiseButton);
  Move(bar, QPointF(400 - 41, 20));
  EXPECT_EQ(bar.SelectIndex(), ButtonControl::NoButton);
  Move(bar, QPointF(400 - 40, 21));
  EXPECT_EQ(bar.SelectIndex(), ButtonControl::NoButton);
  EXPECT_EQ(bar.BackBuffer().pixel(388, 8), bar.BackBuffer().pixel(388, 8));
}

TEST_F(TitleBarTest, SettersDrawNothingUntilPainting) {
  const QImage before = bar.BackBuffer();
  bar.SetBackground(0xFFFF0000);
  bar.SetTitle("Other");
  EXPECT_EQ(bar.BackBuffer(), before);
  bar.Painting();
  EXPECT_EQ(qRed(bar.BackBuffer().pixel(200, 20)), 255);
}

TEST_F(TitleBarTest, AReleaseReportsAndAMissingLogoLeavesTheRest) {
  EXPECT_GT(qRed(bar.BackBuffer().pixel(17, 9)), 200) << "the logo's sun is missing";
  QFile::remove(data.File("Logo16pixel.png"));
  ButtonControl bare(data.Path() + "/");
  bare.resize(400, 25);
  bare.SetTitle("Vesk Lorvane 6 - Free");
  bare.Painting();
  const QImage shot = bare.BackBuffer();
  EXPECT_EQ(shot.pixel(17, 9), shot.pixel(1, 9)) << "the logo square is not empty";
  int titleInk = 0;
  for (int x = 26; x < 120; ++x) {
    titleInk += IsDark(shot.pixel(x, 13));
  }
  EXPECT_GT(titleInk, 5);
  int releases = 0;
  QObject::connect(&bar, &ButtonControl::MouseUP, [&releases] { ++releases; });
  Release(bar, QPointF(200, 10));
  EXPECT_EQ(releases, 1);
}

TEST_F(TitleBarTest, ADragOnTheBandMovesTheWindowWithoutAWindowManager) {
  QWidget window;
  window.setGeometry(100, 100, 400, 300);
  ButtonControl* band = new ButtonControl(QString(), &window);
  band->setGeometry(0, 0, 400, 25);
  window.show();
  const QPoint start = window.pos();
  Press(*band, QPointF(100, 10));
  Move(*band, QPointF(130, 30));
  EXPECT_EQ(window.pos(), start + QPoint(30, 20));
  Release(*band, QPointF(130, 30));
  Move(*band, QPointF(10, 10));
  EXPECT_EQ(window.pos(), start + QPoint(30, 20));
}

}  // namespace
