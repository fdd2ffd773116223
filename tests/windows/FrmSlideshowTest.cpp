#include "windows/FrmSlideshow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <gtest/gtest.h>

#include "foundation/ModqzReg.h"
#include "support/TestFolder.h"

using namespace SlideshowCore;

namespace {

class ListSource final : public PictureSource {
 public:
  QStringList Selection() const override { return {}; }
  bool SelectionFromOpenDialog() const override { return false; }
  int SheetCount() const override { return int(files.size()); }
  QString SheetFile(int index) const override { return files.value(index); }
  QStringList files;
};

class ManualClock final : public Clock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 0;
};

QString Picture(const TestSupport::TestFolder& folder, const QString& name, QColor colour, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = folder.File(name);
  image.save(path, "PNG");
  return path;
}

bool IsRed(QRgb pixel) { return qRed(pixel) > 240 && qGreen(pixel) < 20 && qBlue(pixel) < 20; }
bool IsBright(QRgb pixel) { return qRed(pixel) > 150 && qGreen(pixel) > 150 && qBlue(pixel) > 150; }

void SendMouse(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, QPointF(at), QPointF(window.mapToGlobal(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(&window, &event);
}

class SlideshowWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ModqzReg::SlideSpeed = 2000;
    source.files = {Picture(folder, "red.png", Qt::red, {200, 100}), Picture(folder, "green.png", Qt::green, {300, 300})};
    window = new FrmSlideshow(false, source, clock);
    window->setGeometry(0, 0, 800, 600);
    window->show();
  }
  void TearDown() override {
    delete window.data();
    ModqzReg::SlideSpeed = 0;
  }

  // Runs the show's timer until the condition holds; false when it never does.
  template <typename Condition>
  bool TickUntil(Condition condition, int limit = 100) {
    for (int i = 0; i < limit && window != nullptr; ++i) {
      if (condition()) {
        return true;
      }
      window->Timer1_Timer();
    }
    return window != nullptr && condition();
  }

  // Puts the pointer's reference at a point of the window, with the bar down.
  void AnchorAt(QPoint at) { SendMouse(*window, QEvent::MouseButtonRelease, at, Qt::LeftButton); }

  QRgb Pixel(int x, int y) const { return window->Surface().pixel(x, y); }

  TestSupport::TestFolder folder;
  ListSource source;
  ManualClock clock;
  QPointer<FrmSlideshow> window;
};

}  // namespace

TEST_F(SlideshowWindowTest, PictureFadesInThreePixelsAboveCentre) {
  window->Start();
  ASSERT_TRUE(TickUntil([&] { return window->IsWaiting(); }));
  // 200 x 100 centred in 800 x 600 sits at (300, 250), drawn 3 pixels higher.
  EXPECT_TRUE(IsRed(Pixel(400, 297)));
  EXPECT_TRUE(IsRed(Pixel(400, 247)));
  EXPECT_FALSE(IsRed(Pixel(400, 246)));
  EXPECT_TRUE(IsRed(Pixel(400, 346)));
  EXPECT_FALSE(IsRed(Pixel(400, 347)));
  EXPECT_EQ(window->SlideIndex(), 0);

  clock.now += 1999;
  window->Timer1_Timer();
  EXPECT_TRUE(window->IsWaiting());
  clock.now += 1;
  ASSERT_TRUE(TickUntil([&] { return window->SlideIndex() == 1 && window->IsWaiting(); }));
  EXPECT_GT(qGreen(Pixel(400, 297)), 250);
  // After the last picture the show starts again at the first.
  clock.now += 2000;
  ASSERT_TRUE(TickUntil([&] { return window->SlideIndex() == 0 && window->IsWaiting(); }));
}

TEST_F(SlideshowWindowTest, FadeDrawsOnePerFrame) {
  window->Start();
  window->Timer1_Timer();
  ASSERT_TRUE(window->IsFading());
  int draws = 1;
  while (window->IsFading()) {
    window->Timer1_Timer();
    ++draws;
  }
  // Eight alphas at step 21 (a side below 300 pixels), then the step that ends the fade.
  EXPECT_EQ(draws, 9);
}

