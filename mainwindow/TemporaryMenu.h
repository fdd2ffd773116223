#pragma once
// The editing commands that work today, run by a pick in the drawn menu until the command
// dispatcher exists. Its rows name the same command keys the dispatcher's table will
// use, so that table replaces this one row by row.

#include <span>
#include <string_view>

class Imageqzviewer;
class MainWindowServices;
class QString;

namespace TemporaryMenu {

struct Row {
  std::string_view key;
  const char* caption;
  void (*action)(Imageqzviewer& canvas, MainWindowServices& main);
};

std::span<const Row> Rows();
// Runs the action of the row with the key; false when no row has it.
bool Run(const QString& key, Imageqzviewer& canvas, MainWindowServices& main);

// What the menu's "Browse Image" and the end of every tool do to the canvas: viewing,
// no tool armed, fit mode off.
void ResetToBrowse(Imageqzviewer& canvas, MainWindowServices& main);

}  // namespace TemporaryMenu
