#include "canvas/TextChoices.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The strongest-covered pixel of a rasterized layer.
QRgb DensestPixel(const QImage& layer) {
  QRgb densest = 0;
  for (int y = 0; y < layer.height(); ++y) {
    for (int x = 0; x < layer.width(); ++x) {
      const QRgb pixel = layer.pixel(x, y);
      if (qAlpha(pixel) > qAlpha(densest)) {
        densest = pixel;
      }
    }
  }
  return densest;
}

}  // namespace

TEST(TextChoices, TheLayerDrawsInTheChosenColourSizeAndOpacity) {
  TextChoices choices;
  const QRgb plain = DensestPixel(TextLayer::Rasterized(choices.Layer(QStringLiteral("Hello"), 255, {})));
  EXPECT_EQ(qAlpha(plain), 255);
  EXPECT_EQ(qRed(plain) + qGreen(plain) + qBlue(plain), 0);  // black until the strip says otherwise

  // An RGB reference keeps red in the lowest byte.
  choices.colour = 0x0000FF;
  choices.size = 40;
  const QImage large = TextLayer::Rasterized(choices.Layer(QStringLiteral("Hello"), 255, QPointF(30, 40)));
  const QRgb red = DensestPixel(large);
  EXPECT_EQ(qRed(red), 255);
  EXPECT_EQ(qGreen(red) + qBlue(red), 0);

  choices.size = 20;
  const QImage small = TextLayer::Rasterized(choices.Layer(QStringLiteral("Hello"), 255, {}));
  EXPECT_NEAR(double(large.height()) / small.height(), 2.0, 0.3);

  const QRgb faint = DensestPixel(TextLayer::Rasterized(choices.Layer(QStringLiteral("Hello"), 100, {})));
  EXPECT_NEAR(qAlpha(faint), 100, 2);
}
