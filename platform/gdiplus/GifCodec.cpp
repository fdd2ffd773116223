#include "platform/gdiplus/GifCodec.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include <QList>

#include <gif_lib.h>

#include "platform/gdiplus/OntoWhite.h"
#include "platform/gdiplus/PaletteQuantizer.h"

namespace Gdip::GifCodec {

namespace {

struct IndexedPicture {
  std::vector<GifByteType> Indexes;
  std::array<GifColorType, 256> Palette{};
  int TransparentIndex = -1;
};

bool IsTransparent(QRgb pixel) { return qAlpha(pixel) == 0; }

// Maps every pixel through an exact palette; false as soon as the picture has more
// colours than the palette may hold.
bool MapExactly(const QImage& argb, int maxColours, IndexedPicture& out) {
  std::unordered_map<QRgb, GifByteType> entries;
  auto* index = out.Indexes.data();
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x, ++index) {
      if (IsTransparent(row[x])) {
        *index = GifByteType(out.TransparentIndex);
        continue;
      }
      const QRgb colour = row[x] & 0x00FFFFFFu;
      auto [it, added] = entries.try_emplace(colour, GifByteType(entries.size()));
      if (added) {
        if (int(entries.size()) > maxColours) {
          return false;
        }
        out.Palette[it->second] = {GifByteType(qRed(colour)), GifByteType(qGreen(colour)), GifByteType(qBlue(colour))};
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
    out.Palette[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])), GifByteType(qBlue(palette[i]))};
  }
  PaletteQuantizer::MapToPalette(argb, palette, GifByteType(std::max(out.TransparentIndex, 0)), out.Indexes);
  return true;
}

int AppendToBuffer(GifFileType* gif, const GifByteType* bytes, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
  return length;
}

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

bool WriteGif(const IndexedPicture& picture, int width, int height, QByteArray& out) {
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToBuffer, &error);
  if (gif == nullptr) {
    return false;
  }
  const std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(256, picture.Palette.data()));
  bool ok = map != nullptr;
  EGifSetGifVersion(gif, picture.TransparentIndex >= 0);
  ok = ok && EGifPutScreenDesc(gif, width, height, 8, 0, map.get()) == GIF_OK;
  if (ok && picture.TransparentIndex >= 0) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.DelayTime = 0;
    control.TransparentColor = picture.TransparentIndex;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < height; ++y) {
    auto* line = const_cast<GifByteType*>(picture.Indexes.data() + std::size_t(y) * std::size_t(width));
    ok = EGifPutLine(gif, line, width) == GIF_OK;
  }
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
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
  QByteArray out;
  return WriteGif(picture, argb.width(), argb.height(), out) ? out : QByteArray();
}

}  // namespace Gdip::GifCodec
