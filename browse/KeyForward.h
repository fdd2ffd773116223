#pragma once
// Keys pressed on the browser's drawn controls all go to the main window's one shortcut
// handler, which speaks virtual-key codes and the 1/2/4 shift bits.

#include <Qt>

class QKeyEvent;

namespace KeyForward {

// The virtual-key code of a Qt key; 0 for a key the shortcut table cannot name.
int VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);
// Shift 1, Ctrl 2, Alt 4.
int ShiftBits(Qt::KeyboardModifiers modifiers);
// Hands the key to ProcessShortcutKey when the main window exists and the key has a code.
void ToMainWindow(const QKeyEvent& event);

}  // namespace KeyForward
