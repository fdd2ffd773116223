#include "platform/gdiplus/PictureTransforms.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <QTransform>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"

namespace Gdip {

namespace {

// Turns move pixels across rows: they go tile by tile, so that the source rows a tile
// reads stay in the cache while its columns are written.
constexpr int kTileSide = 64;

bool ThirtyTwoBits(const QImage& picture) { return !picture.isNull() && picture.depth() == 32; }

// A fresh picture of the source's format and resolution.
QImage LikeSource(const QImage& source, int width, int height) {
  QImage out = NewPicture(width, height, source.format());
  if (!out.isNull()) {
    out.setDotsPerMeterX(source.dotsPerMeterX());
    out.setDotsPerMeterY(source.dotsPerMeterY());
  }
  return out;
}

}  // namespace

QImage QuarterTurned(const QImage& picture, bool clockwise) {
  if (!ThirtyTwoBits(picture)) {
    return picture.transformed(QTransform().rotate(clockwise ? 90 : -90));
  }
  const int w = picture.width();
  const int h = picture.height();
  QImage out = LikeSource(picture, h, w);
  if (out.isNull()) {
    return {};
  }
  const uchar* const in = picture.constBits();
  const qsizetype inStride = picture.bytesPerLine();
  uchar* const outBase = out.bits();
  const qsizetype outStride = out.bytesPerLine();
  // Output pixel (x, y) comes from (y, h - 1 - x) clockwise, from (w - 1 - y, x) the other way.
  Threads::ParallelRows(0, w - 1, [&](int first, int last) {
    for (int y0 = first; y0 <= last; y0 += kTileSide) {
      const int y1 = std::min(last + 1, y0 + kTileSide);
      for (int x0 = 0; x0 < h; x0 += kTileSide) {
        const int x1 = std::min(h, x0 + kTileSide);
        for (int y = y0; y < y1; ++y) {
          auto* row = reinterpret_cast<std::uint32_t*>(outBase + outStride * y);
          const int column = clockwise ? y : w - 1 - y;
          for (int x = x0; x < x1; ++x) {
            const int sourceRow = clockwise ? h - 1 - x : x;
            row[x] = reinterpret_cast<const std::uint32_t*>(in + inStride * sourceRow)[column];
          }
        }
      }
    }
  }, kTileSide);
  return out;
}

QImage Mirrored(const QImage& picture, bool horizontally, bool vertically) {
  if (!ThirtyTwoBits(picture)) {
    return picture.mirrored(horizontally, vertically);
  }
  const int w = picture.width();
  const int h = picture.height();
  QImage out = LikeSource(picture, w, h);
  if (out.isNull()) {
    return {};
  }
  const uchar* const in = picture.constBits();
  const qsizetype inStride = picture.bytesPerLine();
  uchar* const outBase = out.bits();
  const qsizetype outStride = out.bytesPerLine();
  Threads::ParallelRows(0, h - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const auto* source = reinterpret_cast<const std::uint32_t*>(in + inStride * (vertically ? h - 1 - y : y));
      auto* row = reinterpret_cast<std::uint32_t*>(outBase + outStride * y);
      if (horizontally) {
        std::reverse_copy(source, source + w, row);
      } else {
        std::memcpy(row, source, std::size_t(w) * 4);
      }
    }
  });
  return out;
}

QImage EditableCopy(const QImage& picture) {
  const QImage::Format format = picture.format();
  if (format != QImage::Format_ARGB32 && format != QImage::Format_RGB32) {
    return picture.convertToFormat(QImage::Format_ARGB32);
  }
  QImage out = NewPicture(picture.width(), picture.height(), QImage::Format_ARGB32);
  if (out.isNull()) {
    return {};
  }
  out.setDotsPerMeterX(picture.dotsPerMeterX());
  out.setDotsPerMeterY(picture.dotsPerMeterY());
  const uchar* const in = picture.constBits();
  const qsizetype inStride = picture.bytesPerLine();
  uchar* const outBase = out.bits();
  const qsizetype outStride = out.bytesPerLine();
  const int w = picture.width();
  // RGB32's fourth byte is not promised to be 0xFF, so it is set as Qt's conversion does.
  const bool opaque = format == QImage::Format_RGB32;
  Threads::ParallelRows(0, picture.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const auto* source = reinterpret_cast<const std::uint32_t*>(in + inStride * y);
      auto* row = reinterpret_cast<std::uint32_t*>(outBase + outStride * y);
      if (opaque) {
        std::transform(source, source + w, row, [](std::uint32_t p) { return p | 0xFF000000u; });
      } else {
        std::memcpy(row, source, std::size_t(w) * 4);
      }
    }
  });
  return out;
}

}  // namespace Gdip
