// Every command of the dispatcher's table, run as its key runs it on a real window that
// shows a picture of a listed folder, with the file dialogs, the task dialogs, the
// questions and the desktop faked: after each one the window is still there, nothing
// modal is left open once the windows a command opened are closed, and it answers a
// further command.
#include <QApplication>
#include <QClipboard>
#include <QUrl>
#include <QtCore/qtestsupport_core.h>

#include "FrmMainFixture.h"
#include "browse/ScrollControl.h"
#include "foundation/CommandKeys.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/MenuCommands.h"
#include "platform/Shell.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeColorChooser.h"
#include "support/fakes/FakeCommandRunner.h"
#include "support/fakes/FakeFileChooser.h"
#include "support/fakes/FakeTaskDialog.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

namespace K = CommandKeys;

class EveryCommand : public FrmMainTest {
 protected:
  void SetUp() override {
    FrmMainTest::SetUp();
    for (const char* name : {"a.png", "b.png", "c.png"}) {
      TestSupport::Quadrants(60, 40).save(pictures.File(name));
    }
    Shell::SetDocumentOpener([this](const QUrl& url) {
      opened << url;
      return true;
    });
  }
  void TearDown() override {
    Shell::SetDocumentOpener({});
    SelectedFiles::Program().Clear();
    FrmMainTest::TearDown();
  }
  // A window showing the folder's first picture, its dialogs answered by the fakes.
  FrmMain& Showing() {
    FrmMain& window = StartListing(pictures.Path());
    window.UseFileChooser(chooser);
    window.UseTaskDialogs(dialogs);
    return window;
  }
  // What the user does with the windows a command opened: closes them.
  static void CloseOtherWindows(const FrmMain& window) {
    for (QWidget* other : QApplication::topLevelWidgets()) {
      if (other != &window && other->isVisible()) {
        other->close();
      }
    }
    QCoreApplication::processEvents();
  }
  // The window answers a command: Tab folds the thumbnail pane and opens it again.
  static void ExpectAnswers(FrmMain& window, std::string_view after) {
    const bool folded = window.ThumbnailBar().isOpenthum();
    for (const bool expected : {!folded, folded}) {
      ASSERT_TRUE(MenuCommands::Run(window, K::View_Thumbpane, MenuCommands::Route::Key)) << after;
      EXPECT_EQ(window.ThumbnailBar().isOpenthum(), expected) << "after " << after;
    }
  }

  TestSupport::TestFolder pictures;
  TestSupport::RedirectedDataHome home{m_folder.MakeFolder("data")};
  Fakes::FakeFileChooser chooser;
  Fakes::FakeTaskDialogFactory dialogs;
  QList<QUrl> opened;
};

TEST_F(EveryCommand, EachKeyRunsAndLeavesTheWindowUsable) {
  FrmMain& window = Showing();
  // A picture on the clipboard, so the paste floats a stamp the stamp commands act on.
  QGuiApplication::clipboard()->setImage(TestSupport::Quadrants(20, 10));
  Fakes::ScriptedMessageBox boxes({}, Forms::vbCancel);
  Fakes::FakeColorChooser::Record colours;
  const Fakes::FakeColorChooser::Scope colourChooser(colours);
  const Fakes::FakeCommandRunner::Scope desktop;
  int run = 0;
  for (const MenuCommands::Command& command : MenuCommands::Table()) {
    // The exit ends the window; it comes last.
    if (command.key == K::File_Exit) {
      continue;
    }
    ASSERT_TRUE(MenuCommands::Run(window, command.key, MenuCommands::Route::Key)) << command.key;
    if (command.key == K::Edit_Paste) {
      // The pasted picture is converted off the window's thread and floats when it arrives.
      EXPECT_TRUE(QTest::qWaitFor(
          [&] { return window.Canvas().CurrentMode() == ToolModes::Mode::FloatingStamp; }, 20000));
    }
    CloseOtherWindows(window);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "after " << command.key;
    ASSERT_TRUE(window.isVisible()) << "after " << command.key;
    ExpectAnswers(window, command.key);
    ++run;
  }
  EXPECT_EQ(run + 1, int(MenuCommands::Table().size()));
  EXPECT_FALSE(opened.isEmpty()) << "the help commands reached the page opener";

  MarkChanged(window);
  ASSERT_TRUE(MenuCommands::Run(window, K::File_Exit, MenuCommands::Route::Key));
  EXPECT_TRUE(window.isVisible()) << "Cancel keeps the window with its unsaved picture";
  boxes.fallback = Forms::vbNo;
  ASSERT_TRUE(MenuCommands::Run(window, K::File_Exit, MenuCommands::Route::Key));
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
