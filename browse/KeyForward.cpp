#include "browse/KeyForward.h"

#include "foundation/ModPublic.h"
#include "foundation/ShortcutKeys.h"

namespace KeyForward {

void ToMainWindow(const QKeyEvent& event) { ShortcutKeys::Forward(ModPublic::MainForm, event); }

}  // namespace KeyForward
