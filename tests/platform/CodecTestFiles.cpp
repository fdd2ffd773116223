#include "CodecTestFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <zlib.h>

#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileFormat.h"

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

namespace {

// Compresses rows with libjpeg once `configure` has set the coding up.
QByteArray CompressJpeg(int width, int height, int components, J_COLOR_SPACE space,
                        const std::function<void(jpeg_compress_struct&)>& configure,
                        const std::function<const JSAMPLE*(int y)>& row) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = space;
  jpeg_set_defaults(&cinfo);
  configure(cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW p = const_cast<JSAMPROW>(row(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

}  // namespace

QByteArray CmykJpeg(int width, int height, std::uint8_t c, std::uint8_t m, std::uint8_t y, std::uint8_t k) {
  std::vector<JSAMPLE> row(std::size_t(width) * 4);
  for (int x = 0; x < width; ++x) {
    // The Adobe convention: 255 means no ink.
    row[std::size_t(x) * 4 + 0] = JSAMPLE(255 - c);
    row[std::size_t(x) * 4 + 1] = JSAMPLE(255 - m);
    row[std::size_t(x) * 4 + 2] = JSAMPLE(255 - y);
    row[std::size_t(x) * 4 + 3] = JSAMPLE(255 - k);
  }
  return CompressJpeg(
      width, height, 4, JCS_CMYK,
      [](jpeg_compress_struct& cinfo) {
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
        jpeg_set_quality(&cinfo, 95, TRUE);
      },
      [&](int) { return row.data(); });
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

namespace {

// Packs full-scale samples of 2 to 16 bits into a row, high bits first.
void PackSamples(const std::vector<int>& samples, int bits, std::vector<std::uint8_t>& row) {
  row.assign((samples.size() * std::size_t(bits) + 7) / 8, 0);
  if (bits == 16) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
      const std::uint16_t v = std::uint16_t(samples[i]);
      std::memcpy(row.data() + i * 2, &v, 2);  // libtiff takes 16-bit samples in our byte order
    }
    return;
  }
  std::size_t bit = 0;
  for (int v : samples) {
    for (int b = bits - 1; b >= 0; --b, ++bit) {
      if ((v >> b) & 1) {
        row[bit / 8] |= std::uint8_t(0x80 >> (bit % 8));
      }
    }
  }
}

void SetLayoutFields(TIFF* tif, const TiffLayout& layout) {
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, layout.Width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, layout.Height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, layout.Bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, layout.Samples);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, layout.Planar ? PLANARCONFIG_SEPARATE : PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, layout.Photometric);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, layout.Compression);
  if (layout.TileSide > 0) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, layout.TileSide);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, layout.TileSide);
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, layout.RowsPerStrip);
  }
  if (layout.ExtraSample >= 0) {
    const std::uint16_t extra[] = {std::uint16_t(layout.ExtraSample)};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  if (!layout.ColourMap.empty()) {
    const std::size_t entries = std::size_t{1} << layout.Bits;
    std::vector<std::uint16_t> map = layout.ColourMap;
    map.resize(entries * 3);
    TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data() + entries, map.data() + 2 * entries);
  }
}

// The samples of one row (of one plane when planar) packed as the file stores them.
void RowSamples(const TiffLayout& layout, int y, int plane, int left, int width,
                int (*sample)(int x, int y, int channel), std::vector<std::uint8_t>& row) {
  std::vector<int> samples;
  for (int x = left; x < left + width; ++x) {
    for (int c = layout.Planar ? plane : 0; c < (layout.Planar ? plane + 1 : layout.Samples); ++c) {
      samples.push_back(x < layout.Width && y < layout.Height ? sample(x, y, c) : 0);
    }
  }
  PackSamples(samples, layout.Bits, row);
}

bool WriteTiles(TIFF* tif, const TiffLayout& layout, int (*sample)(int x, int y, int channel)) {
  const int side = layout.TileSide;
  std::vector<std::uint8_t> tile, row;
  for (int plane = 0; plane < (layout.Planar ? layout.Samples : 1); ++plane) {
    for (int top = 0; top < layout.Height; top += side) {
      for (int left = 0; left < layout.Width; left += side) {
        tile.clear();
        for (int y = top; y < top + side; ++y) {
          RowSamples(layout, y, plane, left, side, sample, row);
          tile.insert(tile.end(), row.begin(), row.end());
        }
        if (TIFFWriteTile(tif, tile.data(), std::uint32_t(left), std::uint32_t(top), 0, std::uint16_t(plane)) < 0) {
          return false;
        }
      }
    }
  }
  return true;
}