TEST_F(SlideshowWindowTest, MoveRightMidFadeShowsTheBarAndPauses) {
  AnchorAt({50, 50});
  window->Start();
  window->Timer1_Timer();
  window->Timer1_Timer();
  ASSERT_TRUE(window->IsFading());
  const QRect exit = window->ButtonRect(FrmSlideshow::Exit);
  const QPoint plateTop(exit.x() + 35, exit.y());
  EXPECT_FALSE(IsBright(Pixel(plateTop.x(), plateTop.y())));

  SendMouse(*window, QEvent::MouseMove, {54, 50});
  EXPECT_TRUE(window->IsBarShown());
  EXPECT_FALSE(window->IsFading());
  EXPECT_TRUE(IsBright(Pixel(plateTop.x(), plateTop.y())));
  // Shown whole at once, not faded.
  EXPECT_TRUE(IsRed(Pixel(400, 297)));

  clock.now += 60000;
  for (int i = 0; i < 20; ++i) {
    window->Timer1_Timer();
  }
  EXPECT_EQ(window->SlideIndex(), 0);
  EXPECT_TRUE(window->IsBarShown());

  SendMouse(*window, QEvent::MouseButtonRelease, {54, 50}, Qt::LeftButton);
  EXPECT_FALSE(window->IsBarShown());
  ASSERT_TRUE(TickUntil([&] { return window->IsWaiting(); }));
  clock.now += 2000;
  ASSERT_TRUE(TickUntil([&] { return window->SlideIndex() == 1; }));
}

TEST_F(SlideshowWindowTest, MoveLeftOrUpShowsNothing) {
  AnchorAt({300, 300});
  SendMouse(*window, QEvent::MouseMove, {250, 300});
  SendMouse(*window, QEvent::MouseMove, {300, 250});
  SendMouse(*window, QEvent::MouseMove, {303, 303});
  EXPECT_FALSE(window->IsBarShown());
}

TEST_F(SlideshowWindowTest, BarButtonsHoldAtTheEnds) {
  AnchorAt({10, 10});
  const auto press = [&](FrmSlideshow::BarButton button) {
    const QPoint at = window->ButtonRect(button).center();
    SendMouse(*window, QEvent::MouseMove, at);
    SendMouse(*window, QEvent::MouseButtonRelease, at, Qt::LeftButton);
  };
  press(FrmSlideshow::Back);
  EXPECT_EQ(window->SlideIndex(), 0);
  press(FrmSlideshow::Next);
  press(FrmSlideshow::Next);
  EXPECT_EQ(window->SlideIndex(), 1);
  EXPECT_TRUE(window->IsBarShown());

  ModqzReg::SlideSpeed = 1000;
  press(FrmSlideshow::Shorter);
  EXPECT_EQ(ModqzReg::SlideSpeed, 1000);
  ModqzReg::SlideSpeed = 8000;
  press(FrmSlideshow::Longer);
  EXPECT_EQ(ModqzReg::SlideSpeed, 8000);
  press(FrmSlideshow::Shorter);
  EXPECT_EQ(ModqzReg::SlideSpeed, 7000);
  window->Surface().save(TestSupport::ArtifactsFolder() + "/slideshow-bar.png");

  press(FrmSlideshow::Exit);
  EXPECT_TRUE(window->IsClosing());
}

TEST_F(SlideshowWindowTest, DoubleClickClosesOnlyWithoutTheBar) {
  AnchorAt({10, 10});
  SendMouse(*window, QEvent::MouseMove, {20, 20});
  SendMouse(*window, QEvent::MouseButtonDblClick, {20, 20}, Qt::LeftButton);
  EXPECT_FALSE(window->IsClosing());
  SendMouse(*window, QEvent::MouseButtonRelease, {20, 20}, Qt::LeftButton);
  SendMouse(*window, QEvent::MouseButtonDblClick, {20, 20}, Qt::LeftButton);
  EXPECT_TRUE(window->IsClosing());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST_F(SlideshowWindowTest, EscapeMidFadeClosesCleanly) {
  window->Start();
  window->Timer1_Timer();
  window->Timer1_Timer();
  ASSERT_TRUE(window->IsFading());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &escape);
  EXPECT_TRUE(window->IsClosing());
  EXPECT_FALSE(window->IsFading());
  window->Timer1_Timer();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST(SlideshowFullView, ShowsAnImageInMemoryOnce) {
  ListSource source;
  ManualClock clock;
  FrmSlideshow window(true, source, clock);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  window.setGeometry(0, 0, 640, 480);
  QImage image(1280, 480, QImage::Format_ARGB32);
  image.fill(Qt::blue);
  int speed = 0;
  EXPECT_TRUE(window.StartSlideshow({}, &image, speed));
  EXPECT_EQ(speed, 21);
  for (int i = 0; i < 20 && window.IsFading(); ++i) {
    window.Timer1_Timer();
  }
  EXPECT_FALSE(window.IsFading());
  EXPECT_FALSE(window.IsWaiting());
  // Half the height fits the width: 640 x 240 from y 120, moved 3 up.
  EXPECT_EQ(qBlue(window.Surface().pixel(320, 117)), 255);
  EXPECT_NE(qBlue(window.Surface().pixel(320, 116)), 255);
  window.Start();
  EXPECT_FALSE(window.IsFading());
  window.Surface().save(TestSupport::ArtifactsFolder() + "/slideshow-fullview.png");
}
