#include <QImage>

#include <gtest/gtest.h>

#include "foundation/GdiDIB.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestFolder.h"

namespace {

struct Fit {
  float srcW, srcH, dstW, dstH;
  float x, y, w, h;
};

}  // namespace

TEST(GdiDIB, BestFitNeverEnlargesAndCentresWithRoundedLeftover) {
  const Fit cases[] = {
      {100, 50, 400, 300, 150, 125, 100, 50},   // fits: own size, centred
      {800, 600, 400, 400, 0, 50, 400, 300},    // width bound
      {600, 800, 400, 400, 50, 0, 300, 400},    // height bound
      {800, 800, 400, 400, 0, 0, 400, 400},     // equal ratios take the height branch
      {299, 10, 400, 10, 50, 0, 299, 10},       // odd leftover 101 goes right
      {299.5f, 10, 400, 10, 50, 0, 299.5f, 10},  // leftover 100.5 rounds to 100
      {298.5f, 10, 400, 10, 51, 0, 298.5f, 10},  // leftover 101.5 rounds to 102
      {0, 500, 400, 300, 200, 150, 0, 0},       // no width: an empty box in the middle
  };
  for (const Fit& c : cases) {
    float x = -1, y = -1, w = -1, h = -1;
    GdiDIB::GetBestFitInfo(c.srcW, c.srcH, c.dstW, c.dstH, x, y, w, h);
    EXPECT_FLOAT_EQ(x, c.x) << c.srcW << "x" << c.srcH;
    EXPECT_FLOAT_EQ(y, c.y) << c.srcW << "x" << c.srcH;
    EXPECT_FLOAT_EQ(w, c.w) << c.srcW << "x" << c.srcH;
    EXPECT_FLOAT_EQ(h, c.h) << c.srcW << "x" << c.srcH;
  }
}

TEST(GdiDIB, ImportFillsAndFailedImportEmpties) {
  TestSupport::TestFolder folder;
  QImage picture(7, 3, QImage::Format_ARGB32);
  picture.fill(0x80102030);
  const QString path = folder.File("p.png");
  ASSERT_TRUE(picture.save(path));

  GdiDIB holder;
  EXPECT_EQ(holder.Import(path), 0);
  ASSERT_NE(holder.DIB(), nullptr);
  EXPECT_EQ(holder.Width(), 7.0f);
  EXPECT_EQ(holder.Height(), 3.0f);
  EXPECT_EQ(holder.DIB()->Image().pixel(6, 2), 0x80102030u);

  // A broken file empties the holder rather than keeping a stale picture with wrong sizes.
  holder.Import(folder.Write("broken.png", "\x89PNG\r\n\x1a\n not really"));
  EXPECT_EQ(holder.DIB(), nullptr);
  EXPECT_EQ(holder.Width(), 0.0f);
  EXPECT_EQ(holder.Height(), 0.0f);

  holder.Import(folder.File("missing.png"));
  holder.Destroy();
  holder.Destroy();
  EXPECT_EQ(holder.DIB(), nullptr);
}

TEST(GdiDIB, SizesRoundHalfToEven) {
  GdiDIB holder;
  holder.SetWidth(2.5f);
  holder.SetHeight(3.5f);
  EXPECT_EQ(holder.Width(), 2.0f);
  EXPECT_EQ(holder.Height(), 4.0f);
  holder.SetDIB(Gdip::Bitmap::Create(5, 6));
  EXPECT_EQ(holder.Width(), 5.0f);
  EXPECT_EQ(holder.Height(), 6.0f);
}
