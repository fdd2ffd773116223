#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "platform/Registry.h"
#include "screensaver/FrmConfig.h"
#include "screensaver/ScrSettings.h"
#include "support/TestFolder.h"

namespace {

class FrmConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { Registry::SetFilePath(m_home.File("registry.ini")); }
  void TearDown() override { Registry::SetFilePath({}); }
  bool Stored() const {
    return Registry::QueryValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", u"ScrInterval")
        .has_value();
  }

 private:
  TestSupport::TestFolder m_home;
};

TEST_F(FrmConfigTest, ShowsTheStoredIntervalOnAFixedDialog) {
  FrmConfig dialog;
  EXPECT_EQ(dialog.windowTitle(), "Vesk Lorvane Screensaver");
  EXPECT_EQ(dialog.size(), QSize(324, 137));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
  EXPECT_TRUE(dialog.windowIcon().isNull());
  EXPECT_EQ(dialog.InfoCaption()->text(), "Change Image every 0 Second(s).");
  EXPECT_EQ(dialog.TScroll()->maximum(), 60);
  EXPECT_EQ(dialog.TScroll()->pageStep(), 10);
  // The buttons sit 10 px from the bottom right corner, Ok left of Cancel.
  EXPECT_EQ(dialog.CancelButton()->geometry().right() + 1, 324 - 10);
  EXPECT_EQ(dialog.OkButton()->geometry().right() + 1, dialog.CancelButton()->x() - 10);
  dialog.TScroll()->setValue(12);
  EXPECT_EQ(dialog.InfoCaption()->text(), "Change Image every 12 Second(s).");

  dialog.resize(324, 137);
  dialog.show();
  dialog.grab().save(QDir(TestSupport::ArtifactsFolder()).filePath("screensaver-settings.png"));
}

TEST_F(FrmConfigTest, OkStoresTheIntervalAndCancelStoresNothing) {
  {
    FrmConfig dialog;
    dialog.TScroll()->setValue(25);
    dialog.CancelButton()->click();
    EXPECT_FALSE(Stored());
  }
  {
    FrmConfig dialog;
    dialog.OkButton()->click();
    EXPECT_TRUE(Stored());
    EXPECT_EQ(ScrSettings::IntervalSeconds(), 0);
  }
  {
    FrmConfig dialog;
    dialog.TScroll()->setValue(25);
    dialog.OkButton()->click();
    EXPECT_EQ(ScrSettings::IntervalSeconds(), 25);
  }
  FrmConfig reopened;
  EXPECT_EQ(reopened.TScroll()->value(), 25);
}

}  // namespace
