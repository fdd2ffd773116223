#include "browse/ThumViewer.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QApplication>

#include <gtest/gtest.h>

#include "browse/BrowseFakes.h"
#include "browse/scrollVControl.h"
#include "foundation/ModPublic.h"
#include "support/TestFolder.h"

using ModFileinfo::FileRow;

namespace {

QStringList Names(const ThumViewer& sheet) {
  QStringList names;
  for (const FileRow& row : sheet.FileRows()) {
    names << row.Name;
  }
  return names;
}

void SetModified(const QString& path, const QDateTime& when) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QString NonAscii() { return QStringLiteral("žaba.png"); }

FileRow CreatedOn(int y, int m, int d) {
  FileRow row;
  row.Created = QDateTime(QDate(y, m, d), QTime(12, 0)).toSecsSinceEpoch();
  return row;
}

// A folder that sets the traps of real folders: mixed-case extensions, hidden and
// non-image files, a sub-folder and a dangling link with image names, wildcard
// characters, blanks and non-ASCII letters in names. No file holds a picture, so a
// listing that decoded anything would lose them.
class MixedFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.png", "A.JPG", "c.Jpeg", "with space.bmp", "star*.gif", "what?.tif", "notes.txt",
                             ".hidden.png", "noext"}) {
      folder.Write(QString::fromUtf8(name), "x");
    }
    folder.Write(NonAscii(), "xx");
    folder.MakeFolder("album.png");
    QFile::link(folder.File("nowhere.png"), folder.File("dangling.png"));
  }
  TestSupport::TestFolder folder;
  ThumViewer sheet;
};

}  // namespace

TEST_F(MixedFolder, ListsImageFilesWithTheirFactsInNameOrder) {
  sheet.Path(folder.Path());
  EXPECT_EQ(sheet.FolderPath(), folder.Path() + "/");
  EXPECT_EQ(Names(sheet), QStringList({"A.JPG", "b.png", "c.Jpeg", "star*.gif", "what?.tif", "with space.bmp",
                                       NonAscii()}));
  EXPECT_EQ(sheet.ListCount, 7);
  EXPECT_TRUE(sheet.NoOpen);
  const FileRow& first = sheet.FileRows().front();
  EXPECT_EQ(first.Path, folder.Path() + "/A.JPG");
  EXPECT_EQ(first.Extname, "JPG");
  EXPECT_EQ(first.Bytes, 1);
  EXPECT_EQ(first.Review, "");
  EXPECT_EQ(sheet.FileRows()[3].Bytes, 1);  // "star*.gif" was stat'ed by its own name
}

TEST_F(MixedFolder, ExtensionFilterIgnoresCase) {
  sheet.Path(folder.Path());
  sheet.SetImageFormats("*.JPG;*.png");
  EXPECT_EQ(sheet.FilterKind(), ThumViewer::ExtensionFilter);
  EXPECT_EQ(sheet.ImageFormats(), ThumViewer::DefaultImageFormats());
  QStringList shown;
  for (const FileRow& row : sheet.FileRows()) {
    if (sheet.PassesFilter(row)) {
      shown << row.Name;
    }
  }
  EXPECT_EQ(shown, QStringList({"A.JPG", "b.png", NonAscii()}));
  sheet.Path(folder.Path());
  EXPECT_EQ(sheet.FilterKind(), ThumViewer::NoFilter);
}

TEST_F(MixedFolder, SearchFindsNamesAndNeverBringsBackADeletedFile) {
  folder.Write("xabcx.png", "x");
  folder.Write("ABC.jpg", "x");
  folder.Write("ab.c.gif", "x");
  sheet.Path(folder.Path());
  sheet.SearchThumbnaillGO("", false);
  sheet.SearchThumbnaillGO("ABC");
  EXPECT_EQ(Names(sheet), QStringList({"ABC.jpg", "xabcx.png"}));
  EXPECT_EQ(sheet.ListCount, 2);

  ASSERT_TRUE(QFile::remove(folder.File("xabcx.png")));
  sheet.RefreshThumbnail(true);
  sheet.SearchThumbnaillGO("", false);
  sheet.SearchThumbnaillGO("abc");
  EXPECT_EQ(Names(sheet), QStringList({"ABC.jpg"}));
  // An empty search shows the whole folder again.
  sheet.SearchThumbnaillGO("");
  EXPECT_EQ(sheet.ListCount, 9);
}

