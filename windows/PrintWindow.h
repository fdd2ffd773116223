#pragma once
// Opens the print window for the main window: one window at a time, made anew after it
// has closed.

#include <QPointer>
#include <QString>

#include "foundation/SecondaryWindowServices.h"
#include "windows/FrmPrinter.h"

class QWidget;
class SelectedFiles;

class PrintWindow final : public PrintWindowServices {
 public:
  // The window prints the files of `selection`; `dataFolder` holds its icons and page files.
  PrintWindow(QWidget* owner, SelectedFiles& selection, QString dataFolder);
  ~PrintWindow() override;
  PrintWindow(const PrintWindow&) = delete;
  PrintWindow& operator=(const PrintWindow&) = delete;

  void Show() override;
  void Unload() override;

  // The open window, or null.
  FrmPrinter* Window() const { return m_window; }

 private:
  QPointer<QWidget> m_owner;
  SelectedFiles& m_selection;
  QString m_dataFolder;
  QPointer<FrmPrinter> m_window;
};
