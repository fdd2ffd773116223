#include <map>
#include <set>

#include <gtest/gtest.h>

#include "controls/MenuModel.h"

namespace {

const std::vector<int> kMenuRows{16, 29, 20, 31, 25, 4, 4, 5, 13, 2, 18, 2};

QString CaptionOf(const MenuModel& model, const QString& key) {
  for (int n = 1; n <= model.RowCount(); ++n) {
    if (model.Row(n).key == key) {
      return model.Row(n).caption;
    }
  }
  return {};
}

TEST(MenuModel, FixedRowsFormTwelveContiguousMenus) {
  const MenuModel model;
  ASSERT_EQ(model.RowCount(), 169);
  EXPECT_EQ(model.HistoryCount(), 0);
  std::map<int, int> rowsPerMenu;
  int separators = 0;
  int lastMenu = 0;
  for (int n = 1; n <= model.RowCount(); ++n) {
    const MenuRow& row = model.Row(n);
    EXPECT_GE(row.menu, lastMenu) << "row " << n << " breaks the menu order";
    lastMenu = row.menu;
    ++rowsPerMenu[row.menu];
    separators += row.IsSeparator() ? 1 : 0;
    EXPECT_FALSE(row.checked);
    EXPECT_FALSE(row.disabled);
  }
  EXPECT_EQ(separators, 37);
  for (int menu = 0; menu < 12; ++menu) {
    EXPECT_EQ(rowsPerMenu[menu], kMenuRows[std::size_t(menu)]) << "menu " << menu;
    EXPECT_EQ(MenuModel::FixedMenuRows(menu), kMenuRows[std::size_t(menu)]);
  }
  EXPECT_EQ(model.FirstRowOf(4), 97);
  EXPECT_EQ(model.FirstRowOf(12), std::nullopt);
  EXPECT_EQ(MenuModel::FixedMenuRows(12), std::nullopt);
}

TEST(MenuModel, KeysAreUniqueApartFromSeparators) {
  const MenuModel model;
  std::set<QString> keys;
  for (int n = 1; n <= model.RowCount(); ++n) {
    const MenuRow& row = model.Row(n);
    if (row.IsSeparator()) {
      EXPECT_EQ(row.caption, "-");
      EXPECT_TRUE(row.shortcut.isEmpty());
      continue;
    }
    EXPECT_TRUE(keys.insert(row.key).second) << row.key.toStdString();
  }
}

TEST(MenuModel, CaptionsAndShortcutsAreShownAsWritten) {
  const MenuModel model;
  EXPECT_EQ(CaptionOf(model, "File_ImportLib"), "Import to stamp libriary...");
  EXPECT_EQ(CaptionOf(model, "File_Fav"), "Send to Stamp Libriary");
  EXPECT_EQ(CaptionOf(model, "Edit_Hflip"), "Flip Horizintal");
  EXPECT_EQ(CaptionOf(model, "Edit_Prop"), "Calender Tool");
  EXPECT_EQ(CaptionOf(model, "Effect_Sharpe"), "Sharpe");
  EXPECT_EQ(CaptionOf(model, "Effect_Firefly"), "Fireflys");
  EXPECT_EQ(CaptionOf(model, "Effect_Rain"), "Rains");
  EXPECT_EQ(CaptionOf(model, "Effect_Mist"), "Mists");
  EXPECT_EQ(CaptionOf(model, "Line_11"), "11 Pixel");
  const int help = *model.FirstRowOf(6);
  EXPECT_EQ(model.Row(help).shortcut, "       F1");
  EXPECT_EQ(model.Row(*model.FirstRowOf(1) + 4).shortcut, "Ctrl+D");
}

TEST(MenuModel, OnlyHistoryRowsAreRemoved) {
  MenuModel model;
  model.AddMenuItem(MenuModel::HistoryMenu, "/photos", "File_History0");
  model.RemoveRow(1);
  model.RemoveRow(MenuModel::FixedRowCount);
  EXPECT_EQ(model.RowCount(), 170);
  model.RemoveRow(170);
  EXPECT_EQ(model.RowCount(), 169);
  EXPECT_EQ(model.Row(1).caption, "New");
}

TEST(MenuModel, RowRangesStopAtTheTableEnd) {
  const MenuModel model;
  EXPECT_EQ(model.Rows(168, 5).size(), 2u);
  EXPECT_EQ(model.Rows(170, 3).size(), 0u);
  EXPECT_EQ(model.Rows(0, 2).size(), 1u);
  EXPECT_EQ(model.Rows(5, -1).size(), 0u);
}

}  // namespace
