#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

#include "support/TestFolder.h"
#include "platform/Registry.h"
#include "screensaver/FrmScreen.h"
#include "screensaver/ScrSettings.h"

namespace {

class FakeClock final : public SlideshowCore::Clock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 0;
};

QString WritePicture(const TestSupport::TestFolder& folder, const QString& name, QSize size, QColor color) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  const QString path = folder.File(name);
  EXPECT_TRUE(image.save(path, "PNG"));
  return path;
}

// Runs the fade of the current picture to its end.
int RunFade(FrmScreen& screen) {
  int draws = 0;
  while (screen.CurrentPhase() == FrmScreen::Phase::Fading) {
    screen.Step();
    ++draws;
  }
  return draws;
}

TEST(ScrSettings, FitsThreePixelsBelowCentre) {
  EXPECT_EQ(ScrSettings::ScreenFit({640, 480}, {1024, 768}), QRect(192, 147, 640, 480));
  EXPECT_EQ(ScrSettings::ScreenFit({2048, 768}, {1024, 768}), QRect(0, 195, 1024, 384));
}

TEST(ScrSettings, ListsDatFilesByName) {
  const TestSupport::TestFolder folder;
  for (const char* name : {"Scrdata2.dat", "Scrdata10.dat", "Scrdata0.dat", "Scrdata1.DAT", "Scrdata11.dat",
                           "notes.txt"}) {
    folder.Write(name, "x");
  }
  QStringList names;
  for (const QString& path : ScrSettings::ListPictures(folder.Path())) {
    names << QFileInfo(path).fileName();
  }
  EXPECT_EQ(names, QStringList({"Scrdata0.dat", "Scrdata1.DAT", "Scrdata10.dat", "Scrdata11.dat", "Scrdata2.dat"}));
  EXPECT_TRUE(ScrSettings::ListPictures(folder.File("missing")).isEmpty());
}

TEST(ScrSettings, WaitIsNeverNegativeAndDoesNotOverflow) {
  EXPECT_EQ(ScrSettings::WaitMs(0), 0);
  EXPECT_EQ(ScrSettings::WaitMs(-5), 0);
  EXPECT_EQ(ScrSettings::WaitMs(7), 7000);
  EXPECT_EQ(ScrSettings::WaitMs(2147483647), 2147483647000LL);
}

TEST(ScrSettings, SettingsAndPictureFolderComeFromTheSharedStore) {
  const TestSupport::TestFolder home;
  Registry::SetFilePath(home.File("registry.ini"));
  EXPECT_EQ(ScrSettings::IntervalSeconds(), 0);
  EXPECT_EQ(ScrSettings::PictureFolder("/opt/scr"), QDir("/opt/scr").filePath("ScrDatas"));
  ScrSettings::SaveIntervalSeconds(9);
  Registry::SetValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", u"Apppath",
                     Registry::Value::Sz("/opt/lorvane/"));
  EXPECT_EQ(ScrSettings::IntervalSeconds(), 9);
  EXPECT_EQ(QDir::cleanPath(ScrSettings::PictureFolder("/opt/scr")), "/opt/lorvane/ScrDatas");
  Registry::SetFilePath({});
}

TEST(ScrSettings, OnlyAMoveOfMoreThanThreePixelsEndsTheShow) {
  const QPoint start(500, 400);
  EXPECT_FALSE(ScrSettings::PointerEndsShow(start, start + QPoint(3, 3)));
  EXPECT_FALSE(ScrSettings::PointerEndsShow(start, start + QPoint(-3, -3)));
  EXPECT_TRUE(ScrSettings::PointerEndsShow(start, start + QPoint(4, 0)));
  EXPECT_TRUE(ScrSettings::PointerEndsShow(start, start + QPoint(-100, 0)));
  EXPECT_TRUE(ScrSettings::PointerEndsShow(start, start + QPoint(0, -4)));
}

