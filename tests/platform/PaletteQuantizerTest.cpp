#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QImage>

#include <gtest/gtest.h>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/OntoWhite.h"
#include "platform/gdiplus/PaletteQuantizer.h"

namespace {

// A crop of a garden photograph as a camera gives it: foliage in many dark greens,
// a strip of sky, a warm path, soft light across it and sensor grain on every pixel.
QImage GardenCrop(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  std::uint32_t seed = 2024;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = int(seed >> 28) - 8;
      const double u = double(x) / width;
      const double v = double(y) / height;
      const double leaves = 0.5 + 0.5 * std::sin(23.0 * u + 7.0 * std::sin(17.0 * v));
      const double light = 0.55 + 0.45 * std::cos(3.0 * u - 2.0 * v);
      double r = light * (18 + 50 * leaves);
      double g = light * (45 + 110 * leaves);
      double b = light * (15 + 40 * leaves * leaves);
      if (v < 0.2) {  // sky
        r = 120 + 60 * u;
        g = 160 + 40 * u;
        b = 215 + 30 * v;
      } else if (v > 0.8) {  // path
        r = 150 + 70 * light;
        g = 110 + 50 * light;
        b = 70 + 30 * light;
      }
      row[x] = qRgb(std::clamp(int(r) + grain, 0, 255), std::clamp(int(g) + grain, 0, 255),
                    std::clamp(int(b) + grain, 0, 255));
    }
  }
  return image;
}

// The mean distance between the pixels of two pictures, in RGB units. Giflib's median cut
// gives about 6.9 on the garden crop; a palette that follows the picture, under 2.
double MeanError(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      const int dr = qRed(p) - qRed(q);
      const int dg = qGreen(p) - qGreen(q);
      const int db = qBlue(p) - qBlue(q);
      sum += std::sqrt(double(dr * dr + dg * dg + db * db));
    }
  }
  return sum / (double(a.width()) * a.height());
}

QImage ThroughGif(const QImage& picture) {
  const QByteArray gif = Gdip::GifCodec::Encode(picture);
  auto back = Gdip::LoadImageFromMemory(Gdip::AsBytes(gif));
  return back ? back->Image().convertToFormat(QImage::Format_ARGB32) : QImage();
}

}  // namespace

TEST(PaletteQuantizer, GifOfAPhotoStaysClose) {
  const QImage photo = GardenCrop(320, 240);
  const QImage back = ThroughGif(photo);
  ASSERT_FALSE(back.isNull());
  EXPECT_LT(MeanError(photo, back), 3.5);

  // The same photo with one clear corner: the clear pixels stay clear and the palette
  // still serves the rest.
  QImage cut = photo;
  for (int y = 0; y < 20; ++y) {
    std::fill_n(reinterpret_cast<QRgb*>(cut.scanLine(y)), 20, qRgba(9, 19, 18, 0));
  }
  const QImage cutBack = ThroughGif(cut);
  ASSERT_FALSE(cutBack.isNull());
  EXPECT_EQ(qAlpha(cutBack.pixel(5, 5)), 0);
  EXPECT_LT(MeanError(photo.copy(0, 40, 320, 200), cutBack.copy(0, 40, 320, 200)), 3.5);
}

TEST(PaletteQuantizer, FewColoursStayExactAndTranslucentOnesLookAsOnWhite) {
  QImage picture(20, 11, QImage::Format_ARGB32);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      picture.setPixel(x, y, qRgb(x * 13, y * 27, (x * y) % 7));  // 200 colours
    }
  }
  for (int x = 0; x < 20; ++x) {
    picture.setPixel(x, 10, x < 10 ? qRgba(255, 0, 0, 128) : qRgba(9, 19, 18, 0));
  }
  const QImage back = ThroughGif(picture);
  ASSERT_FALSE(back.isNull());
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(back.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    }
  }
  EXPECT_EQ(back.pixel(3, 10), qRgb(255, 127, 127)) << "half-clear red is written as it looks on white";
  EXPECT_EQ(qAlpha(back.pixel(15, 10)), 0);
  EXPECT_EQ(Gdip::OntoWhite(picture).pixel(15, 10), qRgb(255, 255, 255));
}

TEST(PaletteQuantizer, EveryPixelTakesItsNearestColour) {
  const QImage photo = GardenCrop(64, 48);
  const std::vector<QRgb> palette = Gdip::PaletteQuantizer::ChoosePalette(photo, 16);
  ASSERT_EQ(palette.size(), 16U);
  std::vector<std::uint8_t> indexes(64 * 48);
  Gdip::PaletteQuantizer::MapToPalette(photo, palette, 255, indexes);
  const auto distance = [](QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
  };
  for (int i = 0; i < 64 * 48; i += 7) {
    const QRgb pixel = photo.pixel(i % 64, i / 64);
    for (const QRgb candidate : palette) {
      ASSERT_LE(distance(pixel, palette[indexes[std::size_t(i)]]), distance(pixel, candidate)) << "pixel " << i;
    }
  }

  // A full palette of scattered colours, and pixels anywhere in the colour cube.
  std::uint32_t seed = 99;
  const auto random = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return QRgb(0xFF000000u | (seed >> 8));
  };
  std::vector<QRgb> full(256);
  std::generate(full.begin(), full.end(), random);
  QImage anywhere(128, 64, QImage::Format_ARGB32);
  for (int y = 0; y < anywhere.height(); ++y) {
    for (int x = 0; x < anywhere.width(); ++x) {
      anywhere.setPixel(x, y, random());
    }
  }
  std::vector<std::uint8_t> mapped(128 * 64);
  Gdip::PaletteQuantizer::MapToPalette(anywhere, full, 255, mapped);
  for (int i = 0; i < 128 * 64; ++i) {
    const QRgb pixel = anywhere.pixel(i % 128, i / 128);
    for (const QRgb candidate : full) {
      ASSERT_LE(distance(pixel, full[mapped[std::size_t(i)]]), distance(pixel, candidate)) << "pixel " << i;
    }
  }
}
