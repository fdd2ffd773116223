#include <QBuffer>
#include <QFile>
#include <QImageWriter>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "CodecTestFiles.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/JpegDecoder.h"
#include "platform/gdiplus/LittleEndian.h"
#include "support/BrokenFiles.h"
#include "support/TestFolder.h"

using CodecTestFiles::Bmp;
using CodecTestFiles::MeanChannelDifference;
using Gdip::LoadImageFromFile;
using Gdip::LoadImageFromMemory;

namespace {

std::unique_ptr<Gdip::Bitmap> Load(const QByteArray& bytes, QSize scaled = {}) {
  return LoadImageFromMemory(Gdip::AsBytes(bytes), scaled);
}

QByteArray Encode(const QImage& image, const char* format, int quality = -1, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  writer.setProgressiveScanWrite(progressive);
  EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
  return bytes;
}

// Soft colour ramps, which JPEG keeps closely.
QImage Smooth(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    }
  }
  return image;
}

QByteArray Repeat(std::initializer_list<std::uint8_t> pattern, int times) {
  QByteArray out;
  for (int i = 0; i < times; ++i) {
    for (auto b : pattern) {
      out.append(char(b));
    }
  }
  return out;
}

}  // namespace

TEST(CodecRead, BmpDepthsAndRowOrders) {
  const std::vector<std::uint32_t> twoColours = {0x000000FF, 0x0000FF00};  // blue, green
  // 1 bpp, 3 x 2, bottom-up: bottom row 101, top row 010.
  auto mono = Load(Bmp(3, 2, 1, 0, twoColours, Repeat({0xA0, 0, 0, 0}, 1) + Repeat({0x40, 0, 0, 0}, 1)));
  ASSERT_NE(mono, nullptr);
  EXPECT_EQ(mono->Image().pixel(0, 1), 0xFF00FF00u);
  EXPECT_EQ(mono->Image().pixel(1, 1), 0xFF0000FFu);
  EXPECT_EQ(mono->Image().pixel(1, 0), 0xFF00FF00u);

  // 4 bpp, one row: indexes 1, 0.
  auto nibbles = Load(Bmp(2, 1, 4, 0, twoColours, Repeat({0x10, 0, 0, 0}, 1)));
  ASSERT_NE(nibbles, nullptr);
  EXPECT_EQ(nibbles->Image().pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(nibbles->Image().pixel(1, 0), 0xFF0000FFu);

  // 16 bpp 5-5-5: pure red in the left pixel, pure blue in the right one.
  auto rgb555 = Load(Bmp(2, 1, 16, 0, {}, Repeat({0x00, 0x7C, 0x1F, 0x00}, 1)));
  ASSERT_NE(rgb555, nullptr);
  EXPECT_GE(qRed(rgb555->Image().pixel(0, 0)), 0xF8);
  EXPECT_EQ(rgb555->Image().pixel(0, 0) & 0xFFFFu, 0u);
  EXPECT_GE(qBlue(rgb555->Image().pixel(1, 0)), 0xF8);
  EXPECT_EQ(rgb555->Image().pixel(1, 0) & 0xFFFF00u, 0u);

  // 24 bpp stored top-down (negative height): the first stored row is the top one.
  auto topDown = Load(Bmp(1, -2, 24, 0, {}, Repeat({0, 0, 255, 0}, 1) + Repeat({255, 0, 0, 0}, 1)));
  ASSERT_NE(topDown, nullptr);
  EXPECT_EQ(topDown->Image().pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(topDown->Image().pixel(0, 1), 0xFF0000FFu);
}

TEST(CodecRead, BmpRunLengthEncodings) {
  const std::vector<std::uint32_t> palette = {0x00000000, 0x00FF0000, 0x0000FF00};
  // RLE8: four pixels of index 1, end of line, two of index 2, end of bitmap.
  auto rle8 = Load(Bmp(4, 2, 8, 1, palette, Repeat({4, 1, 0, 0, 2, 2, 0, 0, 0, 1}, 1)));
  ASSERT_NE(rle8, nullptr);
  EXPECT_EQ(rle8->Image().pixel(3, 1), 0xFFFF0000u);
  EXPECT_EQ(rle8->Image().pixel(1, 0), 0xFF00FF00u);
  // RLE4: four pixels alternating indexes 1 and 2.
  auto rle4 = Load(Bmp(4, 1, 4, 2, palette, Repeat({4, 0x12, 0, 1}, 1)));
  ASSERT_NE(rle4, nullptr);
  EXPECT_EQ(rle4->Image().pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(rle4->Image().pixel(1, 0), 0xFF00FF00u);
}

TEST(CodecRead, Bmp32KeepsAlphaUnlessAllAlphaIsZero) {
  auto withAlpha = Load(Bmp(2, 1, 32, 0, {}, Repeat({10, 20, 30, 128, 40, 50, 60, 0}, 1)));
  ASSERT_NE(withAlpha, nullptr);
  EXPECT_EQ(withAlpha->Image().pixel(0, 0), 0x801E140Au);
  EXPECT_EQ(qAlpha(withAlpha->Image().pixel(1, 0)), 0);
  EXPECT_EQ(withAlpha->GetPixelFormat(), Gdip::PixelFormat32bppARGB);

  auto noAlpha = Load(Bmp(2, 1, 32, 0, {}, Repeat({10, 20, 30, 0, 40, 50, 60, 0}, 1)));
  ASSERT_NE(noAlpha, nullptr);
  EXPECT_EQ(noAlpha->Image().pixel(1, 0), 0xFF3C3228u);
  EXPECT_EQ(noAlpha->GetPixelFormat(), Gdip::PixelFormat32bppRGB);
}

TEST(CodecRead, BrokenFilesGiveNothing) {
  const QImage picture = CodecTestFiles::Gradient(64, 48, false);
  const QByteArray jpeg = Encode(picture, "jpeg", 90);
  const QByteArray png = Encode(picture, "png");
  QByteArray badCrc = png;
  badCrc[30] = char(badCrc[30] ^ 0x55);  // inside the header chunk, so its CRC fails
  const QByteArray cases[] = {
      {},
      jpeg.left(jpeg.size() / 2),
      png.left(png.size() / 2),
      badCrc,
      Bmp(4, 4, 24, 0, {}, QByteArray(20, '\0')),  // pixels cut short
      Bmp(0, 4, 24, 0, {}, {}),
      QByteArray("GIF89a\x10\x00\x10\x00", 10),
      QByteArray(300, 'x'),
  };
  for (const QByteArray& bytes : cases) {
    EXPECT_EQ(Load(bytes), nullptr) << bytes.size() << " bytes";
  }
  TestSupport::TestFolder folder;
  for (bool alpha : {true, false}) {  // our reader and Qt's
    QImage tiffPicture = CodecTestFiles::Gradient(64, 64, alpha);
    QByteArray tiff;
    QBuffer buffer(&tiff);
    buffer.open(QIODevice::WriteOnly);
    auto bitmap = Gdip::Bitmap::FromImage(tiffPicture, Gdip::PixelFormatOf(tiffPicture));
    const QUuid tiffEncoder = Gdip::GetImageEncoders()[3].Clsid;
    ASSERT_EQ(Gdip::EncodeImage(*bitmap, buffer, tiffEncoder), Gdip::Status::Ok);
    EXPECT_NE(Load(tiff), nullptr);
    EXPECT_EQ(Load(tiff.left(tiff.size() / 2)), nullptr) << alpha;
  }
  EXPECT_EQ(LoadImageFromFile(folder.Write("empty.png", {})), nullptr);
  EXPECT_EQ(LoadImageFromFile(folder.File("missing.png")), nullptr);
}

TEST(CodecRead, AFileThatGivesNoPictureSaysWhy) {
  using Gdip::LoadFailure;
  TestSupport::TestFolder folder;
  for (const TestSupport::BrokenFile& file : TestSupport::WriteBrokenFiles(folder)) {
    for (const QSize scaled : {QSize(), QSize(100, 100)}) {
      const Gdip::LoadResult loaded = Gdip::LoadImageWithReason(folder.File(file.Name), scaled);
      EXPECT_EQ(loaded.Image, nullptr) << file.Name.toStdString();
      EXPECT_EQ(loaded.Failure, file.Failure) << file.Name.toStdString();
    }
  }
  const QByteArray jpeg = Encode(CodecTestFiles::Gradient(64, 48, false), "jpeg", 90);
  EXPECT_EQ(Gdip::LoadImageWithReason(folder.Write("cut.jpg", jpeg.left(jpeg.size() / 2))).Failure,
            LoadFailure::Damaged);
  EXPECT_EQ(Gdip::LoadImageWithReason(folder.File("gone.png")).Failure, LoadFailure::Missing);
  EXPECT_EQ(Gdip::LoadImageWithReason(folder.MakeFolder("folder.png")).Failure, LoadFailure::Unreadable);
  const Gdip::LoadResult good = Gdip::LoadImageWithReason(folder.Write("good.jpg", jpeg));
  ASSERT_NE(good.Image, nullptr);
  EXPECT_EQ(good.Failure, LoadFailure::None);
  EXPECT_EQ(Gdip::FailureReason(LoadFailure::NotAPicture), "it is not a picture this program reads");
  EXPECT_EQ(Gdip::FailureShortForm(LoadFailure::TooLarge), "too large");
  EXPECT_TRUE(Gdip::FailureReason(LoadFailure::None).isEmpty());
}

TEST(CodecRead, GifGivesTheFirstFrameInRowOrder) {
  for (bool interlaced : {false, true}) {
    auto gif = Load(CodecTestFiles::Gif(2, interlaced));
    ASSERT_NE(gif, nullptr);
    EXPECT_EQ(gif->GetPixelFormat(), Gdip::PixelFormat8bppIndexed);
    for (int y = 0; y < 16; ++y) {
      EXPECT_EQ(qRed(gif->Image().pixel(0, y)), y * 8) << "row " << y << " interlaced " << interlaced;
    }
  }
}

TEST(CodecRead, FormatComesFromContentNotName) {
  TestSupport::TestFolder folder;
  const QImage picture = CodecTestFiles::Gradient(5, 4, true);
  auto loaded = LoadImageFromFile(folder.Write("really-a-png.jpg", Encode(picture, "png")));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(CodecTestFiles::MaxChannelDifference(loaded->Image(), picture), 0);
}

TEST(CodecRead, JpegVariants) {
  const QImage picture = Smooth(40, 30);
  for (bool progressive : {false, true}) {
    const QByteArray file = Encode(picture, "jpeg", 100, progressive);
    auto loaded = Load(file);
    ASSERT_NE(loaded, nullptr);
    EXPECT_LE(CodecTestFiles::MaxChannelDifference(loaded->Image(), picture), 12);
    // Only the progressive stream is decoded through all its coefficients: 5 x 4 luma
    // blocks and 3 x 2 of each half-resolution colour, 128 bytes each.
    EXPECT_EQ(Gdip::JpegDecoder::WholePictureBytes(Gdip::AsBytes(file)), progressive ? (20 + 2 * 6) * 128 : 0);
    EXPECT_EQ(Gdip::JpegDecoder::WholePictureBytes(Gdip::AsBytes(file.left(20))), 0);
  }
  const QImage greyPicture = picture.convertToFormat(QImage::Format_Grayscale8);
  auto grey = Load(Encode(greyPicture, "jpeg", 100));
  ASSERT_NE(grey, nullptr);
  EXPECT_NEAR(qRed(grey->Image().pixel(7, 7)), qRed(greyPicture.pixel(7, 7)), 4);
  EXPECT_EQ(qRed(grey->Image().pixel(7, 7)), qBlue(grey->Image().pixel(7, 7)));

  // Full magenta ink only: red and blue stay, green goes.
  auto cmyk = Load(CodecTestFiles::CmykJpeg(16, 16, 0, 255, 0, 0));
  ASSERT_NE(cmyk, nullptr);
  const QRgb c = cmyk->Image().pixel(8, 8);
  EXPECT_GE(qRed(c), 245);
  EXPECT_LE(qGreen(c), 10);
  EXPECT_GE(qBlue(c), 245);
}

TEST(CodecRead, JpegWarningsThatLeaveThePictureWholeAreNoRefusal) {
  const QImage picture = Smooth(80, 64);
  const QByteArray stray("\x00\x51\x7E", 3);
  for (bool progressive : {false, true}) {
    const QByteArray file = Encode(picture, "jpeg", 90, progressive);
    const auto clean = Load(file);
    ASSERT_NE(clean, nullptr);
    auto expectWhole = [&](const QByteArray& bytes, const std::string& what) {
      auto loaded = Load(bytes);
      ASSERT_NE(loaded, nullptr) << what << (progressive ? ", progressive" : "");
      EXPECT_EQ(loaded->Image(), clean->Image()) << what;
      EXPECT_NE(Load(bytes, QSize(10, 8)), nullptr) << what << " as a thumbnail";
    };
    // Stray bytes before the first tables, the first and last scans and the end marker.
    for (const char* marker : {"\xFF\xC4", "\xFF\xDA", "\xFF\xD9"}) {
      for (const qsizetype at : {file.indexOf(marker), file.lastIndexOf(marker)}) {
        expectWhole(QByteArray(file).insert(at, stray), "stray bytes at " + std::to_string(at));
      }
    }
    // The end marker missing after the last scan, with stray bytes in its place: libjpeg
    // puts the marker in and warns of both.
    const QByteArray unended = file.left(file.size() - 2);
    expectWhole(unended, "no end marker");
    expectWhole(unended + stray, "stray bytes instead of the end marker");
    if (progressive) {
      // Without it, scans lost after the last one read are a picture cut short.
      const QByteArray lost = file.left(file.lastIndexOf("\xFF\xDA"));
      for (const QByteArray& cut : {lost, lost + stray}) {
        EXPECT_EQ(Load(cut), nullptr);
        EXPECT_EQ(Load(cut, QSize(10, 8)), nullptr);
      }
    }
  }
}

TEST(CodecRead, ScaledLoadGivesExactlyTheAskedSize) {
  const QImage picture = CodecTestFiles::Gradient(400, 300, false);
  for (const char* format : {"jpeg", "png"}) {
    auto thumb = Load(Encode(picture, format, 90), QSize(50, 37));
    ASSERT_NE(thumb, nullptr) << format;
    EXPECT_EQ(thumb->Image().size(), QSize(50, 37)) << format;
  }
}

TEST(CodecRead, PngColourTypes) {
  QImage deep(3, 2, QImage::Format_RGBA64);
  deep.fill(QColor::fromRgba64(0xFFFF, 0x8000, 0x0000, 0x8000));
  auto loaded16 = Load(Encode(deep, "png"));
  ASSERT_NE(loaded16, nullptr);
  EXPECT_EQ(loaded16->GetPixelFormat(), Gdip::PixelFormat64bppARGB);
  EXPECT_EQ(loaded16->Image().pixel(2, 1), qRgba(255, 128, 0, 128));

  QImage palette(4, 1, QImage::Format_Indexed8);
  palette.setColorTable({qRgba(0, 0, 0, 0), qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 128)});
  palette.setPixel(0, 0, 0);
  palette.setPixel(1, 0, 1);
  palette.setPixel(2, 0, 2);
  palette.setPixel(3, 0, 1);
  auto loaded8 = Load(Encode(palette, "png"));
  ASSERT_NE(loaded8, nullptr);
  EXPECT_EQ(loaded8->GetPixelFormat(), Gdip::PixelFormat8bppIndexed);
  EXPECT_EQ(qAlpha(loaded8->Image().pixel(0, 0)), 0);
  EXPECT_EQ(loaded8->Image().pixel(2, 0), qRgba(0, 0, 255, 128));

  auto grey = Load(Encode(CodecTestFiles::Gradient(6, 6, false).convertToFormat(QImage::Format_Grayscale16), "png"));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(grey->Image().format(), QImage::Format_RGB32);
}

TEST(CodecRead, TiffPagesInksAndCompressions) {
  TestSupport::TestFolder folder;
  const QString pages = folder.File("pages.tif");
  ASSERT_TRUE(CodecTestFiles::WriteTiff(pages, 8, 4, {0xFF0000, 0x0000FF}, false, COMPRESSION_LZW));
  auto first = LoadImageFromFile(pages);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Image().pixel(3, 3), 0xFFFF0000u);

  const QString inks = folder.File("cmyk.tif");
  ASSERT_TRUE(CodecTestFiles::WriteTiff(inks, 8, 4, {0x00FF0000}, true, COMPRESSION_ADOBE_DEFLATE));
  auto cmyk = LoadImageFromFile(inks);
  ASSERT_NE(cmyk, nullptr);
  EXPECT_EQ(cmyk->Image().pixel(1, 1), 0xFFFF00FFu);  // magenta ink alone

  const QString jpegTiff = folder.File("jpeg.tif");
  ASSERT_TRUE(CodecTestFiles::WriteTiff(jpegTiff, 16, 16, {0x20C040}, false, COMPRESSION_JPEG));
  auto lossy = LoadImageFromFile(jpegTiff);
  ASSERT_NE(lossy, nullptr);
  EXPECT_LE(CodecTestFiles::MaxChannelDifference(lossy->Image(), [] {
              QImage i(16, 16, QImage::Format_RGB32);
              i.fill(0xFF20C040);
              return i;
            }()),
            6);

  QImage deep(5, 3, QImage::Format_RGBX64);
  deep.fill(QColor::fromRgba64(0x1234, 0xABCD, 0xFFFF));
  auto loaded16 = Load(Encode(deep, "tiff"));
  ASSERT_NE(loaded16, nullptr);
  EXPECT_EQ(loaded16->Image().pixel(4, 2), qRgb(0x12, 0xAB, 0xFF));
}

TEST(CodecRead, HundredMegapixelPictureLoads) {
  QImage big(10000, 10000, QImage::Format_Grayscale8);
  big.fill(200);
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(1);
    ASSERT_TRUE(writer.write(big));
  }
  big = QImage();
  auto loaded = Load(bytes);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Image().size(), QSize(10000, 10000));
  EXPECT_EQ(loaded->Image().pixel(9999, 9999), qRgb(200, 200, 200));
}