TEST(FrmScreen, FadesEachPictureInThirtyTwoDrawsAndCycles) {
  const TestSupport::TestFolder folder;
  const QStringList pictures{WritePicture(folder, "Scrdata0.dat", {64, 48}, Qt::red),
                             WritePicture(folder, "Scrdata1.dat", {64, 48}, Qt::blue)};
  FakeClock clock;
  FrmScreen screen(pictures, 0, clock, false);
  screen.resize(200, 100);
  screen.Start();
  EXPECT_EQ(screen.CurrentIndex(), 0);
  EXPECT_EQ(RunFade(screen), 33);  // 32 draws, then the step that ends the fade
  EXPECT_EQ(screen.Surface().pixelColor(100, 53), QColor(Qt::red));
  EXPECT_EQ(screen.Surface().pixelColor(100, 10), QColor(Qt::black));
  // No interval: the next picture comes without a wait.
  EXPECT_EQ(screen.CurrentPhase(), FrmScreen::Phase::Loading);
  screen.Step();
  EXPECT_EQ(screen.CurrentIndex(), 1);
  RunFade(screen);
  EXPECT_EQ(screen.Surface().pixelColor(100, 53), QColor(Qt::blue));
  screen.Step();
  EXPECT_EQ(screen.CurrentIndex(), 0);
}

TEST(FrmScreen, WaitsTheIntervalOnItsClock) {
  const TestSupport::TestFolder folder;
  FakeClock clock;
  FrmScreen screen({WritePicture(folder, "a.dat", {8, 8}, Qt::green), folder.Write("b.dat", "not a picture")},
                   ScrSettings::WaitMs(5), clock, false);
  screen.resize(40, 40);
  screen.Start();
  RunFade(screen);
  EXPECT_EQ(screen.CurrentPhase(), FrmScreen::Phase::Waiting);
  clock.now = 4999;
  screen.Step();
  EXPECT_EQ(screen.CurrentPhase(), FrmScreen::Phase::Waiting);
  clock.now = 5000;
  screen.Step();
  screen.Step();
  // The file that does not decode is a black step, and the show goes on after it.
  EXPECT_EQ(screen.CurrentIndex(), 1);
  RunFade(screen);
  EXPECT_EQ(screen.Surface().pixelColor(20, 20), QColor(Qt::black));
  clock.now = 10000;
  screen.Step();
  screen.Step();
  EXPECT_EQ(screen.CurrentIndex(), 0);
}

TEST(FrmScreen, EmptySetStaysBlack) {
  FakeClock clock;
  FrmScreen screen({}, 0, clock, true);
  screen.resize(30, 30);
  screen.Start();
  EXPECT_EQ(screen.CurrentPhase(), FrmScreen::Phase::Idle);
  EXPECT_EQ(screen.Surface().pixelColor(15, 15), QColor(Qt::black));
}

void Move(FrmScreen& screen, QPoint at) {
  QMouseEvent event(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&screen, &event);
}

TEST(FrmScreen, FullScreenShowEndsOnMoveKeyOrClick) {
  FakeClock clock;
  // Moves count from where the pointer was when the show opened: the first one that goes
  // far enough ends it.
  QCursor::setPos(100, 100);
  for (const QPoint far : {QPoint(104, 100), QPoint(600, 100), QPoint(100, 96)}) {
    FrmScreen screen({}, 0, clock, true);
    int ended = 0;
    QObject::connect(&screen, &FrmScreen::Ended, [&ended] { ++ended; });
    Move(screen, {103, 97});
    EXPECT_EQ(ended, 0);
    Move(screen, far);
    EXPECT_EQ(ended, 1);
  }
  {
    FrmScreen screen({}, 0, clock, true);
    int ended = 0;
    QObject::connect(&screen, &FrmScreen::Ended, [&ended] { ++ended; });
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(&screen, &key);
    EXPECT_EQ(ended, 1);
  }
  {
    FrmScreen screen({}, 0, clock, true);
    int ended = 0;
    QObject::connect(&screen, &FrmScreen::Ended, [&ended] { ++ended; });
    QMouseEvent click(QEvent::MouseButtonPress, {5, 5}, {5, 5}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&screen, &click);
    EXPECT_EQ(ended, 1);
  }
}

TEST(FrmScreen, PreviewIgnoresInput) {
  FakeClock clock;
  FrmScreen screen({}, 0, clock, false);
  int ended = 0;
  QObject::connect(&screen, &FrmScreen::Ended, [&ended] { ++ended; });
  Move(screen, {0, 0});
  Move(screen, {300, 300});
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QCoreApplication::sendEvent(&screen, &key);
  EXPECT_EQ(ended, 0);
}

}  // namespace
