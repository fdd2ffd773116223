// Listing a folder for the thumbnail sheet: every matching file with its size and
// dates, then the sort. Reported as the time per 1,000 listed files.
#include <benchmark/benchmark.h>

#include "browse/ModFileinfo.h"
#include "browse/StarList.h"
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

// Every image of the folder starred: its star list names all of them.
const QStringList& AllNames() {
  static const QStringList names = [] {
    QStringList all;
    for (const ModFileinfo::FileRow& row : ModFileinfo::ListImageFiles(Folder().Path() + "/", kPattern)) {
      all << row.Name.toLower();
    }
    StarList::Write(Folder().Path(), all);
    return all;
  }();
  return names;
}

// Every other file of the folder, as full paths: the selection a star command acts on.
QStringList HalfSelected() {
  QStringList files;
  for (qsizetype i = 0; i < AllNames().size(); i += 2) {
    files << Folder().Path() + "/" + AllNames()[i];
  }
  return files;
}

// One star command on 5,000 selected files of a list of 10,000 names: read, change,
// write once. Arg 0 adds (names already listed), 1 removes.
void BM_StarCommand(benchmark::State& state) {
  const bool remove = state.range(0) == 1;
  const QString folder = Folder().Path();
  const QStringList selected = HalfSelected();
  for (auto _ : state) {
    state.PauseTiming();
    StarList::Write(folder, AllNames());
    state.ResumeTiming();
    const QStringList listed = StarList::Read(folder);
    const QStringList changed = remove ? StarList::Removed(listed, selected) : StarList::Added(listed, selected);
    if (!StarList::Write(folder, changed)) {
      state.SkipWithError("the star list could not be written");
    }
  }
}

// The sheet's listing with the folder's star list read and every row marked.
void BM_ListFolderWithStarList(benchmark::State& state) {
  AllNames();
  const QString folder = Folder().Path() + "/";
  std::size_t listed = 0;
  for (auto _ : state) {
    ModFileinfo::FileTable table = ModFileinfo::ListImageFiles(folder, kPattern);
    StarList::MarkRows(table, StarList::Read(folder));
    ModFileinfo::SortFileTable(table, 0);
    listed = table.size();
    benchmark::DoNotOptimize(table.data());
  }
  ReportPerThousand(state, listed);
}

}  // namespace

// Sorted by name (the sheet's default), by size and by modification date.
BENCHMARK(BM_ListFolder)->Arg(0)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarCommand)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFolderWithStarList)->Unit(benchmark::kMillisecond);
