#include <gtest/gtest.h>

#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"

TEST(Numbers, RoundsHalvesToEven) {
  EXPECT_EQ(Numbers::RoundHalfEven(100.5), 100);
  EXPECT_EQ(Numbers::RoundHalfEven(101.5), 102);
  EXPECT_EQ(Numbers::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(Numbers::RoundHalfEven(2.51), 3);
}

TEST(Numbers, RndStaysInHalfOpenUnitRange) {
  for (int i = 0; i < 1000; ++i) {
    const double r = Numbers::Rnd();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

TEST(ModGDI, ColourHelpersConvertBetweenArgbAndRgb) {
  EXPECT_EQ(ModGDI::MakeARGB(255, 100, 140, 200), 0xFF648CC8u);
  EXPECT_EQ(ModGDI::ARGBToRGB(0xFF648CC8u), 0x00C88C64u);
  EXPECT_EQ(ModGDI::SetARGBAlpha(0xFF648CC8u, 128), 0x80648CC8u);
  EXPECT_EQ(ModGDI::RGBToARGB(0x00C88C64u, 255), 0xFF648CC8u);
}
