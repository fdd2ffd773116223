#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "CodecTestFiles.h"
#include "platform/gdiplus/AtomicFile.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/PngBands.h"
#include "support/TestFolder.h"

using CodecTestFiles::Gradient;
using CodecTestFiles::MaxChannelDifference;

namespace {

QUuid EncoderFor(const char* mime) {
  for (auto list : {Gdip::GetImageEncoders(), Gdip::GetMetafileEncoders()}) {
    for (const auto& info : list) {
      if (info.MimeType == QLatin1String(mime)) {
        return info.Clsid;
      }
    }
  }
  return {};
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<Gdip::Bitmap> RoundTrip(const QImage& picture, const char* mime, Gdip::EncoderParameters params = {}) {
  auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor(mime), params), Gdip::Status::Ok) << mime;
  return Gdip::LoadImageFromMemory(Gdip::AsBytes(bytes));
}

}  // namespace

TEST(CodecWrite, LosslessFormatsRoundTripExactly) {
  const QImage withAlpha = Gradient(37, 21, true);
  const QImage opaque = Gradient(37, 21, false);
  for (const char* mime : {"image/bmp", "image/png", "image/tiff", "image/x-emf", "image/x-wmf"}) {
    for (const QImage& picture : {withAlpha, opaque}) {
      auto back = RoundTrip(picture, mime);
      ASSERT_NE(back, nullptr) << mime;
      EXPECT_EQ(MaxChannelDifference(back->Image(), picture), 0) << mime << " alpha " << picture.hasAlphaChannel();
    }
  }
}

TEST(CodecWrite, PngBandsCompressedApartJoinIntoOnePictureAndDecodeApart) {
  // Tall enough to be split into bands compressed on several threads, and tiny ones.
  for (const QSize size : {QSize(45, 1000), QSize(1, 1), QSize(3, 2)}) {
    for (bool alpha : {true, false}) {
      const QImage picture = Gradient(size.width(), size.height(), alpha);
      auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture));
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      ASSERT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor("image/png")), Gdip::Status::Ok);
      const QByteArray png = buffer.data();
      EXPECT_EQ(int(png.at(25)), alpha ? 6 : 2);  // RGBA or RGB
      QImage back;
      ASSERT_TRUE(back.loadFromData(png, "png"));
      EXPECT_EQ(MaxChannelDifference(back, picture), 0);
      // Our own reader inflates the bands apart and gives what Qt's reader gives.
      EXPECT_EQ(Gdip::PngBands::Decode(Gdip::AsBytes(png)), back) << size.width() << " alpha " << alpha;

      // A damaged stream is refused by the band reader and never passed off as the picture.
      QByteArray damaged = png;
      damaged[damaged.size() - 40] = char(damaged.at(damaged.size() - 40) ^ 0x5A);
      EXPECT_TRUE(Gdip::PngBands::Decode(Gdip::AsBytes(damaged)).isNull());
      auto loaded = Gdip::LoadImageFromMemory(Gdip::AsBytes(damaged));
      EXPECT_TRUE(loaded == nullptr || loaded->Image() != back);
    }
  }
  // Files of other writers carry no band list and go to the ordinary reader.
  QBuffer other;
  other.open(QIODevice::WriteOnly);
  ASSERT_TRUE(Gradient(20, 300, true).save(&other, "png"));
  EXPECT_TRUE(Gdip::PngBands::Decode(Gdip::AsBytes(other.data())).isNull());
}

TEST(CodecWrite, BmpWritesThirtyTwoBitsOnlyForAlpha) {
  auto bitmap = Gdip::Bitmap::FromImage(Gradient(3, 3, true), Gdip::PixelFormat32bppARGB);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  ASSERT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor("image/bmp")), Gdip::Status::Ok);
  EXPECT_EQ(Gdip::LeReader(Gdip::AsBytes(buffer.data())).U16(28), 32);
  auto opaque = Gdip::Bitmap::FromImage(Gradient(3, 3, false), Gdip::PixelFormat24bppRGB);
  QBuffer buffer24;
  buffer24.open(QIODevice::WriteOnly);
  ASSERT_EQ(Gdip::EncodeImage(*opaque, buffer24, EncoderFor("image/bmp")), Gdip::Status::Ok);
  EXPECT_EQ(Gdip::LeReader(Gdip::AsBytes(buffer24.data())).U16(28), 24);
}

// A picture of several bands of rows, with padded rows: every row lands in its place, and
// a device that stops taking bytes midway fails the save.
TEST(CodecWrite, BmpWrittenInBandsRoundTripsAndStopsWithTheDevice) {
  for (const bool alpha : {false, true}) {
    const QImage picture = Gradient(1501, alpha ? 700 : 1000, alpha);  // several MB: more than one band
    auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor("image/bmp")), Gdip::Status::Ok);
    const auto back = Gdip::LoadImageFromMemory(Gdip::AsBytes(buffer.data()));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(MaxChannelDifference(back->Image(), picture), 0) << alpha;

    // A disk that fills after the first band.
    struct FillsUp : QBuffer {
      qint64 writeData(const char* data, qint64 length) override {
        return pos() + length > (3 << 20) ? -1 : QBuffer::writeData(data, length);
      }
    } limited;
    limited.open(QIODevice::WriteOnly);
    EXPECT_NE(Gdip::EncodeImage(*bitmap, limited, EncoderFor("image/bmp")), Gdip::Status::Ok) << alpha;
  }
}

