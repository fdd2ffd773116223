// The main window's start and resize costs at 1920 x 1040: construction, load (settings
// and the font list), first resize and the first repaint of the bars; the font list on
// its own; and a resize between 1280 x 800 and 1920 x 1040 with a fitted 24-megapixel
// picture and 200 pictures listed, laid out and repainted; a wheel step through a folder
// of 4000 x 3000 photographs beside the canvas's own import of them; arming a tool; and
// the menu states set before a strip menu opens. Editing a 24-megapixel camera photo
// fitted in the window: each commit from the command (the menu's pause left out) to the
// canvas painted again, and undo pressed once at a person's pace and again at once;
// the goal is under 600 ms for a commit and 150 ms for an undo. The snapshot files are
// written in the background and waited for outside the timings.
#include <ctime>
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/SkinnedControlServices.h"
#include "fixtures/CameraPhotos.h"
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
    canvas.Open(stepping.photos.Files()[++i % 6]);
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

// The CPU time of every thread of the process so far, in milliseconds: the
// commits spread their rows over all cores, so the main thread's time alone
// leaves most of it out.
double ProcessCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Counts the canvas's paint events, so a timing ends when the changed picture
// is drawn.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int Count() const { return m_count; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++m_count;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  int m_count = 0;
};

// The main window with a 24-megapixel camera photo, fitted, as a user starts
// editing.
struct EditingWindow {
  EditingWindow() {
    window = StartWindow();
    // The panes show once the folder tree is ready; the sheet's pane is then
    // closed, so the canvas takes the window as a user editing a photo has it.
    ModFolderView::FolderTreeReady = true;
    QElapsedTimer waited;
    waited.start();
    while (!window->Canvas().isVisible() && waited.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window->ToggleThumbnailPane();
    window->SetFitMode(true);
    window->FileImport(BenchFixtures::CameraPhoto24(BenchFixtures::JpegKind::Baseline));
    window->Canvas().WaitForSnapshot();
    painted = std::make_unique<PaintCounter>(window->Canvas());
    QApplication::processEvents();
  }
  ~EditingWindow() { ModPublic::MainForm = nullptr; }
  Imageqzviewer& Canvas() { return window->Canvas(); }
  void Run(std::string_view key) { window->RunMenuCommand(CommandKeyText(key)); }
  // The event loop turns until the canvas has painted since `before`; false if
  // it never does.
  bool PaintedSince(int before) {
    for (int turn = 0; turn < 50 && painted->Count() == before; ++turn) {
      QApplication::processEvents();
    }
    return painted->Count() != before;
  }
  // Back to the photo as opened, fitted, outside the timing.
  void Restore() {
    Canvas().WaitForSnapshot();
    while (Canvas().UndoIndex() > 0) {
      Run(CommandKeys::Edit_Undo);
      Canvas().WaitForSnapshot();
    }
    window->SetFitMode(true);
    Canvas().Relayout();
    QApplication::processEvents();
  }

  Session session;
  std::unique_ptr<FrmMain> window;
  std::unique_ptr<PaintCounter> painted;
};

void SendMouse(QWidget& widget, QEvent::Type type, QPointF at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// A drag on the canvas from one point to another, in fractions of the fitted
// picture.
void Drag(Imageqzviewer& canvas, QPointF from, QPointF to) {
  const QRectF fit = canvas.FitRect();
  const auto at = [&fit](QPointF f) { return fit.topLeft() + QPointF(f.x() * fit.width(), f.y() * fit.height()); };
  SendMouse(canvas, QEvent::MouseMove, at(from));
  SendMouse(canvas, QEvent::MouseButtonPress, at(from));
  SendMouse(canvas, QEvent::MouseMove, at((from + to) / 2));
  SendMouse(canvas, QEvent::MouseMove, at(to));
  SendMouse(canvas, QEvent::MouseButtonRelease, at(to));
}

void ClickApply(Imageqzviewer& canvas) {
  const QPointF apply = canvas.HitRectangles().Buttons[1].center();
  SendMouse(canvas, QEvent::MouseMove, apply);
  SendMouse(canvas, QEvent::MouseButtonPress, apply);
  SendMouse(canvas, QEvent::MouseButtonRelease, apply);
}

// How a commit is set up outside the timing and what the user does to make it.
struct CommitSteps {
  std::string_view armKey;     // the tool armed and dragged first; empty for a command at once
  QPointF from, to;            // the drag, in fractions of the fitted picture
  std::string_view commitKey;  // the command that commits; empty for the tool's Apply button
};

CommitSteps AtOnce(std::string_view key) {
  CommitSteps steps;
  steps.commitKey = key;
  return steps;
}

void Commit(benchmark::State& state, CommitSteps steps) {
  EditingWindow editing;
  ModqzReg::SelectionCombineMode = 1;
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Radial");
  double processCpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!steps.armKey.empty()) {
      editing.Run(steps.armKey);
      Drag(editing.Canvas(), steps.from, steps.to);
      QApplication::processEvents();
    }
    const int before = editing.painted->Count();
    const int position = editing.Canvas().UndoIndex();
    const double cpuAtStart = ProcessCpuMs();
    state.ResumeTiming();
    if (steps.commitKey.empty()) {
      ClickApply(editing.Canvas());
    } else {
      editing.Run(steps.commitKey);
    }
    const bool shown = editing.PaintedSince(before);
    state.PauseTiming();
    processCpu += ProcessCpuMs() - cpuAtStart;
    if (!shown || editing.Canvas().UndoIndex() == position) {
      state.SkipWithError("the commit made no step or was never painted");
      break;
    }
    editing.Restore();
    state.ResumeTiming();
  }
  state.counters["process_cpu_ms"] = benchmark::Counter(processCpu, benchmark::Counter::kAvgIterations);
}
namespace K = CommandKeys;
BENCHMARK_CAPTURE(Commit, Rotate, AtOnce(K::Edit_Clockwise))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, Flip, AtOnce(K::Edit_Hflip))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, Grey, AtOnce(K::Effect_Grey))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, Ripple, AtOnce(K::Effect_Ripple))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, Clouds, AtOnce(K::Effect_Cloud))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, Moon, AtOnce(K::Effect_Moon))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, LensFlare, AtOnce(K::Effect_Lensflare))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Commit, ClearSelection, CommitSteps{K::Filter_Select, {0.1, 0.1}, {0.6, 0.7}, K::Edit_Clearselect})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Commit, FillCircular, CommitSteps{K::Filter_Circular, {0.1, 0.1}, {0.6, 0.7}, {}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Commit, Line, CommitSteps{K::Filter_Line, {0.1, 0.2}, {0.8, 0.7}, {}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(Commit, RedEye, CommitSteps{K::Filter_Redeye, {0.3, 0.3}, {0.5, 0.5}, {}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Undo after three commits: pressed once (the steps written, at a person's
// pace) and pressed again the moment the last undo is shown.
void Undo(benchmark::State& state, bool again) {
  EditingWindow editing;
  double processCpu = 0;
  for (auto _ : state) {
    state.PauseTiming();
    editing.Restore();
    for (int i = 0; i < 3; ++i) {
      editing.Run(K::Edit_Hflip);
      editing.Canvas().WaitForSnapshot();
    }
    QApplication::processEvents();
    if (again) {
      const int shownBefore = editing.painted->Count();
      editing.Run(K::Edit_Undo);
      editing.PaintedSince(shownBefore);
    }
    const int before = editing.painted->Count();
    const int position = editing.Canvas().UndoIndex();
    const double cpuAtStart = ProcessCpuMs();
    state.ResumeTiming();
    editing.Run(K::Edit_Undo);
    const bool shown = editing.PaintedSince(before);
    state.PauseTiming();
    processCpu += ProcessCpuMs() - cpuAtStart;
    if (!shown || editing.Canvas().UndoIndex() != position - 1) {
      state.SkipWithError("the undo took no step or was never painted");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["process_cpu_ms"] = benchmark::Counter(processCpu, benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(Undo, Once, false)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Undo, Again, true)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
