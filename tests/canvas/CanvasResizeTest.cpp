// The canvas resize through the recording task dialog: the new size, the colour around
// the unscaled picture, one undo step, and nothing at all for a size it cannot make.

#include <QImage>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/tools/CanvasResize.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/fakes/FakeTaskDialog.h"

namespace {

constexpr std::uint32_t kBlueRgb = 0xFF0000;  // an RGB reference: red in the low byte

// Every pixel distinct, so any shift or resampling shows.
QImage Gradient(QSize size) {
  QImage image(size, QImage::Format_ARGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) {
      image.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
    }
  }
  return image;
}

class CanvasResizeTest : public CanvasFixture {
 protected:
  void Open(const QImage& picture) {
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("gradient.png", picture)));
    m_canvas->WaitForSnapshot();
  }
  void Resize(int width, int height, int button = 1) {
    m_dialogs.outcome = {.width = width, .height = height, .buttonState = button, .color = kBlueRgb, .name = {}};
    m_canvas->ResizeCanvas(m_dialogs);
  }
  QImage Shown() const { return m_canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32); }

  Fakes::FakeTaskDialogFactory m_dialogs;
};

}  // namespace

TEST_F(CanvasResizeTest, SameSizeKeepsThePixelsAsOneMoreUndoStep) {
  const QImage picture = Gradient({40, 30});
  Open(picture);
  m_canvas->SetEffect(25);
  Resize(40, 30);
  ASSERT_EQ(m_dialogs.records.size(), 1u);
  const Fakes::TaskDialogRecord& asked = *m_dialogs.records[0];
  EXPECT_EQ(asked.publicShell, 3);
  EXPECT_EQ(asked.paints, 1);
  EXPECT_EQ(asked.modalShows, 1);
  EXPECT_EQ(Shown(), picture);
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_FLOAT_EQ(m_canvas->Zoom(), 1.0f);
  // Changed like every other commit, so opening another file asks first.
  EXPECT_FALSE(m_canvas->SaveState());
  EXPECT_TRUE(m_canvas->AppliedEffect());
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(Shown(), picture);
}

TEST_F(CanvasResizeTest, LargerPadsWithTheOpaqueColourAroundTheWholePixelPicture) {
  const QImage picture = Gradient({40, 30});
  Open(picture);
  Resize(45, 36);
  const QImage shown = Shown();
  ASSERT_EQ(shown.size(), QSize(45, 36));
  // 5 more across: 2 left, 3 right; 6 more down: 3 above, 3 below.
  EXPECT_EQ(shown.copy(2, 3, 40, 30), picture);
  for (const QPoint at : {QPoint(0, 0), QPoint(1, 20), QPoint(42, 20), QPoint(44, 35), QPoint(20, 2), QPoint(20, 33)}) {
    EXPECT_EQ(shown.pixel(at), qRgb(0, 0, 255)) << at.x() << "," << at.y();
  }
}

TEST_F(CanvasResizeTest, SmallerOneWayLargerTheOtherCropsEvenlyAndPads) {
  const QImage picture = Gradient({40, 30});
  Open(picture);
  Resize(30, 34);
  const QImage shown = Shown();
  ASSERT_EQ(shown.size(), QSize(30, 34));
  EXPECT_EQ(shown.copy(0, 2, 30, 30), picture.copy(5, 0, 30, 30));
  EXPECT_EQ(shown.pixel(10, 1), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(10, 32), qRgb(0, 0, 255));
  // An odd crop takes the extra column on the right.
  EXPECT_EQ(CanvasResize::Resized(picture, {37, 30}, kBlueRgb), picture.copy(1, 0, 37, 30));
}

TEST_F(CanvasResizeTest, CancelAndImpossibleSizesChangeNothing) {
  const QImage picture = Gradient({40, 30});
  Open(picture);
  const int snapshots = m_canvas->UndoListCount();
  Resize(60, 60, 0);
  Resize(0, 30);
  Resize(40, -5);
  Resize(100000, 100000);
  Resize(40000, 10);
  m_canvas->WaitForSnapshot();
  EXPECT_EQ(Shown(), picture);
  EXPECT_EQ(m_canvas->UndoIndex(), 0);
  EXPECT_EQ(m_canvas->UndoListCount(), snapshots);
  EXPECT_TRUE(m_canvas->SaveState());
  EXPECT_EQ(m_dialogs.records.size(), 5u);
  EXPECT_TRUE(CanvasResize::Allowed({1, 1}));
  EXPECT_FALSE(CanvasResize::Allowed({30000, 30000}));  // over the pixel limit
}

TEST_F(CanvasResizeTest, NoDialogWithoutAPicture) {
  m_canvas->ResizeCanvas(m_dialogs);
  EXPECT_TRUE(m_dialogs.records.empty());
}
