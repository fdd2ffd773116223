#pragma once
// Metafile reading: our own record player draws the records of enhanced and old-style
// metafiles with QPainter, scaled to the metafile's frame, at 96 dots per inch.

#include <cstdint>
#include <span>

#include <QImage>
#include <QSize>

namespace Gdip::MetafileReader {

bool LooksLikeEmf(std::span<const std::uint8_t> data);
bool LooksLikeWmf(std::span<const std::uint8_t> data);

// Why a metafile gave no picture.
enum class Refusal {
  None,
  Damaged,     // not a metafile, an empty frame, or a record cut short
  TooLarge,    // a frame beyond the pixels we draw metafiles into
  Unplayable,  // only the extended records, which are not played, would draw anything
};

// The picture the metafile draws, on a transparent background; null, with the reason in
// `why` when given, when there is none to show. With a valid `wanted` size smaller than
// the picture on both sides, the records are drawn straight at that size.
QImage Read(std::span<const std::uint8_t> data, Refusal* why = nullptr, QSize wanted = {});

// The size in pixels of the picture Read gives at full size, from the header (or, for an
// old-style metafile without a frame, from its records); empty when there is none.
QSize PictureSize(std::span<const std::uint8_t> data);

}  // namespace Gdip::MetafileReader
