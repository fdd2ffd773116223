// Committing an edit and stepping through the undo history of a 24-megapixel picture in a
// 1600 x 1000 window, as the user feels it: each should be done in under 150 ms. The
// snapshot files are written (and the next step read ahead) on a worker, so the timings
// leave the worker's work out and wait for it between steps, as a person's pace would.
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "canvas/Imageqzviewer.h"
#include "fixtures/CodecFixtures.h"
#include "foundation/GdiDIB.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

std::unique_ptr<Imageqzviewer> OpenCanvas() {
  static const QTemporaryDir programFolder;
  ModPublic::SetProgramFolder(programFolder.path());
  const QString photo = BenchFixtures::JpegFile(kWidth, kHeight);
  auto canvas = std::make_unique<Imageqzviewer>();
  canvas->resize(1600, 1000);
  canvas->Import(photo);
  canvas->WaitForSnapshot();
  return canvas;
}

// An edited picture as a tool hands it over: new pixels, not shared with anything shown.
QImage Edited(const QImage& base, int step) {
  QImage edited = base.copy();
  edited.invertPixels();
  edited.setPixel(step % kWidth, 0, qRgb(step & 0xFF, 0, 0));
  return edited;
}

void BM_Commit(benchmark::State& state) {
  auto canvas = OpenCanvas();
  const QImage base = canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32);
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const QImage edited = Edited(base, ++step);
    state.ResumeTiming();
    canvas->CommitUndoStep(edited);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Commit)->Unit(benchmark::kMillisecond)->Iterations(8);

// Walks back through eight steps and forward again; more than the pictures kept in
// memory, so steps are read from their files (ahead of time, by the worker).
void BM_UndoRedoWalk(benchmark::State& state, bool isUndo) {
  auto canvas = OpenCanvas();
  const QImage base = canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32);
  constexpr int kSteps = 8;
  for (int i = 1; i <= kSteps; ++i) {
    canvas->CommitUndoStep(Edited(base, i));
  }
  canvas->WaitForSnapshot();
  for (auto _ : state) {
    if (isUndo ? canvas->UndoIndex() == 0 : canvas->UndoIndex() == kSteps) {
      state.PauseTiming();
      while (canvas->UndoIndex() != (isUndo ? kSteps : 0)) {
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
BENCHMARK_CAPTURE(BM_UndoRedoWalk, Undo, true)->Unit(benchmark::kMillisecond)->Iterations(16);
BENCHMARK_CAPTURE(BM_UndoRedoWalk, Redo, false)->Unit(benchmark::kMillisecond)->Iterations(16);

// What a step costs when its snapshot was not read ahead: a whole PNG decode.
void BM_SnapshotDecode(benchmark::State& state) {
  auto canvas = OpenCanvas();
  // Position 0 reaches its file with the first edit.
  canvas->CommitUndoStep(Edited(canvas->ImgDIB.DIB()->Image(), 1));
  canvas->WaitForSnapshot();
  const QString path = Imageqzviewer::UndoFilePath(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(Gdip::LoadImageFromFile(path));
  }
}
BENCHMARK(BM_SnapshotDecode)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
