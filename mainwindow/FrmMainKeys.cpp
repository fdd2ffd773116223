// The keyboard and the wheel: the one shortcut table run for the window and every control
// that passes its keys on, and the window's own keys.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/ShortcutTable.h"
#include "platform/forms/Input.h"

namespace {

// What the keys do in the window.
class WindowShortcuts final : public ShortcutActions {
 public:
  explicit WindowShortcuts(FrmMain& window) : m_window(window), m_canvas(window.Canvas()) {}
  void ToggleThumbnailPane() override { m_window.ToggleThumbnailPane(); }
  void DeleteFiles() override { m_window.DeleteSelectedFiles(); }
  void StartSlideshow() override { m_window.StartSlideshowWindow(); }
  void ShowHelp() override { ModPublic::ShowHelp(); }
  void ToggleFit() override { m_window.ToggleFit(); }
  // The step keys leave the picture without asking.
  void StepNext() override { m_window.StepSheet(true, false); }
  void StepBack() override { m_window.StepSheet(false, false); }
  void Open() override { m_window.FileDialog(0); }
  void Save() override { m_window.SaveInPlace(); }
  void Print() override { m_window.PrintOrSayNoPrinters(); }
  void Undo() override { m_canvas.UndoAndRedo(true); }
  void Redo() override { m_canvas.UndoAndRedo(false); }
  void SelectAll() override { m_canvas.CleanCroprect(true); }
  void Deselect() override {
    m_canvas.CleanCroprect();
    m_canvas.Painting(true);
  }
  void Copy() override {
    m_canvas.DrawtoClipboard();
    m_canvas.Painting();
  }
  void Paste() override {
    m_window.ApplyFirstLRule(true);
    m_window.PasteFromClipboard();
  }

 private:
  FrmMain& m_window;
  Imageqzviewer& m_canvas;
};

// Text boxes keep their keys, also those they do not use themselves.
bool IsTextBox(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
         qobject_cast<const QTextEdit*>(widget) != nullptr || qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

}  // namespace

void FrmMain::ProcessShortcutKey(int KeyCode, int Shift) {
  WindowShortcuts actions(*this);
  ShortcutTable::Process(actions, KeyCode, Shift);
}

void FrmMain::keyPressEvent(QKeyEvent* event) {
  // The text tool types into its box: the window then passes no key on.
  if (m_canvas->CurrentMode() == ToolModes::Mode::Text || IsTextBox(QApplication::focusWidget()) || IsTextBox(focusWidget())) {
    event->ignore();
    return;
  }
  ProcessShortcutKey(Forms::VirtualKeyFromQt(event->key(), event->modifiers()), Forms::ShiftFromQt(event->modifiers()));
}

bool FrmMain::focusNextPrevChild(bool) { return false; }
