// Listing a folder for the thumbnail sheet: every matching file with its size and
// dates, then the sort. Reported as the time per 1,000 listed files.
#include <benchmark/benchmark.h>

#include "browse/ModFileinfo.h"
#include "fixtures/ListingFolder.h"

namespace {

constexpr int kFiles = 10000;
const QString kPattern = QStringLiteral("*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg");

const BenchFixtures::ListingFolder& Folder() {
  static const BenchFixtures::ListingFolder folder(kFiles);
  return folder;
}

void ReportPerThousand(benchmark::State& state, std::size_t listed) {
  if (listed != static_cast<std::size_t>(Folder().ImageFiles())) {
    state.SkipWithError("the listing missed files");
  }
  state.counters["s_per_1000_files"] =
      benchmark::Counter(listed / 1000.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ListFolder(benchmark::State& state) {
  const QString folder = Folder().Path() + "/";
  std::size_t listed = 0;
  for (auto _ : state) {
    ModFileinfo::FileTable table = ModFileinfo::ListImageFiles(folder, kPattern);
    ModFileinfo::SortFileTable(table, static_cast<int>(state.range(0)));
    listed = table.size();
    benchmark::DoNotOptimize(table.data());
  }
  ReportPerThousand(state, listed);
}

}  // namespace

// Sorted by name (the sheet's default), by size and by modification date.
BENCHMARK(BM_ListFolder)->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
