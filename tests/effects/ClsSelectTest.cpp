#include "effects/ClsSelect.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "EffectsTestImages.h"
#include "foundation/DIBsave.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestFolder.h"

using namespace EffectsTest;

namespace {

constexpr Bgra kClear{0, 0, 0, 0};

// A selection over a 40 x 30 pattern picture, with the stamp file in a temporary folder.
class ClsSelectTest : public ::testing::Test {
 protected:
  ClsSelectTest() : m_previous(ModPublic::ProgramFolder()) { ModPublic::SetProgramFolder(m_folder.Path()); }
  ~ClsSelectTest() override { ModPublic::SetProgramFolder(m_previous); }

  // Sets the polygon as the canvas does: points in canvas coordinates and their bounds.
  void SetPolygon(std::initializer_list<QPointF> points) {
    m_points.SelectPoints.assign(points);
    m_points.SelectPointCount = int(points.size());
    QPointF low = *points.begin();
    QPointF high = low;
    for (const QPointF& p : points) {
      low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
      high = QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
    }
    m_points.SelectPoints2[0] = high;
    m_points.SelectPoints2[1] = low;
  }

  // Cuts the polygon (canvas offset 5, 7 and scale 1) and reads the stamp file back.
  QImage CutPolygon(int mode, bool clone) {
    m_select.SetPattenMode(mode);
    m_select.SetClone(clone);
    EXPECT_TRUE(m_select.FreeSelect(m_canvas, 0, 0, 0, 0, m_picture.get(), 40, 30, false, false, 5, 7, 1, 1, true, 0));
    return QImage(ModGDI::StampTempPath(), "PNG").convertToFormat(QImage::Format_ARGB32);
  }

  Bgra Picture(int x, int y) const { return PixelAt(m_picture->Image(), x, y); }

  TestSupport::TestFolder m_folder;
  QString m_previous;
  SelectionPoints m_points;
  ClsSelect m_select{m_points};
  QImage m_canvas = Filled(80, 60, {20, 40, 60, 255});
  std::unique_ptr<Gdip::Bitmap> m_picture = Gdip::Bitmap::FromImage(Pattern(40, 30), Gdip::PixelFormat32bppARGB);
};


}  // namespace

class TriangleCut : public ClsSelectTest {
 protected:
  TriangleCut() { SetPolygon({{15, 12}, {35, 12}, {15, 32}}); }
};

TEST_F(TriangleCut, InsideWithoutCloneIsTheBoxWithTheTriangleOnly) {
  const QImage stamp = CutPolygon(4, false);
  ASSERT_EQ(stamp.size(), QSize(20, 20));
  EXPECT_EQ(PixelAt(stamp, 2, 2), Picture(12, 7));
  EXPECT_EQ(PixelAt(stamp, 18, 18), kClear);
  EXPECT_EQ(stamp, m_select.Mimg()->new_Img->Image());
  // The canvas reads the points back in picture pixels.
  EXPECT_EQ(m_points.SelectPoints[0], QPointF(10, 5));
  EXPECT_EQ(m_points.SelectPoints2[0], QPointF(30, 25));
}

TEST_F(TriangleCut, InsideWithCloneKeepsTheContentInPlace) {
  const QImage stamp = CutPolygon(4, true);
  ASSERT_EQ(stamp.size(), QSize(40, 30));
  EXPECT_EQ(PixelAt(stamp, 12, 7), Picture(12, 7));
  EXPECT_EQ(PixelAt(stamp, 28, 23), kClear);
  EXPECT_EQ(PixelAt(stamp, 0, 0), kClear);
}

TEST_F(TriangleCut, OutsideIsThePictureWithATransparentTriangle) {
  const QImage stamp = CutPolygon(5, false);
  ASSERT_EQ(stamp.size(), QSize(40, 30));
  EXPECT_EQ(PixelAt(stamp, 12, 7), kClear);
  EXPECT_EQ(PixelAt(stamp, 28, 23), Picture(28, 23));
  EXPECT_EQ(PixelAt(stamp, 39, 29), Picture(39, 29));
}

TEST_F(TriangleCut, CuttingTwiceGivesTheSameStampAndPoints) {
  const QImage first = CutPolygon(4, false);
  const std::vector<QPointF> points = m_points.SelectPoints;
  const QImage second = CutPolygon(4, false);
  EXPECT_EQ(first, second);
  EXPECT_EQ(m_points.SelectPoints, points);
  // A new selection set by the canvas is taken as it is.
  SetPolygon({{5, 7}, {15, 7}, {5, 17}});
  EXPECT_EQ(CutPolygon(4, false).size(), QSize(10, 10));
  EXPECT_EQ(m_points.SelectPoints[0], QPointF(0, 0));
}

TEST_F(ClsSelectTest, ASelfIntersectingPolygonLeavesAHole) {
  // A bow tie crossing at (20, 15) keeps its two lobes; a pentagram loses its centre
  // under the alternate rule.
  SetPolygon({{5, 7}, {45, 37}, {45, 7}, {5, 37}});
  const QImage bow = CutPolygon(4, true);
  EXPECT_EQ(PixelAt(bow, 20, 5), kClear);
  EXPECT_EQ(PixelAt(bow, 5, 15), Picture(5, 15));
  EXPECT_EQ(PixelAt(bow, 35, 15), Picture(35, 15));
  SetPolygon({{25, 8}, {33, 35}, {10, 18}, {40, 18}, {17, 35}});
  const QImage star = CutPolygon(4, true);
  EXPECT_EQ(PixelAt(star, 20, 16), kClear);
  EXPECT_EQ(PixelAt(star, 20, 5), Picture(20, 5));
}

