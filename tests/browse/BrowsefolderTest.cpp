// The folder picker: its flag word, what it asks the folder chooser, what it gives
// back, its property bag, and the real chooser on a private X display.
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include "browse/Browsefolder.h"
#include "platform/Dialogs.h"
#include "support/ChildTestRun.h"
#include "support/TestFolder.h"

namespace {

// Answers the picker from a script and records what it was asked.
class ScriptedFolderChooser final : public Dialogs::FolderChooser {
 public:
  std::optional<QString> ChooseFolder(QWidget*, const Request& request) override {
    requests.push_back(request);
    return answer;
  }
  std::optional<QString> answer;
  std::vector<Request> requests;
};

class FolderPicker : public ::testing::Test {
 protected:
  void SetUp() override {
    auto chooser = std::make_unique<ScriptedFolderChooser>();
    scripted = chooser.get();
    Dialogs::SetFolderService(std::move(chooser));
  }
  void TearDown() override { Dialogs::SetFolderService(nullptr); }

  ScriptedFolderChooser* scripted = nullptr;
  Browsefolder picker;
};

}  // namespace

TEST_F(FolderPicker, FlagWordsOfTheDefaultsAndOfTheNewDialogStyle) {
  EXPECT_EQ(picker.BrowseFlags(), 0x22u);
  picker.SetUseNewUI(true);
  EXPECT_EQ(picker.BrowseFlags(), 0x62u);
  picker.SetIncludeFiles(true);
  picker.SetBrowseForPrinter(true);
  picker.SetOnlyFileSystemDirectories(true);
  EXPECT_EQ(picker.BrowseFlags(), 0x6063u);
  EXPECT_EQ(picker.size(), QSize(390, 390));
}

TEST_F(FolderPicker, AsksWithItsCaptionAndStartAndGivesThePathBackWhole) {
  picker.SetCaption("Choose a folder or hard drive:");
  picker.SetStartDirectory("/tmp");
  picker.SetIncludeFiles(true);
  const QString deep = "/" + QString(399, QChar(u'd'));
  scripted->answer = deep;
  EXPECT_TRUE(picker.Browse());
  EXPECT_EQ(picker.FullName(), deep);
  ASSERT_EQ(scripted->requests.size(), 1u);
  EXPECT_EQ(scripted->requests[0].Title, "Choose a folder or hard drive:");
  EXPECT_EQ(scripted->requests[0].StartFolder, "/tmp");
  EXPECT_TRUE(scripted->requests[0].IncludeFiles);

  scripted->answer = "/";
  EXPECT_TRUE(picker.Browse());
  EXPECT_EQ(picker.FullName(), "/");
}

TEST_F(FolderPicker, ACancelReturnsFalseAndEmptiesFullName) {
  picker.ReadProperties({{"FullName", "/home"}});
  EXPECT_EQ(picker.FullName(), "/home");
  EXPECT_FALSE(picker.Browse());
  EXPECT_EQ(picker.FullName(), "");
}

TEST(FolderPickerBag, DefaultsForMissingKeysAndARoundTrip) {
  Browsefolder picker;
  EXPECT_EQ(picker.Caption(), "Folder Browser");
  EXPECT_TRUE(picker.Enabled());
  EXPECT_TRUE(picker.DontGoBelowDomain());
  EXPECT_TRUE(picker.ValidateSelection());
  picker.ReadProperties({{"Caption", "Pick"}, {"UseNewUI", true}, {"FileHidden", true}, {"FileName", "x"}});
  EXPECT_EQ(picker.Caption(), "Pick");
  EXPECT_TRUE(picker.UseNewUI());
  EXPECT_TRUE(picker.FileHidden());
  EXPECT_EQ(picker.Filename(), "x");
  EXPECT_TRUE(picker.DontGoBelowDomain());
  Browsefolder copy;
  copy.ReadProperties(picker.WriteProperties());
  EXPECT_EQ(copy.WriteProperties(), picker.WriteProperties());
  EXPECT_EQ(picker.WriteProperties().size(), 20);
}

// Run by the test below in a child on a private X display: the real chooser opens as a
// dialog with the caption and goes away on Escape, leaving nothing chosen.
TEST(RealFolderChooserChild, OpensWithItsCaptionAndClosesOnEscape) {
  if (qEnvironmentVariableIsEmpty("LORVANE_FOLDER_CHOOSER_CHILD")) {
    GTEST_SKIP() << "runs on a private X display, started by RealFolderChooser";
  }
  TestSupport::TestFolder start;
  Browsefolder picker;
  picker.SetCaption("Choose a folder or hard drive:");
  picker.SetStartDirectory(start.Path());
  QString title;
  bool isFileDialog = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || !dialog->isVisible()) {
      return;
    }
    title = dialog->windowTitle();
    isFileDialog = qobject_cast<QFileDialog*>(dialog) != nullptr;
    dialog->grab().save(TestSupport::ArtifactsFolder() + "/folder-picker.png");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dialog, &escape);
  });
  poll.start(100);
  EXPECT_FALSE(picker.Browse());
  EXPECT_EQ(picker.FullName(), "");
  EXPECT_EQ(title, "Choose a folder or hard drive:");
  EXPECT_TRUE(isFileDialog);
}

TEST(RealFolderChooser, OpensOnAnXDisplay) {
  const QString xvfb = QStandardPaths::findExecutable("Xvfb");
  if (xvfb.isEmpty()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  QProcess server;
  server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  ASSERT_TRUE(server.waitForStarted(10000) && server.waitForReadyRead(10000)) << "Xvfb did not start";
  const QString display = ":" + QString::fromLatin1(server.readAllStandardOutput()).trimmed();
  const auto child =
      TestSupport::RunOnDisplay(display, "RealFolderChooserChild.*", "LORVANE_FOLDER_CHOOSER_CHILD");
  server.terminate();
  server.waitForFinished(5000);
  EXPECT_TRUE(child.Passed()) << child.Output.toStdString();
}
