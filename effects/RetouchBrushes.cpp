#include "effects/RetouchBrushes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "effects/PixelLoops.h"
#include "foundation/Numbers.h"

namespace ModEffects {

namespace {

using Loops::ClampByte;
using Loops::RoundEven;

// One dab clipped to the view, in view coordinates (rows counted from the bottom).
struct Dab {
  int cx = 0;
  int cy = 0;
  std::int64_t r2 = 0;
  double norm = 1.0;  // r^2 + 1
  int dxFirst = 0;
  int dxLast = 0;
  int dyFirst = 0;
  int dyLast = 0;
};

std::optional<Dab> MakeDab(const PixelView& view, QPoint centre, int S) {
  if (view.Empty()) {
    return std::nullopt;
  }
  const std::int64_t r = Numbers::RoundHalfEven(S * 0.5);
  if (r < 0) {
    return std::nullopt;
  }
  const std::int64_t e = r == 0 ? 1 : 0;
  const std::int64_t x = centre.x();
  const std::int64_t y = std::int64_t{view.height} - 1 - centre.y();
  const std::int64_t left = std::max<std::int64_t>(x - r, 0);
  const std::int64_t right = std::min<std::int64_t>(x + r + e, view.width - 1);
  const std::int64_t bottom = std::max<std::int64_t>(y - r, 0);
  const std::int64_t top = std::min<std::int64_t>(y + r + e, view.height - 1);
  if (right <= left || top <= bottom) {
    return std::nullopt;
  }
  Dab dab;
  dab.cx = static_cast<int>(x);
  dab.cy = static_cast<int>(y);
  dab.r2 = r * r;
  dab.norm = double(dab.r2) + 1.0;
  dab.dxFirst = static_cast<int>(left - x);
  dab.dxLast = static_cast<int>(right - x);
  dab.dyFirst = static_cast<int>(bottom - y);
  dab.dyLast = static_cast<int>(top - y);
  return dab;
}

// The picture rectangle of a dab's box.
QRect PictureRect(const PixelView& view, const Dab& dab) {
  return QRect(QPoint(dab.cx + dab.dxFirst, view.ViewRowOfLine(dab.cy + dab.dyLast)),
               QPoint(dab.cx + dab.dxLast, view.ViewRowOfLine(dab.cy + dab.dyFirst)));
}

// Calls fn(pixel, x, y, w) for every pixel inside the brush circle, in dab order. The
// circle's extent on each row is worked out once, so the inner loop tests nothing.
template <typename PixelFn>
void ForEachDabPixel(const PixelView& view, const Dab& dab, PixelFn fn) {
  // Plain locals: the pixel stores go through byte pointers, which could alias anything
  // read through a reference, and would force a reload of each of these per pixel.
  const Dab d = dab;
  const int width = view.width;
  for (int dy = d.dyFirst; dy <= d.dyLast; ++dy) {
    const std::int64_t dy2 = std::int64_t{dy} * dy;
    if (dy2 > d.r2) {
      continue;
    }
    const auto reach = static_cast<int>(std::min<std::int64_t>(Loops::IntegerSqrt(d.r2 - dy2), width));
    const int dxFrom = std::max(d.dxFirst, -reach);
    const int dxTo = std::min(d.dxLast, reach);
    const int y = d.cy + dy;
    std::uint8_t* row = view.ViewRow(y);
    for (int dx = dxFrom; dx <= dxTo; ++dx) {
      const double w = 1.0 - double(std::int64_t{dx} * dx + dy2) / d.norm;
      const int x = d.cx + dx;
      fn(row + std::ptrdiff_t{x} * 4, x, y, w);
    }
  }
}

// Entry i is i / 3: the grey of a pixel from the sum of its three colour channels.
const std::array<std::uint8_t, 766>& GreyTable() {
  static const auto table = [] {
    std::array<std::uint8_t, 766> t{};
    for (int i = 0; i < 766; ++i) {
      t[std::size_t(i)] = static_cast<std::uint8_t>(i / 3);
    }
    return t;
  }();
  return table;
}

bool OnEdge(const PixelView& view, int x, int y) {
  return x == 0 || y == 0 || x == view.width - 1 || y == view.height - 1;
}

// (m * c - the eight surrounding values) / (m - 8) per colour channel.
void SharpenPixel(const PixelView& view, std::uint8_t* p, std::int64_t m) {
  const std::int64_t divisor = m - 8;
  if (divisor == 0) {
    return;
  }
  const std::uint8_t* below = p - view.stride;
  const std::uint8_t* above = p + view.stride;
  for (int c = 0; c < 3; ++c) {
    const std::int64_t ring = below[c - 4] + below[c] + below[c + 4] + p[c - 4] + p[c + 4] + above[c - 4] +
                              above[c] + above[c + 4];
    p[c] = ClampByte(Loops::DivideTruncating(m * p[c] - ring, divisor));
  }
}

// (m * c + the four cross neighbours) / (m + 4) per colour channel.
void SoftenPixel(const PixelView& view, std::uint8_t* p, std::int64_t m) {
  const std::int64_t divisor = m + 4;
  if (divisor == 0) {
    return;
  }
  const std::uint8_t* below = p - view.stride;
  const std::uint8_t* above = p + view.stride;
  for (int c = 0; c < 3; ++c) {
    const std::int64_t cross = below[c] + p[c - 4] + p[c + 4] + above[c];
    p[c] = ClampByte(Loops::DivideTruncating(m * p[c] + cross, divisor));
  }
}

void SaturatePixel(std::uint8_t* p, double w, int T, std::int64_t s) {
  const int grey = GreyTable()[std::size_t(p[0] + p[1] + p[2])];
  const Loops::RoundedOffset fade(-w * T);
  for (int c = 0; c < 3; ++c) {
    p[c] = ClampByte(fade.AddTo(p[c] + s * (p[c] - grey)));
  }
}

void ShiftPixel(std::uint8_t* p, double amount) {
  const Loops::RoundedOffset shift(amount);
  for (int c = 0; c < 3; ++c) {
    p[c] = ClampByte(shift.AddTo(p[c]));
  }
}

// A pixel's four channels as 16-bit lanes (blue, green, red, alpha), so that one
// instruction steps all channels at once; the compiler's vector extension keeps this
// portable.
using PixelLanes = std::int16_t __attribute__((vector_size(8)));
using PixelBytes = std::uint8_t __attribute__((vector_size(4)));

inline PixelLanes LoadLanes(const std::uint8_t* p) {
  PixelBytes bytes;
  std::memcpy(&bytes, p, 4);
  return __builtin_convertvector(bytes, PixelLanes);
}

// Writes blue, green and red with the pixel's own alpha, since alpha is never smudged.
// All four bytes go in one store: the next pixel reads this one back at once, and a
// load that spans several smaller stores would wait for them to reach the cache.
inline void StoreColour(std::uint8_t* p, PixelLanes lanes, PixelLanes original) {
  lanes[3] = original[3];
  const PixelBytes bytes = __builtin_convertvector(lanes, PixelBytes);
  std::memcpy(p, &bytes, 4);
}

// One smoothing step of each channel towards the neighbours a and b: down by one for each
// neighbour below c - 1, then up by one for each above c + 1 (a comparison gives -1 where
// it holds). A neighbour below c - 1 means c > 0, and one above c + 1 means c < 255, so
// the range needs no test of its own. A neighbour outside the picture takes no part: it
// comes as kAbsentLow for the lowering tests and kAbsentHigh for the raising ones.
const PixelLanes kAbsentLow = {1000, 1000, 1000, 1000};
const PixelLanes kAbsentHigh = {-1000, -1000, -1000, -1000};
inline PixelLanes SmudgeLanes(PixelLanes c, PixelLanes aLow, PixelLanes aHigh, PixelLanes bLow, PixelLanes bHigh) {
  c += aLow < c - 1;
  c += bLow < c - 1;
  c -= aHigh > c + 1;
  c -= bHigh > c + 1;
  return c;
}

struct SmudgePass {
  int ax, ay, bx, by;
};
// Neighbour a and b of each pass, as view offsets (a row below is y - 1).
constexpr std::array<SmudgePass, 4> kSmudgePasses = {{
    {0, -1, 0, 1},
    {-1, 0, 1, 0},
    {-1, -1, 1, 1},
    {-1, 1, 1, -1},
}};

}  // namespace

QRect EraserBrush(const PixelView& view, QPoint centre, int S, int T, int mode) {
  const auto dab = MakeDab(view, centre, S);
  if (!dab || mode < kBrushEraser || mode > kBlockEraser) {
    return {};
  }
  const Loops::NearestEvenRounding rounding;
  ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int, int, double w) {
    // The pencil eraser's partial fade never showed: the picture always got alpha 0.
    p[3] = mode == kBrushEraser ? ClampByte(Loops::RoundedOffset(-w * T).AddTo(p[3])) : 0;
  });
  return PictureRect(view, *dab);
}

