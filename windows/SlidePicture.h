#pragma once
// One picture of the slideshow, made ready to draw: fitted to the window, decoded at
// that size, and placed 3 pixels above the centre. Only the fitted copy is kept.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

struct SlidePicture {
  QImage Picture;  // null when nothing could be decoded
  QRect Place;     // where the picture goes in the window
  int FadeStep = 0;
};

// A file: decoded straight at the fitted size (a large JPEG shrinks inside the decoder).
// A file that cannot be read gives no picture, and the step of an empty holder.
SlidePicture PrepareSlide(const QString& Filename, QSize box);
// An image in memory, scaled smoothly to its fitted size.
SlidePicture PrepareSlide(const QImage& image, QSize box);
// One step of a fade: the picture laid over what the surface holds at alpha / 255.
void DrawSlide(QImage& surface, const SlidePicture& slide, int alpha);
