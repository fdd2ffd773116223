// The month renderer: the Gregorian month facts in any language, the six-row grid, the
// compact form's day cells, and an export sized like the drawing before it. Positions
// are compared with one another, never with fixed font metrics.

#include <clocale>

#include <QImage>
#include <QLocale>

#include <gtest/gtest.h>

#include "canvas/ClsCalendar.h"
#include "platform/gdiplus/Graphics.h"
#include "support/TestFolder.h"

namespace {

constexpr float kLeft = 20;
constexpr float kTop = 10;

QImage WhiteSurface() {
  QImage surface(420, 360, QImage::Format_ARGB32);
  surface.fill(Qt::white);
  return surface;
}

void Draw(ClsCalendar& calendar, QImage& surface, bool isExport = false) {
  const auto graphics = Gdip::Graphics::FromSurface(surface);
  ASSERT_NE(graphics, nullptr);
  calendar.DrawCalendar(*graphics, kLeft, kTop, 20, 10, isExport);
}

ClsCalendar Compact(int month, int year) {
  ClsCalendar calendar;
  calendar.SetMonths(month);
  calendar.SetYears(year);
  calendar.SetSimple(true);
  calendar.SetFontColor(0xFF000000);
  return calendar;
}

// The compact drawing of the month: the day cells it leaves.
std::vector<QRectF> CellsOf(int month, int year) {
  ClsCalendar calendar = Compact(month, year);
  QImage surface = WhiteSurface();
  Draw(calendar, surface);
  return CalendarDays;
}

void ExpectLastDayInRowSix(int month, int year) {
  const std::vector<QRectF> cells = CellsOf(month, year);
  ASSERT_EQ(cells.size(), 31u);
  // The first day falls on Friday or Saturday, so the second or third starts row two.
  const int secondRow = ClsCalendar::FactsOf(month, year).firstWeekday == 7 ? 1 : 2;
  const double rowStep = cells[std::size_t(secondRow)].y() - cells[0].y();
  ASSERT_GT(rowStep, 0);
  EXPECT_DOUBLE_EQ(cells[30].y(), cells[0].y() + 5 * rowStep) << month << "/" << year;
}

}  // namespace

TEST(ClsCalendar, MonthFactsFollowTheGregorianCalendar) {
  EXPECT_EQ(ClsCalendar::FactsOf(2, 2100).days, 28);
  EXPECT_EQ(ClsCalendar::FactsOf(2, 1900).days, 28);
  EXPECT_EQ(ClsCalendar::FactsOf(2, 2000).days, 29);
  EXPECT_EQ(ClsCalendar::FactsOf(2, 2024).days, 29);
  EXPECT_EQ(ClsCalendar::FactsOf(3, 2025).firstWeekday, 7);  // Saturday
  EXPECT_EQ(ClsCalendar::FactsOf(5, 2026).firstWeekday, 6);  // Friday
  EXPECT_EQ(ClsCalendar::FactsOf(11, 2026).firstWeekday, 1);  // Sunday
  EXPECT_EQ(ClsCalendar::FactsOf(13, 2025).days, 31);  // January of the next year
  EXPECT_EQ(ClsCalendar::Title(3, 2024), "March 2024");
  EXPECT_EQ(ClsCalendar::Title(2, 2024), "Feb 2024");
  EXPECT_TRUE(ClsCalendar::Title(0, 2024).isEmpty());
  EXPECT_EQ(ClsCalendar::Headers(false).join('|'), "Sun|Mon|Tue|Wed|Thu|Fri|Sat");
  EXPECT_EQ(ClsCalendar::Headers(true).join('|'), " S| M| T| W| T| F| S");
}

TEST(ClsCalendar, LongMonthsStartingLateEndInRowSix) {
  ExpectLastDayInRowSix(3, 2025);
  ExpectLastDayInRowSix(5, 2026);
}

TEST(ClsCalendar, RowSixAlsoUnderAGermanLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
  }
  const QLocale defaultLocale;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ExpectLastDayInRowSix(3, 2025);
  ExpectLastDayInRowSix(5, 2026);
  QLocale::setDefault(defaultLocale);
  std::setlocale(LC_ALL, before.c_str());
}

TEST(ClsCalendar, CompactMonthLeavesOneCellPerDayFromTheFirst) {
  // April 2026 has 30 days and starts on a Wednesday.
  const std::vector<QRectF> cells = CellsOf(4, 2026);
  ASSERT_EQ(cells.size(), 30u);
  const double step = cells[1].x() - cells[0].x();
  ASSERT_GT(step, 0);
  EXPECT_DOUBLE_EQ(cells[0].x(), kLeft + 8 + 3 * step);
  EXPECT_EQ(cells[0].size(), QSizeF(16, 16));
  EXPECT_DOUBLE_EQ(cells[4].x(), kLeft + 8);  // Sunday the 5th starts row two
  EXPECT_GT(cells[4].y(), cells[0].y());
  ClsCalendar fresh;
  EXPECT_EQ(CalendarDays.size(), 32u);  // a new renderer empties the cells
}

TEST(ClsCalendar, ExportKeepsTheSizeOfTheDrawingBefore) {
  ClsCalendar calendar = Compact(7, 2026);
  calendar.SetSimple(false);
  QImage screen = WhiteSurface();
  Draw(calendar, screen);
  ASSERT_GT(calendar.Width(), 0);
  const float width = calendar.Width();
  const float height = calendar.Height();
  QImage exported = WhiteSurface();
  Draw(calendar, exported, true);
  EXPECT_FLOAT_EQ(calendar.Width(), width);
  EXPECT_FLOAT_EQ(calendar.Height(), height);
  EXPECT_EQ(exported, screen);

  // An export with no drawing before it measures its own cell, so the numbers spread.
  ClsCalendar first = Compact(7, 2026);
  QImage alone = WhiteSurface();
  Draw(first, alone, true);
  EXPECT_FLOAT_EQ(first.Width(), width);
  EXPECT_GT(CalendarDays[1].x(), CalendarDays[0].x());
}

TEST(ClsCalendar, FlaggedDaysStandOutInTheCompactForm) {
  ClsCalendar calendar = Compact(6, 2026);
  calendar.Enabled(14, true);
  calendar.Enabled(40, true);  // outside the table: ignored
  QImage compact = WhiteSurface();
  Draw(calendar, compact);
  const auto darkest = [&](const QRectF& cell) {
    int least = 255;
    for (int y = int(cell.top()); y < int(cell.bottom()); ++y) {
      for (int x = int(cell.left()); x < int(cell.right()); ++x) {
        least = std::min(least, qGray(compact.pixel(x, y)));
      }
    }
    return least;
  };
  EXPECT_LT(darkest(CalendarDays[14]), darkest(CalendarDays[13]));
  compact.save(TestSupport::ArtifactsFolder() + "/calendar-compact.png");

  ClsCalendar full = Compact(6, 2026);
  full.SetSimple(false);
  QImage month = WhiteSurface();
  Draw(full, month);
  month.save(TestSupport::ArtifactsFolder() + "/calendar-full.png");
}
