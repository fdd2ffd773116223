// The selection and region tools on a 600 x 400 canvas, driven by synthetic mouse events,
// for a picture shown at its own size with an offset and one shown at half its size.

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/tools/FloatingStamp.h"
#include "canvas/tools/ToolRect.h"
#include "effects/ClsSelect.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/Pasting.h"
#include "support/TestFolder.h"
#include "support/FloatingStamp.h"

namespace {

// Opaque, and no two nearby pixels alike, so a misplaced cut shows.
QImage Coded(QSize size) {
  QImage image(size, QImage::Format_ARGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      row[x] = qRgb(x * 7 % 256, y * 5 % 256, (x + 3 * y) % 256);
    }
  }
  return image;
}

QImage Argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }
QImage StampFile() { return Argb(QImage(ModGDI::StampTempPath())); }

class RegionTest : public CanvasFixture, public ::testing::WithParamInterface<QSize> {
 protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    m_canvas->resize(600, 400);
    m_original = Coded(GetParam());
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("coded.png", m_original)));
    ModqzReg::SelectionCombineMode = 1;
    m_canvas->SetMax(255);
  }
  void TearDown() override {
    ModqzReg::SelectionCombineMode = 4;
    SharedSelectionPoints() = SelectionPoints{};
    CanvasFixture::TearDown();
  }
  void Arm(int mode) {
    m_canvas->SetEffect(mode);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
  }
  // A rectangle given in picture pixels, dragged on the canvas.
  void Select(int mode, const QRect& inPicture) {
    Arm(mode);
    m_canvas->CleanCroprect();
    const QRectF c = ToCanvas(inPicture);
    Drag(c.topLeft(), c.bottomRight());
  }
  QRectF ToCanvas(const QRectF& inPicture) const {
    return ToolRect::ToCanvas(inPicture, m_canvas->FitRect(), QSizeF(m_original.size()));
  }
  QImage Shown() const { return Argb(m_canvas->ImgDIB.DIB()->Image()); }
  double Scale() const { return m_original.width() / m_canvas->FitRect().width(); }
  // A picture rectangle whose corners are whole canvas pixels in both set-ups.
  QRect Area() const {
    const int s = int(Scale());
    return {20 * s, 10 * s, 60 * s, 40 * s};
  }

  QImage m_original;
};

INSTANTIATE_TEST_SUITE_P(OffsetAndHalfSize, RegionTest, ::testing::Values(QSize(400, 300), QSize(1000, 800)));

}  // namespace

TEST_P(RegionTest, ApplyingARectangleHandsOverExactlyItsPixels) {
  ASSERT_EQ(Scale(), GetParam().width() == 400 ? 1.0 : 2.0);
  Select(17, Area());
  EXPECT_EQ(m_canvas->HitRectangles().Handles[0], ToCanvas(Area()));
  ClickBarButton(1);
  EXPECT_EQ(m_events.stampsHandedOver, 1);
  EXPECT_EQ(StampFile(), m_original.copy(Area()));
  EXPECT_EQ(m_canvas->StampRect(), QRectF(Area()));
  EXPECT_TRUE(m_canvas->StampRectPending());
  // The floating frame is the selection where it was shown.
  EXPECT_EQ(m_canvas->HitRectangles().Handles[0], ToCanvas(Area()));
}

TEST_P(RegionTest, AnEllipseCutsItsInsideAndTheOutsideSenseTheWholeRest) {
  Select(42, Area());
  ClickBarButton(1);
  QImage stamp = StampFile();
  ASSERT_EQ(stamp.size(), Area().size());
  const QPoint centre = Area().center() - Area().topLeft();
  EXPECT_EQ(stamp.pixel(centre), m_original.pixel(Area().center()));
  EXPECT_EQ(qAlpha(stamp.pixel(0, 0)), 0);

  ModqzReg::SelectionCombineMode = 4;
  Select(42, Area());
  ClickBarButton(1);
  stamp = StampFile();
  ASSERT_EQ(stamp.size(), m_original.size());
  EXPECT_EQ(qAlpha(stamp.pixel(Area().center())), 0);
  EXPECT_EQ(stamp.pixel(0, 0), m_original.pixel(0, 0));
  EXPECT_EQ(m_canvas->StampRect(), QRectF(QPointF(0, 0), QSizeF(m_original.size())));
  EXPECT_EQ(m_canvas->HitRectangles().Handles[0], m_canvas->FitRect());
}