TEST_F(MixedFolder, SortIsAppliedAgainAfterEveryRefill) {
  SetModified(folder.File("b.png"), QDateTime(QDate(2021, 10, 1), QTime(8, 0)));
  SetModified(folder.File("A.JPG"), QDateTime(QDate(2021, 9, 30), QTime(20, 0)));
  sheet.Path(folder.Path());
  sheet.SetThumbnaillSort(4);
  EXPECT_EQ(Names(sheet).mid(0, 2), QStringList({"A.JPG", "b.png"}));
  EXPECT_EQ(sheet.FileRows()[0].MDate, "30-9-2021 20:0:0");
  folder.Write("zzz.png", "x");
  SetModified(folder.File("zzz.png"), QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
  sheet.RefreshThumbnail(true);
  EXPECT_EQ(Names(sheet).front(), "zzz.png");
  sheet.SetThumbnaillSort(2);
  EXPECT_EQ(Names(sheet).back(), NonAscii());
}

TEST(ThumViewerTest, NothingIsListedForMissingEmptyOrRelativeFolders) {
  TestSupport::TestFolder folder;
  folder.Write("a.png", "x");
  const QString previous = QDir::currentPath();
  QDir::setCurrent(folder.Path());
  ThumViewer sheet;
  sheet.Path(folder.Path());
  ASSERT_EQ(sheet.ListCount, 1);
  for (const QString& path : {QString(), QStringLiteral("..."), QStringLiteral("."), folder.File("gone")}) {
    sheet.Path(path);
    EXPECT_EQ(sheet.ListCount, 0) << path.toStdString();
    EXPECT_TRUE(sheet.FileRows().empty());
    EXPECT_FALSE(sheet.NoOpen);
  }
  EXPECT_EQ(sheet.FolderPath(), folder.File("gone") + "/");
  QDir::setCurrent(previous);
}

TEST(ThumViewerTest, DateFilterPassesDaysOnOrBeforeTheFilterDay) {
  ThumViewer sheet;
  sheet.SetDateWatch("15-6-2020-");
  EXPECT_EQ(sheet.FilterKind(), ThumViewer::DateFilter);
  EXPECT_TRUE(sheet.PassesFilter(CreatedOn(2020, 6, 15)));
  EXPECT_TRUE(sheet.PassesFilter(CreatedOn(2020, 6, 10)));
  EXPECT_TRUE(sheet.PassesFilter(CreatedOn(2019, 3, 20)));
  EXPECT_TRUE(sheet.PassesFilter(CreatedOn(2019, 12, 31)));
  EXPECT_FALSE(sheet.PassesFilter(CreatedOn(2020, 6, 16)));
  EXPECT_FALSE(sheet.PassesFilter(CreatedOn(2020, 7, 1)));
  EXPECT_FALSE(sheet.PassesFilter(CreatedOn(2021, 3, 1)));
}

TEST(ThumViewerTest, TheDaysOfTheListedPicturesAreReportedOnceEach) {
  TestSupport::TestFolder folder;
  folder.Write("a.png", "x");
  folder.Write("b.png", "x");
  ModPublic::GdiplusToken = 1;
  ThumViewer sheet;
  sheet.resize(400, 300);
  std::vector<QList<QDate>> reports;
  QObject::connect(&sheet, &ThumViewer::PictureDaysListed, [&](const QList<QDate>& days) { reports.push_back(days); });
  sheet.Path(folder.Path());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports[0].isEmpty()) << "a new folder clears the days first";
  // A filter hides rows but not the days a date filter is chosen from.
  sheet.SetImageFormats("*.jpg");
  sheet.CreateThumbnail();
  ModPublic::GdiplusToken = 0;
  ASSERT_EQ(reports.size(), 2u);
  const QDate made = QDateTime::fromSecsSinceEpoch(sheet.FileRows().front().Created).date();
  EXPECT_EQ(reports[1], QList<QDate>{made});
}

TEST(ThumViewerTest, ThumbnailSizesBelowOneUseTheDefault) {
  ThumViewer sheet;
  sheet.SetThumWidth(0);
  sheet.SetThumHeight(-3);
  EXPECT_EQ(sheet.ThumWidth(), ThumViewer::DefaultThumSize);
  EXPECT_EQ(sheet.ThumHeight(), ThumViewer::DefaultThumSize);
}

TEST_F(MixedFolder, FactGettersReadOnlyASelectedCurrentRow) {
  sheet.Path(folder.Path());
  sheet.OldPress = 1;
  EXPECT_TRUE(sheet.ShowFilename().isEmpty());
  sheet.FileRows()[1].Selected = true;
  EXPECT_EQ(sheet.ShowFilename(), "b.png");
  EXPECT_EQ(sheet.ShowFormat(), "png");
  sheet.OldPress = 99;
  EXPECT_TRUE(sheet.ShowModiData().isEmpty());
}

TEST(ThumViewerTest, LayoutDisablesTheBarWhenTheSheetFitsAndScrollsTheSurface) {
  ThumViewer sheet;
  sheet.resize(400, 300);
  sheet.show();
  EXPECT_EQ(sheet.Surface()->geometry(), QRect(5, 5, 380, 0));
  EXPECT_EQ(sheet.Scroll()->geometry(), QRect(385, 0, 15, 300));
  EXPECT_FALSE(sheet.Scroll()->Enabled());

  sheet.Surface()->resize(380, 1000);
  sheet.resize(400, 310);
  QApplication::processEvents();
  EXPECT_TRUE(sheet.Scroll()->Enabled());
  EXPECT_EQ(sheet.Scroll()->Max(), 690);
  sheet.Scroll()->SetValue(200);
  EXPECT_EQ(sheet.Surface()->y(), -200);
  sheet.resize(400, 320);
  QApplication::processEvents();
  EXPECT_EQ(sheet.Scroll()->Value(), 0);
}

TEST(ThumViewerTest, KeysGoToTheMainWindowsShortcutHandler) {
  ThumViewer sheet;
  BrowseFakes::PassedKeys passed(sheet);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
  QApplication::sendEvent(&sheet, &del);
  QApplication::sendEvent(sheet.Scroll(), &ctrlA);
  QApplication::sendEvent(&sheet, &f5);
  using Key = std::pair<int, int>;
  EXPECT_EQ(passed.keys, (std::vector<Key>{{0x2E, 0}, {0x41, 3}, {0x74, 0}}));
}
