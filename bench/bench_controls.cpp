// The drawn menu: opening the 31-row Image Tool menu (set-up and a full paint) should
// stay under 3 ms, and moving the highlight to the next row under 0.5 ms, so the menu
// follows the pointer without lag. The image toolbar repaints on every pointer move:
// under 2 ms.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "controls/ToolbarImg.h"
#include "controls/ZpYSkinMenu.h"

namespace {

constexpr int kImageToolMenu = 3;

void OpenImageTool(ZpYSkinMenu& menu) {
  menu.SetMemFirst(true);
  menu.SetInitializemenu(kImageToolMenu);
  menu.resize(217, int(menu.New_Height()) + 10);
  menu.MenuPainting(false);
}

void BM_OpenImageToolMenu(benchmark::State& state) {
  QTemporaryDir data;
  ZpYSkinMenu menu(nullptr, data.path() + "/");
  menu.resize(217, 600);
  for (auto _ : state) {
    OpenImageTool(menu);
    benchmark::DoNotOptimize(menu.BackBuffer().constBits());
  }
}
BENCHMARK(BM_OpenImageToolMenu)->Unit(benchmark::kMillisecond);

void BM_MoveHighlight(benchmark::State& state) {
  QTemporaryDir data;
  ZpYSkinMenu menu(nullptr, data.path() + "/");
  menu.resize(217, 600);
  OpenImageTool(menu);
  const auto& rects = menu.State().RowRects();
  // Alternates between two rows so that every move carries the highlight.
  const QPointF rows[2] = {rects[2].center(), rects[3].center()};
  int turn = 0;
  for (auto _ : state) {
    QMouseEvent move(QEvent::MouseMove, rows[turn], rows[turn], Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&menu, &move);
    turn ^= 1;
  }
}
BENCHMARK(BM_MoveHighlight)->Unit(benchmark::kMicrosecond);

void BM_ToolbarPointerMove(benchmark::State& state) {
  ToolbarImg toolbar(nullptr, QCoreApplication::applicationDirPath() + "/Datas/");
  toolbar.resize(1024, 40);
  toolbar.StartPaint();
  // Alternates between two buttons so that every move changes the hovered face.
  const QPointF buttons[2] = {toolbar.ButtonLayout().Rects[1].center(), toolbar.ButtonLayout().Rects[3].center()};
  int turn = 0;
  for (auto _ : state) {
    QMouseEvent move(QEvent::MouseMove, buttons[turn], buttons[turn], Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&toolbar, &move);
    turn ^= 1;
  }
}
BENCHMARK(BM_ToolbarPointerMove)->Unit(benchmark::kMillisecond);

}  // namespace
