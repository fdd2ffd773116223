// The stamp library: opening the stamp section builds the sheet, which the user waits
// on. With 200 stamps of 640 x 480 (PNG with alpha), the first build should end under
// 0.5 s and a rebuild after one stamp was added under 100 ms. The thumbnails are decoded
// on the worker pool; waiting for them here runs the event loop that delivers them.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "controls/ZpYLibMenu.h"
#include "foundation/ModPublic.h"

namespace {

constexpr int kStamps = 200;

QImage StampPicture(int index) {
  QImage picture(640, 480, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor::fromHsv(index * 37 % 360, 180, 220, 200));
  p.drawEllipse(QRectF(40 + index % 50, 30, 520, 400));
  return picture;
}

// A program folder with the library of stamps, made once for the whole run.
const QString& ProgramFolder() {
  static QTemporaryDir folder;
  static const bool made = [] {
    QDir().mkpath(folder.filePath("Datas"));
    QDir().mkpath(folder.filePath("Librarians"));
    for (int i = 0; i < kStamps; ++i) {
      StampPicture(i).save(folder.filePath(QString("Librarians/stamp%1.lib").arg(i, 3, 10, QChar('0'))), "PNG");
    }
    return true;
  }();
  static const QString path = made ? folder.path() : QString();
  return path;
}

void WaitReady(const ZpYLibMenu& library) {
  while (!library.SheetReady()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
}

void BM_FirstPainting(benchmark::State& state) {
  ModPublic::SetProgramFolder(ProgramFolder());
  for (auto _ : state) {
    ZpYLibMenu library;
    library.resize(260, 400);
    library.Painting();
    WaitReady(library);
    benchmark::DoNotOptimize(library.Sheet().constBits());
  }
}
BENCHMARK(BM_FirstPainting)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RefreshAfterOneAdded(benchmark::State& state) {
  ModPublic::SetProgramFolder(ProgramFolder());
  ZpYLibMenu library;
  library.resize(260, 400);
  library.Painting();
  WaitReady(library);
  const QString added = ProgramFolder() + "/Librarians/zz-added.lib";
  int turn = 0;
  for (auto _ : state) {
    state.PauseTiming();
    StampPicture(turn++).save(added, "PNG");
    state.ResumeTiming();
    library.RefreshPaint();
    WaitReady(library);
    state.PauseTiming();
    QFile::remove(added);
    library.RefreshPaint();
    WaitReady(library);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RefreshAfterOneAdded)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
