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
#include "foundation/ShortcutKeys.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommands.h"
#include "mainwindow/ShortcutTable.h"
#include "platform/forms/Input.h"

namespace {

// Text boxes keep the keys they use; the others reach the table.
bool IsTextBox(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) != nullptr || qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
         qobject_cast<const QTextEdit*>(widget) != nullptr || qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

}  // namespace

void FrmMain::ProcessShortcutKey(int KeyCode, int Shift) {
  if (const ShortcutTable::Row* row = ShortcutTable::Find(KeyCode, Shift)) {
    MenuCommands::Run(*this, row->command, MenuCommands::Route::Key);
  }
}

void FrmMain::keyPressEvent(QKeyEvent* event) {
  // The text tool types into its box: the window then passes no key on.
  const bool inTextBox = IsTextBox(QApplication::focusWidget()) || IsTextBox(focusWidget());
  if (m_canvas->CurrentMode() == ToolModes::Mode::Text || (inTextBox && !ShortcutKeys::PassedOnByTextBoxes(*event))) {
    event->ignore();
    return;
  }
  ProcessShortcutKey(Forms::VirtualKeyFromQt(event->key(), event->modifiers()), Forms::ShiftFromQt(event->modifiers()));
}

bool FrmMain::focusNextPrevChild(bool) { return false; }
