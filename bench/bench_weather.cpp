// The weather and light effects committed on a 24-megapixel picture shown at 1200 x 800
// (scale 5), the whole commit: conversion to premultiplied pixels, drawing, and back.
// Mist takes its fixed 100 ms budget plus the conversions.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <benchmark/benchmark.h>

#include "effects/ModEffectsApply.h"
#include "effects/ModEffectsWeather.h"

namespace {

constexpr int kPictureWidth = 6000;
constexpr int kPictureHeight = 4000;

const QImage& Picture() {
  static const QImage picture = [] {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_ARGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, kPictureWidth, kPictureHeight);
    sky.setColorAt(0, QColor(40, 90, 160));
    sky.setColorAt(1, QColor(200, 170, 90));
    painter.fillRect(image.rect(), sky);
    return image;
  }();
  return picture;
}

void Commit(benchmark::State& state) {
  ModEffects::EffectRun run;
  run.code = static_cast<int>(state.range(0));
  run.fitRect = QRectF(0, 0, 1200, 800);
  run.Value = 100;
  run.Max = 255;
  run.lightPoint = QPointF(400, 300);
  run.pickedColour = 0x3080FF;
  for (auto _ : state) {
    QImage result = ModEffects::CommitEffect(Picture(), run);
    benchmark::DoNotOptimize(result.constBits());
  }
}

// A particle effect as a user applies it: the preview drawn once over the displayed
// picture at the slider's top (300 ms), then its particles burnt into the 24-megapixel
// picture, sized up by the scale of 5.
void CommitSeenParticles(benchmark::State& state) {
  ModEffects::EffectRun run;
  run.code = static_cast<int>(state.range(0));
  run.fitRect = QRectF(0, 0, 1200, 800);
  run.Value = 300;
  ModEffects::ParticlePreview seen;
  QImage view = Picture().scaled(1200, 800);
  ModEffects::DrawEffectPreview(view, run, nullptr, &seen);
  run.seen = &seen;
  state.counters["particles"] = double(seen.particles.size());
  for (auto _ : state) {
    QImage result = ModEffects::CommitEffect(Picture(), run);
    benchmark::DoNotOptimize(result.constBits());
  }
}

}  // namespace

BENCHMARK(CommitSeenParticles)
    ->ArgName("code")
    ->Arg(ModEffects::kBubbleEffect)
    ->Arg(ModEffects::kRainEffect)
    ->Arg(ModEffects::kFlowerEffect)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

BENCHMARK(Commit)
    ->ArgName("code")
    ->Arg(ModEffects::kMoonEffect)
    ->Arg(ModEffects::kIrradiationEffect)
    ->Arg(ModEffects::kLensFlareEffect)
    ->Arg(ModEffects::kMistEffect)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
