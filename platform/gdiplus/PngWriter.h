#pragma once
// PNG writing tuned for speed: undo snapshots are PNG files written after every edit, so
// a 24-megapixel picture must not take seconds. Bands of rows are filtered and deflated
// on several threads and joined into one stream, as the format allows.

#include <QByteArray>

class QImage;

namespace Gdip {
struct IndexedPicture;
}

namespace Gdip::PngWriter {

// 8-bit RGB, or RGBA when the picture has an alpha channel, each row with the "sub"
// filter, at the given zlib level (1 to 9). Empty on failure.
QByteArray Encode(const QImage& image, int level);
// A palette picture at its own depth, with its colour table and the alpha of transparent
// entries. Empty on failure.
QByteArray EncodeIndexed(const IndexedPicture& picture, int level);

}  // namespace Gdip::PngWriter
