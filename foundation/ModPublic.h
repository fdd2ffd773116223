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
// The one main window; null before it is created and after it unloads.
inline MainWindowServices* MainForm = nullptr;

// The folder the program's data folders live in, with a trailing separator.
QString ProgramFolder();
// Points the program folder elsewhere (tests, installs with a read-only program folder).
void SetProgramFolder(const QString& folder);

QString AddBackslash(const QString& path);
QString GetFileName(const QString& path);
QString GetExtension(const QString& path);
void DelayMs(int milliseconds);
int AskSaveChanges();
void ShowHelp();
bool RecycleFile(const QString& path);
bool ShellCopyFiles(const QString& source, const QString& targetFolder);
bool ShellMoveFiles(const QString& source, const QString& targetFolder);

}  // namespace ModPublic
