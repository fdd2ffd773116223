// The main road of the program on a virtual display: a folder of pictures chosen in the
// tree fills the sheet, a click on a thumbnail shows the picture on the canvas, and
// closing the window saves the settings; a selection floated, moved, erased and burnt in.
#include <functional>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPoint>
#include <QTemporaryDir>

#include "ProgramRun.h"
#include "RoadSession.h"
#include "WindowShots.h"
#include "X11Windows.h"
#include "support/TestFolder.h"

using namespace WindowShots;
using namespace RoadSession;

TEST(MainRoad, ChosenFolderFillsTheSheetAndAClickedThumbnailShowsOnTheCanvas) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  Session session;
  ASSERT_TRUE(session.Start(Flat(kFirst))) << "the program did not start on a virtual display";
  auto& x = session.x;
  const unsigned long window = session.window;
  QImage shot;
  ASSERT_TRUE(session.ChooseFolder(shot));

  // The sheet fills: all three pictures appear as thumbnails.
  const bool sheetFilled = WaitForShot(*x, window, shot, [](const QImage& s) {
    return FindColour(s, kFirst, 0, s.width()).count > 1000 && FindColour(s, kOthers[0], 0, s.width()).count > 1000 &&
           FindColour(s, kOthers[1], 0, s.width()).count > 1000;
  });
  ASSERT_TRUE(sheetFilled) << "the sheet did not show the folder's thumbnails";
  const Found thumbnail = FindColour(shot, kFirst, 0, shot.width());
  const int thumbsArea = thumbnail.count;

  // A click on the first thumbnail shows its picture on the canvas, beside the sheet.
  x->Click(window, thumbnail.first.x() + 20, thumbnail.first.y() + 20);
  const bool canvasShows =
      WaitForShot(*x, window, shot, [&](const QImage& s) { return FindColour(s, kFirst, 0, s.width()).count > 3 * thumbsArea; });
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-main-road.png");
  EXPECT_TRUE(canvasShows) << "the canvas did not show the clicked picture";

  x->RequestClose(window);
  ASSERT_TRUE(session.program.waitForFinished(ProgramRun::PatienceMs()));
  EXPECT_EQ(session.program.exitCode(), 0) << session.program.readAllStandardError().toStdString();
  QFile settings(session.Home(".config/lorvane/registry.ini"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "closing did not save the settings";
  EXPECT_TRUE(QString::fromUtf8(settings.readAll()).contains(session.pictures));
  // The folder history lies beside the program that ran, here the test's own copy.
  QFile history(session.Folder().File("Datas/History.tmp"));
  ASSERT_TRUE(history.open(QIODevice::ReadOnly)) << "closing did not write the folder history";
  EXPECT_TRUE(history.readAll().startsWith((session.pictures + "\r\n").toUtf8()));
}

namespace {

const QColor kBlue{40, 60, 210};

// The mean column of a colour's pixels inside a box.
double MeanX(const QImage& shot, QColor colour, const QRect& box) {
  double sum = 0;
  int count = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (Near(shot.pixelColor(x, y), colour)) {
        sum += x;
        ++count;
      }
    }
  }
  return count == 0 ? -1 : sum / count;
}


// Menu titles' left edges, and the middles of the rows a test picks, below a menu's top:
// the first row starts 8 down, rows are 20 high and separators take 10.
constexpr int kEditTitle = 40;
constexpr int kEffectTitle = 215;
constexpr int kUndoRow = 18;
constexpr int kFlipRow = 8 + 14 * 20 + 6 * 10 + 10;
constexpr int kBlurRow = 8 + 4 * 20 + 1 * 10 + 10;

}  // namespace

