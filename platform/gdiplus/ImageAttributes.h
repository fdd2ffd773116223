#pragma once

#include <array>
#include <optional>

#include <QImage>
#include <QRectF>

#include "platform/gdiplus/GdipTypes.h"

class QPainter;

namespace Gdip {

class Bitmap;
class Graphics;

// Row-vector convention: new colour = [r g b a 1] x M, channels scaled to 0..1. Rows are
// the input channels red, green, blue, alpha and the translation row; columns the output
// channels red, green, blue, alpha and the homogeneous column.
using ColorMatrix = std::array<std::array<float, 5>, 5>;

// The 5 x 5 identity matrix.
ColorMatrix IdentityColorMatrix();

enum class ColorAdjustType { Default = 0, Bitmap = 1, Brush = 2, Pen = 3, Text = 4 };

// Colour adjustments applied to an image as it is drawn. Settings are kept per category:
// an image is drawn with the bitmap category's settings when that category holds any, and
// with the default category's otherwise. Pixels are transformed as straight ARGB; each
// result is rounded and clamped to 0..255, and gamma leaves alpha alone.
class ImageAttributes {
 public:
  Status SetColorMatrix(const ColorMatrix& matrix, ColorAdjustType type = ColorAdjustType::Default);
  // out = 255 * (c / 255) ^ gamma for red, green and blue: above 1 darkens. Gamma must be
  // above 0 (InvalidParameter otherwise, leaving the settings as they were).
  Status SetGamma(float gamma, ColorAdjustType type = ColorAdjustType::Default);

  // True when drawing through these attributes changes no pixel.
  bool IsIdentity() const;
  // The alpha factor when the only effect is a uniform alpha scale in 0..1 (an opacity).
  std::optional<float> OpacityOnly() const;

  // Writes the transformed pixels of a 32-bit ARGB source into a destination of the same
  // size and format; false (destination untouched) when the two do not fit.
  bool TransformInto(const QImage& source, QImage& destination) const;
  // A transformed ARGB32 copy; a null image when the copy cannot be allocated.
  QImage Transformed(const QImage& source) const;

 private:
  struct Settings {
    std::optional<ColorMatrix> matrix;
    std::optional<float> gamma;
    bool Empty() const { return !matrix && !gamma; }
  };
  const Settings& ForBitmaps() const;

  Settings m_default;
  Settings m_bitmap;
};

// Draws part of an image scaled into a destination rectangle through the attributes.
Status DrawImage(Graphics& graphics, const Bitmap& image, const QRectF& destination, const QRectF& source,
                 const ImageAttributes& attributes);
// The same on a plain painter (a screen or back-buffer surface).
Status DrawImage(QPainter& painter, const QImage& image, const QRectF& destination, const QRectF& source,
                 const ImageAttributes& attributes);

}  // namespace Gdip
