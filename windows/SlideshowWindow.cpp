#include "windows/SlideshowWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "foundation/MainWindowServices.h"
#include "foundation/SelectedFiles.h"
#include "windows/FrmSlideshow.h"

QStringList ProgramPictureSource::Selection() const { return m_selection.Files(); }

bool ProgramPictureSource::SelectionFromOpenDialog() const { return m_selection.FromOpenDialog(); }

int ProgramPictureSource::SheetCount() const {
  const ThumbnailSheetServices* sheet = m_host.ThumqzViewer();
  return sheet != nullptr ? sheet->SlideCount() : 0;
}

QString ProgramPictureSource::SheetFile(int index) const {
  const ThumbnailSheetServices* sheet = m_host.ThumqzViewer();
  return sheet != nullptr ? sheet->SlideFilename(index) : QString();
}

SlideshowWindow::SlideshowWindow(QWidget* owner, const SelectedFiles& selection, MainWindowServices& host)
    : m_owner(owner), m_source(selection, host) {}

// The window reads the source and the clock held here, so it goes first.
SlideshowWindow::~SlideshowWindow() { delete m_window; }

FrmSlideshow& SlideshowWindow::Made() {
  if (m_window == nullptr || m_window->IsClosing()) {
    m_window = new FrmSlideshow(m_fullView, m_source, m_clock, m_owner);
  }
  return *m_window;
}

void SlideshowWindow::Show() {
  FrmSlideshow& window = Made();
  // The window asks for full screen and also takes the screen's geometry itself, so it
  // covers the screen whether or not a window manager grants the request.
  const QScreen* screen = m_owner != nullptr ? m_owner->screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    window.setGeometry(screen->geometry());
  }
  window.showFullScreen();
  window.raise();
  window.activateWindow();
}

bool SlideshowWindow::StartSlideshow(const QString& Filename, const QImage* MemDIB) {
  int speed = 0;
  return Made().StartSlideshow(Filename, MemDIB, speed);
}

void SlideshowWindow::Start() { Made().Start(); }

void SlideshowWindow::Clean() {
  if (m_window != nullptr) {
    m_window->Clean();
  }
}

void SlideshowWindow::Unload() {
  if (m_window != nullptr) {
    m_window->close();
  }
}

FrmSlideshow* SlideshowWindow::Window() const { return m_window; }
