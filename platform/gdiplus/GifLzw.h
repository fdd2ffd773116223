#pragma once
// The LZW compression of a GIF frame's 8-bit indexes, on every core. The rows are cut
// into bands, each compressed on its own from a fresh table; a clear code between them
// lets any reader go on from one band to the next as after a full table, so the bands
// join into one ordinary stream. Code widths follow giflib's writer: a code widens one
// code after the table reaches its width, and the table is cleared as it reaches 4095
// entries.

#include <cstdint>
#include <span>

#include <QByteArray>

namespace Gdip::GifLzw {

// The frame's image data as it follows the image descriptor: the minimum code size (8),
// the compressed stream in sub-blocks of at most 255 bytes, and the empty block that
// ends them. `indexes` holds width × height entries, row after row.
QByteArray Compress(std::span<const std::uint8_t> indexes, int width, int height);

}  // namespace Gdip::GifLzw
