// Editing the floating stamp on a 600 x 400 canvas, driven by synthetic mouse events, for
// a picture shown at its own size with an offset and one shown at half its size: the
// brushes, the filters and flips, sizing with Shift, and the stamp burnt in sized up.

#include <cmath>

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/tools/StampEdits.h"
#include "effects/ClsSelect.h"
#include "platform/gdiplus/Bitmap.h"
#include "canvas/tools/ToolRect.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "platform/forms/MsgBox.h"
#include "support/TestFolder.h"
#include "support/FloatingStamp.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

// Opaque, no two nearby pixels alike, with a flat red block the burn-in test cuts.
QImage Coded(QSize size, const QRect& block) {
  QImage image(size, QImage::Format_ARGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      row[x] = qRgb(40 + x * 7 % 180, 40 + y * 5 % 180, 40 + (x + 3 * y) % 180);
    }
  }
  QPainter(&image).fillRect(block, QColor(250, 10, 10));
  return image;
}

QImage Argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

// Equal up to the rounding of a trip from picture to canvas pixels and back.
void ExpectNear(const QRectF& actual, const QRectF& expected) {
  EXPECT_NEAR(actual.x(), expected.x(), 0.01) << "left";
  EXPECT_NEAR(actual.y(), expected.y(), 0.01) << "top";
  EXPECT_NEAR(actual.width(), expected.width(), 0.01) << "width";
  EXPECT_NEAR(actual.height(), expected.height(), 0.01) << "height";
}

// The largest distance of a changed pixel from the segment a to b (stamp pixels); -1
// when nothing changed.
double FarthestChange(const QImage& before, const QImage& after, QPointF a, QPointF b) {
  double farthest = -1;
  for (int y = 0; y < before.height(); ++y) {
    for (int x = 0; x < before.width(); ++x) {
      if (before.pixel(x, y) == after.pixel(x, y)) {
        continue;
      }
      const QPointF p(x, y);
      const QPointF ab = b - a;
      const double len2 = QPointF::dotProduct(ab, ab);
      const double t = len2 == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, ab) / len2, 0.0, 1.0);
      const QPointF d = p - (a + t * ab);
      farthest = std::max(farthest, std::hypot(d.x(), d.y()));
    }
  }
  return farthest;
}

class StampEditTest : public CanvasFixture, public ::testing::WithParamInterface<QSize> {
 protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    m_canvas->resize(600, 400);
    m_original = Coded(GetParam(), Area());
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("coded.png", m_original)));
    ModqzReg::SelectionCombineMode = 1;
    ModPublic::CurrentToolKey.clear();
  }
  void TearDown() override {
    ModqzReg::SelectionCombineMode = 4;
    SharedSelectionPoints() = SelectionPoints{};
    CanvasFixture::TearDown();
  }
  int Scale() const { return GetParam().width() == 400 ? 1 : 2; }
  // A picture rectangle whose corners are whole canvas pixels in both set-ups.
  QRect Area() const { return {20 * Scale(), 10 * Scale(), 60 * Scale(), 40 * Scale()}; }
  QRectF ToCanvas(const QRectF& inPicture) const {
    return ToolRect::ToCanvas(inPicture, m_canvas->FitRect(), QSizeF(m_original.size()));
  }
  QImage Shown() const { return Argb(m_canvas->ImgDIB.DIB()->Image()); }
  // Moved 20 right and 10 down, then sized 30 and 20 larger, on the canvas.
  void MoveAndSize() {
    const QRectF frame = m_canvas->StampFrame();
    Drag(frame.center(), frame.center() + QPointF(20, 10));
    const QRectF moved = m_canvas->StampFrame();
    Drag(moved.bottomRight(), moved.bottomRight() + QPointF(30, 20));
  }
  // Selects an area, applies it, and floats the cut as the main window's UseStamp does.
  void FloatArea() { FloatArea(Area()); }
  void FloatArea(const QRect& area) {
    m_canvas->SetEffect(17);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
    m_canvas->CleanCroprect();
    const QRectF c = ToCanvas(area);
    Drag(c.topLeft(), c.bottomRight());
    ClickBarButton(1);
    TestSupport::FloatStamp(*m_canvas, ModGDI::StampTempPath(), false);
  }
  void DragWith(QPointF from, QPointF to, Qt::KeyboardModifiers keys) {
    MoveMouse(from);
    Button(from, Qt::LeftButton, QEvent::MouseButtonPress);
    QMouseEvent move(QEvent::MouseMove, to, m_canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, keys);
    QApplication::sendEvent(m_canvas.get(), &move);
    Button(to, Qt::LeftButton, QEvent::MouseButtonRelease);
  }
  // A stroke as a hand makes it: many small moves.
  void Stroke(QPointF from, QPointF to) {
    MoveMouse(from);
    Button(from, Qt::LeftButton, QEvent::MouseButtonPress);
    for (int step = 1; step <= 40; ++step) {
      MoveMouse(from + (to - from) * step / 40.0, Qt::LeftButton);
    }
    Button(to, Qt::LeftButton, QEvent::MouseButtonRelease);
  }

  QImage m_original;
};

