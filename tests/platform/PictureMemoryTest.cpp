#include <cstdint>
#include <vector>

#include <QFile>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

#include "platform/gdiplus/PictureMemory.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace {

// A picture whose every pixel differs, with alpha varying too, in the given 32-bit format.
QImage Numbered(int width, int height, QImage::Format format) {
  QImage picture(width, height, format);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(picture.scanLine(y));
    for (int x = 0; x < width; ++x) {
      row[x] = std::uint32_t(y * 7919 + x * 104729) ^ (std::uint32_t(x + y) << 24);
    }
  }
  return picture;
}

// Sizes on both sides of the mapped-block threshold, with odd sides and partial tiles.
const QSize kSizes[] = {QSize(1, 1), QSize(67, 131), QSize(1203, 911)};

TEST(PictureMemory, PicturesOfEverySizeHoldTheirPixelsAndZeroedOnesStartAtZero) {
  for (const QSize size : kSizes) {
    const QImage zeroed = Gdip::ZeroedImage(size.width(), size.height(), QImage::Format_ARGB32);
    ASSERT_FALSE(zeroed.isNull());
    QImage expected(size, QImage::Format_ARGB32);
    expected.fill(0);
    EXPECT_EQ(zeroed, expected);

    QImage fresh = Gdip::NewPicture(size.width(), size.height(), QImage::Format_RGB32);
    ASSERT_FALSE(fresh.isNull());
    const uchar* before = fresh.constBits();
    fresh.fill(qRgb(10, 20, 30));
    EXPECT_EQ(fresh.constBits(), before);  // written in place, not detached into a copy
    const QImage copy = fresh;             // copies share and outlive the original
    fresh = QImage();
    EXPECT_EQ(copy.pixel(size.width() - 1, size.height() - 1), qRgb(10, 20, 30));
  }
  EXPECT_TRUE(Gdip::NewPicture(0, 10, QImage::Format_RGB32).isNull());
  EXPECT_TRUE(Gdip::ZeroedImage(10, -1, QImage::Format_RGB32).isNull());
}

TEST(PictureMemory, ABlockRefusesAPictureLargerThanItselfAndKeepsItsMemory) {
  Gdip::MemoryBlock block(100);
  ASSERT_FALSE(block.empty());
  EXPECT_TRUE(std::move(block).IntoPicture(10, 10, 40, QImage::Format_RGB32).isNull());
  EXPECT_EQ(block.size(), 100u);
  const QImage picture = std::move(block).IntoPicture(5, 5, 20, QImage::Format_RGB32);
  EXPECT_FALSE(picture.isNull());
  EXPECT_TRUE(block.empty());
}

TEST(PictureMemory, ALargePictureLetGoServesTheNextOfItsSizeAndNeverAZeroedOne) {
  constexpr QSize kSize(1203, 911);  // a mapping of its own
  QImage first = Gdip::NewPicture(kSize.width(), kSize.height(), QImage::Format_ARGB32);
  ASSERT_FALSE(first.isNull());
  first.fill(qRgba(1, 2, 3, 4));
  const uchar* const memory = first.constBits();
  first = QImage();
  const QImage next = Gdip::NewPicture(kSize.width(), kSize.height(), QImage::Format_RGB32);
  EXPECT_EQ(next.constBits(), memory) << "the mapping let go is taken again, its pages in place";

  QImage written = Gdip::NewPicture(kSize.width(), kSize.height(), QImage::Format_ARGB32);
  written.fill(qRgba(200, 100, 50, 25));
  written = QImage();
  QImage expected(kSize, QImage::Format_ARGB32);
  expected.fill(0);
  EXPECT_EQ(Gdip::ZeroedImage(kSize.width(), kSize.height(), QImage::Format_ARGB32), expected);

  // Many pictures let go at once keep only a few, and every one still serves.
  std::vector<QImage> many;
  for (int i = 0; i < 12; ++i) {
    many.push_back(Gdip::NewPicture(kSize.width(), kSize.height() + i, QImage::Format_RGB32));
  }
  many.clear();
  for (int i = 0; i < 12; ++i) {
    QImage again = Gdip::NewPicture(kSize.width(), kSize.height() + i, QImage::Format_RGB32);
    ASSERT_FALSE(again.isNull());
    again.fill(qRgb(i, i, i));
    EXPECT_EQ(again.pixel(kSize.width() - 1, kSize.height() + i - 1), qRgb(i, i, i));
  }
}

