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
    "programs:\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze -root\t\t\t\t    \\n\\\n"
    "  GL:\t\t\tsuperquadrics -root\t\t\t    \\n\\\n"
    "\n"
    "pointerPollTime:\t0:00:05\n";

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(Desktop, ScreenSaverEntryJoinsTheProgramsListOnceLeavingTheRestAsItWas) {
  const auto added = Desktop::AddScreenSaverProgram(kSettings, "/opt/lorvane/lorvanescr");
  ASSERT_TRUE(added.has_value());
  const QByteArray entry = "  \"LorvaneScr\"  /opt/lorvane/lorvanescr -root \\n\\\n";
  const qsizetype at = kSettings.indexOf("maze");
  EXPECT_EQ(*added, kSettings.left(at - 4) + entry + kSettings.mid(at - 4));
  EXPECT_EQ(Desktop::AddScreenSaverProgram(*added, "/opt/lorvane/lorvanescr"), *added);

  // A folder with a blank is quoted for the shell that runs each entry.
  const auto quoted = Desktop::AddScreenSaverProgram(kSettings, "/home/a b/it's/lorvanescr");
  ASSERT_TRUE(quoted.has_value());
  EXPECT_TRUE(quoted->contains("'/home/a b/it'\\''s/lorvanescr' -root \\n\\\n"));

  EXPECT_FALSE(Desktop::AddScreenSaverProgram("timeout: 0:10:00\n", "/x/lorvanescr").has_value());
}

TEST(Desktop, ProgramsListOnItsOwnLineMovesBelowTheEntry) {
  EXPECT_EQ(Desktop::AddScreenSaverProgram("programs: maze -root\nlock: False\n", "/x/lorvanescr"),
            QByteArray("programs:\t\\\n  \"LorvaneScr\"  /x/lorvanescr -root \\n\\\n  maze -root\nlock: False\n"));
  EXPECT_EQ(Desktop::AddScreenSaverProgram("programs:", "/x/lorvanescr"),
            QByteArray("programs:\t\\\n  \"LorvaneScr\"  /x/lorvanescr -root \\n"));
}

TEST(Desktop, InstallerWritesTheUsersFileOnlyWhereXscreensaverIsThere) {
  TestSupport::TestFolder home;
  const QString file = home.Write(".xscreensaver", kSettings);
  Fakes::FakeCommandRunner::Scope fake;

  EXPECT_FALSE(Desktop::InstallScreenSaverIn("/x/lorvanescr", home.Path()));
  EXPECT_EQ(ReadAll(file), kSettings);

  fake.record.installed.insert("xscreensaver");
  EXPECT_TRUE(Desktop::InstallScreenSaverIn("/x/lorvanescr", home.Path()));
  EXPECT_TRUE(Desktop::InstallScreenSaverIn("/x/lorvanescr", home.Path()));
  EXPECT_EQ(ReadAll(file).count("/x/lorvanescr -root"), 1);
  EXPECT_EQ(ReadAll(file).count('\n'), kSettings.count('\n') + 1);

  TestSupport::TestFolder emptyHome;
  EXPECT_FALSE(Desktop::InstallScreenSaverIn("/x/lorvanescr", emptyHome.Path()));
  EXPECT_FALSE(QFile::exists(emptyHome.File(".xscreensaver")));
  EXPECT_TRUE(fake.record.calls.empty());
}