INSTANTIATE_TEST_SUITE_P(OffsetAndHalfSize, StampEditTest, ::testing::Values(QSize(400, 300), QSize(1000, 800)));

}  // namespace

TEST_P(StampEditTest, EachBrushStrokeChangesOnlyWhatItReachesAndIsOneUndoStep) {
  FloatArea();
  m_canvas->SetBrushSize(5);
  m_canvas->SetValue(0);
  const QRectF frame = m_canvas->StampFrame();
  ASSERT_EQ(frame, ToCanvas(Area()));
  const QPointF from = frame.center() - QPointF(5, 0);
  const QPointF to = frame.center() + QPointF(5, 0);
  const QSize stampSize = m_canvas->StampCanvas().size();
  const QPointF a = StampEdits::ToStamp(from, frame, stampSize);
  const QPointF b = StampEdits::ToStamp(to, frame, stampSize);
  const int diameter = StampEdits::BrushDiameter(5, QSizeF(Scale(), Scale()));
  for (int subTool = 1; subTool <= 8; ++subTool) {
    m_canvas->StampOptions(subTool);
    const int index = m_canvas->StampUndoIndex();
    const QImage before = m_canvas->StampCanvas();
    Drag(from, to);
    const QImage after = m_canvas->StampCanvas();
    EXPECT_EQ(m_canvas->StampUndoIndex(), index + 1) << subTool;
    EXPECT_EQ(m_canvas->StampFrame(), frame) << "a brush holds the stamp still " << subTool;
    const double reach = subTool == 8 ? 5 + 1.5 : diameter / 2.0 + 1.5;
    const double farthest = FarthestChange(before, after, a, b);
    EXPECT_GE(farthest, 0) << "the stroke changed something " << subTool;
    EXPECT_LE(farthest, reach) << subTool;
    // The stroke is the snapshot just kept.
    EXPECT_EQ(Argb(QImage(m_canvas->StampSnapshotFile())), after) << subTool;
  }
  // The eraser's kinds: the pencil clears the alpha where it reaches.
  m_canvas->EraserOptions(1);
  m_canvas->StampOptions(1);
  Drag(frame.center(), frame.center());
  EXPECT_EQ(qAlpha(m_canvas->StampCanvas().pixel(a.toPoint() + QPoint(5 * Scale(), 0))), 0);

  // Undo steps back to the stamp before the last stroke; a brush chosen then starts from it.
  const QImage erased = m_canvas->StampCanvas();
  m_canvas->UndoStampRedo(true);
  EXPECT_NE(m_canvas->StampCanvas(), erased);
  m_canvas->StampOptions(2);
  EXPECT_EQ(m_canvas->StampCanvas(), Argb(QImage(m_canvas->StampSnapshotFile())));
  m_canvas->UndoStampRedo(false);
  EXPECT_EQ(m_canvas->StampCanvas(), erased);
}

TEST_P(StampEditTest, TheMoveToolAndAPressOnTheBarPaintNothing) {
  FloatArea();
  const QImage stamp = m_canvas->StampCanvas();
  const QPointF centre = m_canvas->StampFrame().center();
  Drag(centre, centre + QPointF(4, 0));
  EXPECT_EQ(m_canvas->StampCanvas(), stamp);
  EXPECT_EQ(m_canvas->StampUndoIndex(), 0);
  // Taking the knob puts the brush down.
  m_canvas->StampOptions(3);
  ModPublic::CurrentToolKey = QStringLiteral("Filter_BurnTool");
  ClickBarButton(0);
  EXPECT_EQ(m_canvas->StampSubTool(), 0);
  EXPECT_TRUE(ModPublic::CurrentToolKey.isEmpty());
  EXPECT_EQ(m_canvas->StampUndoIndex(), 0);
}

