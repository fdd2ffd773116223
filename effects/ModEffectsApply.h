#pragma once
// The weather and light effects as the canvas runs them: the preview over the displayed
// picture and the commit on the picture at its own size, with the arguments each takes.

#include <cstdint>

#include <QPointF>
#include <QRectF>

class QImage;
namespace Gdip {
class Graphics;
}

namespace ModEffects {

class EffectClock;

// What the canvas knows when it shows or applies an effect.
struct EffectRun {
  int code = 0;         // 28 to 37
  QRectF fitRect;       // the displayed picture on the canvas
  float Value = 0;      // the slider's value
  float Max = 0;        // the slider's top
  QPointF lightPoint;   // the irradiation point, in canvas coordinates
  std::uint32_t pickedColour = 0;  // the picked colour, a device colour (red in the low byte)
};

// The larger of picture width / displayed width and picture height / displayed height:
// how much bigger committed particles and flares are drawn. 1 when nothing is displayed.
float CommitScale(int width, int height, const QRectF& fitRect);

// Draws the effect at commit size onto a graphics over a picture of width x height.
// Particle effects take half the slider value in milliseconds; clouds 200 and mist 100.
void DrawEffectCommit(Gdip::Graphics& target, int width, int height, const EffectRun& run,
                      EffectClock* clock = nullptr);
// The picture with the effect committed, straight ARGB32. The drawing runs on a
// premultiplied copy converted once each way; a null image when none can be made.
QImage CommitEffect(QImage picture, const EffectRun& run, EffectClock* clock = nullptr);
// The live preview on the canvas's surface over fitRect: particles (28 to 32) for the
// slider value in milliseconds, or the irradiation spot (37) with its gradient centre at
// lightPoint. Other codes draw nothing.
void DrawEffectPreview(QImage& surface, const EffectRun& run, EffectClock* clock = nullptr);

}  // namespace ModEffects
