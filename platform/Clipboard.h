#pragma once
// The system clipboard, for pictures. On X11 other programs see the picture as image/png
// (and the other image types Qt offers), and a picture they offer in any image type Qt
// can read is taken. On X11 the clipboard's contents last only while the program that
// put them there runs, unless a clipboard manager keeps a copy.

#include <QByteArray>
#include <QImage>

namespace Clipboard {

// A picture as the clipboard offers it, not yet decoded: the file another program offers
// (a PNG when it offers one), or the picture this program put there itself.
struct Offer {
  QByteArray encoded;
  QImage picture;
  bool IsEmpty() const { return encoded.isEmpty() && picture.isNull(); }
};

// Replaces the clipboard's contents by the picture; false when there is no clipboard.
bool SetImage(const QImage& picture);
bool HasImage();
// The clipboard's picture as offered; empty when it holds none. Only on the thread of the
// application, where the clipboard lives: another program's bytes cross the X connection
// here, and decoding them is left to Decode.
Offer TakeOffer();
// The offered picture as Format_ARGB32, on any thread; null when it cannot be decoded.
QImage Decode(const Offer& offer);

}  // namespace Clipboard
