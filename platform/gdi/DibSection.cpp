#include "platform/gdi/DibSection.h"

#include <limits>

namespace Gdi {

std::int64_t DibSection::StrideFor(std::int64_t width, int bitsPerPixel) {
  if (width <= 0 || width > std::numeric_limits<std::int32_t>::max()) {
    return -1;
  }
  return ((width * bitsPerPixel + 31) / 32) * 4;
}

std::unique_ptr<DibSection> DibSection::Create(int width, int height, int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 24:
    case 32:
      break;
    default:
      return nullptr;
  }
  const std::int64_t stride = StrideFor(width, bitsPerPixel);
  if (stride <= 0 || height <= 0 || stride * height > std::numeric_limits<std::int32_t>::max()) {
    return nullptr;
  }
  return std::unique_ptr<DibSection>(new DibSection(width, height, bitsPerPixel, static_cast<int>(stride)));
}

DibSection::DibSection(int width, int height, int bpp, int stride)
    : m_width(width),
      m_height(height),
      m_bpp(bpp),
      m_stride(stride),
      m_bits(std::size_t(stride) * std::size_t(height), 0),
      m_colorTable(bpp <= 8 ? (std::size_t{1} << bpp) * 4 : 0, 0) {}

}  // namespace Gdi