TEST(MainRoad, TheMenuFlipsAndBlursThePictureShownAndUndoRestoresIt) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  // Red on the left, blue on the right, small enough to show at its own size.
  QImage halves(160, 120, QImage::Format_RGB32);
  halves.fill(kBlue);
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 80; ++x) {
      halves.setPixelColor(x, y, kFirst);
    }
  }
  Session session;
  ASSERT_TRUE(session.Start(halves)) << "the program did not start on a virtual display";
  auto& x = *session.x;
  const unsigned long window = session.window;
  QImage shot;
  ASSERT_TRUE(session.ChooseFolder(shot));
  ASSERT_TRUE(WaitForShot(x, window, shot, [](const QImage& s) { return FindColour(s, kBlue, 0, s.width()).count > 500; }))
      << "the sheet did not show the picture";
  const Found thumbnail = FindColour(shot, kBlue, 0, shot.width());
  x.Click(window, thumbnail.first.x() + 5, thumbnail.first.y() + 5);
  QImage opened;
  ASSERT_TRUE(WaitForShot(x, window, opened, [&](const QImage& s) {
    return FindColour(s, kBlue, 0, s.width()).count > thumbnail.count + 9000;
  })) << "the canvas did not show the picture";
  ASSERT_TRUE(WaitUntilSteady(x, window, opened)) << "the window kept changing";

  // "Flip Horizintal" in the Edit menu.
  ASSERT_TRUE(ChooseMenuRow(x, window, kEditTitle, kFlipRow)) << "the menu did not open";
  QImage flipped;
  ASSERT_TRUE(WaitForShot(x, window, flipped, [&](const QImage& s) { return Changed(opened, s).width() > 100; }))
      << "the flip did not change the picture";
  ASSERT_TRUE(WaitUntilSteady(x, window, flipped)) << "the window kept changing";
  const QRect canvas = Changed(opened, flipped);
  EXPECT_GT(MeanX(flipped, kFirst, canvas), MeanX(flipped, kBlue, canvas)) << "red is not on the right";

  // "Blur" mixes the colours where they meet.
  ASSERT_TRUE(ChooseMenuRow(x, window, kEffectTitle, kBlurRow)) << "the menu did not open";
  QImage blurred;
  EXPECT_TRUE(WaitForShot(x, window, blurred, [&](const QImage& s) { return !Changed(flipped, s).isEmpty(); }))
      << "the blur changed nothing";
  ASSERT_TRUE(WaitUntilSteady(x, window, blurred)) << "the window kept changing";
  blurred.save(TestSupport::ArtifactsFolder() + "/lorvane-menu-blurred.png");

  // "Undo", twice.
  ASSERT_TRUE(ChooseMenuRow(x, window, kEditTitle, kUndoRow)) << "the menu did not open";
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) { return !Changed(blurred, s).isEmpty(); }))
      << "the first undo changed nothing";
  ASSERT_TRUE(ChooseMenuRow(x, window, kEditTitle, kUndoRow)) << "the menu did not open";
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) {
    return MeanX(s, kFirst, canvas) < MeanX(s, kBlue, canvas);
  })) << "two undos did not bring the picture back";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-menu-undone.png");
  EXPECT_NEAR(MeanX(shot, kFirst, canvas), MeanX(opened, kFirst, canvas), 2.0);
  EXPECT_NEAR(MeanX(shot, kBlue, canvas), MeanX(opened, kBlue, canvas), 2.0);

  // The picture counts as changed, so a close would ask to save it; this test ends here.
  session.program.kill();
  session.program.waitForFinished(20000);
}

namespace {

QColor Tint(int i) { return QColor::fromHsv(i * 25, 220, 230); }

// How many of the first `count` tints the photograph shows as thumbnails.
int TintsShown(const QImage& shot, int count) {
  int shown = 0;
  for (int i = 0; i < count; ++i) {
    shown += FindColour(shot, Tint(i), 290, shot.width()).count > 2000 ? 1 : 0;
  }
  return shown;
}

}  // namespace

