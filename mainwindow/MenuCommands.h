#pragma once
// The command dispatcher: one table from each command key a menu pick can run to its
// handler. Keys are compared case-sensitively and looked up once; handlers that serve
// several keys get the key again to pick their variant.

#include <span>
#include <string_view>

class FrmMain;
class QString;

namespace MenuCommands {

using Handler = void (*)(FrmMain& window, std::string_view key);

struct Command {
  std::string_view key;
  Handler handler;
};

// Every key with an action, in menu order.
std::span<const Command> Table();
// Keys that have a menu row and deliberately no action.
std::span<const std::string_view> DocumentedNoOps();
// Keys whose actions come with later work; none are left.
std::span<const std::string_view> Pending();

// The command of a key; null when no row of the table has exactly that key.
const Command* Find(const QString& key);
// Runs the key's handler; false when the key has none.
bool Run(FrmMain& window, const QString& key);

}  // namespace MenuCommands
