#pragma once
// The main window's handle on a slideshow window: it makes the window when it is first
// needed and again after the user closed it, and feeds it the program's pictures.

#include <QPointer>

#include "foundation/SecondaryWindowServices.h"
#include "windows/SlideshowCore.h"

class FrmSlideshow;
class MainWindowServices;
class QWidget;
class SelectedFiles;

// The show's pictures: the selected files, or the list of the main window's sheet.
class ProgramPictureSource final : public SlideshowCore::PictureSource {
 public:
  ProgramPictureSource(const SelectedFiles& selection, MainWindowServices& host)
      : m_selection(selection), m_host(host) {}
  QStringList Selection() const override;
  bool SelectionFromOpenDialog() const override;
  int SheetCount() const override;
  QString SheetFile(int index) const override;

 private:
  const SelectedFiles& m_selection;
  MainWindowServices& m_host;
};

class SlideshowWindow final : public SlideshowServices {
 public:
  SlideshowWindow(QWidget* owner, const SelectedFiles& selection, MainWindowServices& host);
  ~SlideshowWindow() override;
  SlideshowWindow(const SlideshowWindow&) = delete;
  SlideshowWindow& operator=(const SlideshowWindow&) = delete;

  void SetisFullView(bool value) override { m_fullView = value; }
  void Show() override;
  bool StartSlideshow(const QString& Filename, const QImage* MemDIB) override;
  void Start() override;
  void Clean() override;
  void Unload() override;

  // The open window, or null.
  FrmSlideshow* Window() const;

 private:
  FrmSlideshow& Made();

  QWidget* m_owner;
  ProgramPictureSource m_source;
  SlideshowCore::SteadyClock m_clock;
  QPointer<FrmSlideshow> m_window;
  bool m_fullView = false;
};
