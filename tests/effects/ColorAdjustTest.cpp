#include "effects/ColorAdjust.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include "foundation/GdiDIB.h"
#include "foundation/ModClipboard.h"

#include "EffectsTestImages.h"
#include "effects/EffectObjects.h"
#include "foundation/CDIB.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

using namespace EffectsTest;
using namespace ModEffects;

namespace {

// A one-line picture of the given colours.
std::unique_ptr<Gdip::Bitmap> Line(std::initializer_list<Bgra> colours) {
  QImage image(int(colours.size()), 1, QImage::Format_ARGB32);
  int x = 0;
  for (const Bgra& c : colours) {
    SetPixel(image, x++, 0, c);
  }
  return Gdip::Bitmap::FromImage(image, Gdip::PixelFormat32bppARGB);
}

Bgra Adjusted(Bgra colour, int mode, float gamma, float value) {
  const auto source = Line({colour});
  const auto result = ColorAdjusted(*source, mode, gamma, value);
  return PixelAt(result->Image(), 0, 0);
}

}  // namespace

TEST(ColorAdjust, GreyAddsTheThreeChannelsAtThirtyFivePercent) {
  EXPECT_EQ(Adjusted({255, 255, 255, 255}, kGreyAdjust, 1, 0), (Bgra{255, 255, 255, 255}));
  EXPECT_EQ(Adjusted({100, 100, 100, 255}, kGreyAdjust, 1, 0), (Bgra{105, 105, 105, 255}));
  // Pure colours: 0.35 * 255 = 89.25 whichever channel it sits in.
  EXPECT_EQ(Adjusted({0, 0, 255, 255}, kGreyAdjust, 1, 0), (Bgra{89, 89, 89, 255}));
  EXPECT_EQ(Adjusted({255, 0, 0, 255}, kGreyAdjust, 1, 0), (Bgra{89, 89, 89, 255}));
  // Straight alpha: a half-transparent pixel keeps its alpha and gets the same grey.
  EXPECT_EQ(Adjusted({100, 100, 100, 128}, kGreyAdjust, 1, 0), (Bgra{105, 105, 105, 128}));
}

TEST(ColorAdjust, ContrastScalesAndOffsetsEachChannel) {
  EXPECT_EQ(Adjusted({10, 128, 250, 200}, kContrastAdjust, 1, 0), (Bgra{10, 128, 250, 200}));
  EXPECT_EQ(Adjusted({0, 0, 0, 255}, kContrastAdjust, 1, 0.5f), (Bgra{128, 128, 128, 255}));
  EXPECT_EQ(Adjusted({128, 128, 128, 255}, kContrastAdjust, 1, 0.5f), (Bgra{255, 255, 255, 255}));
  // c * 1.2 + 0.2 * 255 = 12 + 51
  EXPECT_EQ(Adjusted({10, 0, 100, 9}, kContrastAdjust, 1, 0.2f), (Bgra{63, 51, 171, 9}));
}

TEST(ColorAdjust, GammaOneIsIdentityAndAboveOneDarkens) {
  const QImage pattern = Pattern(7, 5);
  const auto source = Gdip::Bitmap::FromImage(pattern, Gdip::PixelFormat32bppARGB);
  EXPECT_EQ(ColorAdjusted(*source, kGammaAdjust, 1.0f, 0)->Image(), pattern);
  EXPECT_EQ(Adjusted({128, 0, 255, 40}, kGammaAdjust, 2.0f, 0), (Bgra{64, 0, 255, 40}));
}

TEST(ColorAdjust, GammaZeroIsRaisedSoThePictureSurvives) {
  const Bgra result = Adjusted({0, 128, 255, 255}, kGammaAdjust, 0.0f, 0);
  EXPECT_EQ(result, Adjusted({0, 128, 255, 255}, kGammaAdjust, kMinimumGamma, 0));
  EXPECT_EQ(result.b, 0);
  EXPECT_GT(result.g, 200);
}

TEST(ColorAdjust, UnknownModeCopiesAndTheCallersImageIsNeverTouched) {
  const QImage pattern = Pattern(4, 3);
  const auto source = Gdip::Bitmap::FromImage(pattern, Gdip::PixelFormat32bppARGB);
  const auto same = ColorAdjusted(*source, 3, 1, 0.5f);
  EXPECT_EQ(same->Image(), pattern);
  const auto grey = ColorAdjusted(*source, kGreyAdjust, 1, 0);
  EXPECT_NE(grey->Image(), pattern);
  EXPECT_EQ(source->Image(), pattern);
}

