#pragma once
// Keys pressed on any drawn control go to the main window's one shortcut handler: the
// controls it hosts pass them on as signals or through their host.

#include <optional>

class MainWindowServices;
class QKeyEvent;

namespace ShortcutKeys {

// A key as the shortcut table reads it: a virtual-key code and its Shift bits.
struct Code {
  int keyCode = 0;
  int shift = 0;
};

// The key's code; none for a key the table cannot name.
std::optional<Code> CodeOf(const QKeyEvent& event);

// Hands the key, as a virtual-key code with its Shift bits, to the host's
// ProcessShortcutKey when there is a host and the key has a code.
void Forward(MainWindowServices* host, const QKeyEvent& event);

// Whether a text box passes a key on to the shortcut table: the keys no text box uses
// (function keys, Tab, Ctrl with a letter that is no editing key of the box's). Typing,
// Delete and the box's own Ctrl keys (select all, cut, copy, paste, undo) stay in it.
bool PassedOnByTextBoxes(const QKeyEvent& event);

}  // namespace ShortcutKeys
