#include "platform/gdiplus/Graphics.h"

#include <QImage>
#include <QPainterPath>
#include <QTransform>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/OntoWhite.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/Region.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/gdiplus/TextLayout.h"

namespace Gdip {

class Graphics::VectorScope {
 public:
  explicit VectorScope(Graphics& g) : m_painter(g.m_painter) {
    m_painter.save();
    if (g.m_pixelOffset != PixelOffsetMode::Half && g.m_pixelOffset != PixelOffsetMode::HighQuality) {
      m_painter.translate(0.5, 0.5);
    }
  }
  ~VectorScope() { m_painter.restore(); }
  VectorScope(const VectorScope&) = delete;
  VectorScope& operator=(const VectorScope&) = delete;

 private:
  QPainter& m_painter;
};

std::unique_ptr<Graphics> Graphics::FromImage(Bitmap& target) {
  if (IsIndexedPixelFormat(target.GetPixelFormat()) || target.Image().format() == QImage::Format_Indexed8 ||
      target.Image().isNull()) {
    return nullptr;
  }
  return FromSurface(target.Image());
}

std::unique_ptr<Graphics> Graphics::FromSurface(QImage& surface, bool bottomUp) {
  if (surface.isNull() || surface.format() == QImage::Format_Indexed8) {
    return nullptr;
  }
  return std::unique_ptr<Graphics>(new Graphics(surface, bottomUp));
}

Graphics::Graphics(QImage& surface, bool bottomUp) : m_surface(surface), m_painter(&surface) {
  if (bottomUp) {
    m_painter.translate(0, surface.height());
    m_painter.scale(1, -1);
  }
  SetSmoothingMode(m_smoothing);
  SetInterpolationMode(m_interpolation);
}

Graphics::~Graphics() = default;

void Graphics::SetSmoothingMode(SmoothingMode mode) {
  m_smoothing = mode;
  const bool smooth = mode == SmoothingMode::AntiAlias || mode == SmoothingMode::HighQuality;
  m_painter.setRenderHint(QPainter::Antialiasing, smooth);
}

void Graphics::SetInterpolationMode(InterpolationMode mode) {
  m_interpolation = mode;
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, mode != InterpolationMode::NearestNeighbor);
}

void Graphics::SetCompositingMode(CompositingMode mode) {
  m_compositingMode = mode;
  m_painter.setCompositionMode(mode == CompositingMode::SourceCopy ? QPainter::CompositionMode_Source
                                                                    : QPainter::CompositionMode_SourceOver);
}

bool Graphics::HighQualityScaling() const {
  return m_interpolation == InterpolationMode::HighQuality || m_interpolation == InterpolationMode::HighQualityBilinear ||
         m_interpolation == InterpolationMode::HighQualityBicubic;
}

Status Graphics::Clear(ARGB color) {
  const auto previous = m_painter.compositionMode();
  m_painter.save();
  m_painter.resetTransform();
  m_painter.setCompositionMode(QPainter::CompositionMode_Source);
  m_painter.fillRect(m_surface.rect(), QColor::fromRgba(color));
  m_painter.restore();
  m_painter.setCompositionMode(previous);
  return Status::Ok;
}

