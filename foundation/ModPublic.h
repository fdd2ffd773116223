#pragma once
// Start-up, the program-wide globals, and the path, file and prompt helpers every
// subsystem calls. Paths use "/" as the separator.

#include <cstdint>

#include <QString>

class MainWindowServices;

namespace ModPublic {

// Non-zero while the imaging layer runs.
inline std::uint32_t GdiplusToken = 0;
// The program folder with a trailing separator followed by "Datas/".
inline QString DataFolderPath;
// The accent colour of the interface.
inline std::uint8_t ThemeColorAlpha = 255;
inline std::uint8_t ThemeColorRed = 100;
inline std::uint8_t ThemeColorGreen = 140;
inline std::uint8_t ThemeColorBlue = 200;
// The command key of the tool armed on the canvas, shared by the main window and the canvas.
inline QString CurrentToolKey;
// The eraser sub-tool of the stamp tool and the fill style of vector shapes, as command keys.
inline QString EraserToolKey;
inline QString VectorFillStyle;
// The command key of the brush the stamp tool paints with.
inline QString StampBrushKey;
// The x of the thumbnail bar's zoom knob: the bar writes it, and the main window hands it
// back whenever it repaints the bar. It is not a pane position.
inline std::int32_t ThumBarDragPos = 0;
// The one main window; null before it is created and after it unloads. Start-up sets it
// once and nothing re-creates it, so code running late in shutdown finds it null.
inline MainWindowServices* MainForm = nullptr;

// The folder the program's data folders live in, with a trailing separator.
QString ProgramFolder();
// Points the program folder elsewhere (tests, installs with a read-only program folder).
void SetProgramFolder(const QString& folder);
// Where the data folders live for an executable in a folder: that folder when it is
// writable, else "lorvane/" under the user's data folder, seeded with the data folders
// shipped beside the executable. Both with a trailing separator.
QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder);

// The path with a trailing separator; a path that has one is returned as it is, and an
// empty path gives the lone separator.
QString AddBackslash(const QString& path);
// The part of a path after its last separator (the whole path when it has none).
QString GetFileName(const QString& path);
// The text after the last "." of the file name part, in lower case: the whole name when
// it has no ".", the empty string when it ends in one.
QString GetExtension(const QString& path);
// Asks whether to save the canvas's unsaved changes: 6 Yes (saved), 7 No (changes
// dropped), 2 Cancel, also when the save failed (the changes stay marked unsaved) and
// when Yes opened Save As for a picture with no file of its own; 0 when there was
// nothing to ask.
int AskSaveChanges();
// Tells the user that a save wrote nothing and the picture's changes are still there.
void SayImageNotSaved();
// Opens the help page beside the program.
void ShowHelp();
// Moves a file to the trash after asking; false when declined or impossible.
bool RecycleFile(const QString& path);
// Copies a file into a folder, asking before a same-named file is replaced.
bool ShellCopyFiles(const QString& source, const QString& targetFolder);
// Moves a file into a folder, asking before a same-named file is replaced.
bool ShellMoveFiles(const QString& source, const QString& targetFolder);

}  // namespace ModPublic
