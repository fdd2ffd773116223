#include "platform/gdiplus/ImageAttributes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include <QPainter>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

namespace Gdip {

namespace {

using Lut = std::array<std::uint8_t, 256>;
using ProductTable = std::array<std::int32_t, 256>;

// Memory holds blue, green, red, alpha; the matrix counts red, green, blue, alpha.
constexpr std::array<int, 4> kMatrixIndexOfByte = {2, 1, 0, 3};
// Channel-mixing sums are fixed point with this many fraction bits. Matrix entries are
// limited to +-256 so that five terms of 255 * 256 * 2^12 stay inside 32 bits.
constexpr int kFractionBits = 12;
constexpr float kEntryLimit = 256.0f;

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Tables are built with halves rounded to even, the program's one rounding rule.
long RoundEven(double v) { return std::lrint(v); }
int RoundToByte(double v) { return Clamp255(static_cast<int>(RoundEven(std::clamp(v, -1.0e6, 1.0e6)))); }

float LimitedEntry(float v) { return std::clamp(v, -kEntryLimit, kEntryLimit); }

bool MixesChannels(const ColorMatrix& m) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      if (i != j && m[i][j] != 0.0f) {
        return true;
      }
    }
  }
  return false;
}

// Alpha comes out as it went in and feeds no colour channel.
bool AlphaPassesThrough(const ColorMatrix& m) {
  return m[3][3] == 1.0f && m[4][3] == 0.0f && m[0][3] == 0.0f && m[1][3] == 0.0f && m[2][3] == 0.0f &&
         m[3][0] == 0.0f && m[3][1] == 0.0f && m[3][2] == 0.0f;
}

// Red, green and blue come out equal (a grey matrix): one sum serves all three.
bool ColourColumnsEqual(const ColorMatrix& m) {
  for (int i = 0; i < 5; ++i) {
    if (m[i][0] != m[i][1] || m[i][0] != m[i][2]) {
      return false;
    }
  }
  return true;
}

Lut IdentityLut() {
  Lut lut{};
  for (int c = 0; c < 256; ++c) {
    lut[c] = static_cast<std::uint8_t>(c);
  }
  return lut;
}

Lut GammaLut(float gamma) {
  Lut lut{};
  for (int c = 0; c < 256; ++c) {
    lut[c] = static_cast<std::uint8_t>(RoundToByte(255.0 * std::pow(c / 255.0, double(gamma))));
  }
  return lut;
}

// Everything a transformation needs, built once per call so that the pixel loops hold
// table look-ups and integer sums only.
struct Plan {
  bool mixes = false;
  bool alphaThrough = true;
  bool sameColour = false;
  std::array<Lut, 4> channel{};                          // per byte, when nothing mixes
  std::array<std::array<ProductTable, 4>, 4> product{};  // [output byte][input byte]
  std::array<std::int32_t, 4> offset{};                  // per output byte, with rounding
  std::array<Lut, 4> post{};                             // gamma per output byte
};

std::unique_ptr<Plan> MakePlan(const std::optional<ColorMatrix>& matrix, const std::optional<float>& gamma) {
  auto plan = std::make_unique<Plan>();
  const ColorMatrix m = matrix.value_or(IdentityColorMatrix());
  const Lut colourPost = gamma ? GammaLut(*gamma) : IdentityLut();
  plan->post = {colourPost, colourPost, colourPost, IdentityLut()};
  plan->mixes = MixesChannels(m);
  plan->alphaThrough = AlphaPassesThrough(m);
  plan->sameColour = ColourColumnsEqual(m);
  for (int out = 0; out < 4; ++out) {
    const int j = kMatrixIndexOfByte[out];
    const double translation = LimitedEntry(m[4][j]) * 255.0;
    if (!plan->mixes) {
      const double scale = LimitedEntry(m[j][j]);
      for (int c = 0; c < 256; ++c) {
        plan->channel[out][c] = plan->post[out][RoundToByte(c * scale + translation)];
      }
      continue;
    }
    plan->offset[out] = static_cast<std::int32_t>(RoundEven(translation * (1 << kFractionBits))) +
                        (1 << (kFractionBits - 1));
    for (int in = 0; in < 4; ++in) {
      const double weight = LimitedEntry(m[kMatrixIndexOfByte[in]][j]) * (1 << kFractionBits);
      for (int c = 0; c < 256; ++c) {
        plan->product[out][in][c] = static_cast<std::int32_t>(RoundEven(c * weight));
      }
    }
  }
  return plan;
}

