// The editing tools on a 24-megapixel picture in a 1600 x 1000 canvas: each whole-picture
// filter alone (goal: under 150 ms), Apply of a turn, a flip, grey and blur until the
// picture shows again (under 400 ms; the snapshot file is written in the background and
// waited for outside the timing), and one live-preview step of straighten and gamma
// (under 30 ms; previews draw from the picture at its displayed size). The selection
// tools: one overlay repaint during a drag (under 20 ms), Apply of a rectangle selection
// over half the picture, cut to the stamp file and handed over (under 1.5 s), and crop to
// half and a radial fill until the picture shows again (under 500 ms each). The floating
// stamp, 12 megapixels: one brush dab during a drag with its repaint (under 25 ms), a
// stamp blur with its snapshot (under 400 ms), and the burn-in until the picture shows
// again (under 500 ms). The text tool: one keystroke's repaint with a 40-character text
// (under 15 ms), Apply of the text until the picture shows again (under 400 ms), and
// Rasterize of a fill over half the picture into the stamp file (under 1.5 s). A canvas
// resize to 6400 x 4400 until the picture shows again (under 400 ms) and one repaint of
// a dragged calendar layer (under 10 ms).
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "canvas/Imageqzviewer.h"
#include "effects/WholePictureFilters.h"
#include "fixtures/CodecFixtures.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "support/FloatingStamp.h"
#include "support/fakes/FakeTaskDialog.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

const QImage& Photo() {
  static const QImage photo = BenchFixtures::PhotoLike(kWidth, kHeight).convertToFormat(QImage::Format_ARGB32);
  return photo;
}

void BM_Filter(benchmark::State& state, QImage (*filter)(const QImage&)) {
  const QImage& photo = Photo();
  for (auto _ : state) {
    benchmark::DoNotOptimize(filter(photo));
  }
}
QImage Ripple(const QImage& picture) { return ModEffects::Ripple(picture, 10); }
BENCHMARK_CAPTURE(BM_Filter, Blur, ModEffects::Blur)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Filter, Soften, ModEffects::Soften)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Filter, Sharpen, ModEffects::Sharpen)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Filter, Antialias, ModEffects::Antialias)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Filter, Ripple, Ripple)->Unit(benchmark::kMillisecond)->Iterations(4);

std::unique_ptr<Imageqzviewer> OpenCanvas() {
  static const QTemporaryDir programFolder;
  ModPublic::SetProgramFolder(programFolder.path());
  ModPublic::DataFolderPath = programFolder.path() + "/Datas/";
  const QString photo = BenchFixtures::JpegFile(kWidth, kHeight);
  auto canvas = std::make_unique<Imageqzviewer>();
  canvas->resize(1600, 1000);
  canvas->CreateBrush();
  canvas->SetFirstL(true);
  canvas->Open(photo);
  canvas->WaitForSnapshot();
  return canvas;
}

// Apply of a one-shot mode: from the command to the picture shown again.
void BM_Apply(benchmark::State& state, int mode) {
  auto canvas = OpenCanvas();
  for (auto _ : state) {
    canvas->SetEffect(mode);
    canvas->SaveUndo();
    state.PauseTiming();
    canvas->WaitForSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_Apply, TurnClockwise, 39)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Apply, FlipAcross, 23)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Apply, Grey, 8)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK_CAPTURE(BM_Apply, Blur, 12)->Unit(benchmark::kMillisecond)->Iterations(4);
// No shape dragged: the copy of the picture and the commit, which dwarf one outline.
BENCHMARK_CAPTURE(BM_Apply, Shape, 25)->Unit(benchmark::kMillisecond)->Iterations(4);

