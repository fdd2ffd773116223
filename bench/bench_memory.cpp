// Memory as a user meets it: a sheet of 2,000 12-megapixel photographs scrolled end to
// end, a listing of 10,000 files at 160-pixel thumbnails, a 24-megapixel picture opened
// and edited once, and fifty times, edits and undos made faster than their snapshots are
// written, and an undo history whose files cannot be written. Each reports the resident
// memory in megabytes; the budgets it is held to are in foundation/MemoryBudgets.h.
#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "browse/ThumViewer.h"
#include "browse/ThumbnailLoader.h"
#include "browse/scrollVControl.h"
#include "canvas/Imageqzviewer.h"
#include "fixtures/CameraPhotos.h"
#include "fixtures/CodecFixtures.h"
#include "fixtures/PeakMemory.h"
#include "fixtures/PhotoFolder.h"
#include "foundation/MemoryBudgets.h"
#include "foundation/ModPublic.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

void RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
}

std::unique_ptr<ThumViewer> SheetOf(const QString& folder) {
  ModPublic::GdiplusToken = 1;
  auto sheet = std::make_unique<ThumViewer>();
  sheet->resize(1000, 800);
  sheet->SetThumWidth(160);
  sheet->SetThumHeight(160);
  sheet->show();
  sheet->Path(folder);
  sheet->CreateThumbnail();
  RunUntil([&] { return sheet->SheetReady(); });
  return sheet;
}

// Every picture on screen is decoded and held.
bool ScreenHeld(const ThumViewer& sheet) {
  const int top = sheet.Scroll()->Value();
  int first = 0;
  int last = -1;
  sheet.Geometry().SlotsIn(top, top + sheet.height(), sheet.ListCount, first, last);
  for (int row = first; row <= last; ++row) {
    if (!sheet.HoldsPicture(row)) {
      return false;
    }
  }
  return true;
}

void ReportSheet(benchmark::State& state, const ThumViewer& sheet, double base) {
  state.counters["resident_MB"] = BenchFixtures::ResidentMemoryMegabytes() - base;
  state.counters["peak_MB"] = BenchFixtures::PeakMemoryMegabytes() - base;
  state.counters["held_MB"] = sheet.HeldBytes() / kMegabyte;
  state.counters["budget_MB"] = MemoryBudgets::kSheetBytes / kMegabyte;
}

// The whole sheet drawn, then scrolled to the end a screenful at a time, each screenful
// waited for; memory above what the program held before the folder was picked.
void BM_SheetScrolledEndToEnd(benchmark::State& state) {
  static const BenchFixtures::PhotoFolder photos(2000, QSize(4000, 3000), true);
  for (auto _ : state) {
    const double base = BenchFixtures::ResidentMemoryMegabytes();
    BenchFixtures::ResetPeakMemory();
    auto sheet = SheetOf(photos.Path());
    scrollVControl& bar = *sheet->Scroll();
    for (int value = 0; value < bar.Max(); value += sheet->height()) {
      bar.SetValue(value);
      RunUntil([&] { return ScreenHeld(*sheet); });
    }
    bar.SetValue(bar.Max());
    RunUntil([&] { return ScreenHeld(*sheet); });
    ReportSheet(state, *sheet, base);
  }
}
BENCHMARK(BM_SheetScrolledEndToEnd)->Iterations(1)->Unit(benchmark::kSecond);

// Ten thousand names over a few small photographs: the listing, the layout and every
// thumbnail decoded once.
void BM_TenThousandFileSheet(benchmark::State& state) {
  static const BenchFixtures::PhotoFolder photos(10000, QSize(640, 480), true);
  for (auto _ : state) {
    const double base = BenchFixtures::ResidentMemoryMegabytes();
    BenchFixtures::ResetPeakMemory();
    auto sheet = SheetOf(photos.Path());
    state.counters["whole_MB"] = BenchFixtures::ResidentMemoryMegabytes();
    ReportSheet(state, *sheet, base);
  }
}
BENCHMARK(BM_TenThousandFileSheet)->Iterations(1)->Unit(benchmark::kSecond);

// Message boxes answered at once: a benchmark has nobody to press OK.
class SilentBoxes final : public Forms::MessageBoxService {
 public:
  int Show(const QString&, int, const QString&) override { return Forms::vbOK; }
};

