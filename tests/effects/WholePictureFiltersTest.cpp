#include "effects/WholePictureFilters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include "EffectsTestImages.h"

namespace {

using EffectsTest::Bgra;
using EffectsTest::Filled;
using EffectsTest::PixelAt;
using EffectsTest::SetPixel;

struct NamedFilter {
  const char* name;
  std::function<QImage(const QImage&)> run;
};

std::vector<NamedFilter> AllFilters() {
  return {{"blur", ModEffects::Blur},
          {"soften", ModEffects::Soften},
          {"sharpen", ModEffects::Sharpen},
          {"antialias", ModEffects::Antialias},
          {"ripple", [](const QImage& p) { return ModEffects::Ripple(p, 10); }}};
}

// A black opaque picture with one white pixel at (cx, cy).
QImage Spot(int width, int height, int cx, int cy) {
  QImage image = Filled(width, height, {0, 0, 0, 255});
  SetPixel(image, cx, cy, {255, 255, 255, 255});
  return image;
}

}  // namespace

TEST(WholePictureFilters, FlatPicturesStayFlatAndResultsRepeatByteForByte) {
  const QImage flat = Filled(37, 23, {40, 120, 200, 180});
  const QImage pattern = EffectsTest::Pattern(41, 29);
  for (const auto& filter : AllFilters()) {
    SCOPED_TRACE(filter.name);
    const QImage result = filter.run(flat);
    ASSERT_EQ(result.size(), flat.size());
    ASSERT_EQ(result.format(), QImage::Format_ARGB32);
    for (int y = 0; y < flat.height(); ++y) {
      for (int x = 0; x < flat.width(); ++x) {
        ASSERT_EQ(PixelAt(result, x, y), (Bgra{40, 120, 200, 180})) << x << "," << y;
      }
    }
    EXPECT_EQ(filter.run(pattern), filter.run(pattern));
    EXPECT_TRUE(filter.run(QImage()).isNull());
  }
}

TEST(WholePictureFilters, OneBrightPixelSpreadsByTheBinomialWeights) {
  const QImage spot = Spot(9, 9, 4, 4);
  const int blurWeights[] = {1, 4, 6, 4, 1};
  const QImage blurred = ModEffects::Blur(spot);
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      const double expected = 255.0 * blurWeights[dx + 2] * blurWeights[dy + 2] / 256.0;
      EXPECT_NEAR(PixelAt(blurred, 4 + dx, 4 + dy).g, expected, 0.51) << dx << "," << dy;
    }
  }
  EXPECT_EQ(PixelAt(blurred, 1, 4).g, 0);  // nothing beyond the kernel's reach
  const QImage softened = ModEffects::Soften(spot);
  EXPECT_NEAR(PixelAt(softened, 4, 4).r, 255.0 * 4 / 16, 0.51);
  EXPECT_NEAR(PixelAt(softened, 5, 4).r, 255.0 * 2 / 16, 0.51);
  EXPECT_NEAR(PixelAt(softened, 5, 5).r, 255.0 * 1 / 16, 0.51);
  EXPECT_EQ(PixelAt(softened, 6, 4).r, 0);
  // At the border the edge pixel repeats: a corner spot keeps more of itself.
  EXPECT_GT(PixelAt(ModEffects::Blur(Spot(9, 9, 0, 0)), 0, 0).g, PixelAt(blurred, 4, 4).g);
}

TEST(WholePictureFilters, SharpenClampsAndAntialiasTouchesOnlyOutliers) {
  QImage grey = Filled(7, 7, {128, 128, 128, 255});
  SetPixel(grey, 3, 3, {250, 250, 250, 255});
  const QImage sharp = ModEffects::Sharpen(grey);
  EXPECT_EQ(PixelAt(sharp, 3, 3).r, 255);            // 2 * 250 - soft would pass 255
  EXPECT_LT(PixelAt(sharp, 4, 3).r, 128);            // the neighbours darken against it
  EXPECT_EQ(PixelAt(sharp, 0, 0).r, 128);            // far off nothing changes
  EXPECT_EQ(PixelAt(ModEffects::Sharpen(Spot(5, 5, 2, 2)), 2, 1).r, 0);  // and never below 0

  const QImage smoothed = ModEffects::Antialias(grey);
  EXPECT_LT(PixelAt(smoothed, 3, 3).r, 250);  // the outlier is softened
  EXPECT_EQ(PixelAt(smoothed, 0, 0).r, 128);  // flat ground is left alone
  QImage ramp(16, 4, QImage::Format_ARGB32);
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 4; ++y) {
      SetPixel(ramp, x, y, {x * 8, x * 8, x * 8, 255});
    }
  }
  EXPECT_EQ(ModEffects::Antialias(ramp), ramp);  // a gentle ramp has no outliers
}

