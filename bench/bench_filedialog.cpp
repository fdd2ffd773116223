// The open dialog's preview of a 24-megapixel JPEG (a reduced decode fitted into its box,
// the file facts and the panel's paint) against a bare libjpeg-turbo decode of the same
// file at 1/8 scale, measured in the same run: "x_ref" should stay within 1.3.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "fixtures/CodecFixtures.h"
#include "fixtures/Timing.h"
#include "mainwindow/fDialogEx.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

void BM_OpenDialogPreview(benchmark::State& state) {
  static const QString path = BenchFixtures::JpegFile(kWidth, kHeight);
  const double reference = BenchFixtures::BestOf(3, [] { BenchFixtures::PlainLibjpegDecode(path, 8); });
  fDialogEx panel(true, nullptr);
  panel.resize(fDialogEx::kPanelWidth, 400);
  BenchFixtures::Measure(state, reference, [&panel] {
    panel.ShowPreview(path);
    benchmark::DoNotOptimize(panel.Preview().constBits());
  });
}
BENCHMARK(BM_OpenDialogPreview)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