QRect RetouchBrush(const PixelView& view, QPoint centre, int S, int T, int mode) {
  const auto dab = MakeDab(view, centre, S);
  if (!dab || mode < kDodgeBrush || mode > kSaturationBrush) {
    return {};
  }
  const Loops::NearestEvenRounding rounding;
  const std::int64_t k = RoundEven(10.0 - T / 10.0);
  const std::int64_t s = RoundEven(T / 100.0);
  const double kk = double(k);
  switch (mode) {
    case kDodgeBrush:
    case kBurnBrush: {
      const double sign = mode == kDodgeBrush ? 1.0 : -1.0;
      ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int, int, double w) { ShiftPixel(p, sign * w * kk); });
      break;
    }
    case kSharpenBrush:
      ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int x, int y, double w) {
        if (!OnEdge(view, x, y)) {
          SharpenPixel(view, p, RoundEven(109.0 - T - w * kk));
        }
      });
      break;
    case kSoftenBrush:
      ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int x, int y, double w) {
        if (!OnEdge(view, x, y)) {
          SoftenPixel(view, p, RoundEven(101.0 - T - w * kk));
        }
      });
      break;
    default:
      ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int, int, double w) { SaturatePixel(p, w, T, s); });
      break;
  }
  return PictureRect(view, *dab);
}

