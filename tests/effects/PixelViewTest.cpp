#include "effects/PixelView.h"

#include <gtest/gtest.h>

#include "foundation/ModClipboard.h"
#include "platform/gdiplus/Bitmap.h"

#include "EffectsTestImages.h"
#include "effects/EffectObjects.h"
#include "foundation/CDIB.h"
#include "foundation/GdiDIB.h"

using namespace EffectsTest;

TEST(PixelView, ElementsOfADibAreBottomUpFourBytesApart) {
  CDIB dib;
  ASSERT_TRUE(dib.Create(3, 2, 32));
  PixelView view;
  ModEffects::MapPixelArray(dib, view);
  ASSERT_FALSE(view.Empty());
  EXPECT_EQ(view.At(2, 1), dib.lpBits() + 20);
  EXPECT_EQ(view.At(0, 0), dib.lpBits());
  // Writing byte 3 changes only transparency.
  view.At(1, 1)[3] = 77;
  EXPECT_EQ(dib.lpBits()[4 * 4 + 3], 77);
  EXPECT_EQ(dib.lpBits()[4 * 4 + 2], 0);
}

TEST(PixelView, AccessOutsideTheBoundsIsRefused) {
  CDIB dib;
  ASSERT_TRUE(dib.Create(3, 2, 32));
  PixelView view;
  ModEffects::MapPixelArray(dib, view);
  EXPECT_EQ(view.At(3, 0), nullptr);
  EXPECT_EQ(view.At(0, 2), nullptr);
  EXPECT_EQ(view.At(-1, 0), nullptr);
  EXPECT_EQ(view.At(0, -1), nullptr);
  ModEffects::UnmapPixelArray(view);
  EXPECT_TRUE(view.Empty());
  EXPECT_EQ(view.At(0, 0), nullptr);
  EXPECT_NE(dib.lpBits(), nullptr);  // detaching frees nothing

  ASSERT_TRUE(dib.Create(3, 2, 24));
  ModEffects::MapPixelArray(dib, view);
  EXPECT_TRUE(view.Empty());
}

TEST(PixelView, ViewOfAnUprightImageStartsAtItsBottomLine) {
  QImage image = Pattern(3, 2);
  const PixelView view = ModEffects::ViewOfImage(image);
  ASSERT_FALSE(view.Empty());
  EXPECT_EQ(ViewPixel(view, 0, 0), PixelAt(image, 0, 1));
  EXPECT_EQ(ViewPixel(view, 2, 1), PixelAt(image, 2, 0));
  EXPECT_EQ(view.ViewRowOfLine(0), 1);
  EXPECT_EQ(view.At(2, 2), nullptr);

  QImage rgb888(3, 2, QImage::Format_RGB888);
  EXPECT_TRUE(ModEffects::ViewOfImage(rgb888).Empty());
}

TEST(EffectObjects, ReleaseEndsEverythingAndIsHarmlessWhenEmpty) {
  ModEffects::ReleaseEffectObjects();
  ModEffects::ReleaseEffectObjects();
  auto& shared = ModEffects::Shared();
  EXPECT_EQ(ModGDI::ClipboardImage().DIB(), nullptr);
  EXPECT_EQ(shared.EffectDIB, nullptr);
  EXPECT_TRUE(shared.EffectPixels.Empty());

  ModGDI::ClipboardImage().SetDIB(Gdip::Bitmap::Create(300, 2));
  ASSERT_TRUE(ModEffects::EffectDIB().Create(4, 4, 32));
  ModEffects::MapPixelArray(ModEffects::EffectDIB(), shared.EffectPixels);

  ModEffects::ReleaseEffectObjects();
  EXPECT_EQ(ModGDI::ClipboardImage().DIB(), nullptr);
  EXPECT_EQ(ModGDI::ClipboardImage().Width(), 0.0f);
  EXPECT_EQ(shared.EffectDIB, nullptr);
  EXPECT_TRUE(shared.EffectPixels.Empty());
  ModEffects::ReleaseEffectObjects();
}
