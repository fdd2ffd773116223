#pragma once
// Metafile writing: a picture stored as one device-independent bitmap record, in the
// enhanced and in the old Windows metafile layouts, at 96 dots per inch.

#include <QByteArray>
#include <QImage>

namespace Gdip::MetafileWriter {

// An enhanced metafile whose frame is the picture's size; empty on failure.
QByteArray EncodeEmf(const QImage& image);
// A placeable old-style metafile; empty on failure, including pictures larger than the
// format's 16-bit coordinates reach.
QByteArray EncodeWmf(const QImage& image);

}  // namespace Gdip::MetafileWriter
