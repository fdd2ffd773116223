// Ctrl+V of a 12-megapixel photograph onto the main window showing a fitted 24-megapixel
// one, until the floating stamp is painted on the canvas; and the same until the stamp's
// files are on disk too, which is what a stamp undo or a library copy waits for.
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "canvas/Imageqzviewer.h"
#include "fixtures/CameraPhotos.h"
#include "fixtures/CodecFixtures.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/FrmMain.h"
#include "platform/Clipboard.h"
#include "platform/Registry.h"
#include "platform/forms/Input.h"

namespace {

// A program folder and a settings file of the benchmark's own, and the window on it
// with the photo open, fitted, and the 12-megapixel photograph on the clipboard.
struct PastingWindow {
  PastingWindow() {
    ModPublic::SetProgramFolder(folder.path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QDir().mkpath(ModPublic::DataFolderPath);
    Registry::SetFilePath(folder.filePath("registry.ini"));
    ModPublic::GdiplusToken = 1;
    ModqzReg::SkipSettingsLoad = false;
    window = std::make_unique<FrmMain>();
    ModPublic::MainForm = window.get();
    window->Form_Load();
    window->resize(1920, 1040);
    window->show();
    window->SetFitMode(true);
    window->FileImport(BenchFixtures::JpegFile(6000, 4000));
    Clipboard::SetImage(BenchFixtures::CameraPicture(QSize(4000, 3000), 7));
  }
  ~PastingWindow() {
    window.reset();
    ModPublic::MainForm = nullptr;
    Registry::SetFilePath({});
  }
  void PressCtrlV() {
    window->ProcessShortcutKey('V', Forms::vbCtrlMask);
    window->Canvas().repaint();
  }
  bool StampShown() { return !window->Canvas().StampCanvas().isNull(); }

  QTemporaryDir folder;
  std::unique_ptr<FrmMain> window;
};

void PasteToStampShown(benchmark::State& state) {
  PastingWindow pasting;
  for (auto _ : state) {
    pasting.PressCtrlV();
    state.PauseTiming();
    if (!pasting.StampShown()) {
      state.SkipWithError("no floating stamp after the paste");
    }
    // The next paste must not find this one's files still being written.
    (void)pasting.window->Canvas().StampSnapshotFile();
    state.ResumeTiming();
  }
}
BENCHMARK(PasteToStampShown)->Unit(benchmark::kMillisecond)->Iterations(6)->UseRealTime();

void PasteToFilesWritten(benchmark::State& state) {
  PastingWindow pasting;
  for (auto _ : state) {
    pasting.PressCtrlV();
    benchmark::DoNotOptimize(pasting.window->Canvas().StampSnapshotFile());
  }
}
BENCHMARK(PasteToFilesWritten)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

}  // namespace
