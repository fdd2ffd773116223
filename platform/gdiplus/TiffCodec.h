#pragma once
// TIFF writing through libtiff, and our own reading of the pages Qt's reader gets wrong
// (TiffDecoder.cpp). Qt's writer stores alpha premultiplied, which loses the colour of
// transparent pixels and rounds faint ones; we store it unassociated.

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>
#include <QSize>

class QIODevice;

namespace Gdip {
struct IndexedPicture;
}

namespace Gdip::TiffCodec {

// Writes the picture as one LZW-compressed page: RGB, or RGB with unassociated alpha
// when it has an alpha channel. The device must be seekable. False on failure.
bool Encode(const QImage& image, QIODevice& device);

// Writes a palette picture as one LZW-compressed page at its own depth: black and white
// at one bit as a plain bilevel page, any other table as a colour map. False on failure.
bool EncodeIndexed(const IndexedPicture& picture, QIODevice& device);

// Decodes the first page when it is a layout Qt's reader gets wrong or refuses: grey,
// RGB and CMYK pages, in strips or tiles, with separate planes, extra samples, or 12 or
// 16 bits per sample (16-bit samples become 8 bits as (v * 255 + 32767) / 65535);
// palettes of 2 and 4 bits (as 8-bit indexes); other tiled pages (through libtiff's RGBA
// interface). Only an extra sample marked as associated or unassociated alpha is alpha;
// an unspecified one is dropped. With a valid `wanted` size smaller than the page, every
// page libtiff reads is decoded row by row straight into a picture of that size, a black
// and white one counted from its bits. A null image when the page is damaged (at every
// size: a read that fails anywhere refuses the page, as Qt's reader does), when its
// strips reach past the end of the file or are too short for the pixels declared, or
// when a palette page has lost its colour map, whatever the layout; nullopt for every
// other sound page, which Qt's reader handles.
std::optional<QImage> Decode(std::span<const std::uint8_t> data, QSize wanted = {});

// The bits per index of a palette page as the file stores them; 0 for other pages.
int PaletteBits(std::span<const std::uint8_t> data);

}  // namespace Gdip::TiffCodec