TEST_P(StampEditTest, FiltersResampleToTheShownSizeAndFlipsKeepIt) {
  FloatArea();
  const QImage start = m_canvas->StampCanvas();
  m_canvas->Stampeffect(7);
  EXPECT_EQ(m_canvas->StampCanvas(), start.mirrored(true, false));
  m_canvas->Stampeffect(7);
  EXPECT_EQ(m_canvas->StampCanvas(), start);
  EXPECT_EQ(m_canvas->StampUndoIndex(), 2);
  m_canvas->Stampeffect(6);
  EXPECT_EQ(m_canvas->StampCanvas(), start.mirrored(false, true));
  m_canvas->Stampeffect(0);
  m_canvas->Stampeffect(8);
  EXPECT_EQ(m_canvas->StampUndoIndex(), 3) << "unknown numbers change nothing";
  EXPECT_EQ(m_canvas->StampCanvas(), start.mirrored(false, true));

  // Shown at twice its size, a blur stores it twice as wide and high in picture pixels.
  const QRectF frame = m_canvas->StampFrame();
  Drag(frame.bottomRight(), frame.bottomRight() + QPointF(frame.width(), frame.height()));
  ASSERT_EQ(m_canvas->StampFrame().size(), frame.size() * 2);
  for (int filter = 1; filter <= 5; ++filter) {
    m_canvas->Stampeffect(filter);
    EXPECT_EQ(m_canvas->StampCanvas().size(), Area().size() * 2) << filter;
    EXPECT_EQ(QImage(m_canvas->StampSnapshotFile()).size(), Area().size() * 2) << filter;
  }
  EXPECT_EQ(m_canvas->StampUndoIndex(), 8);
  EXPECT_EQ(Shown(), m_original) << "the picture is not filtered";
}

TEST_P(StampEditTest, AFilterBeforeTheStampIsShownKeepsItsSize) {
  FloatArea();
  // A new stamp has no frame until it is painted.
  QImage small(Area().size() / 2, QImage::Format_ARGB32);
  small.fill(Qt::darkGreen);
  small.save(ModGDI::StampTempPath(), "PNG");
  ASSERT_TRUE(m_canvas->CreateStampImg(ModGDI::StampTempPath(), true, false));
  m_canvas->Stampeffect(1);
  EXPECT_EQ(m_canvas->StampCanvas().size(), Area().size() / 2);
  EXPECT_EQ(m_canvas->StampUndoIndex(), 1);
}

TEST_P(StampEditTest, ShiftKeepsTheStampsProportionsAndTheSizedUpStampBurnsInWhereShown) {
  const int s = Scale();
  FloatArea();
  const QRectF frame = m_canvas->StampFrame();
  // Dragged 30 down and 90 across with Shift: the width follows the height.
  DragWith(frame.bottomRight(), frame.bottomRight() + QPointF(90, 30), Qt::ShiftModifier);
  const QRectF sized = m_canvas->StampFrame();
  EXPECT_EQ(sized.topLeft(), frame.topLeft());
  EXPECT_DOUBLE_EQ(sized.height(), frame.height() + 30);
  EXPECT_DOUBLE_EQ(sized.width() / sized.height(), frame.width() / frame.height());

  // Sized up without Shift, then applied: the red block fills the frame's picture rectangle.
  DragWith(sized.bottomRight(), frame.bottomRight() + QPointF(30, 20), Qt::NoModifier);
  const QRect inPicture = Area().adjusted(0, 0, 30 * s, 20 * s);
  EXPECT_EQ(m_canvas->StampRect(), QRectF(inPicture));
  ClickBarButton(1);
  const QImage shown = Shown();
  const QRgb red = qRgb(250, 10, 10);
  EXPECT_EQ(shown.pixel(inPicture.bottomRight() - QPoint(2, 2)), red);
  EXPECT_EQ(shown.pixel(inPicture.topLeft() + QPoint(2, 2)), red);
  EXPECT_EQ(shown.pixel(inPicture.bottomRight() + QPoint(2, 2)), m_original.pixel(inPicture.bottomRight() + QPoint(2, 2)));
  EXPECT_EQ(shown.pixel(inPicture.topRight() + QPoint(2, 0)), m_original.pixel(inPicture.topRight() + QPoint(2, 0)));
}

TEST_P(StampEditTest, PicturesOfTheStampForAPersonToLookAt) {
  if (Scale() != 1) {
    GTEST_SKIP() << "one set of pictures is enough";
  }
  const QString folder = TestSupport::ArtifactsFolder();
  // Calm colours, so the strokes show: an orange disc on a pale blue sky.
  QImage calm(GetParam(), QImage::Format_ARGB32);
  calm.fill(QColor(170, 200, 235));
  {
    QPainter p(&calm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 150, 40));
    p.drawEllipse(QRectF(160, 45, 100, 80));
  }
  ASSERT_TRUE(m_canvas->Open(Picture("calm.png", calm)));
  FloatArea(QRect(150, 40, 120, 90));
  const QRectF frame = m_canvas->StampFrame();
  Drag(frame.center(), frame.center() + QPointF(-100, 60));
  const QRectF moved = m_canvas->StampFrame();
  Drag(moved.bottomRight(), moved.bottomRight() + QPointF(60, 45));
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-stamp-floating.png"));
  const QRectF big = m_canvas->StampFrame();
  m_canvas->SetBrushSize(8);
  m_canvas->StampOptions(1);
  Stroke(big.topLeft() + QPointF(15, 25), big.bottomRight() - QPointF(15, 25));
  m_canvas->StampOptions(3);
  Stroke(big.bottomLeft() + QPointF(15, -25), big.topRight() + QPointF(-15, 25));
  m_canvas->StampOptions(0);
  m_canvas->Painting();
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-stamp-eraser-and-burn.png"));
}

