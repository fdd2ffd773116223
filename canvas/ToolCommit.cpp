#include "canvas/ToolCommit.h"

#include <algorithm>
#include <cmath>

#include "canvas/tools/LayerRaster.h"
#include "canvas/tools/RegionCommit.h"
#include "canvas/tools/ShapeDrawing.h"
#include "effects/ColorAdjust.h"
#include "effects/ModEffectsApply.h"
#include "effects/RedEye.h"
#include "effects/WholePictureFilters.h"
#include "foundation/ModDraw.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureMemory.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace ToolCommit {

namespace {

using ToolModes::Commit;
using ToolModes::Mode;

// Straighten keeps the size and zooms so that no corner shows; rotate grows the canvas to
// the rotated drawing's size.
QImage RenderRotate(const Input& in) {
  const QImage& image = in.picture.Image();
  const auto w = float(image.width());
  const auto h = float(image.height());
  const bool grow = in.mode == Mode::Rotate;
  const QPointF r = Ratios(in);
  const QSizeF box = grow ? QSizeF(ModGDI::RotatedWidth * r.x() + 2, ModGDI::RotatedHeight * r.y() + 2) : QSizeF(w, h);
  QImage target = Blank(box.toSize());
  if (target.isNull()) {
    return {};
  }
  if (auto g = Gdip::Graphics::FromSurface(target)) {
    ModGDI::DrawImageRotated(*g, in.picture, w, h, float(box.width()), float(box.height()), in.value, true,
                             grow ? 0 : 1);
  }
  return target;
}

QImage RenderQuarterTurn(const Input& in) {
  return Gdip::QuarterTurned(in.picture.Image(), in.mode == Mode::TurnClockwise);
}

// The horizontal flip mirrors left to right, the vertical one top to bottom.
QImage RenderFlip(const Input& in) {
  const bool across = in.mode == Mode::FlipHorizontal;
  return Gdip::Mirrored(in.picture.Image(), across, !across);
}

QImage RenderColourAdjust(const Input& in) {
  std::unique_ptr<Gdip::Bitmap> adjusted;
  if (in.mode == Mode::Gamma) {
    adjusted = ModEffects::ColorAdjusted(in.picture, ModEffects::kGammaAdjust, in.value, 0);
  } else if (in.mode == Mode::Contrast) {
    adjusted = ModEffects::ColorAdjusted(in.picture, ModEffects::kContrastAdjust, 1.0f, ContrastAmount(in.value));
  } else {
    adjusted = ModEffects::ColorAdjusted(in.picture, ModEffects::kGreyAdjust, 1.0f, 0);
  }
  return adjusted ? adjusted->Image() : QImage();
}

QImage RenderResize(const Input& in) {
  if (in.displaySize.isEmpty()) {
    return {};
  }
  return in.picture.Image().scaled(in.displaySize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage RenderWeather(const Input& in) {
  ModEffects::EffectRun run;
  run.code = int(in.mode);
  run.fitRect = in.displayed;
  run.Value = in.value;
  run.Max = float(in.max);
  run.lightPoint = in.lightPoint;
  run.pickedColour = in.pickedColour;
  run.seen = in.seenParticles;
  return ModEffects::CommitEffect(Gdip::EditableCopy(in.picture.Image()), run, in.clock);
}

QImage RenderFilter(const Input& in) {
  const QImage& image = in.picture.Image();
  switch (in.mode) {
    case Mode::Blur:
      return ModEffects::Blur(image);
    case Mode::Sharpen:
      return ModEffects::Sharpen(image);
    case Mode::Soften:
      return ModEffects::Soften(image);
    case Mode::Antialias:
      return ModEffects::Antialias(image);
    case Mode::Ripple:
      return ModEffects::Ripple(image, kRippleStrength);
    default:
      return {};
  }
}

QImage RenderRedEye(const Input& in) {
  QImage picture = Gdip::EditableCopy(in.picture.Image());
  const QRectF box = RedEyeRect(in);
  if (picture.isNull() || box.isEmpty()) {
    return picture;
  }
  ModEffects::RemoveRedEye(picture, float(box.x()), float(box.y()), float(box.width()), float(box.height()),
                           Numbers::RoundToInt(in.value), kRedEyeDarkening);
  return picture;
}

}  // namespace

QPointF Ratios(const Input& in) {
  const QImage& image = in.picture.Image();
  if (in.displayed.width() <= 0 || in.displayed.height() <= 0) {
    return {1, 1};
  }
  return {image.width() / in.displayed.width(), image.height() / in.displayed.height()};
}

QImage Blank(QSize size) {
  if (size.isEmpty()) {
    return {};
  }
  // Transparent black is all zero bytes, which fresh memory already holds.
  return Gdip::ZeroedImage(size.width(), size.height(), QImage::Format_ARGB32);
}

QRectF RedEyeRect(const Input& input) {
  QRectF drag = input.selection.isEmpty() ? QRectF(input.press, input.current).normalized() : input.selection;
  drag.setWidth(std::min(drag.width(), kRedEyeMaxSide));
  drag.setHeight(std::min(drag.height(), kRedEyeMaxSide));
  const QPointF r = Ratios(input);
  return {(drag.x() - input.displayed.x()) * r.x(), (drag.y() - input.displayed.y()) * r.y(), drag.width() * r.x(),
          drag.height() * r.y()};
}

float ContrastAmount(float value) { return float(Numbers::RoundHalfEven(double(value) * 10.0) / 100.0); }

Renderer RendererFor(Commit branch) {
  switch (branch) {
    case Commit::Rotate:
      return RenderRotate;
    case Commit::QuarterTurn:
      return RenderQuarterTurn;
    case Commit::Flip:
      return RenderFlip;
    case Commit::ColourAdjust:
      return RenderColourAdjust;
    case Commit::Resize:
      return RenderResize;
    case Commit::Weather:
      return RenderWeather;
    case Commit::Filter:
      return RenderFilter;
    case Commit::RedEye:
      return RenderRedEye;
    case Commit::Region:
      return RegionCommit::RenderRegion;
    case Commit::Card:
      return RegionCommit::RenderCard;
    case Commit::Colorize:
      return RegionCommit::RenderColorize;
    case Commit::DeleteSelection:
      return RegionCommit::RenderDelete;
    case Commit::Shape:
      return ShapeDrawing::RenderShape;
    case Commit::Layer:
      return LayerRaster::BurnInLayer;
    case Commit::NoBranch:
      return nullptr;
  }
  return nullptr;
}

}  // namespace ToolCommit
