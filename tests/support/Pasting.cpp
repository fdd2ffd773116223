#include "support/Pasting.h"

#include <QtCore/qtestsupport_core.h>

#include "foundation/ModClipboard.h"

namespace TestSupport {

bool PasteFromClipboard() {
  bool arrived = false;
  ModGDI::ClipboardPaste paste([&] { arrived = true; });
  return paste.Start() && QTest::qWaitFor([&] { return arrived; }, 20000);
}

}  // namespace TestSupport
