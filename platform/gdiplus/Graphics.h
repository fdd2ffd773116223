#pragma once

#include <array>
#include <memory>

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "platform/gdiplus/GdipTypes.h"

class QImage;

namespace Gdip {

class Bitmap;
class Brush;
class Font;
class Path;
class Pen;
class Region;
class StringFormat;

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
  // There is no sub-pixel (ClearType) text here: those hints draw grey anti-aliased text.
  void SetTextRenderingHint(TextRenderingHint hint);
  TextRenderingHint GetTextRenderingHint() const { return m_textHint; }

  // Later drawing only reaches the part of the surface inside the region.
  void SetClip(const Region& region, CombineMode mode = CombineMode::Replace);
  void ResetClip();

  // Replaces every pixel (alpha included) with the colour.
  Status Clear(ARGB color);
  // Draws the whole image scaled into the destination rectangle.
  Status DrawImage(const Bitmap& image, const QRectF& destination);
  // Draws part of the image scaled into the destination rectangle.
  Status DrawImage(const Bitmap& image, const QRectF& destination, const QRectF& source);
  // Draws part of the image into the parallelogram of three destination points: where
  // its upper-left, upper-right and lower-left corners go.
  Status DrawImage(const Bitmap& image, const std::array<QPointF, 3>& destination, const QRectF& source);

  // Vector drawing puts pixel centres on whole coordinates, unless the pixel offset mode
  // is Half or HighQuality, which put them on the halves.
  Status DrawLine(const Pen& pen, QPointF from, QPointF to);
  Status DrawRectangle(const Pen& pen, const QRectF& rect);
  Status DrawEllipse(const Pen& pen, const QRectF& rect);
  Status DrawPath(const Pen& pen, const Path& path);
  Status FillRectangle(const Brush& brush, const QRectF& rect);
  Status FillEllipse(const Brush& brush, const QRectF& rect);
  Status FillPath(const Brush& brush, const Path& path);
  Status FillRegion(const Brush& brush, const Region& region);

  // Draws text laid out in the rectangle (see LayoutString); nothing when the font's
  // family is not installed.
  Status DrawString(const QString& text, const Font& font, const QRectF& layout, const StringFormat& format,
                    const Brush& brush);
  // The box the text takes when drawn in the rectangle.
  QRectF MeasureString(const QString& text, const Font& font, const QRectF& layout, const StringFormat& format) const;

 private:
  Graphics(QImage& surface, bool bottomUp);
  bool HighQualityScaling() const;
  Status StrokeShape(const Pen& pen, const QPainterPath& shape);
  Status FillShape(const Brush& brush, const QPainterPath& shape);
  // Moves vector drawing by half a pixel while it lives, where the pixel offset asks for it.
  class VectorScope;

  QImage& m_surface;
  QPainter m_painter;
  SmoothingMode m_smoothing = SmoothingMode::None;
  InterpolationMode m_interpolation = InterpolationMode::Bilinear;
  PixelOffsetMode m_pixelOffset = PixelOffsetMode::Default;
  CompositingQuality m_compositingQuality = CompositingQuality::Default;
  CompositingMode m_compositingMode = CompositingMode::SourceOver;
  TextRenderingHint m_textHint = TextRenderingHint::SystemDefault;
};

}  // namespace Gdip
