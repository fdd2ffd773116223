#include <array>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QtEndian>

#include "foundation/CDIB.h"
#include "support/TestFolder.h"

namespace {

std::uint32_t ReadLE32(const QByteArray& bytes, int at) {
  return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

QByteArray FileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Colour 0 blue, colour 1 red: enough for every indexed depth.
std::vector<std::uint8_t> BlueRedPalette(int bpp) {
  std::vector<std::uint8_t> palette(std::size_t(4) << bpp, 0);
  palette[0] = 255;  // entry 0: blue
  palette[6] = 255;  // entry 1: red
  return palette;
}

}  // namespace

TEST(CDIB, StridesAndSizesFollowTheDepth) {
  struct Case {
    int bpp, stride, size;
  };
  for (const Case c : {Case{24, 12, 24}, Case{1, 4, 8}, Case{4, 4, 8}, Case{8, 4, 8}, Case{32, 12, 24}}) {
    CDIB dib;
    ASSERT_TRUE(dib.Create(3, 2, c.bpp)) << c.bpp;
    EXPECT_EQ(dib.BytesPerScanline(), c.stride) << c.bpp;
    EXPECT_EQ(dib.Size(), c.size) << c.bpp;
    EXPECT_NE(dib.HDC(), nullptr);
  }
}

TEST(CDIB, RefusesBadSizesAndDepthsAndStaysInertWhenEmpty) {
  CDIB dib;
  EXPECT_FALSE(dib.Create(0, 5, 32));
  EXPECT_FALSE(dib.Create(5, -1, 32));
  EXPECT_FALSE(dib.Create(70000, 70000, 32));  // more than 2^31 bytes
  EXPECT_FALSE(dib.Create(3, 2, 16));
  EXPECT_FALSE(dib.hDIB());
  EXPECT_EQ(dib.HDC(), nullptr);
  EXPECT_EQ(dib.lpBits(), nullptr);
  EXPECT_EQ(dib.Width() + dib.Height() + dib.BPP() + dib.Size(), 0);
  TestSupport::TestFolder folder;
  EXPECT_FALSE(dib.Save(folder.File("empty.bmp")));
  CDIB other;
  ASSERT_TRUE(other.Create(2, 2, 32));
  EXPECT_EQ(dib.LoadBlt(*other.HDC()), 0);
  EXPECT_EQ(dib.Stretch(*other.HDC(), 0, 0, 2, 2), 0);
  dib.Cls(0xFF);
  dib.Reset();
  EXPECT_TRUE(dib.image().isNull());
}

TEST(CDIB, SavesBmpFilesThatQtReadsUprightAtEveryDepth) {
  TestSupport::TestFolder folder;
  for (const int bpp : {1, 4, 8, 24, 32}) {
    SCOPED_TRACE(bpp);
    CDIB dib;
    ASSERT_TRUE(dib.Create(5, 3, bpp));
    if (bpp <= 8) {
      const auto palette = BlueRedPalette(bpp);
      dib.SetPalette(palette);
    }
    dib.Cls(0xFF0000);  // blue everywhere
    QImage top(5, 1, QImage::Format_ARGB32);
    top.fill(0xFFFF0000u);
    dib.HDC()->Write(QPoint(0, 0), top);  // a red top row
    const QString path = folder.File(QString("d%1.bmp").arg(bpp));
    ASSERT_TRUE(dib.Save(path));

    const QByteArray bytes = FileBytes(path);
    const std::uint32_t colours = bpp <= 8 ? 1u << bpp : 0u;
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(ReadLE32(bytes, 2), std::uint32_t(bytes.size()));
    EXPECT_EQ(ReadLE32(bytes, 10), 54 + colours * 4);
    EXPECT_EQ(ReadLE32(bytes, 14), 40u);
    EXPECT_EQ(qFromLittleEndian<std::int32_t>(bytes.constData() + 22), 3);  // positive: bottom-up

    const QImage read(path);
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.pixel(4, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(read.pixel(0, 2) & 0xFFFFFF, 0x0000FFu);
  }
}

TEST(CDIB, AnEightBitSaveWithoutPaletteWritesBlackEntries) {
  TestSupport::TestFolder folder;
  CDIB dib;
  ASSERT_TRUE(dib.Create(3, 2, 8));
  ASSERT_TRUE(dib.Save(folder.File("p.bmp")));
  const QByteArray bytes = FileBytes(folder.File("p.bmp"));
  EXPECT_EQ(ReadLE32(bytes, 10), 1078u);
  EXPECT_EQ(ReadLE32(bytes, 2), 1078u + std::uint32_t(dib.Size()));
  EXPECT_EQ(bytes.mid(54, 1024), QByteArray(1024, '\0'));
}

TEST(CDIB, PaletteCopiesStayInsideBothArrays) {
  CDIB dib;
  ASSERT_TRUE(dib.Create(2, 2, 1));
  const std::array<std::uint8_t, 16> longer{1, 2, 3, 9, 4, 5, 6, 9, 7, 7, 7, 7, 8, 8, 8, 8};
  dib.SetPalette(longer);  // only two entries fit; fourth bytes become 0
  std::array<std::uint8_t, 12> out{};
  out.fill(0xAA);
  dib.GetPalette(out);
  EXPECT_EQ(out, (std::array<std::uint8_t, 12>{1, 2, 3, 0, 4, 5, 6, 0, 0xAA, 0xAA, 0xAA, 0xAA}));
  std::array<std::uint8_t, 3> shorter{};
  dib.GetPalette(shorter);
  EXPECT_EQ(shorter, (std::array<std::uint8_t, 3>{1, 2, 3}));
  const std::array<std::uint8_t, 6> partial{9, 9, 9, 9, 9, 9};  // one whole entry
  dib.SetPalette(partial);
  dib.GetPalette(out);
  EXPECT_EQ(out[0], 9);
  EXPECT_EQ(out[3], 0);
  EXPECT_EQ(out[4], 4);
}

TEST(CDIB, CloneCopiesEverythingAndCloningToItselfKeepsIt) {
  CDIB source;
  ASSERT_TRUE(source.Create(3, 2, 8));
  const auto palette = BlueRedPalette(8);
  source.SetPalette(palette);
  source.lpBits()[1] = 1;
  source.CloneTo(source);
  ASSERT_TRUE(source.hDIB());
  EXPECT_EQ(source.lpBits()[1], 1);

  CDIB target;
  ASSERT_TRUE(target.Create(10, 10, 32));
  source.CloneTo(target);
  EXPECT_EQ(target.Width(), 3);
  EXPECT_EQ(target.BPP(), 8);
  EXPECT_EQ(std::memcmp(target.lpBits(), source.lpBits(), std::size_t(source.Size())), 0);
  EXPECT_EQ(target.image().pixel(1, 1), 0xFFFF0000u);  // index 1 in stored row 0: the bottom row
}

TEST(CDIB, BlitsCopyWholeBitmapsAndStretchWithoutTouchingTheTargetMode) {
  QImage surface(4, 4, QImage::Format_RGB32);
  surface.fill(0xFF0000FFu);
  surface.setPixel(3, 3, 0xFFFFFFFFu);
  Gdi::ImageDC screen(surface);
  CDIB dib;
  ASSERT_TRUE(dib.Create(4, 4, 24));
  EXPECT_NE(dib.LoadBlt(screen, 0, 0, 0, 0), 0);
  EXPECT_EQ(dib.image(), surface.convertToFormat(QImage::Format_ARGB32));

  CDIB small;
  ASSERT_TRUE(small.Create(2, 2, 32));
  small.LoadDIBBlt(dib);
  EXPECT_EQ(small.image().pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(small.HDC()->GetStretchBltMode(), Gdi::BLACKONWHITE);

  QImage big(8, 8, QImage::Format_RGB32);
  Gdi::ImageDC bigDC(big);
  EXPECT_NE(dib.Stretch(bigDC, 0, 0, 8, 8), 0);
  EXPECT_EQ(bigDC.GetStretchBltMode(), Gdi::BLACKONWHITE);
  EXPECT_EQ(big.pixel(0, 0), 0xFF0000FFu);
}

TEST(CDIB, ClsAndResetFillEveryByte) {
  CDIB dib;
  ASSERT_TRUE(dib.Create(3, 2, 24));
  dib.Cls(0x0000FF);  // red
  EXPECT_EQ(dib.lpBits()[2], 255);
  EXPECT_EQ(dib.lpBits()[dib.BytesPerScanline() + 8], 255);
  EXPECT_EQ(dib.lpBits()[0], 0);
  dib.Reset();
  EXPECT_EQ(std::count(dib.lpBits(), dib.lpBits() + dib.Size(), 0), dib.Size());
}

TEST(CDIB, BestFitUsesWholeNumbersAndAFourPixelOffset) {
  using Fit = std::array<int, 4>;  // x, y, width, height
  const auto fit = [](int sw, int sh, int dw, int dh, bool stretch) {
    Fit r{};
    CDIB::GetBestFitInfo(sw, sh, dw, dh, r[0], r[1], r[2], r[3], stretch);
    return r;
  };
  EXPECT_EQ(fit(100, 50, 400, 300, false), (Fit{154, 129, 100, 50}));
  EXPECT_EQ(fit(100, 50, 400, 300, true), (Fit{4, 54, 400, 200}));
  EXPECT_EQ(fit(800, 800, 400, 300, false), (Fit{54, 4, 300, 300}));  // the height decides
  EXPECT_EQ(fit(0, 50, 400, 300, false), (Fit{204, 154, 0, 0}));
}
