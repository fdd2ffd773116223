#include "platform/gdiplus/TiffCodec.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <vector>

#include <QIODevice>
#include <QImage>

#include "platform/gdiplus/IndexedPicture.h"

#include <tiffio.h>

namespace Gdip::TiffCodec {

namespace {

QIODevice* DeviceOf(thandle_t handle) { return static_cast<QIODevice*>(handle); }

tsize_t Read(thandle_t handle, tdata_t data, tsize_t size) { return DeviceOf(handle)->read(static_cast<char*>(data), size); }
tsize_t Write(thandle_t handle, tdata_t data, tsize_t size) {
  return DeviceOf(handle)->write(static_cast<const char*>(data), size);
}
toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  QIODevice* device = DeviceOf(handle);
  qint64 base = 0;
  if (whence == SEEK_CUR) {
    base = device->pos();
  } else if (whence == SEEK_END) {
    base = device->size();
  }
  const qint64 target = base + qint64(offset);
  if (target > device->size()) {
    // libtiff may seek past the end before writing; fill the gap so the seek succeeds.
    device->seek(device->size());
    device->write(QByteArray(target - device->size(), '\0'));
  }
  return device->seek(target) ? toff_t(target) : toff_t(-1);
}
int Close(thandle_t) { return 0; }
toff_t Size(thandle_t handle) { return toff_t(DeviceOf(handle)->size()); }
int Map(thandle_t, tdata_t*, toff_t*) { return 0; }
void Unmap(thandle_t, tdata_t, toff_t) {}

bool WriteRows(TIFF* tif, const QImage& pixels, bool alpha) {
  const int samples = alpha ? 4 : 3;
  std::vector<std::uint8_t> row(std::size_t(pixels.width()) * std::size_t(samples));
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* src = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    std::uint8_t* out = row.data();
    for (int x = 0; x < pixels.width(); ++x) {
      *out++ = std::uint8_t(qRed(src[x]));
      *out++ = std::uint8_t(qGreen(src[x]));
      *out++ = std::uint8_t(qBlue(src[x]));
      if (alpha) {
        *out++ = std::uint8_t(qAlpha(src[x]));
      }
    }
    if (TIFFWriteScanline(tif, row.data(), std::uint32_t(y), 0) != 1) {
      return false;
    }
  }
  return true;
}

// A read-only view of bytes in memory, for libtiff's client interface.
struct MemoryStream {
  std::span<const std::uint8_t> data;
  std::size_t position = 0;
};

MemoryStream* StreamOf(thandle_t handle) { return static_cast<MemoryStream*>(handle); }

tsize_t MemoryRead(thandle_t handle, tdata_t data, tsize_t size) {
  MemoryStream* s = StreamOf(handle);
  const std::size_t n = std::min<std::size_t>(std::size_t(size), s->data.size() - s->position);
  std::memcpy(data, s->data.data() + s->position, n);
  s->position += n;
  return tsize_t(n);
}
tsize_t MemoryWrite(thandle_t, tdata_t, tsize_t) { return -1; }
toff_t MemorySeek(thandle_t handle, toff_t offset, int whence) {
  MemoryStream* s = StreamOf(handle);
  const std::uint64_t base = whence == SEEK_CUR ? s->position : whence == SEEK_END ? s->data.size() : 0;
  if (base + offset > s->data.size()) {
    return toff_t(-1);
  }
  s->position = std::size_t(base + offset);
  return s->position;
}
toff_t MemorySize(thandle_t handle) { return StreamOf(handle)->data.size(); }

// The layout of an RGB page that our own reader takes: the ones Qt's reader gets wrong.
struct RgbLayout {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  int Bits = 8;      // 8 or 16 per sample
  int Samples = 3;   // red, green, blue and any extra samples
  bool Planar = false;
  std::uint16_t Alpha = EXTRASAMPLE_UNSPECIFIED;  // what the first extra sample is
};

// Pages with their channels in separate planes (Qt's 16-bit path reads them as if
// interleaved) and pages with extra samples (Qt takes any extra sample for alpha, and
// premultiplies unassociated alpha). nullopt for the pages Qt reads well.
std::optional<RgbLayout> OwnLayout(TIFF* tif) {
  std::uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, extraCount = 0;
  std::uint16_t* extra = nullptr;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  const bool rgb = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) == 1 && photometric == PHOTOMETRIC_RGB;
  const bool hasExtra = TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) == 1 && extraCount > 0;
  RgbLayout layout;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &layout.Width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &layout.Height);
  layout.Bits = bits;
  layout.Samples = samples;
  layout.Planar = planar == PLANARCONFIG_SEPARATE;
  layout.Alpha = hasExtra ? extra[0] : EXTRASAMPLE_UNSPECIFIED;
  const bool ours = layout.Planar || hasExtra;
  if (!rgb || !ours || (bits != 8 && bits != 16) || samples < 3 || TIFFIsTiled(tif)) {
    return std::nullopt;
  }
  return layout;
}

