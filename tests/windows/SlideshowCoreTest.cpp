#include "windows/SlideshowCore.h"

#include <gtest/gtest.h>

using namespace SlideshowCore;

namespace {

class ListSource final : public PictureSource {
 public:
  QStringList Selection() const override { return selection; }
  bool SelectionFromOpenDialog() const override { return fromDialog; }
  int SheetCount() const override { return int(sheet.size()); }
  QString SheetFile(int index) const override { return sheet.value(index); }

  QStringList selection;
  bool fromDialog = false;
  QStringList sheet{"s0.jpg", "s1.jpg", "s2.jpg"};
};

class ManualClock final : public Clock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 0;
};

}  // namespace

TEST(SlideshowCore, FadeStepFollowsThePictureSize) {
  EXPECT_EQ(FadeStep({1024, 768}), 20);
  EXPECT_EQ(FadeStep({1600, 1200}), 30);
  EXPECT_EQ(FadeStep({3000, 2000}), 50);
  EXPECT_EQ(FadeStep({200, 150}), 21);
  EXPECT_EQ(FadeStep({2500, 250}), 51);
  // A picture in memory fades as an empty holder does.
  EXPECT_EQ(FadeStep({}), 21);
}

TEST(SlideshowCore, FadeAlphasCountTheDraws) {
  EXPECT_EQ(FadeAlphas(kFirstAlpha, 20).size(), 8u);
  EXPECT_EQ(FadeAlphas(kFirstAlpha, 20).back(), 240);
  EXPECT_EQ(FadeAlphas(kFirstAlpha, FadeStep({2001, 100})), (std::vector<int>{100, 151, 202, 253}));
  EXPECT_TRUE(FadeAlphas(kFirstAlpha, 0).empty());

  Fade fade;
  fade.Begin(51);
  std::vector<int> drawn;
  while (const std::optional<int> alpha = fade.Next()) {
    drawn.push_back(*alpha);
  }
  EXPECT_EQ(drawn.size(), 4u);
  fade.Begin(20);
  fade.Next();
  fade.Stop();
  EXPECT_FALSE(fade.Next().has_value());
}

TEST(SlideshowCore, FitNeverEnlargesAndCentres) {
  EXPECT_EQ(FitPicture({100, 50}, {800, 600}, -3), QRect(350, 272, 100, 50));
  EXPECT_EQ(FitPicture({1600, 400}, {800, 600}, 0), QRect(0, 200, 800, 200));
  EXPECT_EQ(FitPicture({400, 1600}, {800, 600}, 0), QRect(325, 0, 150, 600));
  // The odd leftover pixel goes to the right.
  EXPECT_EQ(FitPicture({101, 50}, {800, 600}, 0).x(), 349);
  EXPECT_TRUE(FitPicture({0, 0}, {800, 600}, 0).isEmpty());
}

TEST(SlideshowCore, IntervalStaysWithinOneToEightSeconds) {
  EXPECT_EQ(NormalizeSpeed(0), 1000);
  EXPECT_EQ(NormalizeSpeed(-500), 1000);
  EXPECT_EQ(NormalizeSpeed(500), 1000);
  EXPECT_EQ(NormalizeSpeed(2400), 2000);
  EXPECT_EQ(NormalizeSpeed(3000), 3000);
  EXPECT_EQ(NormalizeSpeed(60000), 8000);
  EXPECT_EQ(ShorterSpeed(1000), 1000);
  EXPECT_EQ(ShorterSpeed(3000), 2000);
  EXPECT_EQ(LongerSpeed(8000), 8000);
  EXPECT_EQ(LongerSpeed(7000), 8000);
}

TEST(SlideshowCore, PositionsWrapInTheShowAndHoldOnTheButtons) {
  EXPECT_EQ(NextInShow(1, 3), 2);
  EXPECT_EQ(NextInShow(2, 3), 0);
  EXPECT_EQ(NextInShow(0, 0), 0);
  EXPECT_EQ(NextHeld(2, 3), 2);
  EXPECT_EQ(NextHeld(0, 3), 1);
  EXPECT_EQ(NextHeld(0, 0), 0);
  EXPECT_EQ(PreviousHeld(0), 0);
  EXPECT_EQ(PreviousHeld(2), 1);
}

TEST(SlideshowCore, SelectionOfTwoOrMoreIsTheShow) {
  ListSource source;
  EXPECT_EQ(PictureCount(source), 3);
  EXPECT_EQ(PictureAt(source, 1), "s1.jpg");

  source.selection = {"a.jpg"};
  EXPECT_FALSE(ShowsSelection(source));
  EXPECT_EQ(PictureAt(source, 0), "s0.jpg");
  source.fromDialog = true;
  EXPECT_EQ(PictureAt(source, 0), "a.jpg");

  source.fromDialog = false;
  source.selection = {"a.jpg", "b.jpg"};
  EXPECT_EQ(PictureCount(source), 2);
  EXPECT_EQ(PictureAt(source, NextInShow(1, PictureCount(source))), "a.jpg");
  EXPECT_TRUE(PictureAt(source, 2).isEmpty());
  EXPECT_TRUE(PictureAt(source, -1).isEmpty());
}

TEST(SlideshowCore, WaitEndsByTheClock) {
  ManualClock clock;
  clock.now = 86'399'000;  // a second before midnight: the steady clock does not wrap
  Wait wait;
  wait.Begin(clock, 2000);
  EXPECT_FALSE(wait.Over(clock));
  clock.now += 1999;
  EXPECT_EQ(wait.MsLeft(clock), 1);
  clock.now += 1;
  EXPECT_TRUE(wait.Over(clock));
}
