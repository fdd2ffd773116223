#pragma once
// Keys pressed on any drawn control go to the main window's one shortcut handler.

class MainWindowServices;
class QKeyEvent;

namespace ShortcutKeys {

// Hands the key, as a virtual-key code with its Shift bits, to the host's
// ProcessShortcutKey when there is a host and the key has a code.
void Forward(MainWindowServices* host, const QKeyEvent& event);

}  // namespace ShortcutKeys
