// The secondary windows the main window makes: the file task dialogs, its two
// slideshows, the print window, the properties window and the screensaver export.
#include "mainwindow/FrmMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTimer>

#include "canvas/Imageqzviewer.h"
#include "platform/Desktop.h"
#include "platform/gdiplus/Bitmap.h"
#include "windows/FrmProp.h"
#include "windows/FrmScroll.h"

#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "windows/FrmShells.h"
#include "windows/PrintWindow.h"
#include "windows/SlideshowWindow.h"

namespace {

SlideshowWindow& Made(std::unique_ptr<SlideshowWindow>& slideshow, FrmMain& owner) {
  if (!slideshow) {
    slideshow = std::make_unique<SlideshowWindow>(&owner, SelectedFiles::Program(), owner);
  }
  return *slideshow;
}

}  // namespace

std::unique_ptr<TaskDialogServices> FrmMain::CreateTaskDialog() {
  return std::make_unique<FrmShells>(*this, SelectedFiles::Program(), this);
}

// The load makes the window's own slideshow; the program's is made on first use.
void FrmMain::CreateSlideshows() { Made(m_ownSlideshow, *this); }

SlideshowServices& FrmMain::OwnSlideshow() { return Made(m_ownSlideshow, *this); }

SlideshowServices& FrmMain::Slideshow() { return Made(m_slideshow, *this); }

void FrmMain::ShowPrintWindow() {
  if (!m_printWindow) {
    m_printWindow = std::make_unique<PrintWindow>(this, SelectedFiles::Program(), ModPublic::DataFolderPath);
  }
  m_printWindow->Show();
}

void FrmMain::ShowFullView() {
  if (m_canvas->CurrentMode() != ToolModes::Mode::Browse || !m_canvas->hasImage()) {
    return;
  }
  SlideshowServices& view = OwnSlideshow();
  view.SetisFullView(true);
  view.Show();
  view.StartSlideshow(QString(), &m_canvas->ImgDIB.DIB()->Image());
}

void FrmMain::ShowProperties(const QImage& picture) {
  auto* properties = new FrmProp(picture, m_canvas, this);
  properties->setAttribute(Qt::WA_DeleteOnClose);
  properties->ShowModal();
}

void FrmMain::ExportScreensaver() {
  if (!m_screensaverExport) {
    const QString exe = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lorvanescr"));
    m_screensaverExport = std::make_unique<FrmScroll>(SelectedFiles::Program(), ModPublic::ProgramFolder(), exe,
                                                      &Desktop::InstallScreenSaver, this);
  }
  FrmScroll& exporter = *m_screensaverExport;
  if (exporter.IsBusy()) {
    return;
  }
  exporter.show();
  exporter.SetFormT(0);
  exporter.Start();
  exporter.CopyFiles();
}

void FrmMain::UnloadSecondaryWindows() {
  if (m_printWindow) {
    m_printWindow->Unload();
  }
  for (SlideshowWindow* slideshow : {m_slideshow.get(), m_ownSlideshow.get()}) {
    if (slideshow != nullptr) {
      slideshow->Unload();
    }
  }
}

TaskDialogServices& FrmMain::FileTaskDialog() {
  if (!m_fileTask) {
    m_fileTask = m_taskDialogs->CreateTaskDialog();
  }
  return *m_fileTask;
}

void FrmMain::RunModalTask(int page, std::function<void(TaskDialogServices&)> confirmed) {
  m_modalTask = m_taskDialogs->CreateTaskDialog();
  TaskDialogServices* dialog = m_modalTask.get();
  dialog->SetPublicShell(page);
  dialog->StartPaint();
  dialog->ShowModal([owner = QPointer<FrmMain>(this), dialog, confirmed = std::move(confirmed)] {
    if (!owner || owner->m_modalTask.get() != dialog) {
      return;
    }
    if (dialog->ButtonState() == 1) {
      confirmed(*dialog);
    }
    // Released from the event loop, after the dialog's own close has finished.
    QTimer::singleShot(0, owner, [owner, dialog] {
      if (owner && owner->m_modalTask.get() == dialog) {
        owner->m_modalTask.reset();
      }
    });
  });
}
