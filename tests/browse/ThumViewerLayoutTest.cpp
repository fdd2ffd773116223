// The sheet's layout as the pane changes: a pane narrower than a cell, a pane widened
// and narrowed again, and a scroll bar at its end.
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include "browse/SheetFixture.h"
#include "browse/SheetPictures.h"
#include "browse/scrollVControl.h"

namespace {

class LaidOutSheet : public SheetFixture {
 protected:
  void WritePictures(int count) {
    for (int i = 0; i < count; ++i) {
      SheetPictures::Write(folder, QStringLiteral("f%1.png").arg(i, 3, 10, QLatin1Char('0')), {40, 30},
                           QColor::fromHsv(i * 7 % 360, 200, 220));
    }
  }
  void Resize(int width) {
    sheet.resize(width, sheet.height());
    QApplication::processEvents();
  }
  // Every drawn thumbnail lies inside the surface, left to right.
  void ExpectAllInside() {
    for (int row = 0; row < sheet.ListCount; ++row) {
      const QRectF hit = sheet.HitRect(row);
      EXPECT_FALSE(hit.isEmpty()) << row;
      EXPECT_LE(hit.right(), sheet.Surface()->width()) << row;
    }
  }
};

}  // namespace

TEST_F(LaidOutSheet, AFolderPickedInAPaneNarrowerThanACellFillsOneThumbnailARow) {
  WritePictures(5);
  Resize(110);
  Draw();
  EXPECT_EQ(sheet.Geometry().PerRow(), 1);
  EXPECT_EQ(sheet.Surface()->height(), sheet.Geometry().SurfaceHeight(5));
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(sheet.HitRect(row).topLeft(), QPointF(35, 20 + 150 * row + 35)) << row;
  }
  ClickRow(3);
  EXPECT_EQ(selected.Files(), Paths({3}));
}

TEST_F(LaidOutSheet, WideningAndNarrowingReflowsWithoutDecodingAndKeepsSelectionAndView) {
  WritePictures(60);
  sheet.resize(3 * 120 + 30, 300);
  Draw();
  ASSERT_EQ(sheet.Geometry().PerRow(), 3);
  const int decoded = sheet.Loader().Decodes();
  ClickRow(31);
  // Row 30 (line 10) at the top of the view.
  sheet.Scroll()->SetValue(10 * 150);
  ASSERT_EQ(sheet.Surface()->y(), -1500);

  Resize(8 * 120 + 30);
  EXPECT_EQ(sheet.Geometry().PerRow(), 8);
  EXPECT_EQ(sheet.Loader().Decodes(), decoded);
  EXPECT_TRUE(sheet.SheetReady());
  ExpectAllInside();
  EXPECT_EQ(sheet.Surface()->height(), sheet.Geometry().SurfaceHeight(60));
  EXPECT_EQ(selected.Files(), Paths({31}));
  EXPECT_TRUE(sheet.FileRows()[31].Selected);
  // Row 30 is now on line 3, which the view shows at its top.
  EXPECT_EQ(sheet.Surface()->y(), -3 * 150);
  EXPECT_EQ(sheet.Scroll()->Value(), 3 * 150);
  const QImage wide = Shot();
  wide.save(TestSupport::ArtifactsFolder() + "/sheet-widened.png");
  EXPECT_TRUE(SheetPictures::Near(wide.pixelColor(Centre(59).toPoint()), QColor::fromHsv(59 * 7 % 360, 200, 220), 16));

  Resize(2 * 120 + 30);
  EXPECT_EQ(sheet.Geometry().PerRow(), 2);
  EXPECT_EQ(sheet.Loader().Decodes(), decoded);
  ExpectAllInside();
  EXPECT_EQ(sheet.Scroll()->Value(), 12 * 150);
  // A click lands on the thumbnail drawn where it now is.
  ClickRow(45);
  EXPECT_EQ(selected.Files(), Paths({45}));
}

TEST_F(LaidOutSheet, AScrollBarAtItsEndShowsTheLastRowAtTheBottom) {
  WritePictures(40);
  sheet.resize(760, 400);
  Draw();
  sheet.Scroll()->SetValue(sheet.Scroll()->Max());
  QApplication::processEvents();
  const double viewBottom = sheet.height() - sheet.Surface()->y();
  const QRectF lastCaption = sheet.Geometry().CaptionBox(39, 1);
  EXPECT_LE(lastCaption.bottom(), viewBottom);
  EXPECT_EQ(viewBottom - lastCaption.bottom(), SheetGeometry::BottomMargin);
}

TEST_F(LaidOutSheet, PicturesFarFromTheViewAreLetGoWithinTheBudgetAndComeBackInView) {
  WritePictures(120);
  const qint64 picture = 40 * 30 * 4;
  // Room for five rows of six.
  sheet.SetMemoryBudget(30 * picture);
  sheet.resize(760, 300);
  Draw();
  EXPECT_LE(sheet.HeldBytes(), 30 * picture);
  EXPECT_TRUE(sheet.HoldsPicture(0));
  // Which far pictures are let go depends on the order the decoders finish in; the
  // last ones to arrive may still be held.
  int letGo = 119;
  while (letGo > 0 && sheet.HoldsPicture(letGo)) {
    --letGo;
  }
  ASSERT_GT(letGo, 30);
  // A picture let go keeps its place, caption and hit rectangle.
  EXPECT_EQ(sheet.Caption(letGo, 1), "40 x 30 pixels");
  EXPECT_FALSE(sheet.HitRect(letGo).isEmpty());

  sheet.Scroll()->SetValue(sheet.Scroll()->Max());
  ASSERT_TRUE(QTest::qWaitFor([this] { return sheet.HoldsPicture(119); }, 30000));
  ASSERT_TRUE(WaitReady());
  EXPECT_LE(sheet.HeldBytes(), 30 * picture);
  EXPECT_FALSE(sheet.HoldsPicture(0));
  const QImage shot = Shot();
  for (const int row : {114, 119}) {
    EXPECT_TRUE(SheetPictures::Near(shot.pixelColor(Centre(row).toPoint()), QColor::fromHsv(row * 7 % 360, 200, 220), 16))
        << row;
  }
  sheet.Scroll()->SetValue(0);
  ASSERT_TRUE(QTest::qWaitFor([this] { return sheet.HoldsPicture(0); }, 30000));
  EXPECT_LE(sheet.HeldBytes(), 30 * picture);
}
