// The keyboard and the wheel on a virtual display, as a user meets them: the wheel steps
// through the folder, Shift+F fits the picture and back, Tab folds the sheet away, Ctrl+V
// floats the picture on the clipboard as a stamp, Ctrl+S writes a rotated picture, and F5
// and Delete work at once and after a search.
#include <optional>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "ProgramRun.h"
#include "RoadSession.h"
#include "WindowShots.h"
#include "X11Windows.h"
#include "support/TestFolder.h"

using namespace WindowShots;
using namespace RoadSession;
using XTest::Connection;

namespace {

const QColor kYellow{240, 210, 30};
// The Edit title's left edge, and the middle of its "Rotate Clockwise" row below the
// menu's top: the first row starts 8 down, rows are 20 high and separators take 10.
constexpr int kEditTitle = 40;
constexpr int kRotateRow = 8 + 16 * 20 + 6 * 10 + 10;

// A colour's pixels right of the side panel, whose icons hold all sorts of colours.
Found InSheetOrCanvas(const QImage& shot, QColor colour) {
  return FindColour(shot, colour, kSidePanelRight, shot.width());
}

// A colour's pixels on the canvas, above the row of thumbnails.
Found OnCanvas(const QImage& shot, QColor colour, int sheetTop) {
  return InSheetOrCanvas(shot.copy(0, 0, shot.width(), sheetTop - 40), colour);
}

// Waits until the canvas shows more than that many pixels of a colour.
bool WaitForCanvas(Connection& x, unsigned long window, QImage& shot, QColor colour, int sheetTop, int moreThan) {
  return WaitForShot(x, window, shot, [&](const QImage& s) { return OnCanvas(s, colour, sheetTop).count > moreThan; });
}

// Starts the program with that first picture, chooses the folder and opens the first
// picture by a click on its red thumbnail. Gives the top of the thumbnails, 0 on failure.
int OpenFirst(Session& session, const QImage& first, QImage& shot) {
  if (!session.Start(first) || !session.ChooseFolder(shot)) {
    return 0;
  }
  Connection& x = *session.x;
  const int sheetTop = InSheetOrCanvas(shot, kOthers[0]).first.y();
  const QPoint thumbnail = InSheetOrCanvas(shot.copy(0, sheetTop, shot.width(), shot.height()), kFirst).first;
  x.Click(session.window, thumbnail.x() + 5, sheetTop + thumbnail.y() + 5);
  if (!WaitForCanvas(x, session.window, shot, kFirst, sheetTop, 5000)) {
    ADD_FAILURE() << "the canvas did not show the first picture after a click on its thumbnail";
    return 0;
  }
  if (!WaitUntilSteady(x, session.window, shot)) {
    ADD_FAILURE() << "the canvas did not hold still after it showed the first picture";
    return 0;
  }
  return sheetTop;
}

}  // namespace

// Each test drives the program with a first picture of its own, opened from the sheet.
class KeysAndWheelRoad : public ::testing::Test {
 protected:
  // Starts the program with that first picture and opens it (OpenFirst); the session,
  // its window, the last photograph and the top of the thumbnails are then the test's.
  void Open(const QImage& first) {
    sheetTop = OpenFirst(session.emplace(), first, shot);
    ASSERT_GT(sheetTop, 0) << "the program did not show the first picture";
    window = session->window;
  }

  std::optional<Session> session;
  unsigned long window = 0;
  QImage shot;
  int sheetTop = 0;
};

