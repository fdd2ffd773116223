// The canvas with its tools armed, driven by synthetic mouse and key events.

#include <QKeyEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/ToolHint.h"
#include "effects/ClsSelect.h"
#include "platform/forms/Input.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestPictures.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

class CanvasToolsTest : public CanvasFixture {
 protected:
  void Open(QSize size = {100, 50}) {
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("p.png", TestSupport::Quadrants(size.width(), size.height()))));
  }
  void Arm(int mode) {
    m_canvas->SetEffect(mode);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(m_canvas.get(), &event);
  }
  QImage Shown() const { return m_canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32); }
};

// A surface to draw the hint banner on, filled black so that the strip and text show.
QImage BlackSurface() {
  QImage surface(700, 30, QImage::Format_ARGB32);
  surface.fill(Qt::black);
  return surface;
}

// Pixels right of the tick that are much brighter than the green strip: the text.
int TextPixels(const QImage& surface, int fromX = 25, int toX = 700) {
  int count = 0;
  for (int y = 2; y < 22; ++y) {
    for (int x = fromX; x < toX; ++x) {
      if (qGray(surface.pixel(x, y)) > 200) {
        ++count;
      }
    }
  }
  return count;
}

}  // namespace

TEST_F(CanvasToolsTest, RightPressNeverDragsOrAddsAPointButIsStillRaised) {
  Open();
  Arm(41);
  std::vector<std::pair<int, float>> downs;
  QObject::connect(m_canvas.get(), &Imageqzviewer::MouseDown,
                   [&downs](int button, int, float x, float) { downs.emplace_back(button, x); });
  Click(QPointF(150, 100));
  Click(QPointF(200, 120));
  EXPECT_EQ(SharedSelectionPoints().SelectPointCount, 2);
  Click(QPointF(220, 160), Qt::RightButton);
  EXPECT_EQ(SharedSelectionPoints().SelectPointCount, 2);
  EXPECT_TRUE(m_canvas->Pointer().rightPress);
  EXPECT_FALSE(m_canvas->Pointer().leftDown);
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_EQ(downs[2].first, Forms::vbRightButton);
  EXPECT_FLOAT_EQ(downs[2].second, 220);
}

TEST_F(CanvasToolsTest, OnlyALeftDragPansThePicture) {
  Open({2000, 1500});
  m_canvas->SetFitMode(false);
  m_canvas->Relayout();
  const QPoint start = m_canvas->ViewOffset();
  MoveMouse(QPointF(200, 150));
  MoveMouse(QPointF(100, 100));
  EXPECT_EQ(m_canvas->ViewOffset(), start);  // no button: no pan
  Button(QPointF(100, 100), Qt::LeftButton, QEvent::MouseButtonPress);
  MoveMouse(QPointF(130, 90), Qt::LeftButton);
  EXPECT_EQ(m_canvas->ViewOffset(), start + QPoint(30, -10));
  MoveMouse(QPointF(99999, 90), Qt::LeftButton);
  EXPECT_EQ(m_canvas->ViewOffset().x(), 0);  // never past the picture's edge
}

TEST_F(CanvasToolsTest, KeysGoToTheShortcutTableExceptWhileTyping) {
  Open();
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(m_events.shortcutKeys.size(), 1u);
  EXPECT_EQ(m_events.shortcutKeys[0], std::make_pair(Forms::vbKeyA + 25, Forms::vbCtrlMask));
  Arm(4);
  Key(Qt::Key_A);
  EXPECT_EQ(m_events.shortcutKeys.size(), 1u);
}

TEST_F(CanvasToolsTest, ThePromptsCancelKeepsTheToolYesCommitsNoLeaves) {
  Open();
  Arm(41);
  Click(QPointF(150, 100));
  Click(QPointF(200, 120));
  m_canvas->SetValue(0);
  m_canvas->Painting();
  {
    Fakes::ScriptedMessageBox box({Forms::vbCancel});
    ClickBarButton(2);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].prompt, "Do you want to save the changes you've made to this image?");
    EXPECT_EQ(box.shown[0].style, Forms::vbYesNoCancel | Forms::vbQuestion);
  }
  EXPECT_EQ(m_canvas->Effect(), 41);
  EXPECT_EQ(SharedSelectionPoints().SelectPointCount, 2);  // the bar's click set no point

  // Yes on the gamma tool commits it as one undo step.
  Arm(7);
  m_canvas->SetMax(3);
  m_canvas->SetMin(0);
  m_canvas->SetValue(2);
  m_canvas->Painting();
  {
    Fakes::ScriptedMessageBox box({Forms::vbYes});
    ClickBarButton(2);
  }
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_EQ(m_canvas->Effect(), 0);

  // No leaves the tool, and the edit made before stays unsaved.
  Arm(11);
  m_canvas->Painting();
  m_events.toolsFinished = 0;
  {
    Fakes::ScriptedMessageBox box({Forms::vbNo});
    ClickBarButton(2);
  }
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_FALSE(m_canvas->SaveState());
  EXPECT_TRUE(m_canvas->AppliedEffect());
  EXPECT_EQ(m_events.toolsFinished, 1) << "the window goes back to browsing";
}