TEST(MainRoad, TheSheetReflowsWithTheWindowAndABrokenFileSaysWhyOnTheCanvas) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  Session session;
  ASSERT_TRUE(session.Start(Flat(kFirst))) << "the program did not start on a virtual display";
  auto& x = *session.x;
  const unsigned long window = session.window;
  // Before the folder is chosen: a file that is no picture, first by name, and ten more.
  QFile broken(session.pictures + "/a-broken.png");
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("not a picture at all");
  broken.close();
  constexpr int kTints = 10;
  for (int i = 0; i < kTints; ++i) {
    ASSERT_TRUE(Flat(Tint(i)).save(session.pictures + QStringLiteral("/c-tint%1.png").arg(i, 2, 10, QLatin1Char('0'))));
  }
  QImage shot;
  ASSERT_TRUE(session.ChooseFolder(shot));
  const QColor crack(200, 40, 40);
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) {
    return FindColour(s, crack, 290, s.width()).count > 10 && FindColour(s, kFirst, 290, s.width()).count > 2000;
  })) << "the sheet did not show the folder";

  // Narrowed, fewer thumbnails fit a row; widened again, more: the sheet follows. The
  // sheet is drawn anew at each width, so each waits for thumbnails at that width.
  x.Resize(window, 560, 768);
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) { return s.width() == 560 && TintsShown(s, kTints) > 0; }))
      << "the narrowed window showed no thumbnails";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-sheet-narrowed.png");
  const int narrow = TintsShown(shot, kTints);
  x.Resize(window, 1024, 768);
  const bool widened =
      WaitForShot(x, window, shot, [&](const QImage& s) { return s.width() == 1024 && TintsShown(s, kTints) > narrow; });
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-sheet-widened.png");
  EXPECT_TRUE(widened) << "widened again, the sheet showed no more than the " << narrow << " thumbnails of the narrow window";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";

  // A click on the broken file's mark empties the canvas and says why.
  const Found mark = FindColour(shot, crack, 290, shot.width());
  ASSERT_GT(mark.count, 10);
  x.Click(window, mark.first.x(), mark.first.y());
  const QColor text(60, 60, 60);
  const bool told = WaitForShot(x, window, shot, [&](const QImage& s) {
    return FindColour(s.copy(0, 0, s.width(), mark.first.y() - 60), text, 290, s.width()).count > 40;
  });
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-broken-file.png");
  EXPECT_TRUE(told) << "the canvas did not say why the file could not be opened";

  x.RequestClose(window);
  ASSERT_TRUE(session.program.waitForFinished(ProgramRun::PatienceMs()));
  EXPECT_EQ(session.program.exitCode(), 0) << session.program.readAllStandardError().toStdString();
}

namespace {

const QColor kGrass{40, 170, 60};
constexpr int kImageToolTitle = 135;
constexpr int kMarqueeRow = 8 + 1 * 20 + 1 * 10 + 10;
constexpr int kEraserRow = 8 + 4 * 20 + 2 * 10 + 10;

}  // namespace

