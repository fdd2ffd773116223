#include "platform/gdiplus/ImageAttributes.h"

#include <gtest/gtest.h>

namespace {

QImage OnePixel(QRgb colour) {
  QImage image(1, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, colour);
  return image;
}

}  // namespace

TEST(ImageAttributes, MatrixColumnsReachTheRightChannels) {
  // Red goes to blue, blue to red, green stays: any mix-up of the byte order shows.
  Gdip::ColorMatrix m{};
  m[0][2] = 1.0f;
  m[2][0] = 1.0f;
  m[1][1] = 1.0f;
  m[3][3] = 1.0f;
  Gdip::ImageAttributes attributes;
  attributes.SetColorMatrix(m);
  EXPECT_EQ(attributes.Transformed(OnePixel(qRgba(200, 100, 10, 50))).pixel(0, 0), qRgba(10, 100, 200, 50));

  // Alpha fed from red, with a negative translation clamped at 0.
  m = Gdip::IdentityColorMatrix();
  m[3][3] = 0.0f;
  m[0][3] = 1.0f;
  m[4][1] = -1.0f;
  attributes.SetColorMatrix(m);
  EXPECT_EQ(attributes.Transformed(OnePixel(qRgba(60, 100, 10, 255))).pixel(0, 0), qRgba(60, 0, 10, 60));
}

TEST(ImageAttributes, TheBitmapCategoryOverridesTheDefault) {
  Gdip::ImageAttributes attributes;
  attributes.SetColorMatrix(Gdip::ColorMatrix{});  // all zero: would blank every pixel
  EXPECT_EQ(attributes.Transformed(OnePixel(qRgba(60, 100, 10, 255))).pixel(0, 0), qRgba(0, 0, 0, 0));
  attributes.SetGamma(1.0f, Gdip::ColorAdjustType::Bitmap);
  EXPECT_TRUE(attributes.IsIdentity());
  EXPECT_EQ(attributes.Transformed(OnePixel(qRgba(60, 100, 10, 255))).pixel(0, 0), qRgba(60, 100, 10, 255));
  EXPECT_EQ(attributes.SetGamma(0.0f, Gdip::ColorAdjustType::Bitmap), Gdip::Status::InvalidParameter);
  EXPECT_TRUE(attributes.IsIdentity());
}

TEST(ImageAttributes, TransformIntoRefusesMismatchedBuffers) {
  Gdip::ImageAttributes attributes;
  QImage source(2, 2, QImage::Format_ARGB32);
  QImage smaller(1, 2, QImage::Format_ARGB32);
  QImage premultiplied(2, 2, QImage::Format_ARGB32_Premultiplied);
  EXPECT_FALSE(attributes.TransformInto(source, smaller));
  EXPECT_FALSE(attributes.TransformInto(source, premultiplied));
  EXPECT_FALSE(attributes.TransformInto(premultiplied, source));
}
