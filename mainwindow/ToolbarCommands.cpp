#include "mainwindow/ToolbarCommands.h"

#include <array>
#include <cstddef>

#include "foundation/CommandKeys.h"

namespace ToolbarCommands {

namespace {

namespace K = CommandKeys;

// In the order of the buttons.
constexpr std::array<std::string_view, std::size_t(ImageToolbarButton::Count)> kCommands{
    K::File_New,     K::File_Open,    K::File_SaveAs, K::File_Import, K::View_Slideshow,
    K::View_Fitmode, K::View_Zoomout, K::View_Zoomin, K::Edit_Undo,   K::Edit_Redo,
};

}  // namespace

std::string_view For(ImageToolbarButton button) {
  const auto index = std::size_t(button);
  return index < kCommands.size() ? kCommands[index] : std::string_view();
}

}  // namespace ToolbarCommands
