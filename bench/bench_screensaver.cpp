// The screensaver's two costs a user waits on: the export of a picture set (50 files of
// 5 MB, staged and swapped in) against a plain copy of the same files in the same run,
// and the time `lorvanescr /S` takes on a virtual display to show its first picture.
// Goals: the export within 1.3 x the plain copy ("ratio"), the first picture within 0.5 s.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include "platform/Registry.h"
#include "windows/ScrExport.h"

namespace {

constexpr int kFiles = 50;
constexpr qsizetype kFileBytes = 5 * 1024 * 1024;

// The source files, made once per run with bytes that do not repeat across files.
const QStringList& SourceFiles(const QTemporaryDir& dir) {
  static QStringList files;
  if (files.isEmpty()) {
    QByteArray bytes(kFileBytes, '\0');
    for (int i = 0; i < kFiles; ++i) {
      for (qsizetype b = 0; b < bytes.size(); b += 4096) {
        bytes[b] = char(i + b / 4096);
      }
      files << dir.filePath(QStringLiteral("source/p%1.jpg").arg(i));
      QDir().mkpath(dir.filePath("source"));
      QFile file(files.last());
      if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
      }
    }
  }
  return files;
}

double PlainCopyMs(const QStringList& files, const QString& folder) {
  QDir().mkpath(folder);
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < files.size(); ++i) {
    const QString target = QDir(folder).filePath(ScrExport::DataName(i));
    QFile::remove(target);
    QFile::copy(files[i], target);
  }
  return double(timer.nsecsElapsed()) / 1e6;
}

double ExportMs(const QStringList& files, const QString& folder) {
  QElapsedTimer timer;
  timer.start();
  ScrExport exporter(folder, files);
  if (!exporter.Run()) {
    return -1;
  }
  return double(timer.nsecsElapsed()) / 1e6;
}

void ExportAgainstPlainCopy(benchmark::State& state) {
  const QTemporaryDir dir;
  const QStringList& files = SourceFiles(dir);
  double plain = 0;
  double exported = 0;
  for (auto _ : state) {
    // Each copy starts with the other's written pages on the disk, so neither pays for the
    // other's write-back.
    ::sync();
    plain += PlainCopyMs(files, dir.filePath("plain"));
    ::sync();
    const double ms = ExportMs(files, dir.filePath("ScrDatas"));
    if (ms < 0) {
      state.SkipWithError("the export failed");
      return;
    }
    exported += ms;
    state.SetIterationTime(ms / 1000);
  }
  state.counters["plain_ms"] = plain / double(state.iterations());
  state.counters["export_ms"] = exported / double(state.iterations());
  state.counters["ratio"] = exported / plain;
}
BENCHMARK(ExportAgainstPlainCopy)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// A virtual display for one measurement.
struct VirtualDisplay {
  QProcess server;
  QString name;
  VirtualDisplay() {
    server.start(QStandardPaths::findExecutable("Xvfb"),
                 {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (server.waitForStarted(10000) && server.waitForReadyRead(10000)) {
      name = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();
    }
  }
  ~VirtualDisplay() {
    server.terminate();
    server.waitForFinished(5000);
  }
};

// The colour at the centre of the screen, as the X server shows it.
std::uint32_t CentrePixel(xcb_connection_t* x, xcb_window_t root) {
  const xcb_get_image_cookie_t cookie = xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 512, 384, 1, 1, ~0u);
  xcb_get_image_reply_t* reply = xcb_get_image_reply(x, cookie, nullptr);
  std::uint32_t pixel = 0;
  if (reply != nullptr && xcb_get_image_data_length(reply) >= 4) {
    std::memcpy(&pixel, xcb_get_image_data(reply), 4);
  }
  std::free(reply);
  return pixel & 0xFFFFFFu;
}

void FirstPictureShown(benchmark::State& state) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty()) {
    state.SkipWithError("Xvfb is not installed");
    return;
  }
  QTemporaryDir home;
  QDir().mkpath(home.filePath("program/ScrDatas"));
  QImage picture(1024, 768, QImage::Format_RGB32);
  picture.fill(Qt::red);
  picture.save(home.filePath("program/ScrDatas/Scrdata0.dat"), "JPEG", 95);
  Registry::SetFilePath(home.filePath(".config/lorvane/registry.ini"));
  Registry::SetValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", u"Apppath",
                     Registry::Value::Sz(home.filePath("program")));
  Registry::SetFilePath({});
  for (auto _ : state) {
    VirtualDisplay display;
    xcb_connection_t* x = xcb_connect(display.name.toLatin1().constData(), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.insert("DISPLAY", display.name);
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    QProcess program;
    program.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    program.start(QCoreApplication::applicationDirPath() + "/lorvanescr", {"/S"});
    // A red centre means the first picture is on the screen (the fade starts at alpha 100).
    while (timer.elapsed() < 10000 && (CentrePixel(x, root) & 0xFF0000u) < 0x400000u) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
    program.kill();
    program.waitForFinished();
    xcb_disconnect(x);
  }
}
BENCHMARK(FirstPictureShown)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