// 16-bit samples become 8 bits with the same rounding as Qt's conversions.
std::uint8_t To8(const std::uint8_t* sample, int bits) {
  if (bits == 8) {
    return *sample;
  }
  std::uint16_t v = 0;
  std::memcpy(&v, sample, 2);
  return std::uint8_t((v - (v >> 8) + 0x80) >> 8);
}

bool HasAlpha(const RgbLayout& layout) {
  return layout.Samples > 3 && (layout.Alpha == EXTRASAMPLE_ASSOCALPHA || layout.Alpha == EXTRASAMPLE_UNASSALPHA);
}

// Writes one channel (0 red ... 3 alpha) of one row from its samples. The red plane
// comes first and starts each pixel afresh, opaque until an alpha plane follows.
void PutChannel(QRgb* out, const std::uint8_t* samples, std::size_t step, int bits, std::uint32_t width, int channel) {
  const int shift = channel == 3 ? 24 : 16 - 8 * channel;
  const QRgb keep = channel == 0 ? 0xFF000000u : ~(QRgb{0xFF} << shift);
  for (std::uint32_t x = 0; x < width; ++x, samples += step) {
    out[x] = (out[x] & keep) | (QRgb{To8(samples, bits)} << shift);
  }
}

bool ReadInterleaved(TIFF* tif, const RgbLayout& layout, std::vector<std::uint8_t>& row, QImage& image) {
  const std::size_t sampleBytes = std::size_t(layout.Bits / 8);
  const std::size_t step = sampleBytes * std::size_t(layout.Samples);
  const bool alpha = HasAlpha(layout);
  for (std::uint32_t y = 0; y < layout.Height; ++y) {
    if (TIFFReadScanline(tif, row.data(), y, 0) != 1) {
      return false;
    }
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    const std::uint8_t* p = row.data();
    for (std::uint32_t x = 0; x < layout.Width; ++x, p += step) {
      out[x] = qRgba(To8(p, layout.Bits), To8(p + sampleBytes, layout.Bits), To8(p + 2 * sampleBytes, layout.Bits),
                     alpha ? To8(p + 3 * sampleBytes, layout.Bits) : 255);
    }
  }
  return true;
}

// Separate planes are read one after the other, each from its first row: compressed
// strips cannot be read out of order.
bool ReadPlanes(TIFF* tif, const RgbLayout& layout, std::vector<std::uint8_t>& row, QImage& image) {
  const int planes = HasAlpha(layout) ? 4 : 3;
  for (int plane = 0; plane < planes; ++plane) {
    for (std::uint32_t y = 0; y < layout.Height; ++y) {
      if (TIFFReadScanline(tif, row.data(), y, std::uint16_t(plane)) != 1) {
        return false;
      }
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
      PutChannel(out, row.data(), std::size_t(layout.Bits / 8), layout.Bits, layout.Width, plane);
    }
  }
  return true;
}

bool ReadRows(TIFF* tif, const RgbLayout& layout, QImage& image) {
  std::vector<std::uint8_t> row(std::size_t(TIFFScanlineSize(tif)));
  const std::size_t pixelBytes = std::size_t(layout.Bits / 8) * std::size_t(layout.Planar ? 1 : layout.Samples);
  if (row.size() < std::size_t(layout.Width) * pixelBytes) {
    return false;
  }
  return layout.Planar ? ReadPlanes(tif, layout, row, image) : ReadInterleaved(tif, layout, row, image);
}

// Associated alpha stores colours multiplied by it; the program works on straight alpha.
void Unpremultiply(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int a = qAlpha(row[x]);
      auto straight = [a](int c) { return a == 0 ? 0 : std::min(255, (c * 255 + a / 2) / a); };
      row[x] = qRgba(straight(qRed(row[x])), straight(qGreen(row[x])), straight(qBlue(row[x])), a);
    }
  }
}

