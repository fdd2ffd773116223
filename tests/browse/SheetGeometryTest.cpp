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
}

TEST(SheetGeometryTest, ZoomMarginWidensCellsAndSteps) {
  const SheetGeometry g = SheetGeometry::For(1000, 15, 10, 140, 140);
  EXPECT_EQ(g.CellWidth, 160);
  EXPECT_EQ(g.ColumnStep, 180);
  EXPECT_EQ(g.RowStep, 210);
  EXPECT_EQ(g.FirstColumnLeft, 25);
  EXPECT_EQ(g.Columns, 5);  // (1000 - 50 - 15) / 180 = 5.19
}

TEST(SheetGeometryTest, PointsFindTheirSlotAndGapsNone) {
  const SheetGeometry g = SheetGeometry::For(760, 15, 0, 100, 100);
  EXPECT_EQ(g.SlotAt({5, 20}), 0);
  EXPECT_EQ(g.SlotAt({124.9, 169.9}), 0);  // the gap right of and below the cell stays in its slot
  EXPECT_EQ(g.SlotAt({125, 170}), 7);
  EXPECT_EQ(g.SlotAt({4, 50}), -1);
  EXPECT_EQ(g.SlotAt({50, 19}), -1);
  EXPECT_EQ(g.SlotAt({5 + 6 * 120, 50}), -1);  // right of the last column
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

TEST(SheetGeometryTest, SlotsInABandCoverItsRowsAndOneMoreEachSide) {
  const SheetGeometry g = SheetGeometry::For(760, 15, 0, 100, 100);
  int first = 0;
  int last = 0;
  g.SlotsIn(320, 470, 100, first, last);  // rows 2 and 3
  EXPECT_EQ(first, 6);
  EXPECT_EQ(last, 29);
  g.SlotsIn(0, 10000, 13, first, last);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 12);
}
