#pragma once
// What the file task dialog decides without touching a window: the texts of each task,
// the new names of a rename, and the sizes the canvas-resize task accepts.

#include <optional>

#include <QSize>
#include <QString>
#include <QStringList>

namespace ShellTasks {

// The tasks, by the number the callers set as PublicShell.
enum Task { CopyImages = 0, MoveImages = 1, RenameImages = 2, CanvasResize = 3, SendToStamp = 4 };

struct Texts {
  QString Title;
  QString Prompt;
  QString Note;
};

// The title, prompt and note the dialog shows for a task.
Texts TaskTexts(int task);

// The base name a rename or a stamp takes from the text box: "Untitled" when it is empty.
QString NameOrUntitled(const QString& text);

// Whether a name typed for a rename or a stamp names a file in the folder it is meant for:
// it is not empty, holds no "/" and is not "." or "..", which would reach elsewhere.
bool IsPlainName(const QString& name);
// What the user is told when a typed name is not a plain one.
QString NotPlainNameMessage();

// The name a rename proposes for a file: its name without the extension the rename adds
// back ("a1" for "/x/a1.jpg").
QString ProposedName(const QString& file);

// The new paths of a rename to a base name, in the order of the files: each in its own
// folder, indexed from 1 when there are several ("Trip1.jpg", "Trip2.png"), the
// extension of the file name in lower case. A name without an extension gets none.
QStringList RenamedPaths(const QStringList& files, const QString& base);

// A folder and a file name joined by exactly one "/".
QString JoinPath(const QString& folder, const QString& name);

// The largest side the canvas-resize task accepts, in pixels.
inline constexpr int kMaxSide = 20000;
// A new canvas size from the two text boxes: whole numbers from 1 to kMaxSide, nothing
// otherwise.
std::optional<QSize> ParseCanvasSize(const QString& width, const QString& height);

}  // namespace ShellTasks