QRect SmudgeBrush(const PixelView& view, QPointF centre, int S) {
  const QPoint whole(Numbers::RoundToInt(centre.x()), Numbers::RoundToInt(centre.y()));
  const auto dab = MakeDab(view, whole, S);
  if (!dab) {
    return {};
  }
  for (const SmudgePass& pass : kSmudgePasses) {
    const std::ptrdiff_t aStep = pass.ax * 4 + pass.ay * view.stride;
    const std::ptrdiff_t bStep = pass.bx * 4 + pass.by * view.stride;
    ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int x, int y, double) {
      const PixelLanes c = LoadLanes(p);
      if (!OnEdge(view, x, y)) {
        const PixelLanes a = LoadLanes(p + aStep);
        const PixelLanes b = LoadLanes(p + bStep);
        StoreColour(p, SmudgeLanes(c, a, a, b, b), c);
        return;
      }
      const std::uint8_t* a = view.At(x + pass.ax, y + pass.ay);
      const std::uint8_t* b = view.At(x + pass.bx, y + pass.by);
      StoreColour(p, SmudgeLanes(c, a ? LoadLanes(a) : kAbsentLow, a ? LoadLanes(a) : kAbsentHigh,
                                 b ? LoadLanes(b) : kAbsentLow, b ? LoadLanes(b) : kAbsentHigh),
                  c);
    });
  }
  return PictureRect(view, *dab);
}

}  // namespace ModEffects
