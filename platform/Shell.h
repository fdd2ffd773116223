#pragma once
// File operations the way the desktop's file manager does them: delete to the trash,
// copy and move into a folder with a question before anything is replaced, and open a
// document with its usual program. Every failure is told to the user in a message box
// and returned as false; callers may ignore the result.

#include <functional>

#include <QString>

class QUrl;

namespace Shell {

// Asks the user, then moves the file to the freedesktop trash. A file the trash cannot
// take is left where it is: it is never deleted outright. A file that does not exist is
// passed over silently. True only when the file went to the trash.
bool MoveToTrash(const QString& path);

// Copies a file into a folder, creating the folder when missing. A copy into the file's
// own folder gets a new name ("name - Copy.ext") so it never replaces its source; a
// same-named file elsewhere is replaced only when the user agrees, and only once the
// copy is complete.
bool CopyIntoFolder(const QString& source, const QString& targetFolder);

// Moves a file into a folder, creating the folder when missing; a same-named file there
// is replaced only when the user agrees. Across filesystems the file is copied, checked
// and only then removed from its old place.
bool MoveIntoFolder(const QString& source, const QString& targetFolder);

// Opens a local file, or a URL with a scheme, with the desktop's handler for it.
bool OpenDocument(const QString& pathOrUrl);
// What opens documents: the desktop's handler unless replaced (tests record instead). An
// empty opener restores the desktop's handler.
using DocumentOpener = std::function<bool(const QUrl& url)>;
void SetDocumentOpener(DocumentOpener opener);

// The name a copy of a file takes in its own folder: "name - Copy.ext", then
// "name - Copy (2).ext" and so on, the first one that is free.
QString FreeCopyName(const QString& folder, const QString& fileName);

}  // namespace Shell
