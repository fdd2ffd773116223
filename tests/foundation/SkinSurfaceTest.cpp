// The drawn controls' shared pieces: the persistent back buffer, the rounded box and the
// half-open hit test.
#include <gtest/gtest.h>

#include "foundation/SkinSurface.h"

namespace {

TEST(SkinSurface, BackBufferKeepsItsPictureAcrossAResizeAndPaintsIt) {
  SkinSurface surface;
  surface.resize(40, 30);
  surface.ClearBackBuffer(Qt::red);
  surface.resize(60, 50);
  const QImage& buffer = surface.BackBuffer();
  EXPECT_EQ(buffer.size(), QSize(60, 50));
  EXPECT_EQ(buffer.pixelColor(39, 29), QColor(Qt::red));
  EXPECT_EQ(buffer.pixelColor(45, 40).alpha(), 0) << "the new part is not drawn yet";
  const QImage shown = surface.grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 10), QColor(Qt::red));
}

TEST(SkinSurface, RoundedBoxSpansTwoCornersBeyondItsStraightWidthAndOneBelowItsHeight) {
  const QRectF bounds = SkinShapes::RoundedBoxPath(5, 10, 100, 20, 5, 5).GetBounds();
  EXPECT_NEAR(bounds.left(), 5, 0.01);
  EXPECT_NEAR(bounds.top(), 10, 0.01);
  EXPECT_NEAR(bounds.right(), 5 + 100 + 2 * 5, 0.01);
  EXPECT_NEAR(bounds.bottom(), 10 + 20 + 5, 0.01);
}

TEST(SkinSurface, HitRectTakesTheLeftAndTopEdgesButNotTheRightAndBottom) {
  const QRectF spot(10, 20, 30, 40);
  EXPECT_TRUE(SkinShapes::HitRect(spot, {10, 20}));
  EXPECT_TRUE(SkinShapes::HitRect(spot, {39.9, 59.9}));
  EXPECT_FALSE(SkinShapes::HitRect(spot, {40, 30}));
  EXPECT_FALSE(SkinShapes::HitRect(spot, {20, 60}));
  EXPECT_FALSE(SkinShapes::HitRect(spot, {9.9, 30}));
  // A neighbour starting where this one ends claims the shared edge alone.
  EXPECT_TRUE(SkinShapes::HitRect(QRectF(40, 20, 30, 40), {40, 30}));
}

}  // namespace
