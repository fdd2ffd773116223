#pragma once
// Our own GIF writer (its LZW in GifLzw.cpp) and reader (GifDecoder.cpp). Qt cannot
// write GIF, and its reader shows the decoded part of a cut-off file as if it were the
// whole picture.

#include <cstdint>
#include <span>

#include <QByteArray>
#include <QImage>

namespace Gdip::GifCodec {

// A single-frame GIF of the picture. A picture of at most 256 colours (255 when some
// pixels are transparent) keeps its colours exactly; others are reduced to a palette
// chosen for them (PaletteQuantizer), without dithering. Pixels whose alpha is 0 take
// the transparent index; partly transparent ones are blended onto white. Empty on failure, including
// pictures wider or taller than the format's 65535.
QByteArray Encode(const QImage& image);

// The first frame on the logical screen as an 8-bit palette picture; the transparent
// index has alpha 0. LZW minimum code sizes up to 11 are read, and a frame without any
// colour table takes a grey ramp. A null image when the data is not a GIF, when the frame
// is cut short, or when it claims more pixels than its data could hold.
QImage Decode(std::span<const std::uint8_t> data);

}  // namespace Gdip::GifCodec
