#include <gtest/gtest.h>

#include <QFile>

#include "platform/Registry.h"
#include "support/TestFolder.h"

using Registry::RootKey;
using Registry::Value;
using Registry::ValueType;

namespace {

constexpr QStringView Key = u"SOFTWARE\\Vesk Lorvane";

class RegistryTest : public ::testing::Test {
 protected:
  // The store lives in a folder that does not exist yet, as on a first run.
  void SetUp() override { Registry::SetFilePath(m_folder.File(QStringLiteral("config/lorvane/registry.ini"))); }
  void TearDown() override { Registry::SetFilePath({}); }

  QByteArray FileBytes() const {
    QFile file(Registry::FilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void WriteFile(const QByteArray& bytes) const {
    m_folder.Write(QStringLiteral("config/lorvane/registry.ini"), bytes);
  }

  TestSupport::TestFolder m_folder;
};

TEST_F(RegistryTest, EveryTypeComesBackAsWritten) {
  const QString text = QStringLiteral("Bilder/Ärger/写真/") + QString(600, QChar(u'é'));
  const QString withNul = QStringLiteral("before") + QChar(u'\0') + QStringLiteral("after,\n%0A ");
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"Text", Value::Sz(text)));
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"Nul", Value::Sz(withNul)));
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"[odd=name;]", Value::Sz(QStringLiteral("[x]"))));
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"Negative", Value::Dword(-2)));
  const Value expand{ValueType::ExpandSz, QStringLiteral("%HOME%"), 0, {}};
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"Expand", expand));
  const Value bytes{ValueType::Binary, {}, 0, QByteArray("\x00\xff,", 3)};
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"Bytes", bytes));

  const auto read = [](QStringView name) { return Registry::QueryValue(RootKey::CurrentUser, Key, name); };
  ASSERT_TRUE(read(u"Text"));
  EXPECT_EQ(read(u"Text")->Type, ValueType::Sz);
  EXPECT_EQ(read(u"Text")->Text, text);
  // The store keeps strings whole; cutting at a NUL is the reader's business.
  EXPECT_EQ(read(u"Nul")->Text, withNul);
  EXPECT_EQ(read(u"[odd=name;]")->Text, QStringLiteral("[x]"));
  EXPECT_EQ(read(u"Negative")->Type, ValueType::Dword);
  EXPECT_EQ(read(u"Negative")->Number, -2);
  EXPECT_EQ(read(u"Expand")->Type, ValueType::ExpandSz);
  EXPECT_EQ(read(u"Expand")->Text, QStringLiteral("%HOME%"));
  EXPECT_EQ(read(u"Bytes")->Type, ValueType::Binary);
  EXPECT_EQ(read(u"Bytes")->Bytes, QByteArray("\x00\xff,", 3));
  // The file is UTF-8, not a local code page.
  EXPECT_TRUE(FileBytes().contains(QStringLiteral("Ärger/写真").toUtf8()));
}

TEST_F(RegistryTest, MissingFileKeyOrValueReadsAsNothing) {
  EXPECT_FALSE(Registry::QueryValue(RootKey::CurrentUser, Key, u"isMax"));
  EXPECT_FALSE(QFile::exists(Registry::FilePath()));  // reading never creates anything
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"isMax", Value::Dword(1)));
  EXPECT_FALSE(Registry::QueryValue(RootKey::CurrentUser, Key, u"OldX"));
  EXPECT_FALSE(Registry::QueryValue(RootKey::CurrentUser, u"SOFTWARE\\Other", u"isMax"));
  EXPECT_FALSE(Registry::QueryValue(static_cast<RootKey>(0x80000002u), Key, u"isMax"));
}

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"isMax", Value::Dword(1)));
  ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, u"software\\VESK LORVANE", u"ISMAX", Value::Dword(7)));
  const auto value = Registry::QueryValue(RootKey::CurrentUser, Key, u"IsMax");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->Number, 7);
  EXPECT_EQ(FileBytes(), QByteArray("[SOFTWARE\\Vesk Lorvane]\nisMax=dword:00000007\n\n"));
}

TEST_F(RegistryTest, UntypedOrMalformedEntriesReadAsMissing) {
  WriteFile(
      "; edited by hand\r\n"
      "[SOFTWARE\\Vesk Lorvane]\r\n"
      "Plain=42\r\n"
      "TooLong=dword:123456789\r\n"
      "NotHex=dword:12g4\r\n"
      "OddBytes=hex:0,1\r\n"
      "Good=dword:ffffffff\r\n"
      "Text=sz:two blanks  \r\n");
  for (const QStringView name : {u"Plain", u"TooLong", u"NotHex", u"OddBytes"}) {
    EXPECT_FALSE(Registry::QueryValue(RootKey::CurrentUser, Key, name)) << name.toString().toStdString();
  }
  ASSERT_TRUE(Registry::QueryValue(RootKey::CurrentUser, Key, u"Good"));
  EXPECT_EQ(Registry::QueryValue(RootKey::CurrentUser, Key, u"Good")->Number, -1);
  EXPECT_EQ(Registry::QueryValue(RootKey::CurrentUser, Key, u"Text")->Text, QStringLiteral("two blanks  "));
}

TEST_F(RegistryTest, CorruptFileReadsEmptyAndIsRewrittenWhole) {
  // An unclosed section, a value outside any section, a bad escape, bytes that are not UTF-8.
  for (const QByteArray& garbage :
       {QByteArray("[SOFTWARE\\Vesk Lorvane\nisMax=dword:00000001\n"), QByteArray("isMax=dword:00000001\n"),
        QByteArray("[SOFTWARE\\Vesk Lorvane]\nisMax=dword:00000001\nOldY=sz:%G1\n"),
        QByteArray("[SOFTWARE\\Vesk Lorvane]\nisMax=dword:00000001\nOldY=sz:\xff\xfe\n")}) {
    WriteFile(garbage);
    EXPECT_FALSE(Registry::QueryValue(RootKey::CurrentUser, Key, u"isMax")) << garbage.toStdString();
    ASSERT_TRUE(Registry::SetValue(RootKey::CurrentUser, Key, u"OldX", Value::Dword(5)));
    EXPECT_EQ(FileBytes(), QByteArray("[SOFTWARE\\Vesk Lorvane]\nOldX=dword:00000005\n\n"));
  }
}

TEST_F(RegistryTest, FailedWriteIsReportedAndBreaksNothing) {
  EXPECT_FALSE(Registry::SetValue(RootKey::CurrentUser, Key, u"", Value::Dword(1)));
  EXPECT_FALSE(QFile::exists(Registry::FilePath()));
  // A folder where the file should be: nothing can be read or written.
  m_folder.MakeFolder(QStringLiteral("config/lorvane/registry.ini"));
  EXPECT_FALSE(Registry::SetValue(RootKey::CurrentUser, Key, u"isMax", Value::Dword(1)));
  EXPECT_FALSE(Registry::QueryValue(RootKey::CurrentUser, Key, u"isMax"));
}

}  // namespace
