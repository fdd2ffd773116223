#pragma once
// The program's one keyboard table. Every focusable control passes its keys here, so a
// shortcut does the same over the sheet, the canvas, the menus and the panels. Rows are
// tried in order and the first that matches runs: the keys that act with any modifier,
// then the Shift keys, then the Ctrl keys, so Ctrl+Shift+O still opens.

#include <span>

// What the keys do; the main window provides it, tests record it.
class ShortcutActions {
 public:
  virtual ~ShortcutActions() = default;
  virtual void ToggleThumbnailPane() = 0;
  virtual void DeleteFiles() = 0;
  virtual void StartSlideshow() = 0;
  virtual void ShowHelp() = 0;
  virtual void ToggleFit() = 0;
  // The sheet's next or previous picture, without asking about unsaved changes.
  virtual void StepNext() = 0;
  virtual void StepBack() = 0;
  virtual void Open() = 0;
  virtual void Save() = 0;
  virtual void Print() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void SelectAll() = 0;
  virtual void Deselect() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
};

namespace ShortcutTable {

enum class Modifier { Any, Shift, Ctrl };

struct Row {
  int keyCode;
  Modifier modifier;
  void (ShortcutActions::*action)();
};

std::span<const Row> Rows();
// The first row for a virtual-key code with its Shift bits (1 Shift, 2 Ctrl, 4 Alt);
// null when no row matches.
const Row* Find(int KeyCode, int Shift);
// Runs the matching row's action; false when no row matches.
bool Process(ShortcutActions& actions, int KeyCode, int Shift);

}  // namespace ShortcutTable
