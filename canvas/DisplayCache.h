#pragma once
// What the canvas shows a large picture from. Scaling a 24-megapixel photograph on every
// paint would make zooming and panning crawl, so the picture is halved a few times when
// it is loaded, and every paint scales from the smallest halving that is still at least
// as large as what is shown: the work follows the window's size, not the picture's.

#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

class DisplayCache {
 public:
  // Takes the picture (shared, not copied) and builds its halvings; a null picture empties
  // the cache. The same unchanged picture again keeps what was built.
  void Reset(const QImage& picture);
  // Changes whenever the cache is built anew.
  qint64 Key() const { return m_key; }
  bool IsEmpty() const { return m_levels.empty(); }
  QSize PictureSize() const;

  // The picture scaled to size with smoothing, made from the nearest halving. The last
  // size asked for is kept: a commit lays the canvas out more than once at the same fit.
  QImage Scaled(QSize size) const;
  // Draws the picture as it is shown with its top-left corner at offset and the given
  // display size, only where it meets clip. A display size up to a few windows large is
  // kept as one image, so panning over it only copies pixels.
  void Draw(QPainter& painter, const QRect& clip, QPoint offset, QSize displaySize, bool highQuality);

  // A picture half as wide and high, each pixel the mean of four. Reads 32-bit pixels
  // (straight alpha halves into premultiplied pixels) and 24-bit rows (which halve into
  // opaque 32-bit pixels); a null image for other layouts.
  static QImage Half(const QImage& source);

 private:
  const QImage& LevelFor(QSize size) const;
  void MakeDisplayImage(QSize displaySize, bool highQuality);

  // The picture as given; level 0 may read its pixels in place, so it is kept alive.
  QImage m_source;
  std::vector<QImage> m_levels;  // 0 is the picture itself, in a layout Half reads
  QImage m_display;
  bool m_displayHighQuality = false;
  mutable QImage m_lastScaled;
  qint64 m_key = 0;
};
