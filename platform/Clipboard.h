#pragma once
// The system clipboard, for pictures. On X11 other programs see the picture as image/png
// (and the other image types Qt offers), and a picture they offer in any image type Qt
// can read is taken. On X11 the clipboard's contents last only while the program that
// put them there runs, unless a clipboard manager keeps a copy.

class QImage;

namespace Clipboard {

// Replaces the clipboard's contents by the picture; false when there is no clipboard.
bool SetImage(const QImage& picture);
bool HasImage();
// The clipboard's picture; a null image when it holds none.
QImage GetImage();

}  // namespace Clipboard
