#include "platform/gdiplus/Graphics.h"

#include <QImage>

#include "platform/gdiplus/Bitmap.h"

namespace Gdip {

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
    const QImage scaled = image.Image().scaled(whole.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_painter.drawImage(whole.topLeft(), scaled);
    return Status::Ok;
  }
  m_painter.drawImage(destination, image.Image(), source);
  return Status::Ok;
}

}  // namespace Gdip
