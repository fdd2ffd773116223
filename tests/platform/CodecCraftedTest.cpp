// Crafted files at the edges of what the readers take: layouts other readers accept,
// files that used to come out wrong, and what our writers give other programs to read.
#include <QBuffer>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "CodecTestFiles.h"
#include "EmfBuilder.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileFormat.h"
#include "platform/gdiplus/MetafileReader.h"
#include "platform/gdiplus/PngReader.h"
#include "platform/gdiplus/TiffCodec.h"

using CodecTestFiles::Bmp;
using CodecTestFiles::MaxChannelDifference;
using CodecTestFiles::TiffLayout;

namespace {

std::unique_ptr<Gdip::Bitmap> Load(const QByteArray& bytes, QSize scaled = {}) {
  return Gdip::LoadImageFromMemory(Gdip::AsBytes(bytes), scaled);
}

QByteArray Saved(const Gdip::Bitmap& bitmap, int encoder) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(Gdip::EncodeImage(bitmap, buffer, Gdip::GetImageEncoders()[std::size_t(encoder)].Clsid), Gdip::Status::Ok);
  return bytes;
}

TiffLayout Layout(int width, int height, int bits, int samples, int photometric) {
  TiffLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.Bits = bits;
  layout.Samples = samples;
  layout.Photometric = photometric;
  return layout;
}

int Ramp(int x, int y, int channel) { return (x * 9000 + y * 4000 + channel * 20000) & 0xFFFF; }
int Ramp12(int x, int y, int channel) { return Ramp(x, y, channel) >> 4; }
int Ramp8(int x, int y, int channel) { return Ramp(x, y, channel) >> 8; }
int To8(int v, int bits) { return bits == 16 ? (v * 255 + 32767) / 65535 : bits == 12 ? (v * 255 + 2047) / 4095 : v; }
int Dots(int x, int y, int) { return (x * 7 + y * 3) % 5 == 0 ? 1 : 0; }

// The file with every byte of one of its strips set to `fill`.
QByteArray WithStripFilled(QByteArray tiff, int strip, char fill) {
  const std::uint32_t offset = CodecTestFiles::TiffArrayValue(tiff, TIFFTAG_STRIPOFFSETS, strip);
  const std::uint32_t bytes = CodecTestFiles::TiffArrayValue(tiff, TIFFTAG_STRIPBYTECOUNTS, strip);
  std::fill_n(tiff.begin() + offset, bytes, fill);
  return tiff;
}

}  // namespace

TEST(CodecCrafted, ArithmeticJpegsDecodeAndThumbnail) {
  QImage picture(320, 240, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgb(x * 255 / 320, y, (x + y) / 3));
    }
  }
  for (bool progressive : {false, true}) {
    const QByteArray file = CodecTestFiles::ArithmeticJpeg(picture, progressive);
    auto loaded = Load(file);
    ASSERT_NE(loaded, nullptr) << progressive;
    EXPECT_LE(MaxChannelDifference(loaded->Image(), picture), 24) << progressive;
    auto thumb = Load(file, QSize(40, 30));
    ASSERT_NE(thumb, nullptr) << progressive;
    EXPECT_EQ(thumb->Image().size(), QSize(40, 30));
  }
  // A first scan whose data ends early because the rest of the picture is flat reads,
  // here its lower two thirds (more than a megapixel past the data's end); one cut off
  // after an eighth of its data, the end marker put back, would cost more past its data
  // than the data pays for and is refused, at full size and as a thumbnail.
  QImage flatBottom(1024, 1536, QImage::Format_RGB32);
  flatBottom.fill(0xFFFFFFFFu);
  for (int y = 0; y < flatBottom.height() / 3; ++y) {
    for (int x = 0; x < flatBottom.width(); ++x) {
      flatBottom.setPixel(x, y, qRgb(x / 4, y / 2, (x + y) / 8));
    }
  }
  for (bool progressive : {false, true}) {
    const QByteArray file = CodecTestFiles::ArithmeticJpeg(flatBottom, progressive);
    auto loaded = Load(file);
    ASSERT_NE(loaded, nullptr) << progressive;
    EXPECT_LE(CodecTestFiles::MeanChannelDifference(loaded->Image(), flatBottom), 2.0) << progressive;
    EXPECT_EQ(loaded->Image().pixel(700, 1500), 0xFFFFFFFFu) << progressive;
    EXPECT_NE(Load(file, QSize(128, 192)), nullptr) << progressive;
    if (!progressive) {
      QByteArray cut = file.left(file.size() / 8);
      cut.append("\xFF\xD9", 2);
      EXPECT_EQ(Load(cut), nullptr);
      EXPECT_EQ(Load(cut, QSize(128, 192)), nullptr);
    }
  }
}