namespace {

// Qt's area-averaging scale of a picture. An opaque picture with a straight alpha channel
// is handed over as the opaque layout it is (a view of the same pixels): Qt would first
// convert the whole of it to premultiplied alpha, a full-size copy on one core.
QImage SmoothlyScaled(const QImage& picture, QSize size) {
  if (picture.format() == QImage::Format_ARGB32 && AlphaOf(picture).Opaque()) {
    const QImage opaque(picture.constBits(), picture.width(), picture.height(), picture.bytesPerLine(),
                        QImage::Format_RGB32);
    return opaque.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

Status Graphics::DrawImage(const Bitmap& image, const QRectF& destination) {
  return DrawImage(image, destination, QRectF(0, 0, image.Width(), image.Height()));
}

Status Graphics::DrawImage(const Bitmap& image, const QRectF& destination, const QRectF& source) {
  if (image.Image().isNull() || destination.isEmpty() || source.isEmpty()) {
    return Status::InvalidParameter;
  }
  // QPainter's smooth transform is bilinear and blurs strong reductions; the high-quality
  // modes pre-scale with Qt's area-averaging scaler instead.
  const QRect whole = destination.toAlignedRect();
  if (HighQualityScaling() && m_painter.transform().type() <= QTransform::TxTranslate &&
      source == QRectF(image.Image().rect()) && destination == QRectF(whole) &&
      (whole.width() < image.Width() || whole.height() < image.Height())) {
    m_painter.drawImage(whole.topLeft(), SmoothlyScaled(image.Image(), whole.size()));
    return Status::Ok;
  }
  m_painter.drawImage(destination, image.Image(), source);
  return Status::Ok;
}

Status Graphics::DrawImage(const Bitmap& image, const std::array<QPointF, 3>& destination, const QRectF& source) {
  if (image.Image().isNull() || source.isEmpty()) {
    return Status::InvalidParameter;
  }
  const QPointF across = (destination[1] - destination[0]) / source.width();
  const QPointF down = (destination[2] - destination[0]) / source.height();
  const QTransform placement(across.x(), across.y(), down.x(), down.y(), destination[0].x(), destination[0].y());
  m_painter.save();
  m_painter.setTransform(QTransform::fromTranslate(-source.x(), -source.y()) * placement, true);
  m_painter.drawImage(source.topLeft(), image.Image(), source);
  m_painter.restore();
  return Status::Ok;
}

void Graphics::SetTextRenderingHint(TextRenderingHint hint) {
  m_textHint = hint;
  const bool aliased = hint == TextRenderingHint::SingleBitPerPixel || hint == TextRenderingHint::SingleBitPerPixelGridFit;
  m_painter.setRenderHint(QPainter::TextAntialiasing, !aliased);
}

void Graphics::SetClip(const Region& region, CombineMode mode) {
  Region clip = m_painter.hasClipping() ? Region(m_painter.clipPath()) : Region();
  clip.Combine(region, mode);
  if (clip.IsInfinite()) {
    ResetClip();
    return;
  }
  m_painter.setClipPath(clip.Area());
}

void Graphics::ResetClip() { m_painter.setClipping(false); }

Status Graphics::StrokeShape(const Pen& pen, const QPainterPath& shape) {
  const VectorScope scope(*this);
  m_painter.strokePath(shape, pen.ToQPen());
  return Status::Ok;
}

Status Graphics::FillShape(const Brush& brush, const QPainterPath& shape) {
  const VectorScope scope(*this);
  brush.Fill(m_painter, shape);
  return Status::Ok;
}

Status Graphics::DrawLine(const Pen& pen, QPointF from, QPointF to) {
  QPainterPath line(from);
  line.lineTo(to);
  return StrokeShape(pen, line);
}

Status Graphics::DrawRectangle(const Pen& pen, const QRectF& rect) {
  QPainterPath shape;
  shape.addRect(rect);
  return StrokeShape(pen, shape);
}

Status Graphics::DrawEllipse(const Pen& pen, const QRectF& rect) {
  QPainterPath shape;
  shape.addEllipse(rect);
  return StrokeShape(pen, shape);
}

Status Graphics::DrawPath(const Pen& pen, const Path& path) { return StrokeShape(pen, path.Qt()); }

Status Graphics::FillRectangle(const Brush& brush, const QRectF& rect) {
  QPainterPath shape;
  shape.addRect(rect);
  return FillShape(brush, shape);
}

Status Graphics::FillEllipse(const Brush& brush, const QRectF& rect) {
  QPainterPath shape;
  shape.addEllipse(rect);
  return FillShape(brush, shape);
}

Status Graphics::FillPath(const Brush& brush, const Path& path) { return FillShape(brush, path.Qt()); }

Status Graphics::FillRegion(const Brush& brush, const Region& region) {
  if (region.IsInfinite()) {
    QPainterPath everything;
    // The surface with a margin, so the half-pixel offset of vector drawing leaves no edge bare.
    everything.addRect(m_painter.transform().inverted().mapRect(QRectF(m_surface.rect()).adjusted(-1, -1, 1, 1)));
    return FillShape(brush, everything);
  }
  return FillShape(brush, region.Area());
}

QRectF Graphics::MeasureString(const QString& text, const Font& font, const QRectF& layout,
                               const StringFormat& format) const {
  if (!font.IsAvailable()) {
    return QRectF(layout.topLeft(), QSizeF(0, 0));
  }
  return LayoutString(text, font, layout, format).box;
}

Status Graphics::DrawString(const QString& text, const Font& font, const QRectF& layout, const StringFormat& format,
                            const Brush& brush) {
  if (!font.IsAvailable()) {
    return Status::FontFamilyNotFound;
  }
  const TextLayout laidOut = LayoutString(text, font, layout, format);
  if (laidOut.lines.empty()) {
    return Status::Ok;
  }
  QFont qfont = font.ToQFont();
  const bool aliased = m_textHint == TextRenderingHint::SingleBitPerPixel ||
                       m_textHint == TextRenderingHint::SingleBitPerPixelGridFit;
  qfont.setStyleStrategy(aliased ? QFont::NoAntialias : QFont::PreferAntialias);
  QPainterPath glyphs;
  for (const TextLayout::Line& line : laidOut.lines) {
    glyphs.addText(line.origin, qfont, line.text);
  }
  m_painter.save();
  if (layout.width() > 0 && layout.height() > 0 && (format.GetFormatFlags() & StringFormatFlagsNoClip) == 0) {
    m_painter.setClipRect(layout, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  m_painter.setRenderHint(QPainter::Antialiasing, !aliased);
  brush.Fill(m_painter, glyphs);
  m_painter.restore();
  return Status::Ok;
}

}  // namespace Gdip
