#pragma once
// A picture as palette indexes at 1, 4 or 8 bits, for writing a palette picture back as
// one: saving an indexed source in place keeps its depth and its colour table.

#include <cstdint>
#include <optional>
#include <vector>

#include <QList>
#include <QRgb>

class QImage;

namespace Gdip {

struct IndexedPicture {
  int Width = 0;
  int Height = 0;
  int Depth = 8;          // bits per index: 1, 4 or 8
  QList<QRgb> Palette;    // straight ARGB; at most 2^Depth entries
  std::vector<std::uint8_t> Rows;  // packed rows of whole bytes, top row first, no padding

  std::size_t RowBytes() const { return (std::size_t(Width) * std::size_t(Depth) + 7) / 8; }
  // Whether any palette entry is transparent (alpha is only ever 0 or 255 here).
  bool HasTransparency() const;
};

// The picture as indexes at that depth when every pixel is opaque or fully transparent
// and the colours fit: the source's palette where it holds every colour (so an unchanged
// picture keeps its table), else the colours in the order they first appear. nullopt
// when the picture has more colours than the depth holds or partly transparent pixels.
std::optional<IndexedPicture> ReduceToPalette(const QImage& image, int depth, const QList<QRgb>& sourcePalette);

}  // namespace Gdip
