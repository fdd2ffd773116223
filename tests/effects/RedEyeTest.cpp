#include "effects/RedEye.h"

#include <gtest/gtest.h>

#include "EffectsTestImages.h"

using namespace EffectsTest;
using ModEffects::RemoveRedEye;

namespace {

// The colour left at the centre of a 21 x 21 disc of one colour (R = 10, F = 50).
Bgra AtCentre(Bgra colour, int T) {
  QImage image = Filled(21, 21, colour);
  RemoveRedEye(image, 0, 0, 20, 20, T, 10);
  return PixelAt(image, 10, 10);
}

}  // namespace

TEST(RedEye, PointDistanceRoundsTheSquareThenTheRoot) {
  EXPECT_EQ(ModEffects::PointDistance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(ModEffects::PointDistance({0, 0}, {0.5, 0.5}), 0);   // 0.5 rounds to 0
  EXPECT_EQ(ModEffects::PointDistance({0, 0}, {1.5, 0.5}), 1);   // 2.5 rounds to 2
  EXPECT_EQ(ModEffects::PointDistance({0, 0}, {1.5, 1.5}), 2);   // 4.5 rounds to 4
}

TEST(RedEye, RedPinkAndDarkPixelsTurnGrey) {
  EXPECT_EQ(AtCentre({0, 0, 255, 255}, 100), (Bgra{25, 25, 25, 255}));     // 85 - 10 - 50
  EXPECT_EQ(AtCentre({160, 90, 220, 255}, 100), (Bgra{97, 97, 97, 255}));  // 157 - 60
  EXPECT_EQ(AtCentre({20, 30, 40, 255}, 100), (Bgra{0, 0, 0, 255}));       // 30 - 60 clamps
  // A semi-transparent red pixel comes out opaque.
  EXPECT_EQ(AtCentre({0, 0, 255, 90}, 100), (Bgra{25, 25, 25, 255}));
}

TEST(RedEye, HighlightsSkinAndBlueAreLeftAlone) {
  for (const Bgra keep : {Bgra{255, 255, 255, 255}, Bgra{105, 172, 224, 255}, Bgra{30, 128, 250, 255}}) {
    EXPECT_EQ(AtCentre(keep, 100), keep);
    EXPECT_EQ(AtCentre(keep, 300), keep);
  }
  EXPECT_EQ(AtCentre({255, 0, 0, 255}, 100), (Bgra{255, 0, 0, 255}));
  EXPECT_EQ(AtCentre({255, 0, 0, 255}, 300), (Bgra{25, 25, 25, 255}));
}

TEST(RedEye, FallOffReachesZeroAtTheRadius) {
  QImage image = Filled(21, 21, {0, 0, 255, 255});
  RemoveRedEye(image, 0, 0, 20, 20, 100, 10);
  EXPECT_EQ(PixelAt(image, 10, 5).r, 50);   // d = 5: F = 25
  EXPECT_EQ(PixelAt(image, 10, 1).r, 70);   // d = 9: F = 5
  EXPECT_EQ(PixelAt(image, 10, 0).r, 255);  // d = R: untouched
  EXPECT_EQ(PixelAt(image, 0, 0).r, 255);
}

TEST(RedEye, RadiusComesFromTheLongerRoundedSide) {
  QImage wide = Filled(16, 3, {0, 0, 255, 255});
  RemoveRedEye(wide, 0, 0, 10.6f, 3, 100, 10);  // R = 5 around (5, 1)
  EXPECT_NE(PixelAt(wide, 1, 1).r, 255);
  EXPECT_EQ(PixelAt(wide, 0, 1).r, 255);
  EXPECT_EQ(PixelAt(wide, 10, 1).r, 255);

  QImage square = Filled(8, 8, {0, 0, 255, 255});
  RemoveRedEye(square, 0, 0, 7, 7, 100, 10);  // R = 3 around (3, 3)
  EXPECT_NE(PixelAt(square, 1, 3).r, 255);
  EXPECT_EQ(PixelAt(square, 0, 3).r, 255);
}

TEST(RedEye, HalfPixelOffsetVisitsEveryPixelOnce) {
  QImage image = Filled(24, 24, {0, 0, 255, 255});
  RemoveRedEye(image, 0.5f, 0.5f, 20, 20, 100, 10);
  // One pass leaves greys from 25 (centre) to 75 (rim); a second pass would take a grey
  // of 25..75 below 25, and a skipped column would stay red.
  for (int y = 6; y <= 15; ++y) {
    for (int x = 6; x <= 15; ++x) {
      const Bgra p = PixelAt(image, x, y);
      EXPECT_EQ(p.r, p.g) << x << "," << y;
      EXPECT_GE(p.r, 25) << x << "," << y;
      EXPECT_LE(p.r, 75) << x << "," << y;
    }
  }
}

TEST(RedEye, CirclesReachingOutsideAreClipped) {
  QImage image = Filled(5, 4, {0, 0, 255, 255});
  RemoveRedEye(image, -10, -10, 20, 20, 100, 10);  // centre (0, 0), R = 10
  EXPECT_EQ(PixelAt(image, 0, 0), (Bgra{25, 25, 25, 255}));
  EXPECT_EQ(PixelAt(image, 4, 3).r, PixelAt(image, 4, 3).g);

  QImage untouched = Filled(5, 4, {0, 0, 255, 255});
  RemoveRedEye(untouched, 30, 30, 10, 10, 100, 10);
  RemoveRedEye(untouched, 1, 1, 0, 0, 100, 10);
  EXPECT_EQ(untouched, Filled(5, 4, {0, 0, 255, 255}));
}
