// Starts the real program on a private virtual display and drives it from outside, as
// a user and a window manager would.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "X11Windows.h"

namespace {

using namespace std::chrono_literals;
using ProgramRun::ProgramEnvironment;
using ProgramRun::VirtualDisplay;
using ProgramRun::WaitForWindow;

struct Outcome {
  int exitCode = -1;
  QString errors;
};

// The main window's title, and the title of the program's message boxes.
constexpr const char* kMainWindow = "Vesk Lorvane 6 - Free";
constexpr const char* kMessageBox = "Lorvane";

// Starts the program, waits for its window of that title, closes it and collects the result.
Outcome StartAndClose(const QProcessEnvironment& env, const QString& display, const std::string& title) {
  auto x = XTest::Connection::Open(display.toStdString());
  EXPECT_NE(x, nullptr);
  if (!x) {
    return {};
  }
  const ProgramRun::ProgramFolder folder;
  EXPECT_TRUE(folder.IsValid()) << folder.Problem().toStdString();
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(folder.Program());
  EXPECT_TRUE(program.waitForStarted(ProgramRun::PatienceMs()));
  const unsigned long window = WaitForWindow(*x, title);
  EXPECT_NE(window, 0u) << "no window titled " << title << " appeared";
  if (window != 0) {
    x->RequestClose(window);
  }
  if (!program.waitForFinished(ProgramRun::PatienceMs())) {
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
  EXPECT_EQ(StartAndClose(ProgramEnvironment(display.Name()), display.Name(), kMainWindow).exitCode, 0);
}

TEST(Startup, MissingCodecsShowTheImagingErrorAndFail) {
  if (!VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  VirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty()) << "Xvfb did not start";
  QProcessEnvironment env = ProgramEnvironment(display.Name());
  env.insert("LORVANE_TEST_FAIL_CODECS", "1");
  const Outcome run = StartAndClose(env, display.Name(), kMessageBox);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_TRUE(run.errors.contains("Error loading GDI+!")) << run.errors.toStdString();
}

namespace {

// A display number no X server listens on.
QString DeadDisplay() {
  int number = 99;
  while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
         QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))) {
    ++number;
  }
  return QStringLiteral(":%1").arg(number);
}

}  // namespace

TEST(Startup, WithoutADisplayOrWithOneThatDoesNotAnswerItSaysSoAndFails) {
  const ProgramRun::ProgramFolder folder;
  ASSERT_TRUE(folder.IsValid()) << folder.Problem().toStdString();
  for (const QString& display : {QString(), DeadDisplay()}) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      env.remove(name);
    }
    if (!display.isEmpty()) {
      env.insert("DISPLAY", display);
    }
    program.setProcessEnvironment(env);
    program.start(folder.Program());
    ASSERT_TRUE(program.waitForFinished(ProgramRun::PatienceMs()));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << display.toStdString();
    EXPECT_EQ(program.exitCode(), 2) << display.toStdString();
    EXPECT_TRUE(QString::fromLocal8Bit(program.readAllStandardError()).contains("no display to show the window on"))
        << display.toStdString();
  }
}
