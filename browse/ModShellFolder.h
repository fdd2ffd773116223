#pragma once
// Running the folder chooser for the folder picker control, and the platform test it
// makes before handing over a start folder.

#include <cstdint>

#include <QString>

class QWidget;

namespace ModShellFolder {

// The browse flags of the folder picker.
inline constexpr std::uint32_t BIF_RETURNONLYFSDIRS = 0x1;
inline constexpr std::uint32_t BIF_DONTGOBELOWDOMAIN = 0x2;
inline constexpr std::uint32_t BIF_EDITBOX = 0x10;
inline constexpr std::uint32_t BIF_VALIDATE = 0x20;
inline constexpr std::uint32_t BIF_NEWDIALOGSTYLE = 0x40;
inline constexpr std::uint32_t BIF_BROWSEFORCOMPUTER = 0x1000;
inline constexpr std::uint32_t BIF_BROWSEFORPRINTER = 0x2000;
inline constexpr std::uint32_t BIF_BROWSEINCLUDEFILES = 0x4000;

// What the chooser is asked: its owner, start folder (empty for none), title and flags.
struct BrowseInfo {
  QWidget* Owner = nullptr;
  QString Root;
  QString Title;
  std::uint32_t Flags = 0;
};

// Runs the folder chooser; the chosen folder's path, whatever its length, or the empty
// text when the user cancels.
QString RunFolderPicker(const BrowseInfo& info);
// Start folders are handed over as Unicode text here, always.
bool IsWindowsNT();

}  // namespace ModShellFolder
