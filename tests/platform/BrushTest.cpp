#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/PathGradientBrush.h"
#include "support/TestPictures.h"

using namespace Gdip;

namespace {

const auto Canvas = TestSupport::Transparent;

void ExpectColor(QRgb actual, int r, int g, int b, int a, int tolerance) {
  EXPECT_NEAR(qRed(actual), r, tolerance);
  EXPECT_NEAR(qGreen(actual), g, tolerance);
  EXPECT_NEAR(qBlue(actual), b, tolerance);
  EXPECT_NEAR(qAlpha(actual), a, tolerance);
}

// Draws a path-gradient ellipse of radius 40 about (50, 50), by default in black to white.
QImage GradientEllipse(float focus, QPointF center = QPointF(50, 50), ARGB centerColor = 0xFF000000u,
                       ARGB surroundColor = 0xFFFFFFFFu) {
  QImage image = Canvas(101, 101);
  auto g = Graphics::FromSurface(image);
  Path path;
  path.AddEllipse(10, 10, 80, 80);
  PathGradientBrush brush(path);
  brush.SetCenterColor(centerColor);
  const std::array<ARGB, 1> surround{surroundColor};
  EXPECT_EQ(brush.SetSurroundColors(surround), Status::Ok);
  brush.SetCenterPoint(center);
  brush.SetFocusScales(focus, focus);
  g->FillPath(brush, path);
  return image;
}

}  // namespace

TEST(PathGradientBrush, CentreColourAtCentreSurroundOnBoundaryLinearBetween) {
  const QImage image = GradientEllipse(0.0f);
  ExpectColor(image.pixel(50, 50), 0, 0, 0, 255, 4);
  ExpectColor(image.pixel(70, 50), 128, 128, 128, 255, 8);  // half way out
  ExpectColor(image.pixel(50, 30), 128, 128, 128, 255, 8);
  ExpectColor(image.pixel(88, 50), 242, 242, 242, 255, 10);  // near the rim
  EXPECT_EQ(qAlpha(image.pixel(5, 5)), 0);                  // outside the ellipse
}

TEST(PathGradientBrush, FocusScalesWidenTheCentreArea) {
  const QImage image = GradientEllipse(0.5f);
  // Inside half the radius the centre colour holds; beyond it the blend runs to the rim.
  ExpectColor(image.pixel(65, 50), 0, 0, 0, 255, 4);
  ExpectColor(image.pixel(80, 50), 128, 128, 128, 255, 10);
}

TEST(PathGradientBrush, OffCentreFocusMovesTheCentreColour) {
  const QImage image = GradientEllipse(0.0f, QPointF(30, 50));
  ExpectColor(image.pixel(30, 50), 0, 0, 0, 255, 4);
  // Half way from the focus to the left rim (x = 10) and to the right rim (x = 90).
  ExpectColor(image.pixel(20, 50), 128, 128, 128, 255, 10);
  ExpectColor(image.pixel(60, 50), 128, 128, 128, 255, 10);
}

