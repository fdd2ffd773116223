#pragma once
// Metafile reading: our own record player draws the records of enhanced and old-style
// metafiles with QPainter, scaled to the metafile's frame, at 96 dots per inch.

#include <cstdint>
#include <span>

#include <QImage>

namespace Gdip::MetafileReader {

bool LooksLikeEmf(std::span<const std::uint8_t> data);
bool LooksLikeWmf(std::span<const std::uint8_t> data);

// The picture the metafile draws, on a transparent background; null when the data is
// not a metafile, its frame is empty or absurdly large, or a record is cut short.
QImage Read(std::span<const std::uint8_t> data);

}  // namespace Gdip::MetafileReader
