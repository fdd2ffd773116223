#include "screensaver/ScrRun.h"

#include <csignal>
#include <optional>

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLockFile>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <xcb/xcb.h>

#include "screensaver/FrmConfig.h"
#include "screensaver/FrmScreen.h"
#include "screensaver/ScrSettings.h"

namespace ScrRun {
namespace {

// How often the preview looks whether its window still exists.
constexpr int kParentPollMs = 250;

// Ends the event loop outright: quit() would first ask the windows to close, and a
// preview whose parent is gone may never answer.
void EndProgram() { QCoreApplication::exit(0); }

volatile std::sig_atomic_t g_terminated = 0;
void OnTerminate(int) { g_terminated = 1; }

FrmScreen* MakeScreen(Session& show, const QString& folder, bool endsOnInput) {
  show.screen = std::make_unique<FrmScreen>(
      ScrSettings::ListPictures(ScrSettings::PictureFolder(folder)),
      ScrSettings::WaitMs(ScrSettings::IntervalSeconds()), show.clock, endsOnInput);
  QObject::connect(show.screen.get(), &FrmScreen::Ended, qApp, &EndProgram, Qt::QueuedConnection);
  return show.screen.get();
}

// The size of an X window; nothing when it does not exist (any more).
std::optional<QSize> WindowSize(std::uint32_t id) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) {
    return std::nullopt;
  }
  xcb_connection_t* connection = x11->connection();
  xcb_generic_error_t* error = nullptr;
  xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), &error);
  std::optional<QSize> size;
  if (reply) {
    size = QSize(reply->width, reply->height);
  }
  free(reply);
  free(error);
  return size;
}

// Qt tells nothing when a foreign window goes or changes size; the preview asks the X
// server itself, ends with its window and keeps filling it.
void WatchParent(std::uint32_t id, FrmScreen* screen) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, qApp, [id, shown = QPointer<FrmScreen>(screen)] {
    const std::optional<QSize> size = WindowSize(id);
    if (g_terminated || !size) {
      EndProgram();
    } else if (shown && shown->size() != *size) {
      shown->setGeometry(QRect(QPoint(0, 0), *size));
    }
  });
  poll->start(kParentPollMs);
}

bool StartFullScreen(Session& show, const QString& folder) {
  show.lock = std::make_unique<QLockFile>(LockPath());
  show.lock->setStaleLockTime(0);
  if (!show.lock->tryLock(0)) {
    return false;
  }
  FrmScreen* screen = MakeScreen(show, folder, true);
  screen->setWindowTitle(QStringLiteral("LorvaScr"));
  screen->setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  screen->setGeometry(QGuiApplication::primaryScreen()->geometry());
  QGuiApplication::setOverrideCursor(Qt::BlankCursor);
  screen->showFullScreen();
  screen->Start();
  return true;
}

bool StartPreview(Session& show, std::uint32_t id, const QString& folder) {
  const std::optional<QSize> size = WindowSize(id);
  if (!size) {
    return false;
  }
  show.parent.reset(QWindow::fromWinId(id));
  FrmScreen* screen = MakeScreen(show, folder, false);
  screen->setWindowTitle(QStringLiteral("Preview"));
  screen->setAttribute(Qt::WA_ShowWithoutActivating);
  screen->winId();
  screen->windowHandle()->setParent(show.parent.get());
  screen->setGeometry(QRect(QPoint(0, 0), *size));
  screen->show();
  screen->Start();
  std::signal(SIGTERM, OnTerminate);
  WatchParent(id, screen);
  return true;
}

}  // namespace

QString LockPath() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) {
    dir = QDir::tempPath();
  }
  return QDir(dir).filePath(QStringLiteral("lorvanescr.lock"));
}

Session::Session() = default;
Session::~Session() = default;

std::unique_ptr<Session> Start(const ScrCommandLine::Request& request, const QString& screensaverFolder) {
  auto session = std::make_unique<Session>();
  bool started = true;
  switch (request.Shows) {
    case ScrCommandLine::Mode::FullScreen:
      started = StartFullScreen(*session, screensaverFolder);
      break;
    case ScrCommandLine::Mode::Preview:
      started = StartPreview(*session, request.WindowId, screensaverFolder);
      break;
    case ScrCommandLine::Mode::Settings:
      session->dialog = std::make_unique<FrmConfig>();
      QObject::connect(session->dialog.get(), &QDialog::finished, qApp, &EndProgram,
                       Qt::QueuedConnection);
      session->dialog->show();
      break;
  }
  return started ? std::move(session) : nullptr;
}

}  // namespace ScrRun
