#include "platform/gdiplus/Bitmap.h"

#include <cstring>
#include <limits>

namespace Gdip {

namespace {

// Sizes a QImage can hold; larger requests fail instead of overflowing.
bool SizeIsUsable(int width, int height) {
  if (width <= 0 || height <= 0) {
    return false;
  }
  constexpr std::int64_t kMaxBytes = std::int64_t{1} << 31;
  return std::int64_t{width} * height * 4 < kMaxBytes;
}

}  // namespace

QImage::Format StorageFormatFor(PixelFormat format) {
  switch (format) {
    case PixelFormat32bppRGB:
      return QImage::Format_RGB32;
    case PixelFormat32bppPARGB:
      return QImage::Format_ARGB32_Premultiplied;
    case PixelFormat24bppRGB:
      return QImage::Format_RGB888;
    case PixelFormat16bppRGB565:
      return QImage::Format_RGB16;
    case PixelFormat16bppRGB555:
      return QImage::Format_RGB555;
    case PixelFormat8bppIndexed:
    case PixelFormat4bppIndexed:
    case PixelFormat1bppIndexed:
      return QImage::Format_Indexed8;
    default:
      return QImage::Format_ARGB32;
  }
}

PixelFormat PixelFormatOf(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return PixelFormat1bppIndexed;
    case QImage::Format_Indexed8:
      return PixelFormat8bppIndexed;
    case QImage::Format_RGB32:
      return PixelFormat32bppRGB;
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
      return PixelFormat24bppRGB;
    case QImage::Format_RGB16:
      return PixelFormat16bppRGB565;
    case QImage::Format_RGB555:
      return PixelFormat16bppRGB555;
    case QImage::Format_ARGB32_Premultiplied:
      return PixelFormat32bppPARGB;
    case QImage::Format_Grayscale8:
      return PixelFormat8bppIndexed;
    case QImage::Format_RGBX64:
      return PixelFormat48bppRGB;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
      return PixelFormat64bppARGB;
    default:
      return image.hasAlphaChannel() ? PixelFormat32bppARGB : PixelFormat32bppRGB;
  }
}

std::unique_ptr<Bitmap> Bitmap::Create(int width, int height, PixelFormat format) {
  if (!SizeIsUsable(width, height)) {
    return nullptr;
  }
  QImage image(width, height, StorageFormatFor(format));
  if (image.isNull()) {
    return nullptr;
  }
  if (image.format() == QImage::Format_Indexed8) {
    image.setColorCount(256);
  }
  image.fill(0);
  return std::unique_ptr<Bitmap>(new Bitmap(std::move(image), format));
}

std::unique_ptr<Bitmap> Bitmap::FromImage(QImage image, PixelFormat sourceFormat) {
  if (image.isNull()) {
    return nullptr;
  }
  auto bitmap = std::unique_ptr<Bitmap>(new Bitmap(std::move(image), sourceFormat));
  bitmap->m_sourcePalette = bitmap->m_image.colorTable();
  return bitmap;
}

std::unique_ptr<Bitmap> Bitmap::Clone() const {
  auto copy = std::unique_ptr<Bitmap>(new Bitmap(m_image.copy(), m_format));
  copy->m_sourcePalette = m_sourcePalette;
  return copy;
}

std::unique_ptr<Bitmap> Bitmap::CloneArea(const QRect& area, PixelFormat format) const {
  if (area.isEmpty() || !m_image.rect().contains(area)) {
    return nullptr;
  }
  QImage part = m_image.copy(area).convertToFormat(StorageFormatFor(format));
  return FromImage(std::move(part), format);
}

Status Bitmap::ReadPixels(const QRect& area, std::byte* firstRow, std::ptrdiff_t stride) const {
  if (firstRow == nullptr || area.isEmpty() || !m_image.rect().contains(area) ||
      std::abs(stride) < std::ptrdiff_t{area.width()} * 4) {
    return Status::InvalidParameter;
  }
  const QImage argb = m_image.format() == QImage::Format_ARGB32 ? m_image : m_image.convertToFormat(QImage::Format_ARGB32);
  const std::size_t rowBytes = std::size_t(area.width()) * 4;
  for (int y = 0; y < area.height(); ++y) {
    const uchar* src = argb.constScanLine(area.top() + y) + std::size_t(area.left()) * 4;
    std::memcpy(firstRow + y * stride, src, rowBytes);
  }
  return Status::Ok;
}

Status Bitmap::WritePixels(const QRect& area, const std::byte* firstRow, std::ptrdiff_t stride) {
  if (firstRow == nullptr || area.isEmpty() || !m_image.rect().contains(area) ||
      std::abs(stride) < std::ptrdiff_t{area.width()} * 4) {
    return Status::InvalidParameter;
  }
  const QImage::Format original = m_image.format();
  if (original != QImage::Format_ARGB32) {
    m_image.convertTo(QImage::Format_ARGB32);
  }
  const std::size_t rowBytes = std::size_t(area.width()) * 4;
  for (int y = 0; y < area.height(); ++y) {
    uchar* dst = m_image.scanLine(area.top() + y) + std::size_t(area.left()) * 4;
    std::memcpy(dst, firstRow + y * stride, rowBytes);
  }
  if (original != QImage::Format_ARGB32 && original != QImage::Format_Indexed8) {
    m_image.convertTo(original);
  }
  return Status::Ok;
}

}  // namespace Gdip
