// The keyboard table: which action each key with its modifiers runs, in the table's order.
#include "mainwindow/ShortcutTable.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/forms/Input.h"

namespace {

class RecordedActions final : public ShortcutActions {
 public:
  void ToggleThumbnailPane() override { ran.push_back("pane"); }
  void DeleteFiles() override { ran.push_back("delete"); }
  void StartSlideshow() override { ran.push_back("slideshow"); }
  void ShowHelp() override { ran.push_back("help"); }
  void ToggleFit() override { ran.push_back("fit"); }
  void StepNext() override { ran.push_back("next"); }
  void StepBack() override { ran.push_back("back"); }
  void Open() override { ran.push_back("open"); }
  void Save() override { ran.push_back("save"); }
  void Print() override { ran.push_back("print"); }
  void Undo() override { ran.push_back("undo"); }
  void Redo() override { ran.push_back("redo"); }
  void SelectAll() override { ran.push_back("all"); }
  void Deselect() override { ran.push_back("deselect"); }
  void Copy() override { ran.push_back("copy"); }
  void Paste() override { ran.push_back("paste"); }
  std::vector<std::string> ran;
};

constexpr int kShift = Forms::vbShiftMask;
constexpr int kCtrl = Forms::vbCtrlMask;
constexpr int kAlt = Forms::vbAltMask;
constexpr int Key(char c) { return Forms::vbKeyA + (c - 'A'); }

struct Case {
  int key;
  int shift;
  const char* action;  // empty: nothing runs
};

TEST(ShortcutTable, EachKeyAndModifierRunsOneActionOrNone) {
  const Case cases[] = {
      {Forms::vbKeyTab, 0, "pane"},
      {Forms::vbKeyTab, kShift, "pane"},
      {Forms::vbKeyTab, kCtrl | kAlt, "pane"},
      {Forms::vbKeyDelete, kShift, "delete"},
      {Forms::vbKeyF1 + 4, 0, "slideshow"},
      {Forms::vbKeyF1, kCtrl, "help"},
      {Key('F'), kShift, "fit"},
      {Key('F'), 0, ""},
      {Key('F'), kCtrl, ""},
      {Key('E'), kShift, "next"},
      {Key('R'), kShift, "back"},
      {Key('E'), kShift | kCtrl, "next"},
      {Key('O'), kCtrl, "open"},
      {Key('O'), kCtrl | kShift, "open"},
      {Key('O'), 0, ""},
      {Key('O'), kAlt, ""},
      {Key('O'), kShift, ""},
      {Key('N'), kCtrl, ""},
      {Key('S'), kCtrl, "save"},
      {Key('P'), kCtrl, "print"},
      {Key('Z'), kCtrl, "undo"},
      {Key('Y'), kCtrl, "redo"},
      {Key('A'), kCtrl, "all"},
      {Key('D'), kCtrl, "deselect"},
      {Key('C'), kCtrl, "copy"},
      {Key('V'), kCtrl | kAlt, "paste"},
      {Key('V'), kShift, ""},
      {0, kCtrl, ""},
  };
  for (const Case& c : cases) {
    RecordedActions actions;
    const bool matched = ShortcutTable::Process(actions, c.key, c.shift);
    const std::string expected = c.action;
    EXPECT_EQ(matched, !expected.empty()) << c.key << " " << c.shift;
    EXPECT_EQ(actions.ran, expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected})
        << c.key << " " << c.shift;
  }
}

TEST(ShortcutTable, EveryRowHasItsOwnKeyAndAction) {
  std::set<std::pair<int, int>> keys;
  RecordedActions actions;
  for (const ShortcutTable::Row& row : ShortcutTable::Rows()) {
    EXPECT_TRUE(keys.insert({row.keyCode, int(row.modifier)}).second) << row.keyCode;
    (actions.*(row.action))();
  }
  EXPECT_EQ(std::set<std::string>(actions.ran.begin(), actions.ran.end()).size(), ShortcutTable::Rows().size());
}

}  // namespace