TEST_F(CanvasToolsTest, ApplyOnASelectionToolWritesNoSnapshot) {
  Open();
  m_canvas->WaitForSnapshot();
  const int files = m_canvas->UndoListCount();
  for (const int mode : {17, 41, 42}) {
    SCOPED_TRACE(mode);
    Arm(mode);
    Click(QPointF(150, 100));
    m_canvas->Painting();
    ClickBarButton(1);
    EXPECT_EQ(m_canvas->UndoIndex(), 0);
    EXPECT_EQ(m_canvas->UndoListCount(), files);
  }
}

TEST_F(CanvasToolsTest, TheOptionsMenuOpensAboveItsButton) {
  Open();
  m_menu.newHeight = 200;
  Arm(25);
  m_canvas->Painting();
  const QRectF option = m_canvas->HitRectangles().Buttons[4];
  ASSERT_FALSE(option.isEmpty());
  ClickBarButton(4);
  EXPECT_TRUE(m_menu.visible);
  EXPECT_TRUE(m_menu.memFirst);
  EXPECT_EQ(m_menu.initializemenu, 8);
  EXPECT_EQ(m_menu.geometry, QRect(int(option.x()) - 80 + 55, 300 - 300, 80, 210));
  ClickBarButton(4);
  EXPECT_FALSE(m_menu.visible);  // a second click closes it

  Arm(19);
  m_canvas->Painting();
  ClickBarButton(4);
  EXPECT_EQ(m_menu.initializemenu, 11);
  EXPECT_EQ(m_menu.geometry.top(), 300 - 100);
  EXPECT_EQ(m_menu.geometry.width(), 120);
}

TEST_F(CanvasToolsTest, KnobDragKeepsTheValueInRangeAndPreviewsLive) {
  QImage grey(100, 50, QImage::Format_ARGB32);
  grey.fill(qRgb(100, 100, 100));
  ASSERT_TRUE(m_canvas->Open(Picture("grey.png", grey)));
  Arm(7);
  m_canvas->SetMax(3);
  m_canvas->SetMin(0);
  m_canvas->SetValue(1);
  m_canvas->Painting();
  const QPointF knob = m_canvas->HitRectangles().Buttons[0].center();
  MoveMouse(knob);
  Button(knob, Qt::LeftButton, QEvent::MouseButtonPress);
  MoveMouse(QPointF(5000, knob.y()), Qt::LeftButton);
  EXPECT_EQ(m_canvas->Value(), 3);
  const QRgb brightened = m_canvas->BackBuffer().pixel(160, 130);
  MoveMouse(QPointF(-5000, knob.y()), Qt::LeftButton);
  EXPECT_EQ(m_canvas->Value(), 0);
  EXPECT_NE(m_canvas->BackBuffer().pixel(160, 130), brightened);  // the preview follows the knob
  Button(QPointF(-5000, knob.y()), Qt::LeftButton, QEvent::MouseButtonRelease);
  EXPECT_EQ(m_canvas->UndoIndex(), 0);  // letting go of the knob commits nothing
}

TEST_F(CanvasToolsTest, RedEyeDragCommitsInsideItsRectangleOnly) {
  QImage red(200, 100, QImage::Format_ARGB32);
  red.fill(qRgb(220, 30, 30));
  m_canvas->SetFirstL(true);
  ASSERT_TRUE(m_canvas->Open(Picture("red.png", red)));
  Arm(9);
  m_canvas->SetMax(300);
  m_canvas->SetMin(50);
  m_canvas->SetValue(100);
  const QRectF fit = m_canvas->FitRect();
  const QPointF from = fit.topLeft() + QPointF(20, 20);
  MoveMouse(from);
  Button(from, Qt::LeftButton, QEvent::MouseButtonPress);
  MoveMouse(from + QPointF(30, 30), Qt::LeftButton);
  Button(from + QPointF(30, 30), Qt::LeftButton, QEvent::MouseButtonRelease);
  m_canvas->SaveUndo();
  const double scale = 200.0 / fit.width();
  const QImage shown = Shown();
  EXPECT_NE(shown.pixel(int(35 * scale), int(35 * scale)), red.pixel(0, 0));
  EXPECT_EQ(shown.pixel(5, 5), red.pixel(0, 0));
  EXPECT_EQ(shown.pixel(199, 99), red.pixel(0, 0));
}

