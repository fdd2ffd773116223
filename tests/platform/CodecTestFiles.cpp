#include "CodecTestFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include "platform/gdiplus/LittleEndian.h"

namespace CodecTestFiles {

QImage Gradient(int width, int height, bool withAlpha) {
  QImage image(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int alpha = withAlpha ? (x * 255) / std::max(1, width - 1) : 255;
      image.setPixel(x, y, qRgba((x * 37 + y * 11) & 0xFF, (y * 53) & 0xFF, (x * y + 7) & 0xFF, alpha));
    }
  }
  return image;
}

QByteArray Bmp(int width, int height, int bpp, std::uint32_t compression, const std::vector<std::uint32_t>& palette,
               const QByteArray& bits) {
  QByteArray out;
  Gdip::LeWriter w(out);
  const auto offset = std::uint32_t(14 + 40 + palette.size() * 4);
  w.U8('B');
  w.U8('M');
  w.U32(offset + std::uint32_t(bits.size()));
  w.U32(0);
  w.U32(offset);
  w.U32(40);
  w.I32(width);
  w.I32(height);
  w.U16(1);
  w.U16(std::uint16_t(bpp));
  w.U32(compression);
  w.U32(std::uint32_t(bits.size()));
  w.I32(0);
  w.I32(0);
  w.U32(std::uint32_t(palette.size()));
  w.U32(0);
  for (auto c : palette) {
    w.U32(c);
  }
  out.append(bits);
  return out;
}

QByteArray CmykJpeg(int width, int height, std::uint8_t c, std::uint8_t m, std::uint8_t y, std::uint8_t k) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, JCS_YCCK);
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(std::size_t(width) * 4);
  for (int x = 0; x < width; ++x) {
    // The Adobe convention: 255 means no ink.
    row[std::size_t(x) * 4 + 0] = JSAMPLE(255 - c);
    row[std::size_t(x) * 4 + 1] = JSAMPLE(255 - m);
    row[std::size_t(x) * 4 + 2] = JSAMPLE(255 - y);
    row[std::size_t(x) * 4 + 3] = JSAMPLE(255 - k);
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

bool WriteTiff(const QString& path, int width, int height, const std::vector<std::uint32_t>& pageColours, bool cmyk,
               int compression) {
  TIFF* tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
  if (tif == nullptr) {
    return false;
  }
  const int samples = cmyk ? 4 : 3;
  bool ok = true;
  for (std::uint32_t colour : pageColours) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, cmyk ? PHOTOMETRIC_SEPARATED : PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
    if (compression == COMPRESSION_JPEG) {
      TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
    }
    std::vector<std::uint8_t> row(std::size_t(width) * samples);
    for (int x = 0; x < width; ++x) {
      for (int s = 0; s < samples; ++s) {
        row[std::size_t(x) * samples + s] = std::uint8_t(colour >> (8 * (samples - 1 - s)));
      }
    }
    for (int y = 0; y < height && ok; ++y) {
      ok = TIFFWriteScanline(tif, row.data(), std::uint32_t(y), 0) == 1;
    }
    ok = ok && TIFFWriteDirectory(tif) == 1;
  }
  TIFFClose(tif);
  return ok;
}

namespace {

QByteArray ReadWhole(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

QByteArray RgbTiff(int width, int height, int bits, bool planar, int extraSample,
                   int (*sample)(int x, int y, int channel)) {
  const QString path = QDir::temp().filePath(QStringLiteral("lorvane-rgbtiff-%1.tif").arg(QCoreApplication::applicationPid()));
  TIFF* tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
  if (tif == nullptr) {
    return {};
  }
  const int channels = extraSample >= 0 ? 4 : 3;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, channels);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2);
  if (extraSample >= 0) {
    const std::uint16_t extra[] = {std::uint16_t(extraSample)};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  const int bytes = bits / 8;
  bool ok = true;
  for (int plane = 0; plane < (planar ? channels : 1); ++plane) {
    for (int y = 0; y < height && ok; ++y) {
      std::vector<std::uint8_t> row(std::size_t(width) * std::size_t(planar ? 1 : channels) * std::size_t(bytes));
      std::uint8_t* out = row.data();
      for (int x = 0; x < width; ++x) {
        for (int c = planar ? plane : 0; c < (planar ? plane + 1 : channels); ++c, out += bytes) {
          const int v = sample(x, y, c);
          if (bytes == 1) {
            *out = std::uint8_t(v);
          } else {
            const std::uint16_t v16 = std::uint16_t(v);
            std::memcpy(out, &v16, 2);
          }
        }
      }
      ok = TIFFWriteScanline(tif, row.data(), std::uint32_t(y), std::uint16_t(plane)) == 1;
    }
  }
  ok = ok && TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  const QByteArray file = ok ? ReadWhole(path) : QByteArray();
  QFile::remove(path);
  return file;
}

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(length));
}

void FlushPng(png_structp) {}

}  // namespace

QByteArray DeepPngWithTransparentColour(const std::vector<std::array<std::uint16_t, 3>>& pixels, int width,
                                        std::array<std::uint16_t, 3> transparent, bool grey) {
  QByteArray out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendPng, FlushPng);
  const int height = int(pixels.size()) / width;
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 16, grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color_16 colour{};
  colour.red = transparent[0];
  colour.green = transparent[1];
  colour.blue = transparent[2];
  colour.gray = transparent[0];
  png_set_tRNS(png, info, nullptr, 0, &colour);
  png_write_info(png, info);
  const int channels = grey ? 1 : 3;
  std::vector<std::uint8_t> row(std::size_t(width) * std::size_t(channels) * 2);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* p = row.data();
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < channels; ++c) {
        const std::uint16_t v = pixels[std::size_t(y * width + x)][std::size_t(c)];
        *p++ = std::uint8_t(v >> 8);  // PNG samples are big-endian
        *p++ = std::uint8_t(v);
      }
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

namespace {

int AppendGif(GifFileType* gif, const GifByteType* bytes, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
  return length;
}

}  // namespace

QByteArray Gif(int frames, bool interlaced) {
  QByteArray out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendGif, &error);
  GifColorType colours[32];
  for (int i = 0; i < 32; ++i) {
    colours[i] = {GifByteType(i * 8), GifByteType(i * 8), GifByteType(i * 8)};
  }
  ColorMapObject* map = GifMakeMapObject(32, colours);
  EGifPutScreenDesc(gif, 1, 16, 8, 0, map);
  // Interlaced frames are stored in four passes: rows 0, 8; 4, 12; 2, 6, ...; odd rows.
  std::vector<int> order;
  const int starts[] = {0, 4, 2, 1};
  const int steps[] = {8, 8, 4, 2};
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
    for (int row = interlaced ? starts[pass] : 0; row < 16; row += interlaced ? steps[pass] : 1) {
      order.push_back(row);
    }
  }
  for (int frame = 0; frame < frames; ++frame) {
    EGifPutImageDesc(gif, 0, 0, 1, 16, interlaced, nullptr);
    for (int row : order) {
      GifByteType index = GifByteType(row + frame);
      EGifPutLine(gif, &index, 1);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) {
    return 256;
  }
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  int worst = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = x.constScanLine(row);
    const auto* q = y.constScanLine(row);
    for (int i = 0; i < x.width() * 4; ++i) {
      worst = std::max(worst, std::abs(int(p[i]) - int(q[i])));
    }
  }
  return worst;
}

}  // namespace CodecTestFiles
