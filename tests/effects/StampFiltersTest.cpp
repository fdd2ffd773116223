#include "effects/StampFilters.h"

#include <functional>

#include <gtest/gtest.h>

#include "EffectsTestImages.h"
#include "effects/EffectObjects.h"
#include "foundation/CDIB.h"
#include "platform/gdiplus/Bitmap.h"

using namespace EffectsTest;
using namespace ModEffects;

namespace {

using ViewFilter = std::function<void(QImage&)>;

// Each filter run on an upright image through a view, the way the stamp filters see it.
const std::vector<std::pair<const char*, ViewFilter>>& AllFilters() {
  static const std::vector<std::pair<const char*, ViewFilter>> filters = {
      {"blur", [](QImage& i) { Convolve3x3(ViewOfImage(i), 100, kBlurCode); }},
      {"sharpen", [](QImage& i) { Convolve3x3(ViewOfImage(i), 90, kSharpenCode); }},
      {"soften", [](QImage& i) { Convolve3x3(ViewOfImage(i), 100, kSoftenCode); }},
      {"cross maximum", [](QImage& i) {
         QImage source = i.copy();
         CrossMaximum(ViewOfImage(source), ViewOfImage(i));
       }},
      {"contour", [](QImage& i) {
         QImage source = i.copy();
         ContourSketch(ViewOfImage(source), ViewOfImage(i));
       }},
  };
  return filters;
}

std::unique_ptr<Gdip::Bitmap> Stamp(const QImage& image) {
  return Gdip::Bitmap::FromImage(image, Gdip::PixelFormat32bppARGB);
}

}  // namespace

TEST(StampFilters, UniformAreasStayExceptUnderTheContourWhichTurnsWhite) {
  const QImage uniform = Filled(6, 5, {40, 90, 200, 255});
  for (const auto& [name, filter] : AllFilters()) {
    QImage image = uniform;
    filter(image);
    const Bgra expected = std::string(name) == "contour" ? Bgra{255, 255, 255, 255} : Bgra{40, 90, 200, 255};
    EXPECT_EQ(PixelAt(image, 2, 2), expected) << name;
    EXPECT_EQ(PixelAt(image, 0, 0), (Bgra{40, 90, 200, 255})) << name;
  }
}

TEST(StampFilters, BordersAndAlphaNeverChange) {
  QImage pattern = Pattern(7, 6);
  for (int x = 0; x < 7; ++x) {
    SetPixel(pattern, x, 3, {PixelAt(pattern, x, 3).b, PixelAt(pattern, x, 3).g, PixelAt(pattern, x, 3).r, 17 * x + 1});
  }
  for (const auto& [name, filter] : AllFilters()) {
    QImage image = pattern;
    filter(image);
    EXPECT_NE(image, pattern) << name;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 7; ++x) {
        const bool border = x == 0 || y == 0 || x == 6 || y == 5;
        if (border) {
          EXPECT_EQ(PixelAt(image, x, y), PixelAt(pattern, x, y)) << name << " " << x << "," << y;
        }
        EXPECT_EQ(PixelAt(image, x, y).a, PixelAt(pattern, x, y).a) << name;
      }
    }
  }
}

TEST(StampFilters, BlurSpreadsUpAndRightThroughFilteredNeighbours) {
  QImage image = Filled(9, 9, {0, 0, 0, 255});
  SetPixel(image, 4, 4, {255, 255, 255, 255});
  Convolve3x3(ViewOfImage(image), 100, kBlurCode);
  // The line below is filtered first and sees the bright pixel unfiltered; the pixel
  // below it also sees its left neighbour's new 255 / 9 = 28. Two lines below, nothing.
  EXPECT_EQ(PixelAt(image, 3, 5).g, 28);
  EXPECT_EQ(PixelAt(image, 4, 5).g, 31);
  EXPECT_EQ(PixelAt(image, 4, 6).g, 0);
  // To the left it gets two pixels along its own line, through the line below.
  EXPECT_EQ(PixelAt(image, 2, 4).g, 3);
  EXPECT_EQ(PixelAt(image, 1, 4).g, 0);
  // Above and to the right it travels on through values already blurred.
  EXPECT_GT(PixelAt(image, 4, 2).g, 0);
  EXPECT_GT(PixelAt(image, 6, 4).g, 0);
}

TEST(StampFilters, TransparentPixelsKeepTheirBytesButFeedNeighbours) {
  QImage image = Filled(5, 5, {0, 0, 0, 255});
  SetPixel(image, 2, 2, {200, 150, 100, 0});
  QImage source = image.copy();
  CrossMaximum(ViewOfImage(source), ViewOfImage(image));
  EXPECT_EQ(PixelAt(image, 2, 2), (Bgra{200, 150, 100, 0}));
  EXPECT_EQ(PixelAt(image, 2, 1), (Bgra{200, 150, 100, 255}));
  EXPECT_EQ(PixelAt(image, 1, 1), (Bgra{0, 0, 0, 255}));
}

