#include <gtest/gtest.h>

#include <QImageReader>


#include "ControlEvents.h"
#include "PanelFixture.h"
#include "browse/ZzQFiterControl.h"
#include "browse/scrollVControl.h"
#include "controls/ToolGrid.h"
#include "controls/ToolPanel.h"
#include "controls/UserCalender.h"
#include "controls/UserqzProcess.h"
#include "controls/ZpYLibMenu.h"
#include "platform/forms/Input.h"

namespace {

using namespace ControlEvents;

TEST(SidePanelTables, TabsAreHitWhereTheyAreDrawn) {
  const auto tabs = UserqzProcess::TabRects();
  EXPECT_EQ(tabs[0], QRectF(5, 14, 30, 15));
  EXPECT_EQ(tabs[1], QRectF(57, 14, 40, 15));
  EXPECT_EQ(tabs[2], QRectF(119, 14, 40, 15));
  EXPECT_EQ(tabs[3], QRectF(181, 14, 45, 15));
  EXPECT_TRUE(tabs[4].isEmpty());
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(40, 20)), 0);
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(50, 20)), 0);
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(60, 20)), 1);
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(245, 14)), 3);
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(250, 20)), std::nullopt);
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(40, 29)), std::nullopt);
  EXPECT_EQ(UserqzProcess::TabAt(QPointF(0, 0)), std::nullopt);
  // The two tool tables differ only where their captions were written differently.
  const auto& side = UserqzProcess::ToolCaptions();
  const auto& standalone = ToolPanel::Captions();
  int differing = 0;
  for (std::size_t i = 0; i < side.size(); ++i) {
    differing += QString(side[i]) != QString(standalone[i]);
  }
  EXPECT_EQ(differing, 4);
  EXPECT_STREQ(side[10], "Calendar");
}

class SidePanelTest : public PanelFixture::ProgramFolderTest {
 protected:
  // Lays the panel out at that size and paints it as the main window does.
  UserqzProcess& Start(QSize size = {270, 330}) {
    panel = std::make_unique<UserqzProcess>();
    panel->resize(size);
    panel->show();
    panel->StartPaint();
    return *panel;
  }
  const QImage& Strip() { return panel->ToolOLE().BackBuffer(); }
  QColor MarkPixel(int tool) {
    return Strip().pixelColor(ToolGrid::Cells()[std::size_t(tool)].toRect().topLeft() + QPoint(-4, 20));
  }
  void ClickRow(const QString& text) {
    ZzQFiterControl& filter = panel->ZzQFiter();
    for (const auto& row : filter.Rows()) {
      if (row.Text == text) {
        Press(filter, row.Rect.center());
        return;
      }
    }
    FAIL() << "no row " << text.toStdString();
  }

  std::unique_ptr<UserqzProcess> panel;
};

TEST_F(SidePanelTest, NarrowPanelsAreNotLaidOut) {
  UserqzProcess narrow;
  narrow.resize(260, 330);
  narrow.show();
  EXPECT_FALSE(narrow.LoadOver());
  EXPECT_NE(narrow.StampMenu().geometry(), QRect(6, 31, 250, 284));
  narrow.resize(261, 330);
  EXPECT_TRUE(narrow.LoadOver());
  EXPECT_EQ(narrow.StampMenu().geometry(), QRect(6, 31, 251, 284));
  EXPECT_EQ(narrow.CalenderSee().geometry(), QRect(6, 31, 251, 284));
  EXPECT_EQ(narrow.ToolPanel().geometry(), QRect(6, 31, 261 - 15 - 4, 284));
  EXPECT_EQ(narrow.ToolVscroll().geometry(), QRect(242, 31, 15, 284));
}

TEST_F(SidePanelTest, TheToolsBarScrollsOnlyAPanelShorterThanTheStrip) {
  Start({270, 400});
  EXPECT_FALSE(panel->ToolVscroll().Enabled());
  Start({270, 300});
  EXPECT_TRUE(panel->ToolVscroll().Enabled());
  EXPECT_EQ(panel->ToolVscroll().Max(), 50);
  panel->ToolVscroll().SetValue(30);
  EXPECT_EQ(panel->ToolOLE().y(), -30);
}

TEST_F(SidePanelTest, APressOnAToolHighlightsItAndAPressBetweenToolsOnlyReports) {
  Start();
  PanelFixture::Spy downs(panel.get(), &UserqzProcess::MouseDown);
  EXPECT_EQ(MarkPixel(0).red(), MarkPixel(0).blue());
  EXPECT_LT(MarkPixel(0).red(), 238);
  Press(panel->ToolOLE(), ToolGrid::Cells()[7].center());
  EXPECT_EQ(panel->SelEffect(), 7);
  EXPECT_EQ(panel->lngVisible(), 1);
  EXPECT_LT(MarkPixel(7).red(), 238);
  EXPECT_EQ(MarkPixel(0), QColor(238, 238, 238));
  Press(panel->ToolOLE(), QPointF(80, 80));
  EXPECT_EQ(panel->SelEffect(), 7);
  EXPECT_EQ(panel->lngVisible(), 0);
  ASSERT_EQ(downs.count(), 2);
  EXPECT_EQ(downs[1][2].toFloat(), 80.0F);
  // A number outside the grid marks nothing.
  panel->SetSelEffect(12);
  panel->ResetPaint();
  EXPECT_EQ(MarkPixel(7), QColor(238, 238, 238));
}

