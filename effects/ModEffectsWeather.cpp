#include "effects/ModEffectsWeather.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include <QImage>
#include <QPainter>

#include "effects/EffectClock.h"
#include "effects/PixelLoops.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Pen.h"

namespace ModEffects {

using ModGDI::MakeARGB;
using Numbers::RoundToInt;

const std::array<std::uint32_t, 4> FireflyPalette = {MakeARGB(255, 136, 135, 250), MakeARGB(255, 255, 0, 255),
                                                     MakeARGB(255, 255, 150, 0), MakeARGB(255, 255, 60, 0)};
const std::array<std::uint32_t, 4> FlowerPalette = {MakeARGB(255, 255, 0, 255), MakeARGB(255, 255, 150, 0),
                                                    MakeARGB(255, 255, 60, 0), MakeARGB(255, 255, 255, 255)};

namespace {

constexpr std::uint32_t kWhite = MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kClearWhite = MakeARGB(0, 255, 255, 255);

// The pass rate of each kind: particles per millisecond of budget on one megapixel, at
// the particle sizes the preview draws (maxSize and minSize below). Mist's reference
// size is half the width of a 4:3 picture of one megapixel.
struct KindRate {
  int code;
  double perMs;
  double maxSize;
  double minSize;
};
constexpr KindRate kRates[] = {
    {kBubbleEffect, 10, 10, 10}, {kFireflyEffect, 6, 10, 10}, {kRainEffect, 40, 50, 10},
    {kSnowEffect, 20, 5, 10},    {kFlowerEffect, 5, 10, 10},   {kCloudEffect, 2, 200, 10},
    {kMistEffect, 0.2, 577, 150},
};

// The mean of v * v for v spread evenly over [low, low + span].
double MeanSquare(double low, double span) { return low * low + low * span + span * span / 3; }

// The mean area one particle covers, up to a factor that is the same for every size of
// one kind (only ratios of it are used).
double Footprint(int code, double maxSize, double minSize) {
  maxSize = std::max(0.0, maxSize);
  switch (code) {
    case kRainEffect:
      return 10 + maxSize / 2;
    case kSnowEffect:
      return MeanSquare(1, maxSize);
    case kFlowerEffect:
      return MeanSquare(2, maxSize);
    case kCloudEffect:
      return MeanSquare(minSize, maxSize);
    case kMistEffect:
      return minSize * (minSize + maxSize / 2);
    default:
      return MeanSquare(10, maxSize);
  }
}

std::uint8_t ClampByte(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

// The picture with its alpha multiplied by a factor above 1 (clamped at opaque), the
// colours following so that the straight colour stays. The picture is premultiplied.
QImage AlphaBoosted(const QImage& picture, double factor) {
  QImage boosted = picture.copy();
  uchar* const pixels = boosted.bits();
  const qsizetype stride = boosted.bytesPerLine();
  const int width = boosted.width();
  Loops::ParallelRows(0, boosted.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      auto* row = reinterpret_cast<QRgb*>(pixels + stride * y);
      for (int x = 0; x < width; ++x) {
        const int a = qAlpha(row[x]);
        if (a == 0 || a == 255) {
          continue;
        }
        const int raised = std::min(255, RoundToInt(a * factor));
        const auto up = [&](int c) { return std::min(raised, c * raised / a); };
        row[x] = qRgba(up(qRed(row[x])), up(qGreen(row[x])), up(qBlue(row[x])), raised);
      }
    }
  });
  return boosted;
}

void DrawScaled(Gdip::Graphics& g, float x, float y, float width, float height, int pictureWidth, int pictureHeight,
                const QImage& picture, double opacity) {
  const QRectF destination(RoundToInt(x), RoundToInt(y), RoundToInt(width), RoundToInt(height));
  if (destination.isEmpty() || pictureWidth <= 0 || pictureHeight <= 0 || opacity <= 0) {
    return;
  }
  QPainter& painter = g.Painter();
  painter.save();
  painter.setOpacity(std::min(1.0, opacity));
  painter.drawImage(destination, picture, QRectF(0, 0, pictureWidth, pictureHeight));
  painter.restore();
}

// The overlay picture of a cloud or mist call, loaded once and premultiplied for Qt's
// fast drawing, with its alpha-raised copies made on first use.
class OverlayKit {
 public:
  explicit OverlayKit(int code) {
    const char* name = code == kCloudEffect ? "Datas/clouds.png" : (code == kMistEffect ? "Datas/Mist.png" : nullptr);
    if (name != nullptr) {
      // A missing or unreadable picture stays null: the passes then draw nothing.
      m_picture = QImage(ModPublic::AddBackslash(ModPublic::ProgramFolder()) + QLatin1String(name))
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
  }

  void Draw(Gdip::Graphics& g, const QRectF& box, int opacity) {
    if (m_picture.isNull()) {
      return;
    }
    const QImage* picture = &m_picture;
    if (opacity > 255) {
      auto found = m_boosted.find(opacity);
      if (found == m_boosted.end()) {
        found = m_boosted.emplace(opacity, AlphaBoosted(m_picture, opacity / 255.0)).first;
      }
      picture = &found->second;
    }
    DrawScaled(g, float(box.x()), float(box.y()), float(box.width()), float(box.height()), m_picture.width(),
               m_picture.height(), *picture, opacity / 255.0);
  }

 private:
  QImage m_picture;
  std::map<int, QImage> m_boosted;
};

// A particle's points and sizes where the mapping puts them.
struct Placed {
  float x, y, x2, y2, width, height, scale;
};

Placed Place(const Particle& p, const ParticleMapping& m) {
  const auto X = [&m](int v) { return float((v - m.origin.x()) * m.scaleX); };
  const auto Y = [&m](int v) { return float((v - m.origin.y()) * m.scaleY); };
  const auto size = float(m.sizeScale);
  return {X(p.x), Y(p.y), X(p.x2), Y(p.y2), p.width * size, p.height * size, size};
}

void DrawParticle(Gdip::Graphics& g, const Particle& p, OverlayKit& overlay, const ParticleMapping& mapping = {}) {
  const Placed at = Place(p, mapping);
  switch (p.code) {
    case kBubbleEffect:
      DrawBubble(g, at.x, at.y, at.width, at.height, 0.7f);
      break;
    case kFireflyEffect:
      DrawFirefly(g, at.x, at.y, at.width, at.height, 0.3f, p.colour);
      break;
    case kRainEffect:
      DrawRainStreak(g, at.x, at.y, at.x2, at.y2, p.opacity, at.scale);
      break;
    case kSnowEffect:
      DrawSnowflake(g, at.x, at.y, at.width, at.height, 0.5f, p.colour);
      break;
    case kFlowerEffect:
      DrawFlower(g, at.x, at.y, at.width, at.height, p.colour);
      break;
    case kCloudEffect:
    case kMistEffect:
      overlay.Draw(g, QRectF(at.x, at.y, at.width, at.height), p.opacity);
      break;
    default:
      break;
  }
}

// The rows a placed particle may touch, with a margin for its soft edge and pen.
std::pair<double, double> RowsTouched(const Particle& p, const Placed& at) {
  switch (p.code) {
    case kRainEffect:
      return {std::min(at.y, at.y2) - at.scale - 2, std::max(at.y, at.y2) + at.scale + 2};
    case kFlowerEffect:
      // Four petals of a box each around (x + width, y + height).
      return {at.y - 2, at.y + 3 * at.height + 2};
    default:
      // Discs around (x, y) with the sizes as radii; overlays are boxes from (x, y).
      return {at.y - at.height - 2, at.y + 2 * at.height + 2};
  }
}

}  // namespace

Particle NextParticle(const ScatterSettings& s, const RandomSource& rnd) {
  // Each value is drawn in its own statement: the order of the draws is part of the result.
  const int size = RoundToInt(rnd() * s.maxSize + 10);
  int x = RoundToInt(rnd() * s.areaWidth + s.areaLeft);
  const int y = RoundToInt(rnd() * s.areaHeight + s.areaTop);
  x -= size;
  Particle p;
  p.x = x;
  p.y = y;
  p.width = p.height = size;
  switch (s.code) {
    case kBubbleEffect:
      p.code = s.code;
      break;
    case kFireflyEffect:
      p.code = s.code;
      p.colour = FireflyPalette[std::size_t(RoundToInt(3 * rnd()))];
      break;
    case kRainEffect: {
      const int dx = RoundToInt(3 * rnd());
      const int length = RoundToInt(rnd() * s.maxSize + 10);
      p = {s.code, x, y, 0, 0, x + dx, y - length, 0, s.alphaRange};
      break;
    }
    case kSnowEffect: {
      const int flake = RoundToInt(rnd() * s.maxSize + 1);
      const int a = RoundToInt(rnd() * s.alphaRange + 20);
      if (a <= 255) {
        p = {s.code, x, y, flake, flake, 0, 0, MakeARGB(ClampByte(a), 255, 255, 255), a};
      }
      break;
    }
    case kFlowerEffect: {
      const int petal = RoundToInt(rnd() * s.maxSize + 2);
      const std::uint32_t c = FlowerPalette[std::size_t(RoundToInt(3 * rnd()))];
      const int a = RoundToInt(rnd() * s.alphaRange + 20);
      if (a <= 255) {
        p = {s.code, x, y, petal, petal, 0, 0, ModGDI::SetARGBAlpha(c, ClampByte(a)), a};
      }
      break;
    }
    case kCloudEffect:
    case kMistEffect: {
      // The area's left and top play no part here.
      int ox = RoundToInt(rnd() * s.areaWidth);
      const int oy = RoundToInt(rnd() * s.areaHeight);
      const int piece = RoundToInt(rnd() * s.maxSize + s.minSize);
      ox -= piece;
      const int a = RoundToInt(rnd() * s.alphaRange + 20);
      const int height = s.code == kCloudEffect ? piece : RoundToInt(s.minSize);
      p = {s.code, ox, oy, 2 * piece, height, 0, 0, 0, a};
      break;
    }
    default:
      break;
  }
  return p;
}

int ParticleCap(const ScatterSettings& s) {
  const auto kind = std::find_if(std::begin(kRates), std::end(kRates), [&](const KindRate& k) { return k.code == s.code; });
  if (kind == std::end(kRates) || s.budget <= 0 || s.areaWidth <= 0 || s.areaHeight <= 0) {
    return 0;
  }
  const double footprint = Footprint(s.code, s.maxSize, s.minSize);
  const double sizeScale = footprint > 0 ? Footprint(s.code, kind->maxSize, kind->minSize) / footprint : 1.0;
  const double megapixels = double(s.areaWidth) * double(s.areaHeight) / 1.0e6;
  const double cap = kind->perMs * s.budget * megapixels * sizeScale;
  return static_cast<int>(std::clamp(std::round(cap), 0.0, double(INT_MAX)));
}

void ScatterParticles(ModGDI::DrawTarget target, int budget, float maxSize, float minSize, int code, int alphaRange,
                      float areaLeft, float areaTop, float areaWidth, float areaHeight, EffectClock* clock,
                      std::vector<Particle>* drawn) {
  SteadyEffectClock wallClock;
  EffectClock& timer = clock != nullptr ? *clock : static_cast<EffectClock&>(wallClock);
  const ScatterSettings settings{budget, maxSize, minSize, code, alphaRange, areaLeft, areaTop, areaWidth, areaHeight};
  const int cap = ParticleCap(settings);
  OverlayKit overlay(code);
  const RandomSource rnd = &Numbers::Rnd;
  if (drawn != nullptr) {
    drawn->clear();
  }
  timer.Start();
  if (Gdip::Graphics* g = target.Graphics()) {
    for (int passes = 0; passes < cap && timer.ElapsedMs() < budget; ++passes) {
      const Particle particle = NextParticle(settings, rnd);
      DrawParticle(*g, particle, overlay);
      if (drawn != nullptr && particle.code != 0) {
        drawn->push_back(particle);
      }
    }
  }
  timer.WaitUntil(budget);
}

void DrawParticles(QImage& target, std::span<const Particle> particles, const ParticleMapping& mapping) {
  if (target.isNull() || particles.empty()) {
    return;
  }
  std::vector<Placed> placed;
  placed.reserve(particles.size());
  for (const Particle& p : particles) {
    placed.push_back(Place(p, mapping));
  }
  uchar* const pixels = target.bits();
  const qsizetype stride = target.bytesPerLine();
  // Each band paints through its own painter on its rows of the one picture, translated
  // so that every particle keeps its place and its edges match across the bands.
  Loops::ParallelRows(0, target.height() - 1, [&](int first, int last) {
    QImage band(pixels + stride * first, target.width(), last - first + 1, stride, target.format());
    OverlayKit overlay(particles.front().code);
    auto g = Gdip::Graphics::FromSurface(band);
    if (!g) {
      return;
    }
    g->Painter().translate(0, -first);
    for (std::size_t i = 0; i < particles.size(); ++i) {
      const auto [top, bottom] = RowsTouched(particles[i], placed[i]);
      if (bottom >= first && top <= last + 1) {
        DrawParticle(*g, particles[i], overlay, mapping);
      }
    }
  });
}

void DrawBubble(ModGDI::DrawTarget target, float x, float y, float rx, float ry, float focus) {
  if (Gdip::Graphics* g = target.Graphics()) {
    ModGDI::FillRadialEllipse(*g, x, y, rx, ry, x, y, focus, kClearWhite, MakeARGB(50, 255, 255, 255), false);
    ModGDI::FillRadialEllipse(*g, x, y, rx - 2, ry - 2, x, y - ry, 0.1f, MakeARGB(100, 255, 255, 255), kClearWhite,
                              true);
  }
}

void DrawFirefly(ModGDI::DrawTarget target, float x, float y, float rx, float ry, float focus, std::uint32_t colour) {
  if (Gdip::Graphics* g = target.Graphics()) {
    ModGDI::FillRadialEllipse(*g, x, y, rx, ry, x, y, focus, colour, ModGDI::SetARGBAlpha(colour, 0), true);
    ModGDI::FillRadialEllipse(*g, x, y, float(RoundToInt(rx) / 2), float(RoundToInt(ry) / 2), x, y, focus, kWhite,
                              kClearWhite, true);
  }
}

void DrawRainStreak(ModGDI::DrawTarget target, float x1, float y1, float x2, float y2, int alpha, float width) {
  if (Gdip::Graphics* g = target.Graphics()) {
    g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
    g->DrawLine(Gdip::Pen(MakeARGB(ClampByte(alpha), 228, 228, 228), width), QPointF(x1, y1), QPointF(x2, y2));
  }
}

void DrawSnowflake(ModGDI::DrawTarget target, float x, float y, float rx, float ry, float focus, std::uint32_t colour) {
  if (Gdip::Graphics* g = target.Graphics()) {
    ModGDI::FillRadialEllipse(*g, x, y, rx, ry, x, y, focus, colour, ModGDI::SetARGBAlpha(colour, 0), true);
  }
}

void DrawFlower(ModGDI::DrawTarget target, float x, float y, float width, float height, std::uint32_t colour) {
  Gdip::Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  Gdip::Path petals(Gdip::FillMode::Alternate);
  petals.AddArc(x, y, width, height, 90, 270);
  petals.AddArc(x, y + height, width, height, 360, 270);
  petals.AddArc(x + width, y + height, width, height, 270, 270);
  petals.AddArc(x + width, y, width, height, 180, 270);
  petals.CloseFigure();
  g->FillPath(Gdip::SolidBrush(colour), petals);
}

void DrawOverlayPicture(ModGDI::DrawTarget target, float x, float y, float width, float height, int pictureWidth,
                        int pictureHeight, const QImage& picture, int opacity) {
  Gdip::Graphics* g = target.Graphics();
  if (g == nullptr || picture.isNull()) {
    return;
  }
  if (opacity <= 255) {
    DrawScaled(*g, x, y, width, height, pictureWidth, pictureHeight, picture, opacity / 255.0);
    return;
  }
  const QImage premultiplied = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  DrawScaled(*g, x, y, width, height, pictureWidth, pictureHeight, AlphaBoosted(premultiplied, opacity / 255.0), 1.0);
}

}  // namespace ModEffects