TEST(StampFilters, SharpenOfADarkPixelAmongBrightOnesClampsToZero) {
  QImage image = Filled(3, 3, {255, 255, 255, 255});
  SetPixel(image, 1, 1, {0, 10, 30, 255});
  Convolve3x3(ViewOfImage(image), 90, kSharpenCode);
  EXPECT_EQ(PixelAt(image, 1, 1), (Bgra{0, 0, 0, 255}));
}

TEST(StampFilters, MaximumBandsMeetWithoutSeams) {
  // Each view row holds its own number, so the cross maximum of a row is the row above.
  QImage image(4, 300, QImage::Format_ARGB32);
  const PixelView view = ViewOfImage(image);
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 4; ++x) {
      SetViewPixel(view, x, y, {y % 250, 0, 0, 255});
    }
  }
  QImage source = image.copy();
  CrossMaximum(ViewOfImage(source), view);
  for (int y = 1; y < 299; ++y) {
    const int expected = std::max({(y - 1) % 250, y % 250, (y + 1) % 250});
    ASSERT_EQ(ViewPixel(view, 1, y).b, expected) << "row " << y;
  }
}

TEST(StampFilters, UndefinedCodesAndMeaninglessStrengthsChangeNothing) {
  const QImage pattern = Pattern(5, 5);
  QImage image = pattern;
  EXPECT_FALSE(Convolve3x3(ViewOfImage(image), 100, 15));
  EXPECT_FALSE(Convolve3x3(ViewOfImage(image), 109, kBlurCode));
  EXPECT_FALSE(Convolve3x3(ViewOfImage(image), 101, kSharpenCode));
  EXPECT_FALSE(Convolve3x3(ViewOfImage(image), 105, kSoftenCode));
  EXPECT_EQ(image, pattern);

  const auto result = ConvolveStamp3x3(*Stamp(pattern), 5, 5, 100, 0);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->Image(), pattern);
}

TEST(StampFilters, WholeStampFiltersKeepTheStampUprightAndReturnANewBitmap) {
  QImage picture = Filled(5, 4, {50, 50, 50, 255});
  SetPixel(picture, 1, 1, {0, 0, 250, 255});
  const auto stamp = Stamp(picture);
  const auto brighter = MaxFilterSmall(*stamp, 5, 4);
  ASSERT_NE(brighter, nullptr);
  EXPECT_EQ(PixelAt(brighter->Image(), 2, 1), (Bgra{50, 50, 250, 255}));
  EXPECT_EQ(PixelAt(brighter->Image(), 1, 2), (Bgra{50, 50, 250, 255}));
  EXPECT_EQ(PixelAt(brighter->Image(), 2, 2), (Bgra{50, 50, 50, 255}));
  EXPECT_EQ(stamp->Image(), picture);
  // The filtered pixels stay in the shared DIB; the shared view is detached again.
  EXPECT_TRUE(Shared().EffectPixels.Empty());
  ASSERT_NE(Shared().EffectDIB, nullptr);
  EXPECT_EQ(Shared().EffectDIB->Width(), 5);
  ReleaseEffectObjects();

  const auto contour = MaxFilterLarge(*stamp, 5, 4);
  EXPECT_EQ(PixelAt(contour->Image(), 3, 2), (Bgra{255, 255, 255, 255}));
  EXPECT_EQ(PixelAt(contour->Image(), 2, 2), (Bgra{255, 255, 55, 255}));
  ReleaseEffectObjects();
}

TEST(StampFilters, SmallAndResizedStamps) {
  const QImage thin = Pattern(2, 6);
  const auto same = ConvolveStamp3x3(*Stamp(thin), 2, 6, 100, kBlurCode);
  ASSERT_NE(same, nullptr);
  EXPECT_EQ(same->Image(), thin);
  EXPECT_EQ(MaxFilterLarge(*Stamp(thin), 0.4f, 6), nullptr);

  const auto resized = ConvolveStamp3x3(*Stamp(Filled(4, 4, {10, 20, 30, 255})), 7.5f, 3, 100, kSoftenCode);
  ASSERT_NE(resized, nullptr);
  EXPECT_EQ(resized->Image().size(), QSize(8, 3));
  EXPECT_EQ(PixelAt(resized->Image(), 3, 1), (Bgra{10, 20, 30, 255}));
  ReleaseEffectObjects();
}