TEST(MainRoad, ASelectionFloatsIsMovedErasedAndBurntInAndUndoTakesItBack) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  // A red block on grass, small enough to show at its own size, taller than the eraser.
  QImage field(480, 320, QImage::Format_RGB32);
  field.fill(kGrass);
  for (int y = 30; y < 170; ++y) {
    for (int x = 30; x < 150; ++x) {
      field.setPixelColor(x, y, kFirst);
    }
  }
  Session session;
  ASSERT_TRUE(session.Start(field)) << "the program did not start on a virtual display";
  auto& x = *session.x;
  const unsigned long window = session.window;
  QImage shot;
  ASSERT_TRUE(session.ChooseFolder(shot));
  ASSERT_TRUE(WaitForShot(x, window, shot, [](const QImage& s) { return FindColour(s, kGrass, 0, s.width()).count > 500; }))
      << "the sheet did not show the picture";
  const Found thumbnail = FindColour(shot, kGrass, 0, shot.width());
  x.Click(window, thumbnail.first.x() + 5, thumbnail.first.y() + 5);
  QImage opened;
  ASSERT_TRUE(WaitForShot(x, window, opened, [&](const QImage& s) {
    return FindColour(s, kGrass, 0, s.width()).count > thumbnail.count + 40000;
  })) << "the canvas did not show the picture";
  ASSERT_TRUE(WaitUntilSteady(x, window, opened)) << "the window kept changing";
  // The canvas lies above the thumbnails.
  const QRect red = BoxOf(opened, kFirst, QRect(290, 0, opened.width() - 290, thumbnail.first.y() - 10));
  ASSERT_GT(red.width(), 100) << "the red block is not shown";
  const QRect canvas = CanvasArea(opened, red.center() + QPoint(red.width(), 0));

  // "Rectangular Marquee", then a rectangle dragged round the red block.
  ASSERT_TRUE(ChooseMenuRow(x, window, kImageToolTitle, kMarqueeRow)) << "the menu did not open";
  QImage armed;
  ASSERT_TRUE(WaitForShot(x, window, armed, [&](const QImage& s) { return !Changed(opened, s).isEmpty(); }))
      << "choosing the marquee changed nothing on the canvas";
  ASSERT_TRUE(WaitUntilSteady(x, window, armed)) << "the window kept changing";
  x.MoveTo(window, red.left() - 8, red.top() - 8);
  x.Drag(window, red.left() - 8, red.top() - 8, red.right() + 8, red.bottom() + 8);
  // Apply turns the selection into a floating stamp. The on-canvas Apply button follows
  // the slider, which the selection has not (90 wide) and the stamp has (200 wide).
  const auto apply = [&](int sliderWidth) {
    return QPoint(canvas.left() + (canvas.width() - 200) / 2 - 50 + sliderWidth + 27, canvas.bottom() - 22);
  };
  x.MoveTo(window, apply(90).x(), apply(90).y());
  std::this_thread::sleep_for(200ms);
  x.Click(window, apply(90).x(), apply(90).y());
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";

  // The stamp dragged by its middle 200 across and 20 down.
  const QPoint offset(200, 20);
  x.MoveTo(window, red.center().x(), red.center().y());
  std::this_thread::sleep_for(200ms);
  x.Drag(window, red.center().x(), red.center().y(), red.center().x() + offset.x(), red.center().y() + offset.y());
  QImage moved;
  ASSERT_TRUE(WaitForShot(x, window, moved, [&](const QImage& s) {
    return Near(s.pixelColor(red.center() + offset), kFirst);
  })) << "the stamp did not follow the drag";

  ASSERT_TRUE(WaitUntilSteady(x, window, moved)) << "the window kept changing";

  // "Eraser", and a stroke across the stamp's middle. The brush dabs where the pointer
  // events arrive, so the press point is certain to be erased.
  ASSERT_TRUE(ChooseMenuRow(x, window, kImageToolTitle, kEraserRow)) << "the menu did not open";
  std::this_thread::sleep_for(500ms);
  const QPoint middle = red.center() + offset;
  const QPoint pressAt = middle - QPoint(30, 0);
  x.MoveTo(window, pressAt.x(), pressAt.y());
  std::this_thread::sleep_for(200ms);
  x.Drag(window, pressAt.x(), pressAt.y(), middle.x() + 30, middle.y());
  QImage erased;
  ASSERT_TRUE(WaitForShot(x, window, erased, [&](const QImage& s) { return !Near(s.pixelColor(pressAt), kFirst); }))
      << "the eraser left the stamp as it was";
  ASSERT_TRUE(WaitUntilSteady(x, window, erased)) << "the window kept changing";
  erased.save(TestSupport::ArtifactsFolder() + "/lorvane-stamp-erased.png");

  // Apply burns the moved, erased stamp in; the red block stays where it was too.
  const QPoint movedCorner = red.topLeft() + offset + QPoint(5, 5);
  x.MoveTo(window, apply(200).x(), apply(200).y());
  std::this_thread::sleep_for(200ms);
  x.Click(window, apply(200).x(), apply(200).y());
  QImage burnt;
  ASSERT_TRUE(WaitForShot(x, window, burnt, [&](const QImage& s) { return Changed(erased, s).width() > 100; }))
      << "the stamp was not burnt in";
  ASSERT_TRUE(WaitUntilSteady(x, window, burnt)) << "the window kept changing";
  burnt.save(TestSupport::ArtifactsFolder() + "/lorvane-stamp-burnt-in.png");
  EXPECT_TRUE(Near(burnt.pixelColor(movedCorner), kFirst)) << "the moved stamp is not in the picture";
  EXPECT_FALSE(Near(burnt.pixelColor(pressAt), kFirst)) << "the erased stroke is gone";
  EXPECT_TRUE(Near(burnt.pixelColor(red.center()), kFirst));

  // "Undo" brings back the picture before.
  ASSERT_TRUE(ChooseMenuRow(x, window, kEditTitle, kUndoRow)) << "the menu did not open";
  EXPECT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) { return Near(s.pixelColor(movedCorner), kGrass); }))
      << "undo did not take the stamp back";
  EXPECT_TRUE(Near(shot.pixelColor(red.center()), kFirst));

  session.program.kill();
  session.program.waitForFinished(20000);
}
