#pragma once
// TIFF writing through libtiff. Qt's writer stores alpha premultiplied, which loses the
// colour of transparent pixels and rounds faint ones; we store it unassociated.

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>

class QIODevice;

namespace Gdip::TiffCodec {

// Writes the picture as one LZW-compressed page: RGB, or RGB with unassociated alpha
// when it has an alpha channel. The device must be seekable. False on failure.
bool Encode(const QImage& image, QIODevice& device);

// Decodes the first page when it is 8-bit RGB with unassociated alpha, the layout Encode
// writes with alpha (Qt's reader would premultiply it): a null image when that page is
// damaged. nullopt for every other layout, which Qt's reader handles.
std::optional<QImage> DecodeUnassociatedAlpha(std::span<const std::uint8_t> data);

}  // namespace Gdip::TiffCodec
