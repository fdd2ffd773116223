// Starts the real program on a private virtual display and drives it from outside, as
// a user and a window manager would.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include "X11Windows.h"

namespace {

using namespace std::chrono_literals;

QString ProgramPath() { return QCoreApplication::applicationDirPath() + "/lorvane"; }

// A virtual X display for one test, on a display number the server picks itself.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) {
      return;
    }
    m_server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (m_server.waitForStarted(10000) && m_server.waitForReadyRead(10000)) {
      m_name = ":" + QString::fromLatin1(m_server.readAllStandardOutput()).trimmed();
    }
  }
  ~VirtualDisplay() {
    m_server.terminate();
    m_server.waitForFinished(5000);
  }
  static bool Installed() { return !QStandardPaths::findExecutable("Xvfb").isEmpty(); }
  QString Name() const { return m_name; }

 private:
  QProcess m_server;
  QString m_name;
};

// The program's environment on that display, without the offscreen platform the tests use.
QProcessEnvironment ProgramEnvironment(const QString& display) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");
  env.remove("WAYLAND_DISPLAY");
  env.insert("DISPLAY", display);
  return env;
}

// Waits for exactly one visible top-level window with the title; 0 when none came.
unsigned long WaitForWindow(XTest::Connection& x, const std::string& title) {
  for (auto waited = 0ms; waited < 30s; waited += 100ms) {
    const auto windows = x.VisibleTopLevels(title);
    if (!windows.empty()) {
      EXPECT_EQ(windows.size(), 1u);
      return windows.front();
    }
    std::this_thread::sleep_for(100ms);
  }
  return 0;
}

struct Outcome {
  int exitCode = -1;
  QString errors;
};

// Starts the program, waits for its "Lorvane" window, closes it and collects the result.
Outcome StartAndClose(const QProcessEnvironment& env, const QString& display) {
  auto x = XTest::Connection::Open(display.toStdString());
  EXPECT_NE(x, nullptr);
  if (!x) {
    return {};
  }
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(ProgramPath());
  EXPECT_TRUE(program.waitForStarted(10000));
  const unsigned long window = WaitForWindow(*x, "Lorvane");
  EXPECT_NE(window, 0u) << "no window titled Lorvane appeared";
  if (window != 0) {
    x->RequestClose(window);
  }
  if (!program.waitForFinished(20000)) {
    program.kill();
    program.waitForFinished();
    ADD_FAILURE() << "the program did not end after its window was closed";
    return {};
  }
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardError())};
}

}  // namespace

TEST(Startup, ShowsTheMainWindowAndEndsCleanlyWhenItIsClosed) {
  if (!VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  VirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty()) << "Xvfb did not start";
  EXPECT_EQ(StartAndClose(ProgramEnvironment(display.Name()), display.Name()).exitCode, 0);
}

TEST(Startup, MissingCodecsShowTheImagingErrorAndFail) {
  if (!VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  VirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty()) << "Xvfb did not start";
  QProcessEnvironment env = ProgramEnvironment(display.Name());
  env.insert("LORVANE_TEST_FAIL_CODECS", "1");
  const Outcome run = StartAndClose(env, display.Name());  // the window is the error box
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.errors.contains("Error loading GDI+!")) << run.errors.toStdString();
}

TEST(Startup, WithoutADisplayItSaysSoAndFails) {
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    env.remove(name);
  }
  program.setProcessEnvironment(env);
  program.start(ProgramPath());
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_NE(program.exitCode(), 0);
  EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError()).contains("no display"));
}
