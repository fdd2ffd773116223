#include "browse/SheetGeometry.h"

#include <gtest/gtest.h>

TEST(SheetGeometryTest, GridOfHundredPixelCellsInAControl760Wide) {
  const SheetGeometry g = SheetGeometry::For(760, 15, 0, 100, 100);
  EXPECT_EQ(g.Columns, 7);
  EXPECT_EQ(g.PerRow(), 6);
  EXPECT_EQ(g.SlotOrigin(0), QPointF(5, 20));
  EXPECT_EQ(g.SlotOrigin(1), QPointF(125, 20));
  EXPECT_EQ(g.SlotOrigin(6), QPointF(5, 170));
  EXPECT_EQ(g.SurfaceHeight(13), 480);
  EXPECT_EQ(g.SurfaceHeight(12), 320);
  EXPECT_EQ(g.CaptionBox(7, 0), QRectF(125, 271, 100, 13));
  EXPECT_EQ(g.CaptionBox(7, 1), QRectF(125, 284, 100, 13));
  // The zoom margin widens cells and steps.
  const SheetGeometry zoomed = SheetGeometry::For(1000, 15, 10, 140, 140);
  EXPECT_EQ(zoomed.ColumnStep, 180);
  EXPECT_EQ(zoomed.RowStep, 210);
  EXPECT_EQ(zoomed.Columns, 5);  // (1000 - 50 - 15) / 180 = 5.19
}

TEST(SheetGeometryTest, TooNarrowForTwoColumnsLaysOutNothing) {
  const SheetGeometry g = SheetGeometry::For(200, 15, 0, 100, 100);
  EXPECT_EQ(g.Columns, 1);
  EXPECT_FALSE(g.CanLayOut());
  EXPECT_EQ(g.SurfaceHeight(13), 0);
  EXPECT_EQ(g.SlotAt({10, 30}), -1);
  int first = 0;
  int last = 0;
  g.SlotsIn(0, 1000, 13, first, last);
  EXPECT_GT(first, last);
}
