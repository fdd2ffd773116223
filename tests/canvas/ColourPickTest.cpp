// The colour picked on the swatch is the colour the armed tool draws with: picked as a
// user picks (a press on the swatch), then drawn, applied and read back from the picture.

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/FloatingStamp.h"

namespace {

constexpr QSize kPicture(200, 100);

bool Reddish(QRgb pixel) { return qRed(pixel) > qGreen(pixel) + 15 && qRed(pixel) > qBlue(pixel) + 15; }

class ColourPickTest : public CanvasFixture {
 protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    ModPublic::VectorFillStyle = QStringLiteral("Vector_Single");
    OpenWhite(kPicture);
  }
  void TearDown() override {
    ModPublic::VectorFillStyle = QStringLiteral("Vector_Single");
    CanvasFixture::TearDown();
  }
  // Armed as the main window arms it, with the slider's range.
  void Arm(int mode, int max, int min, int value) {
    m_canvas->SetEffect(mode);
    m_canvas->SetMax(max);
    m_canvas->SetMin(min);
    m_canvas->SetValue(value);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
  }
  // A press on the reddest point of the swatch; the colour under it, as an RGB reference.
  std::uint32_t PickRed() {
    m_canvas->Painting();
    const QRect swatch = m_canvas->HitRectangles().Buttons[3].toRect();
    EXPECT_FALSE(swatch.isEmpty());
    QPoint reddest = swatch.center();
    int best = -1000;
    for (int y = swatch.top() + 2; y < swatch.bottom() - 2; ++y) {
      for (int x = swatch.left() + 2; x < swatch.right() - 2; ++x) {
        const QRgb p = At(x, y);
        const int redness = qRed(p) - std::max(qGreen(p), qBlue(p));
        if (redness > best) {
          best = redness;
          reddest = {x, y};
        }
      }
    }
    const QRgb red = At(reddest.x(), reddest.y());
    EXPECT_TRUE(Reddish(red));
    Click(reddest);
    return std::uint32_t(qRed(red)) | std::uint32_t(qGreen(red)) << 8 | std::uint32_t(qBlue(red)) << 16;
  }
  QPointF OnPicture(double x, double y) const { return m_canvas->FitRect().topLeft() + QPointF(x, y); }
  QRgb Committed(int x, int y) const { return m_canvas->ImgDIB.DIB()->Image().pixel(x, y); }
};

}  // namespace

TEST_F(ColourPickTest, ALinePickedRedIsCommittedRed) {
  Arm(25, 255, 0, 0);
  m_canvas->LineWidthValue(5);
  const std::uint32_t red = PickRed();
  EXPECT_EQ(m_canvas->PickColor2(), red);
  Drag(OnPicture(20, 40), OnPicture(150, 40));
  ClickBarButton(1);
  ASSERT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_TRUE(Reddish(Committed(80, 40))) << std::hex << Committed(80, 40);
}

TEST_F(ColourPickTest, ASingleColourFillAndATintTakeThePickedColour) {
  Arm(19, 255, 0, 0);
  PickRed();
  Drag(OnPicture(20, 20), OnPicture(120, 80));
  ClickBarButton(1);
  ASSERT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_TRUE(Reddish(Committed(70, 50))) << std::hex << Committed(70, 50);
  EXPECT_EQ(Committed(190, 95), qRgb(255, 255, 255)) << "outside the shape";

  // "Adjust Color" tints the whole picture with the picked colour, not only darkens it.
  Arm(6, 100, 20, 60);
  PickRed();
  ClickBarButton(1);
  ASSERT_EQ(m_canvas->UndoIndex(), 2);
  EXPECT_TRUE(Reddish(Committed(190, 95))) << std::hex << Committed(190, 95);
}

TEST_F(ColourPickTest, TheAirbrushPaintsThePickedColourOnTheStamp) {
  QImage white(60, 40, QImage::Format_ARGB32);
  white.fill(Qt::white);
  TestSupport::FloatStamp(*m_canvas, Picture("stamp.png", white), true);
  m_canvas->SetBrushSize(10);
  m_canvas->StampOptions(8);
  PickRed();
  // A stroke as a hand makes it: many small moves, a dab at each.
  MoveMouse(OnPicture(10, 20));
  Button(OnPicture(10, 20), Qt::LeftButton, QEvent::MouseButtonPress);
  for (int x = 10; x <= 50; ++x) {
    MoveMouse(OnPicture(x, 20), Qt::LeftButton);
  }
  Button(OnPicture(50, 20), Qt::LeftButton, QEvent::MouseButtonRelease);
  ClickBarButton(1);
  ASSERT_EQ(m_canvas->UndoIndex(), 1);
  int reddish = 0;
  for (int x = 5; x < 55; ++x) {
    reddish += Reddish(Committed(x, 20)) ? 1 : 0;
  }
  EXPECT_GT(reddish, 20);
}

TEST_F(ColourPickTest, ABlendedFillsPickSetsItsSurround) {
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Radial");
  Arm(19, 255, 0, 0);
  const std::uint32_t red = PickRed();
  EXPECT_EQ(m_canvas->PickColor1(), red);
  EXPECT_EQ(m_canvas->PickColor2(), 0u);

  // Back to a single colour, the same tool's pick is the colour it fills with.
  ModPublic::VectorFillStyle = QStringLiteral("Vector_Single");
  Arm(19, 255, 0, 0);
  const std::uint32_t again = PickRed();
  EXPECT_EQ(m_canvas->PickColor2(), again);
}
