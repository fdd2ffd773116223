#include "platform/gdiplus/TiffCodec.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <vector>

#include <QIODevice>
#include <QImage>

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

bool HasUnassociatedAlpha(TIFF* tif) {
  std::uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, extraCount = 0;
  std::uint16_t* extra = nullptr;
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  const bool rgb = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric) == 1 && photometric == PHOTOMETRIC_RGB;
  const bool hasExtra = TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) == 1;
  return rgb && bits == 8 && samples == 4 && planar == PLANARCONFIG_CONTIG && hasExtra && extraCount == 1 &&
         extra[0] == EXTRASAMPLE_UNASSALPHA;
}

QImage ReadRgba(TIFF* tif) {
  std::uint32_t width = 0, height = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  if (width == 0 || height == 0 || std::uint64_t{width} * height * 4 >= (std::uint64_t{1} << 31)) {
    return {};
  }
  QImage image(int(width), int(height), QImage::Format_ARGB32);
  std::vector<std::uint8_t> row(std::size_t(TIFFScanlineSize(tif)));
  if (image.isNull() || row.size() < std::size_t(width) * 4) {
    return {};
  }
  for (std::uint32_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(tif, row.data(), y, 0) != 1) {
      return {};
    }
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::uint8_t* p = row.data() + std::size_t(x) * 4;
      out[x] = qRgba(p[0], p[1], p[2], p[3]);
    }
  }
  return image;
}

void Quiet(const char*, const char*, va_list) {}

}  // namespace

std::optional<QImage> DecodeUnassociatedAlpha(std::span<const std::uint8_t> data) {
  // libtiff reports problems on stderr by default; a failed read is answer enough.
  TIFFSetWarningHandler(Quiet);
  MemoryStream stream{data};
  TIFF* tif = TIFFClientOpen("picture", "rm", &stream, MemoryRead, MemoryWrite, MemorySeek, Close, MemorySize, Map,
                             Unmap);
  if (tif == nullptr) {
    return std::nullopt;
  }
  std::optional<QImage> result;
  if (HasUnassociatedAlpha(tif)) {
    result = ReadRgba(tif);
  }
  TIFFClose(tif);
  return result;
}

bool Encode(const QImage& image, QIODevice& device) {
  if (image.isNull() || device.isSequential()) {
    return false;
  }
  const bool alpha = image.hasAlphaChannel();
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  TIFF* tif = TIFFClientOpen("picture", "w", &device, Read, Write, Seek, Close, Size, Map, Unmap);
  if (tif == nullptr) {
    return false;
  }
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(pixels.width()));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(pixels.height()));
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, alpha ? 4 : 3);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
  if (alpha) {
    const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  const bool ok = WriteRows(tif, pixels, alpha) && TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  return ok;
}

}  // namespace Gdip::TiffCodec
