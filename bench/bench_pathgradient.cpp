// The path-gradient fill of the radial shapes, at the sizes the canvas draws them.
#include <array>

#include <QImage>

#include <benchmark/benchmark.h>

#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/PathGradientBrush.h"

namespace {

void FillGradientEllipse(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  QImage surface(side, side, QImage::Format_ARGB32);
  surface.fill(0);
  Gdip::Path path(Gdip::FillMode::Winding);
  path.AddEllipse(1, 1, side - 2, side - 2);
  Gdip::PathGradientBrush brush(path);
  brush.SetCenterColor(0xFFFFFFFFu);
  const std::array<Gdip::ARGB, 1> surround{0xFF2040A0u};
  brush.SetSurroundColors(surround);
  brush.SetFocusScales(0.3f, 0.3f);
  auto g = Gdip::Graphics::FromSurface(surface);
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  for (auto _ : state) {
    g->FillPath(brush, path);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * side * side);
}

}  // namespace

BENCHMARK(FillGradientEllipse)->Arg(128)->Arg(512)->Arg(2048);
