#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/gdi/DC.h"
#include "platform/gdi/DibSection.h"

using Gdi::DibDC;
using Gdi::DibSection;

namespace {

std::uint32_t Pixel32(const DibSection& dib, int x, int storedRow) {
  std::uint32_t value = 0;
  std::memcpy(&value, dib.Bits() + storedRow * dib.Stride() + x * 4, 4);
  return value;
}

// A picture whose top row is red and whose bottom row is blue.
QImage RedOverBlue(int width) {
  QImage picture(width, 2, QImage::Format_ARGB32);
  for (int x = 0; x < width; ++x) {
    picture.setPixel(x, 0, 0xFFFF0000u);
    picture.setPixel(x, 1, 0xFF0000FFu);
  }
  return picture;
}

void SetTable(DibSection& dib, std::initializer_list<QRgb> colours) {
  auto table = dib.ColorTable();
  std::size_t i = 0;
  for (const QRgb c : colours) {
    table[i++] = std::uint8_t(qBlue(c));
    table[i++] = std::uint8_t(qGreen(c));
    table[i++] = std::uint8_t(qRed(c));
    table[i++] = 0;
  }
}

}  // namespace

TEST(DibDC, WritesUprightPicturesIntoBottomUpRowsAtEveryDepth) {
  // The picture's top row must land in the last stored row, whatever the depth.
  for (const int bpp : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(bpp);
    auto dib = DibSection::Create(3, 2, bpp);
    ASSERT_NE(dib, nullptr);
    if (bpp <= 8) {
      SetTable(*dib, {qRgb(0, 0, 255), qRgb(255, 0, 0)});
    }
    DibDC dc(*dib);
    dc.Write(QPoint(0, 0), RedOverBlue(3));
    const QImage back = dc.Read(QRect(0, 0, 3, 2));
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(back.pixel(x, 0), 0xFFFF0000u);
      EXPECT_EQ(back.pixel(x, 1), 0xFF0000FFu);
    }
    if (bpp == 24) {
      const std::uint8_t* bottom = dib->Bits();
      EXPECT_EQ(bottom[0], 255);  // blue byte first
      EXPECT_EQ(bottom[2], 0);
      EXPECT_EQ(dib->Bits()[dib->Stride() + 2], 255);  // top row is red
    }
    if (bpp == 4) {
      // Indexes 1 (red) on top: high nibble first, padding untouched.
      EXPECT_EQ(dib->Bits()[dib->Stride()], 0x11);
      EXPECT_EQ(dib->Bits()[dib->Stride() + 1], 0x10);
      EXPECT_EQ(dib->Bits()[0], 0x00);
    }
  }
}

TEST(DibDC, WritesAreClippedAndReadsOutsideAreBlack) {
  auto dib = DibSection::Create(2, 2, 32);
  DibDC dc(*dib);
  QImage big(5, 5, QImage::Format_ARGB32);
  big.fill(0xFF102030u);
  dc.Write(QPoint(-1, -1), big);
  EXPECT_EQ(Pixel32(*dib, 0, 0), 0xFF102030u);
  EXPECT_EQ(Pixel32(*dib, 1, 1), 0xFF102030u);
  const QImage read = dc.Read(QRect(1, 1, 2, 2));
  EXPECT_EQ(read.pixel(0, 0), 0xFF102030u);
  EXPECT_EQ(qRgb(qRed(read.pixel(1, 1)), qGreen(read.pixel(1, 1)), qBlue(read.pixel(1, 1))), qRgb(0, 0, 0));
}

TEST(BlockCopies, KeepThe32BitBytesEvenUnderZeroAlpha) {
  // A DIB filled by plain memory writes has alpha 0; copies and halftone stretches must
  // not turn its colours black.
  auto source = DibSection::Create(2, 2, 32);
  for (int i = 0; i < 4; ++i) {
    std::uint32_t value = 0x00123456u;
    std::memcpy(source->Bits() + i * 4, &value, 4);
  }
  auto target = DibSection::Create(4, 4, 32);
  DibDC from(*source);
  DibDC to(*target);
  ASSERT_EQ(Gdi::BitBlt(to, 0, 0, 2, 2, from, 0, 0, Gdi::SRCCOPY), 1);
  EXPECT_EQ(Pixel32(*target, 0, 3), 0x00123456u);

  to.SetStretchBltMode(Gdi::HALFTONE);
  ASSERT_EQ(Gdi::StretchBlt(to, 0, 0, 4, 4, from, 0, 0, 2, 2, Gdi::SRCCOPY), 1);
  for (int row = 0; row < 4; ++row) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(Pixel32(*target, x, row), 0x00123456u);
    }
  }
}

TEST(BlockCopies, StretchScalesAndRefusesWhatItCannotDo) {
  QImage surface(4, 2, QImage::Format_RGB32);
  surface.fill(Qt::black);
  Gdi::ImageDC to(surface);
  auto dib = DibSection::Create(2, 1, 24);
  DibDC from(*dib);
  from.Write(QPoint(0, 0), RedOverBlue(2).copy(0, 0, 2, 1));
  EXPECT_EQ(Gdi::StretchBlt(to, 0, 0, 4, 2, from, 0, 0, 2, 1, Gdi::SRCCOPY), 1);
  EXPECT_EQ(surface.pixel(3, 1), 0xFFFF0000u);
  EXPECT_EQ(Gdi::StretchBlt(to, 0, 0, 0, 2, from, 0, 0, 2, 1, Gdi::SRCCOPY), 0);
  EXPECT_EQ(Gdi::BitBlt(to, 0, 0, 2, 1, from, 0, 0, 0x00EE0086), 0);  // only plain copies
}

TEST(FillRect, PaintsTheColourReferenceWithAnOpaqueFourthByte) {
  auto dib = DibSection::Create(2, 2, 32);
  DibDC dc(*dib);
  ASSERT_TRUE(Gdi::FillRect(dc, QRect(0, 0, 1, 2), 0x00C88C64u));  // red 100, green 140, blue 200
  EXPECT_EQ(Pixel32(*dib, 0, 0), 0xFF648CC8u);
  EXPECT_EQ(Pixel32(*dib, 1, 0), 0u);
}
