#include "canvas/UndoSnapshots.h"

#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLockFile>

#include <gtest/gtest.h>

#include "canvas/SnapshotFolder.h"
#include "canvas/StampSnapshots.h"
#include "support/TestFolder.h"

namespace {

QImage Flat(QRgb colour, QSize size = {6, 4}) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

QRgb ColourOf(const std::optional<QImage>& picture) { return picture ? picture->pixel(1, 1) : 0; }
QRgb FileColour(const QString& path) {
  const QImage image(path);
  return image.isNull() ? 0 : image.pixel(1, 1);
}

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kGrey = 0xFF808080;

class SnapshotTest : public ::testing::Test {
 protected:
  QString Data() const { return m_root.File("Datas"); }
  // A red stamp file, chosen to start a stamp history from.
  QString ChosenStamp() const {
    const QString chosen = m_root.File("stamp.png");
    EXPECT_TRUE(Flat(kRed).save(chosen, "PNG"));
    return chosen;
  }

  TestSupport::TestFolder m_root;
  SnapshotFolder m_folder{Data()};
};

}  // namespace

TEST_F(SnapshotTest, AKeptPictureIsWrittenOnlyWithTheNextWriteAndNeverLetGoBefore) {
  UndoSnapshots history(m_folder, 0);
  history.Keep(0, Flat(kRed));
  history.WaitForWrites();
  EXPECT_FALSE(QFile::exists(history.FilePath(0)));
  // Not on disk, so even a zero budget keeps it.
  EXPECT_EQ(ColourOf(history.Read(0)), kRed);
  EXPECT_TRUE(history.Exists(0));

  history.Write(1, Flat(kGreen));
  history.WaitForWrites();
  EXPECT_EQ(FileColour(history.FilePath(0)), kRed);
  EXPECT_EQ(FileColour(history.FilePath(1)), kGreen);

  // A picture kept and then replaced or cleared is never written.
  history.Keep(0, Flat(kBlue));
  history.Clear();
  history.Keep(0, Flat(kGrey));
  history.Write(0, Flat(kBlue));
  history.WaitForWrites();
  EXPECT_EQ(FileColour(history.FilePath(0)), kBlue);
  EXPECT_FALSE(QFile::exists(history.FilePath(1)));
}

TEST_F(SnapshotTest, APictureReadsBackAtOnceAndFromItsFileOnceMemoryLetsItGo) {
  // Without compressed copies a written snapshot is read back from its file.
  UndoSnapshots history(m_folder, 0);
  history.Write(0, Flat(kRed));
  history.Write(1, Flat(kGreen));
  history.Write(2, Flat(kBlue));
  EXPECT_EQ(ColourOf(history.Read(1)), kGreen);  // whether or not its file exists yet
  history.WaitForWrites();
  EXPECT_EQ(FileColour(history.FilePath(0)), kRed);
  EXPECT_EQ(FileColour(history.FilePath(2)), kBlue);
  EXPECT_EQ(ColourOf(history.Read(0)), kRed);
  EXPECT_EQ(history.Count(), 3);
  EXPECT_FALSE(history.Read(3));

  const auto back = history.Step(2, true);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->first, 1);
  EXPECT_EQ(back->second.pixel(1, 1), kGreen);
  EXPECT_EQ(history.Step(0, true)->first, 0);  // undo at 0 shows 0 again
  EXPECT_FALSE(history.Step(2, false));        // redo at the newest
}

TEST_F(SnapshotTest, ANewEditAfterUndoForgetsTheLaterSnapshots) {
  UndoSnapshots history(m_folder);
  for (int i = 0; i < 4; ++i) {
    history.Write(i, Flat(qRgb(i, i, i)));
  }
  history.Write(2, Flat(kRed));
  history.WaitForWrites();
  EXPECT_EQ(history.Count(), 3);
  EXPECT_FALSE(history.Exists(3));
  EXPECT_FALSE(QFile::exists(history.FilePath(3)));
  EXPECT_FALSE(history.Step(2, false));
  EXPECT_EQ(FileColour(history.FilePath(2)), kRed);

  history.Clear();
  history.WaitForWrites();
  EXPECT_EQ(history.Count(), 0);
  EXPECT_TRUE(QDir(m_folder.Path()).entryList({"*.udo"}, QDir::Files).isEmpty());
}

TEST_F(SnapshotTest, TheNewestWriteOfAPositionIsTheOneOnDisk) {
  UndoSnapshots history(m_folder);
  const QSize large(800, 600);  // slow enough that later writes queue behind it
  for (int i = 0; i < 5; ++i) {
    history.Write(UndoSnapshots::CommitPosition(UndoSnapshots::kLastPosition), Flat(qRgb(10 * i, 0, 0), large));
  }
  history.Write(50, Flat(kGreen, large));
  EXPECT_EQ(ColourOf(history.Read(50)), kGreen);
  history.WaitForWrites();
  EXPECT_EQ(FileColour(history.FilePath(50)), kGreen);
  EXPECT_EQ(UndoSnapshots::CommitPosition(49), 50);
  EXPECT_EQ(UndoSnapshots::CommitPosition(3), 4);
}

