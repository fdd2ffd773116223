#include "canvas/OpenPreview.h"

#include <span>

#include <QFile>

#include "foundation/GdiDIB.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/JpegDecoder.h"

namespace OpenPreview {

Fitted FittedJpeg(const QString& path, QSize window) {
  QFile file(path);
  if (window.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    return {};
  }
  const QByteArray bytes = file.readAll();
  const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
  const QSize full = Gdip::JpegDecoder::Dimensions(data);
  if (full.isEmpty()) {
    return {};
  }
  float x = 0, y = 0, w = 0, h = 0;
  GdiDIB::GetBestFitInfo(float(full.width()), float(full.height()), float(window.width()), float(window.height()), x,
                         y, w, h);
  const QSize fitted(std::max(1, Numbers::RoundToInt(w)), std::max(1, Numbers::RoundToInt(h)));
  if (full.width() / 2 < fitted.width() || full.height() / 2 < fitted.height()) {
    return {};
  }
  return {Gdip::JpegDecoder::Decode(data, fitted, Gdip::JpegDecoder::Purpose::FirstLook), QRectF(x, y, w, h)};
}

}  // namespace OpenPreview
