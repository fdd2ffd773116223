#pragma once
// Keys pressed on the browser's drawn controls all go to the main window's one shortcut
// handler.

class QKeyEvent;

namespace KeyForward {

// Hands the key, as a virtual-key code with its Shift bits, to ProcessShortcutKey when
// the main window exists and the key has a code.
void ToMainWindow(const QKeyEvent& event);

}  // namespace KeyForward
