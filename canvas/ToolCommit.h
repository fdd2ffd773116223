#pragma once
// What Apply draws: for each commit branch of the mode table, a routine that renders the
// edited picture at the picture's own resolution from the tool's state. The canvas hands
// the result to its undo commit; a null result commits nothing.

#include <cstdint>

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include "canvas/ToolModes.h"

class ClsCalendar;
class ClsSelect;
namespace Gdip {
class Bitmap;
}
namespace ModEffects {
class EffectClock;
struct ParticlePreview;
}
namespace TextLayer {
struct Text;
}

namespace ToolCommit {

// The red-eye rectangle is at most this many canvas pixels across and down.
inline constexpr double kRedEyeMaxSide = 100;
inline constexpr int kRedEyeDarkening = 10;
inline constexpr int kRippleStrength = 10;

// The tool's state at the moment of Apply.
struct Input {
  const Gdip::Bitmap& picture;  // the picture shown
  ToolModes::Mode mode = ToolModes::Mode::Browse;
  float value = 0;              // the slider's value
  int max = 0;                  // the slider's top
  QRectF displayed{};             // where the picture lies on the canvas, in canvas pixels
  QSize displaySize{};            // the zoomed size (the resize target)
  QPointF press{};                // the drag rectangle, press point to current point
  QPointF current{};
  QPointF lightPoint{};           // the irradiation point on the canvas
  std::uint32_t pickedColour = 0;  // device colour (red in the low byte)
  ModEffects::EffectClock* clock = nullptr;
  QRectF selection{};              // the tool rectangle, canvas pixels
  std::uint32_t pickedColour1 = 0;  // the picker's other colour (the fills' surround)
  QPointF gradientPoint{};         // the fills' focus on the canvas
  QString fillStyle{};
  ClsSelect* select = nullptr;     // cuts the selection (delete)
  ToolModes::Mode previousMode = ToolModes::Mode::Browse;  // the tool that made the selection (delete)
  QPointF shapeStart{};            // the shape tools' points, canvas pixels
  QPointF shapeEnd{};
  float lineWidth = 1;             // the shape pen, picture pixels
  int shift = 0;                   // the drag's shift state
  const QImage* stamp = nullptr;   // the floating stamp (burn-in)
  const TextLayer::Text* text = nullptr;  // the text layer, canvas pixels
  const ClsCalendar* calendar = nullptr;  // the calendar layer as last drawn on the canvas
  const ModEffects::ParticlePreview* seenParticles = nullptr;  // the last particle preview
  QPointF calendarAnchor{};        // the calendar layer's top-left, canvas pixels
};

using Renderer = QImage (*)(const Input&);

// The routine of a branch; null for a branch whose tool is not built yet and for the
// branch that draws nothing.
Renderer RendererFor(ToolModes::Commit branch);

// A transparent 32-bit picture; null for an empty size or one that cannot be made.
QImage Blank(QSize size);
// Picture pixels per canvas pixel along each axis, (1, 1) while nothing is displayed.
QPointF Ratios(const Input& input);

// The red-eye rectangle in picture pixels: the drag rectangle, at most 100 x 100 canvas
// pixels from its top-left corner, mapped from where the picture is displayed.
QRectF RedEyeRect(const Input& input);

// Contrast takes a tenth of the slider's value, kept to hundredths.
float ContrastAmount(float value);

}  // namespace ToolCommit
