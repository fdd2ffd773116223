// Speed of the effects module's pixel routines on full-size pictures. The floor is one
// pass of a 256-entry table over every byte of the same picture, on one core and on all
// of them (the whole-picture loops run on all cores, so the latter is their measure).
#include <array>
#include <cstdint>

#include <QImage>

#include <benchmark/benchmark.h>

#include "effects/ColorAdjust.h"
#include "effects/PixelView.h"
#include "effects/RedEye.h"
#include "effects/RetouchBrushes.h"
#include "effects/StampFilters.h"
#include "fixtures/Timing.h"
#include "platform/ParallelRows.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

constexpr int kPictureWidth = 6000;  // 24 megapixels
constexpr int kPictureHeight = 4000;
constexpr int kStampWidth = 4000;  // 12 megapixels
constexpr int kStampHeight = 3000;

// A photo-like picture: smooth gradients with noise, mostly opaque.
QImage MakePicture(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  std::uint32_t seed = 12345u;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = image.scanLine(y);
    for (int x = 0; x < width; ++x, p += 4) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 28);
      p[0] = std::uint8_t((x * 255 / width + noise) & 0xFF);
      p[1] = std::uint8_t((y * 255 / height + noise) & 0xFF);
      p[2] = std::uint8_t(((x + y) * 127 / (width + height) + 64 + noise) & 0xFF);
      p[3] = (seed >> 20) % 50 == 0 ? 0 : 255;
    }
  }
  return image;
}

const QImage& Picture() {
  static const QImage picture = MakePicture(kPictureWidth, kPictureHeight);
  return picture;
}

