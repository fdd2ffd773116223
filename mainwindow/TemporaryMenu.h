#pragma once
// A plain menu bar with the editing commands that work today, until the drawn menu and
// the command dispatcher exist. Its rows name the same command keys the dispatcher's
// table will use, so that table replaces this one row by row.

#include <span>
#include <string_view>

class Imageqzviewer;
class MainWindowServices;
class QMenuBar;
class QWidget;

namespace TemporaryMenu {

// The menu a row belongs to, in the order the bar shows them.
enum class Menu { Edit, ImageTool, Effect };

struct Row {
  Menu menu;
  std::string_view key;
  const char* caption;
  void (*action)(Imageqzviewer& canvas, MainWindowServices& main);
};

std::span<const Row> Rows();
// The title of a menu, with its Alt letter marked.
const char* Title(Menu menu);

// The bar, filling host; each row runs its action on the canvas.
QMenuBar* Install(QWidget& host, Imageqzviewer& canvas, MainWindowServices& main);

// What the menu's "Browse Image" and the end of every tool do to the canvas: viewing,
// no tool armed, fit mode off.
void ResetToBrowse(Imageqzviewer& canvas, MainWindowServices& main);

}  // namespace TemporaryMenu
