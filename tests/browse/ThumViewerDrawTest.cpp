// Drawing the sheet offscreen: where thumbnails land, what they show, captions, stars,
// frames, unreadable files, the memory cache and a folder change while drawing.
#include <array>
#include <memory>

#include <QFile>

#include <gtest/gtest.h>

#include "browse/SheetFixture.h"
#include "browse/SheetPictures.h"
#include "browse/scrollVControl.h"

namespace {

struct Picture {
  const char* extension;
  QSize size;
  QRectF fit;  // where it sits in a 100 x 100 cell
};

// Landscape, portrait (lifted 5), smaller than the cell (not enlarged), square, photo
// proportions and a tall strip, in six formats.
const std::array<Picture, 6> kPictures{{
    {"png", {200, 100}, {0, 25, 100, 50}},
    {"jpg", {80, 160}, {25, -5, 50, 100}},
    {"bmp", {40, 30}, {30, 35, 40, 30}},
    {"tif", {300, 300}, {0, 0, 100, 100}},
    {"gif", {640, 480}, {0, 12, 100, 75}},
    {"emf", {100, 400}, {37, -5, 25, 100}},
}};

QColor ColourOf(int i) { return QColor::fromHsv(i * 12, 200, 220); }

bool HasInk(const QImage& shot, const QRectF& box) {
  for (int y = int(box.top()); y < int(box.bottom()); ++y) {
    for (int x = int(box.left()); x < int(box.right()); ++x) {
      if (qGray(shot.pixel(x, y)) < 128) {
        return true;
      }
    }
  }
  return false;
}

// Thirty pictures of mixed formats and sizes, each its own colour, and one file that
// only pretends to be a JPEG.
class MixedSheet : public SheetFixture {
 protected:
  void SetUp() override {
    SheetFixture::SetUp();
    for (int i = 0; i < 30; ++i) {
      const Picture& p = kPictures[i % kPictures.size()];
      SheetPictures::Write(folder, QStringLiteral("p%1.%2").arg(i, 2, 10, QLatin1Char('0')).arg(p.extension), p.size,
                           ColourOf(i));
    }
    folder.Write("p30.jpg", QByteArray(3000, 'x'));
  }
};

}  // namespace

TEST_F(MixedSheet, EveryPictureLandsInItsCellShowingItsOwnColours) {
  sheet.Path(folder.Path());
  sheet.FileRows()[3].Review = QStringLiteral("T");
  sheet.CreateThumbnail();
  ASSERT_TRUE(WaitReady());
  ASSERT_EQ(sheet.ListCount, 31);
  EXPECT_EQ(sheet.Surface()->height(), 20 + 5 * 150 + 127 + 20);
  EXPECT_TRUE(sheet.Scroll()->Enabled());
  const QImage shot = Shot();
  shot.save(TestSupport::ArtifactsFolder() + "/thumbnail-sheet.png");
  for (int i = 0; i < 30; ++i) {
    const Picture& p = kPictures[i % kPictures.size()];
    const QPointF origin = sheet.Geometry().SlotOrigin(i);
    EXPECT_EQ(sheet.FitRect(i), p.fit) << i;
    EXPECT_EQ(sheet.HitRect(i), p.fit.translated(origin)) << i;
    const QColor seen = shot.pixelColor(sheet.HitRect(i).center().toPoint());
    EXPECT_TRUE(SheetPictures::Near(seen, ColourOf(i), 16)) << i << " " << seen.name().toStdString();
    EXPECT_TRUE(HasInk(shot, sheet.Geometry().CaptionBox(i, 0))) << i;
    EXPECT_TRUE(HasInk(shot, sheet.Geometry().CaptionBox(i, 1))) << i;
  }
  EXPECT_EQ(sheet.Caption(0, 0), "p00.png");
  EXPECT_EQ(sheet.Caption(4, 1), "640 x 480 pixels");
  // The star sits inside the lower right corner of its thumbnail.
  const QRectF starred = sheet.HitRect(3);
  EXPECT_EQ(shot.pixelColor(QPoint(int(starred.right()) - 10, int(starred.bottom()) - 10)), kStar);
  EXPECT_NE(shot.pixelColor(QPoint(int(starred.right()) - 1, int(starred.bottom()) - 1)), kStar);
  // The current row gets the grey frame when the sheet is done.
  EXPECT_EQ(shot.pixelColor(QPoint(int(sheet.HitRect(0).left()) - 2, 70)), QColor(235, 235, 235));
}

