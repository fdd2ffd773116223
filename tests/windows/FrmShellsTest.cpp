#include "windows/FrmShells.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "platform/Dialogs.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

class OneFolderChooser final : public Dialogs::FolderChooser {
 public:
  std::optional<QString> ChooseFolder(QWidget*, const Request& request) override {
    titles.push_back(request.Title);
    return answer;
  }
  std::optional<QString> answer;
  QStringList titles;
};

void SendMouse(QWidget& widget, QEvent::Type type, QPointF at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

class TaskDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ModPublic::MainForm = &host;
    auto chooser = std::make_unique<OneFolderChooser>();
    folders = chooser.get();
    Dialogs::SetFolderService(std::move(chooser));
  }
  void TearDown() override {
    Dialogs::SetFolderService(nullptr);
    ModPublic::MainForm = nullptr;
  }

  QString MakeFile(const QString& name, const QByteArray& bytes = "picture") { return folder.Write(name, bytes); }

  void Open(int task, const QString& text = {}) {
    dialog.SetPublicShell(task);
    dialog.SetTextControl(text);
    dialog.StartPaint();
    dialog.ShowModeless();
  }

  void Click(FrmShells::Button button) {
    const QPointF at = dialog.ShellButtonRect(button).center();
    SendMouse(dialog, QEvent::MouseMove, at);
    SendMouse(dialog, QEvent::MouseButtonPress, at);
    SendMouse(dialog, QEvent::MouseButtonRelease, at);
  }

  TestSupport::TestFolder folder;
  Fakes::FakeMainWindow host;
  SelectedFiles selection;
  OneFolderChooser* folders = nullptr;
  FrmShells dialog{host, selection};
};

}  // namespace

TEST_F(TaskDialogTest, RenameIndexesTheSelectedFiles) {
  selection.SetFiles({MakeFile("b.JPG"), MakeFile("a.Png"), MakeFile("c.tif")});
  Open(2, "Trip");
  Click(FrmShells::OkButton);
  EXPECT_EQ(selection.Files(), (QStringList{folder.File("Trip1.jpg"), folder.File("Trip2.png"), folder.File("Trip3.tif")}));
  for (const QString& file : selection.Files()) {
    EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
  }
  EXPECT_EQ(dialog.ButtonState(), 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(host.sheet.listRefreshes, 1);
}

TEST_F(TaskDialogTest, RenameOfOneFileAndAnEmptyName) {
  selection.SetFiles({MakeFile("x.JPEG")});
  Open(2, "");
  Click(FrmShells::OkButton);
  EXPECT_EQ(selection.Files(), QStringList{folder.File("Untitled.jpeg")});
  EXPECT_EQ(dialog.TextControl()->text(), "Untitled");
}

TEST_F(TaskDialogTest, RenameNeverReplacesAFile) {
  const QString source = MakeFile("x.jpg", "source");
  const QString taken = MakeFile("Trip.jpg", "taken");
  selection.SetFiles({source});
  Open(2, "Trip");
  Click(FrmShells::OkButton);
  EXPECT_EQ(selection.Files(), QStringList{source});
  QFile kept(taken);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "taken");
  EXPECT_TRUE(QFile::exists(source));
}

TEST_F(TaskDialogTest, RenameOfTheShownFileReopensItUnderItsNewName) {
  const QString shown = MakeFile("x.jpg");
  selection.SetFiles({shown});
  host.canvas.filename = shown;
  Open(2, "Trip");
  Click(FrmShells::OkButton);
  EXPECT_EQ(host.canvas.disposals, 1);
  EXPECT_EQ(host.canvas.imported, QStringList{folder.File("Trip.jpg")});
}

