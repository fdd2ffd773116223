#include "canvas/DisplayCache.h"

#include <algorithm>
#include <cstdint>

#include <QPainter>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"

namespace {

// Halvings stop once the smaller side would drop under this; the navigator thumbnail
// and the smallest fitted views are made from the last one.
constexpr int kSmallestLevelSide = 64;
// A display image is kept while it holds no more pixels than this many windows.
constexpr qint64 kDisplayImageWindows = 4;

// The layouts the halving reads: 32-bit pixels (straight alpha included, which edits
// hand over), and the 24-bit rows photographs decode to.
bool Halvable(const QImage& picture) {
  const QImage::Format format = picture.format();
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied ||
         format == QImage::Format_ARGB32 || format == QImage::Format_RGB888;
}

// The picture in a layout Half reads; the others are converted.
QImage HalvableLayout(const QImage& picture) {
  if (Halvable(picture)) {
    return picture;
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

// The same mean of four straight-alpha pixels, premultiplied. Opaque pixels, by far the
// most common, are already premultiplied as they are.
inline std::uint32_t Mean4Straight(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  if ((a & b & c & d) >= 0xFF000000u) {
    return Mean4(a, b, c, d);
  }
  return Mean4(qPremultiply(a), qPremultiply(b), qPremultiply(c), qPremultiply(d));
}

// One row of 2 x 2 means of 32-bit pixels.
template <std::uint32_t (*Mean)(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t)>
void HalveRow(const std::uint32_t* top, const std::uint32_t* bottom, std::uint32_t* out, int width) {
  for (int x = 0; x < width; ++x) {
    out[x] = Mean(top[2 * x], top[2 * x + 1], bottom[2 * x], bottom[2 * x + 1]);
  }
}

// The format of a halving: straight alpha comes out premultiplied, 24-bit rows opaque.
QImage::Format HalfFormat(QImage::Format source) {
  switch (source) {
    case QImage::Format_RGB888:
      return QImage::Format_RGB32;
    case QImage::Format_ARGB32:
      return QImage::Format_ARGB32_Premultiplied;
    default:
      return source;
  }
}

}  // namespace

QImage DisplayCache::Half(const QImage& source) {
  const int w = source.width() / 2;
  const int h = source.height() / 2;
  if (!Halvable(source)) {
    return {};
  }
  QImage half = Gdip::NewPicture(w, h, HalfFormat(source.format()));
  if (half.isNull()) {
    return {};
  }
  // Row addresses come from one bits() call: scanLine() on several threads would each
  // touch the image's bookkeeping.
  uchar* const outBase = half.bits();
  const qsizetype outStride = half.bytesPerLine();
  const uchar* const inBase = source.constBits();
  const qsizetype inStride = source.bytesPerLine();
  const QImage::Format format = source.format();
  const auto halveRows = [=](int firstRow, int endRow) {
    for (int y = firstRow; y < endRow; ++y) {
      auto* out = reinterpret_cast<std::uint32_t*>(outBase + y * outStride);
      const uchar* top = inBase + 2 * y * inStride;
      const uchar* bottom = top + inStride;
      const auto* top32 = reinterpret_cast<const std::uint32_t*>(top);
      const auto* bottom32 = reinterpret_cast<const std::uint32_t*>(bottom);
      if (format == QImage::Format_RGB888) {
        HalveRgb888Rows(top, bottom, out, w);
      } else if (format == QImage::Format_ARGB32) {
        HalveRow<Mean4Straight>(top32, bottom32, out, w);
      } else {
        HalveRow<Mean4>(top32, bottom32, out, w);
      }
    }
  };
  // The halving sits between the decode and the first paint, so it runs on every core;
  // but the small halvings are not worth waking threads for, which on a busy machine
  // wait their turn longer than the work takes.
  constexpr int kLeastBandPixels = 1 << 19;
  Threads::ParallelRows(0, h - 1, [&](int first, int last) { halveRows(first, last + 1); },
                        std::max(32, kLeastBandPixels / std::max(1, w)));
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