void PerChannelRow(const Plan& plan, const std::uint8_t* src, std::uint8_t* dst, int width) {
  const Lut& b = plan.channel[0];
  const Lut& g = plan.channel[1];
  const Lut& r = plan.channel[2];
  const Lut& a = plan.channel[3];
  for (int x = 0; x < width; ++x, src += 4, dst += 4) {
    dst[0] = b[src[0]];
    dst[1] = g[src[1]];
    dst[2] = r[src[2]];
    dst[3] = a[src[3]];
  }
}

template <bool kAlphaThrough>
void MixedRow(const Plan& plan, const std::uint8_t* src, std::uint8_t* dst, int width) {
  const auto& p = plan.product;
  constexpr int colourInputs = kAlphaThrough ? 3 : 4;
  for (int x = 0; x < width; ++x, src += 4, dst += 4) {
    const std::uint8_t in[4] = {src[0], src[1], src[2], src[3]};
    for (int out = 0; out < 3; ++out) {
      std::int32_t sum = plan.offset[out];
      for (int i = 0; i < colourInputs; ++i) {
        sum += p[out][i][in[i]];
      }
      dst[out] = plan.post[out][Clamp255(sum >> kFractionBits)];
    }
    if constexpr (kAlphaThrough) {
      dst[3] = in[3];
    } else {
      const std::int32_t sum = plan.offset[3] + p[3][0][in[0]] + p[3][1][in[1]] + p[3][2][in[2]] + p[3][3][in[3]];
      dst[3] = static_cast<std::uint8_t>(Clamp255(sum >> kFractionBits));
    }
  }
}

void GreyRow(const Plan& plan, const std::uint8_t* src, std::uint8_t* dst, int width) {
  const auto& p = plan.product[0];
  const std::int32_t offset = plan.offset[0];
  const Lut& post = plan.post[0];
  for (int x = 0; x < width; ++x, src += 4, dst += 4) {
    const std::int32_t sum = offset + p[0][src[0]] + p[1][src[1]] + p[2][src[2]];
    const std::uint8_t grey = post[Clamp255(sum >> kFractionBits)];
    const std::uint8_t alpha = src[3];
    dst[0] = grey;
    dst[1] = grey;
    dst[2] = grey;
    dst[3] = alpha;
  }
}

// Draws with the painter's opacity scaled, restoring the painter afterwards.
template <typename Draw>
void WithOpacity(QPainter& painter, float opacity, Draw draw) {
  painter.save();
  painter.setOpacity(painter.opacity() * double(opacity));
  draw();
  painter.restore();
}

// The part of the image the source rectangle reads, transformed, with the source
// rectangle moved into it; a null image when nothing is read.
QImage TransformedPart(const QImage& image, const QRectF& source, const ImageAttributes& attributes,
                       QRectF& partSource) {
  const QRect area = source.toAlignedRect().intersected(image.rect());
  if (area.isEmpty()) {
    return {};
  }
  partSource = source.translated(-area.topLeft());
  return attributes.Transformed(area == image.rect() ? image : image.copy(area));
}

}  // namespace

ColorMatrix IdentityColorMatrix() {
  ColorMatrix m{};
  for (int i = 0; i < 5; ++i) {
    m[i][i] = 1.0f;
  }
  return m;
}

Status ImageAttributes::SetColorMatrix(const ColorMatrix& matrix, ColorAdjustType type) {
  (type == ColorAdjustType::Bitmap ? m_bitmap : m_default).matrix = matrix;
  return Status::Ok;
}

Status ImageAttributes::SetGamma(float gamma, ColorAdjustType type) {
  if (!(gamma > 0.0f)) {
    return Status::InvalidParameter;
  }
  (type == ColorAdjustType::Bitmap ? m_bitmap : m_default).gamma = gamma;
  return Status::Ok;
}

