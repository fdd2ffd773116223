#include "platform/gdiplus/IndexedPicture.h"

#include <algorithm>
#include <unordered_map>

#include <QImage>

namespace Gdip {

namespace {

using ColourIndexes = std::unordered_map<QRgb, std::uint8_t>;

// Colour to index for the first 2^depth entries of a palette; the first entry of a colour
// that appears twice wins.
ColourIndexes IndexesOf(const QList<QRgb>& palette, std::size_t entries) {
  ColourIndexes out;
  for (std::size_t i = 0; i < std::min<std::size_t>(entries, std::size_t(palette.size())); ++i) {
    out.try_emplace(palette[qsizetype(i)], std::uint8_t(i));
  }
  return out;
}

void Put(IndexedPicture& picture, int x, int y, std::uint8_t index) {
  const int perByte = 8 / picture.Depth;
  const int shift = 8 - picture.Depth * (x % perByte + 1);
  picture.Rows[std::size_t(y) * picture.RowBytes() + std::size_t(x / perByte)] |= std::uint8_t(index << shift);
}

// Maps every pixel through `known`, adding unknown colours while `grow` allows and the
// palette has room. False when a pixel is partly transparent or does not fit.
bool MapPixels(const QImage& argb, ColourIndexes& known, bool grow, IndexedPicture& out) {
  const std::size_t capacity = std::size_t{1} << out.Depth;
  out.Rows.assign(out.RowBytes() * std::size_t(out.Height), 0);
  QRgb last = 0;
  std::uint8_t lastIndex = 0;
  bool haveLast = false;
  for (int y = 0; y < out.Height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < out.Width; ++x) {
      const QRgb colour = row[x];
      if (!haveLast || colour != last) {
        const int alpha = qAlpha(colour);
        if (alpha != 0 && alpha != 255) {
          return false;
        }
        auto it = known.find(colour);
        if (it == known.end()) {
          if (!grow || known.size() >= capacity) {
            return false;
          }
          it = known.emplace(colour, std::uint8_t(known.size())).first;
          out.Palette.append(colour);
        }
        last = colour;
        lastIndex = it->second;
        haveLast = true;
      }
      Put(out, x, y, lastIndex);
    }
  }
  return true;
}

}  // namespace

bool IndexedPicture::HasTransparency() const {
  return std::any_of(Palette.begin(), Palette.end(), [](QRgb c) { return qAlpha(c) == 0; });
}

std::optional<IndexedPicture> ReduceToPalette(const QImage& image, int depth, const QList<QRgb>& sourcePalette) {
  if (image.isNull() || (depth != 1 && depth != 4 && depth != 8)) {
    return std::nullopt;
  }
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  IndexedPicture out;
  out.Width = argb.width();
  out.Height = argb.height();
  out.Depth = depth;
  const std::size_t capacity = std::size_t{1} << depth;
  ColourIndexes fromSource = IndexesOf(sourcePalette, capacity);
  if (!fromSource.empty() && MapPixels(argb, fromSource, false, out)) {
    out.Palette = sourcePalette.mid(0, qsizetype(std::min<std::size_t>(capacity, std::size_t(sourcePalette.size()))));
    return out;
  }
  ColourIndexes seen;
  out.Palette.clear();
  if (!MapPixels(argb, seen, true, out)) {
    return std::nullopt;
  }
  return out;
}

}  // namespace Gdip
