// The star list file: its bytes after adding and removing, the lines it is read from,
// and the sheet's star marks following it, also when it cannot be written.
#include <csignal>

#include <sys/resource.h>

#include <QFile>
#include <QFileDevice>

#include <gtest/gtest.h>

#include "browse/SheetFixture.h"
#include "browse/SheetPictures.h"
#include "browse/StarList.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList In(const QString& folder, const QStringList& names) {
  QStringList paths;
  for (const QString& name : names) {
    paths << folder + "/" + name;
  }
  return paths;
}

// Writes, and afterwards reads back, the star list of a folder.
class StarFile : public ::testing::Test {
 protected:
  QString Path() const { return StarList::FilePath(folder.Path()); }
  void Seed(const QByteArray& bytes) const { folder.Write(StarList::FileName, bytes); }
  QByteArray Change(bool remove, const QStringList& names) const {
    const QStringList listed = StarList::Read(folder.Path());
    const QStringList files = In(folder.Path(), names);
    EXPECT_TRUE(StarList::Write(folder.Path(), remove ? StarList::Removed(listed, files) : StarList::Added(listed, files)));
    return Bytes(Path());
  }
  TestSupport::TestFolder folder;
};

}  // namespace

TEST_F(StarFile, AddingNamesAlreadyListedRewritesTheSameBytes) {
  Seed("a.jpg\r\nb.png\r\n");
  EXPECT_EQ(Change(false, {"A.JPG", "b.png"}), QByteArray("a.jpg\r\nb.png\r\n"));
}

TEST_F(StarFile, AddingKeepsNamesAsReadAndAppendsNewOnesInLowerCaseInSelectionOrder) {
  Seed("Holiday.JPG\r\n");
  EXPECT_EQ(Change(false, {"Zoo.png", "Beach.gif", "zoo.PNG"}), QByteArray("Holiday.JPG\r\nzoo.png\r\nbeach.gif\r\n"));
  // A removal writes every remaining name in lower case.
  EXPECT_EQ(Change(true, {"beach.gif"}), QByteArray("holiday.jpg\r\nzoo.png\r\n"));
}

TEST_F(StarFile, TwoRemovalsInOneCommandBothGoWhateverTheirOrder) {
  Seed("a.jpg\r\nb.jpg\r\nc.jpg\r\nd.jpg\r\n");
  EXPECT_EQ(Change(true, {"D.jpg", "b.jpg"}), QByteArray("a.jpg\r\nc.jpg\r\n"));
}

TEST_F(StarFile, TheFirstStarMakesTheFile) {
  EXPECT_FALSE(QFile::exists(Path()));
  EXPECT_TRUE(StarList::Read(folder.Path()).isEmpty());
  EXPECT_EQ(Change(false, {"New.png"}), QByteArray("new.png\r\n"));
}

TEST(StarListLines, AreTakenWholeWithOnlyTheLineEndRemoved) {
  // An empty line does not end the list; commas, quotes and outer blanks belong to names.
  const QByteArray bytes = "a.jpg\r\n\r\nx, y.png\r\n\"q\".png\r\n  pad.png \r\nlf.png\nlast.png";
  const QStringList expected{"a.jpg", "x, y.png", "\"q\".png", "  pad.png ", "lf.png", "last.png"};
  EXPECT_EQ(StarList::Decode(bytes), expected);
  EXPECT_EQ(StarList::Decode(StarList::Encode(expected)), expected);
}

TEST(StarListLines, ReadUtf8AndTakeWindows1252ForLinesThatAreNot) {
  const QByteArray bytes = "\xEF\xBB\xBF" "caf\xC3\xA9.jpg\r\n" "na\xEFve \x80.png\r\n";
  const QStringList names = StarList::Decode(bytes);
  ASSERT_EQ(names.size(), 2);
  EXPECT_EQ(names[0], QString::fromUtf8("café.jpg"));
  EXPECT_EQ(names[1], QString::fromUtf8("naïve €.png"));
  // Written back, every name is UTF-8.
  EXPECT_EQ(StarList::Encode(names), QByteArray("caf\xC3\xA9.jpg\r\nna\xC3\xAFve \xE2\x82\xAC.png\r\n"));
}

TEST(StarListLines, MarkRowsIgnoringCase) {
  ModFileinfo::FileTable rows(3);
  rows[0].Name = "A.jpg";
  rows[1].Name = "b.jpg";
  rows[2].Name = "c.jpg";
  rows[2].Review = "T";
  StarList::MarkRows(rows, {"a.JPG", "b.jpg"});
  EXPECT_EQ(rows[0].Review, "T");
  EXPECT_EQ(rows[1].Review, "T");
  EXPECT_EQ(rows[2].Review, "");
}

