// Star marks, the format filter and the zoom grip on a virtual display, used as a new
// user would: star two thumbnails, see the stars, sort by star, restart and see them
// again; switch "*.Jpg" off and see the JPEG files leave; drag the grip and see the
// canvas zoom.
#include <algorithm>
#include <iterator>
#include <utility>

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "RoadSession.h"
#include "WindowShots.h"
#include "X11Windows.h"
#include "support/TestFolder.h"

namespace {

using namespace WindowShots;

// Three PNG pictures and two JPEG ones, each a flat colour of its own.
struct Picture {
  const char* name;
  QColor colour;
};
const Picture kPictures[] = {{"a-red.png", {220, 30, 40}},
                             {"b-green.png", {30, 160, 60}},
                             {"c-blue.jpg", {40, 70, 200}},
                             {"d-orange.png", {240, 140, 20}},
                             {"e-violet.jpg", {150, 60, 190}}};
// The pixels of the shipped star's gold in a photograph (none of the pictures is gold).
int GoldPixels(const QImage& shot) {
  int count = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      const QColor c = shot.pixelColor(x, y);
      count += c.red() > 225 && c.green() >= 165 && c.green() < 245 && c.blue() < 140 ? 1 : 0;
    }
  }
  return count;
}

// The "Browse" title's left edge (its menu holds the View commands), and the middles of
// its star rows below the menu's top: the first row starts 8 down, rows are 20 high and
// separators take 10.
constexpr int kViewTitle = 80;
constexpr int kStarRows[] = {8 + 9 * 20 + 3 * 10 + 10, 8 + 10 * 20 + 4 * 10 + 10, 8 + 11 * 20 + 4 * 10 + 10};
// The side panel's "Patten" tab and the middle of the filter's first row below it.
constexpr QPoint kFilterTab{152, 430};
constexpr int kFilterRowX = 60;
constexpr int kFilterFirstRowY = 451;
// The middle of the thumbnail bar's grip at its home.
constexpr QPoint kGrip{654, 490};

class BrowseRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramRun::VirtualDisplay::Installed()) {
      GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
    }
    display = std::make_unique<ProgramRun::VirtualDisplay>();
    ASSERT_FALSE(display->Name().isEmpty()) << "Xvfb did not start";
    x = XTest::Connection::Open(display->Name().toStdString());
    ASSERT_NE(x, nullptr);
    pictures = home.path() + "/Holiday";
    QDir().mkpath(pictures);
    QImage image(320, 240, QImage::Format_RGB32);
    for (const Picture& p : kPictures) {
      image.fill(p.colour);
      ASSERT_TRUE(image.save(pictures + "/" + p.name));
    }
  }
  void TearDown() override {
    if (program.state() != QProcess::NotRunning) {
      program.kill();
      program.waitForFinished(5000);
    }
  }

  // Starts the program and picks the folder in the tree; the window, or 0.
  unsigned long StartAndPick() {
    if (!RoadSession::StartProgram(program, folder, display->Name(), home.path())) {
      return 0;
    }
    const unsigned long window = ProgramRun::WaitForWindow(*x, "Vesk Lorvane 6 - Free");
    if (window == 0) {
      ADD_FAILURE() << "the main window did not show";
      return 0;
    }
    const auto allShown = [&](const QImage& s) {
      return std::all_of(std::begin(kPictures), std::end(kPictures), [&](const Picture& p) { return Count(s, p) >= 1000; });
    };
    return RoadSession::ChooseFolder(*x, window, pictures, shot, allShown) ? window : 0;
  }
  int Count(const QImage& s, const Picture& p) const { return FindColour(s, p.colour, 0, s.width()).count; }
  bool SheetShows(unsigned long window, std::initializer_list<int> shown, std::initializer_list<int> gone) {
    return WaitForShot(*x, window, shot, [&](const QImage& s) {
      for (int i : shown) {
        if (Count(s, kPictures[i]) < 1000) {
          return false;
        }
      }
      for (int i : gone) {
        if (Count(s, kPictures[i]) != 0) {
          return false;
        }
      }
      return true;
    });
  }
  // Opens the "Browse" menu by a click on its title and picks one of its star rows (0 Arrange
  // Image By Star, 1 Add Star, 2 Remove Star), pointing at it first as a user does.
  void MenuRow(unsigned long window, int row) {
    ASSERT_TRUE(ChooseMenuRow(*x, window, kViewTitle, kStarRows[row])) << "the Browse menu did not open";
    std::this_thread::sleep_for(300ms);
  }
  void Close(unsigned long window) {
    x->RequestClose(window);
    ASSERT_TRUE(program.waitForFinished(ProgramRun::PatienceMs()));
  }

  std::unique_ptr<ProgramRun::VirtualDisplay> display;
  std::unique_ptr<XTest::Connection> x;
  ProgramRun::ProgramFolder folder;
  QTemporaryDir home{RoadSession::HomeTemplate()};
  QString pictures;
  QProcess program;
  QImage shot;
};

}  // namespace

