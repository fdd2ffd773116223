// Printing: the preview sheets the user waits on after each layout change or page step,
// a short job to PDF, and the peak memory of a long Thumbnail job, which keeps one sheet
// in memory at a time.
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "fixtures/PeakMemory.h"
#include "fixtures/PhotoFolder.h"
#include "platform/Printer.h"
#include "windows/PrintComposer.h"
#include "windows/PrintJob.h"

namespace {

using PrintComposition::PaperFacts;
using PrintComposition::PrintComposer;
using PrintComposition::PrintLayout;

// 24 megapixels, as a current camera takes them.
const BenchFixtures::PhotoFolder& Photos() {
  static const BenchFixtures::PhotoFolder folder(100, QSize(6000, 4000));
  return folder;
}

constexpr PaperFacts kLetter{12240, 15840, false};
// A3, on which twelve landscape thumbnails fit one sheet.
constexpr PaperFacts kA3{16838, 23811, false};

void BM_FitToPagePreview(benchmark::State& state) {
  const QStringList one = Photos().Files().mid(0, 1);
  for (auto _ : state) {
    const PrintComposer composer(one, kLetter, PrintLayout::FitToPage);
    benchmark::DoNotOptimize(composer.ComposeSheet(0));
  }
}

void BM_ThumbnailPreviewSheet(benchmark::State& state) {
  const QStringList twelve = Photos().Files().mid(0, 12);
  for (auto _ : state) {
    // The sizes pass is part of the wait: a layout change builds a new composer.
    const PrintComposer composer(twelve, kA3, PrintLayout::Thumbnail);
    if (composer.SheetCount() != 1) {
      state.SkipWithError("twelve thumbnails should fit one A3 sheet");
    }
    benchmark::DoNotOptimize(composer.ComposeSheet(0));
  }
}

// A whole job to PDF, from composition to the ended document.
bool PrintToPdf(const QStringList& files, PrintLayout layout, const QTemporaryDir& out) {
  Printing::Printer printer;
  printer.SetDeviceName(Printing::kPdfPrinterName);
  printer.SetOutputFileName(out.filePath(QStringLiteral("job.pdf")));
  const PrintComposer composer(files, kLetter, layout);
  const bool printed = PrintJob::PrintAll(printer, composer, out.path() + QStringLiteral("/"), 1);
  PrintJob::DeletePageFiles(out.path() + QStringLiteral("/"), composer.LastPage());
  return printed;
}

void BM_FitToPageJobToPdf(benchmark::State& state) {
  const QStringList three = Photos().Files().mid(0, 3);
  for (auto _ : state) {
    QTemporaryDir out;
    if (!PrintToPdf(three, PrintLayout::FitToPage, out)) {
      state.SkipWithError("the job failed");
    }
  }
}

void BM_ThumbnailJobPeakMemory(benchmark::State& state) {
  Photos();
  double peak = 0;
  for (auto _ : state) {
    QTemporaryDir out;
    BenchFixtures::ResetPeakMemory();
    QElapsedTimer clock;
    clock.start();
    if (!PrintToPdf(Photos().Files(), PrintLayout::Thumbnail, out)) {
      state.SkipWithError("the job failed");
    }
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    peak = std::max(peak, BenchFixtures::PeakMemoryMegabytes());
  }
  state.counters["peak_MB"] = peak;
}

}  // namespace

BENCHMARK(BM_FitToPagePreview)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbnailPreviewSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitToPageJobToPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbnailJobPeakMemory)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
