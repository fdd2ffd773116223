#include "effects/ModEffectsWeather.h"

#include <deque>
#include <random>

#include <QImage>

#include <gtest/gtest.h>

#include "EffectClockFake.h"
#include "EffectsTestImages.h"
#include "effects/ModEffectsApply.h"
#include "foundation/ModPublic.h"
#include "support/TestFolder.h"

using namespace EffectsTest;
using namespace ModEffects;

namespace {

// Hands out the given values in order.
RandomSource Scripted(std::deque<double> values) {
  return [values]() mutable {
    const double v = values.front();
    values.pop_front();
    return v;
  };
}

RandomSource Uniform(std::mt19937& engine) {
  return [&engine] { return std::uniform_real_distribution<double>(0.0, 1.0)(engine); };
}

ScatterSettings Settings(int code, float maxSize, float minSize, int alphaRange, float width, float height) {
  return {50, maxSize, minSize, code, alphaRange, 10, 10, width, height};
}

}  // namespace

TEST(ParticleGenerator, TakesTheRandomValuesInTheirOrder) {
  // size 15, x 60 - 15, y 85.
  const Particle bubble = NextParticle(Settings(kBubbleEffect, 10, 10, 100, 200, 100), Scripted({0.5, 0.25, 0.75}));
  EXPECT_EQ(bubble.code, kBubbleEffect);
  EXPECT_EQ(bubble.x, 45);
  EXPECT_EQ(bubble.y, 85);
  EXPECT_EQ(bubble.width, 15);
  // Palette index round(3 * 0.9) = 3.
  const Particle firefly = NextParticle(Settings(kFireflyEffect, 10, 10, 100, 200, 100), Scripted({0, 0, 0, 0.9}));
  EXPECT_EQ(firefly.colour, FireflyPalette[3]);
  // Slant round(3 * 0.4) = 1 and length round(0.5 * 50 + 10) = 35, upwards from (0, 10).
  const Particle rain = NextParticle(Settings(kRainEffect, 50, 10, 50, 200, 100), Scripted({0, 0, 0, 0.4, 0.5}));
  EXPECT_EQ(rain.x, 0);
  EXPECT_EQ(rain.x2, 1);
  EXPECT_EQ(rain.y2, 10 - 35);
  EXPECT_EQ(rain.opacity, 50);
  // Flower: petal round(0.5 * 10 + 2) = 7, palette 1, alpha round(0.5 * 255 + 20) = 148.
  const Particle flower = NextParticle(Settings(kFlowerEffect, 10, 10, 255, 200, 100), Scripted({0, 0, 0, 0.5, 0.4, 0.5}));
  EXPECT_EQ(flower.width, 7);
  EXPECT_EQ(flower.colour, (FlowerPalette[1] & 0xFFFFFFu) | (148u << 24));
}

TEST(ParticleGenerator, UnknownCodesAndOverbrightPassesDrawNothing) {
  EXPECT_EQ(NextParticle(Settings(kMoonEffect, 10, 10, 100, 200, 100), Scripted({0.1, 0.2, 0.3})).code, 0);
  // Opacity round(0.99 * 255 + 20) = 272 is beyond a drawable alpha.
  EXPECT_EQ(NextParticle(Settings(kSnowEffect, 5, 10, 255, 200, 100), Scripted({0, 0, 0, 0.5, 0.99})).code, 0);
}

TEST(ParticleGenerator, CloudsStayInTheirBandAndMistStripsSpanThePicture) {
  std::mt19937 engine(7);
  const RandomSource rnd = Uniform(engine);
  for (int i = 0; i < 2000; ++i) {
    const Particle cloud = NextParticle(Settings(kCloudEffect, 200, 10, 200, 1000, 50), rnd);
    ASSERT_GE(cloud.y, 0);
    ASSERT_LE(cloud.y, 50);
    ASSERT_EQ(cloud.width, 2 * cloud.height);
    ASSERT_LE(cloud.opacity, 220);
    const Particle mist = NextParticle(Settings(kMistEffect, 500, 150, 255, 1000, 800), rnd);
    ASSERT_EQ(mist.height, 150);
    ASSERT_LE(mist.width, 1000 + 300);
    ASSERT_LE(mist.opacity, 275);
  }
}