TEST_F(SnapshotTest, UnreadableOrUnwrittenSnapshotsGiveNoStep) {
  UndoSnapshots history(m_folder, 0);
  for (int position = 0; position <= 3; ++position) {
    history.Write(position, Flat(qRgb(position, 0, 0)));
  }
  history.WaitForWrites();
  QFile damaged(history.FilePath(1));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("not a picture");
  damaged.close();
  // The step before the shown one is in memory; the one before that only in its file.
  ASSERT_TRUE(history.Step(3, true));
  EXPECT_FALSE(history.Step(2, true));
}

TEST_F(SnapshotTest, WhenWritesFailTheUserIsToldOnceAndOnlyTheNewestThatFitStay) {
  UndoSnapshots history(m_folder, 0);
  std::vector<QString> reasons;
  history.OnWriteFailure([&reasons](const QString& reason) { reasons.push_back(reason); });
  history.Keep(0, Flat(kRed));
  // The folder is taken away and a plain file stands in its place: writes fail.
  ASSERT_TRUE(m_folder.Ensure());
  QDir(m_folder.Path()).removeRecursively();
  QFile blocker(m_folder.Path().chopped(1));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  for (int position = 1; position <= 5; ++position) {
    history.Write(position, Flat(qRgb(position, 0, 0)));
    history.WaitForWrites();
  }
  EXPECT_EQ(reasons, std::vector<QString>{"the data folder cannot be written to"});
  // The shown step and the one before stay; the older ones, position 0 too, are let go.
  EXPECT_EQ(ColourOf(history.Read(5)), qRgb(5, 0, 0));
  const auto back = history.Step(5, true);
  ASSERT_TRUE(back);
  EXPECT_EQ(ColourOf(back->second), qRgb(4, 0, 0));
  for (int position = 0; position <= 3; ++position) {
    EXPECT_FALSE(history.Exists(position)) << position;
  }
  EXPECT_FALSE(history.Step(4, true));

  // Once writes work again, a later failure is reported again.
  QFile::remove(m_folder.Path().chopped(1));
  ASSERT_TRUE(QDir().mkpath(m_folder.Path()));
  history.Write(6, Flat(kBlue));
  history.WaitForWrites();
  EXPECT_EQ(FileColour(history.FilePath(6)), kBlue);
  EXPECT_EQ(reasons.size(), 1U);
}

TEST_F(SnapshotTest, EachProgramHasItsOwnFolderAndCleansUpAfterOthersThatEnded) {
  // A program that ended without cleaning up left a folder and no live lock.
  const QString abandoned = Data() + "/Session999999/";
  QDir().mkpath(abandoned);
  QFile(abandoned + "Undo0.udo").open(QIODevice::WriteOnly);
  // A running program holds its lock.
  const QString running = Data() + "/Session1";
  QDir().mkpath(running);
  QLockFile lock(running + ".lock");
  ASSERT_TRUE(lock.tryLock(0));

  ASSERT_TRUE(m_folder.Ensure());
  EXPECT_TRUE(QFileInfo(m_folder.Path()).isDir());
  EXPECT_FALSE(QFileInfo::exists(abandoned));
  EXPECT_TRUE(QFileInfo::exists(running));
  m_folder.Remove();
  EXPECT_FALSE(QFileInfo::exists(m_folder.Path()));
  EXPECT_FALSE(QFileInfo::exists(m_folder.Path().chopped(1) + ".lock"));
}

TEST_F(SnapshotTest, StampHistoryStartsFromACopyAndStepsOnlyOntoReadableFiles) {
  UndoSnapshots writer(m_folder);
  StampSnapshots stamps(m_folder, writer);
  const QString chosen = ChosenStamp();
  ASSERT_TRUE(stamps.Start(chosen));
  QFile original(chosen), copy(stamps.FilePath(0));
  ASSERT_TRUE(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), copy.readAll());

  ASSERT_TRUE(stamps.Push(Flat(kGreen)));
  ASSERT_TRUE(stamps.Push(Flat(kBlue)));
  EXPECT_EQ(stamps.Index(), 2);
  EXPECT_TRUE(stamps.CanUndo());
  EXPECT_FALSE(stamps.CanRedo());

  QStringList loaded;
  const auto load = [&loaded](const QString& path) {
    loaded << QFileInfo(path).fileName();
    return !QImage(path).isNull();
  };
  ASSERT_TRUE(stamps.Step(true, load));
  ASSERT_TRUE(stamps.Step(true, load));
  EXPECT_EQ(loaded, (QStringList{"StampUndo1.sudo", "StampUndo0.sudo"}));
  EXPECT_TRUE(stamps.CanRedo());
  ASSERT_TRUE(stamps.Push(Flat(kGrey)));  // replaces positions 1 and 2
  EXPECT_EQ(stamps.Count(), 2);
  EXPECT_FALSE(stamps.Step(false, load));
  EXPECT_FALSE(stamps.Step(true, [](const QString&) { return false; }));
  EXPECT_EQ(stamps.Index(), 1);

  ASSERT_TRUE(stamps.Start(chosen));
  EXPECT_EQ(stamps.Count(), 1);
  EXPECT_FALSE(stamps.CanUndo());
}