// A single ellipse with one surround colour is filled with Qt's focal gradient; the fan
// rasteriser, which every other path takes, must give the same picture for it. The fan
// is given a finely divided outline here: the path's own flattening cuts up to a fifth of
// a pixel inside a radius of 40, which would put the fan a step ahead along its rays.
TEST(PathGradientBrush, EllipseGradientAgreesWithTheRasterisedFan) {
  const ARGB centre = 0xFF2060E0u;
  const ARGB surround = 0x40F0C020u;
  const QPointF focus(62, 40);
  const QImage fast = GradientEllipse(0.3f, focus, centre, surround);
  // The rasteriser's pixel (i, j) is centred on (i + 0.5, j + 0.5); vector drawing puts
  // it on (i, j).
  const QPointF middle(50.5, 50.5);
  std::vector<QPointF> ring;
  for (int i = 0; i < 720; ++i) {
    const double angle = i * std::numbers::pi / 360;
    ring.push_back(middle + 40 * QPointF(std::cos(angle), std::sin(angle)));
  }
  const std::vector<ARGB> colours(ring.size(), surround);
  QImage fan(101, 101, QImage::Format_ARGB32_Premultiplied);
  fan.fill(0);
  RasterisePathGradient(fan, GradientFan{focus + QPointF(0.5, 0.5), ring, colours, centre, 0.3f, 0.3f});
  int compared = 0;
  for (int y = 0; y < 101; ++y) {
    for (int x = 0; x < 101; ++x) {
      // Well inside the rim, clear of the anti-aliased edge; premultiplied, as both are made.
      if (std::hypot(x - 50, y - 50) < 38) {
        const QRgb want = fan.pixel(x, y);
        ExpectColor(qPremultiply(fast.pixel(x, y)), qRed(want), qGreen(want), qBlue(want), qAlpha(want), 2);
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 4000);
}

TEST(PathGradientBrush, RectanglePyramidAndColourChecks) {
  QImage image = Canvas(60, 40);
  auto g = Graphics::FromSurface(image);
  Path path;
  path.AddRectangle(QRectF(0, 0, 60, 40));
  PathGradientBrush brush(path);
  brush.SetCenterColor(0xFFFF0000u);
  const std::array<ARGB, 1> blue{0xFF0000FFu};
  brush.SetSurroundColors(blue);
  const std::array<ARGB, 9> tooMany{};
  EXPECT_EQ(brush.SetSurroundColors(tooMany), Status::InvalidParameter);
  EXPECT_EQ(brush.SetSurroundColors({}), Status::InvalidParameter);
  g->FillPath(brush, path);
  g.reset();
  // Vector drawing puts pixel centres on whole coordinates: pixel (30, 20) is the centre.
  ExpectColor(image.pixel(30, 20), 255, 0, 0, 255, 4);
  ExpectColor(image.pixel(1, 20), 8, 0, 247, 255, 12);
  // The diagonal of the pyramid: on the line to a corner the blend is as along an axis.
  ExpectColor(image.pixel(15, 10), 128, 0, 128, 255, 8);
}

TEST(LinearGradientBrush, WrapModesRepeatMirrorOrHold) {
  struct Case {
    WrapMode mode;
    int blueAt15;  // one and a half gradient lengths down
  };
  for (const Case c : {Case{WrapMode::Tile, 128}, Case{WrapMode::TileFlipXY, 128}, Case{WrapMode::Clamp, 255}}) {
    QImage image = Canvas(4, 30);
    auto g = Graphics::FromSurface(image);
    g->SetPixelOffsetMode(PixelOffsetMode::Half);
    LinearGradientBrush brush(QPointF(0, 0), QPointF(0, 10), 0xFF000000u, 0xFF0000FFu);
    brush.SetWrapMode(c.mode);
    g->FillRectangle(brush, QRectF(0, 0, 4, 30));
    g.reset();
    EXPECT_NEAR(qBlue(image.pixel(1, 5)), 128, 14) << int(c.mode);
    EXPECT_NEAR(qBlue(image.pixel(1, 15)), c.blueAt15, 14) << int(c.mode);
  }
  // Mirroring runs back from the second colour, tiling starts over from the first.
  QImage tile = Canvas(4, 30);
  QImage flip = Canvas(4, 30);
  for (auto [image, mode] : {std::pair{&tile, WrapMode::Tile}, std::pair{&flip, WrapMode::TileFlipXY}}) {
    auto g = Graphics::FromSurface(*image);
    g->SetPixelOffsetMode(PixelOffsetMode::Half);
    LinearGradientBrush brush(QPointF(0, 0), QPointF(0, 10), 0xFF000000u, 0xFF0000FFu);
    brush.SetWrapMode(mode);
    g->FillRectangle(brush, QRectF(0, 0, 4, 30));
  }
  EXPECT_LT(qBlue(tile.pixel(1, 12)), 80);
  EXPECT_GT(qBlue(flip.pixel(1, 12)), 175);
}
