#include "effects/ColorAdjust.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>

#include "effects/EffectObjects.h"
#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

namespace ModEffects {

namespace {

// Shows the hourglass for the length of a slow adjustment. It takes back only the cursor
// it set, so a wait cursor the caller put up stays up.
class WaitCursor {
 public:
  explicit WaitCursor(bool show) : m_shown(show && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (m_shown) {
      QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
  }
  ~WaitCursor() {
    if (m_shown) {
      QGuiApplication::restoreOverrideCursor();
    }
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  bool m_shown;
};

Gdip::ColorMatrix GreyMatrix() {
  Gdip::ColorMatrix m{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      m[i][j] = 0.35f;
    }
  }
  m[3][3] = 1.0f;
  m[4][4] = 1.0f;
  return m;
}

Gdip::ColorMatrix ContrastMatrix(float value) {
  Gdip::ColorMatrix m{};
  for (int i = 0; i < 3; ++i) {
    m[i][i] = 1.0f + value;
    m[4][i] = value;
  }
  m[3][3] = 1.0f;
  m[4][4] = 1.0f;
  return m;
}

Gdip::ImageAttributes OpacityAttributes(float opacity) {
  Gdip::ColorMatrix m = Gdip::IdentityColorMatrix();
  m[3][3] = opacity;
  Gdip::ImageAttributes attributes;
  attributes.SetColorMatrix(m);
  return attributes;
}

QRectF Rounded(const QRectF& r) {
  return QRectF(Numbers::RoundToInt(r.x()), Numbers::RoundToInt(r.y()), Numbers::RoundToInt(r.width()),
                Numbers::RoundToInt(r.height()));
}

QRectF SourceRect(QSizeF size) { return QRectF(0, 0, Numbers::RoundToInt(size.width()), Numbers::RoundToInt(size.height())); }

}  // namespace

Gdip::ImageAttributes ColorAdjustAttributes(int mode, float gamma, float value) {
  Gdip::ImageAttributes attributes;
  switch (mode) {
    case kGreyAdjust:
      attributes.SetColorMatrix(GreyMatrix());
      break;
    case kGammaAdjust:
      // The default category's matrix would be all zero here; it never reaches a bitmap
      // once the bitmap category holds the gamma, so only the gamma is set.
      attributes.SetGamma(gamma >= kMinimumGamma ? gamma : kMinimumGamma, Gdip::ColorAdjustType::Bitmap);
      break;
    case kContrastAdjust:
      attributes.SetColorMatrix(ContrastMatrix(value));
      break;
    default:
      break;
  }
  return attributes;
}

void ApplyColorAdjust(QPainter& target, const QImage& image, int mode, float gamma, const QRectF& destination,
                      float value) {
  const WaitCursor wait(mode == kGreyAdjust);
  const QRectF at(Numbers::RoundToInt(destination.x()), Numbers::RoundToInt(destination.y()), destination.width(),
                  destination.height());
  Gdip::DrawImage(target, image, at, QRectF(image.rect()), ColorAdjustAttributes(mode, gamma, value));
}

void ApplyColorAdjust(Gdip::Graphics& target, const Gdip::Bitmap& image, int mode, float gamma, float value) {
  const WaitCursor wait(mode == kGreyAdjust);
  const QRectF whole(0, 0, image.Width(), image.Height());
  Gdip::DrawImage(target, image, whole, whole, ColorAdjustAttributes(mode, gamma, value));
}

std::unique_ptr<Gdip::Bitmap> ColorAdjusted(const Gdip::Bitmap& image, int mode, float gamma, float value) {
  const WaitCursor wait(mode == kGreyAdjust);
  return Gdip::Bitmap::FromImage(ColorAdjustAttributes(mode, gamma, value).Transformed(image.Image()),
                                 Gdip::PixelFormat32bppARGB);
}

void DrawImageColorMatrix(Gdip::Graphics& target, const Gdip::Bitmap& image, const QRectF& destination,
                          QSizeF sourceSize, float Opacity) {
  Gdip::DrawImage(target, image, Rounded(destination), SourceRect(sourceSize), OpacityAttributes(Opacity));
  ReleaseEffectObjects();
}

void DrawImageColorMatrix(QPainter& target, const QImage& image, const QRectF& destination, QSizeF sourceSize,
                          float Opacity) {
  Gdip::DrawImage(target, image, Rounded(destination), SourceRect(sourceSize), OpacityAttributes(Opacity));
}

ColorBytes SplitColor(std::uint32_t colour) {
  const std::uint32_t c = ModGDI::ARGBToRGB(colour);
  return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

RGBBytes SplitARGB(Gdip::ARGB colour) {
  return {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
          static_cast<std::uint8_t>(colour)};
}

RGBBytes SplitColorRef(std::uint32_t colorRef) {
  return {static_cast<std::uint8_t>(colorRef), static_cast<std::uint8_t>(colorRef >> 8),
          static_cast<std::uint8_t>(colorRef >> 16)};
}

}  // namespace ModEffects
