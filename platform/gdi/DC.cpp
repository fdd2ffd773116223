#include "platform/gdi/DC.h"

#include <cstring>
#include <utility>

#include "platform/gdi/DibSection.h"

namespace Gdi {

namespace {

bool IsIndexed(QImage::Format format) {
  return format == QImage::Format_Mono || format == QImage::Format_MonoLSB || format == QImage::Format_Indexed8;
}

// Brings an upright picture into a target's pixel layout: colour indexes (one byte each,
// nearest colour of the table) for indexed targets, else the target's own format.
QImage ToTargetLayout(const QImage& picture, QImage::Format format, const QList<QRgb>& colorTable) {
  if (colorTable.isEmpty()) {
    return picture.convertToFormat(format);
  }
  return picture.convertToFormat(QImage::Format_Indexed8, colorTable, Qt::ThresholdDither);
}

void SetIndex(std::uint8_t* row, int x, int depth, std::uint8_t index) {
  if (depth == 8) {
    row[x] = index;
  } else if (depth == 4) {
    const int shift = (x & 1) ? 0 : 4;
    row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
  } else {
    const int bit = 7 - (x & 7);
    row[x >> 3] = static_cast<std::uint8_t>((row[x >> 3] & ~(1 << bit)) | ((index & 1) << bit));
  }
}

// Copies pixels in the target's layout (see ToTargetLayout) into a raw buffer with their
// top-left corner at a point of the upright picture, clipped to the buffer.
void PasteRows(std::uint8_t* bits, qsizetype stride, int depth, QSize size, bool bottomUp, QPoint at,
               const QImage& pixels) {
  const QRect target = QRect(at, pixels.size()).intersected(QRect(QPoint(0, 0), size));
  if (target.isEmpty()) {
    return;
  }
  const bool indexed = pixels.format() == QImage::Format_Indexed8 && depth <= 8;
  const int bytesPerPixel = depth / 8;
  for (int y = target.top(); y <= target.bottom(); ++y) {
    const int storedRow = bottomUp ? size.height() - 1 - y : y;
    std::uint8_t* row = bits + storedRow * stride;
    const uchar* source = pixels.constScanLine(y - at.y());
    if (!indexed) {
      std::memcpy(row + std::size_t(target.left()) * bytesPerPixel,
                  source + std::size_t(target.left() - at.x()) * bytesPerPixel,
                  std::size_t(target.width()) * bytesPerPixel);
      continue;
    }
    for (int x = target.left(); x <= target.right(); ++x) {
      SetIndex(row, x, depth, source[x - at.x()]);
    }
  }
}

// A 4-bit section unpacked into one byte per pixel, rows still in stored order.
QImage UnpackNibbles(const DibSection& dib) {
  QImage image(dib.Width(), dib.Height(), QImage::Format_Indexed8);
  image.setColorTable(dib.ColorTableRgb());
  for (int y = 0; y < dib.Height(); ++y) {
    const std::uint8_t* source = dib.Bits() + std::size_t(y) * dib.Stride();
    uchar* row = image.scanLine(y);
    for (int x = 0; x < dib.Width(); ++x) {
      row[x] = (x & 1) ? (source[x >> 1] & 0x0F) : (source[x >> 1] >> 4);
    }
  }
  return image;
}

// Qt's smooth scaler works on premultiplied pixels, which would turn every colour under
// alpha 0 into black; a GDI-drawn 32-bit DIB has alpha 0 everywhere. So colour and alpha
// are scaled apart and joined again, as a halftone stretch of the four bytes would.
QImage ScaleSmoothKeepingColour(const QImage& argb, QSize size) {
  const QImage opaqueView(argb.constBits(), argb.width(), argb.height(), argb.bytesPerLine(), QImage::Format_RGB32);
  QImage colour = opaqueView.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32);
  QImage alpha(argb.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < argb.height(); ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    uchar* row = alpha.scanLine(y);
    for (int x = 0; x < argb.width(); ++x) {
      row[x] = static_cast<uchar>(qAlpha(source[x]));
    }
  }
  const QImage scaledAlpha = alpha.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  for (int y = 0; y < colour.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(colour.scanLine(y));
    const uchar* a = scaledAlpha.constScanLine(y);
    for (int x = 0; x < colour.width(); ++x) {
      row[x] = (row[x] & 0x00FFFFFFu) | (QRgb{a[x]} << 24);
    }
  }
  return colour;
}

}  // namespace