// The canvas made 6400 x 4400 with the size dialog answered at once, until the picture
// shows again; undone outside the timing so every round starts from the photo.
void BM_CanvasResize(benchmark::State& state) {
  auto canvas = OpenCanvas();
  Fakes::FakeTaskDialogFactory dialogs;
  dialogs.outcome = {.width = 6400, .height = 4400, .buttonState = 1, .color = 0xFFFFFF, .name = {}};
  for (auto _ : state) {
    canvas->ResizeCanvas(dialogs);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    canvas->UndoAndRedo(true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CanvasResize)->Unit(benchmark::kMillisecond)->Iterations(3);

void SendMouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
  QMouseEvent event(type, at, widget.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

// One move of the held knob: the preview of straighten (2) or gamma (7) is drawn again.
void BM_PreviewStep(benchmark::State& state, int mode, int max, int min) {
  auto canvas = OpenCanvas();
  canvas->SetEffect(mode);
  canvas->SetFitMode(true);
  canvas->SetMax(max);
  canvas->SetMin(min);
  canvas->SetValue(min);
  canvas->Relayout();
  const QPointF knob = canvas->HitRectangles().Buttons[0].center();
  SendMouse(*canvas, QEvent::MouseMove, knob, Qt::NoButton);
  SendMouse(*canvas, QEvent::MouseButtonPress, knob, Qt::LeftButton);
  int step = 0;
  for (auto _ : state) {
    SendMouse(*canvas, QEvent::MouseMove, knob + QPointF(++step % 150, 0), Qt::LeftButton);
  }
  SendMouse(*canvas, QEvent::MouseButtonRelease, knob, Qt::NoButton);
}
// A selection tool armed with the left half of the picture selected by a drag.
void SelectHalf(Imageqzviewer& canvas, int mode) {
  canvas.SetEffect(mode);
  canvas.SetFitMode(true);
  canvas.Relayout();
  canvas.CleanCroprect();
  const QRectF fit = canvas.FitRect();
  const QPointF from = fit.topLeft() + QPointF(1, 1);
  const QPointF to(fit.center().x(), fit.bottom() - 1);
  SendMouse(canvas, QEvent::MouseMove, from, Qt::NoButton);
  SendMouse(canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
  SendMouse(canvas, QEvent::MouseMove, to, Qt::LeftButton);
  SendMouse(canvas, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

void BM_SelectionDragRepaint(benchmark::State& state) {
  auto canvas = OpenCanvas();
  ModqzReg::SelectionCombineMode = 1;
  SelectHalf(*canvas, 17);
  canvas->CleanCroprect();
  const QPointF from = canvas->FitRect().topLeft() + QPointF(5, 5);
  SendMouse(*canvas, QEvent::MouseMove, from, Qt::NoButton);
  SendMouse(*canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
  int step = 0;
  for (auto _ : state) {
    ++step;
    SendMouse(*canvas, QEvent::MouseMove, from + QPointF(200 + step % 300, 150 + step % 200), Qt::LeftButton);
  }
  SendMouse(*canvas, QEvent::MouseButtonRelease, from, Qt::NoButton);
}
BENCHMARK(BM_SelectionDragRepaint)->Unit(benchmark::kMillisecond)->Iterations(20);

// One step of dragging the calendar layer: the month drawn again over the fitted photo.
void BM_CalendarDragRepaint(benchmark::State& state) {
  auto canvas = OpenCanvas();
  canvas->SetFontA(QStringLiteral("Tahoma"));
  canvas->SetFontSizeA(15);
  canvas->SetMax(12);
  canvas->SetMin(1);
  canvas->SetValue(5);
  canvas->SetEffect(10);
  canvas->SetFitMode(true);
  canvas->Relayout();
  const QPointF from = canvas->HitRectangles().Layer.center();
  SendMouse(*canvas, QEvent::MouseMove, from, Qt::NoButton);
  SendMouse(*canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
  int step = 0;
  for (auto _ : state) {
    ++step;
    SendMouse(*canvas, QEvent::MouseMove, from + QPointF(step % 2, 0), Qt::LeftButton);
  }
  SendMouse(*canvas, QEvent::MouseButtonRelease, from, Qt::NoButton);
}
BENCHMARK(BM_CalendarDragRepaint)->Unit(benchmark::kMillisecond)->Iterations(20);

void ClickApply(Imageqzviewer& canvas) {
  const QPointF apply = canvas.HitRectangles().Buttons[1].center();
  SendMouse(canvas, QEvent::MouseMove, apply, Qt::NoButton);
  SendMouse(canvas, QEvent::MouseButtonPress, apply, Qt::LeftButton);
  SendMouse(canvas, QEvent::MouseButtonRelease, apply, Qt::NoButton);
}

void BM_SelectionApply(benchmark::State& state) {
  auto canvas = OpenCanvas();
  ModqzReg::SelectionCombineMode = 1;
  for (auto _ : state) {
    state.PauseTiming();
    SelectHalf(*canvas, 17);
    state.ResumeTiming();
    ClickApply(*canvas);
  }
}
BENCHMARK(BM_SelectionApply)->Unit(benchmark::kMillisecond)->Iterations(3);

// Crop (1) or the radial fill (19) of the left half, until the picture shows again; the
// step is undone outside the timing so every round starts from the whole picture.
void BM_RegionCommit(benchmark::State& state, int mode) {
  auto canvas = OpenCanvas();
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Radial");
  for (auto _ : state) {
    state.PauseTiming();
    SelectHalf(*canvas, mode);
    state.ResumeTiming();
    canvas->SaveUndo();
    state.PauseTiming();
    canvas->WaitForSnapshot();
    canvas->UndoAndRedo(true);
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_RegionCommit, CropToHalf, 1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_RegionCommit, RadialFill, 19)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 12-megapixel stamp floating over the picture at its own size, as UseStamp leaves it.
void FloatStamp(Imageqzviewer& canvas) {
  static const QString stampFile = [] {
    const QString file = ModPublic::ProgramFolder() + "bench-stamp.png";
    BenchFixtures::PhotoLike(4000, 3000).save(file, "PNG");
    return file;
  }();
  TestSupport::FloatStamp(canvas, stampFile, true);
}

void BM_StampBrushDab(benchmark::State& state, int subTool) {
  auto canvas = OpenCanvas();
  FloatStamp(*canvas);
  canvas->StampOptions(subTool);
  const QPointF from = canvas->StampFrame().center();
  SendMouse(*canvas, QEvent::MouseMove, from, Qt::NoButton);
  SendMouse(*canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
  int step = 0;
  for (auto _ : state) {
    ++step;
    SendMouse(*canvas, QEvent::MouseMove, from + QPointF(step % 100, step % 50), Qt::LeftButton);
  }
  SendMouse(*canvas, QEvent::MouseButtonRelease, from, Qt::NoButton);
}
BENCHMARK_CAPTURE(BM_StampBrushDab, Eraser, 1)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_StampBrushDab, Soften, 5)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_StampBrushDab, Airbrush, 8)->Unit(benchmark::kMillisecond)->Iterations(20);

// A short stroke on the 12-megapixel stamp, press to release: the release keeps the
// stroke as a stamp snapshot, whose file is written by a worker.
void BM_StampStroke(benchmark::State& state) {
  auto canvas = OpenCanvas();
  FloatStamp(*canvas);
  canvas->StampOptions(1);
  const QPointF from = canvas->StampFrame().center();
  SendMouse(*canvas, QEvent::MouseMove, from, Qt::NoButton);
  for (auto _ : state) {
    SendMouse(*canvas, QEvent::MouseButtonPress, from, Qt::LeftButton);
    SendMouse(*canvas, QEvent::MouseMove, from + QPointF(20, 10), Qt::LeftButton);
    SendMouse(*canvas, QEvent::MouseButtonRelease, from + QPointF(20, 10), Qt::NoButton);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StampStroke)->Unit(benchmark::kMillisecond)->Iterations(4);

void BM_StampBlur(benchmark::State& state) {
  auto canvas = OpenCanvas();
  FloatStamp(*canvas);
  for (auto _ : state) {
    canvas->Stampeffect(1);
  }
}
BENCHMARK(BM_StampBlur)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_StampBurnIn(benchmark::State& state) {
  auto canvas = OpenCanvas();
  for (auto _ : state) {
    state.PauseTiming();
    FloatStamp(*canvas);
    state.ResumeTiming();
    ClickApply(*canvas);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    canvas->UndoAndRedo(true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StampBurnIn)->Unit(benchmark::kMillisecond)->Iterations(2);

// The text tool armed with a 40-character text placed on the picture.
void ArmText(Imageqzviewer& canvas) {
  canvas.SetMax(255);
  canvas.SetMin(10);
  canvas.SetValue(10);
  canvas.SetEffect(4);
  canvas.SetFitMode(true);
  canvas.Relayout();
  canvas.SetFontSizeA(40);
  canvas.Text1()->setPlainText(QStringLiteral("The quick brown fox jumps over the dog."));
}

void BM_TextKeystroke(benchmark::State& state) {
  auto canvas = OpenCanvas();
  ArmText(*canvas);
  QPlainTextEdit& box = *canvas->Text1();
  bool grow = true;
  for (auto _ : state) {
    // One letter typed, then taken back, so the text stays at 40 characters.
    QTextCursor cursor = box.textCursor();
    cursor.movePosition(QTextCursor::End);
    if (grow) {
      cursor.insertText(QStringLiteral("s"));
    } else {
      cursor.deletePreviousChar();
    }
    grow = !grow;
  }
}
BENCHMARK(BM_TextKeystroke)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_TextCommit(benchmark::State& state) {
  auto canvas = OpenCanvas();
  for (auto _ : state) {
    state.PauseTiming();
    ArmText(*canvas);
    state.ResumeTiming();
    canvas->TextPainting(true);
    state.PauseTiming();
    canvas->WaitForSnapshot();
    canvas->UndoAndRedo(true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TextCommit)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FillRasterize(benchmark::State& state) {
  auto canvas = OpenCanvas();
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Radial");
  for (auto _ : state) {
    state.PauseTiming();
    SelectHalf(*canvas, 19);
    state.ResumeTiming();
    canvas->Rasterize();
  }
}
BENCHMARK(BM_FillRasterize)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_CAPTURE(BM_PreviewStep, Straighten, 2, 10, -10)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK_CAPTURE(BM_PreviewStep, Gamma, 7, 3, 0)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