void SetPixelCounter(benchmark::State& state, std::int64_t pixels) {
  state.counters["MP/s"] =
      benchmark::Counter(double(pixels) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

// The floor's table: every byte inverted.
const std::array<std::uint8_t, 256>& FloorTable() {
  static const auto table = [] {
    std::array<std::uint8_t, 256> lut{};
    for (int i = 0; i < 256; ++i) {
      lut[std::size_t(i)] = std::uint8_t(255 - i);
    }
    return lut;
  }();
  return table;
}

// One pass of the floor's table over every byte of source into destination.
void LookupTablePass(const QImage& source, QImage& destination, bool allCores) {
  const auto& lut = FloorTable();
  const int rowBytes = source.width() * 4;
  const int height = source.height();
  const std::uint8_t* const srcPixels = source.constBits();
  std::uint8_t* const dstPixels = destination.bits();
  const auto rows = [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const std::uint8_t* src = srcPixels + std::ptrdiff_t{rowBytes} * y;
      std::uint8_t* dst = dstPixels + std::ptrdiff_t{rowBytes} * y;
      for (int i = 0; i < rowBytes; ++i) {
        dst[i] = lut[std::size_t(src[i])];
      }
    }
  };
  if (allCores) {
    Threads::ParallelRows(0, height - 1, rows);
  } else {
    rows(0, height - 1);
  }
}

void BM_LookupTableFloor(benchmark::State& state) {
  const QImage& source = Picture();
  QImage destination(source.size(), QImage::Format_ARGB32);
  for (auto _ : state) {
    LookupTablePass(source, destination, state.range(0) != 0);
    benchmark::ClobberMemory();
  }
  SetPixelCounter(state, std::int64_t{source.width()} * source.height());
}
BENCHMARK(BM_LookupTableFloor)->Arg(0)->Arg(1)->ArgName("all_cores")->Unit(benchmark::kMillisecond)->UseRealTime();

// The pixel work of a commit, into a picture allocated beforehand like the floor's; its
// best time against the floor's on all cores ("x_ref").
void BM_ColorAdjustCommit(benchmark::State& state) {
  const int mode = int(state.range(0));
  const QImage& source = Picture();
  QImage destination(source.size(), QImage::Format_ARGB32);
  const auto attributes = ModEffects::ColorAdjustAttributes(mode, 2.2f, 0.25f);
  const double floor = BenchFixtures::BestOf(5, [&] { LookupTablePass(source, destination, true); });
  BenchFixtures::Measure(state, floor, [&] {
    attributes.TransformInto(source, destination);
    benchmark::ClobberMemory();
  });
  SetPixelCounter(state, std::int64_t{source.width()} * source.height());
}
BENCHMARK(BM_ColorAdjustCommit)
    ->Arg(ModEffects::kGreyAdjust)
    ->Arg(ModEffects::kGammaAdjust)
    ->Arg(ModEffects::kContrastAdjust)
    ->ArgName("mode")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The whole commit as the canvas makes it: a new picture of the adjusted pixels.
void BM_ColorAdjustedNewPicture(benchmark::State& state) {
  const auto source = Gdip::Bitmap::FromImage(Picture(), Gdip::PixelFormat32bppARGB);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ModEffects::ColorAdjusted(*source, ModEffects::kContrastAdjust, 1.0f, 0.25f));
  }
}
BENCHMARK(BM_ColorAdjustedNewPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RemoveRedEye200(benchmark::State& state) {
  QImage image = MakePicture(400, 400);
  image.fill(qRgba(220, 40, 30, 255));
  for (auto _ : state) {
    ModEffects::RemoveRedEye(image, 100, 100, 200, 200, 100, 10);
  }
}
BENCHMARK(BM_RemoveRedEye200)->Unit(benchmark::kMicrosecond);

// One dab of size 300 on a 2000 x 2000 stamp: 0 the brush eraser, 2 to 6 the retouch
// modes, 7 the smudge.
void BM_BrushDab300(benchmark::State& state) {
  const int brush = int(state.range(0));
  QImage stamp = MakePicture(2000, 2000);
  const PixelView view = ModEffects::ViewOfImage(stamp);
  for (auto _ : state) {
    switch (brush) {
      case 0:
        ModEffects::EraserBrush(view, {1000, 1000}, 300, 1, ModEffects::kBrushEraser);
        break;
      case 7:
        ModEffects::SmudgeBrush(view, {1000.0, 1000.0}, 300);
        break;
      default:
        ModEffects::RetouchBrush(view, {1000, 1000}, 300, brush == 6 ? -3 : 3, brush);
        break;
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BrushDab300)->Arg(0)->DenseRange(2, 7)->ArgName("brush")->Unit(benchmark::kMicrosecond);

const QImage& Stamp() {
  static const QImage stamp = MakePicture(kStampWidth, kStampHeight);
  return stamp;
}

void BM_Convolve12MP(benchmark::State& state) {
  const int code = int(state.range(0));
  QImage image = Stamp().copy();
  const PixelView view = ModEffects::ViewOfImage(image);
  for (auto _ : state) {
    ModEffects::Convolve3x3(view, code == ModEffects::kSharpenCode ? 90 : 100, code);
    benchmark::ClobberMemory();
  }
  SetPixelCounter(state, std::int64_t{image.width()} * image.height());
}
BENCHMARK(BM_Convolve12MP)
    ->Arg(ModEffects::kBlurCode)
    ->Arg(ModEffects::kSharpenCode)
    ->Arg(ModEffects::kSoftenCode)
    ->ArgName("code")
    ->Unit(benchmark::kMillisecond);

void BM_MaxFilter12MP(benchmark::State& state) {
  const bool contour = state.range(0) != 0;
  QImage source = Stamp().copy();
  QImage destination = Stamp().copy();
  const PixelView from = ModEffects::ViewOfImage(source);
  const PixelView to = ModEffects::ViewOfImage(destination);
  for (auto _ : state) {
    if (contour) {
      ModEffects::ContourSketch(from, to);
    } else {
      ModEffects::CrossMaximum(from, to);
    }
    benchmark::ClobberMemory();
  }
  SetPixelCounter(state, std::int64_t{source.width()} * source.height());
}
BENCHMARK(BM_MaxFilter12MP)->Arg(0)->Arg(1)->ArgName("contour")->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole stamp filter with the copies into and out of the shared DIB.
void BM_StampFilterWhole12MP(benchmark::State& state) {
  const auto stamp = Gdip::Bitmap::FromImage(Stamp(), Gdip::PixelFormat32bppARGB);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ModEffects::ConvolveStamp3x3(*stamp, kStampWidth, kStampHeight, 100, ModEffects::kBlurCode));
  }
}
BENCHMARK(BM_StampFilterWhole12MP)->Unit(benchmark::kMillisecond);

}  // namespace
