#include "browse/ModShellFolder.h"

#include "platform/Dialogs.h"

namespace ModShellFolder {

// Of the flags only BIF_BROWSEINCLUDEFILES changes the chooser. The desktop's folder
// chooser has no computers, printers or network domains to browse, no separate edit box
// and nothing to validate, so the other flags are kept for the host and change nothing.
QString RunFolderPicker(const BrowseInfo& info) {
  const Dialogs::FolderChooser::Request request{info.Title, info.Root, (info.Flags & BIF_BROWSEINCLUDEFILES) != 0};
  return Dialogs::FolderService().ChooseFolder(info.Owner, request).value_or(QString());
}

bool IsWindowsNT() { return true; }

}  // namespace ModShellFolder
