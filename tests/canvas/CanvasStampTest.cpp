#include "canvas/CanvasStamp.h"

#include <gtest/gtest.h>

TEST(CanvasStamp, AnUnreadablePictureLeavesNoStampNotTheOneBefore) {
  CanvasStamp stamp;
  QImage read(30, 20, QImage::Format_RGB888);
  read.fill(Qt::red);
  ASSERT_TRUE(stamp.Take(read));
  // The brushes paint on straight 32-bit pixels, whatever the file held.
  EXPECT_EQ(stamp.picture.format(), QImage::Format_ARGB32);
  EXPECT_EQ(stamp.picture.pixel(29, 19), qRgb(255, 0, 0));
  EXPECT_FALSE(stamp.Take(QImage()));
  EXPECT_TRUE(stamp.picture.isNull());
}

TEST(CanvasStamp, DefaultSizeGoesBackToWhereItWasHandedOverAfterMovesAndSizes) {
  CanvasStamp stamp;
  const QRectF handed(40, 50, 120, 80);
  stamp.PlaceHanded(handed);
  EXPECT_TRUE(stamp.rectPending);
  // Shown, moved and sized with the eraser chosen: only its live place changes.
  stamp.rectPending = false;
  stamp.rect = QRectF(300, 10, 60, 40);
  stamp.subTool = 1;
  EXPECT_EQ(stamp.home, handed);
  stamp.BackHome();
  EXPECT_EQ(stamp.rect, handed);
  EXPECT_EQ(stamp.subTool, 0);
  EXPECT_TRUE(stamp.rectPending);
}

TEST(CanvasStamp, WithoutAPlaceItIsFramedAtThePictureOriginAtItsOwnSize) {
  CanvasStamp stamp;
  stamp.Take(QImage(64, 32, QImage::Format_ARGB32));
  EXPECT_EQ(stamp.PlaceToFrame(), QRectF(0, 0, 64, 32));
  stamp.PlaceHanded(QRectF(5, 6, 7, 8));
  EXPECT_EQ(stamp.PlaceToFrame(), QRectF(5, 6, 7, 8));
}
