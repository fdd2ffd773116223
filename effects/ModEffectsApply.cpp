#include "effects/ModEffectsApply.h"

#include <algorithm>
#include <optional>

#include <QImage>

#include "effects/ModEffectsLight.h"
#include "effects/ModEffectsWeather.h"
#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace ModEffects {

using Numbers::RoundToInt;

namespace {

// The particle kinds' preview size (the commit multiplies it by the scale) and alpha range.
struct ParticleKind {
  float maxSize;
  int alphaRange;
};

std::optional<ParticleKind> ParticleKindOf(int code) {
  switch (code) {
    case kBubbleEffect:
    case kFireflyEffect:
      return ParticleKind{10, 100};
    case kRainEffect:
      return ParticleKind{50, 50};
    case kSnowEffect:
      return ParticleKind{5, 255};
    case kFlowerEffect:
      return ParticleKind{10, 255};
    default:
      return std::nullopt;
  }
}

int EdgeAlpha(const EffectRun& run) { return RoundToInt(run.Max - run.Value); }

std::uint32_t LightColour(const EffectRun& run) { return ModGDI::RGBToARGB(run.pickedColour, 255); }

// The preview's particles, when they are of this effect and over this displayed picture.
const ParticlePreview* SeenFor(const EffectRun& run) {
  const ParticlePreview* seen = run.seen;
  const bool fits = seen != nullptr && ParticleKindOf(run.code) && seen->code == run.code && seen->over == run.fitRect &&
                    !run.fitRect.isEmpty();
  return fits ? seen : nullptr;
}

}  // namespace

float CommitScale(int width, int height, const QRectF& fitRect) {
  if (fitRect.width() <= 0 || fitRect.height() <= 0) {
    return 1.0f;
  }
  const double across = width / fitRect.width();
  const double down = height / fitRect.height();
  return static_cast<float>(across > down ? across : down);
}

void DrawEffectCommit(Gdip::Graphics& target, int width, int height, const EffectRun& run, EffectClock* clock) {
  const float s = CommitScale(width, height, run.fitRect);
  const auto W = float(width);
  const auto H = float(height);
  if (const auto kind = ParticleKindOf(run.code)) {
    ScatterParticles(target, RoundToInt(run.Value / 2), kind->maxSize * s, 10, run.code, kind->alphaRange, 10, 10, W,
                     H, clock);
    return;
  }
  switch (run.code) {
    case kCloudEffect:
      ScatterParticles(target, 200, 200, 10, run.code, 200, 10, 10, W, 50, clock);
      break;
    case kMistEffect:
      ScatterParticles(target, 100, float(width / 2), 150, run.code, 255, 10, 10, W, H, clock);
      break;
    case kMoonEffect:
      DrawMoon(target, width, height);
      break;
    case kLensFlareEffect:
      DrawLensFlare(target, 100, 100, 100 * s, 100 * s, width, height, 0);
      break;
    case kIrradiationEffect: {
      const QRectF& fit = run.fitRect;
      const double gx = fit.width() > 0 ? (run.lightPoint.x() - fit.x()) * W / fit.width() : 0;
      const double gy = fit.height() > 0 ? (run.lightPoint.y() - fit.y()) * H / fit.height() : 0;
      DrawIrradiation(target, float(width / 2), float(height / 2), W - W * 0.2f, H - H * 0.2f, float(gx), float(gy), 0,
                      LightColour(run), EdgeAlpha(run));
      break;
    }
    default:
      break;
  }
}

QImage CommitEffect(QImage picture, const EffectRun& run, EffectClock* clock) {
  if (picture.isNull()) {
    return {};
  }
  // Qt blends fastest into premultiplied pixels; the picture is switched in place, once
  // each way, instead of blending every particle into straight alpha. A photograph is
  // opaque before and after, and then the switches cost no pass over its pixels.
  Gdip::SwitchAlphaForm(picture, QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) {
    return {};
  }
  if (const ParticlePreview* seen = SeenFor(run)) {
    const QRectF& fit = run.fitRect;
    const ParticleMapping toPicture{fit.topLeft(), picture.width() / fit.width(), picture.height() / fit.height(),
                                    CommitScale(picture.width(), picture.height(), fit)};
    DrawParticles(picture, seen->particles, toPicture);
  } else if (auto g = Gdip::Graphics::FromSurface(picture)) {
    DrawEffectCommit(*g, picture.width(), picture.height(), run, clock);
  }
  Gdip::SwitchAlphaForm(picture, QImage::Format_ARGB32);
  return picture;
}

void DrawEffectPreview(ModGDI::DrawTarget target, const EffectRun& run, EffectClock* clock, ParticlePreview* seen) {
  const QRectF& fit = run.fitRect;
  if (const auto kind = ParticleKindOf(run.code)) {
    std::vector<Particle>* drawn = nullptr;
    if (seen != nullptr) {
      seen->code = run.code;
      seen->over = fit;
      drawn = &seen->particles;
    }
    ScatterParticles(std::move(target), RoundToInt(run.Value), kind->maxSize, 10, run.code, kind->alphaRange,
                     float(fit.x()), float(fit.y()), float(fit.width()), float(fit.height()), clock, drawn);
  } else if (run.code == kIrradiationEffect) {
    DrawIrradiation(std::move(target), float(fit.x() + fit.width() / 2), float(fit.y() + fit.height() / 2),
                    float(fit.width() * 0.8), float(fit.height() * 0.8), float(run.lightPoint.x()),
                    float(run.lightPoint.y()), 0, LightColour(run), EdgeAlpha(run));
  }
}

}  // namespace ModEffects
