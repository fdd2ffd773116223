// The slideshow's two costs per picture on a 1920 x 1080 window: making the next
// picture ready (decode, fit, bitmap) from a 24-megapixel JPEG, and one draw of its fade.
#include <benchmark/benchmark.h>

#include "fixtures/CodecFixtures.h"
#include "windows/SlidePicture.h"

namespace {

const QSize kWindow(1920, 1080);

const QString& BigJpeg() {
  static const QString path = BenchFixtures::JpegFile(6000, 4000);
  return path;
}

void PrepareNextPicture(benchmark::State& state) {
  const QString& path = BigJpeg();
  for (auto _ : state) {
    SlidePicture slide = PrepareSlide(path, kWindow);
    benchmark::DoNotOptimize(slide.Picture.constBits());
  }
}
BENCHMARK(PrepareNextPicture)->Unit(benchmark::kMillisecond)->Iterations(5);

void FadeDraw(benchmark::State& state) {
  const SlidePicture slide = PrepareSlide(BenchFixtures::PhotoLike(1920, 1080), kWindow);
  QImage surface(kWindow, QImage::Format_ARGB32_Premultiplied);
  surface.fill(Qt::black);
  int alpha = 100;
  for (auto _ : state) {
    DrawSlide(surface, slide, alpha);
    alpha = alpha >= 240 ? 100 : alpha + 20;
    benchmark::DoNotOptimize(surface.constBits());
  }
}
BENCHMARK(FadeDraw)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
