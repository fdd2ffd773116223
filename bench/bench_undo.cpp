// Committing an edit and stepping through the undo history of a camera photo in a
// 1600 x 1000 window, as the user feels it, at 6, 24 and 100 megapixels: each step should be done in under
// 150 ms. The snapshot files are written (and the next step read ahead) on workers.
//  - Commit and UndoRedoWalk wait for the workers between steps, as a person's pace
//    would, and leave their work out of the timings;
//  - QuickUndo presses undo again at once, while the read-ahead of the step it asks for
//    may still run: what a user holding the key feels;
//  - CommitUndoRedo reports the peak resident memory of one edit, its undo and its
//    redo, as a multiple of the picture's size.
#include <algorithm>
#include <chrono>

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "canvas/Imageqzviewer.h"
#include "fixtures/CameraPhotos.h"
#include "fixtures/PeakMemory.h"
#include "foundation/GdiDIB.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace {

QSize SizeOf(std::int64_t megapixels) {
  switch (megapixels) {
    case 6: return {3000, 2000};
    case 100: return {12000, 8000};
    default: return {6000, 4000};
  }
}

// The camera photo of that size, made on the first call and read from the cache after.
QString Photo(QSize size) {
  return BenchFixtures::CameraPhotoFiles({{size, 24, BenchFixtures::JpegKind::Baseline}}).value(0);
}

std::unique_ptr<Imageqzviewer> OpenCanvas(QSize size) {
  static const QTemporaryDir programFolder;
  ModPublic::SetProgramFolder(programFolder.path());
  const QString photo = Photo(size);
  auto canvas = std::make_unique<Imageqzviewer>();
  canvas->resize(1600, 1000);
  canvas->Open(photo);
  canvas->WaitForSnapshot();
  return canvas;
}

// An edited picture as a tool hands it over: new pixels, not shared with anything shown.
QImage Edited(const QImage& base, int step) {
  QImage edited = base.copy();
  edited.invertPixels();
  edited.setPixel(step % base.width(), 0, qRgb(step & 0xFF, 0, 0));
  return edited;
}

// The canvas with a history of `steps` commits after the opened picture.
std::unique_ptr<Imageqzviewer> CanvasWithHistory(QSize size, int steps) {
  auto canvas = OpenCanvas(size);
  const QImage base = canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32);
  for (int i = 1; i <= steps; ++i) {
    canvas->CommitUndoStep(Edited(base, i));
  }
  canvas->WaitForSnapshot();
  return canvas;
}

void BM_Commit(benchmark::State& state) {
  const QSize size = SizeOf(state.range(0));
  auto canvas = OpenCanvas(size);
  const QImage original = canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32);
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QImage edited = Edited(original, ++step);
    state.ResumeTiming();
    canvas->CommitUndoStep(edited);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Commit)->Arg(6)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

// Walks back through the steps and forward again; more than the pictures kept whole in
// memory, so steps come from their compressed copies or files (read ahead by a worker).
void BM_UndoRedoWalk(benchmark::State& state, bool isUndo) {
  const QSize size = SizeOf(state.range(0));
  const int steps = state.range(0) >= 100 ? 3 : 8;
  auto canvas = CanvasWithHistory(size, steps);
  for (auto _ : state) {
    if (isUndo ? canvas->UndoIndex() == 0 : canvas->UndoIndex() == steps) {
      state.PauseTiming();
      while (canvas->UndoIndex() != (isUndo ? steps : 0)) {
        canvas->UndoAndRedo(!isUndo);
        canvas->WaitForSnapshot();
      }
      state.ResumeTiming();
    }
    canvas->UndoAndRedo(isUndo);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_UndoRedoWalk, Undo, true)->Arg(6)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK_CAPTURE(BM_UndoRedoWalk, Redo, false)->Arg(6)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(6);

// Undo pressed again the moment the previous step is shown, through the whole history:
// the mean is what each press costs, the slowest is reported beside it.
void BM_QuickUndo(benchmark::State& state) {
  const QSize size = SizeOf(state.range(0));
  const int steps = state.range(0) >= 100 ? 3 : 8;
  auto canvas = CanvasWithHistory(size, steps);
  double slowest = 0;
  for (auto _ : state) {
    if (canvas->UndoIndex() == 0) {
      state.PauseTiming();
      while (canvas->UndoIndex() != steps) {
        canvas->UndoAndRedo(false);
      }
      canvas->WaitForSnapshot();
      state.ResumeTiming();
    }
    const auto start = std::chrono::steady_clock::now();
    canvas->UndoAndRedo(true);
    slowest = std::max(slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_QuickUndo)->Arg(6)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(8);

// One edit, its undo and its redo on a freshly opened picture: the memory they take.
void BM_CommitUndoRedo(benchmark::State& state) {
  const QSize size = SizeOf(state.range(0));
  const double picture = double(size.width()) * size.height() * 4 / (1 << 20);
  // Made before the measure starts: making it takes memory of its own.
  Photo(size);
  for (auto _ : state) {
    BenchFixtures::ResetPeakMemory();
    const double base = BenchFixtures::ResidentMemoryMegabytes();
    auto canvas = OpenCanvas(size);
    canvas->CommitUndoStep(Edited(canvas->ImgDIB.DIB()->Image(), 1));
    canvas->UndoAndRedo(true);
    canvas->UndoAndRedo(false);
    canvas->WaitForSnapshot();
    state.counters["peak_x_picture"] = (BenchFixtures::PeakMemoryMegabytes() - base) / picture;
  }
}
BENCHMARK(BM_CommitUndoRedo)->Arg(24)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(1);

// What a step costs when its snapshot is in no memory: a whole PNG decode.
void BM_SnapshotDecode(benchmark::State& state) {
  auto canvas = OpenCanvas(SizeOf(24));
  // Position 0 reaches its file with the first edit.
  canvas->CommitUndoStep(Edited(canvas->ImgDIB.DIB()->Image(), 1));
  canvas->WaitForSnapshot();
  const QString path = Imageqzviewer::UndoFilePath(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(Gdip::LoadImageFromFile(path));
  }
}
BENCHMARK(BM_SnapshotDecode)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
