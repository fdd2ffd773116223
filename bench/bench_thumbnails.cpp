// The thumbnail sheet on folders of distinct camera photos (one in four progressive, one
// in five with full-resolution colour) at 160-pixel thumbnails: 200 and 800 of 12
// megapixels and 2,000 of 6, the argument being the number of files. It reports the time
// until the first screenful is painted, the time until the whole sheet is, the peak
// resident memory of the process while it draws and what stays resident once it is
// drawn. For comparison the same files go through vipsthumbnail (when installed), in
// one process and in eight. The larger folders are written on their first run (some
// 2.5 GB each).
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "browse/ThumViewer.h"
#include "fixtures/PeakMemory.h"
#include "fixtures/CameraPhotos.h"
#include "fixtures/PhotoFolder.h"
#include "foundation/ModPublic.h"

namespace {

constexpr int kThumbSize = 160;

// The folder of that many photos: 12 megapixels each, 6 for the largest folder, as a
// real folder of thousands of photos holds.
QString PhotoFolder(int photos) {
  static std::map<int, QString> folders;
  QString& folder = folders[photos];
  if (folder.isEmpty()) {
    folder = BenchFixtures::CameraPhotoFolder(photos, photos >= 2000 ? QSize(3000, 2000) : QSize(4000, 3000));
  }
  return folder;
}

// Handles events until the condition holds; the sheet's results arrive as events.
void RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

bool FirstScreenDrawn(const ThumViewer& sheet) {
  for (int row = 0; row < sheet.ListCount; ++row) {
    if (sheet.Geometry().SlotOrigin(row).y() >= sheet.height()) {
      return true;
    }
    if (sheet.HitRect(row).isEmpty()) {
      return false;
    }
  }
  return true;
}

void BM_ThumbnailSheet(benchmark::State& state) {
  const int photos = static_cast<int>(state.range(0));
  const QString folder = PhotoFolder(photos);
  if (folder.isEmpty()) {
    state.SkipWithError("the photos could not be made");
    return;
  }
  ModPublic::GdiplusToken = 1;
  double first = 0;
  double whole = 0;
  double peak = 0;
  double after = 0;
  const double before = BenchFixtures::ResidentMemoryMegabytes();
  for (auto _ : state) {
    BenchFixtures::ResetPeakMemory();
    QElapsedTimer clock;
    clock.start();
    // A new sheet each time, so nothing comes from its memory of earlier drawings.
    auto sheet = std::make_unique<ThumViewer>();
    sheet->resize(1000, 800);
    sheet->SetThumWidth(kThumbSize);
    sheet->SetThumHeight(kThumbSize);
    sheet->show();
    sheet->Path(folder);
    sheet->CreateThumbnail();
    RunUntil([&] { return FirstScreenDrawn(*sheet); });
    sheet->Surface()->repaint();
    first = clock.nsecsElapsed() / 1e9;
    RunUntil([&] { return sheet->SheetReady(); });
    sheet->Surface()->repaint();
    whole = clock.nsecsElapsed() / 1e9;
    state.SetIterationTime(whole);
    peak = std::max(peak, BenchFixtures::PeakMemoryMegabytes());
    after = std::max(after, BenchFixtures::ResidentMemoryMegabytes());
    if (sheet->ListCount != photos || sheet->HitRect(photos - 1).isEmpty()) {
      state.SkipWithError("the sheet missed pictures");
    }
  }
  state.counters["first_screen_s"] = first;
  state.counters["whole_sheet_s"] = whole;
  state.counters["peak_MB"] = peak;
  state.counters["after_MB"] = after;
  state.counters["before_MB"] = before;
}

// vipsthumbnail over the same files (the second argument), the files split evenly
// between the processes (the first).
void BM_Vipsthumbnail(benchmark::State& state) {
  const QString program = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
  if (program.isEmpty()) {
    state.SkipWithError("vipsthumbnail is not installed (package libvips-tools)");
    return;
  }
  const int processes = static_cast<int>(state.range(0));
  const QString path = PhotoFolder(static_cast<int>(state.range(1)));
  if (path.isEmpty()) {
    state.SkipWithError("the photos could not be made");
    return;
  }
  const QDir folder(path);
  QStringList files;
  for (const QString& name : folder.entryList(QDir::Files)) {
    files << folder.filePath(name);
  }
  for (auto _ : state) {
    QTemporaryDir out;
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> running;
    for (int p = 0; p < processes; ++p) {
      QStringList arguments{QStringLiteral("--size"), QString::number(kThumbSize), QStringLiteral("-o"),
                            out.path() + QStringLiteral("/%s.jpg")};
      for (int i = p; i < files.size(); i += processes) {
        arguments << files[i];
      }
      running.push_back(std::make_unique<QProcess>());
      running.back()->start(program, arguments);
    }
    for (const auto& process : running) {
      process->waitForFinished(-1);
    }
    state.SetIterationTime(clock.nsecsElapsed() / 1e9);
  }
}

// Laying a drawn sheet of 2,000 files out again as its pane is widened and narrowed.
void BM_SheetReflow(benchmark::State& state) {
  static const BenchFixtures::PhotoFolder photos(2000, QSize(320, 240), true);
  ModPublic::GdiplusToken = 1;
  ThumViewer sheet;
  sheet.resize(1000, 800);
  sheet.SetThumWidth(kThumbSize);
  sheet.SetThumHeight(kThumbSize);
  sheet.show();
  sheet.Path(photos.Path());
  sheet.CreateThumbnail();
  RunUntil([&] { return sheet.SheetReady(); });
  bool wide = false;
  for (auto _ : state) {
    wide = !wide;
    sheet.resize(wide ? 1600 : 1000, 800);
  }
}

}  // namespace

BENCHMARK(BM_SheetReflow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThumbnailSheet)->Arg(200)->Arg(800)->Arg(2000)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vipsthumbnail)
    ->Args({1, 200})
    ->Args({8, 200})
    ->Args({8, 800})
    ->Args({8, 2000})
    ->UseManualTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);
