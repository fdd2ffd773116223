// The line, rectangle and ellipse tools: the preview held inside the picture, the commit
// in picture pixels at the width the preview showed.

#include <QImage>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/ToolCommit.h"
#include "canvas/tools/ShapeDrawing.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestFolder.h"

namespace {

constexpr int kLine = 25;
constexpr int kRectangle = 26;
constexpr int kEllipse = 27;

bool Dark(QRgb pixel) { return qGray(pixel) < 128; }

int DarkRunDown(const QImage& image, int x, int fromY, int toY) {
  int run = 0;
  for (int y = fromY; y <= toY; ++y) {
    run += Dark(image.pixel(x, y)) ? 1 : 0;
  }
  return run;
}

class ShapeToolsTest : public CanvasFixture {
 protected:
  void Arm(int mode, int value = 0) {
    m_canvas->SetMax(255);
    m_canvas->SetMin(0);
    m_canvas->SetValue(value);
    m_canvas->SetEffect(mode);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
  }
  QImage Shown() const { return m_canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32); }
};

}  // namespace

TEST_F(ShapeToolsTest, DraggedPointsStayInsideThePicture) {
  OpenWhite({200, 100});
  Arm(kLine);
  const QRectF fit = m_canvas->FitRect();
  Drag(fit.center(), QPointF(99999, 99999));
  EXPECT_EQ(m_canvas->Pointer().shapeEnd, QPointF(fit.x() + fit.width() - 1, fit.y() + fit.height() - 1));
  EXPECT_EQ(m_canvas->Pointer().shapeStart, fit.center());
  Drag(fit.center(), QPointF(-500, -500));
  EXPECT_EQ(m_canvas->Pointer().shapeEnd, fit.topLeft());

  EXPECT_EQ(ShapeDrawing::ClampInto(QPointF(3, 4), QRectF(10, 20, 30, 40)), QPointF(10, 20));
  EXPECT_EQ(ShapeDrawing::ClampInto(QPointF(41, 61), QRectF(10, 20, 30, 40)), QPointF(39, 59));
  EXPECT_EQ(ShapeDrawing::ClampInto(QPointF(40, 60), QRectF(10, 20, 30, 40)), QPointF(40, 60));
}

TEST_F(ShapeToolsTest, AlphaIsMaxLessValueWithinAByte) {
  EXPECT_EQ(ShapeDrawing::AlphaOf(255, 55), 200);
  EXPECT_EQ(ShapeDrawing::AlphaOf(255, 300), 0);
  EXPECT_EQ(ShapeDrawing::AlphaOf(400, 0), 255);
  EXPECT_EQ(ShapeDrawing::DrawTypeOf(ToolModes::Mode(kEllipse)), 3);
  EXPECT_EQ(ShapeDrawing::DrawTypeOf(ToolModes::Mode::Bubble), 0);

  OpenWhite({200, 100});
  Arm(kRectangle, 255);
  const QRectF fit = m_canvas->FitRect();
  Drag(fit.topLeft() + QPointF(10, 10), fit.topLeft() + QPointF(60, 40));
  const QImage before = Shown();
  m_canvas->SaveUndo();
  EXPECT_EQ(Shown(), before);  // fully transparent
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
}

TEST_F(ShapeToolsTest, CommitMapsThePreviewAndDrawsTheLineWidthInPicturePixels) {
  OpenWhite({800, 400});
  Arm(kLine);
  m_canvas->LineWidthValue(6);
  const QRectF fit = m_canvas->FitRect();
  const double s = 800 / fit.width();
  ASSERT_GT(s, 1.9);
  const QPointF from = fit.topLeft() + QPointF(20, 50);
  const QPointF to = fit.topLeft() + QPointF(120, 50);
  Drag(from, to);
  // The preview pen is the picture width over the scale.
  const int previewRun = DarkRunDown(m_canvas->BackBuffer(), int(from.x() + 50), int(from.y() - 10), int(from.y() + 10));
  EXPECT_NEAR(previewRun, 6 / s, 1.01);
  m_canvas->SaveUndo();
  const QImage shown = Shown();
  const int y = int(50 * s);
  EXPECT_NEAR(DarkRunDown(shown, int(70 * s), y - 20, y + 20), 6, 1);
  EXPECT_TRUE(Dark(shown.pixel(int(20 * s) + 1, y)));
  EXPECT_TRUE(Dark(shown.pixel(int(120 * s) - 1, y)));
  EXPECT_FALSE(Dark(shown.pixel(int(120 * s) + 5, y)));
  EXPECT_FALSE(Dark(shown.pixel(int(20 * s) - 5, y)));
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_FALSE(m_canvas->SaveState());
}

TEST(ShapeDrawing, ReversedDragDrawsTheSameOutline) {
  QImage white(80, 60, QImage::Format_ARGB32);
  white.fill(Qt::white);
  const auto picture = Gdip::Bitmap::FromImage(white, Gdip::PixelFormat32bppARGB);
  for (int mode : {kRectangle, kEllipse}) {
    ToolCommit::Input in{*picture};
    in.mode = ToolModes::Mode(mode);
    in.max = 255;
    in.displayed = QRectF(0, 0, 80, 60);
    in.lineWidth = 2;
    in.shapeStart = QPointF(10, 20);
    in.shapeEnd = QPointF(50, 40);
    const QImage forward = ShapeDrawing::RenderShape(in);
    std::swap(in.shapeStart, in.shapeEnd);
    EXPECT_EQ(ShapeDrawing::RenderShape(in), forward) << mode;
    EXPECT_NE(forward, white.convertToFormat(QImage::Format_ARGB32)) << mode;
  }
}

TEST_F(ShapeToolsTest, PreviewScreenshots) {
  OpenWhite({300, 200});
  const char* names[] = {"line", "rectangle", "ellipse"};
  for (int mode : {kLine, kRectangle, kEllipse}) {
    Arm(mode, 55);
    m_canvas->LineWidthValue(9);
    const QRectF fit = m_canvas->FitRect();
    const QPointF from = fit.topLeft() + QPointF(30, 30);
    const QPointF to = fit.bottomRight() - QPointF(40, 40);
    Drag(from, to);
    const QString name = QString("/canvas-shape-%1.png").arg(names[mode - kLine]);
    m_canvas->BackBuffer().save(TestSupport::ArtifactsFolder() + name);
    // Every shape passes through the middle of its left side or its start.
    const QPointF onShape(from.x(), mode == kLine ? from.y() : (from.y() + to.y()) / 2);
    EXPECT_TRUE(Dark(m_canvas->BackBuffer().pixel(onShape.toPoint()))) << mode;
  }
}