const ImageAttributes::Settings& ImageAttributes::ForBitmaps() const {
  return m_bitmap.Empty() ? m_default : m_bitmap;
}

bool ImageAttributes::IsIdentity() const {
  const Settings& s = ForBitmaps();
  return (!s.matrix || *s.matrix == IdentityColorMatrix()) && (!s.gamma || *s.gamma == 1.0f);
}

std::optional<float> ImageAttributes::OpacityOnly() const {
  const Settings& s = ForBitmaps();
  if (s.gamma && *s.gamma != 1.0f) {
    return std::nullopt;
  }
  if (!s.matrix) {
    return 1.0f;
  }
  ColorMatrix rest = *s.matrix;
  const float alpha = rest[3][3];
  rest[3][3] = 1.0f;
  if (rest != IdentityColorMatrix() || alpha < 0.0f || alpha > 1.0f) {
    return std::nullopt;
  }
  return alpha;
}

bool ImageAttributes::TransformInto(const QImage& source, QImage& destination) const {
  const bool sourceFits = source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_RGB32;
  if (!sourceFits || destination.format() != QImage::Format_ARGB32 || source.size() != destination.size()) {
    return false;
  }
  const Settings& s = ForBitmaps();
  const auto plan = MakePlan(s.matrix, s.gamma);
  const int width = source.width();
  // The destination is fetched first: when both are one image, that detaches it once
  // and the source then reads the same, now private, pixels.
  std::uint8_t* const dstPixels = destination.bits();
  const std::uint8_t* const srcPixels = source.constBits();
  const qsizetype dstStride = destination.bytesPerLine();
  const qsizetype srcStride = source.bytesPerLine();
  Threads::ParallelRows(0, source.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      std::uint8_t* dst = dstPixels + dstStride * y;
      const std::uint8_t* src = srcPixels + srcStride * y;
      if (!plan->mixes) {
        PerChannelRow(*plan, src, dst, width);
      } else if (plan->alphaThrough && plan->sameColour) {
        GreyRow(*plan, src, dst, width);
      } else if (plan->alphaThrough) {
        MixedRow<true>(*plan, src, dst, width);
      } else {
        MixedRow<false>(*plan, src, dst, width);
      }
    }
  });
  return true;
}

QImage ImageAttributes::Transformed(const QImage& source) const {
  const QImage argb = source.format() == QImage::Format_ARGB32 || source.format() == QImage::Format_RGB32
                          ? source
                          : source.convertToFormat(QImage::Format_ARGB32);
  QImage result(argb.size(), QImage::Format_ARGB32);
  if (argb.isNull() || result.isNull() || !TransformInto(argb, result)) {
    return {};
  }
  return result;
}

Status DrawImage(Graphics& graphics, const Bitmap& image, const QRectF& destination, const QRectF& source,
                 const ImageAttributes& attributes) {
  if (const auto opacity = attributes.OpacityOnly()) {
    Status status = Status::Ok;
    WithOpacity(graphics.Painter(), *opacity, [&] { status = graphics.DrawImage(image, destination, source); });
    return status;
  }
  QRectF partSource;
  auto part = Bitmap::FromImage(TransformedPart(image.Image(), source, attributes, partSource), PixelFormat32bppARGB);
  if (!part) {
    return Status::InvalidParameter;
  }
  return graphics.DrawImage(*part, destination, partSource);
}

Status DrawImage(QPainter& painter, const QImage& image, const QRectF& destination, const QRectF& source,
                 const ImageAttributes& attributes) {
  if (image.isNull() || destination.isEmpty() || source.isEmpty()) {
    return Status::InvalidParameter;
  }
  if (const auto opacity = attributes.OpacityOnly()) {
    WithOpacity(painter, *opacity, [&] { painter.drawImage(destination, image, source); });
    return Status::Ok;
  }
  QRectF partSource;
  const QImage part = TransformedPart(image, source, attributes, partSource);
  if (part.isNull()) {
    return Status::InvalidParameter;
  }
  painter.drawImage(destination, part, partSource);
  return Status::Ok;
}

}  // namespace Gdip
