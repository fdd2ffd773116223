// The pop-up rows that act before their menu's issue: the fill styles.
#include "mainwindow/TemporaryMenu.h"

#include <gtest/gtest.h>

#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "mainwindow/MenuCommands.h"

TEST(TemporaryMenu, FillStylesSetTheSharedStyleAndOtherKeysRunNothing) {
  Imageqzviewer canvas;
  for (const TemporaryMenu::Row& row : TemporaryMenu::Rows()) {
    EXPECT_EQ(MenuCommands::Find(CommandKeyText(row.key)), nullptr) << "the dispatcher has no handler yet";
    ASSERT_TRUE(TemporaryMenu::Run(CommandKeyText(row.key), canvas));
    EXPECT_EQ(ModPublic::VectorFillStyle, CommandKeyText(row.key));
  }
  EXPECT_FALSE(TemporaryMenu::Run(CommandKeyText(CommandKeys::Edit_Undo), canvas));
  ModPublic::VectorFillStyle.clear();
}