TEST_F(ClsSelectTest, ABoxReachingOutsideKeepsThePartInside) {
  SetPolygon({{35, 17}, {65, 17}, {65, 27}, {35, 27}});
  const QImage stamp = CutPolygon(4, false);
  ASSERT_EQ(stamp.size(), QSize(30, 10));
  EXPECT_EQ(PixelAt(stamp, 0, 0), Picture(30, 10));
  EXPECT_EQ(PixelAt(stamp, 9, 9), Picture(39, 19));
  EXPECT_EQ(PixelAt(stamp, 10, 0), kClear);
}

TEST_F(ClsSelectTest, RectangleAndEllipseFrames) {
  m_select.SetPattenMode(4);
  ASSERT_TRUE(m_select.OtherSelect(m_canvas, 2, 3.4f, 4.6f, 10.5f, 6, m_picture.get(), 40, 30, false, true));
  QImage stamp(ModGDI::StampTempPath(), "PNG");
  stamp = stamp.convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(stamp.size(), QSize(10, 6));
  EXPECT_EQ(stamp, m_picture->Image().copy(3, 5, 10, 6));
  ASSERT_TRUE(m_select.OtherSelect(m_canvas, 1, 0, 0, 40, 30, m_picture.get(), 40, 30, false, true));
  const QImage ellipse = m_select.Mimg()->new_Img->Image();
  EXPECT_EQ(PixelAt(ellipse, 0, 0), kClear);
  EXPECT_EQ(PixelAt(ellipse, 20, 15), Picture(20, 15));
  // Nothing to cut from: no stamp, and no fault.
  EXPECT_FALSE(m_select.OtherSelect(m_canvas, 2, 0, 0, 10, 10, nullptr, 40, 30, false, true));
  EXPECT_EQ(m_select.Mimg()->new_Img, nullptr);
  m_select.Destory();
  EXPECT_EQ(m_select.Mimg(), nullptr);
}

TEST_F(ClsSelectTest, ALargeCutInBandsKeepsEveryRowAndReadsOpaquePicturesInPlace) {
  // Tall enough to be cut in several bands, odd on both sides; an ellipse crossing
  // every band and both sides of the frame.
  const QImage pattern = Pattern(301, 517);
  const auto straight = Gdip::Bitmap::FromImage(pattern, Gdip::PixelFormat32bppARGB);
  const auto opaque =
      Gdip::Bitmap::FromImage(pattern.convertToFormat(QImage::Format_RGB32), Gdip::PixelFormat32bppRGB);
  m_select.SetPattenMode(5);
  m_select.SetWritesStampFile(false);
  QFile::remove(ModGDI::StampTempPath());
  ASSERT_TRUE(m_select.OtherSelect(m_canvas, 1, -20.5f, 3, 250, 530, straight.get(), 301, 517, false, true));
  const QImage fromStraight = m_select.Mimg()->new_Img->Image();
  EXPECT_FALSE(QFile::exists(ModGDI::StampTempPath())) << "a cut kept by the canvas writes no stamp";
  ASSERT_TRUE(m_select.OtherSelect(m_canvas, 1, -20.5f, 3, 250, 530, opaque.get(), 301, 517, false, true));
  EXPECT_EQ(m_select.Mimg()->new_Img->Image(), fromStraight) << "an opaque picture cuts to the same pixels";

  // Outside the ellipse, the picture; inside it, transparent black, row by row.
  const QPointF centre(-20.5 + 125, 3 + 265);
  for (int y = 0; y < 517; ++y) {
    for (int x = 0; x < 301; ++x) {
      const double dx = (x + 0.5 - centre.x()) / 125;
      const double dy = (y + 0.5 - centre.y()) / 265;
      const double r = dx * dx + dy * dy;
      if (r < 0.97) {
        ASSERT_EQ(PixelAt(fromStraight, x, y), kClear) << x << ", " << y;
      } else if (r > 1.03) {
        ASSERT_EQ(PixelAt(fromStraight, x, y), PixelAt(pattern, x, y)) << x << ", " << y;
      }
    }
  }
  m_select.SetWritesStampFile(true);
  ASSERT_TRUE(m_select.OtherSelect(m_canvas, 1, -20.5f, 3, 250, 530, straight.get(), 301, 517, false, true));
  EXPECT_TRUE(QFile::exists(ModGDI::StampTempPath()));
}

TEST_F(ClsSelectTest, OutlineGrowsTheBoundsAndDrawsTheRubberBand) {
  SetPolygon({{10, 10}, {30, 10}});
  m_points.SelectPoints2[0] = QPointF(0, 0);
  m_select.FreeSelect(m_canvas, 30, 40, 50, 40, nullptr, 0, 0, true, false, 0, 0, 1, 1, false, 0);
  EXPECT_EQ(m_select.MinX(), 10);
  EXPECT_EQ(m_select.MinY(), 10);
  EXPECT_EQ(m_select.MaxX(), 30);
  EXPECT_EQ(m_select.MaxY(), 40);
  // The pen is the inverted pixel under the pointer with red and blue exchanged.
  EXPECT_EQ(PixelAt(m_canvas, 40, 40), (Bgra{255 - 60, 255 - 40, 255 - 20, 255}));
  EXPECT_EQ(PixelAt(m_canvas, 20, 10), (Bgra{255 - 60, 255 - 40, 255 - 20, 255}));
  EXPECT_EQ(PixelAt(m_canvas, 20, 25), (Bgra{20, 40, 60, 255}));
}
