#pragma once
// Formats without partial transparency (JPEG, 24-bit BMP and TIFF, GIF's one clear
// colour) show a picture's translucent pixels as they look on a white page, not with the
// colours that hide behind alpha.

#include <QImage>

namespace Gdip {

enum class ClearPixels {
  Flatten,  // fully transparent pixels become white too: the result is opaque RGB32
  Keep,     // they stay transparent (ARGB32), for formats with a clear colour
};

// Which kinds of transparency a picture's pixels hold. A picture without an alpha
// channel holds none; one in another format than ARGB32 is counted as partly clear.
struct AlphaUse {
  bool Clear = false;    // some pixel has alpha 0
  bool Partial = false;  // some pixel has alpha between 0 and 255
  bool Opaque() const { return !Clear && !Partial; }
};
// One pass over the rows on every core; reading is far cheaper than writing a copy.
AlphaUse AlphaOf(const QImage& image);

// The picture with every partly transparent pixel blended onto white and made opaque.
// A picture without an alpha channel comes back as it is, and so does an ARGB32 one
// with nothing to blend when clear pixels are kept.
QImage OntoWhite(const QImage& image, ClearPixels clear = ClearPixels::Flatten);

}  // namespace Gdip
