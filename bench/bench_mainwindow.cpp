// The main window's start and resize costs at 1920 x 1040: construction, load (settings
// and the font list), first resize and the first repaint of the bars; the font list on
// its own; and a resize between 1280 x 800 and 1920 x 1040 with a fitted 24-megapixel
// picture and 200 pictures listed, laid out and repainted; a wheel step through a folder
// of 4000 x 3000 photographs beside the canvas's own import of them; arming a tool; and
// the menu states set before a strip menu opens.
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/SkinnedControlServices.h"
#include "fixtures/CodecFixtures.h"
#include "fixtures/PhotoFolder.h"
#include "foundation/ModFont.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuStates.h"
#include "mainwindow/WheelHook.h"
#include "platform/Registry.h"

namespace {

// The offscreen platform's screen is made 1920 x 1040 before the application starts, so
// that the window's place over the work area is that size.
const bool kBigScreen = [] {
  static QTemporaryDir dir;
  const QString config = dir.filePath("screen.json");
  QFile file(config);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(R"({"screens":[{"name":"bench","x":0,"y":0,"width":1920,"height":1040,"logicalDpi":96}]})");
  }
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
  return true;
}();

// A program folder and a settings file of the benchmark's own.
struct Session {
  Session() {
    ModPublic::SetProgramFolder(folder.path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QDir().mkpath(ModPublic::DataFolderPath);
    Registry::SetFilePath(folder.filePath("registry.ini"));
    ModPublic::GdiplusToken = 1;
  }
  ~Session() {
    ModPublic::MainForm = nullptr;
    Registry::SetFilePath({});
  }
  QTemporaryDir folder;
};

std::unique_ptr<FrmMain> StartWindow() {
  ModqzReg::SkipSettingsLoad = false;
  auto window = std::make_unique<FrmMain>();
  ModPublic::MainForm = window.get();
  window->Form_Load();
  window->show();
  return window;
}

// The font list's first enumeration, before anything else asked for fonts.
void FontListCold(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ModFont::TrueTypeFamilies().size());
  }
}
BENCHMARK(FontListCold)->Unit(benchmark::kMillisecond)->Iterations(1);

void ConstructLoadAndFirstResize(benchmark::State& state) {
  Session session;
  for (auto _ : state) {
    std::unique_ptr<FrmMain> window = StartWindow();
    window->RepaintMainControls();
    if (window->size() != QSize(1920, 1040)) {
      state.SkipWithError("the window is not 1920 x 1040");
    }
    state.PauseTiming();
    ModPublic::MainForm = nullptr;
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(ConstructLoadAndFirstResize)->Unit(benchmark::kMillisecond)->Iterations(5);

void ResizeWithPictureAndSheet(benchmark::State& state) {
  Session session;
  const BenchFixtures::PhotoFolder photos(200, QSize(640, 480));
  const QString big = BenchFixtures::JpegFile(6000, 4000);
  std::unique_ptr<FrmMain> window = StartWindow();
  ModFolderView::FolderTreeReady = true;
  window->Sheet().Path(photos.Path());
  window->Sheet().CreateThumbnail();
  window->SetFitMode(true);
  window->FileImport(big);
  bool large = false;
  for (auto _ : state) {
    large = !large;
    window->resize(large ? QSize(1920, 1040) : QSize(1280, 800));
    window->repaint();
  }
  ModPublic::MainForm = nullptr;
}
BENCHMARK(ResizeWithPictureAndSheet)->Unit(benchmark::kMillisecond)->Iterations(10);

// A window listing a folder of 4000 x 3000 photographs, fitted, with the first shown.
struct SteppingWindow {
  explicit SteppingWindow(int count) : photos(count, QSize(4000, 3000), true) {
    window = StartWindow();
    ModFolderView::FolderTreeReady = true;
    window->Sheet().Path(photos.Path());
    window->Sheet().CreateThumbnail();
    window->SetFitMode(true);
    window->FileImport(photos.Files().constFirst());
  }
  ~SteppingWindow() { ModPublic::MainForm = nullptr; }
  Session session;
  BenchFixtures::PhotoFolder photos;
  std::unique_ptr<FrmMain> window;
};

// One notch of the wheel over the window: the sheet's step, the import and the fitted paint.
void WheelStep(benchmark::State& state) {
  SteppingWindow stepping(8);
  FrmMain& window = *stepping.window;
  int delta = -WheelHook::kNotch;
  int steps = 0;
  for (auto _ : state) {
    // Back and forth within the folder, so every step loads a picture.
    if (++steps % 6 == 0) {
      delta = -delta;
    }
    QWheelEvent event(QPointF(600, 300), QPointF(600, 300), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &event);
    window.Canvas().repaint();
  }
}
BENCHMARK(WheelStep)->Unit(benchmark::kMillisecond)->Iterations(12);

// The canvas's own import and fitted paint of the same pictures, for comparison.
void CanvasImportAlone(benchmark::State& state) {
  SteppingWindow stepping(8);
  Imageqzviewer& canvas = stepping.window->Canvas();
  int i = 0;
  for (auto _ : state) {
    canvas.Import(stepping.photos.Files()[++i % 6]);
    canvas.repaint();
  }
}
BENCHMARK(CanvasImportAlone)->Unit(benchmark::kMillisecond)->Iterations(12);

// Arming a tool from the menu and choosing it again to return to browsing, on a fitted
// 24-megapixel picture.
void ArmToolAndBack(benchmark::State& state) {
  Session session;
  const QString big = BenchFixtures::JpegFile(6000, 4000);
  std::unique_ptr<FrmMain> window = StartWindow();
  window->SetFitMode(true);
  window->FileImport(big);
  const QString gamma = CommandKeyText(CommandKeys::Effect_Gamma);
  for (auto _ : state) {
    window->RunMenuCommand(gamma);
    window->RunMenuCommand(gamma);
  }
  ModPublic::MainForm = nullptr;
}
BENCHMARK(ArmToolAndBack)->Unit(benchmark::kMillisecond)->Iterations(20);

// The enable and check states set before each strip menu opens, for every menu in turn.
void MenuSettingEveryMenu(benchmark::State& state) {
  Session session;
  std::unique_ptr<FrmMain> window = StartWindow();
  SkinMenuServices& menu = *window->SkinMenu();
  MenuStates::Facts facts;
  facts.hasImage = true;
  facts.currentToolKey = CommandKeyText(CommandKeys::Filter_Browse);
  for (auto _ : state) {
    for (int id = 0; id < 6; ++id) {
      menu.SetInitializemenu(id);
      MenuStates::MenuSetting(menu, id, facts);
    }
  }
  ModPublic::MainForm = nullptr;
}
BENCHMARK(MenuSettingEveryMenu)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
