#pragma once
// What the canvas shows of a large JPEG while its full decode runs: the picture decoded
// with the DCT scaled down as far as the fitted size allows, which takes a fraction of
// the full decode's time, scaled to exactly the fitted size.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

namespace OpenPreview {

struct Fitted {
  QImage picture;  // null when no preview applies
  QRectF at;       // where the fitted picture goes in the window
};

// The JPEG at path fitted into a window of the given size. No picture when the file is
// not a JPEG, cannot be read, or fits with less than a halving: then the full decode
// is as quick.
Fitted FittedJpeg(const QString& path, QSize window);

}  // namespace OpenPreview