namespace {

// Light and dark stripes four pixels wide over shading of every colour, with grain: a
// quarter-size decode shows the stripes only from the frequencies after the block
// averages, a colour's averages missing would stand out, and the grain fills the later
// scans of a progressive file.
QImage Striped(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int light = (x / 4) % 2 * 60 + (x * 37 + y * 91 + x * y) % 29;
      row[x] = qRgb(x * 150 / width + light, y * 150 / height + light, 200 - x * 120 / width + light / 2);
    }
  }
  return image;
}

}  // namespace

TEST(CodecRead, ReducedProgressiveDecodesLookLikeThePictureShrunk) {
  using Gdip::JpegDecoder::Decode;
  using Gdip::JpegDecoder::Purpose;
  const QImage picture = Striped(640, 480);
  const QByteArray file = Encode(picture, "jpeg", 75, true);
  const auto bytes = Gdip::AsBytes(file);
  for (const QSize size : {QSize(80, 60), QSize(160, 120)}) {
    const QImage shrunk = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage whole = Decode(bytes, size, Purpose::Picture);
    for (const Purpose purpose : {Purpose::Thumbnail, Purpose::FirstLook}) {
      const QImage reduced = Decode(bytes, size, purpose);
      ASSERT_EQ(reduced.size(), size);
      // A first look is shown only until the whole decode replaces it and may lack
      // finer detail; a thumbnail by a level or two.
      const double tolerance = purpose == Purpose::FirstLook ? 8.0 : 2.5;
      EXPECT_LT(MeanChannelDifference(reduced, whole), tolerance) << size.width() << " " << int(purpose);
      EXPECT_LT(MeanChannelDifference(reduced, shrunk), tolerance + 1) << size.width() << " " << int(purpose);
    }
  }
  // A file cut in its last scans is refused however few scans the scale needs; one that
  // lacks only its end marker is whole.
  const QByteArray cut = file.left(file.size() * 9 / 10);
  EXPECT_EQ(Load(cut, QSize(80, 60)), nullptr);
  EXPECT_TRUE(Decode(Gdip::AsBytes(cut), QSize(160, 120), Purpose::FirstLook).isNull());
  EXPECT_NE(Load(file.left(file.size() - 2), QSize(80, 60)), nullptr);
}

// A progressive stream holds the same quantized coefficients as a sequential one of the
// same picture and settings, so both decode to the same pixels; at this size the
// progressive decode keeps its coefficients in megabyte arrays of its own memory.
TEST(CodecRead, LargeProgressiveDecodesAsTheSequentialOne) {
  for (const bool grey : {false, true}) {
    QImage picture = Striped(1024, 768);
    if (grey) {
      picture = picture.convertToFormat(QImage::Format_Grayscale8);
    }
    const QByteArray sequentialFile = Encode(picture, "jpeg", 90, false);
    const QByteArray progressiveFile = Encode(picture, "jpeg", 90, true);
    const auto sequential = Gdip::AsBytes(sequentialFile);
    const auto progressive = Gdip::AsBytes(progressiveFile);
    ASSERT_GE(Gdip::JpegDecoder::WholePictureBytes(progressive), 1 << 20);
    for (const QSize size : {QSize(), QSize(512, 384)}) {
      const QImage expected = Gdip::JpegDecoder::Decode(sequential, size);
      ASSERT_FALSE(expected.isNull());
      EXPECT_EQ(Gdip::JpegDecoder::Decode(progressive, size), expected) << grey << " " << size.width();
    }
  }
}
