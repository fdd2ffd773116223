#pragma once
// Pop-up menu rows that act before their menu's own issue: the dispatcher runs them for
// keys it has no handler for yet. Each row becomes a dispatcher handler when its menu
// lands, and this table goes when it is empty.

#include <span>
#include <string_view>

class Imageqzviewer;
class QString;

namespace TemporaryMenu {

struct Row {
  std::string_view key;
  const char* caption;
  void (*action)(Imageqzviewer& canvas);
};

std::span<const Row> Rows();
// Runs the action of the row with the key; false when no row has it.
bool Run(const QString& key, Imageqzviewer& canvas);

}  // namespace TemporaryMenu