TEST_F(KeysAndWheelRoad, TheWheelStepsThroughTheFolderAndShiftFFitsAndUnfits) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  // Much wider than the canvas: fitted it is a low band, at its own size it fills the canvas.
  ASSERT_NO_FATAL_FAILURE(Open(Flat(kFirst, 2400, 600)));
  Connection& x = *session->x;
  const int before = OnCanvas(shot, kFirst, sheetTop).count;

  x.PressKey(window, "F", Connection::kShift);
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) {
    const int now = OnCanvas(s, kFirst, sheetTop).count;
    return now > before * 3 / 2 || now < before * 2 / 3;
  })) << "Shift+F did not change the picture's size on the canvas";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-shift-f.png");
  x.PressKey(window, "F", Connection::kShift);
  EXPECT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) {
    return std::abs(OnCanvas(s, kFirst, sheetTop).count - before) < before / 20;
  })) << "Shift+F again did not bring the size back";

  // Two notches towards the user over the canvas: the second and then the third picture.
  const QPoint middle((kSidePanelRight + shot.width()) / 2, sheetTop / 2);
  x.Wheel(window, middle.x(), middle.y(), true);
  ASSERT_TRUE(WaitForCanvas(x, window, shot, kOthers[0], sheetTop, 20000))
      << "one notch did not show the second picture";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-wheel-step.png");
  x.Wheel(window, middle.x(), middle.y(), true);
  EXPECT_TRUE(WaitForCanvas(x, window, shot, kOthers[1], sheetTop, 20000))
      << "the second notch did not show the third picture";
}

namespace {

// Serves a picture on the display's clipboard, as another program a user copied it in.
class ClipboardPicture {
 public:
  ClipboardPicture(const QString& display, const QString& file) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    m_xclip.setProcessEnvironment(env);
    m_xclip.start("xclip", {"-quiet", "-selection", "clipboard", "-t", "image/png", "-i", file});
  }
  ~ClipboardPicture() {
    m_xclip.kill();
    m_xclip.waitForFinished(5000);
  }

 private:
  QProcess m_xclip;
};

}  // namespace

TEST_F(KeysAndWheelRoad, TabFoldsTheSheetAwayAndCtrlVFloatsTheClipboardPicture) {
  if (!ProgramRun::VirtualDisplay::Installed() || QStandardPaths::findExecutable("xclip").isEmpty()) {
    GTEST_SKIP() << "Xvfb or xclip is not installed (scripts/install-deps installs both)";
  }
  ASSERT_NO_FATAL_FAILURE(Open(Flat(kFirst)));
  Connection& x = *session->x;

  // Tab folds the sheet away, and Tab again brings it back.
  const auto thumbnails = [](const QImage& s) { return InSheetOrCanvas(s, kOthers[0]).count; };
  x.PressKey(window, "Tab");
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) { return thumbnails(s) == 0; }))
      << "Tab left the thumbnails shown";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-tab-folded.png");
  EXPECT_GT(OnCanvas(shot, kFirst, sheetTop).count, 5000) << "the picture left the canvas";
  x.PressKey(window, "Tab");
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) { return thumbnails(s) > 1000; }))
      << "Tab again did not bring the thumbnails back";

  // A picture on the clipboard, and Ctrl+V: it floats on the canvas as a stamp.
  const QString copied = session->Home("copied.png");
  ASSERT_TRUE(Flat(kYellow, 120, 90).save(copied));
  ClipboardPicture clipboard(session->DisplayName(), copied);
  ASSERT_TRUE(ProgramRun::WaitUntil([&] { return x.ClipboardHeld(); })) << "xclip did not take the clipboard";
  x.PressKey(window, "v", Connection::kCtrl);
  ASSERT_TRUE(WaitForCanvas(x, window, shot, kYellow, sheetTop, 120 * 90 / 2))
      << "Ctrl+V showed no stamp";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-pasted-stamp.png");
  EXPECT_GT(OnCanvas(shot, kFirst, sheetTop).count, 5000) << "the picture under the stamp is gone";
}