TEST_P(RegionTest, APolygonCopiedThenAppliedCutsTheSameArea) {
  Arm(41);
  const QRectF c = ToCanvas(Area());
  const QPointF corners[3] = {c.topLeft(), c.topRight(), c.bottomLeft()};
  for (const QPointF& at : corners) {
    Click(at);
  }
  Click(c.center(), Qt::RightButton);
  m_canvas->DrawtoClipboard();
  const QImage copied = StampFile();
  ASSERT_FALSE(copied.isNull());
  // The outline is still where it was drawn.
  EXPECT_EQ(SharedSelectionPoints().SelectPoints[1], c.topRight());
  ClickBarButton(1);
  EXPECT_EQ(StampFile(), copied);
  EXPECT_EQ(m_events.stampsHandedOver, 1);
  EXPECT_EQ(m_canvas->StampRect(), QRectF(Area()));
  EXPECT_EQ(qAlpha(copied.pixel(2, 2)), 255);
  EXPECT_EQ(qAlpha(copied.pixel(copied.width() - 3, copied.height() - 3)), 0);
}

TEST_P(RegionTest, DeletingLeavesAHoleAndSwitchesTheSenseTwoDeletesRestoreIt) {
  Select(17, Area());
  m_canvas->CallDrawDeleteSelect();
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 4);
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  QImage expected = m_original;
  for (int y = Area().top(); y <= Area().bottom(); ++y) {
    for (int x = Area().left(); x <= Area().right(); ++x) {
      expected.setPixel(x, y, 0);
    }
  }
  const QImage holed = Shown();
  EXPECT_EQ(holed, expected);

  // Now the outside is selected: deleting again keeps only the rectangle (still empty).
  Select(17, QRect(Area().topLeft() - QPoint(2, 2) * int(Scale()), Area().size() + QSize(4, 4) * int(Scale())));
  m_canvas->CallDrawDeleteSelect();
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 1);
  const QImage kept = Shown();
  EXPECT_EQ(qAlpha(kept.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(kept.pixel(Area().center())), 0);
  const QPoint rim = Area().topLeft() - QPoint(1, 1);
  EXPECT_EQ(kept.pixel(rim), m_original.pixel(rim));
}

TEST_P(RegionTest, NothingSelectedOrNoPictureChangesNothing) {
  Arm(17);
  m_canvas->CallDrawDeleteSelect();
  EXPECT_EQ(ModqzReg::SelectionCombineMode, 1);
  EXPECT_EQ(m_canvas->Effect(), 17);
  EXPECT_EQ(m_canvas->UndoIndex(), 0);
  // A cut that writes nothing leaves no old stamp behind to be handed over.
  QDir().mkpath(QFileInfo(ModGDI::StampTempPath()).absolutePath());
  QFile old(ModGDI::StampTempPath());
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old");
  old.close();
  ClickBarButton(1);
  EXPECT_FALSE(QFile::exists(ModGDI::StampTempPath()));
  EXPECT_EQ(m_events.stampsHandedOver, 0);

  Imageqzviewer empty;
  empty.CallDrawDeleteSelect();
  empty.DrawtoClipboard();
  empty.CreateStampfromClipboard();
  empty.EditingStampLib();
  EXPECT_EQ(empty.Effect(), 0);
  EXPECT_EQ(m_events.stampsHandedOver, 0);
}

TEST_P(RegionTest, CropTakesTheIntersectionWithThePictureAndAnEmptyOneNothing) {
  const int s = int(Scale());
  const QRect over(m_original.width() - 30 * s, 10 * s, 50 * s, 30 * s);
  Select(1, over);
  ClickBarButton(1);
  EXPECT_EQ(Shown(), m_original.copy(over & m_original.rect()));

  const QImage cropped = Shown();
  const int index = m_canvas->UndoIndex();
  Arm(1);
  Click(m_canvas->FitRect().center());
  ClickBarButton(1);
  EXPECT_EQ(m_canvas->UndoIndex(), index);
  EXPECT_EQ(Shown(), cropped);
}

TEST_P(RegionTest, CardAndColourTintWhereTheyPreviewed) {
  Select(5, Area());
  m_canvas->SetValue(100);
  ClickBarButton(1);
  QImage card = Shown();
  EXPECT_EQ(card.pixel(Area().center()), m_original.pixel(Area().center()));
  const QPoint outside = Area().topLeft() - QPoint(2, 2);
  EXPECT_NEAR(qRed(card.pixel(outside)), qRed(m_original.pixel(outside)) * 155 / 255, 1);

  Arm(6);
  m_canvas->SetValue(40);
  ClickBarButton(1);
  QImage expected = card;
  QPainter(&expected).fillRect(expected.rect(), QColor(0, 0, 0, 40));
  EXPECT_EQ(Shown(), expected);
}