TEST(CodecCrafted, PngTextIsNotUnpackedAndInterlacedBitsAreDefined) {
  const QImage picture = CodecTestFiles::Gradient(9, 7, false);
  const QByteArray bomb = CodecTestFiles::PngWithCompressedText(picture, 2 << 20);
  ASSERT_LT(bomb.size(), 64 * 1024);
  const auto stripped = Gdip::PngReader::WithoutCompressedText(Gdip::AsBytes(bomb));
  ASSERT_TRUE(stripped.has_value());
  EXPECT_FALSE(stripped->contains("zTXt"));
  EXPECT_LT(stripped->size(), 1024);
  EXPECT_FALSE(Gdip::PngReader::WithoutCompressedText(Gdip::AsBytes(*stripped)).has_value());
  auto loaded = Load(bomb);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(MaxChannelDifference(loaded->Image(), picture), 0);
  EXPECT_EQ(Gdip::PictureSize(QString()), QSize());

  auto checks = [](int x, int y) { return (x / 3 + y) % 2 == 0; };
  const QByteArray interlaced = CodecTestFiles::InterlacedOneBitPng(13, 11, checks);
  ASSERT_TRUE(Gdip::PngReader::IsInterlacedOneBit(Gdip::AsBytes(interlaced)));
  for (const QSize scaled : {QSize(), QSize(13, 11)}) {
    auto mono = Load(interlaced, scaled);
    ASSERT_NE(mono, nullptr);
    for (int y = 0; y < 11; ++y) {
      for (int x = 0; x < 13; ++x) {
        ASSERT_EQ(mono->Image().pixel(x, y), checks(x, y) ? 0xFFFFFFFFu : 0xFF000000u) << x << "," << y;
      }
    }
  }
}