TEST_F(BrowseRoad, StarsFilterAndZoomAsAUserMeetsThem) {
  unsigned long window = StartAndPick();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(SheetShows(window, {0, 1, 2, 3, 4}, {})) << "the sheet did not fill";
  const QPoint red = FindColour(shot, kPictures[0].colour, 0, shot.width()).first + QPoint(30, 30);
  const QPoint orange = FindColour(shot, kPictures[3].colour, 0, shot.width()).first + QPoint(30, 30);

  // Two thumbnails starred, one after the other, from the menu. A menu command runs a
  // moment after the pick, so each waits for its star before the next thumbnail is picked.
  const int noStar = GoldPixels(shot);
  const auto stars = [noStar](int count) { return [=](const QImage& s) { return GoldPixels(s) >= noStar + count * 25; }; };
  int starred = 0;
  for (const auto& [at, picture] : {std::pair{red, kPictures[0]}, std::pair{orange, kPictures[3]}}) {
    x->Click(window, at.x(), at.y());
    ASSERT_TRUE(WaitForShot(*x, window, shot, [&](const QImage& s) { return Count(s, picture) > 40000; }))
        << "the canvas did not show " << picture.name;
    MenuRow(window, 1);
    const bool shown = WaitForShot(*x, window, shot, stars(++starred));
    shot.save(TestSupport::ArtifactsFolder() + "/browse-road-2-stars.png");
    ASSERT_TRUE(shown) << "the star of " << picture.name << " did not show";
  }
  const auto twoStars = stars(2);

  // Sorted by star, the starred pictures come last: green takes the first place.
  MenuRow(window, 0);
  ASSERT_TRUE(WaitForShot(*x, window, shot, [&](const QImage& s) {
    return FindColour(s, kPictures[1].colour, 0, s.width()).first.x() < FindColour(s, kPictures[0].colour, 0, s.width()).first.x();
  })) << "sorting by star did not move the starred pictures";

  // After a restart the folder's stars come back.
  Close(window);
  window = StartAndPick();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(SheetShows(window, {0, 1, 2, 3, 4}, {}));
  ASSERT_TRUE(WaitForShot(*x, window, shot, twoStars)) << "the stars were not there after a restart";

  // "*.Jpg" switched off: the JPEG pictures leave the sheet.
  x->Click(window, kFilterTab.x(), kFilterTab.y());
  x->Click(window, kFilterRowX, kFilterFirstRowY + 7 * 20);
  ASSERT_TRUE(SheetShows(window, {0, 1, 3}, {2, 4})) << "the JPEG pictures stayed";
  shot.save(TestSupport::ArtifactsFolder() + "/browse-road-3-without-jpeg.png");

  // A picture on the canvas, then the grip dragged to the right: the picture grows.
  const QPoint green = FindColour(shot, kPictures[1].colour, 0, shot.width()).first + QPoint(30, 30);
  x->Click(window, green.x(), green.y());
  ASSERT_TRUE(WaitForShot(*x, window, shot, [&](const QImage& s) { return Count(s, kPictures[1]) > 40000; }))
      << "the canvas did not show the clicked picture";
  const int fitted = Count(shot, kPictures[1]);
  x->Drag(window, kGrip.x(), kGrip.y(), kGrip.x() + 40, kGrip.y());
  const bool zoomed = WaitForShot(*x, window, shot, [&](const QImage& s) { return Count(s, kPictures[1]) > fitted * 5 / 4; });
  shot.save(TestSupport::ArtifactsFolder() + "/browse-road-4-zoomed.png");
  EXPECT_TRUE(zoomed) << "the canvas did not zoom: " << fitted << " -> " << Count(shot, kPictures[1]);
  Close(window);
}