TEST_P(RegionTest, AFillLandsInTheRectanglesPicturePixels) {
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Single");
  m_canvas->SetValue(0);
  Select(20, Area());
  ClickBarButton(1);
  const QImage filled = Shown();
  const QRect inner = Area().adjusted(2, 2, -2, -2);
  EXPECT_EQ(filled.pixel(inner.topLeft()), qRgb(0, 0, 0));
  EXPECT_EQ(filled.pixel(inner.bottomRight()), qRgb(0, 0, 0));
  const QPoint outside = Area().topLeft() - QPoint(3, 3);
  EXPECT_EQ(filled.pixel(outside), m_original.pixel(outside));
  const QPoint right = Area().topRight() + QPoint(3, 0);
  EXPECT_EQ(filled.pixel(right), m_original.pixel(right));
}

TEST_P(RegionTest, CopyGivesThePictureWithoutASelectionAndTheRectangleWithOne) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  for (const int sense : {1, 4}) {
    SCOPED_TRACE(sense);
    ModqzReg::SelectionCombineMode = sense;
    clipboard->clear();
    m_canvas->DrawtoClipboard();
    EXPECT_EQ(Argb(clipboard->image()), m_original);
  }
  ModqzReg::SelectionCombineMode = 1;
  Select(17, Area());
  m_canvas->DrawtoClipboard();
  EXPECT_EQ(Argb(clipboard->image()), m_original.copy(Area()));
  // The selection stays and can still be applied.
  EXPECT_EQ(m_canvas->HitRectangles().Handles[0], ToCanvas(Area()));

  const QImage pasted = Coded(QSize(30, 20)).mirrored(true, false);
  clipboard->setImage(pasted);
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  m_canvas->CreateStampfromClipboard();
  EXPECT_EQ(m_canvas->Effect(), 38);
  ASSERT_EQ(m_events.stampsHandedOver, 1);
  // The stamp file is written in the background.
  m_canvas->WaitForStampFiles();
  EXPECT_EQ(StampFile(), pasted);
}

TEST_P(RegionTest, HandleDragsFollowThePointerOnceAndEditingALibraryStampSelectsAll) {
  Select(17, Area());
  const QRectF c = ToCanvas(Area());
  const QPointF grip = c.bottomRight() + QPointF(3, 3);
  MoveMouse(grip);
  ASSERT_TRUE(m_canvas->Hit().HandleHit);
  EXPECT_EQ(m_canvas->Hit().HandleIndex, 5);
  Button(grip, Qt::LeftButton, QEvent::MouseButtonPress);
  MoveMouse(grip + QPointF(20, 10), Qt::LeftButton);
  m_canvas->Painting();
  m_canvas->Painting();
  Button(grip + QPointF(20, 10), Qt::LeftButton, QEvent::MouseButtonRelease);
  m_canvas->Painting();
  EXPECT_EQ(m_canvas->HitRectangles().Handles[0], c.adjusted(0, 0, 20, 10));

  m_canvas->EditingStampLib();
  EXPECT_EQ(m_canvas->Effect(), 17);
  EXPECT_EQ(StampFile(), m_original);
  EXPECT_EQ(m_canvas->StampRect(), QRectF(QPointF(0, 0), QSizeF(m_original.size())));
}

TEST_P(RegionTest, PicturesOfTheOverlaysForAPersonToLookAt) {
  if (GetParam().width() != 400) {
    GTEST_SKIP() << "one set of pictures is enough";
  }
  const QString folder = TestSupport::ArtifactsFolder();
  const QRect area(60, 50, 200, 150);
  Select(17, area);
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-region-rectangle.png"));
  Select(42, area);
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-region-ellipse.png"));
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Radial");
  m_canvas->SetValue(60);
  Select(19, area);
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-region-radial-fill.png"));

  // A red dot for the red-eye preview to darken, with the magnifier in the corner.
  QImage eye = m_original;
  {
    QPainter p(&eye);
    p.setBrush(QColor(220, 20, 20));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(150, 120), 25, 25);
  }
  ASSERT_TRUE(m_canvas->Open(Picture("eye.png", eye)));
  m_canvas->SetMax(300);
  m_canvas->SetValue(100);
  Select(9, QRect(110, 80, 80, 80));
  const QImage shown = m_canvas->BackBuffer();
  const QPointF dot = ToCanvas(QRectF(150, 120, 0, 0)).topLeft();
  EXPECT_LT(qRed(shown.pixel(dot.toPoint())), 150);
  EXPECT_TRUE(shown.save(folder + "/canvas-region-redeye.png"));
}