bool WriteStrips(TIFF* tif, const TiffLayout& layout, int (*sample)(int x, int y, int channel)) {
  std::vector<std::uint8_t> row;
  for (int plane = 0; plane < (layout.Planar ? layout.Samples : 1); ++plane) {
    for (int y = 0; y < layout.Height; ++y) {
      RowSamples(layout, y, plane, 0, layout.Width, sample, row);
      if (TIFFWriteScanline(tif, row.data(), std::uint32_t(y), std::uint16_t(plane)) != 1) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

QByteArray SampleTiff(const TiffLayout& layout, int (*sample)(int x, int y, int channel)) {
  const QString path =
      QDir::temp().filePath(QStringLiteral("lorvane-sampletiff-%1.tif").arg(QCoreApplication::applicationPid()));
  TIFF* tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
  if (tif == nullptr) {
    return {};
  }
  bool ok = true;
  for (int page = 0; page < layout.Pages && ok; ++page) {
    SetLayoutFields(tif, layout);
    ok = layout.TileSide > 0 ? WriteTiles(tif, layout, sample) : WriteStrips(tif, layout, sample);
    ok = ok && TIFFWriteDirectory(tif) == 1;
  }
  TIFFClose(tif);
  const QByteArray file = ok ? ReadWhole(path) : QByteArray();
  QFile::remove(path);
  return file;
}

QByteArray RgbTiff(int width, int height, int bits, bool planar, int extraSample,
                   int (*sample)(int x, int y, int channel)) {
  TiffLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.Bits = bits;
  layout.Samples = extraSample >= 0 ? 4 : 3;
  layout.Planar = planar;
  layout.ExtraSample = extraSample;
  return SampleTiff(layout, sample);
}

namespace {

// Where the first page's directory entry for the field is; 0 when it has none.
std::size_t TiffEntry(const Gdip::LeReader& in, int tag) {
  const std::size_t ifd = in.U32(4);
  for (std::size_t i = 0, n = in.U16(ifd); i < n; ++i) {
    const std::size_t entry = ifd + 2 + i * 12;
    if (in.U16(entry) == tag) {
      return entry;
    }
  }
  return 0;
}

}  // namespace

std::uint32_t TiffValueOffset(const QByteArray& tiff, int tag) {
  const Gdip::LeReader in(Gdip::AsBytes(tiff));
  const std::size_t entry = TiffEntry(in, tag);
  return entry == 0 ? 0 : in.U32(entry + 8);
}

std::uint32_t TiffArrayValue(const QByteArray& tiff, int tag, int index) {
  const Gdip::LeReader in(Gdip::AsBytes(tiff));
  const std::size_t entry = TiffEntry(in, tag);
  if (entry == 0) {
    return 0;
  }
  const bool shorts = in.U16(entry + 2) == TIFF_SHORT;
  const std::size_t size = shorts ? 2 : 4;
  const std::size_t values = in.U32(entry + 4) * size <= 4 ? entry + 8 : in.U32(entry + 8);
  const std::size_t at = values + std::size_t(index) * size;
  return shorts ? in.U16(at) : in.U32(at);
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

namespace {

// Appends codes of a fixed width, least significant bit first.
class CodeWriter {
 public:
  void Put(int code, int width) {
    m_bits |= std::uint32_t(code) << m_count;
    m_count += width;
    while (m_count >= 8) {
      m_bytes.push_back(std::uint8_t(m_bits));
      m_bits >>= 8;
      m_count -= 8;
    }
  }
  std::vector<std::uint8_t> Finish() {
    if (m_count > 0) {
      m_bytes.push_back(std::uint8_t(m_bits));
    }
    return m_bytes;
  }

 private:
  std::vector<std::uint8_t> m_bytes;
  std::uint32_t m_bits = 0;
  int m_count = 0;
};

// LZW codes that hold every pixel as its own code, with a clear code before the table
// would grow past the first code width.
std::vector<std::uint8_t> LiteralCodes(const std::vector<int>& indexes, int minimumCodeSize) {
  const int clear = 1 << minimumCodeSize;
  const int width = minimumCodeSize + 1;
  const int perClear = std::max(1, clear - 2);
  CodeWriter out;
  for (std::size_t i = 0; i < indexes.size(); ++i) {
    if (i % std::size_t(perClear) == 0) {
      out.Put(clear, width);
    }
    out.Put(indexes[i], width);
  }
  out.Put(clear + 1, width);
  return out.Finish();
}

}  // namespace

QByteArray GifWithCodeSize(int width, int height, int minimumCodeSize, const std::vector<std::uint8_t>& indexes,
                           const std::vector<QRgb>& colours) {
  return GifWithPixelValues(width, height, minimumCodeSize, std::vector<int>(indexes.begin(), indexes.end()), colours);
}

QByteArray GifWithPixelValues(int width, int height, int minimumCodeSize, const std::vector<int>& indexes,
                              const std::vector<QRgb>& colours) {
  QByteArray out("GIF89a");
  Gdip::LeWriter w(out);
  w.U16(std::uint16_t(width));
  w.U16(std::uint16_t(height));
  int tableBits = 0;
  while ((std::size_t{2} << tableBits) < colours.size()) {
    ++tableBits;
  }
  w.U8(colours.empty() ? 0 : std::uint8_t(0x80 | tableBits));
  w.U8(0);
  w.U8(0);
  for (std::size_t i = 0; !colours.empty() && i < (std::size_t{2} << tableBits); ++i) {
    const QRgb c = i < colours.size() ? colours[i] : 0;
    w.U8(std::uint8_t(qRed(c)));
    w.U8(std::uint8_t(qGreen(c)));
    w.U8(std::uint8_t(qBlue(c)));
  }
  w.U8(',');
  for (int v : {0, 0, width, height}) {
    w.U16(std::uint16_t(v));
  }
  w.U8(0);
  w.U8(std::uint8_t(minimumCodeSize));
  const std::vector<std::uint8_t> codes = LiteralCodes(indexes, minimumCodeSize);
  for (std::size_t at = 0; at < codes.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
    w.U8(std::uint8_t(n));
    w.Bytes({codes.data() + at, n});
  }
  w.U8(0);
  w.U8(';');
  return out;
}

QByteArray ArithmeticJpeg(const QImage& picture, bool progressive) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  return CompressJpeg(
      rgb.width(), rgb.height(), 3, JCS_RGB,
      [progressive](jpeg_compress_struct& cinfo) {
        jpeg_set_quality(&cinfo, 90, TRUE);
        cinfo.arith_code = TRUE;
        if (progressive) {
          jpeg_simple_progression(&cinfo);
        }
      },
      [&](int y) { return rgb.constScanLine(y); });
}

QByteArray WithJpegSize(QByteArray jpeg, int width, int height) {
  // The frame header of any coding: markers C0 to CF but C4 (tables), C8 and CC.
  for (qsizetype at = 2; at + 9 < jpeg.size(); ++at) {
    const auto marker = std::uint8_t(jpeg[at + 1]);
    if (std::uint8_t(jpeg[at]) == 0xFF && marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
        marker != 0xCC) {
      jpeg[at + 5] = char(height >> 8);
      jpeg[at + 6] = char(height);
      jpeg[at + 7] = char(width >> 8);
      jpeg[at + 8] = char(width);
      break;
    }
  }
  return jpeg;
}

namespace {

// A PNG written by libpng, with the given header fields and rows of packed samples.
struct PngRows {
  int Width = 0;
  int Height = 0;
  int Depth = 8;
  int ColourType = PNG_COLOR_TYPE_RGB;
  bool Interlaced = false;
  std::vector<std::vector<std::uint8_t>> Rows;
  QByteArray Text;  // a compressed text chunk's contents, when not empty
};

QByteArray WritePng(const PngRows& picture) {
  QByteArray out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &out, AppendPng, FlushPng);
  png_set_IHDR(png, info, png_uint_32(picture.Width), png_uint_32(picture.Height), picture.Depth, picture.ColourType,
               picture.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  QByteArray text = picture.Text;
  png_text chunk{};
  if (!text.isEmpty()) {
    chunk.compression = PNG_TEXT_COMPRESSION_zTXt;
    chunk.key = const_cast<char*>("Comment");
    chunk.text = text.data();
    chunk.text_length = std::size_t(text.size());
    png_set_text(png, info, &chunk, 1);
  }
  png_write_info(png, info);
  const int passes = picture.Interlaced ? png_set_interlace_handling(png) : 1;
  for (int pass = 0; pass < passes; ++pass) {
    for (const auto& row : picture.Rows) {
      png_write_row(png, row.data());
    }
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

QByteArray PngWithCompressedText(const QImage& picture, int textBytes) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
  PngRows png;
  png.Width = rgb.width();
  png.Height = rgb.height();
  for (int y = 0; y < rgb.height(); ++y) {
    png.Rows.emplace_back(rgb.constScanLine(y), rgb.constScanLine(y) + rgb.width() * 3);
  }
  png.Text = QByteArray(textBytes, 'a');
  return WritePng(png);
}

QByteArray InterlacedOneBitPng(int width, int height, bool (*white)(int x, int y)) {
  PngRows png;
  png.Width = width;
  png.Height = height;
  png.Depth = 1;
  png.ColourType = PNG_COLOR_TYPE_GRAY;
  png.Interlaced = true;
  for (int y = 0; y < height; ++y) {
    std::vector<std::uint8_t> row(std::size_t(width + 7) / 8, 0);
    for (int x = 0; x < width; ++x) {
      if (white(x, y)) {
        row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
      }
    }
    png.Rows.push_back(row);
  }
  return WritePng(png);
}

QByteArray RunLengthBmpDeclaring(int width, int height) {
  const char codes[] = {char(255), 1, 0, 0, 0, 1};
  return Bmp(width, height, 8, 1, {0x000000, 0xFFFFFF}, QByteArray(codes, sizeof codes));
}

QByteArray EncodedByQt(const QImage& picture, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, format).write(picture);
  return bytes;
}

QByteArray WmfOfText(int x, int y, int height, const QByteArray& text, const std::vector<int>& advances) {
  QByteArray wmf;
  Gdip::LeWriter w(wmf);
  for (int v : {1, 9, 0x300, 0, 0, 2, 0, 0, 0}) {
    w.U16(std::uint16_t(v));
  }
  w.U32(28);  // a font: its height, 16 more bytes of fields, a 32-byte face name
  w.U16(Gdip::Wmf::kCreateFontIndirect);
  w.I16(std::int16_t(-height));
  w.Zeros(16 + 32);
  w.U32(4);
  w.U16(Gdip::Wmf::kSelectObject);
  w.U16(0);
  const std::size_t padded = std::size_t(text.size() + 1) / 2 * 2;
  w.U32(std::uint32_t(3 + 4 + padded / 2 + advances.size()));
  w.U16(Gdip::Wmf::kExtTextOut);
  for (int v : {y, x, int(text.size()), 0}) {  // no options, so no rectangle
    w.I16(std::int16_t(v));
  }
  w.Bytes(Gdip::AsBytes(text));
  w.Zeros(padded - std::size_t(text.size()));
  for (int a : advances) {
    w.I16(std::int16_t(a));
  }
  w.U32(3);
  w.U16(Gdip::Wmf::kEof);
  return wmf;
}

namespace {

void PutBigEndian32(QByteArray& bytes, qsizetype at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + i] = char(v >> (24 - 8 * i));
  }
}

// Sets a little-endian TIFF's width, height and rows per strip to `size`.
QByteArray TiffDeclaring(QByteArray tiff, std::uint16_t size) {
  const Gdip::LeReader in(Gdip::AsBytes(tiff));
  const std::size_t ifd = in.U32(4);
  for (std::size_t i = 0, n = in.U16(ifd); i < n; ++i) {
    const std::size_t entry = ifd + 2 + i * 12;
    const std::uint16_t tag = in.U16(entry);
    if (tag == TIFFTAG_IMAGEWIDTH || tag == TIFFTAG_IMAGELENGTH || tag == TIFFTAG_ROWSPERSTRIP) {
      tiff[qsizetype(entry + 8)] = char(size & 0xFF);
      tiff[qsizetype(entry + 9)] = char(size >> 8);
    }
  }
  return tiff;
}

QByteArray PngDeclaring(QByteArray png, int side) {
  PutBigEndian32(png, 16, std::uint32_t(side));
  PutBigEndian32(png, 20, std::uint32_t(side));
  PutBigEndian32(png, 29, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17)));
  return png;
}

// The screen's size and the first frame's (which follows the global colour table).
QByteArray GifDeclaring(QByteArray gif, int side) {
  const qsizetype frame = 13 + ((gif[10] & 0x80) != 0 ? (3 << ((gif[10] & 7) + 1)) : 0);
  for (qsizetype at : {qsizetype(6), frame + 5}) {
    for (int i = 0; i < 2; ++i) {
      gif[at + i * 2] = char(side & 0xFF);
      gif[at + i * 2 + 1] = char(side >> 8);
    }
  }
  return gif;
}

int TiffSample(int x, int y, int channel) { return (x * 4099 + y * 257 + channel * 12345) & 0xFFFF; }
int TiffSample8(int x, int y, int channel) { return TiffSample(x, y, channel) & 0xFF; }

}  // namespace

