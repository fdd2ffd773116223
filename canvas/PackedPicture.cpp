#include "canvas/PackedPicture.h"

#include <algorithm>
#include <atomic>

#include <zstd.h>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"

namespace {

// The fastest standard level: a photograph's noise barely compresses further at higher
// levels, and the time is what the user waits for.
constexpr int kLevel = 1;
// Bands of a few megabytes keep every core busy on large pictures without making small
// ones pay for threads.
constexpr qsizetype kBandBytes = qsizetype{4} << 20;

}  // namespace

PackedPicture PackedPicture::Pack(const QImage& picture) {
  PackedPicture packed;
  if (picture.isNull()) {
    return packed;
  }
  const qsizetype stride = picture.bytesPerLine();
  const int rowsPerBand = int(std::max<qsizetype>(1, kBandBytes / stride));
  const int bandCount = (picture.height() + rowsPerBand - 1) / rowsPerBand;
  packed.m_bands.resize(std::size_t(bandCount));
  std::atomic<bool> failed = false;
  Threads::ParallelRows(0, bandCount - 1, [&](int first, int last) {
    for (int i = first; i <= last; ++i) {
      Band& band = packed.m_bands[std::size_t(i)];
      band.firstRow = i * rowsPerBand;
      band.rows = std::min(rowsPerBand, picture.height() - band.firstRow);
      const std::size_t size = std::size_t(stride) * std::size_t(band.rows);
      band.bytes.resize(ZSTD_compressBound(size));
      const std::size_t written =
          ZSTD_compress(band.bytes.data(), band.bytes.size(), picture.constScanLine(band.firstRow), size, kLevel);
      if (ZSTD_isError(written)) {
        failed = true;
        continue;
      }
      band.bytes.resize(written);
      band.bytes.shrink_to_fit();
    }
  }, 1);
  if (failed) {
    return {};
  }
  packed.m_size = picture.size();
  packed.m_format = picture.format();
  packed.m_colorTable = picture.colorTable();
  packed.m_dotsPerMeterX = picture.dotsPerMeterX();
  packed.m_dotsPerMeterY = picture.dotsPerMeterY();
  return packed;
}

QImage PackedPicture::Unpack() const {
  if (IsNull()) {
    return {};
  }
  QImage picture = Gdip::NewPicture(m_size.width(), m_size.height(), m_format);
  if (picture.isNull()) {
    return {};
  }
  const qsizetype stride = picture.bytesPerLine();
  // Taken once here: scanLine() on a writable picture counts a detach on every call.
  uchar* const pixels = picture.bits();
  std::atomic<bool> failed = false;
  Threads::ParallelRows(0, int(m_bands.size()) - 1, [&](int first, int last) {
    for (int i = first; i <= last; ++i) {
      const Band& band = m_bands[std::size_t(i)];
      const std::size_t size = std::size_t(stride) * std::size_t(band.rows);
      const std::size_t read = ZSTD_decompress(pixels + stride * band.firstRow, size, band.bytes.data(), band.bytes.size());
      if (ZSTD_isError(read) || read != size) {
        failed = true;
      }
    }
  }, 1);
  if (failed) {
    return {};
  }
  picture.setColorTable(m_colorTable);
  picture.setDotsPerMeterX(m_dotsPerMeterX);
  picture.setDotsPerMeterY(m_dotsPerMeterY);
  return picture;
}

qint64 PackedPicture::SizeInBytes() const {
  qint64 total = 0;
  for (const Band& band : m_bands) {
    total += qint64(band.bytes.size());
  }
  return total;
}
