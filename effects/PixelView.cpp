#include "effects/PixelView.h"

#include <QImage>

#include "foundation/CDIB.h"

namespace ModEffects {

void MapPixelArray(CDIB& dib, PixelView& view) {
  view = {};
  if (dib.BPP() != 32 || dib.lpBits() == nullptr) {
    return;
  }
  view.base = dib.lpBits();
  view.width = dib.Width();
  view.height = dib.Height();
  view.stride = dib.BytesPerScanline();
}

void UnmapPixelArray(PixelView& view) { view = {}; }

PixelView ViewOfImage(QImage& image) {
  const auto format = image.format();
  const bool fits = format == QImage::Format_ARGB32 || format == QImage::Format_RGB32 ||
                    format == QImage::Format_ARGB32_Premultiplied;
  if (!fits || image.isNull()) {
    return {};
  }
  // The last line comes first, and each view row steps one line up.
  return PixelView{image.scanLine(image.height() - 1), image.width(), image.height(), -image.bytesPerLine()};
}

}  // namespace ModEffects
