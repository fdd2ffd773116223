#include "foundation/ShortcutKeys.h"

#include <QKeyEvent>

#include "foundation/MainWindowServices.h"
#include "platform/forms/Input.h"

namespace ShortcutKeys {

void Forward(MainWindowServices* host, const QKeyEvent& event) {
  const int code = Forms::VirtualKeyFromQt(event.key(), event.modifiers());
  if (host != nullptr && code != 0) {
    host->ProcessShortcutKey(code, Forms::ShiftFromQt(event.modifiers()));
  }
}

}  // namespace ShortcutKeys
