#include <functional>
#include <limits>

#include <QString>

#include <gtest/gtest.h>

#include "EmfBuilder.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileFormat.h"
#include "platform/gdiplus/MetafileReader.h"
#include "platform/gdiplus/MetafileWriter.h"
#include "support/TestFolder.h"

using CodecTestFiles::EmfBuilder;
using CodecTestFiles::InkIn;
using Gdip::LeWriter;

namespace {

QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y); }

}  // namespace

TEST(CodecMetafile, EnhancedShapesAndTextAreScaledToTheFrame) {
  // The reference device has 192 dpi, so device coordinates are halved on the picture.
  EmfBuilder emf(100, 100, 192);
  emf.Ints(Gdip::Emf::kCreateBrushIndirect, {1, 0, 0x0000FF, 0});  // solid red
  emf.Ints(Gdip::Emf::kSelectObject, {1});
  emf.Ints(Gdip::Emf::kSelectObject, {std::int32_t(0x80000008u)});  // no outline
  emf.Ints(Gdip::Emf::kRectangle, {0, 0, 100, 100});
  // Logical 400 units span device 200: the ellipse covers the picture's lower right.
  emf.Ints(Gdip::Emf::kSetMapMode, {8});
  emf.Ints(Gdip::Emf::kSetWindowExtEx, {400, 400});
  emf.Ints(Gdip::Emf::kSetViewportExtEx, {200, 200});
  emf.Ints(Gdip::Emf::kCreateBrushIndirect, {2, 0, 0xFF0000, 0});  // blue
  emf.Ints(Gdip::Emf::kSelectObject, {2});
  emf.Ints(Gdip::Emf::kEllipse, {200, 200, 400, 400});
  emf.Record(Gdip::Emf::kPolygon16, [](LeWriter& w) {
    for (int v : {0, 0, 0, 0}) w.I32(v);  // bounds
    w.U32(3);
    for (int v : {300, 0, 399, 0, 399, 99}) w.I16(std::int16_t(v));
  });
  emf.Ints(Gdip::Emf::kCreatePen, {3, 0, 8, 0, 0x00FF00});  // green, 8 logical units wide
  emf.Ints(Gdip::Emf::kSelectObject, {3});
  emf.Ints(Gdip::Emf::kMoveToEx, {0, 300});
  emf.Ints(Gdip::Emf::kLineTo, {160, 300});
  emf.Record(Gdip::Emf::kExtCreateFontIndirectW, [](LeWriter& w) {
    w.U32(4);
    w.I32(-60);  // em height in logical units: 15 pixels
    w.Zeros(12);
    w.I32(700);
    w.Zeros(8);
    for (QChar c : QStringLiteral("DejaVu Sans")) w.U16(c.unicode());
    w.Zeros(64 - 22);
  });
  emf.Ints(Gdip::Emf::kSelectObject, {4});
  emf.Ints(Gdip::Emf::kSetTextColor, {0x000000});
  emf.Record(Gdip::Emf::kExtTextOutW, [](LeWriter& w) {
    w.Zeros(16 + 12);
    w.I32(220);  // reference point
    w.I32(20);
    w.U32(2);
    w.U32(76);  // the string follows the fixed fields
    w.U32(0);
    w.Zeros(16);
    w.U32(0);
    w.U16('W');
    w.U16('W');
  });
  const QByteArray bytes = emf.Finish();

  const QImage picture = Gdip::MetafileReader::Read(Gdip::AsBytes(bytes));
  ASSERT_EQ(picture.size(), QSize(100, 100));
  EXPECT_EQ(At(picture, 10, 10), 0xFFFF0000u);       // rectangle, device 0..100 = picture 0..50
  // The text hangs from its reference point (picture 55, 5) at 15 pixels.
  EXPECT_GT(InkIn(picture, QRect(55, 5, 40, 16)), 40);
  EXPECT_EQ(InkIn(picture, QRect(50, 0, 50, 5)), 0);
  EXPECT_EQ(InkIn(picture, QRect(55, 24, 20, 20)), 0);
  EXPECT_EQ(At(picture, 75, 75), 0xFF0000FFu);       // ellipse centre
  EXPECT_EQ(qAlpha(At(picture, 99, 99)), 0);          // outside the ellipse's curve
  EXPECT_EQ(At(picture, 98, 2), 0xFF0000FFu);        // triangle corner
  EXPECT_EQ(qAlpha(At(picture, 80, 20)), 0);
  EXPECT_EQ(At(picture, 20, 75), 0xFF00FF00u);       // the thick line
  EXPECT_EQ(qAlpha(At(picture, 20, 70)), 0);

  // The same file cut inside a record gives nothing.
  EXPECT_TRUE(Gdip::MetafileReader::Read(Gdip::AsBytes(bytes.left(bytes.size() - 30))).isNull());
}

