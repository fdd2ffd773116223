#pragma once
// The program on its own virtual display, with a folder of flat-coloured pictures.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "WindowShots.h"
#include "X11Windows.h"
#include "support/TestFolder.h"

namespace RoadSession {

using namespace std::chrono_literals;

// Flat colours, so that any pixel of a thumbnail or of the canvas tells which picture it is.
inline const QColor kFirst{220, 30, 40};
inline const QColor kOthers[] = {{30, 160, 60}, {40, 70, 200}};

inline QImage Flat(QColor colour, int width = 320, int height = 240) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Starts the program from its own folder with a home of its own; the process reports
// why it did not start when it did not.
inline bool StartProgram(QProcess& program, const ProgramRun::ProgramFolder& folder, const QString& display,
                         const QString& home) {
  if (!folder.IsValid()) {
    ADD_FAILURE() << folder.Problem().toStdString();
    return false;
  }
  QProcessEnvironment env = ProgramRun::ProgramEnvironment(display);
  env.insert("HOME", home);
  env.insert("XDG_CONFIG_HOME", home + "/.config");
  env.insert("XDG_DATA_HOME", home + "/.local/share");
  env.insert("XDG_CACHE_HOME", home + "/.cache");
  program.setProcessEnvironment(env);
  program.start(folder.Program());
  if (!program.waitForStarted(ProgramRun::PatienceMs())) {
    ADD_FAILURE() << "the program did not start: " << program.errorString().toStdString();
    return false;
  }
  return true;
}

// Where the road tests' homes go. The tree lists every folder above home, and in the
// temporary folder other programs make and remove folders all the time: rows moving just
// as one is clicked pick another folder. The machine-wide one in /var/tmp holds still.
inline QString HomeTemplate() {
  const QFileInfo still(QStringLiteral("/var/tmp"));
  const QString parent = still.isDir() && still.isWritable() ? still.filePath() : QDir::tempPath();
  return parent + "/lorvane-road-XXXXXX";
}

// Chooses a folder in the tree as a user does: once the tree shows the folder's row, a
// click on its name, then a wait until the sheet shows what the caller waits for. The
// tree follows the temporary folder, which other programs change all along, so a click
// may meet a row that moved meanwhile: when another row was chosen, the folder's row is
// clicked again.
inline bool ChooseFolder(XTest::Connection& x, unsigned long window, const QString& folder, QImage& shot,
                         const std::function<bool(const QImage&)>& sheetShows) {
  using Clock = std::chrono::steady_clock;
  const int depth = int(QDir::cleanPath(folder).count('/'));
  std::optional<Clock::time_point> clicked;
  const bool shown = WindowShots::WaitForShot(x, window, shot, [&](const QImage& s) {
    if (sheetShows(s)) {
      return true;
    }
    const std::optional<WindowShots::TreeRow> row = WindowShots::TreeRowAt(s, depth);
    const bool missed = clicked && Clock::now() - *clicked > 2s && WindowShots::TreeRowChosen(s);
    if (row && !row->chosen && (!clicked || missed)) {
      x.Click(window, row->left + 30, (row->top + row->bottom) / 2);
      clicked = Clock::now();
    }
    return false;
  });
  if (!shown) {
    const QString picture = TestSupport::ArtifactsFolder() + "/road-folder-not-chosen-" +
                            QString::fromStdString(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".png";
    shot.save(picture);
    ADD_FAILURE() << (clicked ? "the sheet did not show the pictures of " : "the folder tree did not show the row of ")
                  << folder.toStdString() << "; the window as it was last is " << picture.toStdString();
  }
  return shown;
}

// A home whose only folder holds three pictures, by name in this order: the first (of
// kFirst or a picture of the test's own) and two of kOthers.
class Session {
 private:
  // First, so the display outlives the connection and the program.
  ProgramRun::VirtualDisplay m_display;
  ProgramRun::ProgramFolder m_folder;
  QTemporaryDir m_home{HomeTemplate()};
  std::unique_ptr<XTest::Connection> m_managerLink;
  std::unique_ptr<ProgramRun::WindowManager> m_manager;
  QColor m_firstCorner;

 public:
  // A test that stops half-way leaves no program running on its vanishing display.
  ~Session() {
    program.kill();
    program.waitForFinished(20000);
  }
  // Puts openbox on the display; call before Start. False when it did not come up.
  bool StartWindowManager() {
    m_managerLink = XTest::Connection::Open(m_display.Name().toStdString());
    m_manager = std::make_unique<ProgramRun::WindowManager>();
    return m_managerLink != nullptr && m_manager->Start(m_display.Name(), *m_managerLink);
  }
  bool Start(const QImage& first) {
    if (m_display.Name().isEmpty()) {
      ADD_FAILURE() << "Xvfb did not start";
      return false;
    }
    x = XTest::Connection::Open(m_display.Name().toStdString());
    if (x == nullptr || !m_home.isValid()) {
      ADD_FAILURE() << "no connection to the virtual display, or no home folder";
      return false;
    }
    pictures = m_home.filePath("Holiday");
    QDir().mkpath(pictures);
    first.save(pictures + "/a-first.png");
    m_firstCorner = first.pixelColor(0, 0);
    for (int i = 0; i < 2; ++i) {
      Flat(kOthers[i]).save(pictures + QStringLiteral("/b-other%1.png").arg(i));
    }
    if (!StartProgram(program, m_folder, m_display.Name(), m_home.path())) {
      return false;
    }
    window = ProgramRun::WaitForWindow(*x, "Vesk Lorvane 6 - Free");
    if (window == 0) {
      ADD_FAILURE() << "the main window did not show";
    }
    return window != 0;
  }
  // The folder of pictures, chosen in the tree: done once the sheet shows its three
  // pictures (the first by the colour of its top left corner), so that each can be clicked.
  bool ChooseFolder(QImage& shot) {
    return RoadSession::ChooseFolder(*x, window, pictures, shot, [this](const QImage& s) {
      using WindowShots::FindColour;
      using WindowShots::kSidePanelRight;
      return FindColour(s, m_firstCorner, kSidePanelRight, s.width()).count > 1000 &&
             FindColour(s, kOthers[0], kSidePanelRight, s.width()).count > 1000 &&
             FindColour(s, kOthers[1], kSidePanelRight, s.width()).count > 1000;
    });
  }
  QString Home(const QString& path) const { return m_home.filePath(path); }
  QString DisplayName() const { return m_display.Name(); }
  const ProgramRun::ProgramFolder& Folder() const { return m_folder; }

  std::unique_ptr<XTest::Connection> x;
  unsigned long window = 0;
  QString pictures;
  QProcess program;
};

}  // namespace RoadSession
