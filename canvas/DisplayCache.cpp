#include "canvas/DisplayCache.h"

#include <cstdint>
#include <atomic>

#include <QPainter>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"

namespace {

// Halvings stop once the smaller side would drop under this; the navigator thumbnail
// and the smallest fitted views are made from the last one.
constexpr int kSmallestLevelSide = 64;
// A display image is kept while it holds no more pixels than this many windows.
constexpr qint64 kDisplayImageWindows = 4;

// The layouts the halving reads: 32-bit pixels, and the 24-bit rows photographs decode to.
bool Halvable(const QImage& picture) {
  const QImage::Format format = picture.format();
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied ||
         format == QImage::Format_RGB888;
}

bool FullyOpaque(const QImage& picture) {
  std::atomic<bool> opaque = true;
  const uchar* const base = picture.constBits();
  const qsizetype stride = picture.bytesPerLine();
  const int width = picture.width();
  Threads::ParallelRows(0, picture.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last && opaque.load(std::memory_order_relaxed); ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(base + y * stride);
      // All alpha bytes ANDed together: one test per row instead of one per pixel.
      std::uint32_t all = 0xFF000000u;
      for (int x = 0; x < width; ++x) {
        all &= row[x];
      }
      if ((all & 0xFF000000u) != 0xFF000000u) {
        opaque = false;
        return;
      }
    }
  });
  return opaque;
}

// The picture in a layout Half reads. An opaque ARGB32 picture (what edits hand over)
// already is premultiplied, so it is read in place instead of being copied whole.
QImage HalvableLayout(const QImage& picture) {
  if (Halvable(picture)) {
    return picture;
  }
  if (picture.format() == QImage::Format_ARGB32 && FullyOpaque(picture)) {
    return QImage(picture.constBits(), picture.width(), picture.height(), picture.bytesPerLine(),
                  QImage::Format_ARGB32_Premultiplied);
  }
  return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32);
}

// Means of 2 x 2 blocks of 24-bit rows (red, green, blue bytes) as opaque 32-bit pixels.
void HalveRgb888Rows(const uchar* top, const uchar* bottom, std::uint32_t* out, int width) {
  for (int x = 0; x < width; ++x) {
    const uchar* a = top + 6 * x;
    const uchar* b = bottom + 6 * x;
    const auto mean = [&](int c) { return std::uint32_t(a[c] + a[c + 3] + b[c] + b[c + 3] + 2) >> 2; };
    out[x] = 0xFF000000u | (mean(0) << 16) | (mean(1) << 8) | mean(2);
  }
}

// The mean of four pixels, channel by channel, two channels at a time in 16-bit lanes.
inline std::uint32_t Mean4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  constexpr std::uint32_t kLanes = 0x00FF00FFu;
  const std::uint32_t even = (a & kLanes) + (b & kLanes) + (c & kLanes) + (d & kLanes) + 0x00020002u;
  const std::uint32_t odd = ((a >> 8) & kLanes) + ((b >> 8) & kLanes) + ((c >> 8) & kLanes) + ((d >> 8) & kLanes) +
                            0x00020002u;
  return ((even >> 2) & kLanes) | (((odd >> 2) & kLanes) << 8);
}

}  // namespace

QImage DisplayCache::Half(const QImage& source) {
  const int w = source.width() / 2;
  const int h = source.height() / 2;
  const bool rgb888 = source.format() == QImage::Format_RGB888;
  QImage half = Gdip::NewPicture(w, h, rgb888 ? QImage::Format_RGB32 : source.format());
  if (half.isNull() || !Halvable(source)) {
    return {};
  }
  // Row addresses come from one bits() call: scanLine() on several threads would each
  // touch the image's bookkeeping.
  uchar* const outBase = half.bits();
  const qsizetype outStride = half.bytesPerLine();
  const auto halveRows = [&source, outBase, outStride, rgb888, w](int firstRow, int endRow) {
    for (int y = firstRow; y < endRow; ++y) {
      auto* out = reinterpret_cast<std::uint32_t*>(outBase + y * outStride);
      if (rgb888) {
        HalveRgb888Rows(source.constScanLine(2 * y), source.constScanLine(2 * y + 1), out, w);
        continue;
      }
      const auto* top = reinterpret_cast<const std::uint32_t*>(source.constScanLine(2 * y));
      const auto* bottom = reinterpret_cast<const std::uint32_t*>(source.constScanLine(2 * y + 1));
      for (int x = 0; x < w; ++x) {
        out[x] = Mean4(top[2 * x], top[2 * x + 1], bottom[2 * x], bottom[2 * x + 1]);
      }
    }
  };
  // The halving sits between the decode and the first paint, so it runs on every core.
  Threads::ParallelRows(0, h - 1, [&](int first, int last) { halveRows(first, last + 1); });
  return half;
}

