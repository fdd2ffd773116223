#pragma once
// JPEG writing straight from the picture's own rows with libjpeg-turbo: 32-bit pixels
// go to the library as they are stored, and its own colour conversion takes them to
// YCbCr, so no row is converted or copied on our side. Baseline, colour at half
// resolution both ways, Huffman tables of the standard (no second pass over the data).

#include <QImage>

class QIODevice;

namespace Gdip::JpegEncoder {

// Writes the picture at that quality (clamped to 0..100) onto the device, its alpha
// ignored: a caller with translucent pixels flattens them first. The JFIF header
// carries the picture's dots per inch. False for a null picture or when the device
// takes fewer bytes than it is given.
bool Encode(const QImage& image, int quality, QIODevice& device);

}  // namespace Gdip::JpegEncoder
