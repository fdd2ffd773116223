#include "platform/gdiplus/JpegEncoder.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>

#include <QIODevice>

#include <jpeglib.h>
#include <jerror.h>

namespace Gdip::JpegEncoder {

namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 16;
constexpr double kInchesPerMetre = 0.0254;

// libjpeg reports fatal errors through error_exit, which must not return: it jumps back
// to the encode call.
struct ErrorManager {
  jpeg_error_mgr base{};
  std::jmp_buf jump{};
};

[[noreturn]] void OnError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }

// The compressed bytes go to the device a buffer at a time.
struct DeviceDestination {
  jpeg_destination_mgr base{};
  QIODevice* device = nullptr;
  std::array<JOCTET, kBufferBytes> buffer{};
};

DeviceDestination& DestinationOf(j_compress_ptr cinfo) { return *reinterpret_cast<DeviceDestination*>(cinfo->dest); }

void StartDestination(j_compress_ptr cinfo) {
  DeviceDestination& dest = DestinationOf(cinfo);
  dest.base.next_output_byte = dest.buffer.data();
  dest.base.free_in_buffer = dest.buffer.size();
}

void WriteOut(j_compress_ptr cinfo, std::size_t bytes) {
  DeviceDestination& dest = DestinationOf(cinfo);
  if (dest.device->write(reinterpret_cast<const char*>(dest.buffer.data()), qint64(bytes)) != qint64(bytes)) {
    ERREXIT(cinfo, JERR_FILE_WRITE);
  }
}

boolean EmptyDestination(j_compress_ptr cinfo) {
  WriteOut(cinfo, kBufferBytes);
  StartDestination(cinfo);
  return TRUE;
}

void FinishDestination(j_compress_ptr cinfo) {
  WriteOut(cinfo, kBufferBytes - DestinationOf(cinfo).base.free_in_buffer);
}

// How the library reads a row of each stored layout; other layouts are converted first.
J_COLOR_SPACE InputSpace(QImage::Format format) {
  switch (format) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      // 0xAARRGGBB words: blue first in memory on little-endian machines.
      return Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    case QImage::Format_RGB888:
      return JCS_RGB;
    case QImage::Format_BGR888:
      return JCS_EXT_BGR;
    default:
      return JCS_UNKNOWN;
  }
}

struct Compressor {
  jpeg_compress_struct cinfo{};
  ErrorManager err;
  DeviceDestination dest;
  explicit Compressor(QIODevice& device) {
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    jpeg_create_compress(&cinfo);
    dest.device = &device;
    dest.base.init_destination = StartDestination;
    dest.base.empty_output_buffer = EmptyDestination;
    dest.base.term_destination = FinishDestination;
    cinfo.dest = &dest.base;
  }
  ~Compressor() { jpeg_destroy_compress(&cinfo); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;
};

UINT16 DotsPerInch(int dotsPerMetre) {
  return UINT16(std::clamp(int(dotsPerMetre * kInchesPerMetre + 0.5), 1, 65535));
}

// Everything between jpeg_create_compress and jpeg_destroy_compress that may jump back
// lives here, so that no object with a destructor is skipped by the jump.
bool CompressInto(Compressor& c, const QImage& pixels, int quality) {
  jpeg_compress_struct& cinfo = c.cinfo;
  if (setjmp(c.err.jump) != 0) {
    return false;
  }
  cinfo.image_width = JDIMENSION(pixels.width());
  cinfo.image_height = JDIMENSION(pixels.height());
  cinfo.in_color_space = InputSpace(pixels.format());
  cinfo.input_components = pixels.depth() / 8;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(quality, 0, 100), TRUE);
  cinfo.density_unit = 1;  // dots per inch
  cinfo.X_density = DotsPerInch(pixels.dotsPerMeterX());
  cinfo.Y_density = DotsPerInch(pixels.dotsPerMeterY());
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    auto* row = const_cast<JSAMPROW>(pixels.constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

bool Encode(const QImage& image, int quality, QIODevice& device) {
  if (image.isNull()) {
    return false;
  }
  const QImage pixels = InputSpace(image.format()) != JCS_UNKNOWN
                            ? image
                            : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                            : QImage::Format_RGB32);
  Compressor compressor(device);
  return CompressInto(compressor, pixels, quality);
}

}  // namespace Gdip::JpegEncoder
