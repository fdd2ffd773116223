// The keyboard table and the image toolbar's buttons: which command each key with its
// modifiers and each button runs, and that the menu's shortcut captions tell the truth.
#include "mainwindow/ShortcutTable.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "mainwindow/MenuCommands.h"
#include "mainwindow/ToolbarCommands.h"
#include "platform/forms/Input.h"

namespace {

namespace K = CommandKeys;

constexpr int kShift = Forms::vbShiftMask;
constexpr int kCtrl = Forms::vbCtrlMask;
constexpr int kAlt = Forms::vbAltMask;
constexpr int Key(char c) { return Forms::vbKeyA + (c - 'A'); }

std::string_view CommandOf(int key, int shift) {
  const ShortcutTable::Row* row = ShortcutTable::Find(key, shift);
  return row == nullptr ? std::string_view() : row->command;
}

TEST(ShortcutTable, EachKeyAndModifierRunsOneCommandOrNone) {
  struct Case {
    int key;
    int shift;
    std::string_view command;  // empty: nothing runs
  };
  const Case cases[] = {
      {Forms::vbKeyTab, 0, K::View_Thumbpane},
      {Forms::vbKeyTab, kShift, K::View_Thumbpane},
      {Forms::vbKeyTab, kCtrl | kAlt, K::View_Thumbpane},
      {Forms::vbKeyDelete, kShift, K::Edit_Delete},
      {Forms::vbKeyF1 + 4, 0, K::View_Slideshow},
      {Forms::vbKeyF1, kCtrl, K::Help_Index},
      {Key('F'), kShift, K::View_Fitmode},
      {Key('F'), 0, {}},
      {Key('F'), kCtrl, {}},
      {Key('E'), kShift, K::View_Zoomin},
      {Key('R'), kShift, K::View_Zoomout},
      {Key('E'), kShift | kCtrl, K::View_Zoomin},
      {Key('O'), kCtrl, K::File_Open},
      {Key('O'), kCtrl | kShift, K::File_Open},
      {Key('O'), 0, {}},
      {Key('O'), kAlt, {}},
      {Key('O'), kShift, {}},
      {Key('N'), kCtrl, K::File_New},
      {Key('N'), 0, {}},
      {Key('S'), kCtrl, K::File_Save},
      {Key('P'), kCtrl, K::File_Print},
      {Key('Z'), kCtrl, K::Edit_Undo},
      {Key('Y'), kCtrl, K::Edit_Redo},
      {Key('A'), kCtrl, K::Edit_All},
      {Key('D'), kCtrl, K::Edit_Deselect},
      {Key('C'), kCtrl, K::Edit_Copy},
      {Key('V'), kCtrl | kAlt, K::Edit_Paste},
      {Key('V'), kShift, {}},
      {0, kCtrl, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandOf(c.key, c.shift), c.command) << c.key << " " << c.shift;
  }
}

TEST(ShortcutTable, EveryRowAndButtonNamesACommandOfTheTable) {
  std::set<std::pair<int, int>> keys;
  for (const ShortcutTable::Row& row : ShortcutTable::Rows()) {
    EXPECT_TRUE(keys.insert({row.keyCode, int(row.modifier)}).second) << row.keyCode;
    EXPECT_NE(MenuCommands::FindKey(row.command), nullptr) << row.command;
  }
  std::set<std::string_view> commands;
  for (int button = 0; button < ButtonId(ImageToolbarButton::Count); ++button) {
    const std::string_view command = ToolbarCommands::For(ImageToolbarButton(button));
    EXPECT_NE(MenuCommands::FindKey(command), nullptr) << button;
    EXPECT_TRUE(commands.insert(command).second) << "two buttons run " << command;
  }
  EXPECT_EQ(ToolbarCommands::For(ImageToolbarButton::Count), std::string_view());
}

// A menu caption such as "Ctrl+O", "Shift+E", "F5" or "Del" as a key with its Shift bits.
std::pair<int, int> KeyOfCaption(const QString& caption) {
  int shift = 0;
  QString key = caption;
  for (const auto& [prefix, bit] : {std::pair{QStringLiteral("Ctrl+"), kCtrl}, {QStringLiteral("Shift+"), kShift}}) {
    if (key.startsWith(prefix)) {
      shift |= bit;
      key = key.mid(prefix.size());
    }
  }
  if (key == QLatin1String("Del")) {
    return {Forms::vbKeyDelete, shift};
  }
  if (key.size() >= 2 && key.front() == QLatin1Char('F')) {
    return {Forms::vbKeyF1 + key.mid(1).toInt() - 1, shift};
  }
  return {key.size() == 1 ? Key(char(key.front().toLatin1())) : 0, shift};
}

TEST(ShortcutTable, EveryShortcutTheMenuShowsRunsThatRowsCommand) {
  // Clear Selection shows Ctrl+D, which is Cancel Selection's key.
  const std::set<std::string_view> shownOnly{K::Edit_Clearselect};
  const MenuModel model;
  int checked = 0;
  for (int number = 1; number <= MenuModel::FixedRowCount; ++number) {
    const MenuRow& row = model.Row(number);
    if (row.IsSeparator() || row.shortcut.isEmpty()) {
      continue;
    }
    const QByteArray key = row.key.toLatin1();
    const std::string_view command(key.constData(), std::size_t(key.size()));
    const auto [code, shift] = KeyOfCaption(row.shortcut.trimmed());
    if (shownOnly.count(command) != 0) {
      EXPECT_NE(CommandOf(code, shift), command) << row.shortcut.toStdString();
      continue;
    }
    EXPECT_EQ(CommandOf(code, shift), command) << row.shortcut.toStdString();
    ++checked;
  }
  EXPECT_GE(checked, 13);
}

}  // namespace
