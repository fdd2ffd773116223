// The thumbnail bar offscreen, with synthetic mouse events: where the track and grip
// sit, the grip drag and its snap, the two buttons and their events, and what is drawn
// while the canvas browses or holds a tool.
#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "browse/BrowseFakes.h"
#include "browse/ScrollControl.h"
#include "support/fakes/FakeMainWindow.h"
#include "foundation/ModPublic.h"
#include "support/TestFolder.h"

namespace {

const QColor kTrack{200, 0, 0};
const QColor kGrip{0, 0, 200};

struct Event {
  int button;
  float x;
  float y;
};

class ThumbnailBar : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dataFolder = ModPublic::DataFolderPath;
    ModPublic::DataFolderPath = data.Path() + "/";
    Flat(125, 10, kTrack).save(data.File("Scroll.png"));
    Flat(15, 20, kGrip).save(data.File("ScrollTop.png"));
    bar.resize(400, ScrollControl::BarHeight);
    bar.show();
    bar.HandleHDC(false);
    bar.ResetPaint();
    QObject::connect(&bar, &ScrollControl::MouseMove,
                     [this](int b, int, float x, float y) { moves.push_back({b, x, y}); });
    QObject::connect(&bar, &ScrollControl::ThumbToggleClick,
                     [this](int b, int, float x, float y) { toggles.push_back({b, x, y}); });
    QObject::connect(&bar, &ScrollControl::ThumbSizeClick,
                     [this](int b, int, float x, float y) { sizes.push_back({b, x, y}); });
  }
  void TearDown() override { ModPublic::DataFolderPath = m_dataFolder; }

  static QImage Flat(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
  }
  static void Send(QWidget& target, QEvent::Type type, QPointF at, Qt::MouseButtons held = Qt::LeftButton) {
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target.mapToGlobal(at), changed, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
  }
  void Click(QWidget& button) {
    Send(button, QEvent::MouseButtonPress, QPointF(10, 10));
    Send(button, QEvent::MouseButtonRelease, QPointF(10, 10), Qt::NoButton);
  }
  // Presses the grip, then drags the pointer this far from the track's start.
  void DragTo(int fromTrack) {
    Send(bar, QEvent::MouseButtonPress, bar.GripRect().center());
    Send(bar, QEvent::MouseMove, QPointF(bar.TrackLeft() + 6 + fromTrack, 10));
  }
  QColor Pixel(int x, int y) { return bar.BackBuffer().pixelColor(x, y); }

  TestSupport::TestFolder data;
  ScrollControl bar;
  std::vector<Event> moves;
  std::vector<Event> toggles;
  std::vector<Event> sizes;

 private:
  QString m_dataFolder;
};

}  // namespace

TEST_F(ThumbnailBar, TheTrackSitsInTheMiddleAndTheGripAtItsHome) {
  // (400 - 125) / 2 = 137.5 rounds to the even 138; the grip's home is 55 further.
  EXPECT_EQ(bar.TrackLeft(), 138);
  EXPECT_EQ(bar.GripHome(), 193);
  EXPECT_EQ(ModPublic::ThumBarDragPos, 193);
  EXPECT_EQ(bar.GripRect(), QRectF(193, 0, 15, 20));
  EXPECT_EQ(Pixel(150, 8), kTrack);
  EXPECT_EQ(Pixel(200, 2), kGrip);
  EXPECT_EQ(bar.Max(), "10");
  EXPECT_EQ(bar.Value(), 55);
  bar.SetMax(" 42");
  EXPECT_EQ(bar.WriteProperties().value("Max").toString(), "42");
}

