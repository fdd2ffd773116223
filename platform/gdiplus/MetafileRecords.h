#pragma once
// What the readers of the two metafile layouts share (MetafileReader.cpp for enhanced
// metafiles, MetafileWmf.cpp for old-style ones).

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>
#include <QRectF>
#include <QSize>

#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileReader.h"

namespace Gdip::MetafileReader {

using Bytes = std::span<const std::uint8_t>;

// Metafiles are drawn at 96 dots per inch.
inline constexpr double kPictureDpi = 96.0;

// A transparent picture for a frame of that size in pixels: of the frame's size, or of
// `wanted` when that is valid and smaller on both sides (the records are then drawn
// shrunk). Null, with the reason, for a frame that is empty or beyond the pixels we draw
// metafiles into, whatever size is wanted.
QImage BlankPicture(double width, double height, QSize wanted, Refusal& why);

inline QRectF RectFromEdges(double left, double top, double right, double bottom) {
  return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// Plays records until the end-of-file record; false when a record is malformed or the
// data ends first.
template <typename Play>
bool PlayRecords(Bytes data, std::size_t offset, std::size_t sizeUnit, std::size_t sizeField, Play play) {
  const LeReader in(data);
  while (offset < data.size()) {
    const std::size_t size = std::size_t(in.U32(offset + sizeField)) * sizeUnit;
    if (!in.Ok() || size < 6 || size > data.size() - offset) {
      return false;
    }
    const LeReader record(data.subspan(offset, size));
    const std::optional<bool> finished = play(record);
    if (!record.Ok()) {
      return false;
    }
    if (finished.value_or(false)) {
      return true;
    }
    offset += size;
  }
  return false;
}

// The old-style layout: the picture the records draw, and the size of its frame in
// pixels (empty when there is none).
QImage ReadWmf(Bytes data, QSize wanted, Refusal& why);
QSizeF WmfFrameSize(Bytes data);

}  // namespace Gdip::MetafileReader
