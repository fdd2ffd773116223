#include <cstring>

#include <gtest/gtest.h>

#include "foundation/CDIB.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

void PutPixel(CDIB& dib, int x, int storedRow, std::uint32_t argb) {
  std::memcpy(dib.lpBits() + storedRow * dib.BytesPerScanline() + x * 4, &argb, 4);
}

std::uint32_t GetPixel(const CDIB& dib, int x, int storedRow) {
  std::uint32_t argb = 0;
  std::memcpy(&argb, dib.lpBits() + storedRow * dib.BytesPerScanline() + x * 4, 4);
  return argb;
}

}  // namespace

TEST(ModGDI, FindsEncodersByMimeTypeInAnyCase) {
  QUuid clsid;
  EXPECT_EQ(ModGDI::GetEncoderClsid("image/bmp", clsid), 1);
  EXPECT_EQ(ModGDI::GetEncoderClsid("image/jpeg", clsid), 2);
  EXPECT_EQ(ModGDI::GetEncoderClsid("image/gif", clsid), 3);
  EXPECT_EQ(ModGDI::GetEncoderClsid("image/tiff", clsid), 4);
  EXPECT_EQ(ModGDI::GetEncoderClsid("IMAGE/PNG", clsid), 5);
  EXPECT_EQ(clsid, ModGDI::StringToClsid("{557CF406-1A04-11D3-9A73-0000F81EF32E}"));
  EXPECT_EQ(ModGDI::GetEncoderClsid("image/x-emf", clsid), -1);
  EXPECT_EQ(clsid, ModGDI::StringToClsid("{557cf406-1a04-11d3-9a73-0000f81ef32e}"));  // untouched
  EXPECT_TRUE(ModGDI::StringToClsid("not a class id").isNull());
  EXPECT_EQ(ModGDI::WidePtrToString(u"image/png"), "image/png");
  EXPECT_EQ(ModGDI::WidePtrToString(nullptr), "");
}

TEST(ModGDIBridges, CarryPicturesUprightBothWays) {
  CDIB dib;
  ASSERT_TRUE(dib.Create(2, 3, 32));
  PutPixel(dib, 0, 2, 0xFF112233u);  // last stored row: the picture's top
  PutPixel(dib, 1, 0, 0xFF445566u);  // first stored row: the bottom
  auto bitmap = ModGDI::DIBToGdipBitmap(dib);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Image().pixel(0, 0), 0xFF112233u);
  EXPECT_EQ(bitmap->Image().pixel(1, 2), 0xFF445566u);

  CDIB back;
  ASSERT_TRUE(back.Create(2, 3, 32));
  ASSERT_TRUE(ModGDI::GdipImageToDIB(back, *bitmap));
  EXPECT_EQ(std::memcmp(back.lpBits(), dib.lpBits(), std::size_t(dib.Size())), 0);
}

TEST(ModGDIBridges, ScaleIntoTheDibAndBridgeASingleRow) {
  auto picture = Gdip::Bitmap::Create(4, 1);
  picture->Image().fill(0xFF00FF00u);
  CDIB row;
  ASSERT_TRUE(row.Create(2, 1, 32));
  ASSERT_TRUE(ModGDI::GdipImageToDIB(row, *picture));
  EXPECT_EQ(GetPixel(row, 0, 0), 0xFF00FF00u);
  EXPECT_EQ(GetPixel(row, 1, 0), 0xFF00FF00u);
  auto again = ModGDI::DIBToGdipBitmap(row);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->Height(), 1);
}

TEST(ModGDIBridges, KeepTranslucentPixelsWithinOneStep) {
  CDIB dib;
  ASSERT_TRUE(dib.Create(1, 1, 32));
  PutPixel(dib, 0, 0, 0x80C86432u);
  auto bitmap = ModGDI::DIBToGdipBitmap(dib);
  ASSERT_TRUE(ModGDI::GdipImageToDIB(dib, *bitmap));
  const std::uint32_t back = GetPixel(dib, 0, 0);
  EXPECT_EQ(back >> 24, 0x80u);
  for (const int shift : {0, 8, 16}) {
    EXPECT_NEAR(int((back >> shift) & 0xFF), int((0x80C86432u >> shift) & 0xFF), 1);
  }
}

TEST(ModGDIBridges, RefuseDibsThatAreEmptyOrNot32Bit) {
  auto picture = Gdip::Bitmap::Create(4, 4);
  CDIB empty;
  EXPECT_FALSE(ModGDI::GdipImageToDIB(empty, *picture));
  EXPECT_EQ(ModGDI::DIBToGdipBitmap(empty), nullptr);
  // A 24-bit DIB has rows of 3 bytes per pixel: 4-byte rows would run past its end.
  CDIB rgb;
  ASSERT_TRUE(rgb.Create(4, 4, 24));
  EXPECT_FALSE(ModGDI::GdipImageToDIB(rgb, *picture));
  EXPECT_EQ(ModGDI::DIBToGdipBitmap(rgb), nullptr);
  EXPECT_EQ(std::count(rgb.lpBits(), rgb.lpBits() + rgb.Size(), 0), rgb.Size());
}
