#pragma once
// Running the real program on a private virtual display, for tests that drive it from
// outside as a user and a window manager would.

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "X11Windows.h"

namespace ProgramRun {

using namespace std::chrono_literals;

// How long a test waits for the program to come to a state it needs before it fails:
// generous, as a machine busy with other work may hold a step up for many seconds, and
// longer under the sanitizers, which slow the program several times over.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::chrono::seconds kPatience = 240s;
#else
inline constexpr std::chrono::seconds kPatience = 90s;
#endif
inline int PatienceMs() { return int(std::chrono::milliseconds(kPatience).count()); }

// Asks until the answer is yes, with a short pause between asks, for at most the
// patience; false when it never was.
inline bool WaitUntil(const std::function<bool()>& holds, std::chrono::milliseconds pause = 100ms) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!holds()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(pause);
  }
  return true;
}

// A virtual X display for one test, on a display number the server picks itself.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) {
      return;
    }
    m_server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (m_server.waitForStarted(PatienceMs()) && m_server.waitForReadyRead(PatienceMs())) {
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

// openbox managing a virtual display, with a home of its own, for tests of what a window
// manager changes.
class WindowManager {
 public:
  static bool Installed() { return !QStandardPaths::findExecutable("openbox").isEmpty(); }
  // Starts it and waits until it has announced itself; false when it did not.
  bool Start(const QString& display, XTest::Connection& x) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("HOME", m_home.path());
    env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
    env.insert("XDG_CACHE_HOME", m_home.filePath(".cache"));
    m_process.setProcessEnvironment(env);
    m_process.start(QStandardPaths::findExecutable("openbox"), {"--sm-disable"});
    if (!m_home.isValid() || !m_process.waitForStarted(PatienceMs())) {
      return false;
    }
    return WaitUntil([&] { return x.WindowManagerRunning(); });
  }
  ~WindowManager() {
    m_process.terminate();
    m_process.waitForFinished(5000);
  }

 private:
  QTemporaryDir m_home;
  QProcess m_process;
};

// The program's environment on that display, without the offscreen platform the tests use.
inline QProcessEnvironment ProgramEnvironment(const QString& display) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");
  env.remove("WAYLAND_DISPLAY");
  env.insert("DISPLAY", display);
  return env;
}

// Waits for exactly one visible top-level window with the title; 0 when none came.
inline unsigned long WaitForWindow(XTest::Connection& x, const std::string& title) {
  std::vector<unsigned long> windows;
  if (!WaitUntil([&] {
        windows = x.VisibleTopLevels(title);
        return !windows.empty();
      })) {
    return 0;
  }
  EXPECT_EQ(windows.size(), 1u);
  return windows.front();
}

}  // namespace ProgramRun