TEST(PictureMemory, AWholeFileIsReadOnceIntoOneBlock) {
  QTemporaryDir dir;
  for (const qsizetype size : {qsizetype(1), qsizetype(3 << 20)}) {
    QByteArray contents(size, '\0');
    for (qsizetype i = 0; i < size; ++i) {
      contents[i] = char(i * 31 + 7);
    }
    QFile out(dir.filePath("file.bin"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(contents);
    out.close();
    QFile in(out.fileName());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const Gdip::FileBytes read = Gdip::ReadWholeFile(in);
    const auto bytes = read.Bytes();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), contents);
  }
  QFile empty(dir.filePath("empty"));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.close();
  ASSERT_TRUE(empty.open(QIODevice::ReadOnly));
  EXPECT_TRUE(Gdip::ReadWholeFile(empty).Bytes().empty());
}

TEST(PictureTransforms, TurnsAndMirrorsMatchQtsOwnOnEveryLayout) {
  for (const QSize size : kSizes) {
    for (const QImage::Format format : {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_Indexed8}) {
      const QImage picture = Numbered(size.width(), size.height(), QImage::Format_ARGB32).convertToFormat(format);
      for (const bool clockwise : {true, false}) {
        EXPECT_EQ(Gdip::QuarterTurned(picture, clockwise), picture.transformed(QTransform().rotate(clockwise ? 90 : -90)))
            << size.width() << "x" << size.height() << " format " << format;
      }
      for (const auto& [across, down] : {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
        EXPECT_EQ(Gdip::Mirrored(picture, across, down), picture.mirrored(across, down));
      }
    }
  }
}

TEST(PictureTransforms, AnEditableCopyIsStraightArgbSharedWithNothing) {
  const QImage varied = Numbered(67, 131, QImage::Format_ARGB32);
  // RGB32 rows may carry anything in the fourth byte; the copy must read them as opaque.
  const QImage opaque(varied.constBits(), varied.width(), varied.height(), varied.bytesPerLine(),
                      QImage::Format_RGB32);
  for (const QImage& picture : {opaque, varied,
                                Numbered(9, 5, QImage::Format_ARGB32).convertToFormat(QImage::Format_RGB888)}) {
    const QImage copy = Gdip::EditableCopy(picture);
    EXPECT_EQ(copy.format(), QImage::Format_ARGB32);
    EXPECT_EQ(copy, picture.convertToFormat(QImage::Format_ARGB32));
    EXPECT_NE(copy.constBits(), picture.constBits());
  }
}

TEST(PictureTransforms, AnOpaquePictureSwitchesAlphaFormInPlaceAndATranslucentOneIsConverted) {
  for (const QSize size : kSizes) {
    QImage opaque = Gdip::EditableCopy(Numbered(size.width(), size.height(), QImage::Format_RGB32));
    const QImage before = opaque.copy();
    const uchar* const memory = opaque.constBits();
    ASSERT_TRUE(Gdip::IsOpaque(opaque));
    Gdip::SwitchAlphaForm(opaque, QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(opaque.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(opaque.constBits(), memory);
    Gdip::SwitchAlphaForm(opaque, QImage::Format_ARGB32);
    EXPECT_EQ(opaque, before);

    // One translucent pixel, the last one, makes the whole picture convert.
    QImage translucent = before.copy();
    translucent.setPixel(size.width() - 1, size.height() - 1, qRgba(255, 0, 0, 128));
    EXPECT_FALSE(Gdip::IsOpaque(translucent));
    const QImage expected = translucent.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Gdip::SwitchAlphaForm(translucent, QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(translucent, expected);
  }
  EXPECT_TRUE(Gdip::IsOpaque(QImage(3, 3, QImage::Format_RGB888)));
}

}  // namespace