TEST_F(ThumbnailBar, TheGripSnapsToTheMiddleNearIt) {
  for (const int place : {53, 57}) {
    bar.SetValue(0);
    DragTo(place);
    EXPECT_TRUE(bar.qzisDrag);
    EXPECT_EQ(bar.Value(), 55) << place;
    EXPECT_EQ(moves.back().x, bar.GripHome() + 6) << place;
    EXPECT_EQ(bar.GripRect().left(), bar.GripHome());
    Send(bar, QEvent::MouseButtonRelease, QPointF(0, 0), Qt::NoButton);
    EXPECT_FALSE(bar.qzisDrag);
  }
  for (const int place : {50, 60, 3}) {
    DragTo(place);
    EXPECT_EQ(bar.Value(), std::max(place, 6)) << place;
    EXPECT_EQ(ModPublic::ThumBarDragPos, bar.TrackLeft() + 6 + place);
    Send(bar, QEvent::MouseButtonRelease, QPointF(0, 0), Qt::NoButton);
  }
}

TEST_F(ThumbnailBar, AMoveWithoutAPressOnlyReportsTheMove) {
  bar.SetValue(30);
  const QRectF grip = bar.GripRect();
  Send(bar, QEvent::MouseMove, QPointF(bar.TrackLeft() + 60, 10), Qt::NoButton);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].x, bar.TrackLeft() + 60);
  EXPECT_EQ(bar.Value(), 30);
  EXPECT_EQ(bar.GripRect(), grip);
  // A press beside the grip starts no drag either.
  Send(bar, QEvent::MouseButtonPress, QPointF(20, 10));
  Send(bar, QEvent::MouseMove, QPointF(bar.TrackLeft() + 60, 10));
  EXPECT_FALSE(bar.qzisDrag);
  EXPECT_EQ(bar.Value(), 30);
}

TEST_F(ThumbnailBar, TheButtonsReportTheirClicks) {
  bar.ThumOpen();
  Click(*bar.ToggleButton());
  EXPECT_EQ(bar.ToggleButton()->IconName(), "CLOSETHUM");
  EXPECT_FALSE(bar.isOpenthum());
  Click(*bar.ToggleButton());
  EXPECT_EQ(bar.ToggleButton()->IconName(), "OPENTHUM");
  EXPECT_TRUE(bar.isOpenthum());
  ASSERT_EQ(toggles.size(), 2u);
  EXPECT_EQ(toggles[0].x, 10);

  Click(*bar.SizeButton());
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].button, 1);
  EXPECT_EQ(sizes[0].x, 400 - 64);
  EXPECT_EQ(sizes[0].y, ScrollControl::BarHeight);
  EXPECT_EQ(bar.SizeButton()->IconName(), "THUMSIZE");
  EXPECT_EQ(bar.SizeButton()->cursor().shape(), Qt::BitmapCursor);
  EXPECT_FALSE(ScrollControl::Icon("THUMSIZE").isNull());
}

TEST_F(ThumbnailBar, AToolModeShowsOnlyTheBackgroundAndTheCount) {
  Fakes::FakeCanvas canvas;
  bar.UseCanvas(canvas);
  bar.DrawInfo(3, 12);
  bar.ResetPaint();
  const QImage browsing = bar.BackBuffer();
  browsing.save(TestSupport::ArtifactsFolder() + "/thumbnail-bar-browse.png");
  canvas.effect = 5;
  bar.StartPaint(static_cast<float>(ModPublic::ThumBarDragPos), 0, true);
  bar.BackBuffer().save(TestSupport::ArtifactsFolder() + "/thumbnail-bar-tool-mode.png");
  EXPECT_NE(Pixel(250, 8), kTrack);
  EXPECT_NE(Pixel(200, 2), kGrip);
  EXPECT_EQ(Pixel(250, 8), Pixel(320, 8));
  EXPECT_TRUE(bar.GripRect().isEmpty());
  // The count box and its text are the same in both modes.
  EXPECT_EQ(bar.BackBuffer().copy(0, 0, 130, 25), browsing.copy(0, 0, 130, 25));
  bool hasText = false;
  for (int x = 5; x < 120 && !hasText; ++x) {
    hasText = qGray(Pixel(x, 12).rgb()) < 100;
  }
  EXPECT_TRUE(hasText);
}

TEST_F(ThumbnailBar, KeysGoToTheMainWindow) {
  BrowseFakes::PassedKeys passed(bar);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(&bar, &key);
  ASSERT_EQ(passed.keys.size(), 1u);
  EXPECT_EQ(passed.keys[0].first, 46);
}
