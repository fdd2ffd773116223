#include "effects/RetouchBrushes.h"

#include <gtest/gtest.h>

#include "EffectsTestImages.h"

using namespace EffectsTest;
using namespace ModEffects;

namespace {

const Bgra kMid{100, 100, 100, 255};

// A grey picture with a brush of size S and strength T at a picture point.
QImage Retouched(QPoint centre, int S, int T, int mode, int width = 5, int height = 5, Bgra fill = kMid) {
  QImage image = Filled(width, height, fill);
  RetouchBrush(ModEffects::ViewOfImage(image), centre, S, T, mode);
  return image;
}

int ChangedPixels(const QImage& a, const QImage& b) {
  int changed = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      changed += PixelAt(a, x, y) != PixelAt(b, x, y);
    }
  }
  return changed;
}

}  // namespace

TEST(RetouchBrush, SizeOneChangesOnlyTheCentreAndNothingOnTheLastColumnOrTopLine) {
  const QImage original = Filled(5, 5, kMid);
  const QImage middle = Retouched({2, 2}, 1, 0, kDodgeBrush);
  EXPECT_EQ(ChangedPixels(middle, original), 1);
  EXPECT_EQ(PixelAt(middle, 2, 2), (Bgra{110, 110, 110, 255}));
  // The bottom line and the first column are inside the brush grid.
  EXPECT_EQ(PixelAt(Retouched({0, 4}, 1, 0, kDodgeBrush), 0, 4), (Bgra{110, 110, 110, 255}));
  EXPECT_EQ(Retouched({4, 2}, 1, 0, kDodgeBrush), original);
  EXPECT_EQ(Retouched({2, 0}, 1, 0, kDodgeBrush), original);
}

TEST(RetouchBrush, DodgeAndBurnFollowTheStrength) {
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 1, 0, kDodgeBrush, 5, 5, {250, 0, 100, 77}), 2, 2), (Bgra{255, 10, 110, 77}));
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 1, 0, kBurnBrush, 5, 5, {250, 5, 100, 77}), 2, 2), (Bgra{240, 0, 90, 77}));
  EXPECT_EQ(Retouched({2, 2}, 5, 100, kDodgeBrush), Filled(5, 5, kMid));  // k = 0
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 1, 200, kDodgeBrush), 2, 2), (Bgra{90, 90, 90, 255}));
  // Size 5: r = 2, w = 1 - d^2 / 5; a pixel one step away gets 0.8 * 10.
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 5, 0, kDodgeBrush), 3, 2).b, 108);
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 5, 0, kDodgeBrush), 4, 4).b, 100);  // outside the circle
}

TEST(RetouchBrush, SharpenAndSoftenWithZeroDivisorsChangeNothing) {
  const QImage pattern = Pattern(6, 6);
  for (const auto& [T, mode] : {std::pair{101, kSharpenBrush}, std::pair{105, kSoftenBrush}}) {
    QImage image = pattern;
    RetouchBrush(ViewOfImage(image), {3, 3}, 9, T, mode);
    EXPECT_EQ(image, pattern) << "mode " << mode;
  }
}

TEST(RetouchBrush, SoftenWorksInPlaceAndLeavesTheEdges) {
  // View row 1 of a 4 x 3 picture holds 0, 100, 0, 50; T = 100 makes k = 0, m = 1: the
  // plain cross mean. Pixel 2 sees its left neighbour already softened to 20.
  QImage image = Filled(4, 3, {0, 0, 0, 255});
  SetPixel(image, 1, 1, {100, 100, 100, 255});
  SetPixel(image, 3, 1, {50, 50, 50, 255});
  RetouchBrush(ViewOfImage(image), {1, 1}, 5, 100, kSoftenBrush);
  EXPECT_EQ(PixelAt(image, 1, 1).g, 20);
  EXPECT_EQ(PixelAt(image, 2, 1).g, 14);
  EXPECT_EQ(PixelAt(image, 3, 1).g, 50);
  EXPECT_EQ(PixelAt(image, 1, 0).g, 0);
}

TEST(RetouchBrush, SharpenClampsAndKeepsAlpha) {
  QImage image = Filled(3, 3, {255, 255, 255, 255});
  SetPixel(image, 1, 1, {0, 10, 250, 33});
  RetouchBrush(ViewOfImage(image), {1, 1}, 3, 10, kSharpenBrush);  // k = 9, m = 90 at the centre
  // (90 * 250 - 8 * 255) / 82 = 249, while the darker channels fall below 0.
  EXPECT_EQ(PixelAt(image, 1, 1), (Bgra{0, 0, 249, 33}));
  EXPECT_EQ(PixelAt(image, 0, 0), (Bgra{255, 255, 255, 255}));
}

