#include "browse/SheetGeometry.h"

#include <algorithm>

#include <gtest/gtest.h>

TEST(SheetGeometryTest, GridOfHundredPixelCellsInAControl760Wide) {
  const SheetGeometry g = SheetGeometry::For(760, 15, 0, 100, 100);
  EXPECT_EQ(g.Columns, 7);
  EXPECT_EQ(g.PerRow(), 6);
  EXPECT_EQ(g.SlotOrigin(0), QPointF(5, 20));
  EXPECT_EQ(g.SlotOrigin(1), QPointF(125, 20));
  EXPECT_EQ(g.SlotOrigin(6), QPointF(5, 170));
  // Rows every 150 pixels from 20; a row's captions end 127 below its top; 20 below.
  EXPECT_EQ(g.SurfaceHeight(13), 20 + 300 + 127 + 20);
  EXPECT_EQ(g.SurfaceHeight(12), 20 + 150 + 127 + 20);
  EXPECT_EQ(g.CaptionBox(7, 0), QRectF(125, 271, 100, 13));
  EXPECT_EQ(g.CaptionBox(7, 1), QRectF(125, 284, 100, 13));
  // The zoom margin widens cells and steps.
  const SheetGeometry zoomed = SheetGeometry::For(1000, 15, 10, 140, 140);
  EXPECT_EQ(zoomed.ColumnStep, 180);
  EXPECT_EQ(zoomed.RowStep, 210);
  // Five thumbnails of 160 from 25 every 180 end at 905, inside the 980-pixel surface.
  EXPECT_EQ(zoomed.PerRow(), 5);
  // The last thumbnail a row always ends inside the surface.
  for (int width = 125; width < 1400; width += 7) {
    const SheetGeometry g = SheetGeometry::For(width, 15, 0, 100, 100);
    EXPECT_LE(g.SlotOrigin(g.PerRow() - 1).x() + g.CellWidth, width - 20) << width;
    EXPECT_GT(g.SlotOrigin(g.PerRow() - 1).x() + g.CellWidth + g.ColumnStep, width - 20) << width;
  }
}

TEST(SheetGeometryTest, APaneNarrowerThanOneCellStillLaysOutOneThumbnailARow) {
  for (const int width : {0, 60, 200}) {
    const SheetGeometry g = SheetGeometry::For(width, 15, 0, 100, 100);
    EXPECT_EQ(g.PerRow(), 1) << width;
    EXPECT_EQ(g.SlotOrigin(2), QPointF(5, 320)) << width;
    EXPECT_EQ(g.SlotAt({10, 330}), 2) << width;
    int first = 0;
    int last = 0;
    g.SlotsIn(0, 300, 13, first, last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, 2);
  }
}

TEST(SheetGeometryTest, SurfaceEndsAMarginBelowTheLastRowDrawn) {
  struct Size {
    int thum;
    int zoom;
  };
  for (const Size size : {Size{100, 0}, Size{160, 0}, Size{140, 10}}) {
    const SheetGeometry g = SheetGeometry::For(1000, 15, size.zoom, size.thum, size.thum);
    for (const int count : {1, 7, 13, 2000}) {
      const int last = count - 1;
      const double cellBottom = g.SlotOrigin(last).y() + g.CellHeight;
      const double drawnBottom = std::max(cellBottom, g.CaptionBox(last, 1).bottom());
      EXPECT_EQ(g.SurfaceHeight(count), drawnBottom + SheetGeometry::BottomMargin) << size.thum << " " << count;
    }
  }
  EXPECT_EQ(SheetGeometry::For(1000, 15, 0, 100, 100).SurfaceHeight(0), 0);
}
