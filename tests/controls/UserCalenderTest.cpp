#include <gtest/gtest.h>


#include "ControlEvents.h"
#include "PanelFixture.h"
#include "controls/UserCalender.h"
#include "support/TestFolder.h"

namespace {

using namespace ControlEvents;

QDate FixedToday() { return {2026, 12, 9}; }

TEST(CalendarPickerGeometry, MonthLeftAndButtonsFollowTheWidth) {
  EXPECT_EQ(UserCalender::MonthLeft(200), -5);
  EXPECT_EQ(UserCalender::MonthLeft(210), 0);
  EXPECT_EQ(UserCalender::MonthLeft(300), 45);
  const auto rects = UserCalender::ButtonRects(300);
  EXPECT_EQ(rects[UserCalender::NextYear], QRectF(225, 30, 16, 16));
  EXPECT_EQ(rects[UserCalender::NextMonth], QRectF(204, 30, 16, 16));
  EXPECT_EQ(rects[UserCalender::PreviousMonth], QRectF(183, 30, 16, 16));
  EXPECT_EQ(rects[UserCalender::PreviousYear], QRectF(161, 30, 16, 16));
  EXPECT_EQ(UserCalender::ButtonRects(200)[UserCalender::NextYear].x(), 175);
}

class CalendarPickerTest : public PanelFixture::ProgramFolderTest {
 protected:
  CalendarPickerTest() : picker(nullptr, &FixedToday), ups(&picker, &UserCalender::MouseUp) {
    picker.resize(260, 230);
    picker.show();
    picker.Painting();
  }
  QPointF Button(int index) const { return UserCalender::ButtonRects(picker.width())[std::size_t(index)].center(); }
  QPointF Day(int day) const { return picker.DayCells().at(std::size_t(day - 1)).center(); }
  void Click(QPointF at) {
    Move(picker, at);
    Press(picker, at);
    Release(picker, at);
  }

  UserCalender picker;
  PanelFixture::Spy ups;
};

TEST_F(CalendarPickerTest, OpensOnTodayAndStepsMonthsWithinTheYear) {
  EXPECT_EQ(picker.SelectedYear(), 2026);
  EXPECT_EQ(picker.SelectedMonth(), 12);
  EXPECT_EQ(picker.SelectedDay(), 9);
  Click(Button(UserCalender::NextMonth));
  EXPECT_EQ(picker.SelectedMonth(), 12);
  EXPECT_EQ(picker.SelectedYear(), 2026);
  for (int i = 0; i < 12; ++i) {
    Click(Button(UserCalender::PreviousMonth));
  }
  EXPECT_EQ(picker.SelectedMonth(), 1);
  EXPECT_EQ(picker.SelectedYear(), 2026);
  Click(Button(UserCalender::PreviousYear));
  Click(Button(UserCalender::PreviousYear));
  Click(Button(UserCalender::NextYear));
  EXPECT_EQ(picker.SelectedYear(), 2025);
  EXPECT_EQ(ups.count(), 16);
}

TEST_F(CalendarPickerTest, ADayIsReportedOnlyWhenTheReleaseIsOnIt) {
  Move(picker, Day(5));
  Release(picker, Day(5));
  ASSERT_EQ(ups.count(), 1);
  EXPECT_TRUE(picker.DayUp());
  EXPECT_EQ(picker.SelectedDay(), 5);
  // From a day straight onto the next-year button: the year steps and no day is reported.
  Move(picker, Day(20));
  Move(picker, Button(UserCalender::NextYear));
  Release(picker, Button(UserCalender::NextYear));
  EXPECT_FALSE(picker.DayUp());
  EXPECT_EQ(picker.SelectedYear(), 2027);
  EXPECT_EQ(picker.SelectedDay(), 20);
  // Empty space: no day, and the remembered day stays.
  Move(picker, QPointF(5, 5));
  Release(picker, QPointF(5, 5));
  EXPECT_FALSE(picker.DayUp());
  EXPECT_EQ(ups.count(), 3);
}

TEST_F(CalendarPickerTest, EnabledDaysMarksOnlyDaysOfTheMonth) {
  const QImage plain = picker.BackBuffer().copy();
  picker.EnabledDays(-1, true);
  picker.EnabledDays(40, true);
  picker.Painting();
  EXPECT_EQ(picker.BackBuffer(), plain);
  picker.EnabledDays(4, true);
  EXPECT_EQ(picker.BackBuffer(), plain) << "EnabledDays draws nothing by itself";
  picker.Painting();
  const QRect day5 = picker.DayCells()[4].toAlignedRect();
  EXPECT_NE(picker.BackBuffer().copy(day5), plain.copy(day5));
}

TEST_F(CalendarPickerTest, DrawsButtonsAndBandsAndSavesAPicture) {
  const QImage& shown = picker.BackBuffer();
  const QColor back(238, 238, 238);
  const int L = UserCalender::MonthLeft(picker.width());
  // A band's inside is a little darker than the ground beside it.
  EXPECT_LT(qGray(shown.pixel(L + 40, 88)), qGray(back.rgb()));
  EXPECT_EQ(shown.pixelColor(2, 200), back);
  bool buttonInk = false;
  const QRect button = UserCalender::ButtonRects(picker.width())[0].toRect();
  for (int y = button.top(); y <= button.bottom(); ++y) {
    for (int x = button.left(); x <= button.right(); ++x) {
      buttonInk = buttonInk || IsDark(shown.pixel(x, y));
    }
  }
  EXPECT_TRUE(buttonInk);
  shown.save(TestSupport::ArtifactsFolder() + "/calendar-picker.png");
}

class CalendarPickerWithoutImaging : public PanelFixture::ProgramFolderTest {};

TEST_F(CalendarPickerWithoutImaging, NothingIsDrawnOrHitBeforeTheImagingLayerRuns) {
  ModPublic::GdiplusToken = 0;
  UserCalender picker(nullptr, &FixedToday);
  picker.resize(260, 230);
  picker.BackBuffer().fill(Qt::transparent);
  picker.Painting();
  EXPECT_EQ(picker.BackBuffer().pixel(10, 10), 0u);
  PanelFixture::Spy ups(&picker, &UserCalender::MouseUp);
  const QPointF next = UserCalender::ButtonRects(260)[UserCalender::NextYear].center();
  Move(picker, next);
  Release(picker, next);
  EXPECT_EQ(picker.SelectedYear(), 2026);
  EXPECT_EQ(ups.count(), 1);
}

}  // namespace
