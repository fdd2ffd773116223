#include "platform/gdiplus/ZeroedImage.h"

#include <cstdlib>

namespace Gdip {

QImage ZeroedImage(int width, int height, QImage::Format format) {
  if (width <= 0 || height <= 0) {
    return {};
  }
  // Rows of whole 32-bit words, as QImage requires of memory it is given.
  const std::size_t bits = std::size_t(width) * std::size_t(QImage::toPixelFormat(format).bitsPerPixel());
  const std::size_t stride = (bits + 31) / 32 * 4;
  void* pixels = std::calloc(stride, std::size_t(height));
  if (pixels == nullptr) {
    return {};
  }
  QImage image(static_cast<uchar*>(pixels), width, height, qsizetype(stride), format, std::free, pixels);
  if (image.isNull()) {
    std::free(pixels);  // a size QImage refuses: the memory was never handed over
  }
  return image;
}

}  // namespace Gdip