std::unique_ptr<Imageqzviewer> EmptyCanvas(const QString& dataFolder) {
  ModPublic::DataFolderPath = dataFolder;
  auto canvas = std::make_unique<Imageqzviewer>();
  canvas->resize(1600, 1000);
  return canvas;
}

QImage Edited(const QImage& picture, int step) {
  QImage edited = picture.convertToFormat(QImage::Format_ARGB32);
  edited.invertPixels();
  edited.setPixel(step, 0, qRgb(step & 0xFF, 0, 0));
  return edited;
}

// An empty canvas in a program folder of its own, and what the program held before
// anything was opened on it; the peak starts again from there.
struct MeasuredCanvas {
  std::unique_ptr<Imageqzviewer> canvas;
  double base = 0;
};

MeasuredCanvas EmptyCanvasMeasured() {
  static const QTemporaryDir program;
  ModPublic::SetProgramFolder(program.path());
  MeasuredCanvas measured{EmptyCanvas(ModPublic::ProgramFolder() + "Datas/")};
  measured.base = BenchFixtures::ResidentMemoryMegabytes();
  BenchFixtures::ResetPeakMemory();
  return measured;
}

// A 24-megapixel photograph opened and edited once: the peak above the empty canvas,
// counted in copies of the picture (the budget allows three).
void BM_OpenAndCommit24Megapixels(benchmark::State& state) {
  const QString photo = BenchFixtures::JpegFile(6000, 4000);
  const double picture = 6000.0 * 4000.0 * 4.0 / kMegabyte;
  for (auto _ : state) {
    auto [canvas, base] = EmptyCanvasMeasured();
    canvas->Open(photo);
    state.counters["open_copies"] = (BenchFixtures::PeakMemoryMegabytes() - base) / picture;
    canvas->CommitUndoStep(Edited(canvas->ImgDIB.DIB()->Image(), 1));
    canvas->WaitForSnapshot();
    state.counters["peak_copies"] = (BenchFixtures::PeakMemoryMegabytes() - base) / picture;
    state.counters["peak_MB"] = BenchFixtures::PeakMemoryMegabytes() - base;
  }
}
BENCHMARK(BM_OpenAndCommit24Megapixels)->Iterations(1)->Unit(benchmark::kMillisecond);

QByteArray Digest(const QImage& picture) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (int y = 0; y < picture.height(); ++y) {
    hash.addData(QByteArrayView(picture.constScanLine(y), picture.bytesPerLine()));
  }
  return hash.result();
}

// Fifty edits of a 24-megapixel camera photo at a person's pace (each snapshot written
// before the next edit), then undo back to the picture as opened: the peak above the
// empty canvas and the whole program's peak, in megabytes and in copies of the picture.
void BM_FiftyCommits24Megapixels(benchmark::State& state) {
  const QString photo =
      BenchFixtures::CameraPhotoFiles({{QSize(6000, 4000), 24, BenchFixtures::JpegKind::Baseline}}).value(0);
  const double picture = 6000.0 * 4000.0 * 4.0 / kMegabyte;
  for (auto _ : state) {
    auto [canvas, base] = EmptyCanvasMeasured();
    canvas->Open(photo);
    // Only a digest of the opened picture is kept: a copy would add to what is measured.
    const QByteArray opened = Digest(canvas->ImgDIB.DIB()->Image());
    for (int step = 1; step <= 50; ++step) {
      canvas->CommitUndoStep(Edited(canvas->ImgDIB.DIB()->Image(), step));
      canvas->WaitForSnapshot();
    }
    const double commitsPeak = BenchFixtures::PeakMemoryMegabytes();
    while (canvas->UndoIndex() > 0) {
      canvas->UndoAndRedo(true);
      canvas->WaitForSnapshot();
    }
    state.counters["peak_MB"] = commitsPeak - base;
    state.counters["peak_copies"] = (commitsPeak - base) / picture;
    state.counters["process_peak_MB"] = commitsPeak;
    state.counters["undo_walk_peak_MB"] = BenchFixtures::PeakMemoryMegabytes() - base;
    state.counters["back_to_original"] = Digest(canvas->ImgDIB.DIB()->Image()) == opened ? 1 : 0;
  }
}
BENCHMARK(BM_FiftyCommits24Megapixels)->Iterations(1)->Unit(benchmark::kMillisecond);

QSize CameraSize(std::int64_t megapixels) { return megapixels == 100 ? QSize(12000, 8000) : QSize(6000, 4000); }