TEST(ToolHint, BannerStripTickAndClippedText) {
  ToolHint::DeleteHintResources();
  QImage before = BlackSurface();
  ToolHint::DrawToolHint(before, ToolModes::Mode::FreeSelect, 600, 20);
  EXPECT_EQ(before, BlackSurface());  // no kit, nothing drawn

  TestSupport::TestFolder folder;
  ModPublic::DataFolderPath = folder.Path() + "/";
  ToolHint::CreateHintResources();  // no "Tick.png" there
  QImage plain = BlackSurface();
  ToolHint::DrawToolHint(plain, ToolModes::Mode::FreeSelect, 600, 20);
  const QRgb strip = plain.pixel(3, 20);
  EXPECT_EQ(qGreen(strip), 160 * 150 / 255);  // 150 of 255 green over black
  EXPECT_EQ(plain.pixel(12, 10), strip);        // no tick
  EXPECT_GT(TextPixels(plain), 50);
  for (const int id : {0, 3, 37, 42, 43, 99}) {
    QImage empty = BlackSurface();
    ToolHint::DrawToolHint(empty, ToolModes::Mode(id), 600, 20);
    EXPECT_EQ(TextPixels(empty), 0) << id;
    EXPECT_EQ(empty.pixel(3, 20), strip) << id;
  }
  // The lasso's line lies inside the text box, however wide the strip.
  QImage wide = BlackSurface();
  ToolHint::DrawToolHint(wide, ToolModes::Mode::FreeSelect, 690, 20);
  EXPECT_GT(TextPixels(wide, 25, 625), 0);
  EXPECT_EQ(TextPixels(wide, 625, 700), 0);

  QImage tick(16, 16, QImage::Format_ARGB32);
  tick.fill(Qt::white);
  tick.save(ModPublic::DataFolderPath + "Tick.png");
  ToolHint::CreateHintResources();
  QImage ticked = BlackSurface();
  ToolHint::DrawToolHint(ticked, ToolModes::Mode::Browse, 600, 20);
  EXPECT_EQ(ticked.pixel(12, 10), qRgb(255, 255, 255));
  ToolHint::DeleteHintResources();
  EXPECT_FALSE(ToolHint::HintResourcesMade());
}

TEST_F(CanvasToolsTest, PicturesOfTheToolsForAPersonToLookAt) {
  const QString folder = TestSupport::ArtifactsFolder();
  QImage photo = CanvasTesting::Sky({360, 240});
  {
    QPainter p(&photo);
    p.setBrush(QColor(40, 120, 50));
    p.drawEllipse(QRectF(40, 120, 200, 160));
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(230, 60, 70, 90));
  }
  m_canvas->SetFirstL(true);
  ASSERT_TRUE(m_canvas->Open(Picture("photo.png", photo)));
  ToolHint::CreateHintResources();

  // The polygon tool: three corners set, the rubber band to the pointer, the magnifier and the banner.
  Arm(41);
  for (const QPointF at : {QPointF(120, 90), QPointF(260, 110), QPointF(230, 200)}) {
    Click(at);
  }
  MoveMouse(QPointF(150, 190));
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-tool-polygon.png"));
  ToolHint::DeleteHintResources();

  // Straighten with the knob held to the right: the picture turned and zoomed.
  Arm(2);
  m_canvas->SetMax(10);
  m_canvas->SetMin(-10);
  m_canvas->SetValue(0);
  m_canvas->Painting();
  const QPointF knob = m_canvas->HitRectangles().Buttons[0].center();
  MoveMouse(knob);
  Button(knob, Qt::LeftButton, QEvent::MouseButtonPress);
  MoveMouse(knob + QPointF(60, 0), Qt::LeftButton);
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-tool-straighten.png"));
  Button(knob + QPointF(60, 0), Qt::LeftButton, QEvent::MouseButtonRelease);

  for (const auto& [mode, name] : {std::pair{12, "blur"}, {13, "sharpen"}, {14, "soften"}, {15, "antialias"},
                                   {16, "ripple"}}) {
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("photo.png", photo)));
    m_canvas->ThirdEffect(mode);
    EXPECT_TRUE(Shown().save(folder + QStringLiteral("/canvas-filter-%1.png").arg(name)));
  }
}
