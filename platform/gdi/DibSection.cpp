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


namespace {

// A QImage over memory it does not own; made from const bytes it is read-only and
// detaches a copy on the first write.
template <typename Byte>
QImage WrapBits(Byte* bits, int width, int height, int stride, QImage::Format format, const QList<QRgb>& colors) {
  if (format == QImage::Format_Invalid) {
    return {};
  }
  QImage view(bits, width, height, stride, format);
  view.setColorTable(colors);
  return view;
}

}  // namespace

QList<QRgb> DibSection::ColorTableRgb() const {
  QList<QRgb> colors;
  colors.reserve(qsizetype(m_colorTable.size() / 4));
  for (std::size_t i = 0; i + 3 < m_colorTable.size(); i += 4) {
    colors.push_back(qRgb(m_colorTable[i + 2], m_colorTable[i + 1], m_colorTable[i]));
  }
  return colors;
}

QImage::Format DibSection::ViewFormat() const {
  switch (m_bpp) {
    case 1:
      return QImage::Format_Mono;
    case 8:
      return QImage::Format_Indexed8;
    case 24:
      return QImage::Format_BGR888;
    case 32:
      return QImage::Format_ARGB32;
    default:
      return QImage::Format_Invalid;
  }
}

QImage DibSection::View() {
  return WrapBits(m_bits.data(), m_width, m_height, m_stride, ViewFormat(), ColorTableRgb());
}

QImage DibSection::View() const {
  return WrapBits(m_bits.data(), m_width, m_height, m_stride, ViewFormat(), ColorTableRgb());
}

}  // namespace Gdi
