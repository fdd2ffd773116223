#pragma once
// The program on its own virtual display, with a folder of flat-coloured pictures.

#include <memory>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ProgramRun.h"
#include "WindowShots.h"
#include "X11Windows.h"

namespace RoadSession {

// Flat colours, so that any pixel of a thumbnail or of the canvas tells which picture it is.
inline const QColor kFirst{220, 30, 40};
inline const QColor kOthers[] = {{30, 160, 60}, {40, 70, 200}};

inline QImage Flat(QColor colour, int width = 320, int height = 240) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// A home whose only folder holds three pictures, by name in this order: the first (of
// kFirst or a picture of the test's own) and two of kOthers.
class Session {
 private:
  // First, so the display outlives the connection and the program.
  ProgramRun::VirtualDisplay m_display;
  QTemporaryDir m_home;
  std::unique_ptr<XTest::Connection> m_managerLink;
  std::unique_ptr<ProgramRun::WindowManager> m_manager;

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
    if (!m_display.Name().isEmpty()) {
      x = XTest::Connection::Open(m_display.Name().toStdString());
    }
    if (x == nullptr || !m_home.isValid()) {
      return false;
    }
    pictures = m_home.filePath("Holiday");
    QDir().mkpath(pictures);
    first.save(pictures + "/a-first.png");
    for (int i = 0; i < 2; ++i) {
      Flat(kOthers[i]).save(pictures + QStringLiteral("/b-other%1.png").arg(i));
    }
    QProcessEnvironment env = ProgramRun::ProgramEnvironment(m_display.Name());
    env.insert("HOME", m_home.path());
    env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
    env.insert("XDG_DATA_HOME", m_home.filePath(".local/share"));
    env.insert("XDG_CACHE_HOME", m_home.filePath(".cache"));
    program.setProcessEnvironment(env);
    program.start(ProgramRun::ProgramPath());
    if (!program.waitForStarted(10000)) {
      return false;
    }
    window = ProgramRun::WaitForWindow(*x, "Vesk Lorvane 6 - Free");
    return window != 0;
  }
  // The folder is chosen by hand: a click gives the tree the keyboard, and typing a
  // name's beginning selects the shown folder of that name.
  bool ChooseFolder(QImage& shot) {
    if (!WindowShots::WaitUntilSteady(*x, window, shot)) {
      return false;
    }
    x->Click(window, 40, shot.height() / 2);
    x->Type(window, "holiday");
    return true;
  }
  QString Home(const QString& path) const { return m_home.filePath(path); }
  QString DisplayName() const { return m_display.Name(); }

  std::unique_ptr<XTest::Connection> x;
  unsigned long window = 0;
  QString pictures;
  QProcess program;
};

}  // namespace RoadSession