TEST(WholePictureFilters, TransparentPixelsLendNoColour) {
  // Left half opaque red, right half fully transparent green.
  QImage image = Filled(10, 6, {0, 255, 0, 0});
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 5; ++x) {
      SetPixel(image, x, y, {0, 0, 255, 255});
    }
  }
  for (const auto& filter : AllFilters()) {
    SCOPED_TRACE(filter.name);
    const QImage result = filter.run(image);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 10; ++x) {
        const Bgra p = PixelAt(result, x, y);
        if (p.a > 0) {
          EXPECT_EQ(p.g, 0) << x << "," << y;
          EXPECT_EQ(p.b, 0) << x << "," << y;
        }
      }
    }
  }
  // Across the edge the alpha itself is blurred.
  const QImage blurred = ModEffects::Blur(image);
  EXPECT_GT(PixelAt(blurred, 5, 3).a, 0);
  EXPECT_LT(PixelAt(blurred, 4, 3).a, 255);
}

TEST(WholePictureFilters, RippleMovesNothingFartherThanItsStrength) {
  const QImage spot = Spot(120, 120, 60, 60);
  const QImage rippled = ModEffects::Ripple(spot, 10);
  int lit = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 120; ++x) {
      if (PixelAt(rippled, x, y).r > 0) {
        ++lit;
        // Ten pixels each way, and one more for the bilinear neighbour.
        EXPECT_LE(std::abs(x - 60), 11) << x << "," << y;
        EXPECT_LE(std::abs(y - 60), 11) << x << "," << y;
      }
    }
  }
  EXPECT_GT(lit, 0);
  // A strength of zero samples every pixel where it is.
  const QImage pattern = EffectsTest::Pattern(30, 20);
  EXPECT_EQ(ModEffects::Ripple(pattern, 0), pattern);
}

// On a noisy picture with every kind of alpha, each pixel Antialias changes becomes what
// Soften makes of it, and those are exactly the pixels whose luminance stands more than
// 16 levels off their 3 x 3 neighbourhood's mean (borders repeated).
TEST(WholePictureFilters, AntialiasTakesTheSoftenedPixelWhereItStandsOut) {
  QImage noisy(53, 31, QImage::Format_ARGB32);
  std::uint32_t seed = 5;
  for (int y = 0; y < noisy.height(); ++y) {
    for (int x = 0; x < noisy.width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int base = (x * 4 + y * 3) % 200;
      const int jump = (seed >> 28) < 3 ? 90 : 0;
      noisy.setPixel(x, y, qRgba(base + jump / 2, base, std::min(base + jump, 255), int(seed >> 24) | 0x0F));
    }
  }
  const QImage soft = ModEffects::Soften(noisy);
  const QImage result = ModEffects::Antialias(noisy);
  const auto luminance = [&](int x, int y) {
    const QRgb p = noisy.pixel(std::clamp(x, 0, noisy.width() - 1), std::clamp(y, 0, noisy.height() - 1));
    return (77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p)) >> 8;
  };
  int softened = 0;
  for (int y = 0; y < noisy.height(); ++y) {
    for (int x = 0; x < noisy.width(); ++x) {
      int nine = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          nine += luminance(x + dx, y + dy);
        }
      }
      const bool standsOut = std::abs(9 * luminance(x, y) - nine) > 9 * 16;
      softened += standsOut ? 1 : 0;
      ASSERT_EQ(result.pixel(x, y), standsOut ? soft.pixel(x, y) : noisy.pixel(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(softened, 20);
}

// Each pixel of an opaque picture is the bilinear sample at its rippled place, kept
// inside the picture, within a level of the exact mix: edges, corners and the places
// where the waves push the sample outside included.
TEST(WholePictureFilters, RippleSamplesWhereTheWavesPointWithinALevel) {
  QImage picture(90, 70, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * x + 3 * y) % 256, (y * 23) % 256));
    }
  }
  const QImage rippled = ModEffects::Ripple(picture, 10);
  const auto wave = [](int at) { return 10.0 * std::sin(2.0 * 3.14159265358979 * at / 60.0); };
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const double fx = std::clamp(x + wave(y), 0.0, double(picture.width() - 1));
      const double fy = std::clamp(y + wave(x), 0.0, double(picture.height() - 1));
      const int x0 = int(fx), y0 = int(fy);
      const int x1 = std::min(x0 + 1, picture.width() - 1), y1 = std::min(y0 + 1, picture.height() - 1);
      const double tx = fx - x0, ty = fy - y0;
      const auto exact = [&](int (*channel)(QRgb)) {
        const auto at = [&](int px, int py) { return double(channel(picture.pixel(px, py))); };
        return (1 - ty) * ((1 - tx) * at(x0, y0) + tx * at(x1, y0)) + ty * ((1 - tx) * at(x0, y1) + tx * at(x1, y1));
      };
      const QRgb got = rippled.pixel(x, y);
      ASSERT_NEAR(qRed(got), exact(qRed), 1.01) << x << "," << y;
      ASSERT_NEAR(qGreen(got), exact(qGreen), 1.01) << x << "," << y;
      ASSERT_NEAR(qBlue(got), exact(qBlue), 1.01) << x << "," << y;
      ASSERT_EQ(qAlpha(got), 255);
    }
  }
}
