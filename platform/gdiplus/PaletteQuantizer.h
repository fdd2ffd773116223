#pragma once
// Reducing a picture of many colours to a palette of at most 256, without dithering:
// the colours are split by variance over a histogram (always the box that is worst
// represented, at the mean of its widest channel), then moved to the means of the
// pixels they stand for by a few k-means passes, and every pixel takes its nearest
// palette colour.

#include <cstdint>
#include <span>
#include <vector>

#include <QRgb>

class QImage;

namespace Gdip::PaletteQuantizer {

// At most maxColours opaque colours standing for the pixels of an ARGB32 picture whose
// alpha is not 0. Empty when the picture has no such pixel.
std::vector<QRgb> ChoosePalette(const QImage& argb, int maxColours);

// The index of each pixel's nearest palette colour (plain RGB distance), row after row
// with no padding; pixels whose alpha is 0 take transparentIndex. `indexes` holds
// width × height entries; the palette holds at least one colour.
void MapToPalette(const QImage& argb, std::span<const QRgb> palette, std::uint8_t transparentIndex,
                  std::span<std::uint8_t> indexes);

}  // namespace Gdip::PaletteQuantizer
