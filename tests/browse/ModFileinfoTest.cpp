#include "browse/ModFileinfo.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include "support/TestFolder.h"

using namespace ModFileinfo;

namespace {

std::int64_t LocalSeconds(int y, int m, int d, int h = 12, int n = 0, int s = 0) {
  return QDateTime(QDate(y, m, d), QTime(h, n, s)).toSecsSinceEpoch();
}

FileRow Row(const QString& name, std::int64_t bytes = 0, std::int64_t created = 0) {
  FileRow row;
  row.Name = name;
  row.Path = "/x/" + name;
  row.Bytes = bytes;
  row.SizeText = SizeText(bytes);
  row.Created = created;
  row.Modified = created;
  return row;
}

QStringList Names(const FileTable& table) {
  QStringList names;
  for (const FileRow& row : table) {
    names << row.Name;
  }
  return names;
}

// Runs a test body under another default locale and puts the old one back.
class LocaleScope {
 public:
  explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(m_old); }

 private:
  QLocale m_old;
};

}  // namespace

TEST(ModFileinfoTest, SizeTextIsUnroundedKilobytes) {
  LocaleScope c(QLocale::c());
  EXPECT_EQ(SizeText(0), "0 KB");
  EXPECT_EQ(SizeText(1), "0.001 KB");
  EXPECT_EQ(SizeText(999), "0.999 KB");
  EXPECT_EQ(SizeText(1000), "1 KB");
  EXPECT_EQ(SizeText(12345), "12.345 KB");
  EXPECT_EQ(SizeText(2500000), "2500 KB");
  EXPECT_EQ(SizeText(5368709120LL), "5368709.12 KB");
}

TEST(ModFileinfoTest, FactsOfARealAndAMissingFile) {
  TestSupport::TestFolder folder;
  const QString path = folder.Write("a b*.png", QByteArray(1500, 'x'));
  const QDateTime when(QDate(2019, 9, 30), QTime(23, 59, 58));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
  }
  LocaleScope c(QLocale::c());
  EXPECT_EQ(FileFactText(path, 0), "1.5 KB");
  EXPECT_EQ(FileFactText(path, 1), "30-9-2019 23:59:58");
  EXPECT_EQ(DateText(LocalSeconds(2007, 3, 5, 14, 7, 9)), "5-3-2007 14:7:9");
  EXPECT_FALSE(FileFactText(path, 2).isEmpty());
  EXPECT_TRUE(FileFactText(path, 3).isEmpty());

  const QString missing = folder.File("gone.png");
  EXPECT_FALSE(FileFindRecord(missing).Found);
  EXPECT_EQ(FileFactText(missing, 0), "0 KB");
  EXPECT_EQ(FileFactText(missing, 1), "1-1-1601 0:0:0");
  EXPECT_EQ(FileFactText(missing, 2), "1-1-1601 0:0:0");
}

TEST(ModFileinfoTest, SizeSortIsNumericUnderACommaLocale) {
  LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
  FileTable table{Row("big", 100000), Row("mid", 10500), Row("small", 2000)};
  EXPECT_EQ(table[1].SizeText, "10,5 KB");
  SortFileTable(table, 2);
  EXPECT_EQ(Names(table), QStringList({"small", "mid", "big"}));
  EXPECT_EQ(table[1].SizeText, "10,5 KB");
}

TEST(ModFileinfoTest, DateSortCrossesMonthsAndKeepsTiesInOrder) {
  FileTable table{Row("oct", 0, LocalSeconds(2021, 10, 1)), Row("sep-b", 0, LocalSeconds(2021, 9, 30)),
                  Row("sep-a", 0, LocalSeconds(2021, 9, 30)), Row("feb", 0, LocalSeconds(2022, 2, 1))};
  SortFileTable(table, 3);
  EXPECT_EQ(Names(table), QStringList({"sep-b", "sep-a", "oct", "feb"}));
}

TEST(ModFileinfoTest, TextSortsIgnoreCaseAndUnknownModesLeaveOrder) {
  FileTable table{Row("b.png"), Row("C.png"), Row("a.png")};
  table[0].Extname = "png";
  table[1].Extname = "GIF";
  table[2].Extname = "jpg";
  SortFileTable(table, 7);
  SortFileTable(table, -1);
  EXPECT_EQ(Names(table), QStringList({"b.png", "C.png", "a.png"}));
  SortFileTable(table, 0);
  EXPECT_EQ(Names(table), QStringList({"a.png", "b.png", "C.png"}));
  SortFileTable(table, 1);
  EXPECT_EQ(Names(table), QStringList({"C.png", "a.png", "b.png"}));
  table[1].Review = "T";
  SortFileTable(table, 5);
  EXPECT_EQ(Names(table), QStringList({"C.png", "b.png", "a.png"}));
}

TEST(ModFileinfoTest, SearchMatchesSubstringsIgnoringCaseAndLeavesSource) {
  const FileTable source{Row("xabcx.png"), Row("ab.c.gif"), Row("ABC.jpg"), Row("abcabc.bmp"), Row("")};
  EXPECT_EQ(Names(SearchFileTable(source, "ABC")), QStringList({"xabcx.png", "ABC.jpg", "abcabc.bmp"}));
  EXPECT_EQ(SearchFileTable(source, "").size(), 4u);
  EXPECT_TRUE(SearchFileTable({}, "a").empty());
  EXPECT_EQ(source.size(), 5u);
}
