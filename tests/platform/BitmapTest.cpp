#include <array>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/gdiplus/Bitmap.h"

using Gdip::Bitmap;

TEST(Bitmap, RefusesEmptyAndHugeSizes) {
  EXPECT_EQ(Bitmap::Create(0, 5), nullptr);
  EXPECT_EQ(Bitmap::Create(5, -1), nullptr);
  EXPECT_EQ(Bitmap::Create(100000, 100000), nullptr);
  ASSERT_NE(Bitmap::Create(3, 2), nullptr);
}

TEST(Bitmap, PixelLockWithNegativeStrideFillsBottomUpBuffer) {
  auto bmp = Bitmap::Create(2, 2);
  ASSERT_NE(bmp, nullptr);
  bmp->Image().setPixel(0, 0, 0xFF112233u);  // top-left
  bmp->Image().setPixel(1, 1, 0x80445566u);  // bottom-right
  std::array<std::byte, 16> buffer{};
  const std::ptrdiff_t stride = 8;
  // A bottom-up buffer: the picture's top row is stored last.
  ASSERT_EQ(bmp->ReadPixels(QRect(0, 0, 2, 2), buffer.data() + stride, -stride), Gdip::Status::Ok);
  std::uint32_t topLeft = 0;
  std::uint32_t bottomRight = 0;
  std::memcpy(&topLeft, buffer.data() + 8, 4);
  std::memcpy(&bottomRight, buffer.data() + 4, 4);
  EXPECT_EQ(topLeft, 0xFF112233u);
  EXPECT_EQ(bottomRight, 0x80445566u);

  auto copy = Bitmap::Create(2, 2);
  ASSERT_EQ(copy->WritePixels(QRect(0, 0, 2, 2), buffer.data() + stride, -stride), Gdip::Status::Ok);
  EXPECT_EQ(copy->Image().pixel(0, 0), 0xFF112233u);
  EXPECT_EQ(copy->Image().pixel(1, 1), 0x80445566u);
}
