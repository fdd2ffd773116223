#pragma once
// The program's one keyboard table. Every focusable control passes its keys here, so a
// shortcut does the same over the sheet, the canvas, the menus and the panels. Each row
// names a command key of the dispatcher's table, which runs it as it runs a menu pick.
// Rows are tried in order and the first that matches runs: the keys that act with any
// modifier, then the Shift keys, then the Ctrl keys, so Ctrl+Shift+O still opens.

#include <span>
#include <string_view>

namespace ShortcutTable {

enum class Modifier { Any, Shift, Ctrl };

struct Row {
  int keyCode;
  Modifier modifier;
  std::string_view command;
};

std::span<const Row> Rows();
// The first row for a virtual-key code with its Shift bits (1 Shift, 2 Ctrl, 4 Alt);
// null when no row matches.
const Row* Find(int KeyCode, int Shift);

}  // namespace ShortcutTable
