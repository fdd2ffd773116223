#include "effects/RedEye.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <QImage>

#include "effects/PixelLoops.h"
#include "foundation/Numbers.h"

namespace ModEffects {

namespace {

bool Is32Bit(const QImage& image) {
  const auto f = image.format();
  return f == QImage::Format_ARGB32 || f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

// The fall-off 50 * (1 - d / R), rounded, for every distance inside the circle.
std::vector<int> FallOffTable(int R) {
  std::vector<int> table(static_cast<std::size_t>(R));
  for (int d = 0; d < R; ++d) {
    table[std::size_t(d)] = static_cast<int>(Loops::RoundEven((1.0 - double(d) / R) * 50.0));
  }
  return table;
}

}  // namespace

int PointDistance(QPointF p, QPointF q) {
  const double dx = p.x() - q.x();
  const double dy = p.y() - q.y();
  return Numbers::RoundToInt(std::sqrt(double(Numbers::RoundHalfEven(dx * dx + dy * dy))));
}

bool IsRedEye(int red, int green, int blue, int T) {
  // Light greens are never red-eye: without this the second rule would take white
  // highlights and pale skin for red-eye.
  if (green >= 128) {
    return false;
  }
  return (red >= 151 && green <= 100 && blue < T) || (red >= 151 && green >= 71 && blue > T) ||
         (red <= 150 && green <= 69 && blue < T);
}

void RemoveRedEye(QImage& target, float X, float Y, float W, float H, int T, int D) {
  const int wholeW = Numbers::RoundToInt(W);
  const int wholeH = Numbers::RoundToInt(H);
  const int R = (W > H ? wholeW : wholeH) / 2;
  if (R <= 0 || !Is32Bit(target)) {
    return;
  }
  const float cx = X + float(wholeW / 2);
  const float cy = Y + float(wholeH / 2);
  const int left = std::max(0, Numbers::RoundToInt(X));
  const int right = std::min(target.width() - 1, Numbers::RoundToInt(X + W));
  const int top = std::max(0, Numbers::RoundToInt(Y));
  const int bottom = std::min(target.height() - 1, Numbers::RoundToInt(Y + H));
  const std::vector<int> fallOff = FallOffTable(R);
  const Loops::NearestEvenRounding rounding;
  for (int y = top; y <= bottom; ++y) {
    const double dy = double(y) - double(cy);
    const double dy2 = dy * dy;
    std::uint8_t* row = target.scanLine(y);
    for (int x = left; x <= right; ++x) {
      const double dx = double(x) - double(cx);
      const auto d = Loops::RoundEven(std::sqrt(double(Loops::RoundEven(dx * dx + dy2))));
      if (d >= R) {
        continue;
      }
      std::uint8_t* p = row + std::ptrdiff_t{x} * 4;
      if (!IsRedEye(p[2], p[1], p[0], T)) {
        continue;
      }
      // (r + g + b) / 3 is never a half, so rounding it is (sum + 1) / 3.
      const std::int64_t grey = (std::int64_t{p[0]} + p[1] + p[2] + 1) / 3 - D - fallOff[std::size_t(d)];
      p[0] = p[1] = p[2] = Loops::ClampByte(grey);
      p[3] = 255;
    }
  }
}

}  // namespace ModEffects