TEST_P(StampEditTest, TheStampKeepsItsPlaceOnThePictureWhenTheCanvasIsLaidOutAgain) {
  FloatArea();
  MoveAndSize();
  const QRectF placed = m_canvas->StampRect();
  ASSERT_NE(placed, QRectF(Area()));
  m_canvas->show();
  for (const QSize size : {QSize(900, 560), QSize(480, 330), QSize(600, 400)}) {
    SCOPED_TRACE(size.width());
    m_canvas->StampOptions(3);
    ModPublic::CurrentToolKey = QStringLiteral("Filter_BurnTool");
    m_canvas->resize(size);
    ASSERT_EQ(m_canvas->BackBuffer().size(), size);
    ExpectNear(m_canvas->StampRect(), placed);
    ExpectNear(m_canvas->StampFrame(), ToCanvas(placed));
    EXPECT_EQ(m_canvas->StampSubTool(), 0) << "the brush is put down, back to moving and sizing";
    EXPECT_TRUE(ModPublic::CurrentToolKey.isEmpty());
  }
  // Burnt in, the red block fills the place it was given.
  ClickBarButton(1);
  const QRect inPicture = placed.toRect();
  const QRgb red = qRgb(250, 10, 10);
  EXPECT_EQ(Shown().pixel(inPicture.topLeft() + QPoint(2, 2)), red);
  EXPECT_EQ(Shown().pixel(inPicture.bottomRight() - QPoint(2, 2)), red);
  EXPECT_EQ(Shown().pixel(inPicture.bottomRight() + QPoint(3, 3)), m_original.pixel(inPicture.bottomRight() + QPoint(3, 3)));
}

TEST_P(StampEditTest, DefaultSizePutsTheStampBackWhereItWasHandedOver) {
  FloatArea();
  MoveAndSize();
  ASSERT_NE(m_canvas->StampRect(), QRectF(Area()));
  m_canvas->StampOptions(2);
  // What "Default Size" does.
  m_canvas->ResetStampsize(true);
  m_canvas->Painting();
  EXPECT_EQ(m_canvas->StampRect(), QRectF(Area()));
  EXPECT_EQ(m_canvas->StampFrame(), ToCanvas(Area()));
  EXPECT_EQ(m_canvas->StampSubTool(), 0);
}

TEST_P(StampEditTest, CopyWhileAStampFloatsCopiesTheStampAsEdited) {
  FloatArea();
  MoveAndSize();
  m_canvas->Stampeffect(7);
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  m_canvas->DrawtoClipboard();
  EXPECT_EQ(Argb(clipboard->image()), m_canvas->StampCanvas());
  EXPECT_EQ(Argb(clipboard->image()), m_original.copy(Area()).mirrored(true, false));
}

TEST_P(StampEditTest, AnUnreadableStampFileAndTheCancelPromptLeaveNoStamp) {
  FloatArea();
  QFile broken(m_folder.File(QStringLiteral("broken.png")));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("\x89PNG not a picture");
  broken.close();
  EXPECT_FALSE(m_canvas->CreateStampImg(broken.fileName(), true, false));
  EXPECT_TRUE(m_canvas->StampCanvas().isNull()) << "not the stamp before it";
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  m_canvas->Painting();
  m_canvas->DrawtoClipboard();
  EXPECT_TRUE(clipboard->image().isNull());
  ClickBarButton(1);
  EXPECT_EQ(Shown(), m_original) << "nothing is burnt in";

  for (const int answer : {Forms::vbNo, Forms::vbYes}) {
    SCOPED_TRACE(answer);
    FloatArea();
    ASSERT_FALSE(m_canvas->StampCanvas().isNull());
    Fakes::ScriptedMessageBox box({answer});
    ClickBarButton(2);
    EXPECT_EQ(m_canvas->Effect(), 0);
    EXPECT_TRUE(m_canvas->StampCanvas().isNull());
  }
}