TEST_F(TaskDialogTest, MoveOfTheShownFileReopensItFromTheNewFolder) {
  const QString shown = MakeFile("a.jpg");
  const QString other = MakeFile("b.jpg");
  const QString target = folder.MakeFolder("target");
  selection.SetFiles({other, shown});
  host.canvas.filename = shown;
  folders->answer = target + "/";
  Open(1);
  Click(FrmShells::BrowseButton);
  EXPECT_EQ(folders->titles, QStringList{"Choose a folder or hard drive:"});
  EXPECT_EQ(dialog.TextControl()->text(), target + "/");
  Click(FrmShells::OkButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsBusy(); }, 5000));
  EXPECT_TRUE(QFile::exists(target + "/a.jpg"));
  EXPECT_TRUE(QFile::exists(target + "/b.jpg"));
  EXPECT_FALSE(QFile::exists(shown));
  EXPECT_EQ(host.canvas.disposals, 1);
  EXPECT_EQ(host.canvas.imported, QStringList{target + "/a.jpg"});
  EXPECT_EQ(host.sheet.path, target + "/");
  EXPECT_EQ(dialog.ButtonState(), 1);
}

TEST_F(TaskDialogTest, MoveStopsWhenTheSavePromptIsCancelled) {
  const QString shown = MakeFile("a.jpg");
  const QString target = folder.MakeFolder("target");
  selection.SetFiles({shown});
  host.canvas.filename = shown;
  host.canvas.MarkChanged();
  folders->answer = target;
  const Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
  Open(1);
  Click(FrmShells::BrowseButton);
  Click(FrmShells::OkButton);
  EXPECT_FALSE(dialog.IsBusy());
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(QFile::exists(shown));
  EXPECT_EQ(host.canvas.disposals, 0);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.ButtonState(), 0);
}

TEST_F(TaskDialogTest, CopyGoesToTheFolderTypedInTheBoxAndOnlyToAnExistingOne) {
  const QString file = MakeFile("a.jpg");
  const QString typed = folder.MakeFolder("typed");
  selection.SetFiles({file});
  const Fakes::ScriptedMessageBox boxes;
  const QString refused = "Choose a folder with the button beside the box.";
  for (const QString& text : {QString(), folder.File("missing"), QString("typed"), file}) {
    Open(0, text);
    Click(FrmShells::OkButton);
    EXPECT_FALSE(dialog.IsBusy()) << text.toStdString();
    EXPECT_TRUE(dialog.isVisible());
  }
  ASSERT_EQ(boxes.shown.size(), 4u);
  EXPECT_EQ(boxes.shown.back().prompt, refused);
  // A cancelled picker leaves the box as typed.
  folders->answer = std::nullopt;
  Click(FrmShells::BrowseButton);
  EXPECT_EQ(dialog.TextControl()->text(), file);
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"a.jpg"});

  dialog.TextControl()->setText(typed);
  Click(FrmShells::OkButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.IsBusy(); }, 5000));
  EXPECT_TRUE(QFile::exists(typed + "/a.jpg"));
  EXPECT_TRUE(QFile::exists(file));
  EXPECT_EQ(host.sheet.path, typed);
  EXPECT_EQ(boxes.shown.size(), 4u);
}

TEST_F(TaskDialogTest, EachTaskStartsFromAnEmptyBoxAndNoFolder) {
  const QString chosen = folder.MakeFolder("chosen");
  selection.SetFiles({MakeFile("a.jpg")});
  folders->answer = chosen;
  Open(1);
  Click(FrmShells::BrowseButton);
  dialog.close();
  Open(2, "Trip");
  Click(FrmShells::OkButton);
  ASSERT_EQ(selection.Files(), QStringList{folder.File("Trip.jpg")});

  // A copy after the rename shows neither the name nor the earlier folder, and goes nowhere.
  const Fakes::ScriptedMessageBox boxes;
  Open(0);
  EXPECT_TRUE(dialog.TextControl()->text().isEmpty());
  EXPECT_TRUE(dialog.TargetFolder().isEmpty());
  Click(FrmShells::OkButton);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(QDir(chosen).isEmpty());
}