// Strips compressed apart on several cores land in order: the page reads back exactly in
// our reader, with and without alpha, and in Qt's.
TEST(CodecWrite, TiffStripsCompressedApartReadBackInOrder) {
  for (const bool alpha : {false, true}) {
    const QImage picture = Gradient(700, 301, alpha);
    auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor("image/tiff")), Gdip::Status::Ok);
    const auto ours = Gdip::LoadImageFromMemory(Gdip::AsBytes(buffer.data()));
    ASSERT_NE(ours, nullptr);
    EXPECT_EQ(MaxChannelDifference(ours->Image(), picture), 0) << alpha;
    if (!alpha) {  // Qt's reader loses the colour of transparent pixels
      QImage qt;
      ASSERT_TRUE(qt.loadFromData(buffer.data(), "tiff"));
      EXPECT_EQ(MaxChannelDifference(qt.convertToFormat(picture.format()), picture), 0);
    }
  }
}

TEST(CodecWrite, JpegQualityIsClampedAndChangesSize) {
  const QImage picture = Gradient(64, 64, false);
  auto sizeAt = [&](int quality) {
    auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormat24bppRGB);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor("image/jpeg"), {quality}), Gdip::Status::Ok);
    return buffer.size();
  };
  EXPECT_LT(sizeAt(10), sizeAt(90));
  EXPECT_EQ(sizeAt(120), sizeAt(100));
  EXPECT_EQ(sizeAt(-5), sizeAt(0));
}

// Each stored layout is read as the colours it holds: the same colours in 32-bit, opaque
// ARGB and 24-bit rows give the same file, which Qt's reader decodes close to them.
// Clear and translucent pixels are written as they look on white.
TEST(CodecWrite, JpegReadsEveryStoredLayoutAndFlattensWhatIsNotOpaque) {
  const auto encode = [](const QImage& image) {
    auto bitmap = Gdip::Bitmap::FromImage(image, Gdip::PixelFormat24bppRGB);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(Gdip::EncodeImage(*bitmap, buffer, EncoderFor("image/jpeg"), {95}), Gdip::Status::Ok);
    return buffer.data();
  };
  QImage picture(61, 37, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      picture.setPixel(x, y, qRgb(x * 4, y * 6, 128));
    }
  }
  picture.setDotsPerMeterX(3780);  // 96 dpi
  picture.setDotsPerMeterY(5906);  // 150 dpi
  const QByteArray file = encode(picture);
  EXPECT_EQ(encode(picture.convertToFormat(QImage::Format_ARGB32)), file);
  EXPECT_EQ(encode(picture.convertToFormat(QImage::Format_RGB888)), file);
  QImage back;
  ASSERT_TRUE(back.loadFromData(file, "jpeg"));
  EXPECT_LE(MaxChannelDifference(back.convertToFormat(QImage::Format_RGB32), picture), 8);
  const Gdip::LeReader header(Gdip::AsBytes(file));
  EXPECT_EQ(header.U8(13), 1);  // the JFIF density is in dots per inch
  EXPECT_EQ(header.U8(14) * 256 + header.U8(15), 96);
  EXPECT_EQ(header.U8(16) * 256 + header.U8(17), 150);

  QImage translucent(48, 16, QImage::Format_ARGB32);
  translucent.fill(qRgb(200, 0, 0));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      translucent.setPixel(x, y, qRgba(0, 0, 200, 0));
      translucent.setPixel(x + 16, y, qRgba(0, 0, 200, 128));
    }
  }
  ASSERT_TRUE(back.loadFromData(encode(translucent), "jpeg"));
  const auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6 && std::abs(qBlue(a) - qBlue(b)) <= 6;
  };
  EXPECT_TRUE(near(back.pixel(8, 8), qRgb(255, 255, 255))) << std::hex << back.pixel(8, 8);
  EXPECT_TRUE(near(back.pixel(24, 8), qRgb(127, 127, 227))) << std::hex << back.pixel(24, 8);
  EXPECT_TRUE(near(back.pixel(40, 8), qRgb(200, 0, 0))) << std::hex << back.pixel(40, 8);

  // A device that takes nothing fails the save.
  QByteArray none;
  QBuffer readOnly(&none);
  readOnly.open(QIODevice::ReadOnly);
  auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormat24bppRGB);
  EXPECT_NE(Gdip::EncodeImage(*bitmap, readOnly, EncoderFor("image/jpeg")), Gdip::Status::Ok);
}

