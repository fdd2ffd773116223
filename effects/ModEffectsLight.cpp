#include "effects/ModEffectsLight.h"

#include <algorithm>

#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"

namespace ModEffects {

using ModGDI::MakeARGB;

namespace {

constexpr std::uint32_t kWhite = MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kClearWhite = MakeARGB(0, 255, 255, 255);

// A disc with its gradient centre at its own centre and no outline.
void Disc(Gdip::Graphics& g, float x, float y, float rx, float ry, float focus, std::uint32_t centre,
          std::uint32_t surround) {
  ModGDI::FillRadialEllipse(g, x, y, rx, ry, x, y, focus, centre, surround, true);
}

}  // namespace

void DrawLensFlare(ModGDI::DrawTarget target, float x, float y, float rx, float ry, int imageWidth, int imageHeight,
                   float ringFocus) {
  Gdip::Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  Disc(*g, x, y, 3 * rx, 3 * ry, 0, kWhite, kClearWhite);
  Disc(*g, x, y, rx, ry, ringFocus, MakeARGB(255, 255, 140, 160), MakeARGB(0, 255, 140, 160));
  Disc(*g, x, y, rx - 50, ry - 50, 0.3f, MakeARGB(255, 255, 250, 150), MakeARGB(0, 255, 250, 150));
  Disc(*g, x, y, rx - 90, ry - 90, 0.5f, kWhite, kClearWhite);
  // The glints keep their pixel sizes and offsets at every picture size.
  Disc(*g, x + 70, y + 60, 30, 30, 0.5f, MakeARGB(100, 255, 255, 255), MakeARGB(10, 255, 255, 255));
  Disc(*g, x + 100, y + 80, 50, 50, 0.5f, MakeARGB(100, 255, 255, 255), MakeARGB(10, 255, 255, 255));
  Disc(*g, float(imageWidth - 150), float(imageHeight - 125), 5, 5, 0, MakeARGB(200, 255, 155, 90),
       MakeARGB(10, 255, 155, 90));
  Disc(*g, float(imageWidth - 120), float(imageHeight - 100), 10, 10, 0, MakeARGB(200, 200, 255, 80),
       MakeARGB(10, 200, 255, 80));
}

void DrawIrradiation(ModGDI::DrawTarget target, float cx, float cy, float rx, float ry, float gx, float gy, float focus,
                     std::uint32_t colour, int alpha) {
  if (Gdip::Graphics* g = target.Graphics()) {
    const auto edge = static_cast<std::uint8_t>(std::clamp(alpha, 0, 255));
    ModGDI::FillRadialEllipse(*g, cx, cy, rx, ry, gx, gy, focus, ModGDI::SetARGBAlpha(colour, 0),
                              ModGDI::SetARGBAlpha(colour, edge), true);
  }
}

void DrawMoon(ModGDI::DrawTarget target, int imageWidth, int imageHeight) {
  Gdip::Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  // The night shade must reach every pixel evenly, so it is filled without smoothing
  // whatever mode earlier drawing left on the graphics.
  g->SetSmoothingMode(Gdip::SmoothingMode::None);
  g->FillRectangle(Gdip::SolidBrush(MakeARGB(100, 0, 0, 0)), QRectF(0, 0, imageWidth, imageHeight));
  Disc(*g, 100, 80, 80, 80, 0, kWhite, kClearWhite);
  Disc(*g, 100, 80, 60, 60, 0.9f, kWhite, kClearWhite);
}

}  // namespace ModEffects