TEST(RetouchBrush, SaturationDarkensGreyAndSpreadsColour) {
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 1, 10, kSaturationBrush), 2, 2), (Bgra{90, 90, 90, 255}));
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 1, -10, kSaturationBrush), 2, 2), (Bgra{110, 110, 110, 255}));
  // T = 60: s = 1 and grey 100, so each channel moves away from it by its distance.
  EXPECT_EQ(PixelAt(Retouched({2, 2}, 1, 60, kSaturationBrush, 5, 5, {0, 100, 200, 9}), 2, 2), (Bgra{0, 40, 240, 9}));
}

TEST(RetouchBrush, BrushesPartlyOutsideChangeOnlyThePicture) {
  const QImage original = Filled(4, 4, kMid);
  QImage image = original;
  const QRect changed = RetouchBrush(ViewOfImage(image), {-1, 3}, 5, 0, kDodgeBrush);
  EXPECT_EQ(PixelAt(image, 0, 3).b, 108);
  EXPECT_EQ(PixelAt(image, 0, 2).b, 106);
  EXPECT_EQ(PixelAt(image, 1, 3).b, 102);
  EXPECT_EQ(PixelAt(image, 1, 2).b, 100);  // d^2 = 5: outside the circle
  EXPECT_EQ(PixelAt(image, 3, 3).b, 100);
  EXPECT_TRUE(QRect(0, 0, 4, 4).contains(changed));
  EXPECT_TRUE(changed.contains(0, 3));
  // Clipped to a single column: counts as empty although pixel (0, 2) lies in the circle.
  image = original;
  EXPECT_TRUE(RetouchBrush(ViewOfImage(image), {-2, 2}, 5, 0, kDodgeBrush).isEmpty());
  EXPECT_TRUE(RetouchBrush(ViewOfImage(image), {40, -40}, 9, 0, kDodgeBrush).isEmpty());
  EXPECT_TRUE(RetouchBrush(ViewOfImage(image), {2, 2}, 5, 0, 7).isEmpty());
  EXPECT_TRUE(RetouchBrush(PixelView{}, {0, 0}, 5, 0, kDodgeBrush).isEmpty());
  EXPECT_EQ(image, original);
}

TEST(EraserBrush, BrushEraserFadesAndTheOthersClear) {
  QImage image = Filled(5, 5, {10, 20, 30, 255});
  EraserBrush(ViewOfImage(image), {2, 2}, 5, 255, kBrushEraser);
  EXPECT_EQ(PixelAt(image, 2, 2), (Bgra{10, 20, 30, 0}));
  EXPECT_EQ(PixelAt(image, 3, 2).a, 51);  // 255 - 0.8 * 255

  image = Filled(5, 5, {10, 20, 30, 255});
  EraserBrush(ViewOfImage(image), {2, 2}, 5, 50, kBrushEraser);
  EXPECT_EQ(PixelAt(image, 3, 2).a, 215);
  EXPECT_EQ(PixelAt(image, 4, 4).a, 255);

  for (const int mode : {kPencilEraser, kBlockEraser}) {
    image = Filled(5, 5, {10, 20, 30, 255});
    EraserBrush(ViewOfImage(image), {2, 2}, 5, 50, mode);
    EXPECT_EQ(PixelAt(image, 4, 2), (Bgra{10, 20, 30, 0}));
    EXPECT_EQ(PixelAt(image, 4, 4), (Bgra{10, 20, 30, 255}));
  }
  image = Filled(5, 5, {10, 20, 30, 255});
  EraserBrush(ViewOfImage(image), {2, 2}, 5, 50, 3);
  EXPECT_EQ(image, Filled(5, 5, {10, 20, 30, 255}));
}

TEST(SmudgeBrush, FlatAreasStayAndALonePixelMovesAtMostEightSteps) {
  const QImage flat = Filled(7, 7, {90, 90, 90, 200});
  QImage image = flat;
  SmudgeBrush(ViewOfImage(image), {3, 3}, 7);
  EXPECT_EQ(image, flat);

  image = Filled(7, 7, {0, 0, 0, 255});
  SetPixel(image, 3, 3, {255, 255, 255, 40});
  SmudgeBrush(ViewOfImage(image), {3, 3}, 7);
  EXPECT_EQ(PixelAt(image, 3, 3), (Bgra{247, 247, 247, 40}));
  EXPECT_GT(PixelAt(image, 3, 2).g, 0);
  EXPECT_LE(PixelAt(image, 3, 2).g, 8);
}

TEST(SmudgeBrush, HalfPixelCentresRoundOnceAndCornersStayInside) {
  QImage atHalf = Pattern(8, 8);
  QImage atWhole = atHalf;
  SmudgeBrush(ViewOfImage(atHalf), {2.5, 4.5}, 5);
  SmudgeBrush(ViewOfImage(atWhole), {2, 4}, 5);
  EXPECT_EQ(atHalf, atWhole);

  QImage corner = Pattern(4, 4);
  const QImage before = corner;
  EXPECT_FALSE(SmudgeBrush(ViewOfImage(corner), {0, 3}, 5).isEmpty());
  EXPECT_NE(corner, before);
  EXPECT_EQ(PixelAt(corner, 3, 0), PixelAt(before, 3, 0));
}
