// Block copies between DIB sections: the path every filter preview and thumbnail of a
// DIB takes. Goal: a halftone reduction of a 3-megapixel 32-bit DIB to a 400 x 300
// preview within 40 ms, and a same-size copy within 10 ms, on one core.
#include <cstring>

#include <benchmark/benchmark.h>

#include "foundation/CDIB.h"

namespace {

CDIB Filled(int width, int height) {
  CDIB dib;
  dib.Create(width, height, 32);
  for (int i = 0; i < dib.Size(); ++i) {
    dib.lpBits()[i] = static_cast<std::uint8_t>(i * 7);
  }
  return dib;
}

void HalftoneReduction(benchmark::State& state) {
  CDIB source = Filled(2000, 1500);
  CDIB preview;
  preview.Create(400, 300, 32);
  for (auto _ : state) {
    preview.LoadDIBBlt(source);
    benchmark::DoNotOptimize(preview.lpBits());
  }
}
BENCHMARK(HalftoneReduction)->Unit(benchmark::kMillisecond);

void SameSizeCopy(benchmark::State& state) {
  CDIB source = Filled(2000, 1500);
  CDIB copy;
  copy.Create(2000, 1500, 32);
  for (auto _ : state) {
    copy.LoadBlt(*source.HDC());
    benchmark::DoNotOptimize(copy.lpBits());
  }
}
BENCHMARK(SameSizeCopy)->Unit(benchmark::kMillisecond);

}  // namespace
