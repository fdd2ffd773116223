#pragma once

#include <memory>

#include <QPainter>
#include <QRectF>

#include "platform/gdiplus/GdipTypes.h"

class QImage;

namespace Gdip {

class Bitmap;

// A drawing context on an image. The target must outlive the context; drawing is
// finished when the context is destroyed.
class Graphics {
 public:
  // A context on a bitmap; nullptr for indexed formats, which cannot be drawn on.
  static std::unique_ptr<Graphics> FromImage(Bitmap& target);
  // A context on a raw surface. A bottom-up surface stores its last picture row first
  // (a DIB section); the context then draws in upright picture coordinates all the same.
  static std::unique_ptr<Graphics> FromSurface(QImage& surface, bool bottomUp = false);

  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  QPainter& Painter() { return m_painter; }

  void SetSmoothingMode(SmoothingMode mode);
  SmoothingMode GetSmoothingMode() const { return m_smoothing; }
  void SetInterpolationMode(InterpolationMode mode);
  InterpolationMode GetInterpolationMode() const { return m_interpolation; }
  void SetPixelOffsetMode(PixelOffsetMode mode) { m_pixelOffset = mode; }
  PixelOffsetMode GetPixelOffsetMode() const { return m_pixelOffset; }
  void SetCompositingQuality(CompositingQuality quality) { m_compositingQuality = quality; }
  CompositingQuality GetCompositingQuality() const { return m_compositingQuality; }
  void SetCompositingMode(CompositingMode mode);
  CompositingMode GetCompositingMode() const { return m_compositingMode; }

  // Replaces every pixel (alpha included) with the colour.
  Status Clear(ARGB color);
  // Draws the whole image scaled into the destination rectangle.
  Status DrawImage(const Bitmap& image, const QRectF& destination);
  // Draws part of the image scaled into the destination rectangle.
  Status DrawImage(const Bitmap& image, const QRectF& destination, const QRectF& source);

 private:
  Graphics(QImage& surface, bool bottomUp);
  bool HighQualityScaling() const;

  QImage& m_surface;
  QPainter m_painter;
  SmoothingMode m_smoothing = SmoothingMode::None;
  InterpolationMode m_interpolation = InterpolationMode::Bilinear;
  PixelOffsetMode m_pixelOffset = PixelOffsetMode::Default;
  CompositingQuality m_compositingQuality = CompositingQuality::Default;
  CompositingMode m_compositingMode = CompositingMode::SourceOver;
};

}  // namespace Gdip
