#pragma once
// The weather and light effects as the canvas runs them: the preview over the displayed
// picture and the commit on the picture at its own size, with the arguments each takes.

#include <cstdint>
#include <vector>

#include <QPointF>
#include <QRectF>

#include "effects/ModEffectsWeather.h"

class QImage;
namespace Gdip {
class Graphics;
}

namespace ModEffects {

class EffectClock;

// The particles a preview drew and the displayed picture they were drawn over: what Apply
// burns in, so that the picture written is the picture the user saw.
struct ParticlePreview {
  int code = 0;
  QRectF over;
  std::vector<Particle> particles;
};

// What the canvas knows when it shows or applies an effect.
struct EffectRun {
  int code = 0;         // 28 to 37
  QRectF fitRect;       // the displayed picture on the canvas
  float Value = 0;      // the slider's value
  float Max = 0;        // the slider's top
  QPointF lightPoint;   // the irradiation point, in canvas coordinates
  std::uint32_t pickedColour = 0;  // the picked colour, a device colour (red in the low byte)
  const ParticlePreview* seen = nullptr;  // the last particle preview, if any
};

// The larger of picture width / displayed width and picture height / displayed height:
// how much bigger committed particles and flares are drawn. 1 when nothing is displayed.
float CommitScale(int width, int height, const QRectF& fitRect);

// Draws the effect at commit size onto a graphics over a picture of width x height.
// Particle effects take half the slider value in milliseconds; clouds 200 and mist 100.
void DrawEffectCommit(Gdip::Graphics& target, int width, int height, const EffectRun& run,
                      EffectClock* clock = nullptr);
// The picture with the effect committed, straight ARGB32. The drawing runs on a
// premultiplied copy converted once each way; a null image when none can be made. A
// particle effect whose preview of the same kind was drawn over fitRect burns in those
// particles, placed and sized from the displayed picture to this one, in no set time;
// without one it scatters as DrawEffectCommit does.
QImage CommitEffect(QImage picture, const EffectRun& run, EffectClock* clock = nullptr);
// The live preview on the canvas over fitRect: particles (28 to 32) for the slider value
// in milliseconds, kept in seen when given, or the irradiation spot (37) with its
// gradient centre at lightPoint. Other codes draw nothing.
void DrawEffectPreview(ModGDI::DrawTarget target, const EffectRun& run, EffectClock* clock = nullptr,
                       ParticlePreview* seen = nullptr);

}  // namespace ModEffects