// Edits back to back, then undos back to back, of a camera photo (args: megapixels,
// edits, undos): each snapshot takes the history's writer far longer to write than an
// edit or an undo takes, so the writer falls behind. The whole program's peak during the
// edits and during the undos, in megabytes (goal at 24 MP: 600) and, above the empty
// canvas, in copies of the picture.
void BM_QuickEditsAndUndos(benchmark::State& state) {
  const QSize size = CameraSize(state.range(0));
  const QString photo = BenchFixtures::CameraPhotoFiles({{size, 24, BenchFixtures::JpegKind::Baseline}}).value(0);
  const double picture = double(size.width()) * size.height() * 4.0 / kMegabyte;
  // The program always has the sheet's thumbnail loader, which makes every large block go
  // back to the system as soon as it is freed; the canvas alone would keep heaps that
  // the program never does.
  const ThumbnailLoader sheetLoader;
  for (auto _ : state) {
    auto [canvas, base] = EmptyCanvasMeasured();
    canvas->Open(photo);
    const QByteArray opened = Digest(canvas->ImgDIB.DIB()->Image());
    for (int step = 1; step <= state.range(1); ++step) {
      canvas->CommitUndoStep(Edited(canvas->ImgDIB.DIB()->Image(), step));
    }
    const double editsPeak = BenchFixtures::PeakMemoryMegabytes();
    const QByteArray last = Digest(canvas->ImgDIB.DIB()->Image());
    BenchFixtures::ResetPeakMemory();
    for (int undo = 0; undo < state.range(2); ++undo) {
      canvas->UndoAndRedo(true);
    }
    const double undosPeak = BenchFixtures::PeakMemoryMegabytes();
    state.counters["edits_process_peak_MB"] = editsPeak;
    state.counters["edits_peak_copies"] = (editsPeak - base) / picture;
    if (state.range(2) > 0) {
      state.counters["undos_process_peak_MB"] = undosPeak;
      state.counters["undos_peak_copies"] = (undosPeak - base) / picture;
    }
    if (state.range(2) >= state.range(1)) {
      state.counters["back_to_original"] = Digest(canvas->ImgDIB.DIB()->Image()) == opened ? 1 : 0;
      for (int redo = 0; redo < state.range(1); ++redo) {
        canvas->UndoAndRedo(false);
      }
      state.counters["redo_to_last"] = Digest(canvas->ImgDIB.DIB()->Image()) == last ? 1 : 0;
    }
    canvas->WaitForSnapshot();
  }
}
BENCHMARK(BM_QuickEditsAndUndos)
    ->ArgNames({"MP", "edits", "undos"})
    ->Args({24, 50, 0})
    ->Args({24, 20, 20})
    ->Args({100, 8, 8})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// Twelve edits of a 24-megapixel picture while no snapshot file can be written: the
// history keeps what fits its budget, counted in copies of the picture.
void BM_UnwritableUndoHistory(benchmark::State& state) {
  static const QTemporaryDir program;
  ModPublic::SetProgramFolder(program.path());
  const QString photo = BenchFixtures::JpegFile(6000, 4000);
  SilentBoxes boxes;
  const Forms::ScopedMessageBoxService silent(boxes);
  for (auto _ : state) {
    // A data folder under a plain file can never be made.
    auto canvas = EmptyCanvas(QStringLiteral("/dev/null/Datas/"));
    canvas->Open(photo);
    const double base = BenchFixtures::ResidentMemoryMegabytes();
    BenchFixtures::ResetPeakMemory();
    const QImage picture = canvas->ImgDIB.DIB()->Image();
    for (int step = 1; step <= 12; ++step) {
      canvas->CommitUndoStep(Edited(picture, step));
      canvas->WaitForSnapshot();
      QCoreApplication::processEvents();
    }
    state.counters["resident_MB"] = BenchFixtures::ResidentMemoryMegabytes() - base;
    state.counters["peak_MB"] = BenchFixtures::PeakMemoryMegabytes() - base;
    // The history's whole budget: its whole pictures and the compressed copies.
    const double copies = MemoryBudgets::kUndoWholeCopies + MemoryBudgets::kUndoPackedCopies;
    state.counters["budget_MB"] = copies * double(picture.sizeInBytes()) / kMegabyte;
  }
}
BENCHMARK(BM_UnwritableUndoHistory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
