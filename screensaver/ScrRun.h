#pragma once
// The three faces of the screensaver, each run until it ends. The caller owns the
// application and its one event loop.

#include <memory>

#include <QObject>
#include <QString>

#include "screensaver/ScrCommandLine.h"
#include "windows/SlideshowCore.h"

class FrmConfig;
class FrmScreen;
class QLockFile;
class QWindow;

namespace ScrRun {

// What a running screensaver holds until the program ends.
struct Session {
  Session();
  ~Session();
  SlideshowCore::SteadyClock clock;
  std::unique_ptr<QLockFile> lock;
  std::unique_ptr<QWindow> parent;
  std::unique_ptr<FrmScreen> screen;
  std::unique_ptr<FrmConfig> dialog;
};

// Starts what the request asks for; the application quits when it ends. Nothing is
// started (null comes back) when the full-screen show already runs or the preview's
// window is gone.
std::unique_ptr<Session> Start(const ScrCommandLine::Request& request, const QString& screensaverFolder);

// Where the single full-screen show keeps its lock.
QString LockPath();

}  // namespace ScrRun
