#include "canvas/DisplayCache.h"

#include <QPainter>

#include <gtest/gtest.h>

#include "support/TestPictures.h"

using TestSupport::Quadrants;

TEST(DisplayCache, HalfAveragesFourPixelsPerChannel) {
  QImage image(2, 2, QImage::Format_ARGB32_Premultiplied);
  image.setPixel(0, 0, qRgba(255, 0, 0, 255));
  image.setPixel(1, 0, qRgba(0, 255, 0, 255));
  image.setPixel(0, 1, qRgba(0, 0, 255, 255));
  image.setPixel(1, 1, qRgba(0, 0, 0, 0));
  const QImage half = DisplayCache::Half(image);
  ASSERT_EQ(half.size(), QSize(1, 1));
  const QRgb p = half.pixel(0, 0);
  EXPECT_EQ(qRed(p), 64);
  EXPECT_EQ(qGreen(p), 64);
  EXPECT_EQ(qBlue(p), 64);
  EXPECT_EQ(qAlpha(p), 191);

  // Photographs decode to 24-bit rows; they halve straight into opaque pixels.
  QImage rgb(4, 2, QImage::Format_RGB888);
  rgb.fill(QColor(10, 20, 30));
  rgb.setPixel(0, 0, qRgb(50, 60, 70));
  const QImage rgbHalf = DisplayCache::Half(rgb);
  ASSERT_EQ(rgbHalf.format(), QImage::Format_RGB32);
  EXPECT_EQ(rgbHalf.pixel(0, 0), qRgb(20, 30, 40));
  EXPECT_EQ(rgbHalf.pixel(1, 0), qRgb(10, 20, 30));
  EXPECT_TRUE(DisplayCache::Half(QImage(4, 4, QImage::Format_Indexed8)).isNull());
}

TEST(DisplayCache, DrawsReducedEnlargedAndOneToOneViewsInPlace) {
  DisplayCache cache;
  cache.Reset(Quadrants(1200, 800));
  EXPECT_EQ(cache.Scaled(QSize(150, 100)).size(), QSize(150, 100));
  const QRect window(0, 0, 300, 200);
  struct Row {
    QPoint offset;
    QSize display;
  };
  // Reduced (kept as one image), enlarged (only the visible part scaled) and 1:1.
  for (const Row& row : {Row{{-150, -100}, {600, 400}}, Row{{-2250, -1500}, {4800, 3200}}, Row{{-450, -300}, {1200, 800}}}) {
    QImage target(window.size(), QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter p(&target);
    cache.Draw(p, window, row.offset, row.display, false);
    p.end();
    // The picture's centre is at the window's centre: four quadrants around it.
    EXPECT_EQ(target.pixel(140, 90), QColor(Qt::red).rgb()) << row.display.width();
    EXPECT_EQ(target.pixel(160, 90), QColor(Qt::green).rgb()) << row.display.width();
    EXPECT_EQ(target.pixel(140, 110), QColor(Qt::blue).rgb()) << row.display.width();
    EXPECT_EQ(target.pixel(160, 110), QColor(Qt::white).rgb()) << row.display.width();
  }
}

TEST(DisplayCache, OpaqueAndTranslucentEditsShowAsTheirPixels) {
  // An opaque edit is read in place; a translucent one is premultiplied first.
  const QImage quadrants = Quadrants(512, 256).convertToFormat(QImage::Format_ARGB32);
  QImage translucent = quadrants;
  translucent.setPixel(0, 0, qRgba(255, 0, 0, 128));
  for (const QImage& picture : {quadrants, translucent}) {
    DisplayCache cache;
    cache.Reset(picture);
    EXPECT_EQ(cache.PictureSize(), QSize(512, 256));
    const QImage shown = cache.Scaled(QSize(128, 64)).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown.pixel(10, 40), QColor(Qt::blue).rgb());
    EXPECT_EQ(shown.pixel(100, 40), QColor(Qt::white).rgb());
    EXPECT_EQ(shown.pixel(100, 10), QColor(Qt::green).rgb());
  }
  // The picture given may change or go afterwards; the cache shows it as it was.
  DisplayCache cache;
  {
    QImage picture = quadrants;
    cache.Reset(picture);
    picture.fill(Qt::black);
  }
  EXPECT_EQ(cache.Scaled(QSize(128, 64)).pixel(10, 10), QColor(Qt::red).rgb());
}

TEST(DisplayCache, ANewPictureIsShownAtTheSizeAskedBefore) {
  DisplayCache cache;
  cache.Reset(Quadrants(512, 256));
  EXPECT_EQ(cache.Scaled(QSize(128, 64)).pixel(10, 10), QColor(Qt::red).rgb());
  QImage edited(512, 256, QImage::Format_ARGB32);
  edited.fill(Qt::darkCyan);
  cache.Reset(edited);
  EXPECT_EQ(cache.Scaled(QSize(128, 64)).pixel(10, 10), QColor(Qt::darkCyan).rgb())
      << "the scaled picture kept for a size belongs to the picture it was made from";

}

TEST(DisplayCache, StraightAlphaHalvesAsItsPremultipliedPixelsInEveryBand) {
  // Odd sides and enough rows for several bands; translucent pixels scattered over
  // the picture, the last pixel of the last row among them.
  QImage straight(1001, 603, QImage::Format_ARGB32);
  for (int y = 0; y < straight.height(); ++y) {
    for (int x = 0; x < straight.width(); ++x) {
      const int alpha = (x * 7 + y * 13) % 5 == 0 ? (x + y) % 256 : 255;
      straight.setPixel(x, y, qRgba((x * 37) % 256, (y * 71) % 256, (x * y) % 256, alpha));
    }
  }
  straight.setPixel(1000, 602, qRgba(255, 0, 0, 128));
  const QImage premultiplied = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage half = DisplayCache::Half(straight);
  ASSERT_EQ(half.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(half, DisplayCache::Half(premultiplied));

  DisplayCache cache;
  cache.Reset(straight);
  EXPECT_EQ(cache.Scaled(QSize(500, 301)), half) << "the first halving is what a half-size view shows";
}