std::vector<std::pair<std::string, QByteArray>> FilesDeclaring(int side) {
  const QImage tiny = Gradient(16, 16, false);
  const char rleUnended[] = {char(255), 1, char(255), 1, 0, 0};
  const char rleWide[] = {char(255), 0, 0, 0};
  std::vector<std::pair<std::string, QByteArray>> files = {
      {"jpeg", WithJpegSize(EncodedByQt(tiny, "jpeg"), side, side)},
      {"jpeg-arithmetic", WithJpegSize(ArithmeticJpeg(tiny, false), side, side)},
      {"jpeg-arithmetic-progressive", WithJpegSize(ArithmeticJpeg(tiny, true), side, side)},
      {"png", PngDeclaring(EncodedByQt(tiny, "png"), side)},
      {"gif", GifDeclaring(Gdip::GifCodec::Encode(tiny), side)},
      {"gif-wide-codes", GifDeclaring(GifWithCodeSize(4, 4, 11, std::vector<std::uint8_t>(16, 1), {}), side)},
      {"bmp-run-length-unended", Bmp(side, side, 8, 1, {0, 0xFFFFFF}, QByteArray(rleUnended, sizeof rleUnended))},
      {"bmp-uncompressed", Bmp(side, side, 24, 0, {}, QByteArray(4000, 'x'))},
      // found by fuzzing: leaked its pixels
      {"bmp-wide", Bmp(1 << 28, 2, 8, 1, {0}, QByteArray(rleWide, sizeof rleWide))},
      {"tiff", TiffDeclaring(RgbTiff(16, 16, 16, true, -1, TiffSample), std::uint16_t(side))},
      {"tiff-qt", TiffDeclaring(RgbTiff(16, 16, 8, false, -1, TiffSample8), std::uint16_t(side))},
  };
  return files;
}

namespace {

// Hands each byte's difference of two pictures of one size, as ARGB32 in memory order
// (blue, green, red, alpha), to `take` with its place in the pixel.
template <typename Take>
void ForEachByteDifference(const QImage& a, const QImage& b, Take take) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = x.constScanLine(row);
    const auto* q = y.constScanLine(row);
    for (int i = 0; i < x.width() * 4; ++i) {
      take(i % 4, std::abs(int(p[i]) - int(q[i])));
    }
  }
}

}  // namespace

int MaxChannelDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) {
    return 256;
  }
  int worst = 0;
  ForEachByteDifference(a, b, [&](int, int difference) { worst = std::max(worst, difference); });
  return worst;
}

double MeanChannelDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.isNull()) {
    return 256;
  }
  constexpr int kAlpha = 3;
  double sum = 0;
  ForEachByteDifference(a, b, [&](int channel, int difference) { sum += channel == kAlpha ? 0 : difference; });
  return sum / (3.0 * a.width() * a.height());
}

}  // namespace CodecTestFiles
