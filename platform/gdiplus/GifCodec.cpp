#include "platform/gdiplus/GifCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include <QList>
#include <QRect>

#include <gif_lib.h>

namespace Gdip::GifCodec {

namespace {

struct IndexedPicture {
  std::vector<GifByteType> Indexes;
  std::array<GifColorType, 256> Palette{};
  int TransparentIndex = -1;
};

bool IsTransparent(QRgb pixel) { return qAlpha(pixel) == 0; }

bool HasTransparentPixel(const QImage& argb) {
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (IsTransparent(row[x])) {
        return true;
      }
    }
  }
  return false;
}

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
  const std::size_t count = std::size_t(argb.width()) * std::size_t(argb.height());
  std::vector<GifByteType> red(count), green(count), blue(count);
  std::size_t i = 0;
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x, ++i) {
      red[i] = GifByteType(qRed(row[x]));
      green[i] = GifByteType(qGreen(row[x]));
      blue[i] = GifByteType(qBlue(row[x]));
    }
  }
  int size = maxColours;
  if (GifQuantizeBuffer(unsigned(argb.width()), unsigned(argb.height()), &size, red.data(), green.data(), blue.data(),
                        out.Indexes.data(), out.Palette.data()) != GIF_OK) {
    return false;
  }
  if (out.TransparentIndex >= 0) {
    i = 0;
    for (int y = 0; y < argb.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
      for (int x = 0; x < argb.width(); ++x, ++i) {
        if (IsTransparent(row[x])) {
          out.Indexes[i] = GifByteType(out.TransparentIndex);
        }
      }
    }
  }
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

struct MemoryInput {
  std::span<const std::uint8_t> data;
  std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* bytes, int length) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t n = std::min<std::size_t>(std::size_t(length), input->data.size() - input->position);
  std::copy_n(input->data.data() + input->position, n, bytes);
  input->position += n;
  return int(n);
}

// Skips an extension's data blocks; returns the transparent index of a graphic control
// extension through `transparent`.
bool ReadExtension(GifFileType* gif, int& transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
    return false;
  }
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
    GraphicsControlBlock control{};
    if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) {
      transparent = control.TransparentColor;
    }
  }
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
      return false;
    }
  }
  return true;
}

// A screen this large around a frame this much smaller is a few bytes claiming a huge
// picture; the frame alone is then the picture, rather than acres of background.
constexpr std::int64_t kLargeScreenPixels = std::int64_t{1} << 24;
constexpr std::int64_t kSmallFrameShare = 16;

bool FrameIsThePicture(const GifFileType* gif) {
  const std::int64_t screen = std::int64_t{gif->SWidth} * gif->SHeight;
  const std::int64_t frame = std::int64_t{gif->Image.Width} * gif->Image.Height;
  return gif->SWidth <= 0 || gif->SHeight <= 0 || (screen > kLargeScreenPixels && frame * kSmallFrameShare < screen);
}

// Where the first frame lies on the picture.
QRect FramePlace(const GifFileType* gif) {
  const GifImageDesc& frame = gif->Image;
  return FrameIsThePicture(gif) ? QRect(0, 0, frame.Width, frame.Height)
                                : QRect(frame.Left, frame.Top, frame.Width, frame.Height);
}

QImage ScreenFor(const GifFileType* gif, const ColorMapObject& map, int transparent) {
  const bool frameAlone = FrameIsThePicture(gif);
  const int width = frameAlone ? gif->Image.Width : gif->SWidth;
  const int height = frameAlone ? gif->Image.Height : gif->SHeight;
  if (width <= 0 || height <= 0 || std::int64_t{width} * height * 4 >= (std::int64_t{1} << 31)) {
    return {};
  }
  QImage screen(width, height, QImage::Format_Indexed8);
  if (screen.isNull()) {
    return {};
  }
  QList<QRgb> table(256, qRgb(0, 0, 0));
  for (int i = 0; i < map.ColorCount && i < 256; ++i) {
    table[i] = qRgb(map.Colors[i].Red, map.Colors[i].Green, map.Colors[i].Blue);
  }
  if (transparent >= 0 && transparent < 256) {
    table[transparent] = 0;
  }
  screen.setColorTable(table);
  return screen;
}

