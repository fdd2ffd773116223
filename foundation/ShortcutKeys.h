#pragma once
// Keys pressed on any drawn control go to the main window's one shortcut handler.

class MainWindowServices;
class QKeyEvent;

namespace ShortcutKeys {

// Hands the key, as a virtual-key code with its Shift bits, to the host's
// ProcessShortcutKey when there is a host and the key has a code.
void Forward(MainWindowServices* host, const QKeyEvent& event);

// Whether a text box passes a key on to the shortcut table: the keys no text box uses
// (function keys, Tab, Ctrl with a letter that is no editing key of the box's). Typing,
// Delete and the box's own Ctrl keys (select all, cut, copy, paste, undo) stay in it.
bool PassedOnByTextBoxes(const QKeyEvent& event);

}  // namespace ShortcutKeys