void DisplayCache::Reset(const QImage& picture) {
  if (!picture.isNull() && picture.cacheKey() == m_key) {
    return;
  }
  m_key = picture.cacheKey();
  m_levels.clear();
  m_display = QImage();
  m_lastScaled = QImage();
  m_source = picture;
  if (picture.isNull()) {
    return;
  }
  m_levels.push_back(HalvableLayout(picture));
  while (std::min(m_levels.back().width(), m_levels.back().height()) / 2 >= kSmallestLevelSide) {
    QImage next = Half(m_levels.back());
    if (next.isNull()) {
      break;
    }
    m_levels.push_back(std::move(next));
  }
}

QSize DisplayCache::PictureSize() const { return m_levels.empty() ? QSize() : m_levels.front().size(); }

const QImage& DisplayCache::LevelFor(QSize size) const {
  for (auto it = m_levels.rbegin(); it != m_levels.rend(); ++it) {
    if (it->width() >= size.width() && it->height() >= size.height()) {
      return *it;
    }
  }
  return m_levels.front();
}

QImage DisplayCache::Scaled(QSize size) const {
  if (m_levels.empty() || size.isEmpty()) {
    return {};
  }
  if (m_lastScaled.size() == size) {
    return m_lastScaled;
  }
  const QImage& level = LevelFor(size);
  m_lastScaled = level.size() == size ? level : level.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return m_lastScaled;
}

void DisplayCache::MakeDisplayImage(QSize displaySize, bool highQuality) {
  const QImage& level = LevelFor(displaySize);
  if (highQuality) {
    m_display = level.scaled(displaySize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  } else {
    // Interactive zooming: a bilinear pass from a halving at most twice as large is
    // quick and close to the smooth result.
    m_display = QImage(displaySize, level.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32);
    m_display.fill(Qt::transparent);
    QPainter p(&m_display);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRect(QPoint(0, 0), displaySize), level);
  }
  m_displayHighQuality = highQuality;
}

void DisplayCache::Draw(QPainter& painter, const QRect& clip, QPoint offset, QSize displaySize, bool highQuality) {
  const QRect shown = QRect(offset, displaySize).intersected(clip);
  if (m_levels.empty() || shown.isEmpty()) {
    return;
  }
  const QImage& picture = m_levels.front();
  if (displaySize == picture.size()) {
    painter.drawImage(shown.topLeft(), picture, shown.translated(-offset));
    return;
  }
  const bool reduced = displaySize.width() <= picture.width() && displaySize.height() <= picture.height();
  const qint64 windowPixels = qint64(clip.width()) * clip.height();
  if (reduced && qint64(displaySize.width()) * displaySize.height() <= kDisplayImageWindows * windowPixels) {
    if (m_display.size() != displaySize || (highQuality && !m_displayHighQuality)) {
      MakeDisplayImage(displaySize, highQuality);
    }
    painter.drawImage(shown.topLeft(), m_display, shown.translated(-offset));
    return;
  }
  // Much larger than the window: scale only the part that shows.
  const QImage& level = LevelFor(displaySize);
  const double sx = double(level.width()) / displaySize.width();
  const double sy = double(level.height()) / displaySize.height();
  const QRectF source((shown.x() - offset.x()) * sx, (shown.y() - offset.y()) * sy, shown.width() * sx,
                      shown.height() * sy);
  const bool wasSmooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, highQuality || reduced);
  painter.drawImage(QRectF(shown), level, source);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, wasSmooth);
}
