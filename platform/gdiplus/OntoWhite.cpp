#include "platform/gdiplus/OntoWhite.h"

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"

namespace Gdip {

namespace {

int Blend(int channel, int alpha) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; }

}  // namespace

QImage OntoWhite(const QImage& image, ClearPixels clear) {
  if (image.isNull() || !image.hasAlphaChannel()) {
    return image;
  }
  const QImage source = image.convertToFormat(QImage::Format_ARGB32);
  // Every pixel is written below: a large picture can come in huge pages.
  QImage out = NewPicture(source.width(), source.height(),
                          clear == ClearPixels::Keep ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (source.isNull() || out.isNull()) {
    return {};
  }
  const uchar* const from = source.constBits();
  uchar* const to = out.bits();
  const std::size_t fromStride = std::size_t(source.bytesPerLine());
  const std::size_t toStride = std::size_t(out.bytesPerLine());
  const int width = source.width();
  const bool keepClear = clear == ClearPixels::Keep;
  Threads::ParallelRows(0, source.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const auto* in = reinterpret_cast<const QRgb*>(from + std::size_t(y) * fromStride);
      auto* row = reinterpret_cast<QRgb*>(to + std::size_t(y) * toStride);
      for (int x = 0; x < width; ++x) {
        const QRgb pixel = in[x];
        const int alpha = qAlpha(pixel);
        if (alpha == 255 || (alpha == 0 && keepClear)) {
          row[x] = pixel;
        } else {
          row[x] = qRgb(Blend(qRed(pixel), alpha), Blend(qGreen(pixel), alpha), Blend(qBlue(pixel), alpha));
        }
      }
    }
  });
  return out;
}

}  // namespace Gdip
