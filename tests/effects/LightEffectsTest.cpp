#include "effects/ModEffectsLight.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <gtest/gtest.h>

#include "EffectsTestImages.h"
#include "effects/ModEffectsApply.h"
#include "effects/ModEffectsWeather.h"
#include "support/TestFolder.h"

using namespace EffectsTest;
using namespace ModEffects;

namespace {

constexpr Bgra kGround{90, 60, 30, 255};

// The effect committed on a uniform picture shown at displayed size (scale W / shown width).
QImage Committed(int code, int width, int height, double shownWidth = 200, double shownHeight = 150) {
  EffectRun run;
  run.code = code;
  run.fitRect = QRectF(0, 0, shownWidth, shownHeight);
  run.Value = 55;
  run.Max = 255;
  run.lightPoint = QPointF(50, 40);
  run.pickedColour = 0x0000FF;  // red, as a device colour
  return CommitEffect(Filled(width, height, kGround), run);
}

}  // namespace

TEST(DrawMoon, SitsOnTheSamePixelsAtEverySizeAndShadesTheRest) {
  const QImage small = Committed(kMoonEffect, 200, 150);
  const QImage large = Committed(kMoonEffect, 4000, 3000, 4000, 3000);
  EXPECT_EQ(large.copy(0, 0, 200, 150), small);
  EXPECT_EQ(PixelAt(small, 100, 80), (Bgra{255, 255, 255, 255}));
  // 100 / 255 of black over the picture, far from the halo and in the far corner.
  for (const Bgra far : {PixelAt(small, 195, 5), PixelAt(large, 3999, 2999)}) {
    EXPECT_NEAR(far.b, 55, 1);
    EXPECT_NEAR(far.g, 36, 1);
    EXPECT_NEAR(far.r, 18, 1);
    EXPECT_EQ(far.a, 255);
  }
}

TEST(DrawLensFlare, BrightAtItsCentreWithCornerGlintsAndNoFaultForSmallScales) {
  const QImage flare = Committed(kLensFlareEffect, 4000, 3000, 4000, 3000);
  EXPECT_EQ(PixelAt(flare, 100, 100), (Bgra{255, 255, 255, 255}));
  const Bgra glint = PixelAt(flare, 3880, 2900);
  EXPECT_GT(glint.g, 190);
  EXPECT_GT(glint.r, 140);
  EXPECT_EQ(PixelAt(flare, 2000, 1500), kGround);
  // At scale 0.5 the two inner rings have radii 0 and -40: they are left out, and the
  // pink second ring shows at the centre instead of the white fourth.
  const Bgra centre = PixelAt(Committed(kLensFlareEffect, 200, 150, 400, 300), 100, 100);
  EXPECT_EQ(centre.r, 255);
  EXPECT_NEAR(centre.g, 140, 3);
  EXPECT_NEAR(centre.b, 160, 3);
}

TEST(DrawIrradiation, ClearAtTheLightPointAndTintedTowardsTheRim) {
  for (const int scale : {1, 20}) {
    const QImage spot = Committed(kIrradiationEffect, 200 * scale, 150 * scale);
    EXPECT_EQ(PixelAt(spot, 50 * scale, 40 * scale), kGround) << scale;
    const Bgra rim = PixelAt(spot, 200 * scale - 1, 150 * scale - 1);
    EXPECT_GT(rim.r, 150) << scale;
    EXPECT_LT(rim.b, 60) << scale;
  }
}

TEST(WeatherAndLight, SamplePicturesForAPersonToLookAt) {
  QImage sample(640, 480, QImage::Format_ARGB32);
  {
    QPainter painter(&sample);
    QLinearGradient sky(0, 0, 640, 480);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(1, QColor(200, 170, 90));
    painter.fillRect(sample.rect(), sky);
  }
  const QString folder = TestSupport::ArtifactsFolder() + "/weather-and-light";
  QDir().mkpath(folder);
  const char* names[] = {"bubble", "firefly", "rain", "snow", "flower", "cloud", "moon", "mist", "lensflare", "irradiation"};
  for (int code = kBubbleEffect; code <= kIrradiationEffect; ++code) {
    EffectRun run;
    run.code = code;
    run.fitRect = QRectF(0, 0, 640, 480);
    run.Value = 150;
    run.Max = 255;
    run.lightPoint = QPointF(220, 160);
    run.pickedColour = 0x2080F0;
    const QImage result = CommitEffect(sample, run);
    ASSERT_EQ(result.size(), sample.size());
    EXPECT_TRUE(result.save(folder + "/" + names[code - kBubbleEffect] + ".png"));
  }
}
