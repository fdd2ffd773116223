// The slideshow and the file task dialog under a real window manager (openbox), used as a
// new user would: F5 shows the picture over the whole screen, a folder typed in the copy
// box is where the copy goes, and a rename to another folder is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include <QDir>
#include <QFile>
#include <QImage>

#include "ProgramRun.h"
#include "RoadSession.h"
#include "WindowShots.h"
#include "X11Windows.h"
#include "support/TestFolder.h"

using namespace WindowShots;
using namespace RoadSession;

namespace {

// The virtual display's size (ProgramRun::VirtualDisplay).
const XTest::Connection::Box kScreen{0, 0, 1024, 768};
// Windows without a title of their own (the slideshow, the file task dialog, message
// boxes) carry the program's name.
const std::string kUntitled = "Lorvane";
// The "Edit" title's left edge and the middles of its Rename and Copy to rows below the
// menu's top: the first row starts 8 down, rows are 20 high and separators take 10.
constexpr int kEditTitle = 40;
constexpr int kRenameRow = 8 + 9 * 20 + 4 * 10 + 10;
constexpr int kCopyToRow = 8 + 10 * 20 + 4 * 10 + 10;
// In the file task dialog: the middle of the text box and of the OK button.
constexpr QPoint kTextBox{100, 73};
constexpr QPoint kOk{270, 137};
const QColor kPanel{240, 238, 233};

// A window with the program's name that is not one of those known already; 0 when none
// came.
unsigned long WaitForNewWindow(XTest::Connection& x, const std::set<unsigned long>& known = {}) {
  unsigned long found = 0;
  ProgramRun::WaitUntil([&] {
    for (const unsigned long window : x.VisibleTopLevels(kUntitled)) {
      if (known.count(window) == 0) {
        found = window;
      }
    }
    return found != 0;
  });
  return found;
}

bool WaitUntilGone(XTest::Connection& x, unsigned long window) {
  return ProgramRun::WaitUntil([&] {
    const auto shown = x.VisibleTopLevels(kUntitled);
    return std::find(shown.begin(), shown.end(), window) == shown.end();
  });
}

// Keys for a path: letters, digits and the few marks temporary folders are named with.
void TypePath(XTest::Connection& x, unsigned long window, const std::string& text) {
  for (const char c : text) {
    const auto letter = static_cast<unsigned char>(c);
    if (std::isupper(letter)) {
      x.PressKey(window, std::string(1, c), XTest::Connection::kShift);
    } else if (std::isalnum(letter)) {
      x.PressKey(window, std::string(1, c));
    } else if (c == '_') {
      x.PressKey(window, "underscore", XTest::Connection::kShift);
    } else {
      x.PressKey(window, c == '/' ? "slash" : c == '.' ? "period" : "minus");
    }
  }
}

class WindowManagerRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramRun::VirtualDisplay::Installed()) {
      GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
    }
  }

  // The program with its folder chosen and the first picture clicked, so it is the one
  // selected and shown.
  void StartAndPickFirst(bool windowManager) {
    if (windowManager) {
      ASSERT_TRUE(session.StartWindowManager()) << "openbox did not come up";
    }
    ASSERT_TRUE(session.Start(Flat(kFirst))) << "the program did not start on a virtual display";
    window = session.window;
    QImage shot;
    ASSERT_TRUE(session.ChooseFolder(shot));
    ASSERT_TRUE(WaitForShot(*session.x, window, shot, [](const QImage& s) {
      return FindColour(s, kOthers[1], 0, s.width()).count > 1000;
    })) << "the sheet did not show the folder's thumbnails";
    const Found thumbnail = FindColour(shot, kFirst, 0, shot.width());
    session.x->Click(window, thumbnail.first.x() + 20, thumbnail.first.y() + 20);
    ASSERT_TRUE(WaitForShot(*session.x, window, shot, [&](const QImage& s) {
      return FindColour(s, kFirst, 0, s.width()).count > 3 * thumbnail.count;
    })) << "the canvas did not show the clicked picture";
  }

  // F5 opens a slideshow that covers the screen and shows the pictures; Escape ends it.
  void SlideshowCoversTheScreen(const QString& shotName) {
    XTest::Connection& x = *session.x;
    x.PressKey(window, "F5");
    const unsigned long show = WaitForNewWindow(x);
    ASSERT_NE(show, 0u) << "no slideshow window came";
    XTest::Connection::Box box;
    EXPECT_TRUE(ProgramRun::WaitUntil([&] {
      box = x.Geometry(show);
      return box == kScreen;
    })) << "the slideshow did not cover the screen: " << box.x << ", " << box.y << ", " << box.width << " x "
        << box.height;
    QImage shot;
    // The show may have gone on to the next picture of the folder by the time it is seen.
    EXPECT_TRUE(WaitForShot(x, show, shot, [](const QImage& s) {
      return s.size() == QSize(1024, 768) && (FindColour(s, kFirst, 0, s.width()).count > 50000 ||
                                              FindColour(s, kOthers[0], 0, s.width()).count > 50000 ||
                                              FindColour(s, kOthers[1], 0, s.width()).count > 50000);
    })) << "the slideshow did not show a picture";
    shot.save(TestSupport::ArtifactsFolder() + "/" + shotName);
    x.PressKey(show, "Escape");
    EXPECT_TRUE(WaitUntilGone(x, show)) << "Escape did not end the slideshow";
  }

  // Opens the Edit menu's file task and types into its box what replaces the proposal.
  unsigned long FileTask(int row, const std::string& typed) {
    XTest::Connection& x = *session.x;
    EXPECT_TRUE(ChooseMenuRow(x, window, kEditTitle, row)) << "the Edit menu did not open";
    const unsigned long dialog = WaitForNewWindow(x);
    if (dialog == 0) {
      return 0;
    }
    // Drawn once its panel shows; it never holds still, as the box's caret blinks.
    QImage shot;
    EXPECT_TRUE(WaitForShot(x, dialog, shot, [](const QImage& s) {
      return FindColour(s, kPanel, 0, s.width()).count > 10000;
    })) << "the dialog was not drawn";
    x.Click(dialog, kTextBox.x(), kTextBox.y());
    x.PressKey(dialog, "a", XTest::Connection::kCtrl);
    TypePath(x, dialog, typed);
    x.MoveTo(dialog, kOk.x(), kOk.y());
    x.Click(dialog, kOk.x(), kOk.y());
    return dialog;
  }

  Session session;
  unsigned long window = 0;
};

}  // namespace

