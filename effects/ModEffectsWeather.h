#pragma once
// The weather effects: random particles scattered over a picture for a time budget
// (bubbles, fireflies, rain, snow, flowers, clouds and mist) and the drawers of single
// particles. Every routine draws on a graphics the caller keeps or on a surface it makes
// its own graphics for (ModGDI::DrawTarget).

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include <QPointF>

#include "foundation/ModDraw.h"

class QImage;

namespace ModEffects {

class EffectClock;

// Effect codes, the canvas's tool modes of the effects.
inline constexpr int kBubbleEffect = 28;
inline constexpr int kFireflyEffect = 29;
inline constexpr int kRainEffect = 30;
inline constexpr int kSnowEffect = 31;
inline constexpr int kFlowerEffect = 32;
inline constexpr int kCloudEffect = 33;
inline constexpr int kMoonEffect = 34;
inline constexpr int kMistEffect = 35;
inline constexpr int kLensFlareEffect = 36;
inline constexpr int kIrradiationEffect = 37;

// Colours picked per firefly and per flower (a flower's alpha is replaced).
extern const std::array<std::uint32_t, 4> FireflyPalette;
extern const std::array<std::uint32_t, 4> FlowerPalette;

// The arguments of one scatter call, as ScatterParticles takes them.
struct ScatterSettings {
  int budget = 0;  // milliseconds
  float maxSize = 0;
  float minSize = 0;
  int code = 0;
  int alphaRange = 0;
  float areaLeft = 0;
  float areaTop = 0;
  float areaWidth = 0;
  float areaHeight = 0;
};

// What one pass of the scatter loop draws. Discs use width and height as radii, a flower
// and an overlay picture as their box, a rain streak runs from (x, y) to (x2, y2).
struct Particle {
  int code = 0;  // 0 when the pass draws nothing
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int x2 = 0;
  int y2 = 0;
  std::uint32_t colour = 0;
  int opacity = 0;  // a rain streak's alpha, an overlay picture's opacity (0..275)
};

// A source of uniform values in [0, 1); the program passes Numbers::Rnd.
using RandomSource = std::function<double()>;

// One pass: takes the pass's random values from rnd in their fixed order and says what
// to draw. Unknown codes take three values and draw nothing; snow and flowers whose
// opacity comes out above 255 draw nothing.
Particle NextParticle(const ScatterSettings& settings, const RandomSource& rnd);

// The most passes a call may run. The time budget alone would let a fast machine draw
// many times the particles the effect was designed around and white the picture out, so
// passes are capped at a fixed rate per millisecond of budget, set for the look on a
// one-megapixel area at the preview's particle sizes and scaled by the area over the
// mean area one particle covers (bigger committed particles: fewer of them).
int ParticleCap(const ScatterSettings& settings);

// Draws random particles of the code's kind over the area until the budget has elapsed
// or the cap is reached; the call lasts the budget either way. Clouds (33) and mist (35)
// load "Datas/clouds.png" and "Datas/Mist.png" once per call; without them nothing is
// drawn. Unknown codes draw nothing. Without a clock the machine's clock is used. With
// drawn, the particles drawn are kept there in their order, replacing what it held.
void ScatterParticles(ModGDI::DrawTarget target, int budget, float maxSize, float minSize, int code, int alphaRange,
                      float areaLeft, float areaTop, float areaWidth, float areaHeight, EffectClock* clock = nullptr,
                      std::vector<Particle>* drawn = nullptr);

// Where kept particles are drawn again: a point p goes to (p - origin) times the scale of
// its axis, and every size (radii, petals, a streak's width) is multiplied by sizeScale.
struct ParticleMapping {
  QPointF origin;
  double scaleX = 1;
  double scaleY = 1;
  double sizeScale = 1;
};

// Draws kept particles again, mapped, in their order and with nothing random: what a
// scatter showed, at another place and size. A large target is drawn in row bands on
// several cores; each particle lands in the bands it touches.
void DrawParticles(QImage& target, std::span<const Particle> particles, const ParticleMapping& mapping);

// A faint ring with a soft highlight near its top.
void DrawBubble(ModGDI::DrawTarget target, float x, float y, float rx, float ry, float focus);
// A coloured glow with a white core of half its radii.
void DrawFirefly(ModGDI::DrawTarget target, float x, float y, float rx, float ry, float focus, std::uint32_t colour);
// An anti-aliased line of light grey at the alpha, one pixel wide unless said otherwise.
void DrawRainStreak(ModGDI::DrawTarget target, float x1, float y1, float x2, float y2, int alpha, float width = 1);
// A disc of the colour fading out to its rim.
void DrawSnowflake(ModGDI::DrawTarget target, float x, float y, float rx, float ry, float focus, std::uint32_t colour);
// Four 270-degree petals around (x + width, y + height), filled with the colour.
void DrawFlower(ModGDI::DrawTarget target, float x, float y, float width, float height, std::uint32_t colour);
// The whole picture (pictureWidth x pictureHeight) stretched into the rectangle, its
// alpha multiplied by opacity / 255 (above 255 raises alpha, clamped at opaque).
void DrawOverlayPicture(ModGDI::DrawTarget target, float x, float y, float width, float height, int pictureWidth,
                        int pictureHeight, const QImage& picture, int opacity);

}  // namespace ModEffects