TEST_F(TaskDialogTest, ANameThatLeavesTheFolderIsRefused) {
  const QString file = MakeFile("a.jpg");
  folder.MakeFolder("sub");
  const Fakes::ScriptedMessageBox boxes;
  for (const char* name : {"../x", "sub/x", ".", ".."}) {
    selection.SetFiles({file});
    Open(2, name);
    Click(FrmShells::OkButton);
    EXPECT_TRUE(dialog.isVisible()) << name;
    EXPECT_EQ(selection.Files(), QStringList{file});
  }
  ASSERT_EQ(boxes.shown.size(), 4u);
  EXPECT_EQ(boxes.shown[0].prompt, "A name cannot contain \"/\".");
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"a.jpg"});
  EXPECT_TRUE(QDir(folder.File("sub")).isEmpty());
  EXPECT_EQ(host.canvas.disposals, 0);

  // A stamp's name is refused the same way, before the dialog hands it on.
  for (const char* name : {"../x", "sub/x", ".."}) {
    Open(4, name);
    Click(FrmShells::OkButton);
    EXPECT_TRUE(dialog.isVisible()) << name;
    EXPECT_NE(dialog.ButtonState(), 1) << name;
  }
  ASSERT_EQ(boxes.shown.size(), 7u);
  EXPECT_EQ(boxes.shown.back().prompt, boxes.shown[0].prompt);
}

TEST_F(TaskDialogTest, CancelEscapeAndCloseConfirmNothing) {
  bool closed = false;
  dialog.SetPublicShell(4);
  dialog.StartPaint();
  dialog.ShowModal([&] { closed = true; });
  // The pointer rests on OK when the window is closed some other way.
  SendMouse(dialog, QEvent::MouseMove, dialog.ShellButtonRect(FrmShells::OkButton).center());
  dialog.close();
  EXPECT_EQ(dialog.ButtonState(), 0);
  EXPECT_FALSE(closed);
  ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, 5000));

  Open(4);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &escape);
  EXPECT_FALSE(dialog.isVisible());
  Open(4);
  Click(FrmShells::CancelButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.ButtonState(), 0);
}

TEST_F(TaskDialogTest, CanvasSizeAcceptsWholeNumbersUpToTheLimit) {
  host.canvas.imageWidth = "320";
  host.canvas.imageHeight = "200";
  const Fakes::ScriptedMessageBox boxes;
  Open(3);
  EXPECT_EQ(dialog.Text_Width()->text(), "320");
  EXPECT_FALSE(dialog.TextControl()->isVisibleTo(&dialog));
  for (const char* bad : {"0", "-5", "30000", "abc"}) {
    dialog.Text_Width()->setText(bad);
    Click(FrmShells::OkButton);
    EXPECT_TRUE(dialog.isVisible()) << bad;
  }
  EXPECT_EQ(boxes.shown.size(), 4u);
  EXPECT_EQ(boxes.shown.back().prompt, "Please enter a width and a height from 1 to 20000 pixels.");
  dialog.Text_Width()->setText("640");
  dialog.Text_Height()->setText("480");
  Click(FrmShells::OkButton);
  EXPECT_EQ(dialog.m_Rwidth(), 640);
  EXPECT_EQ(dialog.m_Rheight(), 480);
  EXPECT_EQ(dialog.ButtonState(), 1);
  EXPECT_EQ(dialog.ShellColor(), 0x00FFFFFFu);
}

TEST_F(TaskDialogTest, StampNameDefaultsToUntitled) {
  Open(4, "");
  Click(FrmShells::OkButton);
  EXPECT_EQ(dialog.m_String(), "Untitled");
}

TEST_F(TaskDialogTest, EachTaskIsShapedAndDrawn) {
  host.canvas.imageWidth = "1024";
  host.canvas.imageHeight = "768";
  for (int task = 0; task <= 4; ++task) {
    Open(task, "Holiday");
    EXPECT_EQ(dialog.size(), FrmShells::kSize);
    // The rounded corners are cut away; the middle stays.
    EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(dialog.mask().contains(QPoint(200, 80)));
    QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        if (!dialog.mask().contains(QPoint(x, y))) {
          shot.setPixel(x, y, 0);
        }
      }
    }
    shot.save(TestSupport::ArtifactsFolder() + QStringLiteral("/task-dialog-%1.png").arg(task));
    dialog.close();
  }
}
