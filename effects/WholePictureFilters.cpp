#include "effects/WholePictureFilters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <vector>

#include <QImage>

#include "effects/PixelLoops.h"
#include "platform/gdiplus/PictureMemory.h"

namespace ModEffects {

namespace {

using Loops::ParallelRows;

// A symmetric kernel of odd length; the weights along one axis.
struct Kernel {
  std::span<const int> weights;
  int Radius() const { return int(weights.size() / 2); }
  int Sum() const {
    int sum = 0;
    for (const int w : weights) {
      sum += w;
    }
    return sum;
  }
};

constexpr std::array<int, 5> kBlurWeights{1, 4, 6, 4, 1};
constexpr std::array<int, 3> kSoftenWeights{1, 2, 1};
constexpr int kAntialiasThreshold = 16;
constexpr double kRipplePeriod = 60.0;

// Colour times alpha and alpha, summed with weights: what the vertical pass adds up.
struct WeightedSum {
  std::uint32_t r = 0;
  std::uint32_t g = 0;
  std::uint32_t b = 0;
  std::uint32_t a = 0;
};

// The pictures the filters read: straight or opaque 32-bit pixels without conversion,
// anything else converted once.
QImage ReadablePicture(const QImage& picture) {
  if (picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_RGB32) {
    return picture;
  }
  return picture.convertToFormat(QImage::Format_ARGB32);
}

QImage NewResult(const QImage& source) {
  if (source.isNull()) {
    return {};
  }
  return Gdip::NewPicture(source.width(), source.height(), QImage::Format_ARGB32);
}

const QRgb* Row(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }
QRgb* Row(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }

// A pixel's colour times its alpha, and its alpha: what the passes add up.
struct Premultiplied {
  std::uint16_t r, g, b, a;
};

void Premultiply(const QRgb* source, int width, std::vector<Premultiplied>& out) {
  for (int x = 0; x < width; ++x) {
    const QRgb p = source[x];
    const auto a = std::uint16_t(qAlpha(p));
    out[std::size_t(x)] = {std::uint16_t(a * qRed(p)), std::uint16_t(a * qGreen(p)), std::uint16_t(a * qBlue(p)), a};
  }
}

// The horizontal pass of one premultiplied row, borders repeated.
void HorizontalPass(const std::vector<Premultiplied>& row, const Kernel& kernel, std::vector<WeightedSum>& out) {
  const int radius = kernel.Radius();
  const int width = int(row.size());
  for (int x = 0; x < width; ++x) {
    WeightedSum sum;
    for (int k = -radius; k <= radius; ++k) {
      const Premultiplied& p = row[std::size_t(std::clamp(x + k, 0, width - 1))];
      const auto w = std::uint32_t(kernel.weights[std::size_t(k + radius)]);
      sum.r += w * p.r;
      sum.g += w * p.g;
      sum.b += w * p.b;
      sum.a += w * p.a;
    }
    out[std::size_t(x)] = sum;
  }
}

// The straight colour of summed weighted pixels, the weights adding up to total.
QRgb Straight(const WeightedSum& s, std::uint32_t total) {
  if (s.a == 0) {
    return 0;
  }
  const float perAlpha = 1.0f / float(s.a);
  const auto channel = [perAlpha](std::uint32_t v) { return int(float(v) * perAlpha + 0.5f); };
  const int alpha = int((s.a + total / 2) / total);
  return qRgba(channel(s.r), channel(s.g), channel(s.b), alpha);
}

// The horizontal passes of the rows a band needs, each row made once while the band
// walks down (a ring of 2 * radius + 1 rows).
class RowRing {
 public:
  RowRing(const QImage& source, const Kernel& kernel)
      : m_source(source), m_kernel(kernel), m_premultiplied(std::size_t(source.width())),
        m_rows(std::size_t(2 * kernel.Radius() + 1)), m_held(m_rows.size(), -1) {
    for (auto& row : m_rows) {
      row.resize(std::size_t(source.width()));
    }
  }
  const std::vector<WeightedSum>& Get(int y) {
    const auto slot = std::size_t(y) % m_rows.size();
    if (m_held[slot] != y) {
      Premultiply(Row(m_source, y), m_source.width(), m_premultiplied);
      HorizontalPass(m_premultiplied, m_kernel, m_rows[slot]);
      m_held[slot] = y;
    }
    return m_rows[slot];
  }