TEST(CodecMetafile, OldStyleShapesFillThePlaceableBox) {
  QByteArray wmf;
  LeWriter w(wmf);
  // Placeable header: a 2000 x 1000 box at 2000 units per inch is 96 x 48 pixels.
  const std::uint16_t placeable[] = {0xCDD7, 0x9AC6, 0, 0, 0, 2000, 1000, 2000, 0, 0};
  std::uint16_t sum = 0;
  for (auto v : placeable) {
    w.U16(v);
    sum ^= v;
  }
  w.U16(sum);
  w.U16(1);
  w.U16(9);
  w.U16(0x300);
  w.U32(0);
  w.U16(2);
  w.U32(0);
  w.U16(0);
  auto record = [&](std::uint16_t function, std::initializer_list<std::int16_t> params) {
    w.U32(std::uint32_t(3 + params.size()));
    w.U16(function);
    for (auto p : params) {
      w.I16(p);
    }
  };
  record(Gdip::Wmf::kCreateBrushIndirect, {0, 0x00FF, 0, 0});  // red
  record(Gdip::Wmf::kSelectObject, {0});
  record(Gdip::Wmf::kCreatePenIndirect, {5, 0, 0, 0, 0});       // no outline, slot 1
  record(Gdip::Wmf::kSelectObject, {1});
  record(Gdip::Wmf::kRectangle, {1000, 1000, 0, 0});             // bottom, right, top, left
  record(Gdip::Wmf::kDeleteObject, {0});
  record(Gdip::Wmf::kCreateBrushIndirect, {0, 0, 0x00FF, 0});    // blue, takes the freed slot 0
  record(Gdip::Wmf::kSelectObject, {0});
  record(Gdip::Wmf::kPolygon, {3, 1000, 0, 2000, 0, 2000, 1000});
  record(Gdip::Wmf::kEof, {});

  const QImage picture = Gdip::MetafileReader::Read(Gdip::AsBytes(wmf));
  ASSERT_EQ(picture.size(), QSize(96, 48));
  EXPECT_EQ(At(picture, 10, 40), 0xFFFF0000u);
  EXPECT_EQ(At(picture, 94, 2), 0xFF0000FFu);
  EXPECT_EQ(qAlpha(At(picture, 52, 45)), 0);

  // Without its end record the file is incomplete.
  EXPECT_TRUE(Gdip::MetafileReader::Read(Gdip::AsBytes(wmf.left(wmf.size() - 6))).isNull());
}

TEST(CodecMetafile, AnUndecodableBitmapRecordIsSkipped) {
  QImage picture(4, 3, QImage::Format_RGB32);
  picture.fill(0xFF336699);
  struct Case {
    QByteArray bytes;
    int bitCountOffset;  // of the bitmap record's info header
  };
  const Case cases[] = {{Gdip::MetafileWriter::EncodeEmf(picture), 108 + 80 + 14},
                        {Gdip::MetafileWriter::EncodeWmf(picture), 22 + 18 + 20 + 28 + 14}};
  for (Case c : cases) {
    ASSERT_EQ(At(Gdip::MetafileReader::Read(Gdip::AsBytes(c.bytes)), 1, 1), 0xFF336699u);
    c.bytes[c.bitCountOffset] = 7;  // no such depth
    const QImage kept = Gdip::MetafileReader::Read(Gdip::AsBytes(c.bytes));
    ASSERT_EQ(kept.size(), QSize(4, 3));
    EXPECT_EQ(qAlpha(At(kept, 1, 1)), 0);
  }
}

