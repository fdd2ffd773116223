#include "platform/Desktop.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/TestFolder.h"
#include "support/fakes/FakeCommandRunner.h"

namespace {

// A settings file as xscreensaver writes it, with a byte that is not UTF-8 in a comment.
const QByteArray kSettings =
    "# XScreenSaver Preferences File \xE9t\xE9\n"
    "timeout:\t0:10:00\n"
    "mode:\t\tone\n"
    "selected:\t1\n"
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "  GL:\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
    "\n"
    "pointerPollTime:\t0:00:05\n";

// The entries of the programs list, in order, as xscreensaver reads them: the value runs
// on over lines ending in a backslash, and "\n" separates the entries.
QStringList Programs(const QByteArray& settings) {
  const QStringList lines = QString::fromLatin1(settings).split(u'\n');
  qsizetype at = 0;
  while (at < lines.size() && !lines[at].startsWith("programs:")) {
    ++at;
  }
  QString value;
  for (QString line = lines.value(at).mid(9);; line = lines.value(++at)) {
    const bool goesOn = line.endsWith(u'\\');
    value += goesOn ? line.chopped(1) : line;
    if (!goesOn || at + 1 >= lines.size()) {
      break;
    }
  }
  QStringList entries;
  for (const QString& entry : value.split(QStringLiteral("\\n"))) {
    if (!entry.trimmed().isEmpty()) {
      entries << entry.simplified();
    }
  }
  return entries;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Desktop, ScreenSaverEntryEndsTheProgramsListOnceLeavingTheRestAsItWas) {
  const auto added = Desktop::AddScreenSaverProgram(kSettings, "/opt/lorvane/lorvanescr");
  ASSERT_TRUE(added.has_value());
  const QByteArray entry = "  \"LorvaneScr\"  /opt/lorvane/lorvanescr -root \\n\\\n";
  const qsizetype end = kSettings.indexOf("\n\npointerPollTime") + 1;
  EXPECT_EQ(*added, kSettings.left(end) + entry + kSettings.mid(end));
  // "selected: 1" still names the second saver.
  EXPECT_EQ(Programs(*added), (QStringList{"maze -root", "GL: superquadrics -root",
                                            "\"LorvaneScr\" /opt/lorvane/lorvanescr -root"}));
  EXPECT_EQ(Desktop::AddScreenSaverProgram(*added, "/opt/lorvane/lorvanescr"), *added);

  // A folder with a blank is quoted for the shell that runs each entry.
  const auto quoted = Desktop::AddScreenSaverProgram(kSettings, "/home/a b/it's/lorvanescr");
  ASSERT_TRUE(quoted.has_value());
  EXPECT_TRUE(quoted->contains("'/home/a b/it'\\''s/lorvanescr' -root \\n\\\n"));

  EXPECT_FALSE(Desktop::AddScreenSaverProgram("timeout: 0:10:00\n", "/x/lorvanescr").has_value());
}

TEST(Desktop, AListThatEndsOnAnEntryGoesOnIntoTheNewOne) {
  const QString exe = "/x/lorvanescr";
  const QStringList after{"maze -root", "\"LorvaneScr\" /x/lorvanescr -root"};
  for (const QByteArray& settings : {QByteArray("programs: maze -root\nlock: False\n"),
                                    QByteArray("programs: \\\n maze -root \\n\nlock: False\n"),
                                    QByteArray("programs: \\\n maze -root \\n\\")}) {
    const auto added = Desktop::AddScreenSaverProgram(settings, exe);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(Programs(*added), after) << added->toStdString();
    EXPECT_TRUE(added->startsWith(settings.left(settings.indexOf("maze -root") + 10)));
    EXPECT_EQ(added->contains("lock: False\n"), settings.contains("lock"));
  }
  EXPECT_EQ(Desktop::AddScreenSaverProgram("programs:", exe),
            QByteArray("programs:\t\\\n  \"LorvaneScr\"  /x/lorvanescr -root \\n"));
}

TEST(Desktop, ALaterExportPointsItsOwnEntryAtTheProgramNamedNow) {
  // As xscreensaver writes the entry back: tabs, and a "-" where the user turned it off.
  const QByteArray rewritten =
      "programs:\t\t\t\t\t\t\t      \\\n"
      "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
      "-\t\t\t\"LorvaneScr\"\t/old/lorvanescr -root\t\t    \\n\\\n"
      "  GL:\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
      "\n";
  const auto again = Desktop::AddScreenSaverProgram(rewritten, "/x/lorvanescr");
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(*again, QByteArray(rewritten).replace("/old/lorvanescr", "/x/lorvanescr"));
}

TEST(Desktop, InstallerWritesTheUsersFileOnlyWhereXscreensaverIsThere) {
  TestSupport::TestFolder home;
  const QString file = home.Write(".xscreensaver", kSettings);
  Fakes::FakeCommandRunner::Scope fake;

  EXPECT_FALSE(Desktop::InstallScreenSaverIn("/x/lorvanescr", home.Path()));
  EXPECT_EQ(ReadAll(file), kSettings);

  fake.record.installed.insert("xscreensaver");
  EXPECT_TRUE(Desktop::InstallScreenSaverIn("/y/lorvanescr", home.Path()));
  EXPECT_TRUE(Desktop::InstallScreenSaverIn("/x/lorvanescr", home.Path()));
  EXPECT_EQ(ReadAll(file).count("LorvaneScr"), 1);
  EXPECT_EQ(ReadAll(file).count("/x/lorvanescr -root"), 1);
  // Only the appended line differs.
  QList<QByteArray> lines = ReadAll(file).split('\n');
  const QList<QByteArray> before = kSettings.split('\n');
  ASSERT_EQ(lines.size(), before.size() + 1);
  EXPECT_TRUE(lines[7].contains("LorvaneScr"));
  lines.removeAt(7);
  EXPECT_EQ(lines, before);

  TestSupport::TestFolder emptyHome;
  EXPECT_FALSE(Desktop::InstallScreenSaverIn("/x/lorvanescr", emptyHome.Path()));
  EXPECT_FALSE(QFile::exists(emptyHome.File(".xscreensaver")));
  EXPECT_TRUE(fake.record.calls.empty());
}
