#include "effects/RetouchBrushes.h"

#include <algorithm>
#include <array>
#include <cstdint>
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
  const std::int64_t y = view.ViewRowOfLine(centre.y());
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
  for (int dy = dab.dyFirst; dy <= dab.dyLast; ++dy) {
    const std::int64_t dy2 = std::int64_t{dy} * dy;
    if (dy2 > dab.r2) {
      continue;
    }
    const auto reach = static_cast<int>(std::min<std::int64_t>(Loops::IntegerSqrt(dab.r2 - dy2), view.width));
    const int dxFrom = std::max(dab.dxFirst, -reach);
    const int dxTo = std::min(dab.dxLast, reach);
    const int y = dab.cy + dy;
    std::uint8_t* row = view.ViewRow(y);
    for (int dx = dxFrom; dx <= dxTo; ++dx) {
      const double w = 1.0 - double(std::int64_t{dx} * dx + dy2) / dab.norm;
      const int x = dab.cx + dx;
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
    p[c] = ClampByte((m * p[c] - ring) / divisor);
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
    p[c] = ClampByte((m * p[c] + cross) / divisor);
  }
}

void SaturatePixel(std::uint8_t* p, double w, int T, std::int64_t s) {
  const int grey = GreyTable()[std::size_t(p[0] + p[1] + p[2])];
  for (int c = 0; c < 3; ++c) {
    p[c] = ClampByte(RoundEven(p[c] - w * T + double(s * (p[c] - grey))));
  }
}

void ShiftPixel(std::uint8_t* p, double amount) {
  for (int c = 0; c < 3; ++c) {
    p[c] = ClampByte(RoundEven(p[c] + amount));
  }
}

// One smoothing step of a channel towards a neighbour on either side; a neighbour of -1
// lies outside the picture and takes no part.
inline int SmudgeChannel(int c, int a, int b) {
  if (a >= 0 && a < c - 1 && c > 0) {
    --c;
  }
  if (b >= 0 && b < c - 1 && c > 0) {
    --c;
  }
  if (a >= 0 && a > c + 1 && c < 255) {
    ++c;
  }
  if (b >= 0 && b > c + 1 && c < 255) {
    ++c;
  }
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
    p[3] = mode == kBrushEraser ? ClampByte(RoundEven(p[3] - w * T)) : 0;
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
  ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int x, int y, double w) {
    switch (mode) {
      case kDodgeBrush:
        ShiftPixel(p, w * double(k));
        break;
      case kBurnBrush:
        ShiftPixel(p, -w * double(k));
        break;
      case kSharpenBrush:
        if (!OnEdge(view, x, y)) {
          SharpenPixel(view, p, RoundEven(109.0 - T - w * double(k)));
        }
        break;
      case kSoftenBrush:
        if (!OnEdge(view, x, y)) {
          SoftenPixel(view, p, RoundEven(101.0 - T - w * double(k)));
        }
        break;
      default:
        SaturatePixel(p, w, T, s);
        break;
    }
  });
  return PictureRect(view, *dab);
}

QRect SmudgeBrush(const PixelView& view, QPointF centre, int S) {
  const QPoint whole(Numbers::RoundToInt(centre.x()), Numbers::RoundToInt(centre.y()));
  const auto dab = MakeDab(view, whole, S);
  if (!dab) {
    return {};
  }
  for (const SmudgePass& pass : kSmudgePasses) {
    ForEachDabPixel(view, *dab, [&](std::uint8_t* p, int x, int y, double) {
      const std::uint8_t* a = view.At(x + pass.ax, y + pass.ay);
      const std::uint8_t* b = view.At(x + pass.bx, y + pass.by);
      for (int c = 0; c < 3; ++c) {
        p[c] = static_cast<std::uint8_t>(SmudgeChannel(p[c], a ? a[c] : -1, b ? b[c] : -1));
      }
    });
  }
  return PictureRect(view, *dab);
}

}  // namespace ModEffects