int DC::SetStretchBltMode(int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) {
    return 0;
  }
  const int previous = m_stretchMode;
  m_stretchMode = mode;
  return previous;
}

QImage ImageDC::Read(const QRect& area) const { return m_surface.copy(area).convertToFormat(QImage::Format_ARGB32); }

void ImageDC::Write(const QPoint& at, const QImage& picture) {
  const QImage::Format format = m_surface.format();
  if (m_surface.isNull() || format == QImage::Format_MonoLSB || (m_surface.depth() < 8 && !IsIndexed(format))) {
    return;
  }
  const QImage pixels = ToTargetLayout(picture, format, IsIndexed(format) ? m_surface.colorTable() : QList<QRgb>{});
  PasteRows(m_surface.bits(), m_surface.bytesPerLine(), m_surface.depth(), m_surface.size(), false, at, pixels);
}

int DibDC::Width() const { return m_dib.Width(); }
int DibDC::Height() const { return m_dib.Height(); }

QImage DibDC::Read(const QRect& area) const {
  // Picture rows top..bottom are stored rows (H-1-top)..(H-1-bottom), so the stored
  // block is copied and turned upright.
  const QImage stored = m_dib.BitsPerPixel() == 4 ? UnpackNibbles(m_dib) : std::as_const(m_dib).View();
  const QRect storedArea(area.x(), m_dib.Height() - area.y() - area.height(), area.width(), area.height());
  return stored.copy(storedArea).mirrored(false, true).convertToFormat(QImage::Format_ARGB32);
}

void DibDC::Write(const QPoint& at, const QImage& picture) {
  const int depth = m_dib.BitsPerPixel();
  const QImage::Format format = depth == 24 ? QImage::Format_BGR888 : QImage::Format_ARGB32;
  const QImage pixels = ToTargetLayout(picture, format, m_dib.ColorTableRgb());
  PasteRows(m_dib.Bits(), m_dib.Stride(), depth, QSize(m_dib.Width(), m_dib.Height()), true, at, pixels);
}

int BitBlt(DC& destination, int x, int y, int width, int height, const DC& source, int xSource, int ySource,
           std::uint32_t rop) {
  if (rop != SRCCOPY || width <= 0 || height <= 0) {
    return 0;
  }
  destination.Write(QPoint(x, y), source.Read(QRect(xSource, ySource, width, height)));
  return 1;
}

int StretchBlt(DC& destination, int x, int y, int width, int height, const DC& source, int xSource, int ySource,
               int widthSource, int heightSource, std::uint32_t rop) {
  if (rop != SRCCOPY || width <= 0 || height <= 0 || widthSource <= 0 || heightSource <= 0) {
    return 0;
  }
  const QImage block = source.Read(QRect(xSource, ySource, widthSource, heightSource));
  const QSize size(width, height);
  QImage scaled;
  if (block.size() == size) {
    scaled = block;
  } else if (destination.GetStretchBltMode() == HALFTONE) {
    scaled = ScaleSmoothKeepingColour(block, size);
  } else {
    scaled = block.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  destination.Write(QPoint(x, y), scaled);
  return 1;
}

bool FillRect(DC& dc, const QRect& area, COLORREF color) {
  if (area.isEmpty()) {
    return false;
  }
  QImage fill(area.size(), QImage::Format_ARGB32);
  fill.fill(qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
  dc.Write(area.topLeft(), fill);
  return true;
}

}  // namespace Gdi