TEST_F(SidePanelTest, TabsOpenTheirSectionsAndReportThePress) {
  Start();
  PanelFixture::Spy downs(panel.get(), &UserqzProcess::MouseDown);
  PanelFixture::Spy ups(panel.get(), &UserqzProcess::MouseUP);
  EXPECT_EQ(panel->Toolselect(), 0);
  Press(*panel, QPointF(70, 20));
  Release(*panel, QPointF(70, 20));
  EXPECT_EQ(panel->Toolselect(), UserqzProcess::StampSection);
  EXPECT_TRUE(panel->StampMenu().isVisibleTo(panel.get()));
  EXPECT_FALSE(panel->ToolPanel().isVisibleTo(panel.get()));
  Press(*panel, QPointF(200, 20));
  EXPECT_TRUE(panel->CalenderSee().isVisibleTo(panel.get()));
  EXPECT_FALSE(panel->StampMenu().isVisibleTo(panel.get()));
  Press(*panel, QPointF(250, 20));
  EXPECT_EQ(panel->Toolselect(), UserqzProcess::CalendarSection);
  EXPECT_EQ(downs.count(), 3);
  EXPECT_EQ(ups.count(), 1);
  // Sections outside the table leave the content as it is.
  panel->SetToolselect(7);
  EXPECT_TRUE(panel->CalenderSee().isVisibleTo(panel.get()));
}

TEST_F(SidePanelTest, AFormatSwitchedOffStaysOffAcrossRepaints) {
  Start();
  panel->SetToolselect(UserqzProcess::FilterSection);
  PanelFixture::Spy chosen(panel.get(), &UserqzProcess::FormatsChosen);
  ClickRow("*.Gif");
  ASSERT_EQ(chosen.count(), 1);
  const QString formats = chosen[0][0].toString();
  EXPECT_FALSE(formats.contains("*.Gif", Qt::CaseInsensitive));
  EXPECT_TRUE(formats.contains("*.Jpg", Qt::CaseInsensitive));
  panel->StartPaint();
  const auto& rows = panel->ZzQFiter().Rows();
  const auto gif = std::find_if(rows.begin(), rows.end(), [](const auto& row) { return row.Text == "*.Gif"; });
  ASSERT_NE(gif, rows.end());
  EXPECT_FALSE(gif->Selected);
  EXPECT_EQ(chosen.count(), 1);
  EXPECT_FALSE(panel->ZzQFiter().ImageFormats().contains("*.Gif", Qt::CaseInsensitive));
}

TEST_F(SidePanelTest, PassesTheSectionsEventsAndKeysOn) {
  Stamp("a.lib", Qt::red);
  Start();
  panel->SetToolselect(UserqzProcess::StampSection);
  ASSERT_TRUE(QTest::qWaitFor([this] { return panel->StampMenu().SheetReady(); }, 20000));
  PanelFixture::Spy stampUps(panel.get(), &UserqzProcess::MouseUPstamp);
  PanelFixture::Spy stampDoubles(panel.get(), &UserqzProcess::Stampdbclick);
  QWidget& sheet = panel->StampMenu().LibOLE();
  const QPointF enter = ZpYLibMenu::TileGeometry(0, sheet.width()).Enter.center();
  Release(sheet, enter);
  Mouse(sheet, QEvent::MouseButtonDblClick, enter);
  EXPECT_EQ(stampUps.count(), 1);
  EXPECT_EQ(stampDoubles.count(), 1);
  EXPECT_EQ(panel->StampEnter(), 2);
  EXPECT_EQ(panel->StampFilename(), folder.File("Librarians/a.lib"));

  panel->SetToolselect(UserqzProcess::CalendarSection);
  UserCalender& calendar = panel->CalenderSee();
  PanelFixture::Spy calendarUps(panel.get(), &UserqzProcess::CalenderSeeMouseUP);
  const QPointF day3 = calendar.DayCells().at(2).center();
  Move(calendar, day3);
  Release(calendar, day3);
  ASSERT_EQ(calendarUps.count(), 1);
  EXPECT_TRUE(calendarUps[0][4].toBool());
  EXPECT_EQ(panel->CalenderDay(), 3);
  EXPECT_EQ(panel->CalenderMonth(), calendar.SelectedMonth());

  PanelFixture::Spy keys(panel.get(), &UserqzProcess::ShortcutKeyPressed);
  Key(*panel, Qt::Key_F5);
  // A section's keys reach the panel as their parent.
  Key(panel->ZzQFiter(), Qt::Key_Delete);
  ASSERT_EQ(keys.count(), 2);
  EXPECT_EQ(keys[0][0].toInt(), Forms::vbKeyF1 + 4);
  EXPECT_EQ(keys[1][0].toInt(), 0x2E);
}

TEST_F(SidePanelTest, TheStripCacheLivesAsLongAsThePanel) {
  Start();
  EXPECT_TRUE(QFile::exists(UserqzProcess::EffectPanelCache()));
  EXPECT_EQ(QImageReader(UserqzProcess::EffectPanelCache()).format(), "bmp");
  panel.reset();
  EXPECT_FALSE(QFile::exists(UserqzProcess::EffectPanelCache()));
}

TEST_F(SidePanelTest, ScreenshotsOfTheFourSections) {
  Stamp("Sunset.lib", QColor(240, 120, 40), {120, 60});
  Stamp("Leaf.lib", QColor(60, 170, 70), {40, 80});
  Start({270, 380});
  panel->SetSelEffect(4);
  panel->ResetPaint();
  const QStringList names{"tools", "stamp", "filter", "calendar"};
  for (int section = 0; section < 4; ++section) {
    panel->SetToolselect(section);
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel->StampMenu().SheetReady(); }, 20000));
    QImage shot(panel->size(), QImage::Format_ARGB32);
    shot.fill(QColor(90, 120, 170));
    panel->render(&shot);
    shot.save(TestSupport::ArtifactsFolder() + "/side-panel-" + names[section] + ".png");
  }
}

}  // namespace
