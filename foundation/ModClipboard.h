#pragma once
// Pictures to and from the clipboard, and the stamp temporary file, the hand-over point
// for floating pictures.

#include <QString>

class GdiDIB;
namespace Gdip {
class Bitmap;
}

namespace ModGDI {

// The picture last taken from the clipboard; made on first use, it lives for the run.
// It owns its image: callers borrow it through DIB().
GdiDIB& ClipboardImage();

// The stamp temporary file "Librarians/Stamptemp.tmp" in the program folder.
QString StampTempPath();

// Puts a W x H opaque copy of the image on the clipboard, the image drawn into
// (X, Y, W, H) over black (so transparency turns black, as on a screen). False when W or
// H is not positive or there is no clipboard.
bool CopyImageToClipboard(const Gdip::Bitmap& img, int X, int Y, int W, int H);

// Takes the clipboard's picture into ClipboardImage, replacing the one it held, and gives
// its size. When the clipboard holds no picture the holder ends up empty, the sizes keep
// the caller's values and the result is false.
bool PasteImageFromClipboard(int& Width, int& Height);

// Writes the stamp temporary file as a PNG: ClipboardImage's picture at its own size when
// FromClipboard, else img at W x H. With nothing to write (an empty holder, no image, a
// size of zero) or a failed write, returns false and leaves any old stamp file as it
// was, so the caller never takes an old stamp for a new one.
bool SaveClipboardStamp(bool FromClipboard, const Gdip::Bitmap* img, int W, int H);

}  // namespace ModGDI