TEST_F(SnapshotTest, AStampStepRightAfterItsEditsFindsEachStampWrittenInFull) {
  UndoSnapshots writer(m_folder);
  StampSnapshots stamps(m_folder, writer);
  const QString chosen = ChosenStamp();
  ASSERT_TRUE(stamps.Start(chosen));
  // Large stamps, so their writes are still running when the steps are asked for; a
  // picture history written on the same thread meanwhile.
  const QSize large(2000, 1500);
  writer.Write(0, Flat(kGrey, large));
  for (const QRgb colour : {kGreen, kBlue, kGrey}) {
    ASSERT_TRUE(stamps.Push(Flat(colour, large)));
  }
  EXPECT_TRUE(stamps.CanUndo());
  QList<QRgb> shown;
  const auto load = [&shown](const QString& path) {
    const QImage stamp(path);
    shown << (stamp.isNull() ? 0 : stamp.pixel(1, 1));
    return !stamp.isNull();
  };
  ASSERT_TRUE(stamps.Step(true, load));
  ASSERT_TRUE(stamps.Step(true, load));
  ASSERT_TRUE(stamps.Step(false, load));
  EXPECT_EQ(shown, (QList<QRgb>{kBlue, kGreen, kBlue}));
  // A new stamp right after edits: no write of the old one lands among its files.
  ASSERT_TRUE(stamps.Push(Flat(kRed, large)));
  ASSERT_TRUE(stamps.Start(chosen));
  EXPECT_EQ(stamps.Count(), 1);
  EXPECT_FALSE(stamps.CanRedo());
}

TEST_F(SnapshotTest, AHandedOverStampIsShownFromMemoryWhileItsFilesAreWrittenInOrder) {
  UndoSnapshots writer(m_folder);
  StampSnapshots stamps(m_folder, writer);
  const QString handOver = m_root.File("Librarians/handed.tmp");
  // A picture history's write runs first, so the hand-over waits in the queue.
  const QSize large(2000, 1500);
  writer.Write(0, Flat(kGrey, large));
  stamps.HandOver(handOver, Flat(kGreen, large));
  const QImage shown = stamps.Picture(handOver);
  ASSERT_FALSE(shown.isNull());
  EXPECT_EQ(shown.pixel(1, 1), kGreen);
  ASSERT_TRUE(stamps.Start(handOver));
  ASSERT_TRUE(stamps.Push(Flat(kBlue, large)));
  QList<QRgb> loaded;
  const auto load = [&loaded](const QString& path) {
    loaded << FileColour(path);
    return loaded.back() != 0;
  };
  ASSERT_TRUE(stamps.Step(true, load));
  EXPECT_EQ(loaded, QList<QRgb>{kGreen});
  EXPECT_EQ(FileColour(handOver), kGreen);
  // Asked for again once shown, the picture comes from its file.
  EXPECT_EQ(stamps.Picture(handOver).pixel(1, 1), kGreen);

  // A later hand-over of another picture lands over the first.
  stamps.HandOver(handOver, Flat(kRed, large));
  ASSERT_TRUE(stamps.Start(handOver));
  EXPECT_EQ(stamps.Count(), 1);
  EXPECT_EQ(FileColour(handOver), kRed);
  EXPECT_EQ(FileColour(stamps.CurrentFile()), kRed);
}

TEST_F(SnapshotTest, AHandOverThatCannotBeWrittenLeavesNoFileAndIsReportedOnce) {
  UndoSnapshots writer(m_folder);
  std::vector<QString> reasons;
  writer.OnWriteFailure([&reasons](const QString& reason) { reasons.push_back(reason); });
  StampSnapshots stamps(m_folder, writer);
  // A plain file stands where the hand-over file's folder belongs.
  QFile blocker(m_root.File("Librarians"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString handOver = m_root.File("Librarians/handed.tmp");
  stamps.HandOver(handOver, Flat(kGreen));
  EXPECT_EQ(stamps.Picture(handOver).pixel(1, 1), kGreen);
  ASSERT_TRUE(stamps.Start(handOver));
  stamps.WaitForWrites();
  EXPECT_EQ(reasons.size(), 1U);
  EXPECT_FALSE(QFile::exists(stamps.FilePath(0)));
  EXPECT_FALSE(stamps.CanUndo());
  ASSERT_TRUE(stamps.Push(Flat(kBlue)));
  EXPECT_FALSE(stamps.CanUndo()) << "there is no stamp to go back to";

  // A copy from a file that is not there takes away an older file at the target.
  const QString older = m_root.File("older.png");
  ASSERT_TRUE(Flat(kRed).save(older, "PNG"));
  writer.CopyAside(m_root.File("missing.png"), older);
  writer.WaitForWrites();
  EXPECT_FALSE(QFile::exists(older));
}
