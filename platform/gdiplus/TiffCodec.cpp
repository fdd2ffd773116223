#include "platform/gdiplus/TiffCodec.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include <QBuffer>
#include <QIODevice>
#include <QImage>

#include "platform/ParallelRows.h"

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

// Writes rows first..last of the picture as the page's rows from 0.
bool WriteRows(TIFF* tif, const QImage& pixels, bool alpha, int first, int last) {
  const int samples = alpha ? 4 : 3;
  std::vector<std::uint8_t> row(std::size_t(pixels.width()) * std::size_t(samples));
  for (int y = first; y <= last; ++y) {
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
    if (TIFFWriteScanline(tif, row.data(), std::uint32_t(y - first), 0) != 1) {
      return false;
    }
  }
  return true;
}

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

// An RGB page, with unassociated alpha when asked, its rows differenced left to right
// before compression.
TIFF* StartRgbPage(QIODevice& device, int width, int height, bool alpha) {
  TIFF* tif = StartPage(device, width, height, 8, alpha ? 4 : 3, PHOTOMETRIC_RGB);
  if (tif == nullptr) {
    return nullptr;
  }
  TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
  if (alpha) {
    const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  return tif;
}

// The compressed strips of rows first..last, `rowsPerStrip` rows each: libtiff's own
// coder writes them as a page of their own in memory, and they are read back raw.
std::vector<QByteArray> BandStrips(const QImage& pixels, bool alpha, std::uint32_t rowsPerStrip, int first, int last) {
  QByteArray file;
  QBuffer buffer(&file);
  buffer.open(QIODevice::ReadWrite);
  TIFF* part = StartRgbPage(buffer, pixels.width(), last - first + 1, alpha);
  if (part == nullptr) {
    return {};
  }
  TIFFSetField(part, TIFFTAG_ROWSPERSTRIP, rowsPerStrip);
  const bool written = WriteRows(part, pixels, alpha, first, last) && TIFFWriteDirectory(part) == 1;
  TIFFClose(part);
  buffer.seek(0);
  TIFF* back = written ? TIFFClientOpen("band", "r", &buffer, Read, Write, Seek, Close, Size, Map, Unmap) : nullptr;
  if (back == nullptr) {
    return {};
  }
  std::vector<QByteArray> strips(TIFFNumberOfStrips(back));
  for (std::uint32_t i = 0; i < strips.size(); ++i) {
    strips[i].resize(qsizetype(TIFFRawStripSize(back, i)));
    if (strips[i].isEmpty() || TIFFReadRawStrip(back, i, strips[i].data(), strips[i].size()) != strips[i].size()) {
      strips.clear();
      break;
    }
  }
  TIFFClose(back);
  return strips;
}

// Every strip of the picture, compressed on all cores: each band of whole strips is
// coded apart, as libtiff codes every strip afresh anyway. Empty on failure.
std::vector<QByteArray> CompressedStrips(const QImage& pixels, bool alpha, std::uint32_t rowsPerStrip) {
  const int stripCount = int((std::uint32_t(pixels.height()) + rowsPerStrip - 1) / rowsPerStrip);
  std::vector<std::vector<QByteArray>> bands(std::size_t(std::min(stripCount, Threads::CoreCount())));
  const auto firstStrip = [&](std::size_t band) { return int(std::int64_t{stripCount} * int(band) / int(bands.size())); };
  Threads::ParallelRows(
      0, int(bands.size()) - 1,
      [&](int first, int last) {
        for (int band = first; band <= last; ++band) {
          const int from = firstStrip(std::size_t(band)) * int(rowsPerStrip);
          const int to = std::min(firstStrip(std::size_t(band) + 1) * int(rowsPerStrip), pixels.height()) - 1;
          bands[std::size_t(band)] = BandStrips(pixels, alpha, rowsPerStrip, from, to);
        }
      },
      1);
  std::vector<QByteArray> strips;
  strips.reserve(std::size_t(stripCount));
  for (std::size_t band = 0; band < bands.size(); ++band) {
    if (int(bands[band].size()) != firstStrip(band + 1) - firstStrip(band)) {
      return {};
    }
    std::move(bands[band].begin(), bands[band].end(), std::back_inserter(strips));
  }
  return strips;
}

}  // namespace

bool Encode(const QImage& image, QIODevice& device) {
  if (image.isNull() || device.isSequential()) {
    return false;
  }
  const bool alpha = image.hasAlphaChannel();
  const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  TIFF* tif = StartRgbPage(device, pixels.width(), pixels.height(), alpha);
  if (tif == nullptr) {
    return false;
  }
  std::uint32_t rowsPerStrip = 0;
  TIFFGetField(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  const std::vector<QByteArray> strips = CompressedStrips(pixels, alpha, std::max<std::uint32_t>(rowsPerStrip, 1));
  bool ok = !strips.empty();
  for (std::size_t i = 0; ok && i < strips.size(); ++i) {
    ok = TIFFWriteRawStrip(tif, std::uint32_t(i), const_cast<char*>(strips[i].constData()), strips[i].size()) ==
         strips[i].size();
  }
  ok = ok && TIFFWriteDirectory(tif) == 1;
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