namespace {

// A drawn sheet of four pictures, b.png already starred in a list with an empty line.
class StarSheet : public SheetFixture {
 protected:
  void SetUp() override {
    SheetFixture::SetUp();
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) {
      SheetPictures::Write(folder, name, QSize(60, 40), QColor(40, 90, 160));
    }
    folder.Write(StarList::FileName, "\r\nb.png\r\n");
    Draw();
  }
  QString ListPath() const { return StarList::FilePath(folder.Path()); }
  QStringList Starred() const {
    QStringList names;
    for (const auto& row : sheet.FileRows()) {
      if (row.Review == "T") {
        names << row.Name;
      }
    }
    return names;
  }
  bool StarShown(int row) const {
    const QRectF image = sheet.HitRect(row);
    return Probe(QPointF(image.right() - 10, image.bottom() - 10)) == kStar;
  }
};

}  // namespace

TEST_F(StarSheet, StarsShowAtOnceSortByStarAndComeBackAfterARestart) {
  EXPECT_EQ(Starred(), QStringList{"b.png"});
  EXPECT_TRUE(StarShown(1));
  ClickRow(3);
  ClickRow(0, Qt::ControlModifier);
  sheet.QrFileCreate(false);
  EXPECT_EQ(Bytes(ListPath()), QByteArray("b.png\r\na.png\r\nd.png\r\n"));
  EXPECT_EQ(Starred(), (QStringList{"a.png", "b.png", "d.png"}));
  EXPECT_TRUE(StarShown(0));
  EXPECT_TRUE(StarShown(3));
  EXPECT_FALSE(StarShown(2));
  Shot().save(TestSupport::ArtifactsFolder() + "/sheet-stars.png");
  // The selected rows are framed in grey, not blue, until the selection changes.
  const QRectF first = sheet.HitRect(0);
  EXPECT_EQ(Probe(QPointF(first.center().x(), first.top() - 2)), QColor(235, 235, 235));

  sheet.SetThumbnaillSort(5);
  EXPECT_EQ(sheet.FileRows().front().Name, "c.png");

  ThumViewer again;
  again.Path(folder.Path());
  QStringList starred;
  for (const auto& row : again.FileRows()) {
    if (row.Review == "T") {
      starred << row.Name;
    }
  }
  EXPECT_EQ(starred, (QStringList{"a.png", "b.png", "d.png"}));
}

TEST_F(StarSheet, RemovingTakesTheStarOffTheSheet) {
  ClickRow(1);
  sheet.QrFileCreate(true);
  EXPECT_EQ(Bytes(ListPath()), QByteArray());
  EXPECT_TRUE(Starred().isEmpty());
  EXPECT_FALSE(StarShown(1));
}

TEST_F(StarSheet, AFolderWithoutAListStarsNothing) {
  QFile::remove(ListPath());
  sheet.Path(folder.Path());
  EXPECT_TRUE(Starred().isEmpty());
  EXPECT_TRUE(sheet.StarNames().isEmpty());
}

TEST_F(StarSheet, AFailedWriteKeepsTheOldFileSaysSoAndLeavesTheSheet) {
  const QByteArray before = Bytes(ListPath());
  ClickRow(0);
  Fakes::ScriptedMessageBox boxes;
  {
    // A disk that takes no more bytes: every write fails, also for the superuser.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit none = old;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
    sheet.QrFileCreate(false);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
  }
  EXPECT_EQ(Bytes(ListPath()), before);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "The star marks could not be saved in this folder.");
  EXPECT_EQ(Starred(), QStringList{"b.png"});
  EXPECT_FALSE(StarShown(0));
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files).size(), 5);
}

TEST_F(StarSheet, AReadOnlyFolderKeepsTheOldFile) {
  const QByteArray before = Bytes(ListPath());
  QFile::setPermissions(folder.Path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool writable = QFile(folder.File("probe")).open(QIODevice::WriteOnly);
  if (writable) {
    QFile::remove(folder.File("probe"));
    QFile::setPermissions(folder.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    GTEST_SKIP() << "folder permissions do not bind this user; the failed write is tested with a full disk";
  }
  ClickRow(2);
  Fakes::ScriptedMessageBox boxes;
  sheet.QrFileCreate(false);
  QFile::setPermissions(folder.Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(Bytes(ListPath()), before);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(Starred(), QStringList{"b.png"});
}