TEST_F(KeysAndWheelRoad, CtrlSWritesThePictureRotatedFromTheMenu) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  // Red on the left, yellow on the right; wider than high.
  QImage halves = Flat(kYellow);
  for (int y = 0; y < halves.height(); ++y) {
    for (int x = 0; x < halves.width() / 2; ++x) {
      halves.setPixelColor(x, y, kFirst);
    }
  }
  ASSERT_NO_FATAL_FAILURE(Open(halves));
  Connection& x = *session->x;

  // Turned clockwise, the left half comes to the top.
  ASSERT_TRUE(ChooseMenuRow(x, window, kEditTitle, kRotateRow)) << "the Edit menu did not open";
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) {
    return OnCanvas(s, kYellow, sheetTop).first.y() > OnCanvas(s, kFirst, sheetTop).first.y() + 50;
  })) << "the canvas did not show the picture turned";
  ASSERT_TRUE(WaitUntilSteady(x, window, shot)) << "the window kept changing";

  const QString file = session->pictures + "/a-first.png";
  x.PressKey(window, "s", Connection::kCtrl);
  QImage saved;
  ASSERT_TRUE(ProgramRun::WaitUntil([&] {
    saved = QImage(file);
    return saved.size() == QSize(240, 320);
  }))
      << "Ctrl+S did not write the turned picture; the file is " << saved.width() << "x" << saved.height();
  EXPECT_TRUE(Near(saved.pixelColor(120, 40), kFirst));
  EXPECT_TRUE(Near(saved.pixelColor(120, 280), kYellow));

  // Saved, the picture closes without a question.
  x.RequestClose(window);
  ASSERT_TRUE(session->program.waitForFinished(ProgramRun::PatienceMs())) << "closing asked about the saved picture";
  EXPECT_EQ(session->program.exitCode(), 0);
}

namespace {

// The search box on the image toolbar, from the window's right edge.
constexpr int kSearchFromRight = 90;
constexpr int kSearchTop = 67;

}  // namespace

TEST_F(KeysAndWheelRoad, KeysWorkAtOnceAndAfterASearch) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  // F5 at once, before any click: the slideshow's black ground comes up over the window's
  // top left corner, where the title bar is blue. A window just shown stays black there
  // until its first paint, which a busy machine holds up for seconds: the key goes once
  // the title bar is drawn, with the panes maybe not shown yet.
  {
    Session atStart;
    QImage startShot;
    ASSERT_TRUE(atStart.Start(Flat(kFirst)));
    constexpr int kCorner = 90 * 20;
    const auto blackCorner = [](const QImage& s) { return FindColour(s.copy(0, 0, 90, 20), Qt::black, 0, 90).count; };
    ASSERT_TRUE(WaitForShot(*atStart.x, atStart.window, startShot,
                            [&](const QImage& s) { return blackCorner(s) < kCorner / 4; }))
        << "the window's title bar was never drawn";
    atStart.x->PressKey(atStart.window, "F5");
    EXPECT_TRUE(WaitForShot(*atStart.x, atStart.window, startShot,
                            [&](const QImage& s) { return blackCorner(s) > kCorner * 9 / 10; }))
        << "F5 at start opened no slideshow";
    startShot.save(TestSupport::ArtifactsFolder() + "/lorvane-f5-at-start.png");
  }

  // A search, Enter, and Delete: the keys are the sheet's again.
  ASSERT_NO_FATAL_FAILURE(Open(Flat(kFirst)));
  Connection& x = *session->x;
  x.Click(window, shot.width() - kSearchFromRight, kSearchTop);
  x.Type(window, "other");
  x.PressKey(window, "Return");
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) {
    const QImage sheet = s.copy(0, sheetTop, s.width(), s.height() - sheetTop);
    return InSheetOrCanvas(sheet, kFirst).count == 0 && InSheetOrCanvas(sheet, kOthers[0]).count > 1000;
  })) << "the search did not list the other pictures only";
  // Delete reaches the table: the trash asks about the shown picture. The display's
  // clicks do not reach a modal question, so it is closed unanswered.
  x.PressKey(window, "Delete");
  const unsigned long question = ProgramRun::WaitForWindow(x, "Delete File");
  ASSERT_NE(question, 0u) << "Delete after the search asked nothing";
  QImage asked;
  ASSERT_TRUE(WaitUntilSteady(x, question, asked));
  asked.save(TestSupport::ArtifactsFolder() + "/lorvane-delete-after-search.png");
  x.RequestClose(question);
  EXPECT_TRUE(QFile::exists(session->pictures + "/a-first.png")) << "closed unanswered, the picture stays";
}
