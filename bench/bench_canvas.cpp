// The canvas with a 24-megapixel photograph in a 1600 x 1000 window: opening it fitted
// should cost little more than decoding it, and a zoom step should repaint in well under
// 30 ms, since it scales from the halvings made at load rather than from the whole picture.
#include <cmath>

#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "canvas/Imageqzviewer.h"
#include "foundation/GdiDIB.h"
#include "foundation/ModPublic.h"

namespace {

// A 6000 x 4000 JPEG with smooth gradients and fine detail, like a photograph, made once.
class LargePhoto {
 public:
  LargePhoto() {
    ModPublic::SetProgramFolder(m_dir.path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        const int detail = int(40 * std::sin(x * 0.05) * std::cos(y * 0.07));
        row[x] = qRgb((x * 255 / 6000 + detail) & 0xFF, (y * 255 / 4000 + detail) & 0xFF, ((x + y) / 40) & 0xFF);
      }
    }
    image.save(Path(), "JPEG", 90);
  }
  QString Path() const { return m_dir.filePath("photo.jpg"); }

 private:
  QTemporaryDir m_dir;
};

const LargePhoto& Photo() {
  static const LargePhoto photo;
  return photo;
}

std::unique_ptr<Imageqzviewer> MakeCanvas() {
  auto canvas = std::make_unique<Imageqzviewer>();
  canvas->resize(1600, 1000);
  canvas->CreateBrush();
  return canvas;
}

void BM_DecodeOnly(benchmark::State& state) {
  const QString path = Photo().Path();
  for (auto _ : state) {
    GdiDIB holder;
    holder.Import(path);
    benchmark::DoNotOptimize(holder.DIB());
  }
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);

void BM_ImportAndFittedPaint(benchmark::State& state) {
  const QString path = Photo().Path();
  auto canvas = MakeCanvas();
  for (auto _ : state) {
    canvas->Open(path);
    state.PauseTiming();
    // The first undo snapshot is written on a worker while the window goes on.
    canvas->WaitForSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ImportAndFittedPaint)->Unit(benchmark::kMillisecond);

void BM_ZoomStep(benchmark::State& state) {
  auto canvas = MakeCanvas();
  canvas->SetFitMode(false);
  canvas->Open(Photo().Path());
  canvas->WaitForSnapshot();
  int slider = 20;
  for (auto _ : state) {
    slider = slider == 20 ? 21 : 20;
    canvas->SetZoomFromSlider(slider);
  }
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond);

void BM_PanRepaint(benchmark::State& state) {
  auto canvas = MakeCanvas();
  canvas->SetFitMode(false);
  canvas->Open(Photo().Path());
  canvas->WaitForSnapshot();
  canvas->SetZoomFromSlider(state.range(0));
  int step = 0;
  for (auto _ : state) {
    canvas->SetViewOffset(QPoint(-(step % 200), -(step % 100)));
    canvas->Painting();
    ++step;
  }
}
BENCHMARK(BM_PanRepaint)->Arg(20)->Arg(55)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
