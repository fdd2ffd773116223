#pragma once
// Our PNG writer deflates bands of rows on several cores, each band starting afresh on a
// byte boundary, and filters every row on its own. A private chunk before the pixels
// lists where each band starts, so that our own files (undo snapshots above all) are
// inflated band by band on every core too; a 100-megapixel snapshot then comes back in
// a fraction of a single-threaded decode. Other readers skip the chunk: the file is an
// ordinary PNG.

#include <cstdint>
#include <span>
#include <vector>

#include <QByteArray>
#include <QImage>

namespace Gdip::PngBands {

// Ancillary, private, not safe to copy: an editor that rewrites the pixels must drop it.
inline constexpr char kChunkType[] = "rwBD";

struct Band {
  std::uint32_t firstRow = 0;
  // Where the band's deflated data starts in the zlib stream the data chunks carry.
  std::uint64_t streamOffset = 0;
};

// The chunk's contents for the bands, in order.
QByteArray Describe(const std::vector<Band>& bands);

// The picture of an 8-bit RGB or RGBA PNG that carries the chunk, as Qt's reader gives
// it (Format_RGB32 or Format_ARGB32). A null image for any other file, and for one whose
// bands do not decode to exactly the rows and checksum the stream promises: the caller
// then reads the file the ordinary way.
QImage Decode(std::span<const std::uint8_t> data);

}  // namespace Gdip::PngBands