TEST(ParticleGenerator, AboutOneSnowPassInThirteenIsSkipped) {
  std::mt19937 engine(11);
  const RandomSource rnd = Uniform(engine);
  int skipped = 0;
  constexpr int kPasses = 100000;
  for (int i = 0; i < kPasses; ++i) {
    skipped += NextParticle(Settings(kSnowEffect, 5, 10, 255, 500, 500), rnd).code == 0 ? 1 : 0;
  }
  EXPECT_NEAR(double(skipped) / kPasses, 1.0 / 13, 0.006);
}

TEST(ParticleCap, ScalesWithBudgetAndAreaAndFallsForBiggerParticles) {
  ScatterSettings snow = Settings(kSnowEffect, 5, 10, 255, 1000, 1000);
  EXPECT_EQ(ParticleCap(snow), 1000);  // 20 a millisecond on a megapixel
  snow.areaWidth = 2000;
  EXPECT_EQ(ParticleCap(snow), 2000);
  snow.budget = 0;
  EXPECT_EQ(ParticleCap(snow), 0);
  ScatterSettings bubbles = Settings(kBubbleEffect, 10, 10, 100, 1000, 1000);
  const int preview = ParticleCap(bubbles);
  bubbles.maxSize = 50;  // committed at five times the size
  EXPECT_LT(ParticleCap(bubbles) * 5, preview);
  EXPECT_EQ(ParticleCap(Settings(kMoonEffect, 10, 10, 100, 1000, 1000)), 0);
}

TEST(ScatterParticles, StopsAtTheBudgetOrTheCapAndLastsTheBudget) {
  QImage surface = Filled(1000, 1000, {90, 60, 30, 255});
  const QImage before = surface;
  FakeClock idle(1.0);
  ScatterParticles(surface, 0, 5, 10, kSnowEffect, 255, 0, 0, 100, 100, &idle);
  EXPECT_EQ(surface, before);
  FakeClock unknown(1.0);
  ScatterParticles(surface, 40, 5, 10, kMoonEffect, 255, 0, 0, 100, 100, &unknown);
  EXPECT_EQ(surface, before);
  EXPECT_EQ(unknown.waitedUntil, 40);
  // One millisecond a pass: ten passes for a budget of 10.
  FakeClock slow(1.0);
  ScatterParticles(surface, 10, 5, 10, kSnowEffect, 255, 0, 0, 1000, 1000, &slow);
  EXPECT_EQ(slow.reads, 11);
  EXPECT_NE(surface, before);
  // A clock that never moves (an endlessly fast machine) meets the cap: 20 x 10 passes.
  FakeClock frozen(0.0);
  ScatterParticles(surface, 10, 5, 10, kSnowEffect, 255, 0, 0, 1000, 1000, &frozen);
  EXPECT_EQ(frozen.reads, 200);
  EXPECT_EQ(frozen.waitedUntil, 10);
}

TEST(ScatterParticles, OverlaysMissingDrawNothingButTakeTheirTime) {
  const TestSupport::TestFolder empty;
  const QString previous = ModPublic::ProgramFolder();
  ModPublic::SetProgramFolder(empty.Path());
  QImage picture = Filled(300, 200, {90, 60, 30, 255});
  FakeClock clock(1.0);
  EffectRun run;
  run.code = kCloudEffect;
  run.fitRect = QRectF(0, 0, 300, 200);
  const QImage result = CommitEffect(picture, run, &clock);
  ModPublic::SetProgramFolder(previous);
  EXPECT_EQ(result, picture);
  EXPECT_EQ(clock.waitedUntil, 200);
}