TEST(ColorAdjust, CommitOntoAGraphicsDrawsAtTheOrigin) {
  const auto source = Line({{100, 100, 100, 255}, {0, 0, 0, 255}});
  auto canvas = Gdip::Bitmap::Create(3, 1);
  {
    auto graphics = Gdip::Graphics::FromImage(*canvas);
    ApplyColorAdjust(*graphics, *source, kGreyAdjust, 1, 0);
  }
  EXPECT_EQ(PixelAt(canvas->Image(), 0, 0), (Bgra{105, 105, 105, 255}));
  EXPECT_EQ(PixelAt(canvas->Image(), 1, 0), (Bgra{0, 0, 0, 255}));
  EXPECT_EQ(PixelAt(canvas->Image(), 2, 0), (Bgra{0, 0, 0, 0}));
  EXPECT_EQ(PixelAt(source->Image(), 0, 0), (Bgra{100, 100, 100, 255}));
}

TEST(ColorAdjust, PreviewRoundsTheTopLeftCornerHalvesToEven) {
  const QImage dot = Filled(1, 1, {0, 0, 0, 255});
  for (const auto& [x, expected] : {std::pair{2.5, 2}, std::pair{1.5, 2}, std::pair{3.4, 3}}) {
    QImage surface = Filled(6, 1, {255, 255, 255, 255});
    {
      QPainter painter(&surface);
      ApplyColorAdjust(painter, dot, kContrastAdjust, 1, QRectF(x, 0, 1, 1), 0.2f);
    }
    for (int px = 0; px < 6; ++px) {
      EXPECT_EQ(PixelAt(surface, px, 0).b, px == expected ? 51 : 255) << "x " << x << " pixel " << px;
    }
  }
}

TEST(ColorAdjust, GreyShowsTheWaitCursorAndLeavesTheCallersOwn) {
  const QImage dot = Filled(1, 1, {0, 0, 0, 255});
  QImage surface = Filled(1, 1, {0, 0, 0, 255});
  QPainter painter(&surface);
  ApplyColorAdjust(painter, dot, kGreyAdjust, 1, QRectF(0, 0, 1, 1), 0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
  ApplyColorAdjust(painter, dot, kGreyAdjust, 1, QRectF(0, 0, 1, 1), 0);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
  QGuiApplication::restoreOverrideCursor();
}

TEST(DrawImageColorMatrix, OpacityOneIsExactAndZeroDrawsNothing) {
  const QImage pattern = Pattern(3, 2);
  for (const float opacity : {0.0f, 1.0f}) {
    QImage surface = Filled(3, 2, {9, 9, 9, 255});
    {
      QPainter painter(&surface);
      DrawImageColorMatrix(painter, pattern, QRectF(0, 0, 3, 2), QSizeF(3, 2), opacity);
    }
    EXPECT_EQ(surface, opacity == 0.0f ? Filled(3, 2, {9, 9, 9, 255}) : pattern);
  }
}

TEST(DrawImageColorMatrix, DrawingOntoAGraphicsReleasesTheSharedObjects) {
  ASSERT_TRUE(EffectDIB().Create(2, 2, 32));
  ModGDI::ClipboardImage().SetDIB(Gdip::Bitmap::Create(2, 2));
  const auto source = Line({{1, 2, 3, 255}});
  auto canvas = Gdip::Bitmap::Create(2, 2);
  {
    auto graphics = Gdip::Graphics::FromImage(*canvas);
    DrawImageColorMatrix(*graphics, *source, QRectF(0.5, 1.5, 1, 1), QSizeF(1, 1), 1.0f);
  }
  EXPECT_EQ(Shared().EffectDIB, nullptr);
  EXPECT_EQ(ModGDI::ClipboardImage().DIB(), nullptr);
  // (0.5, 1.5) rounds to (0, 2): below the canvas, so nothing shows.
  EXPECT_EQ(canvas->Image(), Filled(2, 2, {0, 0, 0, 0}));
}

TEST(SplitColor, GivesTheRightBytesForEveryColour) {
  const auto low = SplitColor(ModGDI::MakeARGB(255, 10, 100, 30));
  EXPECT_EQ((Bgra{low.first, low.second, low.third, 0}), (Bgra{30, 100, 10, 0}));
  // Green of 128 or more no longer loses the third byte.
  const auto high = SplitColor(ModGDI::MakeARGB(255, 10, 200, 30));
  EXPECT_EQ((Bgra{high.first, high.second, high.third, 0}), (Bgra{30, 200, 10, 0}));

  const auto argb = SplitARGB(ModGDI::MakeARGB(7, 250, 200, 30));
  EXPECT_EQ((Bgra{argb.blue, argb.green, argb.red, 0}), (Bgra{30, 200, 250, 0}));
  const auto ref = SplitColorRef(0x001EC8FAu);  // red 250, green 200, blue 30
  EXPECT_EQ((Bgra{ref.blue, ref.green, ref.red, 0}), (Bgra{30, 200, 250, 0}));
}
