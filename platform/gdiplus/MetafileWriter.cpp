#include "platform/gdiplus/MetafileWriter.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileFormat.h"

namespace Gdip::MetafileWriter {

namespace {

constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kDibRgbColors = 0;
constexpr std::size_t kEmfHeaderSize = 108;
constexpr std::size_t kStretchDibitsFixedSize = 80;

void WriteRect(LeWriter& w, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  w.I32(left);
  w.I32(top);
  w.I32(right);
  w.I32(bottom);
}

// Hundredths of a millimetre for a length in pixels at 96 dots per inch.
std::int32_t PixelsToHimetric(int pixels) { return std::int32_t(std::lround(pixels * 2540.0 / 96.0)); }

}  // namespace

QByteArray EncodeEmf(const QImage& image) {
  const QByteArray dib = BmpCodec::EncodePictureDib(image);
  const std::size_t infoSize = BmpCodec::kInfoHeaderSize;
  if (dib.isEmpty()) {
    return {};
  }
  const int width = image.width();
  const int height = image.height();
  const std::size_t recordSize = kStretchDibitsFixedSize + std::size_t(dib.size());
  const std::size_t eofSize = 20;
  const std::size_t total = kEmfHeaderSize + recordSize + eofSize;
  if (total > std::numeric_limits<std::int32_t>::max()) {
    return {};
  }
  QByteArray out;
  out.reserve(qsizetype(total));
  LeWriter w(out);
  // Header: bounds in device pixels, frame in hundredths of a millimetre; the reference
  // device's size in pixels and millimetres gives exactly 96 dots per inch.
  w.U32(Emf::kHeader);
  w.U32(kEmfHeaderSize);
  WriteRect(w, 0, 0, width - 1, height - 1);
  WriteRect(w, 0, 0, PixelsToHimetric(width), PixelsToHimetric(height));
  w.U32(Emf::kSignature);
  w.U32(0x00010000);  // version
  w.U32(std::uint32_t(total));
  w.U32(3);  // records
  w.U16(1);  // handles: the table's reserved slot only
  w.U16(0);
  w.U32(0);  // no description
  w.U32(0);
  w.U32(0);  // no palette
  w.I32(Emf::kReferenceDevicePixels[0]);
  w.I32(Emf::kReferenceDevicePixels[1]);
  w.I32(Emf::kReferenceDeviceMillimetres[0]);
  w.I32(Emf::kReferenceDeviceMillimetres[1]);
  w.U32(0);  // no pixel format descriptor
  w.U32(0);
  w.U32(0);  // no OpenGL
  w.I32(Emf::kReferenceDeviceMillimetres[0] * 1000);
  w.I32(Emf::kReferenceDeviceMillimetres[1] * 1000);

  w.U32(Emf::kStretchDibits);
  w.U32(std::uint32_t(recordSize));
  WriteRect(w, 0, 0, width - 1, height - 1);
  w.I32(0);  // destination x, y
  w.I32(0);
  w.I32(0);  // source x, y, width, height
  w.I32(0);
  w.I32(width);
  w.I32(height);
  w.U32(kStretchDibitsFixedSize);
  w.U32(std::uint32_t(infoSize));
  w.U32(std::uint32_t(kStretchDibitsFixedSize + infoSize));
  w.U32(std::uint32_t(std::size_t(dib.size()) - infoSize));
  w.U32(kDibRgbColors);
  w.U32(kSrcCopy);
  w.I32(width);
  w.I32(height);
  out.append(dib);

  w.U32(Emf::kEof);
  w.U32(eofSize);
  w.U32(0);  // no palette entries
  w.U32(16);
  w.U32(eofSize);
  return out;
}

QByteArray EncodeWmf(const QImage& image) {
  if (image.isNull() || image.width() > std::numeric_limits<std::int16_t>::max() ||
      image.height() > std::numeric_limits<std::int16_t>::max()) {
    return {};
  }
  const QByteArray dib = BmpCodec::EncodePictureDib(image);
  if (dib.isEmpty()) {
    return {};
  }
  const auto width = std::int16_t(image.width());
  const auto height = std::int16_t(image.height());
  const std::size_t headerWords = 9;
  const std::size_t windowRecordWords = 5;
  const std::size_t dibRecordWords = 14 + std::size_t(dib.size() + 1) / 2;
  const std::size_t eofWords = 3;
  const std::size_t totalWords = headerWords + 2 * windowRecordWords + dibRecordWords + eofWords;
  if (totalWords * 2 > std::size_t(std::numeric_limits<std::int32_t>::max())) {
    return {};
  }
  QByteArray out;
  out.reserve(qsizetype(22 + totalWords * 2));
  LeWriter w(out);
  // Placeable header: the picture's box in logical units at 96 units per inch.
  const std::uint16_t placeable[] = {0xCDD7, 0x9AC6, 0, 0, 0, std::uint16_t(width), std::uint16_t(height), 96, 0, 0};
  std::uint16_t checksum = 0;
  for (std::uint16_t word : placeable) {
    w.U16(word);
    checksum ^= word;
  }
  w.U16(checksum);

  w.U16(1);  // in memory
  w.U16(std::uint16_t(headerWords));
  w.U16(0x0300);
  w.U32(std::uint32_t(totalWords));
  w.U16(0);  // objects
  w.U32(std::uint32_t(dibRecordWords));
  w.U16(0);

  w.U32(windowRecordWords);
  w.U16(Wmf::kSetWindowOrg);
  w.I16(0);
  w.I16(0);
  w.U32(windowRecordWords);
  w.U16(Wmf::kSetWindowExt);
  w.I16(height);
  w.I16(width);

  w.U32(std::uint32_t(dibRecordWords));
  w.U16(Wmf::kStretchDib);
  w.U32(kSrcCopy);
  w.U16(kDibRgbColors);
  w.I16(height);  // source height, width, y, x
  w.I16(width);
  w.I16(0);
  w.I16(0);
  w.I16(height);  // destination height, width, y, x
  w.I16(width);
  w.I16(0);
  w.I16(0);
  out.append(dib);
  if (dib.size() % 2 != 0) {
    w.U8(0);
  }

  w.U32(eofWords);
  w.U16(Wmf::kEof);
  return out;
}

}  // namespace Gdip::MetafileWriter
