#pragma once

#include <QImage>

namespace Gdip {

// A picture whose bytes are all zero (palette index 0, or transparent black), null when
// the memory is not there. Taken from calloc: a large block comes from the system already
// zeroed, so a picture that declares a huge size costs no work until it is drawn on.
QImage ZeroedImage(int width, int height, QImage::Format format);

}  // namespace Gdip
