#include "platform/gdiplus/GifCodec.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/gdiplus/GifLzw.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/OntoWhite.h"
#include "platform/gdiplus/PaletteQuantizer.h"

namespace Gdip::GifCodec {

namespace {

using GifColour = std::array<std::uint8_t, 3>;

struct IndexedPicture {
  std::vector<std::uint8_t> Indexes;
  std::array<GifColour, 256> Palette{};
  int TransparentIndex = -1;
};

GifColour ColourOf(QRgb colour) {
  return {std::uint8_t(qRed(colour)), std::uint8_t(qGreen(colour)), std::uint8_t(qBlue(colour))};
}

bool IsTransparent(QRgb pixel) { return qAlpha(pixel) == 0; }

// Maps every pixel through an exact palette; false as soon as the picture has more
// colours than the palette may hold.
bool MapExactly(const QImage& argb, int maxColours, IndexedPicture& out) {
  std::unordered_map<QRgb, std::uint8_t> entries;
  auto* index = out.Indexes.data();
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x, ++index) {
      if (IsTransparent(row[x])) {
        *index = std::uint8_t(out.TransparentIndex);
        continue;
      }
      const QRgb colour = row[x] & 0x00FFFFFFu;
      auto [it, added] = entries.try_emplace(colour, std::uint8_t(entries.size()));
      if (added) {
        if (int(entries.size()) > maxColours) {
          return false;
        }
        out.Palette[it->second] = ColourOf(colour);
      }
      *index = it->second;
    }
  }
  return true;
}

bool Quantise(const QImage& argb, int maxColours, IndexedPicture& out) {
  const std::vector<QRgb> palette = PaletteQuantizer::ChoosePalette(argb, maxColours);
  if (palette.empty()) {
    return false;
  }
  out.Palette = {};
  for (std::size_t i = 0; i < palette.size(); ++i) {
    out.Palette[i] = ColourOf(palette[i]);
  }
  PaletteQuantizer::MapToPalette(argb, palette, std::uint8_t(std::max(out.TransparentIndex, 0)), out.Indexes);
  return true;
}

// The file around the compressed pixels: header, logical screen with the palette as
// its global colour table, the clear colour's control block, one frame, trailer.
QByteArray WriteGif(const IndexedPicture& picture, int width, int height) {
  const bool transparent = picture.TransparentIndex >= 0;
  QByteArray out(transparent ? "GIF89a" : "GIF87a");
  LeWriter w(out);
  w.U16(std::uint16_t(width));
  w.U16(std::uint16_t(height));
  w.U8(0xF7);  // a global table of 256 colours, 8 bits of colour resolution
  w.U8(0);     // background colour
  w.U8(0);     // no aspect ratio
  for (const GifColour& c : picture.Palette) {
    w.Bytes(c);
  }
  if (transparent) {
    w.Bytes(std::array<std::uint8_t, 4>{0x21, 0xF9, 4, 1});  // graphic control, clear colour flag
    w.U16(0);                                                // no delay
    w.U8(std::uint8_t(picture.TransparentIndex));
    w.U8(0);
  }
  w.U8(0x2C);  // image descriptor: the whole screen, no local table, not interlaced
  w.U32(0);
  w.U16(std::uint16_t(width));
  w.U16(std::uint16_t(height));
  w.U8(0);
  out.append(GifLzw::Compress(picture.Indexes, width, height));
  w.U8(0x3B);
  return out;
}

}  // namespace

QByteArray Encode(const QImage& image) {
  if (image.isNull() || image.width() > 65535 || image.height() > 65535) {
    return {};
  }
  // GIF has one clear colour and no translucency: clear pixels stay clear, the others
  // are written as they look on white.
  // Opaque 32-bit pixels read as ARGB32 ones: their alpha is 255.
  QImage argb = OntoWhite(image, ClearPixels::Keep);
  if (argb.format() != QImage::Format_RGB32 && argb.format() != QImage::Format_ARGB32) {
    argb.convertTo(QImage::Format_ARGB32);
  }
  IndexedPicture picture;
  picture.Indexes.resize(std::size_t(argb.width()) * std::size_t(argb.height()));
  const bool transparent = AlphaOf(argb).Clear;
  const int maxColours = transparent ? 255 : 256;
  if (transparent) {
    picture.TransparentIndex = 255;
  }
  if (!MapExactly(argb, maxColours, picture) && !Quantise(argb, maxColours, picture)) {
    return {};
  }
  return WriteGif(picture, argb.width(), argb.height());
}

}  // namespace Gdip::GifCodec
