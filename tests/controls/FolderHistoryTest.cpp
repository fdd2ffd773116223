#include <filesystem>

#include <gtest/gtest.h>

#include <QFile>

#include "controls/FolderHistory.h"
#include "controls/MenuModel.h"
#include "support/TestFolder.h"

namespace {

using TestSupport::TestFolder;

QStringList Captions(const MenuModel& model) {
  QStringList captions;
  for (int n = MenuModel::FixedRowCount + 1; n <= model.RowCount(); ++n) {
    captions << model.Row(n).caption;
  }
  return captions;
}

// One run of the program: the table is built, the file read, folders visited, the file written.
QStringList ProgramRun(const QString& file, const QStringList& visited) {
  MenuModel model;
  FolderHistory::UpdateHistory(model, FolderHistory::ReadHistoryFile(file));
  for (const QString& folder : visited) {
    FolderHistory::HistoryCreate(model, folder);
  }
  FolderHistory::WriteHistoryFile(file, model);
  return Captions(model);
}

QStringList Folders(int from, int to) {
  QStringList folders;
  for (int i = from; i <= to; ++i) {
    folders << QStringLiteral("/pictures/%1").arg(i);
  }
  return folders;
}

TEST(FolderHistory, KeepsOrderAcrossRunsAndEvictsTheOldest) {
  TestFolder data;
  const QString file = FolderHistory::HistoryFile(data.Path() + "/");
  EXPECT_EQ(ProgramRun(file, Folders(1, 15)), Folders(1, 15));
  EXPECT_EQ(ProgramRun(file, {}), Folders(1, 15));
  EXPECT_EQ(ProgramRun(file, {"/pictures/16"}), Folders(2, 16));

  QFile written(file);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.readAll().startsWith("/pictures/16\r\n/pictures/15\r\n"));
}

TEST(FolderHistory, DuplicatesAreExactMatchesAndKeepTheirPlace) {
  MenuModel model;
  EXPECT_TRUE(FolderHistory::HistoryCreate(model, "/home/a/Photos"));
  EXPECT_TRUE(FolderHistory::HistoryCreate(model, "/home/a/Work"));
  EXPECT_FALSE(FolderHistory::HistoryCreate(model, "/home/a/Photos"));
  EXPECT_TRUE(FolderHistory::HistoryCreate(model, "/home/a/photos"));
  EXPECT_EQ(Captions(model), QStringList({"/home/a/Photos", "/home/a/Work", "/home/a/photos"}));
  // An added row is numbered by the table's size before it, a loaded one by its position.
  EXPECT_EQ(model.Row(170).key, "File_History169");
  EXPECT_EQ(model.Row(172).key, "File_History171");
  EXPECT_EQ(model.Row(170).menu, MenuModel::HistoryMenu);
}

TEST(FolderHistory, LinesAreReadWholeAndEmptyOnesSkipped) {
  TestFolder data;
  const QString file = data.Write("History.tmp", "/b/new, with comma\r\n\r\n/b/\xc3\xa9t\xc3\xa9\r\n\n/b/old\r\n");
  MenuModel model;
  FolderHistory::UpdateHistory(model, FolderHistory::ReadHistoryFile(file));
  EXPECT_EQ(Captions(model), QStringList({"/b/old", QString::fromUtf8("/b/\xc3\xa9t\xc3\xa9"), "/b/new, with comma"}));
  EXPECT_EQ(model.Row(170).key, "File_History0");

  ASSERT_TRUE(FolderHistory::WriteHistoryFile(file, model));
  EXPECT_EQ(ProgramRun(file, {}), Captions(model));
}

TEST(FolderHistory, ALongFileIsCutToTheLimitAtTheNextAddition) {
  TestFolder data;
  QByteArray lines;
  for (int i = 20; i >= 1; --i) {
    lines += QStringLiteral("/pictures/%1\r\n").arg(i).toUtf8();
  }
  const QString file = data.Write("History.tmp", lines);
  MenuModel model;
  FolderHistory::UpdateHistory(model, FolderHistory::ReadHistoryFile(file));
  EXPECT_EQ(model.HistoryCount(), 20);
  FolderHistory::HistoryCreate(model, "/pictures/21");
  EXPECT_EQ(Captions(model), Folders(7, 21));
}

TEST(FolderHistory, AMissingFileGivesAnEmptyHistory) {
  TestFolder data;
  EXPECT_TRUE(FolderHistory::ReadHistoryFile(data.File("History.tmp")).empty());
  EXPECT_TRUE(FolderHistory::ReadHistoryFile(data.Path()).empty());
}

TEST(FolderHistory, AFailedWriteLeavesTheOldFile) {
  TestFolder data;
  const QString folder = data.MakeFolder("Datas");
  const QString file = FolderHistory::HistoryFile(folder + "/");
  ProgramRun(file, {"/kept"});
  namespace fs = std::filesystem;
  fs::permissions(folder.toStdString(), fs::perms::owner_read | fs::perms::owner_exec);
  const bool canStillWrite = QFile(folder + "/probe").open(QIODevice::WriteOnly);
  MenuModel model;
  FolderHistory::HistoryCreate(model, "/lost");
  const bool written = FolderHistory::WriteHistoryFile(file, model);
  fs::permissions(folder.toStdString(), fs::perms::owner_all);
  if (canStillWrite) {
    GTEST_SKIP() << "running with rights that ignore folder permissions";
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(ProgramRun(file, {}), QStringList({"/kept"}));
}

TEST(FolderHistory, AWriteIntoAFolderThatCannotBeMadeFailsQuietly) {
  TestFolder data;
  const QString notAFolder = data.Write("Datas", "a file where the data folder should be");
  MenuModel model;
  FolderHistory::HistoryCreate(model, "/lost");
  EXPECT_FALSE(FolderHistory::WriteHistoryFile(FolderHistory::HistoryFile(notAFolder + "/"), model));
  QFile kept(notAFolder);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "a file where the data folder should be");
}

TEST(FolderHistory, APathWithALineBreakIsNotStored) {
  TestFolder data;
  const QString file = FolderHistory::HistoryFile(data.Path() + "/");
  EXPECT_EQ(ProgramRun(file, {"/a", "/b\nc", "/d"}), QStringList({"/a", "/b\nc", "/d"}));
  EXPECT_EQ(ProgramRun(file, {}), QStringList({"/a", "/d"}));
}

}  // namespace