TEST(DrawOverlayPicture, OpacityAbove255RaisesAlphaAndKeepsOpaquePixels) {
  QImage overlay(2, 1, QImage::Format_ARGB32);
  overlay.setPixel(0, 0, qRgba(255, 255, 255, 128));
  overlay.setPixel(1, 0, qRgba(255, 255, 255, 255));
  QImage surface = Filled(2, 1, {0, 0, 0, 0});
  DrawOverlayPicture(surface, 0, 0, 2, 1, 2, 1, overlay, 275);
  EXPECT_NEAR(PixelAt(surface, 0, 0).a, 138, 1);
  EXPECT_EQ(PixelAt(surface, 1, 0).a, 255);
  QImage half = Filled(2, 1, {0, 0, 0, 0});
  DrawOverlayPicture(half, 0, 0, 2, 1, 2, 1, overlay, 51);
  EXPECT_NEAR(PixelAt(half, 1, 0).a, 51, 1);
}

TEST(DrawParticles, DrawsAKeptScatterAgainAcrossItsRowBandsAndScaledWithTheMapping) {
  for (const int code : {kBubbleEffect, kFireflyEffect, kRainEffect, kSnowEffect, kFlowerEffect}) {
    SCOPED_TRACE(code);
    // Tall enough to be painted in many bands.
    const QImage base = Filled(300, 900, {40, 60, 90, 255}).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage preview = base;
    std::vector<Particle> kept;
    FakeClock frozen(0.0);
    ScatterParticles(preview, 40, 10, 10, code, 150, 0, 0, 300, 900, &frozen, &kept);
    ASSERT_FALSE(kept.empty());
    QImage again = base;
    DrawParticles(again, kept, {});
    int worst = 0;
    for (int y = 0; y < base.height(); ++y) {
      for (int x = 0; x < base.width(); ++x) {
        const QRgb a = preview.pixel(x, y);
        const QRgb b = again.pixel(x, y);
        worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b))});
      }
    }
    // The same particles at the same places, seamless across bands: an anti-aliased edge
    // drawn in a band's own coordinates may round a level or two apart, no more.
    EXPECT_LE(worst, 3);
  }

  // Twice as large from a view at (10, 20): a flower's box lands at twice its offset and size.
  Particle flower;
  flower.code = kFlowerEffect;
  flower.x = 30;
  flower.y = 40;
  flower.width = flower.height = 5;
  flower.colour = 0xFFFF0000u;
  QImage big = Filled(200, 200, {0, 0, 0, 255}).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const std::vector<Particle> one{flower};
  DrawParticles(big, one, {QPointF(10, 20), 2, 2, 2});
  // Its four petals fill the box from (40, 40), twice 10 across, and nothing else.
  const QRect box(38, 38, 25, 25);
  int red = 0;
  for (int y = 0; y < big.height(); ++y) {
    for (int x = 0; x < big.width(); ++x) {
      const bool painted = big.pixel(x, y) != qRgb(0, 0, 0);
      EXPECT_TRUE(!painted || box.contains(x, y)) << x << "," << y;
      red += qRed(big.pixel(x, y)) > 200 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 150);
}

TEST(CommitEffect, BurnsInThePreviewsParticlesWhenTheyAreOfItsKindAndView) {
  const QRectF view(0, 0, 200, 150);
  QImage surface = Filled(200, 150, {20, 30, 60, 255});
  EffectRun run;
  run.code = kRainEffect;
  run.fitRect = view;
  run.Value = 30;
  ParticlePreview seen;
  FakeClock frozen(0.0);
  DrawEffectPreview(surface, run, &frozen, &seen);
  ASSERT_EQ(seen.code, kRainEffect);
  ASSERT_EQ(seen.over, view);
  ASSERT_FALSE(seen.particles.empty());
  run.seen = &seen;
  const QImage picture = Filled(400, 300, {20, 30, 60, 255});
  FakeClock untouched(1.0);
  EXPECT_NE(CommitEffect(picture, run, &untouched), picture);
  EXPECT_EQ(untouched.reads, 0) << "no time budget: every particle seen is drawn";
  // A preview of another effect, or over another view, is not what this commit shows.
  run.code = kSnowEffect;
  FakeClock snowClock(1.0);
  CommitEffect(picture, run, &snowClock);
  EXPECT_GT(snowClock.reads, 0);
  run.code = kRainEffect;
  run.fitRect = QRectF(0, 0, 100, 75);
  FakeClock otherView(1.0);
  CommitEffect(picture, run, &otherView);
  EXPECT_GT(otherView.reads, 0);
}