QImage ReadRgb(TIFF* tif, const RgbLayout& layout) {
  if (layout.Width == 0 || layout.Height == 0 ||
      std::uint64_t{layout.Width} * layout.Height * 4 >= (std::uint64_t{1} << 31)) {
    return {};
  }
  const bool alpha = HasAlpha(layout);
  QImage image(int(layout.Width), int(layout.Height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) {
    return {};
  }
  if (!ReadRows(tif, layout, image)) {
    return {};
  }
  if (layout.Alpha == EXTRASAMPLE_ASSOCALPHA && alpha) {
    Unpremultiply(image);
  }
  return image;
}

// Whether the first page's strips or tiles lie inside the file and hold enough data for
// the pixels they declare. The layer refuses a page that fails here before any reader
// allocates for it: a few bytes claiming a huge picture would otherwise cost a reader
// work for every declared row. None of the general-purpose compressions packs more than
// about 4096 bytes into one (LZW at best, deflate 1032); the fax and JPEG codings are
// left unchecked.
bool DataCoversPicture(TIFF* tif, std::size_t fileSize) {
  const bool tiled = TIFFIsTiled(tif) != 0;
  const std::uint32_t count = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
  const std::uint64_t pieceBytes = tiled ? std::uint64_t(TIFFTileSize64(tif)) : std::uint64_t(TIFFStripSize64(tif));
  std::uint64_t stored = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    int error = 0;
    const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tif, i, &error);
    const std::uint64_t bytes = TIFFGetStrileByteCountWithErr(tif, i, &error);
    if (error != 0 || offset > fileSize || bytes > fileSize - offset) {
      return false;
    }
    stored += bytes;
  }
  std::uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  const bool bounded = compression == COMPRESSION_NONE || compression == COMPRESSION_LZW ||
                       compression == COMPRESSION_DEFLATE || compression == COMPRESSION_ADOBE_DEFLATE ||
                       compression == COMPRESSION_PACKBITS;
  constexpr std::uint64_t kMaxExpansion = 4096;
  return count > 0 && (!bounded || pieceBytes * count <= (stored + 64) * kMaxExpansion);
}

void Quiet(const char*, const char*, va_list) {}

}  // namespace

std::optional<QImage> Decode(std::span<const std::uint8_t> data) {
  // libtiff reports problems on stderr by default; a failed read is answer enough.
  TIFFSetWarningHandler(Quiet);
  TIFFSetErrorHandler(Quiet);
  MemoryStream stream{data};
  TIFF* tif = TIFFClientOpen("picture", "rm", &stream, MemoryRead, MemoryWrite, MemorySeek, Close, MemorySize, Map,
                             Unmap);
  if (tif == nullptr) {
    return std::nullopt;
  }
  std::optional<QImage> result;
  if (!DataCoversPicture(tif, data.size())) {
    result = QImage();
  } else if (const std::optional<RgbLayout> layout = OwnLayout(tif)) {
    result = ReadRgb(tif, *layout);
  }
  TIFFClose(tif);
  return result;
}

namespace {

// Opens a page for writing with the fields every page we write shares.
TIFF* StartPage(QIODevice& device, int width, int height, int bits, int samples, std::uint16_t photometric) {
  TIFF* tif = TIFFClientOpen("picture", "w", &device, Read, Write, Seek, Close, Size, Map, Unmap);
  if (tif == nullptr) {
    return nullptr;
  }
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(height));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
  return tif;
}

}  // namespace

bool Encode(const QImage& image, QIODevice& device) {
  if (image.isNull() || device.isSequential()) {
    return false;
  }
  const bool alpha = image.hasAlphaChannel();
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  TIFF* tif = StartPage(device, pixels.width(), pixels.height(), 8, alpha ? 4 : 3, PHOTOMETRIC_RGB);
  if (tif == nullptr) {
    return false;
  }
  TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  if (alpha) {
    const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  const bool ok = WriteRows(tif, pixels, alpha) && TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  return ok;
}

bool EncodeIndexed(const IndexedPicture& picture, QIODevice& device) {
  if (picture.Width <= 0 || picture.Height <= 0 || picture.Palette.isEmpty() || device.isSequential()) {
    return false;
  }
  const QList<QRgb> blackWhite{qRgb(0, 0, 0), qRgb(255, 255, 255)};
  const bool bilevel = picture.Depth == 1 && picture.Palette == blackWhite;
  TIFF* tif = StartPage(device, picture.Width, picture.Height, picture.Depth, 1,
                        bilevel ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_PALETTE);
  if (tif == nullptr) {
    return false;
  }
  if (!bilevel) {
    // Colour maps hold 16-bit samples, one full table per channel.
    const std::size_t entries = std::size_t{1} << picture.Depth;
    std::vector<std::uint16_t> red(entries), green(entries), blue(entries);
    for (std::size_t i = 0; i < std::size_t(picture.Palette.size()) && i < entries; ++i) {
      const QRgb c = picture.Palette[qsizetype(i)];
      red[i] = std::uint16_t(qRed(c) * 257);
      green[i] = std::uint16_t(qGreen(c) * 257);
      blue[i] = std::uint16_t(qBlue(c) * 257);
    }
    TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
  }
  bool ok = true;
  std::vector<std::uint8_t> row(picture.RowBytes());
  for (int y = 0; y < picture.Height && ok; ++y) {
    std::copy_n(picture.Rows.begin() + std::ptrdiff_t(std::size_t(y) * row.size()), row.size(), row.begin());
    ok = TIFFWriteScanline(tif, row.data(), std::uint32_t(y), 0) == 1;
  }
  ok = ok && TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  return ok;
}

}  // namespace Gdip::TiffCodec
