#include "windows/FrmScroll.h"

#include <optional>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QtCore/qtestsupport_core.h>

#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "support/TestFolder.h"
#include "support/fakes/ScriptedMessageBox.h"
#include "windows/ScrExport.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder with an old set of thirteen pictures and a file of the user's own.
class ScreensaverExport : public ::testing::Test {
 protected:
  void SetUp() override {
    Registry::SetFilePath(folder.File("registry.ini"));
    for (int i = 0; i < 13; ++i) {
      folder.Write("program/ScrDatas/" + ScrExport::DataName(i), "old " + QByteArray::number(i));
    }
    folder.Write("program/ScrDatas/notes.txt", "keep me");
    QFile(folder.Write("program/lorvanescr", "#!/bin/sh\n"))
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  void TearDown() override { Registry::SetFilePath({}); }

  QStringList Pictures(int count) const {
    QStringList files;
    for (int i = 0; i < count; ++i) {
      files << folder.Write(QStringLiteral("pics/p%1.jpg").arg(i), "picture " + QByteArray::number(i * 7919));
    }
    return files;
  }
  QString Data(int i) const { return folder.File("program/ScrDatas/" + ScrExport::DataName(i)); }
  QStringList FolderList() const { return QDir(folder.File("program/ScrDatas")).entryList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot); }
  std::optional<QString> AppPath() const {
    return ModqzReg::GetRegString(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, u"Apppath");
  }

  // Runs the window's export to its end.
  bool Export() {
    std::optional<bool> exported;
    const QMetaObject::Connection connection =
        QObject::connect(&window, &FrmScroll::Finished, [&](bool made) { exported = made; });
    window.show();
    window.SetFormT(0);
    window.Start();
    window.CopyFiles();
    EXPECT_TRUE(QTest::qWaitFor([&] { return exported.has_value(); }, 5000));
    QObject::disconnect(connection);
    return exported.value_or(false);
  }

  TestSupport::TestFolder folder;
  SelectedFiles selection;
  QStringList installed;
  bool installerAnswer = true;
  QString exe = folder.File("program/lorvanescr");
  FrmScroll window{selection, folder.File("program/"), exe, [this](const QString& program) {
                     installed << program;
                     return installerAnswer;
                   }};
};

}  // namespace

TEST_F(ScreensaverExport, TwelvePicturesReplaceTheOldSetAndRegisterTheScreensaver) {
  Fakes::ScriptedMessageBox boxes;
  const QStringList pictures = Pictures(12);
  selection.SetFiles(pictures);
  ASSERT_TRUE(Export());
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(ReadAll(Data(i)), ReadAll(pictures[i])) << i;
  }
  EXPECT_FALSE(QFile::exists(Data(12)));
  EXPECT_EQ(ReadAll(folder.File("program/ScrDatas/notes.txt")), "keep me");
  EXPECT_EQ(FolderList().size(), 13) << "no staging folder is left behind";
  EXPECT_EQ(installed, QStringList{exe});
  EXPECT_EQ(AppPath(), folder.File("program/"));
  EXPECT_EQ(window.Progress()->value(), 12);
  EXPECT_FALSE(window.isVisible());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(boxes.shown[0].prompt.contains("registered with xscreensaver"));
  EXPECT_TRUE(boxes.shown[0].prompt.contains("xscreensaver-settings"));
}

TEST_F(ScreensaverExport, SelectionsThatMakeNoSetTouchNothing) {
  Fakes::ScriptedMessageBox boxes;
  const QStringList pictures = Pictures(1);
  for (const QStringList& files : {QStringList(), pictures, QStringList{"", ""}}) {
    selection.SetFiles(files);
    EXPECT_FALSE(Export());
  }
  EXPECT_EQ(FolderList().size(), 14);
  EXPECT_EQ(ReadAll(Data(0)), "old 0");
  EXPECT_TRUE(installed.isEmpty());
  EXPECT_FALSE(AppPath().has_value());
  EXPECT_TRUE(boxes.shown.empty());

  // The one file chosen in the open dialog makes a set of one.
  selection.SetOpenedFile(pictures[0]);
  ASSERT_TRUE(Export());
  EXPECT_EQ(ReadAll(Data(0)), ReadAll(pictures[0]));
  EXPECT_FALSE(QFile::exists(Data(1)));
}

TEST_F(ScreensaverExport, FailedCopyKeepsTheOldSetAndSaysWhich) {
  Fakes::ScriptedMessageBox boxes;
  QStringList pictures = Pictures(3);
  pictures.insert(2, folder.File("pics/vanished.jpg"));
  selection.SetFiles(pictures);
  EXPECT_FALSE(Export());
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(ReadAll(Data(i)), "old " + QByteArray::number(i));
  }
  EXPECT_EQ(FolderList().size(), 14);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "The screensaver pictures could not be copied: " + pictures[2]);
  EXPECT_TRUE(installed.isEmpty());
}

TEST_F(ScreensaverExport, MissingFolderIsMadeAndAnUnregisteredScreensaverIsExplained) {
  QDir(folder.File("program/ScrDatas")).removeRecursively();
  Fakes::ScriptedMessageBox boxes;
  installerAnswer = false;
  selection.SetFiles(Pictures(2));
  ASSERT_TRUE(Export());
  EXPECT_TRUE(QFile::exists(Data(1)));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "The screensaver pictures are in " +
                                       QDir::toNativeSeparators(folder.File("program/ScrDatas")) +
                                       ". Run lorvanescr /S to show them.");
}

TEST_F(ScreensaverExport, AMissingScreensaverProgramIsNotRegisteredAndSaysSo) {
  QFile::remove(exe);
  Fakes::ScriptedMessageBox boxes;
  selection.SetFiles(Pictures(2));
  ASSERT_TRUE(Export());
  EXPECT_TRUE(QFile::exists(Data(1))) << "the pictures are still exported";
  EXPECT_TRUE(installed.isEmpty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "The screensaver program " + exe +
                                       " is missing, so no screensaver was registered. The screensaver pictures are "
                                       "in " + folder.File("program/ScrDatas") + ".");
}

TEST_F(ScreensaverExport, WindowShowsItsWorkOnTheSkin) {
  const Fakes::ScriptedMessageBox boxes;
  selection.SetFiles(Pictures(2));
  window.show();
  window.Start();
  window.CopyFiles();
  EXPECT_EQ(window.size(), QSize(258, 95));
  EXPECT_TRUE(window.IsBusy());
  const QImage shot = window.grab().toImage();
  shot.save(TestSupport::ArtifactsFolder() + "/screensaver-export.png");
  // The skin's magenta outside the rounded corner, white inside, the text in the middle.
  EXPECT_EQ(shot.pixel(0, 0), 0xFFFF00FF);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.IsBusy(); }, 5000));
}
