#pragma once
// The command table behind every drawn menu of the main window: the seven menu-bar
// menus, the five pop-up menus and the folder history. Each row belongs to one menu and
// names the command it runs by a key of foundation/CommandKeys.h.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include <QString>

// A command key as the text the table holds.
QString CommandKeyText(std::string_view key);

// One row of the table. The columns are MAINNAME, KEYNAME, CAPTION, SHORTCUT, CHCECKED
// and VISIBLE, in that order.
struct MenuRow {
  // MAINNAME: the menu, 0 to 12.
  int menu = 0;
  // KEYNAME: the command key; "-" for a separator.
  QString key;
  // CAPTION: the text shown; "-" for a separator; the folder path of a history row.
  QString caption;
  // SHORTCUT: display text at the right of the row; nothing reacts to it.
  QString shortcut;
  // CHCECKED "T": the check mark shows.
  bool checked = false;
  // VISIBLE "T": the row is disabled (drawn grey, never highlighted, never reported).
  bool disabled = false;

  bool IsSeparator() const;
};

class MenuModel {
 public:
  static constexpr int MenuCount = 13;
  static constexpr int HistoryMenu = 12;
  // Rows of menus 0 to 11, which keep their numbers 1 to FixedRowCount for the table's life.
  static constexpr int FixedRowCount = 169;

  // The fixed rows, in menu order; no history rows yet.
  MenuModel();

  // The fixed number of rows of menus 0 to 11; nothing for the history or other indices.
  static std::optional<int> FixedMenuRows(int menu);

  // Appends one row. The caption comes before the key, as every caller lists them.
  void AddMenuItem(int menu, const QString& caption, const QString& key, const QString& shortcut = {},
                   bool checked = false, bool disabled = false);
  // Removes a history row by its 1-based number; the fixed rows stay.
  void RemoveRow(int number);

  int RowCount() const { return int(m_rows.size()); }
  // A row by its 1-based number.
  const MenuRow& Row(int number) const { return m_rows.at(std::size_t(number - 1)); }
  MenuRow& Row(int number) { return m_rows.at(std::size_t(number - 1)); }
  // Up to `count` rows from the 1-based number `first`, cut off at the table's end.
  std::span<const MenuRow> Rows(int first, int count) const;
  std::span<MenuRow> Rows(int first, int count);
  // The 1-based number of the menu's first row; nothing when no row belongs to it.
  std::optional<int> FirstRowOf(int menu) const;
  // The rows after the fixed ones: the folder history.
  int HistoryCount() const { return RowCount() - FixedRowCount; }

 private:
  std::vector<MenuRow> m_rows;
};