TEST_F(WindowManagerRoad, F5CoversTheScreenUnderAWindowManager) {
  if (!ProgramRun::WindowManager::Installed()) {
    GTEST_SKIP() << "openbox is not installed (scripts/install-deps installs it)";
  }
  StartAndPickFirst(true);
  SlideshowCoversTheScreen("slideshow-openbox.png");
}

TEST_F(WindowManagerRoad, F5CoversTheScreenWithoutAWindowManager) {
  StartAndPickFirst(false);
  SlideshowCoversTheScreen("slideshow-no-window-manager.png");
}

TEST_F(WindowManagerRoad, CopyGoesToTheTypedFolderAndARenameOutOfTheFolderIsRefused) {
  if (!ProgramRun::WindowManager::Installed()) {
    GTEST_SKIP() << "openbox is not installed (scripts/install-deps installs it)";
  }
  StartAndPickFirst(true);
  XTest::Connection& x = *session.x;
  const QString first = session.pictures + "/a-first.png";

  const unsigned long rename = FileTask(kRenameRow, "../x");
  ASSERT_NE(rename, 0u) << "the rename dialog did not open";
  const unsigned long refusal = WaitForNewWindow(x, {rename});
  ASSERT_NE(refusal, 0u) << "the rename was not refused";
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_FALSE(QFile::exists(session.Home("x.png")));
  x.PressKey(refusal, "Return");
  ASSERT_TRUE(WaitUntilGone(x, refusal));
  x.PressKey(rename, "Escape");
  ASSERT_TRUE(WaitUntilGone(x, rename));

  const QString typed = session.Home("Typed");
  ASSERT_TRUE(QDir().mkpath(typed));
  ASSERT_NE(FileTask(kCopyToRow, typed.toStdString()), 0u) << "the copy dialog did not open";
  EXPECT_TRUE(ProgramRun::WaitUntil([&] { return QFile::exists(typed + "/a-first.png"); }))
      << "nothing was copied to the typed folder";
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_EQ(QDir(session.pictures).entryList(QDir::Files).size(), 3);
}