TEST_F(MixedSheet, SecondCaptionFollowsTheSortOrder) {
  Draw();
  sheet.SetThumbnaillSort(1);
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(sheet.Caption(0, 1), "BMP");
  EXPECT_EQ(sheet.Caption(sheet.ListCount - 1, 1), "TIF");
  EXPECT_EQ(sheet.Caption(5, 1), "EMF");
  sheet.SetThumbnaillSort(2);
  EXPECT_EQ(sheet.Caption(0, 1), sheet.FileRows()[0].SizeText);
}

TEST_F(MixedSheet, RedrawsAfterSearchOrFilterComeFromMemory) {
  Draw();
  sheet.SearchThumbnaillGO("", false);
  sheet.SearchThumbnaillGO("p1");
  // Nothing was decoded again, so the sheet is complete before any event is handled.
  EXPECT_TRUE(sheet.SheetReady());
  ASSERT_EQ(sheet.ListCount, 10);
  EXPECT_TRUE(SheetPictures::Near(Probe(Centre(3)), ColourOf(13), 16));
  sheet.SetImageFormats("*.bmp");
  sheet.RefreshThumbnail(false);
  EXPECT_TRUE(sheet.SheetReady());
  EXPECT_EQ(sheet.Surface()->height(), 167);  // one file shown: sized for its row, not for all ten
  EXPECT_TRUE(SheetPictures::Near(Probe(Centre(4)), ColourOf(14), 16));
}

TEST_F(MixedSheet, SavedPictureReplacesItsThumbnailAndIsNotBroughtBackFromMemory) {
  Draw();
  ClickRow(0);
  ASSERT_EQ(sheet.SelectFile, sheet.SlideFilename(0));
  QFile::remove(sheet.SelectFile);
  SheetPictures::Write(folder, "p00.png", {50, 200}, Qt::green);
  sheet.RefreshThumSave();
  EXPECT_EQ(sheet.FitRect(0), QRectF(37, -5, 25, 100));
  EXPECT_TRUE(SheetPictures::Near(Probe(Centre(0)), Qt::green));
  // The search copy of the table still holds the file as it was listed.
  sheet.SearchThumbnaillGO("p0");
  ASSERT_TRUE(WaitReady());
  EXPECT_TRUE(SheetPictures::Near(Probe(Centre(0)), Qt::green));
}

TEST_F(SheetFixture, WithoutTheImagingLayerNothingIsDrawn) {
  SheetPictures::Write(folder, "a.png", {50, 50}, Qt::red);
  ModPublic::GdiplusToken = 0;
  Draw();
  EXPECT_TRUE(sheet.HitRect(0).isEmpty());
}

namespace {

void WriteBigPictures(const TestSupport::TestFolder& folder) {
  for (int i = 0; i < 48; ++i) {
    SheetPictures::Write(folder, QStringLiteral("big%1.png").arg(i, 2, 10, QLatin1Char('0')), {1200, 900}, Qt::red);
  }
}

}  // namespace

TEST_F(SheetFixture, ASheetClosedWhileDrawingLeavesNoWorkBehind) {
  WriteBigPictures(folder);
  auto closing = std::make_unique<ThumViewer>();
  closing->resize(760, 600);
  closing->Path(folder.Path());
  closing->CreateThumbnail();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !closing->HitRect(0).isEmpty(); }, 30000));
  closing.reset();
  QTest::qWait(100);
}

TEST_F(SheetFixture, ChangingFolderWhileDrawingEndsWithTheNewFolderOnly) {
  WriteBigPictures(folder);
  TestSupport::TestFolder other;
  for (int i = 0; i < 5; ++i) {
    SheetPictures::Write(other, QStringLiteral("small%1.jpg").arg(i), {64, 48}, Qt::blue);
  }
  sheet.Path(folder.Path());
  sheet.CreateThumbnail();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !sheet.HitRect(0).isEmpty(); }, 30000));
  ASSERT_FALSE(sheet.SheetReady());
  sheet.Path(other.Path());
  sheet.CreateThumbnail();
  ASSERT_TRUE(WaitReady());
  // Let any picture of the old folder that was still in flight arrive.
  QTest::qWait(300);
  ASSERT_EQ(sheet.ListCount, 5);
  const QImage shot = Shot();
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(sheet.HitRect(i).size(), QSizeF(64, 48)) << i;
    EXPECT_TRUE(SheetPictures::Near(shot.pixelColor(Centre(i).toPoint()), Qt::blue)) << i;
  }
  EXPECT_EQ(shot.height(), 167);
}
