#pragma once
// The text tool's floating layer (mode 4): the typed text drawn over the canvas at its
// anchor, burnt into the picture on Apply, or turned into a picture of its own for the
// floating stamp. Preview, burn-in and stamp draw through the one canvas-text routine,
// so they agree on font, style and place.

#include <cstdint>

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace Gdip {
class Graphics;
}

namespace TextLayer {

// The text edit box shows this until the user types.
inline const QString kDefaultText = QStringLiteral("Import Text");

struct Text {
  QString text;
  QString font;
  int size = 0;              // pixels
  int style = 0;             // the style list's index: regular, italic, bold, bold italic, underline
  int render = 0;            // rendering hint: none, sharp, smooth
  std::uint32_t colour = 0;  // RGB reference, red in the low byte
  float opacity = 255;       // the slider's Max minus Value
  QPointF anchor;            // the layer's top-left corner
};

// Draws the text with its corner at the anchor; the result is the layer's rectangle,
// where a press takes hold of it (a small box for an empty text).
QRectF Draw(Gdip::Graphics& graphics, const Text& text);

// The text mapped from the canvas, where the picture lies at displayed, to the picture's
// own pixels: the anchor moved and scaled, the font size scaled, so the picture gets the
// text where and as large as the canvas showed it.
Text InPicture(const Text& onCanvas, const QRectF& displayed, QSizeF picture);

// The picture with the text drawn in; null for a null picture.
QImage BurnIn(const QImage& picture, const Text& inPicture);

// The text alone on a transparent picture of its measured size (whole pixels); null for
// an empty text.
QImage Rasterized(const Text& text);

}  // namespace TextLayer
