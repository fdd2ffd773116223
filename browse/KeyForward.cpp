#include "browse/KeyForward.h"

#include <QKeyEvent>

#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"
#include "platform/forms/Input.h"

namespace KeyForward {

void ToMainWindow(const QKeyEvent& event) {
  MainWindowServices* main = ModPublic::MainForm;
  const int code = Forms::VirtualKeyFromQt(event.key(), event.modifiers());
  if (main != nullptr && code != 0) {
    main->ProcessShortcutKey(code, Forms::ShiftFromQt(event.modifiers()));
  }
}

}  // namespace KeyForward