// Noise that fills the string table and clears it many times, long runs that make long
// strings, and rows cut into bands compressed on several cores: our reader and Qt's both
// give the picture back exactly.
TEST(CodecWrite, GifStreamsDecodeExactlyInEveryReader) {
  std::uint32_t seed = 7;
  const auto colourOf = [](int index) { return qRgb(index, (index * 7) & 255, 255 - index); };
  for (const QSize size : {QSize(1, 1), QSize(300, 17), QSize(257, 400)}) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      for (int x = 0; x < size.width(); ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int index = y % 3 == 0 ? int(seed >> 24) : (y % 3 == 1 ? 40 : (x / 5) % 256);
        picture.setPixel(x, y, colourOf(index));
      }
    }
    const QByteArray gif = Gdip::GifCodec::Encode(picture);
    auto ours = Gdip::LoadImageFromMemory(Gdip::AsBytes(gif));
    ASSERT_NE(ours, nullptr) << size.width();
    EXPECT_EQ(ours->Image().convertToFormat(QImage::Format_RGB32), picture) << size.width();
    QImage qt;
    ASSERT_TRUE(qt.loadFromData(gif, "gif")) << size.width();
    EXPECT_EQ(qt.convertToFormat(QImage::Format_RGB32), picture) << size.width();
  }
}

TEST(CodecWrite, GifKeepsFewColoursExactlyAndTransparency) {
  QImage picture(20, 10, QImage::Format_ARGB32);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      picture.setPixel(x, y, x < 2 ? 0u : qRgb(x * 12, y * 25, 77));  // 180 colours and transparent
    }
  }
  auto back = RoundTrip(picture, "image/gif");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetPixelFormat(), Gdip::PixelFormat8bppIndexed);
  EXPECT_EQ(qAlpha(back->Image().pixel(1, 5)), 0);
  EXPECT_EQ(back->Image().pixel(2, 9), qRgb(24, 225, 77));
  EXPECT_EQ(back->Image().pixel(19, 0), qRgb(228, 0, 77));

  // Thousands of colours are reduced to a palette that stays close.
  const QImage many = Gradient(64, 64, false);
  auto reduced = RoundTrip(many, "image/gif");
  ASSERT_NE(reduced, nullptr);
  EXPECT_LT(MaxChannelDifference(reduced->Image(), many), 128);
  EXPECT_TRUE(Gdip::GifCodec::Encode(QImage(70000, 1, QImage::Format_RGB32)).isEmpty());
}

TEST(CodecWrite, TruncatedGifGivesNothing) {
  const QByteArray gif = Gdip::GifCodec::Encode(Gradient(64, 64, false));
  ASSERT_FALSE(gif.isEmpty());
  EXPECT_EQ(Gdip::LoadImageFromMemory(Gdip::AsBytes(gif.left(gif.size() * 2 / 3))), nullptr);
}

TEST(CodecWrite, FailedWritesLeaveTheOldFile) {
  TestSupport::TestFolder folder;
  const QByteArray original("the user's picture");
  const QString target = folder.Write("picture.png", original);
  auto bitmap = Gdip::Bitmap::FromImage(Gradient(8, 8, false), Gdip::PixelFormat32bppRGB);

  EXPECT_FALSE(Gdip::WriteFileAtomically(target, [](QIODevice& device) {
    device.write("half a pic");
    return false;  // the encoder gave up midway
  }));
  EXPECT_NE(Gdip::SaveImageToFile(*bitmap, target, QUuid::createUuid()), Gdip::Status::Ok);
  EXPECT_EQ(ReadFile(target), original);
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"picture.png"});

  EXPECT_NE(Gdip::SaveImageToFile(*bitmap, folder.File("no/such/folder/x.png"), EncoderFor("image/png")),
            Gdip::Status::Ok);
  EXPECT_NE(Gdip::SaveImageToFile(*bitmap, folder.MakeFolder("a-folder"), EncoderFor("image/png")), Gdip::Status::Ok);

  ASSERT_EQ(Gdip::SaveImageToFile(*bitmap, target, EncoderFor("image/png")), Gdip::Status::Ok);
  EXPECT_TRUE(ReadFile(target).startsWith("\x89PNG"));
}

TEST(CodecWrite, EncoderTableLooksUpEveryFormat) {
  ASSERT_EQ(Gdip::GetImageEncoders().size(), 5u);
  ASSERT_EQ(Gdip::GetMetafileEncoders().size(), 2u);
  std::vector<Gdip::ImageCodecInfo> encoders(Gdip::GetImageEncoders().begin(), Gdip::GetImageEncoders().end());
  encoders.insert(encoders.end(), Gdip::GetMetafileEncoders().begin(), Gdip::GetMetafileEncoders().end());
  for (std::size_t i = 0; i < encoders.size(); ++i) {
    for (std::size_t j = i + 1; j < encoders.size(); ++j) {
      EXPECT_NE(encoders[i].Clsid, encoders[j].Clsid);
      EXPECT_NE(encoders[i].MimeType, encoders[j].MimeType);
    }
  }
  EXPECT_TRUE(Gdip::CodecsAvailable());
}
