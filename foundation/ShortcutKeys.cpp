#include "foundation/ShortcutKeys.h"

#include <algorithm>
#include <iterator>

#include <QKeyEvent>
#include <QKeySequence>

#include "foundation/MainWindowServices.h"
#include "platform/forms/Input.h"

namespace ShortcutKeys {

void Forward(MainWindowServices* host, const QKeyEvent& event) {
  const int code = Forms::VirtualKeyFromQt(event.key(), event.modifiers());
  if (host != nullptr && code != 0) {
    host->ProcessShortcutKey(code, Forms::ShiftFromQt(event.modifiers()));
  }
}

bool PassedOnByTextBoxes(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_F1 && key <= Qt::Key_F35) || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    return true;
  }
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (modifiers != Qt::ControlModifier || key < Qt::Key_A || key > Qt::Key_Z) {
    return false;
  }
  constexpr QKeySequence::StandardKey kEditingKeys[] = {
      QKeySequence::SelectAll, QKeySequence::Cut,  QKeySequence::Copy,
      QKeySequence::Paste,     QKeySequence::Undo, QKeySequence::Redo,
      QKeySequence::DeleteEndOfLine, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
  };
  return std::none_of(std::begin(kEditingKeys), std::end(kEditingKeys),
                      [&](QKeySequence::StandardKey editing) { return event.matches(editing); });
}

}  // namespace ShortcutKeys
