#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/Shell.h"
#include "support/TestFolder.h"
#include "support/fakes/ScriptedMessageBox.h"

using Fakes::ScriptedMessageBox;
using TestSupport::RedirectedDataHome;
using Forms::vbNo;
using Forms::vbYes;

namespace {

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}


}  // namespace

TEST(ShellTrash, MovesToTheTrashOnlyWhenTheUserAgrees) {
  TestSupport::TestFolder folder;
  RedirectedDataHome home(folder.MakeFolder("data"));
  const QString file = folder.Write("pics/photo.jpg", "pixels");

  ScriptedMessageBox boxes({vbNo, vbYes});
  EXPECT_FALSE(Shell::MoveToTrash(file));
  EXPECT_TRUE(QFileInfo::exists(file));
  EXPECT_TRUE(Shell::MoveToTrash(file));
  EXPECT_FALSE(QFileInfo::exists(file));
  EXPECT_EQ(Contents(folder.File("data/Trash/files/photo.jpg")), "pixels");
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_TRUE(boxes.shown[0].prompt.contains("photo.jpg"));

  // The same file again, as a batch naming the shown picture twice would: nothing to ask.
  EXPECT_FALSE(Shell::MoveToTrash(file));
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST(ShellTrash, AFreshAccountGetsItsTrashMade) {
  TestSupport::TestFolder folder;
  // Neither the data home nor its parents exist yet.
  RedirectedDataHome home(folder.File("home/.local/share"));
  const QString file = folder.Write("pics/photo.jpg", "pixels");
  ScriptedMessageBox boxes({vbYes});
  ASSERT_TRUE(Shell::MoveToTrash(file));
  EXPECT_FALSE(QFileInfo::exists(file));
  EXPECT_EQ(Contents(folder.File("home/.local/share/Trash/files/photo.jpg")), "pixels");
  EXPECT_TRUE(QFileInfo::exists(folder.File("home/.local/share/Trash/info/photo.jpg.trashinfo")));
  for (const char* made : {"home", "home/.local", "home/.local/share", "home/.local/share/Trash"}) {
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                      QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(QFileInfo(folder.File(made)).permissions() & others) << made;
  }
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST(ShellTrash, AFailedTrashNeverDeletesTheFile) {
  TestSupport::TestFolder folder;
  // "Trash" in the data home is a plain file, so the home trash cannot be made.
  RedirectedDataHome home(folder.MakeFolder("data"));
  folder.Write("data/Trash", "in the way");
  const QString file = folder.Write("keep.txt", "precious");
  ScriptedMessageBox boxes({vbYes});
  if (Shell::MoveToTrash(file)) {
    GTEST_SKIP() << "the trash of the file's own filesystem took it";
  }
  EXPECT_EQ(Contents(file), "precious");
  EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("files/keep.txt")));
  EXPECT_EQ(boxes.shown.size(), 2u);  // the question and the failure
}

TEST(ShellCopy, ACopyIntoItsOwnFolderGetsAFreeNameAndLeavesTheSource) {
  TestSupport::TestFolder folder;
  const QString source = folder.Write("a/photo.jpg", "original");
  ScriptedMessageBox boxes;
  EXPECT_TRUE(Shell::CopyIntoFolder(source, folder.File("a")));
  EXPECT_TRUE(Shell::CopyIntoFolder(source, folder.File("a") + "/"));
  EXPECT_EQ(Contents(source), "original");
  EXPECT_EQ(Contents(folder.File("a/photo - Copy.jpg")), "original");
  EXPECT_EQ(Contents(folder.File("a/photo - Copy (2).jpg")), "original");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(Shell::FreeCopyName(folder.File("a"), "README"), "README - Copy");
  EXPECT_EQ(Shell::FreeCopyName(folder.File("a"), ".hidden"), ".hidden - Copy");
}

TEST(ShellCopy, MakesAMissingFolderAndAsksBeforeReplacing) {
  TestSupport::TestFolder folder;
  const QString source = folder.Write("a/photo.jpg", "new");
  ScriptedMessageBox boxes({vbNo, vbYes});
  EXPECT_TRUE(Shell::CopyIntoFolder(source, folder.File("b/c")));
  EXPECT_EQ(Contents(folder.File("b/c/photo.jpg")), "new");
  EXPECT_TRUE(boxes.shown.empty());

  folder.Write("d/photo.jpg", "old");
  EXPECT_FALSE(Shell::CopyIntoFolder(source, folder.File("d")));
  EXPECT_EQ(Contents(folder.File("d/photo.jpg")), "old");
  EXPECT_TRUE(Shell::CopyIntoFolder(source, folder.File("d")));
  EXPECT_EQ(Contents(folder.File("d/photo.jpg")), "new");
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST(ShellMove, MovesWithoutQuestionsButNeverOverwritesSilently) {
  TestSupport::TestFolder folder;
  const QString first = folder.Write("a/one.png", "1");
  ScriptedMessageBox boxes({vbNo, vbYes});
  EXPECT_TRUE(Shell::MoveIntoFolder(first, folder.File("b")));
  EXPECT_FALSE(QFileInfo::exists(first));
  EXPECT_EQ(Contents(folder.File("b/one.png")), "1");
  EXPECT_TRUE(boxes.shown.empty());

  const QString second = folder.Write("a/one.png", "2");
  EXPECT_FALSE(Shell::MoveIntoFolder(second, folder.File("b")));
  EXPECT_EQ(Contents(second), "2");
  EXPECT_EQ(Contents(folder.File("b/one.png")), "1");
  EXPECT_TRUE(Shell::MoveIntoFolder(second, folder.File("b")));
  EXPECT_FALSE(QFileInfo::exists(second));
  EXPECT_EQ(Contents(folder.File("b/one.png")), "2");
}

TEST(ShellMove, MissingSourcesAndOwnFolderMovesChangeNothing) {
  TestSupport::TestFolder folder;
  const QString file = folder.Write("a/x.gif", "gif");
  ScriptedMessageBox boxes;
  EXPECT_TRUE(Shell::MoveIntoFolder(file, folder.File("a")));
  EXPECT_EQ(Contents(file), "gif");
  EXPECT_FALSE(Shell::MoveIntoFolder(folder.File("a/none.gif"), folder.File("b")));
  EXPECT_FALSE(Shell::CopyIntoFolder(folder.File("a/none.gif"), folder.File("b")));
  EXPECT_EQ(boxes.shown.size(), 2u);
}
