#include <gtest/gtest.h>

#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Region.h"

using Gdip::CombineMode;
using Gdip::FillMode;
using Gdip::Path;
using Gdip::Region;

// An arc from 0 degrees sweeping 90 runs clockwise on the screen: from 3 o'clock down
// to 6 o'clock, so the quarter below the centre is inside the closed figure.
TEST(Path, ArcsTurnClockwiseAndLinesJoinTheFigure) {
  Path path;
  path.AddArc(0, 0, 100, 100, 0, 90);
  path.AddLine(50, 50, 50, 50);
  path.CloseFigure();
  EXPECT_TRUE(path.IsVisible(70, 70));
  EXPECT_FALSE(path.IsVisible(70, 30));
  const auto figures = path.Flatten();
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_NEAR(figures[0].first().x(), 100, 0.01);
  EXPECT_NEAR(figures[0].first().y(), 50, 0.01);
}

TEST(Path, FillModesDecideNestedFigures) {
  Path path(FillMode::Alternate);
  path.AddRectangle(QRectF(0, 0, 100, 100));
  path.AddRectangle(QRectF(25, 25, 50, 50));
  EXPECT_FALSE(path.IsVisible(50, 50));
  EXPECT_TRUE(path.IsVisible(10, 10));
  path.SetFillMode(FillMode::Winding);
  EXPECT_TRUE(path.IsVisible(50, 50));
}

TEST(Path, CloseFigureStartsANewOne) {
  Path path;
  path.AddLine(0, 0, 10, 0);
  path.AddLine(10, 10, 0, 10);
  path.CloseFigure();
  path.AddLine(20, 0, 30, 0);
  EXPECT_EQ(path.Flatten().size(), 2u);
  EXPECT_TRUE(path.IsVisible(5, 5));
}

// Only a path of one ellipse and nothing else reports it: a gradient takes a faster
// route for that shape alone.
TEST(Path, SingleEllipseOnlyWhenNothingElseIsAdded) {
  Path ellipse;
  ellipse.AddEllipse(30, 20, -20, 10);
  EXPECT_EQ(ellipse.SingleEllipse(), QRectF(10, 20, 20, 10));
  Path copy;
  copy.AddPath(ellipse);
  EXPECT_EQ(copy.SingleEllipse(), ellipse.SingleEllipse());
  ellipse.AddLine(0, 0, 5, 5);
  EXPECT_FALSE(ellipse.SingleEllipse());
  Path two;
  two.AddEllipse(0, 0, 10, 10);
  two.AddEllipse(20, 0, 10, 10);
  EXPECT_FALSE(two.SingleEllipse());
  Path arc;
  arc.AddArc(0, 0, 10, 10, 0, 360);
  EXPECT_FALSE(arc.SingleEllipse());
  Path rectangle;
  rectangle.AddRectangle(QRectF(0, 0, 10, 10));
  rectangle.AddPath(copy);
  EXPECT_FALSE(rectangle.SingleEllipse());
}

TEST(Region, CombineModesAndHitTests) {
  const QRectF left(0, 0, 20, 10);
  const QRectF right(10, 0, 20, 10);
  struct Case {
    CombineMode mode;
    bool at5, at15, at25;
  };
  const Case cases[] = {
      {CombineMode::Replace, false, true, true},  {CombineMode::Intersect, false, true, false},
      {CombineMode::Union, true, true, true},     {CombineMode::Xor, true, false, true},
      {CombineMode::Exclude, true, false, false}, {CombineMode::Complement, false, false, true},
  };
  for (const Case& c : cases) {
    Region region(left);
    region.Combine(right, c.mode);
    EXPECT_EQ(region.IsVisible(5, 5), c.at5) << int(c.mode);
    EXPECT_EQ(region.IsVisible(15, 5), c.at15) << int(c.mode);
    EXPECT_EQ(region.IsVisible(25, 5), c.at25) << int(c.mode);
  }
}

TEST(Region, StartsInfiniteAndExcludingAShapeLeavesItsOutside) {
  Region region;
  EXPECT_TRUE(region.IsVisible(-1e6f, 1e6f));
  Path ellipse;
  ellipse.AddEllipse(0, 0, 40, 40);
  region.Combine(ellipse, CombineMode::Exclude);
  EXPECT_FALSE(region.IsInfinite());
  EXPECT_FALSE(region.IsVisible(20, 20));
  EXPECT_TRUE(region.IsVisible(1, 1));
  EXPECT_TRUE(region.IsVisible(500, 500));
  region.MakeEmpty();
  EXPECT_TRUE(region.IsEmpty());
}
