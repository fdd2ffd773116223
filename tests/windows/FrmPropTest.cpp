#include "windows/FrmProp.h"

#include <QLabel>
#include <QPixmap>

#include <gtest/gtest.h>

#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"

namespace {

QImage Flat(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

class PropertiesTest : public ::testing::Test {
 protected:
  Fakes::FakeCanvas canvas;
};

}  // namespace

TEST_F(PropertiesTest, SmallPictureIsCentredAtItsOwnSize) {
  FrmProp window(Flat({100, 50}, Qt::red), &canvas);
  EXPECT_EQ(window.PictureRect(), QRect(60, 60, 100, 50));
  const QImage box = window.P()->pixmap().toImage();
  EXPECT_EQ(box.pixel(110, 85), qRgb(255, 0, 0));
  EXPECT_NE(box.pixel(59, 85), qRgb(255, 0, 0));
}

TEST_F(PropertiesTest, PanoramaFillsTheWidthCentredVertically) {
  canvas.filename = "/pictures/wide.png";
  canvas.imageWidth = "4000";
  canvas.imageHeight = "1000";
  FrmProp window(Flat({4000, 1000}, Qt::blue), &canvas);
  EXPECT_EQ(window.PictureRect(), QRect(0, 57, 220, 55));
  window.grab().save(TestSupport::ArtifactsFolder() + "/properties-window.png");
}
