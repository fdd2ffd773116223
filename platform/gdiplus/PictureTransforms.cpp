#include "platform/gdiplus/PictureTransforms.h"

#include <algorithm>
#include <atomic>
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

// A fresh picture of the source's resolution, and the row addresses of both, taken once:
// scanLine() on several threads would each touch the pictures' bookkeeping.
struct Transform {
  QImage out;
  const uchar* in = nullptr;
  qsizetype inStride = 0;
  uchar* outBase = nullptr;
  qsizetype outStride = 0;

  Transform(const QImage& source, QSize size, QImage::Format format)
      : out(NewPicture(size.width(), size.height(), format)) {
    if (out.isNull()) {
      return;
    }
    out.setDotsPerMeterX(source.dotsPerMeterX());
    out.setDotsPerMeterY(source.dotsPerMeterY());
    in = source.constBits();
    inStride = source.bytesPerLine();
    outBase = out.bits();
    outStride = out.bytesPerLine();
  }
  const std::uint32_t* SourceRow(int y) const { return reinterpret_cast<const std::uint32_t*>(in + inStride * y); }
  std::uint32_t* Row(int y) const { return reinterpret_cast<std::uint32_t*>(outBase + outStride * y); }
};

}  // namespace

QImage QuarterTurned(const QImage& picture, bool clockwise) {
  if (!ThirtyTwoBits(picture)) {
    return picture.transformed(QTransform().rotate(clockwise ? 90 : -90));
  }
  const int w = picture.width();
  const int h = picture.height();
  const Transform t(picture, QSize(h, w), picture.format());
  if (t.out.isNull()) {
    return {};
  }
  // Output pixel (x, y) comes from (y, h - 1 - x) clockwise, from (w - 1 - y, x) the other way.
  Threads::ParallelRows(0, w - 1, [&](int first, int last) {
    for (int y0 = first; y0 <= last; y0 += kTileSide) {
      const int y1 = std::min(last + 1, y0 + kTileSide);
      for (int x0 = 0; x0 < h; x0 += kTileSide) {
        const int x1 = std::min(h, x0 + kTileSide);
        for (int y = y0; y < y1; ++y) {
          std::uint32_t* row = t.Row(y);
          const int column = clockwise ? y : w - 1 - y;
          for (int x = x0; x < x1; ++x) {
            row[x] = t.SourceRow(clockwise ? h - 1 - x : x)[column];
          }
        }
      }
    }
  }, kTileSide);
  return t.out;
}

QImage Mirrored(const QImage& picture, bool horizontally, bool vertically) {
  if (!ThirtyTwoBits(picture)) {
    return picture.mirrored(horizontally, vertically);
  }
  const int w = picture.width();
  const int h = picture.height();
  const Transform t(picture, picture.size(), picture.format());
  if (t.out.isNull()) {
    return {};
  }
  Threads::ParallelRows(0, h - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const std::uint32_t* source = t.SourceRow(vertically ? h - 1 - y : y);
      if (horizontally) {
        std::reverse_copy(source, source + w, t.Row(y));
      } else {
        std::memcpy(t.Row(y), source, std::size_t(w) * 4);
      }
    }
  });
  return t.out;
}

QImage EditableCopy(const QImage& picture) {
  const QImage::Format format = picture.format();
  if (format != QImage::Format_ARGB32 && format != QImage::Format_RGB32) {
    return picture.convertToFormat(QImage::Format_ARGB32);
  }
  const Transform t(picture, picture.size(), QImage::Format_ARGB32);
  if (t.out.isNull()) {
    return {};
  }
  const int w = picture.width();
  // RGB32's fourth byte is not promised to be 0xFF, so it is set as Qt's conversion does.
  const bool opaque = format == QImage::Format_RGB32;
  Threads::ParallelRows(0, picture.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const std::uint32_t* source = t.SourceRow(y);
      if (opaque) {
        std::transform(source, source + w, t.Row(y), [](std::uint32_t p) { return p | 0xFF000000u; });
      } else {
        std::memcpy(t.Row(y), source, std::size_t(w) * 4);
      }
    }
  });
  return t.out;
}

bool IsOpaque(const QImage& picture) {
  if (!picture.hasAlphaChannel()) {
    return true;
  }
  if (!ThirtyTwoBits(picture)) {
    return IsOpaque(picture.convertToFormat(QImage::Format_ARGB32));
  }
  std::atomic<bool> opaque = true;
  const uchar* const base = picture.constBits();
  const qsizetype stride = picture.bytesPerLine();
  const int w = picture.width();
  Threads::ParallelRows(0, picture.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last && opaque.load(std::memory_order_relaxed); ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(base + stride * y);
      // Every alpha byte ANDed together: one test per row.
      std::uint32_t all = 0xFF000000u;
      for (int x = 0; x < w; ++x) {
        all &= row[x];
      }
      if (all < 0xFF000000u) {
        opaque = false;
      }
    }
  });
  return opaque;
}

void SwitchAlphaForm(QImage& picture, QImage::Format format) {
  if (picture.format() == format) {
    return;
  }
  const bool sameBytes = ThirtyTwoBits(picture) && IsOpaque(picture) && picture.reinterpretAsFormat(format);
  if (!sameBytes) {
    picture.convertTo(format);
  }
}

}  // namespace Gdip
