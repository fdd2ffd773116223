#include "windows/DrawnItems.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(DrawnItems, HitAreaIsWiderAndTallerThanTheItem) {
  const QRectF item(100, 50, 60, 15);
  EXPECT_TRUE(DrawnItems::ItemHit(item, {100, 50}));
  EXPECT_TRUE(DrawnItems::ItemHit(item, {184.9, 74.9}));
  EXPECT_FALSE(DrawnItems::ItemHit(item, {185, 60}));
  EXPECT_FALSE(DrawnItems::ItemHit(item, {120, 75}));
  EXPECT_FALSE(DrawnItems::ItemHit(item, {99.9, 60}));
}

TEST(DrawnItems, BoxErasesItsSurroundingsAndKeepsTheFirstColourInside) {
  QImage surface(200, 100, QImage::Format_ARGB32);
  surface.fill(Qt::red);
  DrawnItems::DrawItemBox(surface, QRectF(20, 20, 60, 15), {0xFFFFFFFF, 0xFF000000});
  // The erased margin is the panel colour, the box's inside close to the first colour.
  EXPECT_EQ(surface.pixel(16, 16), DrawnItems::kPanel);
  EXPECT_EQ(surface.pixel(104, 49), DrawnItems::kPanel);
  EXPECT_EQ(surface.pixel(105, 50), qRgb(255, 0, 0));
  EXPECT_EQ(surface.pixel(110, 20), qRgb(255, 0, 0));
  EXPECT_GT(qGray(surface.pixel(50, 35)), 200);
}
