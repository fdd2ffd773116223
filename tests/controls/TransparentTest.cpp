#include "controls/Transparent.h"

#include <QBitmap>
#include <QRegion>

#include <gtest/gtest.h>

namespace {

// A 40 x 30 picture with a magenta frame 5 pixels wide and a grey block in one corner.
QImage FramedPicture() {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(QColor(255, 0, 255));
  for (int y = 5; y < 25; ++y) {
    for (int x = 5; x < 35; ++x) {
      picture.setPixel(x, y, qRgb(10, 20, 30));
    }
  }
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      picture.setPixel(x, y, qRgb(128, 128, 128));
    }
  }
  return picture;
}

}  // namespace

TEST(Transparent, WindowTakesThePictureSizeAndShape) {
  QWidget window;
  window.resize(300, 200);
  Transparent shape(&window);
  shape.SetMaskColor(0x00FF00FF);  // magenta, red in the lowest byte
  shape.SetMaskPicture(FramedPicture());
  EXPECT_EQ(window.size(), QSize(40, 30));
  EXPECT_EQ(shape.geometry(), QRect(0, 0, 40, 30));
  EXPECT_EQ(window.mask(), QRegion(5, 5, 30, 20) + QRegion(0, 0, 4, 4));

  // A new mask colour reshapes at once: now the grey corner is cut away instead.
  shape.SetMaskColor(0x00808080);
  EXPECT_EQ(window.mask(), QRegion(0, 0, 40, 30) - QRegion(0, 0, 4, 4));
}

TEST(Transparent, EmptyPictureChangesNothing) {
  QWidget window;
  window.resize(300, 200);
  Transparent shape(&window);
  EXPECT_EQ(shape.MaskColor(), Transparent::kDefaultMaskColor);
  shape.SetMaskPicture(QImage());
  EXPECT_EQ(window.size(), QSize(300, 200));
  EXPECT_TRUE(window.mask().isEmpty());
}