 private:
  const QImage& m_source;
  const Kernel& m_kernel;
  std::vector<Premultiplied> m_premultiplied;
  std::vector<std::vector<WeightedSum>> m_rows;
  std::vector<int> m_held;
};

// The source filtered by the kernel along both axes into result.
void Convolve(const QImage& source, const Kernel& kernel, QImage& result) {
  const int width = source.width();
  const int height = source.height();
  const int radius = kernel.Radius();
  const auto total = std::uint32_t(kernel.Sum() * kernel.Sum());
  ParallelRows(0, height - 1, [&](int first, int last) {
    RowRing ring(source, kernel);
    std::vector<const WeightedSum*> rows(std::size_t(2 * radius + 1));
    for (int y = first; y <= last; ++y) {
      for (int k = -radius; k <= radius; ++k) {
        rows[std::size_t(k + radius)] = ring.Get(std::clamp(y + k, 0, height - 1)).data();
      }
      QRgb* out = Row(result, y);
      for (int x = 0; x < width; ++x) {
        WeightedSum sum;
        for (std::size_t k = 0; k < rows.size(); ++k) {
          const auto w = std::uint32_t(kernel.weights[k]);
          const WeightedSum& s = rows[k][x];
          sum.r += w * s.r;
          sum.g += w * s.g;
          sum.b += w * s.b;
          sum.a += w * s.a;
        }
        out[x] = Straight(sum, total);
      }
    }
  });
}

QImage Filtered(const QImage& picture, std::span<const int> weights) {
  const QImage source = ReadablePicture(picture);
  QImage result = NewResult(source);
  if (result.isNull()) {
    return {};
  }
  Convolve(source, Kernel{weights}, result);
  return result;
}

int Luminance(QRgb p) { return (77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p)) >> 8; }

// The luminance of each column of three rows, summed.
void ColumnLuminances(const std::array<const QRgb*, 3>& rows, std::vector<int>& out) {
  for (std::size_t x = 0; x < out.size(); ++x) {
    out[x] = Luminance(rows[0][x]) + Luminance(rows[1][x]) + Luminance(rows[2][x]);
  }
}

// What Soften gives at (x, y) of the rows above, at and below it: the same sums of
// alpha-weighted colours, made for this pixel alone.
QRgb SoftenedAt(const std::array<const QRgb*, 3>& rows, int x, int width) {
  const int columns[3] = {std::max(x - 1, 0), x, std::min(x + 1, width - 1)};
  WeightedSum sum;
  for (std::size_t j = 0; j < 3; ++j) {
    for (std::size_t i = 0; i < 3; ++i) {
      const QRgb p = rows[j][columns[i]];
      const auto weight = std::uint32_t(kSoftenWeights[j] * kSoftenWeights[i]);
      const auto alpha = std::uint32_t(qAlpha(p));
      sum.r += weight * (alpha * std::uint32_t(qRed(p)));
      sum.g += weight * (alpha * std::uint32_t(qGreen(p)));
      sum.b += weight * (alpha * std::uint32_t(qBlue(p)));
      sum.a += weight * alpha;
    }
  }
  const int total = kSoftenWeights[0] + kSoftenWeights[1] + kSoftenWeights[2];
  return Straight(sum, std::uint32_t(total * total));
}

// One colour sample of a bilinear lookup, alpha-weighted.
struct Sample {
  float r = 0, g = 0, b = 0, a = 0;
  void Add(QRgb p, float weight) {
    const float wa = weight * float(qAlpha(p));
    r += wa * float(qRed(p));
    g += wa * float(qGreen(p));
    b += wa * float(qBlue(p));
    a += wa;
  }
  QRgb Straight() const {
    if (a <= 0) {
      return 0;
    }
    return qRgba(int(r / a + 0.5f), int(g / a + 0.5f), int(b / a + 0.5f), int(a + 0.5f));
  }
};

// The rows of a picture read on several threads, addressed from one constBits() call.
struct SourceRows {
  explicit SourceRows(const QImage& image)
      : bits(image.constBits()), stride(std::size_t(image.bytesPerLine())), width(image.width()),
        height(image.height()) {}
  const QRgb* operator[](int y) const { return reinterpret_cast<const QRgb*>(bits + std::size_t(y) * stride); }
  const uchar* bits;
  std::size_t stride;
  int width;
  int height;
};

// Where a sample falls on one axis: the pixel before it, the pixel after it, and the
// second's share in 1/256.
struct Tap {
  int first = 0;
  int second = 0;
  std::uint32_t weight = 0;
};

// A shift along an axis as whole pixels and the share of the next pixel.
struct Shift {
  int whole = 0;
  std::uint32_t weight = 0;
};

Shift ShiftOf(float amount) {
  const float whole = std::floor(amount);
  return {int(whole), std::uint32_t(std::lround((amount - whole) * 256.0f))};
}

// The tap of position + shift on an axis of `length` pixels, the sample kept inside.
Tap TapAt(int position, Shift shift, int length) {
  const int first = position + shift.whole;
  if (first < 0) {
    return {0, 0, 0};
  }
  if (first >= length - 1) {
    return {length - 1, length - 1, 0};
  }
  return {first, first + 1, shift.weight};
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight) { return a * (256 - weight) + b * weight; }

// The four pixels around a sample weighted by nearness and alpha. Where all four are
// opaque the alpha weights cancel, and each channel is mixed in whole numbers.
QRgb Bilinear(const SourceRows& source, const Tap& across, const Tap& down) {
  const QRgb* top = source[down.first];
  const QRgb* bottom = source[down.second];
  const std::array<QRgb, 4> p{top[across.first], top[across.second], bottom[across.first], bottom[across.second]};
  if ((p[0] & p[1] & p[2] & p[3]) >> 24 == 0xFF) {
    const auto channel = [&](int shift) {
      const auto at = [&](std::size_t i) { return (p[i] >> shift) & 0xFFu; };
      const std::uint32_t mixed = Mix(Mix(at(0), at(1), across.weight), Mix(at(2), at(3), across.weight), down.weight);
      return ((mixed + (1u << 15)) >> 16) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
  }
  const float tx = float(across.weight) / 256.0f;
  const float ty = float(down.weight) / 256.0f;
  const std::array<float, 4> w{(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
  Sample s;
  for (std::size_t i = 0; i < 4; ++i) {
    s.Add(p[i], w[i]);
  }
  return s.Straight();
}

// The ripple's displacement along one axis for a position on the other.
std::vector<float> Waves(int length, int strength) {
  std::vector<float> waves(std::size_t(std::max(length, 0)));
  for (int i = 0; i < length; ++i) {
    waves[std::size_t(i)] = float(strength * std::sin(2.0 * std::numbers::pi * i / kRipplePeriod));
  }
  return waves;
}

}  // namespace

QImage Blur(const QImage& picture) { return Filtered(picture, kBlurWeights); }

QImage Soften(const QImage& picture) { return Filtered(picture, kSoftenWeights); }

QImage Sharpen(const QImage& picture) {
  const QImage source = ReadablePicture(picture);
  QImage result = Filtered(source, kSoftenWeights);
  if (result.isNull()) {
    return {};
  }
  const auto sharpened = [](int original, int soft) { return std::clamp(2 * original - soft, 0, 255); };
  ParallelRows(0, result.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const QRgb* in = Row(source, y);
      QRgb* out = Row(result, y);
      for (int x = 0; x < result.width(); ++x) {
        const QRgb o = in[x];
        const QRgb s = out[x];
        out[x] = qRgba(sharpened(qRed(o), qRed(s)), sharpened(qGreen(o), qGreen(s)),
                       sharpened(qBlue(o), qBlue(s)), qAlpha(o));
      }
    }
  });
  return result;
}

QImage Antialias(const QImage& picture) {
  const QImage source = ReadablePicture(picture);
  QImage result = NewResult(source);
  if (result.isNull()) {
    return {};
  }
  const int width = source.width();
  const int height = source.height();
  ParallelRows(0, height - 1, [&](int first, int last) {
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int y = first; y <= last; ++y) {
      const std::array<const QRgb*, 3> rows{Row(source, std::max(y - 1, 0)), Row(source, y),
                                            Row(source, std::min(y + 1, height - 1))};
      ColumnLuminances(rows, columns);
      QRgb* out = Row(result, y);
      for (int x = 0; x < width; ++x) {
        const int nineTimesMean = columns[std::size_t(std::max(x - 1, 0))] + columns[std::size_t(x)] +
                                  columns[std::size_t(std::min(x + 1, width - 1))];
        // An even edge keeps its pixel; only a jump against the surround is softened.
        const bool even = std::abs(9 * Luminance(rows[1][x]) - nineTimesMean) <= 9 * kAntialiasThreshold;
        out[x] = even ? rows[1][x] : SoftenedAt(rows, x, width);
      }
    }
  });
  return result;
}

QImage Ripple(const QImage& picture, int strength) {
  const QImage source = ReadablePicture(picture);
  QImage result = NewResult(source);
  if (result.isNull()) {
    return {};
  }
  const int width = source.width();
  const int height = source.height();
  // Across moves with the row, down moves with the column.
  const std::vector<float> acrossWaves = Waves(height, strength);
  const std::vector<float> downWaves = Waves(width, strength);
  std::vector<Shift> down(static_cast<std::size_t>(width));
  std::transform(downWaves.begin(), downWaves.end(), down.begin(), ShiftOf);
  const SourceRows rows(source);
  uchar* const resultBits = result.bits();
  const std::size_t resultStride = std::size_t(result.bytesPerLine());
  ParallelRows(0, height - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      auto* out = reinterpret_cast<QRgb*>(resultBits + std::size_t(y) * resultStride);
      const Shift across = ShiftOf(acrossWaves[std::size_t(y)]);
      for (int x = 0; x < width; ++x) {
        out[x] = Bilinear(rows, TapAt(x, across, width), TapAt(y, down[std::size_t(x)], height));
      }
    }
  });
  return result;
}

}  // namespace ModEffects
