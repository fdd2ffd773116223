#include "windows/SlidePicture.h"

#include <QPainter>

#include "browse/ThumbnailLoader.h"
#include "windows/SlideshowCore.h"

namespace {

// Pictures sit this far above the centre of the window.
constexpr int kPictureShift = -3;

QImage ToSize(QImage image, QSize size) {
  if (image.isNull() || image.size() == size) {
    return image;
  }
  return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

SlidePicture PrepareSlide(const QString& Filename, QSize box) {
  const ThumbPicture decoded = ThumbnailLoader::Decode(Filename, box);
  SlidePicture slide;
  slide.Place = SlideshowCore::FitPicture(decoded.Source, box, kPictureShift);
  slide.Picture = ToSize(decoded.Thumb, slide.Place.size());
  slide.FadeStep = SlideshowCore::FadeStep(decoded.Source);
  return slide;
}

SlidePicture PrepareSlide(const QImage& image, QSize box) {
  SlidePicture slide;
  slide.Place = SlideshowCore::FitPicture(image.size(), box, kPictureShift);
  if (!slide.Place.isEmpty()) {
    slide.Picture = ToSize(image, slide.Place.size());
  }
  // Timed as for an empty holder: a picture in memory has no file behind it.
  slide.FadeStep = SlideshowCore::FadeStep(QSize());
  return slide;
}

void DrawSlide(QImage& surface, const SlidePicture& slide, int alpha) {
  if (slide.Picture.isNull()) {
    return;
  }
  QPainter painter(&surface);
  painter.setOpacity(alpha / 255.0);
  painter.drawImage(slide.Place.topLeft(), slide.Picture);
}