TEST(CodecCrafted, BmpColourTablesReadAndWrittenWhole) {
  // The header sizes a table of 4 entries; the pixel offset points after 2 of them.
  QByteArray file = Bmp(2, 1, 8, 0, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, QByteArray("\x02\x03\0\0", 4));
  file[10] = char(14 + 40 + 8);
  auto inside = Load(file);
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(inside->Image().pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(inside->Image().pixel(1, 0), 0xFFFF0000u);

  // An 8-bit grey picture of black and white keeps 8 bits and a table of 256 entries.
  QImage grey(5, 3, QImage::Format_Indexed8);
  grey.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  grey.fill(0);
  grey.setPixel(2, 1, 1);
  auto bitmap = Gdip::Bitmap::FromImage(grey, Gdip::PixelFormat8bppIndexed);
  const QByteArray bmp = Saved(*bitmap, 0);
  const Gdip::LeReader in(Gdip::AsBytes(bmp));
  EXPECT_EQ(in.U16(28), 8);
  EXPECT_EQ(in.U32(10), 14u + 40 + 256 * 4);
  EXPECT_EQ(in.U32(46), 256u);
  auto back = Load(bmp);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(MaxChannelDifference(back->Image(), grey), 0);
}

TEST(CodecCrafted, GifsWithoutTablesOrWithWideCodes) {
  const std::vector<std::uint8_t> indexes = {0, 1, 2, 3, 255, 128, 7, 1, 0, 9, 4, 3};
  const std::vector<QRgb> colours = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
  for (int codeSize : {2, 8, 9, 10, 11}) {
    const auto used = codeSize == 2 ? std::vector<std::uint8_t>{0, 1, 2, 3, 3, 2, 1, 0, 0, 1, 2, 3} : indexes;
    auto gif = Load(CodecTestFiles::GifWithCodeSize(4, 3, codeSize, used, colours));
    ASSERT_NE(gif, nullptr) << codeSize;
    EXPECT_EQ(gif->Image().pixel(1, 0), 0xFF00FF00u) << codeSize;
    EXPECT_EQ(gif->Image().pixel(2, 0), 0xFF0000FFu) << codeSize;
    EXPECT_EQ(gif->Image().pixel(0, 2), used[8] == 0 ? 0xFFFF0000u : 0xFF00FF00u) << codeSize;
    if (codeSize > 2) {
      EXPECT_EQ(gif->Image().pixel(0, 1), 0xFF000000u) << "index outside the table, " << codeSize;
    }
  }
  // Pixel values beyond 255 keep their low 8 bits: 257 is index 1, 300 is 44 (past the table).
  for (int codeSize : {9, 10, 11}) {
    const std::vector<int> values = {257, 300, 2, 1};
    auto wide = Load(CodecTestFiles::GifWithPixelValues(2, 2, codeSize, values, colours));
    ASSERT_NE(wide, nullptr) << codeSize;
    EXPECT_EQ(wide->Image().pixel(0, 0), 0xFF00FF00u) << codeSize;
    EXPECT_EQ(wide->Image().pixel(1, 0), 0xFF000000u) << codeSize;
  }
  auto ramp = Load(CodecTestFiles::GifWithCodeSize(4, 3, 8, indexes, {}));
  ASSERT_NE(ramp, nullptr);
  EXPECT_EQ(ramp->Image().pixel(0, 1), qRgb(255, 255, 255));
  EXPECT_EQ(ramp->Image().pixel(1, 1), qRgb(128, 128, 128));
  // Codes ending before the last pixel, and a code size beyond 11, are refused.
  QByteArray cut = CodecTestFiles::GifWithCodeSize(4, 3, 9, std::vector<std::uint8_t>(11, 1), colours);
  cut = cut.left(cut.size() - 3) + QByteArray("\x00\x3B", 2);
  EXPECT_EQ(Load(cut), nullptr);
  EXPECT_EQ(Load(CodecTestFiles::GifWithCodeSize(4, 3, 12, indexes, colours)), nullptr);
}

TEST(CodecCrafted, TiffDepthsTilesAndInks) {
  for (int bits : {8, 12, 16}) {
    for (int tile : {0, 16}) {
      TiffLayout layout = Layout(21, 18, bits, 3, PHOTOMETRIC_RGB);
      layout.TileSide = tile;
      const auto sample = bits == 16 ? Ramp : bits == 12 ? Ramp12 : Ramp8;
      auto rgb = Load(CodecTestFiles::SampleTiff(layout, sample));
      ASSERT_NE(rgb, nullptr) << bits << " bits, tiles of " << tile;
      const QRgb p = rgb->Image().pixel(20, 17);
      const int exact = To8(sample(20, 17, 1), bits);
      EXPECT_EQ(qGreen(p), exact) << bits << " bits, tiles of " << tile;
    }
  }
  // 16-bit grey, rounded to the nearest 8-bit value (128 rounds down, 129 up).
  const TiffLayout grey = Layout(2, 1, 16, 1, PHOTOMETRIC_MINISBLACK);
  auto greys = Load(CodecTestFiles::SampleTiff(grey, [](int x, int, int) { return x == 0 ? 128 : 129; }));
  ASSERT_NE(greys, nullptr);
  EXPECT_EQ(greys->Image().pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(greys->Image().pixel(1, 0), qRgb(1, 1, 1));
  // 16-bit inks: full magenta alone.
  const TiffLayout cmyk = Layout(3, 2, 16, 4, PHOTOMETRIC_SEPARATED);
  auto inks = Load(CodecTestFiles::SampleTiff(cmyk, [](int, int, int c) { return c == 1 ? 0xFFFF : 0; }));
  ASSERT_NE(inks, nullptr);
  EXPECT_EQ(inks->Image().pixel(2, 1), qRgb(255, 0, 255));
  // Inks in separate planes come out as the same inks interleaved.
  for (int bits : {8, 16}) {
    TiffLayout layout = Layout(9, 5, bits, 4, PHOTOMETRIC_SEPARATED);
    const auto sample = bits == 16 ? Ramp : Ramp8;
    auto interleaved = Load(CodecTestFiles::SampleTiff(layout, sample));
    layout.Planar = true;
    auto planes = Load(CodecTestFiles::SampleTiff(layout, sample));
    ASSERT_NE(interleaved, nullptr) << bits;
    ASSERT_NE(planes, nullptr) << bits;
    EXPECT_EQ(MaxChannelDifference(planes->Image(), interleaved->Image()), 0) << bits;
  }
}

// A small page may be written with large fixed tiles, but tiles far larger than the page
// would make a reader hold a row of them: a few kilobytes of deflate asking for gigabytes.
TEST(CodecCrafted, TiffTilesFarLargerThanTheirPageAreRefused) {
  TiffLayout layout = Layout(100, 60, 8, 1, PHOTOMETRIC_MINISBLACK);
  layout.Compression = COMPRESSION_ADOBE_DEFLATE;
  layout.TileSide = 256;
  for (const QSize scaled : {QSize(), QSize(10, 6)}) {
    EXPECT_NE(Load(CodecTestFiles::SampleTiff(layout, Ramp8), scaled), nullptr) << scaled.width();
  }
  layout = Layout(16, 16, 8, 1, PHOTOMETRIC_MINISBLACK);
  layout.Compression = COMPRESSION_ADOBE_DEFLATE;
  layout.TileSide = 2048;
  const QByteArray huge = CodecTestFiles::SampleTiff(layout, Ramp8);
  for (const QSize scaled : {QSize(), QSize(8, 8)}) {
    EXPECT_EQ(Load(huge, scaled), nullptr) << scaled.width();
  }
}

TEST(CodecCrafted, UncompressedTiffTilesReadAsTheirCompressedTwins) {
  struct Kind {
    int Bits;
    int Samples;
    int Photometric;
  };
  for (const Kind kind : {Kind{8, 1, PHOTOMETRIC_MINISBLACK}, Kind{8, 3, PHOTOMETRIC_RGB},
                          Kind{16, 1, PHOTOMETRIC_MINISBLACK}, Kind{1, 1, PHOTOMETRIC_MINISWHITE}}) {
    TiffLayout layout = Layout(37, 21, kind.Bits, kind.Samples, kind.Photometric);
    layout.TileSide = 16;
    const auto sample = kind.Bits == 16 ? Ramp : kind.Bits == 1 ? Dots : Ramp8;
    layout.Compression = COMPRESSION_NONE;
    const QByteArray plain = CodecTestFiles::SampleTiff(layout, sample);
    layout.Compression = COMPRESSION_LZW;
    const QByteArray twin = CodecTestFiles::SampleTiff(layout, sample);
    const int channel = kind.Samples == 3 ? 1 : 0;
    const int value = kind.Bits == 1 ? 255 - 255 * sample(36, 20, 0) : To8(sample(36, 20, channel), kind.Bits);
    for (const QSize scaled : {QSize(), QSize(12, 7)}) {
      auto loaded = Load(plain, scaled);
      auto expected = Load(twin, scaled);
      ASSERT_NE(loaded, nullptr) << kind.Bits << " bits, " << kind.Samples << " samples";
      ASSERT_NE(expected, nullptr);
      EXPECT_EQ(MaxChannelDifference(loaded->Image(), expected->Image()), 0) << kind.Bits << " bits";
      if (!scaled.isValid()) {
        EXPECT_EQ(qGreen(loaded->Image().pixel(36, 20)), value) << kind.Bits << " bits";
      }
    }
  }
}

TEST(CodecCrafted, DamagedTiffsAreRefusedAsThumbnailsToo) {
  TiffLayout fax = Layout(64, 40, 1, 1, PHOTOMETRIC_MINISWHITE);
  fax.Compression = COMPRESSION_CCITTFAX4;
  // Codes the LZW table does not hold yet; a fax strip of nothing but an end of page.
  const std::pair<QByteArray, char> files[] = {
      {CodecTestFiles::SampleTiff(Layout(64, 40, 8, 3, PHOTOMETRIC_RGB), Ramp8), '\xFF'},
      {CodecTestFiles::SampleTiff(fax, Dots), '\0'}};
  for (const auto& [file, fill] : files) {
    ASSERT_NE(Load(file, QSize(16, 10)), nullptr);
    const QByteArray damaged = WithStripFilled(file, 7, fill);
    EXPECT_EQ(Load(damaged), nullptr) << int(fill);
    EXPECT_EQ(Load(damaged, QSize(16, 10)), nullptr) << int(fill);
  }
}

TEST(CodecCrafted, BlackAndWhiteTiffThumbnailsAreTheFullPictureShrunk) {
  for (int photometric : {PHOTOMETRIC_MINISWHITE, PHOTOMETRIC_MINISBLACK}) {
    for (int compression : {COMPRESSION_CCITTFAX3, COMPRESSION_CCITTFAX4, COMPRESSION_LZW}) {
      TiffLayout layout = Layout(301, 203, 1, 1, photometric);
      layout.Compression = compression;
      layout.RowsPerStrip = compression == COMPRESSION_LZW ? layout.Height : 16;
      const QByteArray file = CodecTestFiles::SampleTiff(layout, Dots);
      auto full = Load(file);
      ASSERT_NE(full, nullptr) << compression;
      // The same picture from a file decoded whole and shrunk by the box filter.
      const QByteArray bmp = Saved(*full, 0);
      for (const QSize scaled : {QSize(77, 52), QSize(301, 203)}) {
        auto thumb = Load(file, scaled);
        auto expected = Load(bmp, scaled);
        ASSERT_NE(thumb, nullptr) << compression;
        ASSERT_NE(expected, nullptr);
        EXPECT_EQ(MaxChannelDifference(thumb->Image(), expected->Image()), 0) << compression << " " << photometric;
      }
    }
  }
}

TEST(CodecCrafted, TiffPalettesKeepTheirDepthAndNeedTheirMap) {
  for (int bits : {2, 4, 8}) {
    TiffLayout layout = Layout(5, 3, bits, 1, PHOTOMETRIC_PALETTE);
    layout.ColourMap.assign(std::size_t(3) << bits, 0);
    const std::size_t entries = std::size_t{1} << bits;
    layout.ColourMap[1] = 0xFFFF;                // index 1 red
    layout.ColourMap[entries + 2] = 0xFFFF;      // index 2 green
    layout.ColourMap[2 * entries + 3] = 0x8080;  // index 3 half blue
    const QByteArray file = CodecTestFiles::SampleTiff(layout, [](int x, int, int) { return x % 4; });
    auto loaded = Load(file);
    ASSERT_NE(loaded, nullptr) << bits;
    EXPECT_EQ(loaded->Image().pixel(1, 0), 0xFFFF0000u) << bits;
    EXPECT_EQ(loaded->Image().pixel(2, 2), 0xFF00FF00u) << bits;
    EXPECT_EQ(loaded->Image().pixel(3, 1), 0xFF000080u) << bits;
    if (bits < 8) {
      EXPECT_EQ(loaded->GetPixelFormat(), Gdip::PixelFormat4bppIndexed) << bits;
      const QByteArray saved = Saved(*loaded, 3);
      EXPECT_EQ(Gdip::TiffCodec::PaletteBits(Gdip::AsBytes(saved)), 4) << bits;
      auto back = Load(saved);
      ASSERT_NE(back, nullptr);
      EXPECT_EQ(MaxChannelDifference(back->Image(), loaded->Image()), 0) << bits;
    }
    // The colour map is written after the pixels: a file cut there has lost it.
    const std::uint32_t map = CodecTestFiles::TiffValueOffset(file, TIFFTAG_COLORMAP);
    ASSERT_GT(map, 0u);
    for (const QSize scaled : {QSize(), QSize(2, 1)}) {
      EXPECT_EQ(Load(file.left(qsizetype(map)), scaled), nullptr) << bits;
    }
  }
}

TEST(CodecCrafted, TiffThumbnailsAreDecodedSmall) {
  TiffLayout layout = Layout(240, 160, 8, 3, PHOTOMETRIC_RGB);
  auto smooth = [](int x, int y, int channel) { return channel == 0 ? x : channel == 1 ? y : 100; };
  for (int tile : {0, 32}) {
    layout.TileSide = tile;
    const QByteArray file = CodecTestFiles::SampleTiff(layout, smooth);
    const auto reduced = Gdip::TiffCodec::Decode(Gdip::AsBytes(file), QSize(60, 40));
    ASSERT_TRUE(reduced.has_value() && !reduced->isNull()) << tile;
    EXPECT_EQ(reduced->size(), QSize(60, 40));
    // Each thumbnail pixel is the mean of a 4 x 4 box.
    EXPECT_EQ(reduced->pixel(10, 5), qRgb(42, 22, 100)) << tile;
    auto full = Load(file);
    ASSERT_NE(full, nullptr);
    EXPECT_LE(MaxChannelDifference(*reduced, full->Image().scaled(60, 40, Qt::IgnoreAspectRatio,
                                                                  Qt::SmoothTransformation)),
              2);
  }
}

TEST(CodecCrafted, MetafileTextTurnsSpacesAndSizes) {
  using CodecTestFiles::InkIn;
  // Turned a quarter clockwise by the world transform, the text runs down from (50, 10).
  CodecTestFiles::EmfBuilder turned(100, 100, 96);
  turned.WorldTransform({0.0f, 1.0f, -1.0f, 0.0f, 50.0f, 10.0f});
  turned.Font(20);
  turned.Text(0, 0, u"WWWW", {});
  const QImage down = Gdip::MetafileReader::Read(Gdip::AsBytes(turned.Finish()));
  ASSERT_EQ(down.size(), QSize(100, 100));
  EXPECT_GT(InkIn(down, QRect(26, 10, 26, 90)), 60);
  EXPECT_EQ(InkIn(down, QRect(53, 0, 47, 40)), 0);

  // Each character placed by its advance: 60 units apart, nothing between.
  CodecTestFiles::EmfBuilder spaced(100, 40, 96);
  spaced.Font(20);
  spaced.Text(5, 5, u"II", {60, 60});
  const QImage apart = Gdip::MetafileReader::Read(Gdip::AsBytes(spaced.Finish()));
  ASSERT_FALSE(apart.isNull());
  EXPECT_GT(InkIn(apart, QRect(60, 0, 25, 30)), 5);
  EXPECT_EQ(InkIn(apart, QRect(20, 0, 40, 40)), 0);

  // An old-style metafile drawing only text is sized by the text, advances included.
  const QByteArray wmf = CodecTestFiles::WmfOfText(30, 40, 20, "AB", {100, 12});
  const QImage text = Gdip::MetafileReader::Read(Gdip::AsBytes(wmf));
  ASSERT_FALSE(text.isNull());
  EXPECT_EQ(text.width(), 112);
  EXPECT_NEAR(text.height(), 20, 6);
  EXPECT_GT(InkIn(text, QRect(0, 0, 20, text.height())), 5);
  EXPECT_GT(InkIn(text, QRect(95, 0, 17, text.height())), 5);
}

TEST(CodecCrafted, MetafileThumbnailsAreDrawnSmall) {
  CodecTestFiles::EmfBuilder emf(400, 200, 96);
  emf.Ints(Gdip::Emf::kCreateBrushIndirect, {1, 0, 0x0000FF, 0});
  emf.Ints(Gdip::Emf::kSelectObject, {1});
  emf.Ints(Gdip::Emf::kSelectObject, {std::int32_t(0x80000008u)});
  emf.Ints(Gdip::Emf::kRectangle, {0, 0, 200, 200});
  const QByteArray bytes = emf.Finish();
  EXPECT_EQ(Gdip::MetafileReader::PictureSize(Gdip::AsBytes(bytes)), QSize(400, 200));
  const QImage small = Gdip::MetafileReader::Read(Gdip::AsBytes(bytes), nullptr, QSize(40, 20));
  ASSERT_EQ(small.size(), QSize(40, 20));
  EXPECT_EQ(small.pixel(5, 10), 0xFFFF0000u);
  EXPECT_EQ(qAlpha(small.pixel(35, 10)), 0);
  auto loaded = Load(bytes, QSize(40, 20));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Image().size(), QSize(40, 20));
}