namespace {

void FloatStamp(Imageqzviewer& canvas, bool defSize) {
  TestSupport::FloatStamp(canvas, ModGDI::StampTempPath(), defSize);
}

QString StampSnapshot(int position) {
  return QFileInfo(Imageqzviewer::UndoFilePath(0)).path() + QStringLiteral("/StampUndo%1.sudo").arg(position);
}

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST_P(RegionTest, AFloatingStampStartsItsHistoryFromTheStampFile) {
  Select(17, Area());
  ClickBarButton(1);
  QFile stale(StampSnapshot(7));
  ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
  stale.close();
  FloatStamp(*m_canvas, false);
  EXPECT_EQ(Bytes(StampSnapshot(0)), Bytes(ModGDI::StampTempPath()));
  EXPECT_FALSE(QFile::exists(StampSnapshot(7)));
  EXPECT_EQ(m_canvas->StampCanvas(), m_original.copy(Area()));
  // Shown where the selection was cut, handles round it.
  EXPECT_EQ(m_canvas->StampFrame(), ToCanvas(Area()));
  EXPECT_EQ(m_canvas->HitRectangles().Handles[1].center(), ToCanvas(Area()).topLeft());
  // Nothing to undo at position 0, nothing to redo at the newest.
  m_canvas->UndoStampRedo(true);
  m_canvas->UndoStampRedo(false);
  EXPECT_EQ(m_canvas->StampUndoIndex(), 0);
  EXPECT_EQ(m_canvas->StampCanvas(), m_original.copy(Area()));

  // With its own size it lies at the picture's origin, one stamp pixel to a picture pixel.
  FloatStamp(*m_canvas, true);
  EXPECT_EQ(m_canvas->StampFrame(), ToCanvas(QRectF(QPointF(0, 0), QSizeF(Area().size()))));
  EXPECT_EQ(m_canvas->StampRect(), QRectF(QPointF(0, 0), QSizeF(Area().size())));
  // A file with no picture leaves no stamp.
  EXPECT_FALSE(m_canvas->CreateStampImg(m_folder.File(QStringLiteral("none.png")), true, false));
  EXPECT_TRUE(m_canvas->StampCanvas().isNull());
}

TEST_P(RegionTest, TheBurntInStampLandsWhereItIsShown) {
  const int s = int(Scale());
  Select(17, Area());
  ClickBarButton(1);
  FloatStamp(*m_canvas, false);
  ClickBarButton(1);
  EXPECT_EQ(Shown(), m_original);
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_TRUE(m_canvas->StampCanvas().isNull());

  // Moved by 10 canvas pixels, it lands 10 x s picture pixels over.
  Select(17, Area());
  ClickBarButton(1);
  FloatStamp(*m_canvas, false);
  const QPointF centre = ToCanvas(Area()).center();
  Drag(centre, centre + QPointF(10, 0));
  EXPECT_EQ(m_canvas->StampRect(), QRectF(Area().translated(10 * s, 0)));
  ClickBarButton(1);
  EXPECT_EQ(Shown().copy(Area().translated(10 * s, 0)), m_original.copy(Area()));
  EXPECT_EQ(Shown().pixel(Area().topLeft()), m_original.pixel(Area().topLeft()));
  // One undo step brings back the picture before.
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(Shown(), m_original);
}

TEST_P(RegionTest, APastedStampFloatsAtThePicturesOrigin) {
  const QImage pasted = Coded(QSize(30, 20)).mirrored(true, false);
  QGuiApplication::clipboard()->setImage(pasted);
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  m_canvas->CreateStampfromClipboard();
  FloatStamp(*m_canvas, false);
  ClickBarButton(1);
  EXPECT_EQ(Shown().copy(0, 0, 30, 20), pasted);
}

TEST(FloatingStamp, IsShownAndBurntInAtOneMinusTheValue) {
  EXPECT_DOUBLE_EQ(FloatingStamp::Opacity(0), 1.0);
  EXPECT_DOUBLE_EQ(FloatingStamp::Opacity(37), 0.6);
  QImage picture(4, 4, QImage::Format_ARGB32);
  picture.fill(qRgb(0, 0, 0));
  QImage stamp(2, 2, QImage::Format_ARGB32);
  stamp.fill(qRgb(200, 200, 200));
  const QImage burnt = FloatingStamp::BurnIn(picture, stamp, QRectF(1, 1, 2, 2), 50);
  EXPECT_NEAR(qRed(burnt.pixel(1, 1)), 100, 1);
  EXPECT_EQ(burnt.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_TRUE(FloatingStamp::BurnIn(picture, QImage(), QRectF(1, 1, 2, 2), 0).isNull());
}
