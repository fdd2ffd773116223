#include "platform/gdiplus/OntoWhite.h"

#include <algorithm>
#include <atomic>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"

namespace Gdip {

namespace {

int Blend(int channel, int alpha) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; }

}  // namespace

AlphaUse AlphaOf(const QImage& image) {
  if (image.isNull() || !image.hasAlphaChannel()) {
    return {};
  }
  if (image.format() != QImage::Format_ARGB32) {
    return {false, true};
  }
  std::atomic<bool> clear = false;
  std::atomic<bool> partial = false;
  const uchar* const bits = image.constBits();
  const std::size_t stride = std::size_t(image.bytesPerLine());
  const int width = image.width();
  Threads::ParallelRows(0, image.height() - 1, [&](int first, int last) {
    bool anyClear = false;
    bool anyPartial = false;
    for (int y = first; y <= last && !(anyClear && anyPartial); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(bits + std::size_t(y) * stride);
      // Whole rows without a branch per pixel: the minimum tells of clear pixels, and
      // a pixel below 255 that is not 0 of partial ones.
      int lowest = 255;
      bool between = false;
      for (int x = 0; x < width; ++x) {
        const int alpha = qAlpha(row[x]);
        lowest = std::min(lowest, alpha);
        between |= alpha != 0 && alpha != 255;
      }
      anyClear |= lowest == 0;
      anyPartial |= between;
    }
    if (anyClear) {
      clear.store(true, std::memory_order_relaxed);
    }
    if (anyPartial) {
      partial.store(true, std::memory_order_relaxed);
    }
  });
  return {clear.load(), partial.load()};
}

QImage OntoWhite(const QImage& image, ClearPixels clear) {
  if (image.isNull() || !image.hasAlphaChannel()) {
    return image;
  }
  if (clear == ClearPixels::Keep && image.format() == QImage::Format_ARGB32 && !AlphaOf(image).Partial) {
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