// Where the first frame does not cover the screen, the screen shows its background:
// the rows above and below the frame and the margins beside it.
void FillAroundFrame(QImage& screen, const QRect& place, std::uint8_t background) {
  const int first = std::clamp(place.left(), 0, screen.width());
  const int last = std::clamp(place.left() + place.width(), first, screen.width());
  for (int y = 0; y < screen.height(); ++y) {
    uchar* row = screen.scanLine(y);
    if (y < place.top() || y >= place.top() + place.height()) {
      std::memset(row, background, std::size_t(screen.width()));
      continue;
    }
    std::memset(row, background, std::size_t(first));
    std::memset(row + last, background, std::size_t(screen.width() - last));
  }
}

// Decodes the frame's rows straight into the screen's rows where they fit, and through
// one line buffer where the frame reaches past the screen's sides.
bool ReadFrameRows(GifFileType* gif, const QRect& place, QImage& screen) {
  const int width = place.width();
  const bool inside = place.left() >= 0 && place.left() + width <= screen.width();
  std::vector<GifByteType> line(inside ? 0 : std::size_t(width));
  const int first = std::clamp(place.left(), 0, screen.width());
  const int last = std::clamp(place.left() + width, first, screen.width());
  // Interlaced frames store every 8th row, then the 4th, then every 2nd, then the rest.
  constexpr int kStarts[] = {0, 4, 2, 1};
  constexpr int kSteps[] = {8, 8, 4, 2};
  const bool interlaced = gif->Image.Interlace;
  uchar* const bits = screen.bits();
  const std::size_t stride = std::size_t(screen.bytesPerLine());
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
    const int step = interlaced ? kSteps[pass] : 1;
    for (int row = interlaced ? kStarts[pass] : 0; row < place.height(); row += step) {
      const int y = place.top() + row;
      const bool visible = y >= 0 && y < screen.height();
      GifByteType* target = inside && visible ? bits + std::size_t(y) * stride + std::size_t(place.left()) : nullptr;
      if (target == nullptr) {
        line.resize(std::size_t(width));
      }
      if (DGifGetLine(gif, target != nullptr ? target : line.data(), width) == GIF_ERROR) {
        return false;
      }
      if (target == nullptr && visible && last > first) {
        std::memcpy(bits + std::size_t(y) * stride + std::size_t(first), line.data() + (first - place.left()),
                    std::size_t(last - first));
      }
    }
  }
  return true;
}

QImage ReadFrame(GifFileType* gif, int transparent) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) {
    return {};
  }
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr || frame.Width <= 0 || frame.Height <= 0) {
    return {};
  }
  const QRect place = FramePlace(gif);
  QImage screen = ScreenFor(gif, *map, transparent);
  if (screen.isNull() || !ReadFrameRows(gif, place, screen)) {
    return {};
  }
  FillAroundFrame(screen, place, std::uint8_t(transparent >= 0 ? transparent : gif->SBackGroundColor));
  return screen;
}

QImage ReadFirstFrame(GifFileType* gif) {
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      return {};
    }
    if (type == IMAGE_DESC_RECORD_TYPE) {
      return ReadFrame(gif, transparent);
    }
    if (type == TERMINATE_RECORD_TYPE || (type == EXTENSION_RECORD_TYPE && !ReadExtension(gif, transparent))) {
      return {};
    }
  }
}

}  // namespace

QImage Decode(std::span<const std::uint8_t> data) {
  MemoryInput input{data};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, ReadFromMemory, &error);
  if (gif == nullptr) {
    return {};
  }
  QImage image = ReadFirstFrame(gif);
  DGifCloseFile(gif, &error);
  return image;
}

QByteArray Encode(const QImage& image) {
  if (image.isNull() || image.width() > 65535 || image.height() > 65535) {
    return {};
  }
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  IndexedPicture picture;
  picture.Indexes.resize(std::size_t(argb.width()) * std::size_t(argb.height()));
  const bool transparent = argb.hasAlphaChannel() && HasTransparentPixel(argb);
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
