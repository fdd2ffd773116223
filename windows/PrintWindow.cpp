#include "windows/PrintWindow.h"

#include "windows/FrmPrinter.h"

PrintWindow::PrintWindow(QWidget* owner, SelectedFiles& selection, QString dataFolder)
    : m_owner(owner), m_selection(selection), m_dataFolder(std::move(dataFolder)) {}

PrintWindow::~PrintWindow() { Unload(); }

void PrintWindow::Show() {
  if (!m_window) {
    m_window = new FrmPrinter(m_selection, m_dataFolder, m_owner);
  }
  m_window->show();
  m_window->raise();
  m_window->activateWindow();
}

void PrintWindow::Unload() {
  if (m_window) {
    m_window->close();
  }
}