namespace {

// A bitmap record of a 4 x 1, 8-bit DIB that says "0 colours used" but carries two
// entries (blue, red) before its pixels (indexes 0, 1, 1, 0), drawn into that box.
void FourPixelBitmap(EmfBuilder& emf, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                     std::int32_t sourceY = 0) {
  emf.Record(Gdip::Emf::kStretchDibits, [&](LeWriter& w) {
    w.Zeros(16);                                        // bounds
    for (int v : {x, y, 0, sourceY, 4, 1}) w.I32(v);  // destination, source and its size
    w.U32(80);                                      // the info header right after the fields
    w.U32(40 + 8);
    w.U32(80 + 48);                                 // then the pixels
    w.U32(4);
    w.U32(0);
    w.U32(0x00CC0020);                              // source copy
    w.I32(cx);
    w.I32(cy);
    w.U32(40);
    w.I32(4);
    w.I32(1);
    w.U16(1);
    w.U16(8);
    w.Zeros(16);
    w.U32(0);  // colours used
    w.U32(0);
    w.U32(0x000000FF);
    w.U32(0x00FF0000);
    for (int index : {0, 1, 1, 0}) w.U8(std::uint8_t(index));
  });
}

}  // namespace

TEST(CodecMetafile, BitmapRecordTakesTheColourTableItCarries) {
  EmfBuilder emf(4, 1, 96);
  FourPixelBitmap(emf, 0, 0, 4, 1);
  const QImage picture = Gdip::MetafileReader::Read(Gdip::AsBytes(emf.Finish()));
  ASSERT_EQ(picture.size(), QSize(4, 1));
  EXPECT_EQ(At(picture, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(At(picture, 1, 0), 0xFFFF0000u);
}

// Found by fuzzing: boxes far beyond any picture overflowed whole-number arithmetic.
TEST(CodecMetafile, BitmapRecordFarOutsideThePictureIsSkipped) {
  EmfBuilder emf(4, 1, 96);
  FourPixelBitmap(emf, 0, 0, 2000000000, 1);
  FourPixelBitmap(emf, -2000000000, 0, 4, 1);
  FourPixelBitmap(emf, 0, 0, 4, 1, std::numeric_limits<std::int32_t>::min());
  const QImage picture = Gdip::MetafileReader::Read(Gdip::AsBytes(emf.Finish()));
  ASSERT_EQ(picture.size(), QSize(4, 1));
  EXPECT_EQ(qAlpha(At(picture, 1, 0)), 0);
}

TEST(CodecMetafile, PathsAreFilledAndStroked) {
  EmfBuilder emf(100, 100, 96);
  emf.Ints(Gdip::Emf::kCreateBrushIndirect, {1, 0, 0x0000FF, 0});  // red
  emf.Ints(Gdip::Emf::kSelectObject, {1});
  emf.Ints(Gdip::Emf::kCreatePen, {2, 0, 6, 0, 0xFF0000});  // blue, 6 wide
  emf.Ints(Gdip::Emf::kSelectObject, {2});
  // A closed shape of a line and a curve, filled without its outline.
  emf.Ints(Gdip::Emf::kBeginPath, {});
  emf.Ints(Gdip::Emf::kMoveToEx, {10, 10});
  emf.Ints(Gdip::Emf::kLineTo, {60, 10});
  emf.Record(Gdip::Emf::kPolyBezierTo16, [](LeWriter& w) {
    w.Zeros(16);
    w.U32(3);
    for (int v : {60, 40, 10, 40, 10, 10}) w.I16(std::int16_t(v));
  });
  emf.Ints(Gdip::Emf::kCloseFigure, {});
  emf.Ints(Gdip::Emf::kEndPath, {});
  emf.Ints(Gdip::Emf::kFillPath, {0, 0, 0, 0});
  // An open line stroked with the pen.
  emf.Ints(Gdip::Emf::kBeginPath, {});
  emf.Ints(Gdip::Emf::kMoveToEx, {10, 80});
  emf.Record(Gdip::Emf::kPolylineTo, [](LeWriter& w) {
    w.Zeros(16);
    w.U32(1);
    w.I32(90);
    w.I32(80);
  });
  emf.Ints(Gdip::Emf::kEndPath, {});
  emf.Ints(Gdip::Emf::kStrokePath, {0, 0, 0, 0});
  const QImage picture = Gdip::MetafileReader::Read(Gdip::AsBytes(emf.Finish()));
  ASSERT_EQ(picture.size(), QSize(100, 100));
  EXPECT_EQ(At(picture, 30, 15), 0xFFFF0000u);
  EXPECT_EQ(At(picture, 20, 25), 0xFFFF0000u);  // inside the curve
  EXPECT_EQ(qAlpha(At(picture, 58, 35)), 0);     // outside it
  EXPECT_EQ(At(picture, 50, 80), 0xFF0000FFu);
  EXPECT_EQ(qAlpha(At(picture, 50, 90)), 0);
}

TEST(CodecMetafile, ExtendedRecordsAloneAreRefused) {
  auto emfPlusComment = [](EmfBuilder& emf) {
    emf.Record(Gdip::Emf::kComment, [](LeWriter& w) {
      w.U32(16);
      w.U32(Gdip::Emf::kEmfPlusCommentId);
      w.Zeros(12);
    });
  };
  EmfBuilder only(10, 10, 96);
  emfPlusComment(only);
  const QByteArray onlyFile = only.Finish();
  EXPECT_TRUE(Gdip::MetafileReader::Read(Gdip::AsBytes(onlyFile)).isNull());
  TestSupport::TestFolder folder;
  EXPECT_EQ(Gdip::LoadImageWithReason(folder.Write("plus.emf", onlyFile)).Failure, Gdip::LoadFailure::NotAPicture);
  EmfBuilder huge(30000, 30000, 96);
  EXPECT_EQ(Gdip::LoadImageWithReason(folder.Write("huge.emf", huge.Finish())).Failure, Gdip::LoadFailure::TooLarge);

  EmfBuilder dual(10, 10, 96);  // the extended records with their plain twins
  emfPlusComment(dual);
  dual.Ints(Gdip::Emf::kRectangle, {0, 0, 10, 10});
  EXPECT_EQ(At(Gdip::MetafileReader::Read(Gdip::AsBytes(dual.Finish())), 5, 5), 0xFFFFFFFFu);
}

TEST(CodecMetafile, OldStyleWithoutWindowIsSizedByWhatItDraws) {
  QByteArray wmf;
  LeWriter w(wmf);
  for (int v : {1, 9, 0x300, 0, 0, 2, 0, 0, 0}) w.U16(std::uint16_t(v));
  auto record = [&](std::uint16_t function, std::initializer_list<std::int16_t> params) {
    w.U32(std::uint32_t(3 + params.size()));
    w.U16(function);
    for (auto p : params) w.I16(p);
  };
  record(Gdip::Wmf::kCreateBrushIndirect, {0, 0x00FF, 0, 0});
  record(Gdip::Wmf::kSelectObject, {0});
  record(Gdip::Wmf::kRectangle, {70, 120, 20, 40});  // bottom, right, top, left
  record(Gdip::Wmf::kEof, {});
  const QImage picture = Gdip::MetafileReader::Read(Gdip::AsBytes(wmf));
  ASSERT_EQ(picture.size(), QSize(80, 50));
  EXPECT_EQ(At(picture, 40, 25), 0xFFFF0000u);
}
