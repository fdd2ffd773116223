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

// The picture with every partly transparent pixel blended onto white and made opaque.
// A picture without an alpha channel comes back as it is.
QImage OntoWhite(const QImage& image, ClearPixels clear = ClearPixels::Flatten);

}  // namespace Gdip
