#include <algorithm>

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "foundation/ModDraw.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"
#include "support/TestFolder.h"
#include "support/TestPictures.h"

using namespace ModGDI;

namespace {

const auto Blank = TestSupport::Transparent;

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

// The bounds of every pixel that is not fully transparent.
QRect Ink(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

// A 40 x 20 picture, red with a blue top-left quarter, to see where its corners go.
std::unique_ptr<Gdip::Bitmap> Picture() {
  auto picture = Gdip::Bitmap::Create(40, 20);
  picture->Image().fill(kRed);
  QPainter(&picture->Image()).fillRect(0, 0, 20, 10, QColor::fromRgba(kBlue));
  return picture;
}

void ExpectNear(QRgb actual, QRgb expected, int tolerance) {
  EXPECT_NEAR(qRed(actual), qRed(expected), tolerance);
  EXPECT_NEAR(qGreen(actual), qGreen(expected), tolerance);
  EXPECT_NEAR(qBlue(actual), qBlue(expected), tolerance);
  EXPECT_NEAR(qAlpha(actual), qAlpha(expected), tolerance);
}

}  // namespace

TEST(DrawImageRotated, QuarterTurnsAndOddAnglesGiveTheRotatedSize) {
  const auto picture = Picture();
  struct Case {
    float angle;
    int width, height;
  };
  // One unit of angle is 0.0349 radians, so 45 units are a quarter turn.
  for (const Case c : {Case{0, 40, 20}, Case{45, 20, 40}, Case{90, 40, 20}, Case{135, 20, 40}, Case{15, 45, 38}}) {
    QImage box = Blank(100, 100);
    RotatedWidth = RotatedHeight = 0;
    DrawImageRotated(box, *picture, 40, 20, 100, 100, c.angle, false, 0);
    const QRect ink = Ink(box);
    EXPECT_NEAR(ink.width(), c.width, 2) << c.angle;
    EXPECT_NEAR(ink.height(), c.height, 2) << c.angle;
    EXPECT_NEAR(ink.center().x(), 50, 1) << c.angle;
    EXPECT_NEAR(ink.center().y(), 50, 1) << c.angle;
    EXPECT_EQ(RotatedWidth, 40);
    EXPECT_EQ(RotatedHeight, 20);
  }
  // A positive angle turns counter-clockwise: the top-left corner goes to the bottom left.
  QImage box = Blank(100, 100);
  DrawImageRotated(box, *picture, 40, 20, 100, 100, 45, true, 0);
  EXPECT_EQ(box.pixel(43, 65), kBlue);
  EXPECT_EQ(box.pixel(55, 35), kRed);
}

TEST(DrawImageRotated, ZoomModeFramesTheBoxOnASurfaceAndKeepsTheRotatedSize) {
  const auto picture = Picture();
  RotatedWidth = 7;
  RotatedHeight = 9;
  float angle = -5;
  QImage box = Blank(100, 100);
  DrawImageRotated(box, *picture, 40, 20, 100, 100, angle, false, 1);
  EXPECT_EQ(angle, -5);
  EXPECT_EQ(RotatedWidth, 7);
  EXPECT_EQ(RotatedHeight, 9);
  // The box outside the unrotated place (30, 40, 40, 20) is painted light grey over the
  // zoomed picture, and framed.
  EXPECT_EQ(box.pixel(25, 50), 0xFFE0E0E0u);
  EXPECT_EQ(box.pixel(60, 55), kRed);
  EXPECT_EQ(box.pixel(0, 50), 0xFFD0D0D0u);
  EXPECT_EQ(box.pixel(1, 50), 0xFFFFFFFFu);
  // On a caller's graphics nothing but the picture is drawn.
  QImage plain = Blank(100, 100);
  auto g = Gdip::Graphics::FromSurface(plain);
  DrawImageRotated(*g, *picture, 40, 20, 100, 100, angle, false, 1);
  g.reset();
  EXPECT_EQ(plain.pixel(25, 50), kRed);
  EXPECT_EQ(qAlpha(plain.pixel(2, 2)), 0);
  EXPECT_NEAR(Ink(plain).width(), 40 * 1.5 * 0.985 + 20 * 1.5 * 0.174, 2);
}

TEST(DrawRoundRectGradient, VerticalGradientRoundedCornersAndPen) {
  QImage panel = Blank(60, 50);
  // Panel from (0, 0) to (2 * 10 + 40, 30 + 20) with 10 x 20 corners, gradient over 0..50.
  DrawRoundRectGradient(panel, 0, 0, 50, 0, 0, 40, 30, 10, 20, kRed, kBlue, false, 1, 0);
  ExpectNear(panel.pixel(30, 3), 0xFFF2000Du, 12);
  ExpectNear(panel.pixel(30, 25), 0xFF800080u, 12);
  EXPECT_EQ(qAlpha(panel.pixel(0, 0)), 0);   // outside the rounded corner
  EXPECT_EQ(qAlpha(panel.pixel(59, 49)), 0);
  // The default pen is translucent white: the top edge is lighter than the fill below it.
  EXPECT_GT(qGreen(panel.pixel(30, 0)), 100);
  QImage reversed = Blank(60, 50);
  DrawRoundRectGradient(reversed, 0, 0, 50, 0, 0, 40, 30, 10, 20, kRed, kBlue, true, 1, 0xFF00FF00u);
  ExpectNear(reversed.pixel(30, 3), 0xFF0D00F2u, 12);
  EXPECT_EQ(reversed.pixel(30, 0), 0xFF00FF00u);
}

TEST(FillRadialShape, CentreColourAtFocusSurroundAtEdge) {
  for (const bool ellipse : {true, false}) {
    QImage image = Blank(100, 100);
    if (ellipse) {
      FillRadialShape(image, 50, 50, 40, 30, 50, 50, 0, kRed, kBlue, true, true);
    } else {
      FillRadialShape(image, 10, 20, 80, 60, 50, 50, 0, kRed, kBlue, true, false);
    }
    ExpectNear(image.pixel(50, 50), kRed, 6);
    ExpectNear(image.pixel(88, 50), kBlue, 20);
    ExpectNear(image.pixel(70, 50), 0xFF800080u, 10);
    EXPECT_EQ(qAlpha(image.pixel(50, 95)), 0);
  }
}

TEST(FillRadialEllipse, RoundedBoundsAndTranslucentOutline) {
  QImage image = Blank(60, 60);
  FillRadialEllipse(image, 30, 30, 20.4f, 20.4f, 30.2f, 30.2f, 0.5f, kRed, kBlue, false);
  ExpectNear(image.pixel(30, 30), kRed, 4);
  ExpectNear(image.pixel(38, 30), kRed, 4);  // inside the focus area
  // The rim carries the surround colour blended with the outline of alpha 60.
  ExpectNear(image.pixel(50, 30), kBlue, 40);
  EXPECT_EQ(qAlpha(image.pixel(53, 30)), 0);
}

TEST(DrawVectorShape, FillStylesSquareAndLinearEllipse) {
  const auto draw = [](int kind, const char* style, int square) {
    QImage image = Blank(100, 100);
    DrawVectorShape(image, kind, kind == 0 ? 50 : 10, kind == 0 ? 50 : 10, 40, 30, 50, 50, 0, kRed, kBlue, 128,
                    square, QString::fromLatin1(style));
    return image;
  };
  // Single colour, with the opacity.
  const QImage single = draw(1, "Vector_Single", 0);
  ExpectNear(single.pixel(30, 30), 0x80FF0000u, 2);
  EXPECT_EQ(Ink(single), QRect(10, 10, 41, 31));
  // The linear style is drawn as the radial one, for the rectangle and the ellipse alike.
  EXPECT_EQ(draw(1, "Vector_Linear", 0), draw(1, "Vector_Radial", 0));
  const QImage linearEllipse = draw(0, "Vector_Linear", 0);
  EXPECT_EQ(linearEllipse, draw(0, "Vector_Radial", 0));
  ExpectNear(linearEllipse.pixel(50, 50), 0x80FF0000u, 4);
  EXPECT_TRUE(Ink(draw(0, "Vector_Other", 0)).isEmpty());
  EXPECT_TRUE(Ink(draw(2, "Vector_Single", 0)).isEmpty());
  EXPECT_EQ(Ink(draw(1, "Vector_Single", 1)).size(), QSize(31, 31));
}

TEST(DrawLineGdip, DefaultColoursGiveAnEngravedLine) {
  QImage image = Blank(20, 20);
  DrawLineGdip(image, 2, 10, 18, 10, 1, 1, 0, 0);
  EXPECT_EQ(image.pixel(10, 8), 0x32000000u);
  EXPECT_EQ(image.pixel(10, 9), 0xFFFFFFFFu);
  EXPECT_EQ(qAlpha(image.pixel(10, 10)), 0);
}

TEST(DrawStripes, PairsEveryThreeRows) {
  QImage image = Blank(10, 12);
  DrawStripes(image, kRed, kBlue, 0, 9, 8);
  for (const int y : {0, 3, 6}) {
    EXPECT_EQ(image.pixel(5, y), kRed) << y;
  }
  for (const int y : {2, 5, 8}) {
    EXPECT_EQ(image.pixel(5, y), kBlue) << y;
  }
  EXPECT_NE(image.pixel(5, 9), kRed);
  EXPECT_EQ(qAlpha(image.pixel(5, 11)), 0);
}

TEST(DrawShapeOutline, RectangleFromAnyCornerAndSquare) {
  QImage image = Blank(60, 60);
  DrawShapeOutline(image, 50, 40, 10, 20, 0xFF00FF00u, 255, 1, 2, 0);
  EXPECT_EQ(Ink(image), QRect(10, 20, 41, 21));
  QImage square = Blank(60, 60);
  DrawShapeOutline(square, 50, 40, 10, 20, 0xFF00FF00u, 255, 1, 2, 1);
  EXPECT_EQ(Ink(square), QRect(10, 20, 21, 21));
  QImage flat = Blank(60, 60);
  DrawShapeOutline(flat, 10, 20, 50, 20, 0xFF00FF00u, 255, 1, 2, 0);
  EXPECT_LE(Ink(flat).width(), 2);
  // A line ignores the square rule and has round caps reaching past its ends.
  QImage line = Blank(60, 60);
  DrawShapeOutline(line, 10, 30, 50, 30, 0xFF00FF00u, 128, 6, 1, 1);
  EXPECT_EQ(Ink(line).left(), 7);
  EXPECT_EQ(qAlpha(line.pixel(30, 30)), 128);
}

TEST(DrawCanvasText, MeasuredBoxBecomesTheLayerAndEmptyTextGetsADefault) {
  QImage image = Blank(200, 60);
  DrawCanvasText(image, "", 12, 14, "Arial", 20, 0, 2, kRed, 255);
  EXPECT_EQ(QRectF(LayerLeft, LayerTop, LayerWidth, LayerHeight), QRectF(12, 14, 30, 17));
  EXPECT_TRUE(Ink(image).isEmpty());
  DrawCanvasText(image, "Lorvane", 12, 14, "Arial", 20, 3, 2, kRed, 127.6f);
  const QRectF layer(LayerLeft, LayerTop, LayerWidth, LayerHeight);
  EXPECT_EQ(layer.topLeft(), QPointF(12, 14));
  EXPECT_TRUE(layer.contains(QRectF(Ink(image))));
  EXPECT_GT(Ink(image).width(), 50);
  EXPECT_EQ(qAlpha(image.pixel(Ink(image).center())) <= 128, true);
}

TEST(DrawTextGdip, TextStopsAtTheWidthAndCastsAShadow) {
  QImage image = Blank(300, 40);
  DrawTextGdip(image, "Thumbnails of the current folder", 5, 5, "Tahoma", 9, 0xFFFFFFFFu, 0, true, 80);
  const QRect ink = Ink(image);
  EXPECT_GE(ink.left(), 5);
  EXPECT_LE(ink.right(), 85);
  // Shadow pixels are dark, text pixels white.
  bool dark = false;
  bool light = false;
  for (int y = ink.top(); y <= ink.bottom(); ++y) {
    for (int x = ink.left(); x <= ink.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      dark |= qAlpha(p) > 150 && qRed(p) < 40;
      light |= qAlpha(p) > 150 && qRed(p) > 215;
    }
  }
  EXPECT_TRUE(dark);
  EXPECT_TRUE(light);
  QImage missing = Blank(100, 40);
  DrawTextGdip(missing, "x", 5, 5, "No Such Family 123", 9, kRed, 0, false, 50);
  EXPECT_TRUE(Ink(missing).isEmpty());
}

TEST(DrawMagnifier, EnlargesTheAreaAroundTheCursorAndSkipsItAtTheEdge) {
  QImage picture(50, 50, QImage::Format_ARGB32);
  picture.fill(kBlue);
  QPainter(&picture).fillRect(25, 25, 25, 25, QColor::fromRgba(kRed));
  const Gdip::SolidBrush panelBrush(0xFF303030u);
  QImage image = Blank(140, 140);
  DrawMagnifier(image, picture, 0, 0, 100, 100, 10, 10, panelBrush, 25, 25, 10);
  // The 10 x 10 area from (20, 20) fills (10, 10, 100, 100): blue upper left, red lower right.
  EXPECT_EQ(image.pixel(20, 20), kBlue);
  EXPECT_EQ(image.pixel(100, 100), kRed);
  QImage edge = Blank(140, 140);
  DrawMagnifier(edge, picture, 0, 0, 100, 100, 10, 10, panelBrush, 2, 2, 10);
  EXPECT_EQ(edge.pixel(20, 20), 0xFF303030u);
}

TEST(FillEllipseGdip, FillsOnACallersGraphicsToo) {
  QImage image = Blank(30, 30);
  auto g = Gdip::Graphics::FromSurface(image);
  FillEllipseGdip(*g, 5, 5, 20, 20, kRed);
  g.reset();
  EXPECT_EQ(image.pixel(15, 15), kRed);
  EXPECT_EQ(qAlpha(image.pixel(6, 6)), 0);
}

// Draws every routine on one sheet for a person to look at.
TEST(DrawContactSheet, WritesEveryPrimitive) {
  QImage sheet(640, 360, QImage::Format_ARGB32);
  sheet.fill(0xFF505860u);
  const auto picture = Picture();
  auto g = Gdip::Graphics::FromSurface(sheet);
  const auto cell = [&](int column, int row) {
    g->Painter().resetTransform();
    g->Painter().translate(column * 160, row * 120);
  };
  cell(0, 0);
  DrawImageRotated(*g, *picture, 40, 20, 160, 120, 15, true, 0);
  cell(1, 0);
  DrawRoundRectGradient(*g, 0, 10, 60, 10, 10, 110, 70, 10, 20, 0xFF6488C8u, 0xFF203050u, false, 1, 0);
  cell(2, 0);
  FillRadialEllipse(*g, 80, 60, 60, 45, 60, 45, 0.3f, 0xFFFFFFE0u, 0xFF4060A0u, false);
  cell(3, 0);
  DrawVectorShape(*g, 1, 20, 20, 120, 80, 60, 50, 0.0f, kRed, kBlue, 220, 0, "Vector_Radial");
  cell(0, 1);
  DrawVectorShape(*g, 0, 80, 60, 60, 45, 80, 60, 0.2f, 0xFFFFD000u, 0xFF008040u, 255, 0, "Vector_Linear");
  cell(1, 1);
  DrawStripes(*g, 0xFF606870u, 0xFF404850u, 0, 159, 119);
  DrawLineGdip(*g, 10, 60, 150, 60, 1, 1, 0, 0);
  cell(2, 1);
  DrawShapeOutline(*g, 20, 20, 140, 100, 0xFFFFFFFFu, 255, 3, 3, 0);
  DrawShapeOutline(*g, 20, 100, 140, 20, 0xFFFFD000u, 200, 5, 1, 0);
  cell(3, 1);
  DrawTextGdip(*g, "Interface text with a shadow", 8, 20, "Tahoma", 9, 0xFFFFFFFFu, 0, true, 140);
  DrawCanvasText(*g, "Canvas text", 8, 50, "Arial", 24, 3, 2, 0xFFFFD000u, 255);
  cell(0, 2);
  FillEllipseGdip(*g, 30, 10, 100, 100, 0xFF80C0FFu);
  cell(1, 2);
  DrawMagnifier(*g, picture->Image(), 10, 0, 100, 100, 10, 10, Gdip::SolidBrush(0xFF303030u), 20, 10, 12);
  cell(2, 2);
  g->Painter().resetTransform();
  g.reset();
  QImage framed = sheet.copy(320, 240, 320, 120);
  DrawImageRotated(framed, *picture, 40, 20, 320, 120, -5, true, 1);
  QPainter(&sheet).drawImage(320, 240, framed);
  const QString path = TestSupport::ArtifactsFolder() + "/draw-contact-sheet.png";
  ASSERT_TRUE(sheet.save(path));
  EXPECT_TRUE(QImage(path).size() == sheet.size());
}
