#pragma once
// The command dispatcher: one table from each command key to its handler, run alike for a
// menu pick, a shortcut key, an image toolbar button and the wheel. Keys are compared
// case-sensitively and looked up once; handlers that serve several keys get the key again
// to pick their variant. What differs between the routes is a column of the table, never
// a second body.

#include <span>
#include <string_view>

class FrmMain;
class QString;

namespace MenuCommands {

using Handler = void (*)(FrmMain& window, std::string_view key);

// Where a command came from.
enum class Route { Menu, Key, Toolbar, Wheel };

// What a command asks about unsaved changes before it runs.
enum class Ask {
  Nothing,
  // It leaves the picture, by whichever route: Cancel, or a save that failed, keeps the
  // picture with its undo history and runs nothing.
  BeforeLeaving,
  // The answer only decides whether the picture is saved first; the command runs anyway.
  // A key runs it without asking.
  SaveFirst,
};

struct Command {
  std::string_view key;
  Handler handler;
  Ask ask = Ask::Nothing;
  // Off the menu (whose pick does it for every command), the command first marks the
  // first command after a picture was loaded.
  bool marksFirstCommand = false;
};

// Every key with an action, in menu order.
std::span<const Command> Table();
// Keys that have a menu row and deliberately no action.
std::span<const std::string_view> DocumentedNoOps();
// Keys whose actions come with later work; none are left.
std::span<const std::string_view> Pending();

// The command of a key; null when no row of the table has exactly that key.
const Command* Find(const QString& key);
const Command* FindKey(std::string_view key);
// Runs the key's handler, with the steps its route asks for; false when the key has none.
bool Run(FrmMain& window, std::string_view key, Route route);

}  // namespace MenuCommands
