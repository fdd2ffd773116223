#pragma once

namespace TestSupport {

// Takes the clipboard's picture into ModGDI::ClipboardImage as a paste does, and serves
// events until it has arrived; false when the clipboard holds none or none arrived.
bool PasteFromClipboard();

}  // namespace TestSupport
