#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "foundation/ModPublic.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"
#include "support/fakes/ScriptedMessageBox.h"

using namespace ModPublic;
using Fakes::ScriptedMessageBox;

TEST(ModPublicPaths, HandleEdgeNames) {
  EXPECT_EQ(AddBackslash(""), "/");
  EXPECT_EQ(AddBackslash("/"), "/");
  EXPECT_EQ(AddBackslash("/home/pics"), "/home/pics/");
  EXPECT_EQ(AddBackslash("/home/pics/"), "/home/pics/");

  EXPECT_EQ(GetFileName("/a/b.JPG"), "b.JPG");
  EXPECT_EQ(GetFileName("b.JPG"), "b.JPG");
  EXPECT_EQ(GetFileName("/a/"), "");
  EXPECT_EQ(GetFileName(QString(40000, 'x') + "/tail.png"), "tail.png");

  EXPECT_EQ(GetExtension("/a.b/Photo.JPG"), "jpg");
  EXPECT_EQ(GetExtension("/a.b/README"), "readme");
  EXPECT_EQ(GetExtension("/a/x."), "");
  EXPECT_EQ(GetExtension("/a/archive.tar.GZ"), "gz");
  EXPECT_EQ(GetExtension("/a/.hidden"), "hidden");
}

class AskSaveChangesTest : public ::testing::Test {
 protected:
  void SetUp() override { MainForm = &window; }
  void TearDown() override { MainForm = nullptr; }
  Fakes::FakeMainWindow window;
};

TEST_F(AskSaveChangesTest, AsksNothingWithoutUnsavedChanges) {
  ScriptedMessageBox boxes;
  EXPECT_EQ(AskSaveChanges(), 0);
  window.canvas.saveState = false;  // saved state unknown but no effect applied
  EXPECT_EQ(AskSaveChanges(), 0);
  MainForm = nullptr;
  EXPECT_EQ(AskSaveChanges(), 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(AskSaveChangesTest, YesSavesAndClearsTheFlags) {
  window.canvas.MarkChanged();
  ScriptedMessageBox boxes({Forms::vbYes});
  EXPECT_EQ(AskSaveChanges(), Forms::vbYes);
  EXPECT_EQ(window.canvas.saves, 1);
  EXPECT_EQ(window.sheet.refreshes, 1);
  EXPECT_TRUE(window.canvas.saveState);
  EXPECT_FALSE(window.canvas.appliedEffect);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "Do you want to save the changes you've made to this image?");
  EXPECT_EQ(boxes.shown[0].title, "Save...");
  EXPECT_EQ(boxes.shown[0].style, 67);
}

TEST_F(AskSaveChangesTest, NoDropsTheChangesAndCancelKeepsThem) {
  window.canvas.MarkChanged();
  {
    ScriptedMessageBox boxes({Forms::vbCancel});
    EXPECT_EQ(AskSaveChanges(), Forms::vbCancel);
    EXPECT_FALSE(window.canvas.saveState);
    EXPECT_TRUE(window.canvas.appliedEffect);
  }
  ScriptedMessageBox boxes({Forms::vbNo});
  EXPECT_EQ(AskSaveChanges(), Forms::vbNo);
  EXPECT_EQ(window.canvas.saves, 0);
  EXPECT_TRUE(window.canvas.saveState);
  EXPECT_FALSE(window.canvas.appliedEffect);
}

TEST_F(AskSaveChangesTest, AFailedSaveKeepsTheChangesAndCancels) {
  window.canvas.MarkChanged();
  window.canvas.saveSucceeds = false;
  ScriptedMessageBox boxes({Forms::vbYes});
  EXPECT_EQ(AskSaveChanges(), Forms::vbCancel);
  EXPECT_FALSE(window.canvas.saveState);
  EXPECT_TRUE(window.canvas.appliedEffect);
  EXPECT_EQ(window.sheet.refreshes, 0);
  EXPECT_EQ(boxes.shown.size(), 2u);  // the question and the failure
}

TEST_F(AskSaveChangesTest, YesForAPictureWithoutAFileOfItsOwnOpensSaveAsAndWaits) {
  window.canvas.MarkChanged();
  window.canvas.hasFileOfItsOwn = false;
  ScriptedMessageBox boxes({Forms::vbYes});
  EXPECT_EQ(AskSaveChanges(), Forms::vbCancel) << "whatever asked waits for the save";
  EXPECT_EQ(window.saveAsDialogs, 1);
  EXPECT_EQ(window.canvas.saves, 0);
  EXPECT_FALSE(window.canvas.saveState) << "the changes stay marked until Save As writes them";
  EXPECT_TRUE(window.canvas.appliedEffect);
  EXPECT_EQ(boxes.shown.size(), 1u) << "no failure is reported";
}

TEST(ModPublicFolders, UseTheExecutableFolderOrASeededUserFolder) {
  TestSupport::TestFolder folder;
  const QString exe = folder.MakeFolder("bin");
  folder.Write("bin/Help/Index.htm", "help");
  EXPECT_EQ(ChooseProgramFolder(exe, folder.File("data")), exe + "/");
  // A folder that cannot be written (here: one that is gone) moves the data aside.
  const QString aside = ChooseProgramFolder(folder.File("gone"), folder.File("data"));
  EXPECT_EQ(aside, folder.File("data") + "/lorvane/");
  EXPECT_TRUE(QFileInfo(aside + "Datas").isDir());

  QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  if (QFileInfo(exe).isWritable()) {
    GTEST_SKIP() << "folder permissions are not enforced for this user";
  }
  const QString chosen = ChooseProgramFolder(exe, folder.File("data"));
  QFile::setPermissions(exe, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(chosen, folder.File("data") + "/lorvane/");
  QFile help(chosen + "Help/Index.htm");
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  EXPECT_EQ(help.readAll(), "help");
  EXPECT_TRUE(QFileInfo(chosen + "Datas").isDir());
}
