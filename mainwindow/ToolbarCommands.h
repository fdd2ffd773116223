#pragma once
// What each image toolbar button runs: a command key of the dispatcher's table.

#include <string_view>

#include "foundation/SkinnedControlServices.h"

namespace ToolbarCommands {

// The command key of a button; Count has none and gives an empty key.
std::string_view For(ImageToolbarButton button);

}  // namespace ToolbarCommands
