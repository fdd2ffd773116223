#include <algorithm>
#include <array>
#include <cstdlib>

#include <QImage>

#include <gtest/gtest.h>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/Region.h"
#include "support/TestPictures.h"

using namespace Gdip;

namespace {

const auto Blank = TestSupport::Transparent;

}  // namespace

// A one-pixel pen on whole coordinates covers whole pixels, with the right and bottom
// edges on the pixels at x + width and y + height.
TEST(Graphics, OnePixelStrokesLandOnWholePixels) {
  QImage image = Blank(12, 12);
  auto g = Graphics::FromSurface(image);
  g->DrawRectangle(Pen(0xFFFF0000u, 1), QRectF(2, 2, 5, 4));
  g->DrawLine(Pen(0xFF0000FFu, 1), QPointF(0, 10), QPointF(5, 10));
  g.reset();
  EXPECT_EQ(image.pixel(2, 2), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(7, 6), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(4, 6), 0xFFFF0000u);
  EXPECT_EQ(qAlpha(image.pixel(4, 4)), 0);
  EXPECT_EQ(qAlpha(image.pixel(8, 4)), 0);
  EXPECT_EQ(image.pixel(1, 10), 0xFF0000FFu);
  EXPECT_EQ(image.pixel(4, 10), 0xFF0000FFu);
  EXPECT_EQ(qAlpha(image.pixel(7, 10)), 0);
  EXPECT_EQ(qAlpha(image.pixel(3, 11)), 0);
}

TEST(Graphics, DrawImageToThreePointsMapsCorners) {
  auto picture = Bitmap::Create(2, 1);
  picture->Image().setPixel(0, 0, 0xFFFF0000u);
  picture->Image().setPixel(1, 0, 0xFF00FF00u);
  QImage image = Blank(4, 6);
  auto g = Graphics::FromSurface(image);
  g->SetInterpolationMode(InterpolationMode::NearestNeighbor);
  // A quarter turn: the picture's top edge runs down the surface.
  const std::array<QPointF, 3> corners{QPointF(3, 0), QPointF(3, 6), QPointF(0, 0)};
  EXPECT_EQ(g->DrawImage(*picture, corners, QRectF(0, 0, 2, 1)), Status::Ok);
  g.reset();
  EXPECT_EQ(image.pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(image.pixel(1, 4), 0xFF00FF00u);
  EXPECT_EQ(qAlpha(image.pixel(3, 1)), 0);
}

TEST(Graphics, ClipRegionKeepsDrawingInside) {
  QImage image = Blank(20, 10);
  auto g = Graphics::FromSurface(image);
  Region clip(QRectF(0, 0, 10, 10));
  g->SetClip(clip);
  g->FillRegion(SolidBrush(0xFF00FF00u), Region());
  g->ResetClip();
  g.reset();
  EXPECT_EQ(image.pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(image.pixel(9, 9), 0xFF00FF00u);
  EXPECT_EQ(qAlpha(image.pixel(10, 5)), 0);
}

// A reduction in a high-quality mode is Qt's area average of the picture, whether it is
// opaque (scaled as the opaque layout it is, without a premultiplied copy) or holds
// translucent pixels; the picture itself is left as it was.
TEST(Graphics, HighQualityReductionIsTheAreaAverageOfOpaqueAndTranslucentPictures) {
  QImage opaque(90, 61, QImage::Format_ARGB32);
  for (int y = 0; y < opaque.height(); ++y) {
    for (int x = 0; x < opaque.width(); ++x) {
      opaque.setPixel(x, y, qRgb((x * 29) % 256, (y * 13 + x) % 256, (x * y) % 256));
    }
  }
  QImage translucent = opaque;
  translucent.setPixel(10, 10, qRgba(200, 0, 0, 100));
  for (const bool seeThrough : {false, true}) {
    const QImage& picture = seeThrough ? translucent : opaque;
    const QImage before = picture.copy();
    const auto bitmap = Bitmap::FromImage(picture, PixelFormat32bppARGB);
    QImage surface = Blank(40, 25);
    auto g = Graphics::FromSurface(surface);
    g->SetInterpolationMode(InterpolationMode::HighQualityBilinear);
    g->SetCompositingMode(CompositingMode::SourceCopy);
    EXPECT_EQ(g->DrawImage(*bitmap, QRectF(0, 0, 40, 25)), Status::Ok);
    g.reset();
    const QImage expected =
        picture.scaled(40, 25, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < 25; ++y) {
      for (int x = 0; x < 40; ++x) {
        const QRgb a = surface.pixel(x, y);
        const QRgb b = expected.pixel(x, y);
        largest = std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                            std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
      }
    }
    EXPECT_LE(largest, 1) << seeThrough;
    EXPECT_EQ(qAlpha(surface.pixel(39, 24)), 255);
    EXPECT_EQ(picture, before);
  }
}
