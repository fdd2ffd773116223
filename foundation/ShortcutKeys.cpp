#include "foundation/ShortcutKeys.h"

#include <algorithm>
#include <iterator>

#include <QKeyEvent>
#include <QKeySequence>

#include "foundation/MainWindowServices.h"
#include "platform/forms/Input.h"

namespace ShortcutKeys {

std::optional<Code> CodeOf(const QKeyEvent& event) {
  const int code = Forms::VirtualKeyFromQt(event.key(), event.modifiers());
  if (code == 0) {
    return std::nullopt;
  }
  return Code{code, Forms::ShiftFromQt(event.modifiers())};
}

void Forward(MainWindowServices* host, const QKeyEvent& event) {
  const std::optional<Code> code = CodeOf(event);
  if (host != nullptr && code) {
    host->ProcessShortcutKey(code->keyCode, code->shift);
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
