#pragma once
// The common dialogs the program shows, behind services that tests replace.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include <QString>

class QWidget;

namespace Dialogs {

// RGB colour reference: red in the lowest byte, then green, then blue.
using COLORREF = std::uint32_t;
using CustomColors = std::array<COLORREF, 16>;

// Lets the user pick a colour.
class ColorChooser {
 public:
  virtual ~ColorChooser() = default;
  // Shows the chooser starting at a colour with the custom colours, which come back as
  // the user left them whether the choice is confirmed or not. Returns the colour, or
  // nothing when the user cancels. FullOpen asks for the custom colour part expanded.
  virtual std::optional<COLORREF> ChooseColor(QWidget* owner, COLORREF initial, CustomColors& custom,
                                              bool FullOpen) = 0;
};

// The chooser in use: Qt's own colour dialog unless replaced.
ColorChooser& ColorService();
// Puts another chooser in place (null restores Qt's dialog); returns the previous one.
std::unique_ptr<ColorChooser> SetColorService(std::unique_ptr<ColorChooser> chooser);

// Lets the user pick a folder.
class FolderChooser {
 public:
  struct Request {
    QString Title;
    // Where the chooser opens; one that names no folder opens at the home folder.
    QString StartFolder;
    // Files are listed beside the folders (only a folder can be chosen).
    bool IncludeFiles = false;
  };
  virtual ~FolderChooser() = default;
  // The chosen folder's full path, of any length, or nothing when the user cancels.
  virtual std::optional<QString> ChooseFolder(QWidget* owner, const Request& request) = 0;
};

// The folder chooser in use: Qt's own directory dialog unless replaced.
FolderChooser& FolderService();
// Puts another chooser in place (null restores Qt's dialog); returns the previous one.
std::unique_ptr<FolderChooser> SetFolderService(std::unique_ptr<FolderChooser> chooser);

// The colour of a system colour index of the desktop palette (15 is the button face);
// unknown indices give the window colour.
COLORREF GetSysColor(int index);

}  // namespace Dialogs
