// Ctrl+V of a 12-megapixel photograph onto the main window showing a fitted 24-megapixel
// one, until the floating stamp is painted on the canvas: a picture put on the clipboard
// by this program, the same right after a burn-in whose files are still being written,
// and a PNG offered by another program through the real X11 clipboard. And the same
// until the stamp's files are on disk too, which is what a stamp undo or a library copy
// waits for. The CPU time is the window's thread's alone.
#include <functional>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

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

const QSize kPastedSize(4000, 3000);
constexpr int kArrivalMilliseconds = 60000;

// Runs the window's events until done says so or the time is up; false on time-out.
bool ServeUntil(const std::function<bool()>& done, int milliseconds) {
  const QDeadlineTimer deadline(milliseconds);
  // The timer wakes the wait when nothing else arrives.
  QTimer tick;
  tick.start(20);
  while (!done()) {
    if (deadline.hasExpired()) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

// A program folder and a settings file of the benchmark's own, and the window on it
// with the photo open, fitted.
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
  }
  ~PastingWindow() {
    window.reset();
    ModPublic::MainForm = nullptr;
    Registry::SetFilePath({});
  }
  // Ctrl+V, until a new stamp is painted; false when none came.
  bool PasteUntilShown() {
    const qint64 before = Stamp().cacheKey();
    window->ProcessShortcutKey('V', Forms::vbCtrlMask);
    if (!ServeUntil([&] { return !Stamp().isNull() && Stamp().cacheKey() != before; }, kArrivalMilliseconds)) {
      return false;
    }
    window->Canvas().repaint();
    return true;
  }
  const QImage& Stamp() { return window->Canvas().StampCanvas(); }
  void WaitForFiles() { (void)window->Canvas().StampSnapshotFile(); }

  QTemporaryDir folder;
  std::unique_ptr<FrmMain> window;
};

void PasteToStampShown(benchmark::State& state) {
  PastingWindow pasting;
  Clipboard::SetImage(BenchFixtures::CameraPicture(kPastedSize, 7));
  for (auto _ : state) {
    if (!pasting.PasteUntilShown()) {
      state.SkipWithError("no floating stamp after the paste");
      break;
    }
    state.PauseTiming();
    // The next paste must not find this one's files still being written.
    pasting.WaitForFiles();
    state.ResumeTiming();
  }
}
BENCHMARK(PasteToStampShown)->Unit(benchmark::kMillisecond)->Iterations(6)->UseRealTime();

// The stamp before is burned in just before the paste: the picture's snapshot and the
// last stamp's files are still being written when Ctrl+V comes.
void PasteRightAfterABurnIn(benchmark::State& state) {
  PastingWindow pasting;
  Clipboard::SetImage(BenchFixtures::CameraPicture(kPastedSize, 7));
  for (auto _ : state) {
    state.PauseTiming();
    if (!pasting.Stamp().isNull()) {
      pasting.window->Canvas().SaveUndo();
    }
    state.ResumeTiming();
    if (!pasting.PasteUntilShown()) {
      state.SkipWithError("no floating stamp after the paste");
      break;
    }
  }
  pasting.WaitForFiles();
}
BENCHMARK(PasteRightAfterABurnIn)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void PasteToFilesWritten(benchmark::State& state) {
  PastingWindow pasting;
  Clipboard::SetImage(BenchFixtures::CameraPicture(kPastedSize, 7));
  for (auto _ : state) {
    if (!pasting.PasteUntilShown()) {
      state.SkipWithError("no floating stamp after the paste");
      break;
    }
    pasting.WaitForFiles();
  }
}
BENCHMARK(PasteToFilesWritten)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

// On the X server (in the child run below): xclip offers the photograph as a PNG file,
// as an image viewer or a browser would.
void PasteFromAnotherProgramHere(benchmark::State& state) {
  QTemporaryDir files;
  const QString png = files.filePath("offered.png");
  if (!BenchFixtures::CameraPicture(kPastedSize, 7).save(png, "PNG")) {
    state.SkipWithError("the PNG could not be written");
    return;
  }
  PastingWindow pasting;
  QProcess xclip;
  xclip.start(QStandardPaths::findExecutable("xclip"), {"-quiet", "-selection", "clipboard", "-t", "image/png", "-i", png});
  const bool offered = xclip.waitForStarted(10000) && ServeUntil([] {
    return !QGuiApplication::clipboard()->ownsClipboard() && Clipboard::HasImage();
  }, kArrivalMilliseconds);
  if (!offered) {
    state.SkipWithError("xclip did not offer the picture");
  }
  for (auto _ : state) {
    if (!offered) {
      break;
    }
    QElapsedTimer wall;
    wall.start();
    if (!pasting.PasteUntilShown()) {
      state.SkipWithError("no floating stamp after the paste");
      break;
    }
    state.SetIterationTime(double(wall.nsecsElapsed()) / 1e9);
    state.PauseTiming();
    pasting.WaitForFiles();
    state.ResumeTiming();
  }
  xclip.kill();
  xclip.waitForFinished(5000);
}

// Starts a private X server and runs this benchmark program again on it for the case
// above, reporting the child's times: this process's offscreen platform has only an
// in-process clipboard.
void PasteFromAnotherProgram(benchmark::State& state) {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    PasteFromAnotherProgramHere(state);
    return;
  }
  if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xclip").isEmpty()) {
    state.SkipWithError("Xvfb or xclip is not installed (scripts/install-deps installs both)");
    return;
  }
  QProcess server;
  server.start(QStandardPaths::findExecutable("Xvfb"),
               {"-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp"});
  QString display;
  if (server.waitForStarted(10000) && server.waitForReadyRead(10000)) {
    display = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();
  }
  QJsonObject result;
  if (!display.isEmpty()) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"--benchmark_filter=^PasteFromAnotherProgram/", "--benchmark_format=json"});
    child.waitForFinished(10 * kArrivalMilliseconds);
    const QJsonArray runs = QJsonDocument::fromJson(child.readAllStandardOutput())["benchmarks"].toArray();
    result = runs.isEmpty() ? QJsonObject() : runs.first().toObject();
  }
  server.terminate();
  server.waitForFinished(5000);
  if (result.isEmpty() || result["error_occurred"].toBool()) {
    const std::string why = display.isEmpty() ? std::string("no X server could be started")
                                              : result["error_message"].toString("the run on the X server failed").toStdString();
    state.SkipWithError(why.c_str());
    return;
  }
  for (auto _ : state) {
    state.SetIterationTime(result["real_time"].toDouble() / 1000.0);
  }
  state.counters["main_thread_cpu_ms"] = result["cpu_time"].toDouble();
}
BENCHMARK(PasteFromAnotherProgram)->Unit(benchmark::kMillisecond)->Iterations(4)->UseManualTime();

}  // namespace
