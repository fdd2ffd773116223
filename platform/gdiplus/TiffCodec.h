#pragma once
// TIFF writing through libtiff. Qt's writer stores alpha premultiplied, which loses the
// colour of transparent pixels and rounds faint ones; we store it unassociated.

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>

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

// Decodes the first page when it is an RGB layout Qt's reader gets wrong: 8 or 16 bits
// per sample with the channels in separate planes, or with extra samples. Only an extra
// sample marked as associated or unassociated alpha is alpha; an unspecified one is
// dropped. A null image when the page is damaged, when its strips reach past the end of
// the file, or when they are too short for the pixels declared, whatever the layout;
// nullopt for every other sound page, which Qt's reader handles.
std::optional<QImage> Decode(std::span<const std::uint8_t> data);

}  // namespace Gdip::TiffCodec
