// Opening, saving and importing through the window's file dialogs, answered by a fake:
// the names and formats written, the stamp from a file, and the prompts before leaving.
#include <algorithm>
#include <cmath>

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>

#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/Input.h"
#include "mainwindow/FileChooser.h"
#include "mainwindow/FrmMainFixture.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeFileChooser.h"
#include "support/fakes/FakeSkinnedControls.h"
#include "support/fakes/FakeTaskDialog.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

QByteArray Head(const QString& file, int bytes) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.read(bytes) : QByteArray();
}

bool IsJpeg(const QString& file) { return Head(file, 3) == QByteArray("\xFF\xD8\xFF", 3); }
bool IsPng(const QString& file) { return Head(file, 8) == QByteArray("\x89PNG\r\n\x1A\n", 8); }
QSize SizeReadBack(const QString& file) { return QImageReader(file).size(); }

class FileDialogTest : public FrmMainTest {
 protected:
  void TearDown() override {
    SelectedFiles::Program().Clear();
    FrmMainTest::TearDown();
  }
  // A window showing a 40 x 30 picture, its dialogs answered by the fake.
  FrmMain& Showing(const QString& name) {
    FrmMain& window = Start();
    window.UseFileChooser(chooser);
    picture = pictures.File(name);
    TestSupport::Quadrants(40, 30).save(picture);
    window.FileImport(picture);
    return window;
  }
  // A window showing a new 64 x 32 picture, the sheet listing the pictures' folder.
  FrmMain& WithNewPicture() {
    FrmMain& window = Start();
    window.UseFileChooser(chooser);
    window.Sheet().Path(pictures.Path());
    window.UseTaskDialogs(newPictureDialogs);
    newPictureDialogs.outcome = {64, 32, 1, 0xFFFFFF, {}};
    NewPicture(window);
    EXPECT_TRUE(window.Canvas().hasImage());
    return window;
  }
  static void NewPicture(FrmMain& window) { window.RunMenuCommand(CommandKeyText(CommandKeys::File_New)); }
  void Answer(const QString& path, const QString& pattern) { chooser.answer = {path, pattern}; }

  Fakes::FakeFileChooser chooser;
  Fakes::FakeTaskDialogFactory newPictureDialogs;
  TestSupport::TestFolder pictures;
  QString picture;
};

TEST_F(FileDialogTest, SaveAsEndsTheNameWithTheChosenTypeAndWritesThatFormat) {
  FrmMain& window = Showing("shown.png");
  Answer(pictures.File("photo"), "*.jpg");
  window.FileDialog(1);
  ASSERT_EQ(chooser.requests.size(), 1U);
  EXPECT_EQ(chooser.requests[0].Title, "Save Image as...");
  EXPECT_FALSE(chooser.requests[0].isOpen);
  EXPECT_TRUE(IsJpeg(pictures.File("photo.jpg")));
  EXPECT_EQ(SizeReadBack(pictures.File("photo.jpg")), QSize(40, 30));
  EXPECT_EQ(window.FileExt(), "*.jpg");

  Answer(pictures.File("photo.png"), "*.jpg");
  window.FileDialog(1);
  EXPECT_TRUE(IsJpeg(pictures.File("photo.png.jpg")));
  Answer(pictures.File("upper.JPG"), "*.jpg");
  window.FileDialog(1);
  EXPECT_TRUE(IsJpeg(pictures.File("upper.JPG"))) << "the extension is compared ignoring case";

  Answer(pictures.File("kept"), "*.png");
  window.FileDialog(1);
  EXPECT_TRUE(IsPng(pictures.File("kept.png")));
  EXPECT_TRUE(window.LastFilename().isEmpty()) << "only a bitmap save keeps its name";
  Answer(pictures.File("flat"), "*.bmp");
  window.FileDialog(1);
  EXPECT_EQ(Head(pictures.File("flat.bmp"), 2), "BM");
  EXPECT_EQ(window.LastFilename(), pictures.File("flat.bmp"));
  EXPECT_EQ(chooser.previewReleases, 5);

  const int before = int(QDir(pictures.Path()).count());
  Answer({}, "*.png");
  window.FileDialog(1);
  EXPECT_EQ(int(QDir(pictures.Path()).count()), before) << "a cancelled dialog writes nothing";
  EXPECT_EQ(chooser.requests.back().FileName, pictures.File("flat.bmp")) << "the next save starts there";
}

TEST_F(FileDialogTest, ASaveCopyGoesBesideTheFileAndKeepsThePictureUnsaved) {
  FrmMain& window = Showing("b.jpeg");
  MarkChanged(window);
  window.FileDialog(2);
  EXPECT_TRUE(IsJpeg(pictures.File("b_Copy.jpeg")));
  EXPECT_EQ(SizeReadBack(pictures.File("b_Copy.jpeg")), QSize(40, 30));
  EXPECT_TRUE(window.Canvas().AppliedEffect());
  EXPECT_FALSE(window.Canvas().SaveState()) << "the picture's own file still lacks the changes";
  EXPECT_TRUE(chooser.requests.empty());
}

TEST_F(FileDialogTest, OpenAsksAboutChangesFirstAndOpensTheOneChosenFile) {
  FrmMain& window = Showing("first.png");
  const QString other = pictures.File("other.png");
  TestSupport::Quadrants(20, 10).save(other);
  Answer(other, "*.bmp");
  MarkChanged(window);
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    window.FileDialog(0);
    EXPECT_TRUE(chooser.requests.empty()) << "Cancel opens nothing";
    EXPECT_EQ(window.Canvas().CurFilename, picture);
  }
  Fakes::ScriptedMessageBox boxes({Forms::vbNo});
  window.FileDialog(0);
  ASSERT_EQ(chooser.requests.size(), 1U);
  EXPECT_EQ(chooser.requests[0].Title, "Import Image...");
  EXPECT_EQ(window.Canvas().CurFilename, other);
  EXPECT_EQ(SelectedFiles::Program().Files(), QStringList{other});
  EXPECT_TRUE(SelectedFiles::Program().FromOpenDialog());
  window.FileDialog(0);
  EXPECT_EQ(chooser.requests[1].FileName, other) << "the next open starts at the last file";
  window.FileDialog(5);
  EXPECT_EQ(chooser.requests.size(), 2U);
}

TEST_F(FileDialogTest, AStampFromAFileFloatsAtItsOwnSizeAndALibraryImportTakesAPlainName) {
  FrmMain& window = Showing("shown.png");
  Fakes::FakeSidePanel panel;
  window.UseSidePanelServices(panel);
  const QString stamp = pictures.File("leaf.png");
  TestSupport::Quadrants(12, 8).save(stamp);
  QFile::remove(ModGDI::StampTempPath());
  TestSupport::Quadrants(5, 5).save(ModGDI::StampTempPath(), "PNG");
  Answer(stamp, "*.png");
  window.FileDialog(3);
  EXPECT_TRUE(IsPng(ModGDI::StampTempPath())) << "the old stamp file is replaced";
  EXPECT_EQ(SizeReadBack(ModGDI::StampTempPath()), QSize(12, 8));
  EXPECT_EQ(window.Canvas().Effect(), 38);
  EXPECT_EQ(window.Canvas().StampCanvas().size(), QSize(12, 8)) << "read by its content, at its own size";

  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  dialogs.outcome = {0, 0, 1, 0, "leaf"};
  window.FileDialog(4);
  const QString library = ModPublic::ProgramFolder() + "Librarians/leaf.lib";
  EXPECT_TRUE(IsPng(library));
  ASSERT_EQ(panel.imported.size(), 1U);
  EXPECT_EQ(panel.imported[0].first, library);
  EXPECT_EQ(dialogs.records.back()->publicShell, 4);

  dialogs.outcome.name = "../escape";
  Fakes::ScriptedMessageBox boxes;
  window.FileDialog(4);
  EXPECT_EQ(boxes.shown.size(), 1U);
  EXPECT_FALSE(QFileInfo::exists(ModPublic::ProgramFolder() + "escape.lib"));
  EXPECT_EQ(panel.imported.size(), 1U);
}

TEST_F(FileDialogTest, AStampFromAFileThatGivesNoPictureSaysWhyAndArmsNothing) {
  FrmMain& window = Showing("shown.png");
  ASSERT_TRUE(QDir().mkpath(QFileInfo(ModGDI::StampTempPath()).path()));
  ASSERT_TRUE(TestSupport::Quadrants(5, 5).save(ModGDI::StampTempPath(), "PNG"));
  const QString notes = pictures.File("notes.png");
  QFile text(notes);
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture at all\n");
  text.close();
  const std::pair<QString, QString> files[] = {{notes, "it is not a picture this program reads"},
                                               {pictures.File("gone.png"), "it no longer exists"}};
  for (const auto& [file, reason] : files) {
    SCOPED_TRACE(file.toStdString());
    Fakes::ScriptedMessageBox boxes;
    Answer(file, "*.png");
    window.FileDialog(3);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].prompt, "This file could not be opened: " + reason + ".");
    EXPECT_EQ(window.Canvas().Effect(), 0) << "no stamp tool and no command bar";
    EXPECT_TRUE(window.Canvas().StampCanvas().isNull());
    EXPECT_EQ(SizeReadBack(ModGDI::StampTempPath()), QSize(5, 5)) << "the stamp file is left as it was";
  }
}

TEST_F(FileDialogTest, YesToTheQuestionAboutANewPictureOpensSaveAsInTheSheetsFolder) {
  FrmMain& window = WithNewPicture();
  const auto& dialogs = newPictureDialogs;
  const std::size_t sizeAsked = dialogs.records.size();
  MarkChanged(window);
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbCancel});
    NewPicture(window);
    EXPECT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(dialogs.records.size(), sizeAsked) << "Cancel keeps the picture";
    EXPECT_TRUE(chooser.requests.empty());
  }
  {
    Fakes::ScriptedMessageBox boxes({Forms::vbYes});
    Answer(pictures.File("drawing"), "*.png");
    NewPicture(window);
    EXPECT_EQ(boxes.shown.size(), 1U) << "no word of a failed save";
    ASSERT_EQ(chooser.requests.size(), 1U);
    EXPECT_EQ(chooser.requests[0].Title, "Save Image as...");
    EXPECT_EQ(chooser.requests[0].FileName, pictures.Path() + "/");
    EXPECT_EQ(SizeReadBack(pictures.File("drawing.png")), QSize(64, 32));
    EXPECT_TRUE(window.Canvas().SaveState());
    EXPECT_EQ(dialogs.records.size(), sizeAsked) << "the new picture waits until the user asks again";
  }
  MarkChanged(window);
  Fakes::ScriptedMessageBox boxes({Forms::vbNo});
  NewPicture(window);
  EXPECT_EQ(dialogs.records.size(), sizeAsked + 1) << "No drops the changes and goes on";
  EXPECT_EQ(chooser.requests.size(), 1U);
}

TEST_F(FileDialogTest, TheProgramsChooserReturnsAtOnceAndAnswersWhenTheDialogCloses) {
  const std::unique_ptr<FileChooser> chooser = MakeProgramFileChooser();
  QWidget owner;
  int answers = 0;
  QString chosen = QStringLiteral("unset");
  chooser->ShowFileDialog(&owner, {pictures.File("a.png"), QStringLiteral("PNG (*.png)|*.png"), 0, QStringLiteral("Open"), true},
                          [&](const FileChooser::Answer& answer) {
                            ++answers;
                            chosen = answer.Path;
                          });
  EXPECT_EQ(answers, 0) << "the window goes on while the dialog is open";
  auto* dialog = owner.findChild<QFileDialog*>();
  ASSERT_NE(dialog, nullptr);
  dialog->reject();
  EXPECT_EQ(answers, 1);
  EXPECT_TRUE(chosen.isEmpty()) << "a cancel answers with no path";
}

TEST_F(FileDialogTest, NewMakesAPictureOfTheAskedSize) {
  FrmMain& window = Start();
  Fakes::FakeTaskDialogFactory dialogs;
  window.UseTaskDialogs(dialogs);
  dialogs.outcome = {64, 32, 0, 0xFFFFFF, {}};
  window.RunMenuCommand(CommandKeyText(CommandKeys::File_New));
  EXPECT_FALSE(window.Canvas().hasImage()) << "Cancel makes nothing";
  dialogs.outcome.buttonState = 1;
  window.RunMenuCommand(CommandKeyText(CommandKeys::File_New));
  EXPECT_EQ(dialogs.records.back()->publicShell, 3);
  ASSERT_TRUE(window.Canvas().hasImage());
  EXPECT_EQ(window.Canvas().ShowImgWidth(), "64");
  EXPECT_EQ(window.Canvas().ShowImgHeight(), "32");
}

TEST_F(FileDialogTest, SavingANewPictureAsksForANameInTheSheetsFolder) {
  FrmMain& window = WithNewPicture();

  Fakes::ScriptedMessageBox boxes;
  Answer(pictures.File("drawing"), "*.png");
  window.RunMenuCommand(CommandKeyText(CommandKeys::File_Save));
  ASSERT_EQ(chooser.requests.size(), 1U);
  EXPECT_EQ(chooser.requests[0].Title, "Save Image as...");
  EXPECT_EQ(chooser.requests[0].FileName, pictures.Path() + "/") << "a new picture has no folder: the sheet's";
  EXPECT_EQ(SizeReadBack(pictures.File("drawing.png")), QSize(64, 32));

  Answer(pictures.File("copy"), "*.bmp");
  window.RunMenuCommand(CommandKeyText(CommandKeys::File_Savecopy));
  EXPECT_EQ(chooser.requests.size(), 2U) << "a copy of a new picture is named by the user";
  EXPECT_EQ(Head(pictures.File("copy.bmp"), 2), "BM");
  EXPECT_FALSE(QFileInfo::exists(ModPublic::ProgramFolder() + "Tempnewimage_Copy.png"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileDialogTest, OpenAndSaveAsStartInTheRememberedFileFolderElseTheShownPictures) {
  FrmMain& window = Showing("shown.png");
  TestSupport::TestFolder elsewhere;
  const QString other = elsewhere.File("other.png");
  TestSupport::Quadrants(20, 10).save(other);
  Answer(other, "*.png");
  window.FileDialog(0);
  window.FileImport(picture);
  Answer({}, "*.png");
  window.FileDialog(0);
  ASSERT_EQ(chooser.requests.size(), 2U);
  EXPECT_EQ(chooser.requests[0].FileName, pictures.Path() + "/") << "nothing remembered: the shown picture's folder";
  EXPECT_EQ(chooser.requests[1].FileName, other) << "the last opened file, in its own folder";
  window.SetLastFilename(elsewhere.File("saved.bmp"));
  window.FileDialog(1);
  EXPECT_EQ(chooser.requests[2].FileName, elsewhere.File("saved.bmp"));
  window.SetLastFilename("bare.bmp");
  window.FileDialog(1);
  EXPECT_EQ(chooser.requests[3].FileName, pictures.File("bare.bmp")) << "a bare name, in the shown picture's folder";
}

TEST_F(FileDialogTest, SavingAnUnchangedPictureWritesNothing) {
  FrmMain& window = Showing("photo.jpg");
  QFile original(picture);
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray bytes = original.readAll();
  original.close();
  window.ProcessShortcutKey('S', Forms::vbCtrlMask);
  window.RunMenuCommand(CommandKeyText(CommandKeys::File_Save));
  EXPECT_EQ(Head(picture, int(bytes.size()) + 1), bytes) << "Ctrl+S and File > Save leave the file alone";
  EXPECT_TRUE(chooser.requests.empty());

  MarkChanged(window);
  window.ProcessShortcutKey('S', Forms::vbCtrlMask);
  EXPECT_NE(Head(picture, int(bytes.size()) + 1), bytes) << "a changed picture is written";
  EXPECT_TRUE(window.Canvas().SaveState());
}

TEST_F(FileDialogTest, TranslucentPixelsSavedAsJpegLookAsOnWhite) {
  FrmMain& window = Start();
  window.UseFileChooser(chooser);
  picture = pictures.File("glass.png");
  QImage glass(32, 16, QImage::Format_ARGB32);
  glass.fill(qRgba(255, 0, 0, 128));
  for (int y = 0; y < 16; ++y) {
    for (int x = 16; x < 32; ++x) {
      glass.setPixel(x, y, qRgba(9, 19, 18, 2));  // nearly clear, with dark colours behind it
    }
  }
  glass.save(picture);
  window.FileImport(picture);
  Answer(pictures.File("glass"), "*.jpg");
  window.FileDialog(1);
  const QImage back(pictures.File("glass.jpg"));
  ASSERT_FALSE(back.isNull());
  const auto near = [](QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) <= 6;
  };
  EXPECT_TRUE(near(back.pixel(4, 8), qRgb(255, 127, 127))) << std::hex << back.pixel(4, 8);
  EXPECT_TRUE(near(back.pixel(28, 8), qRgb(252, 252, 252))) << std::hex << back.pixel(28, 8);
}

TEST_F(FileDialogTest, AFailedSaveAsOrCopySaysSoAndKeepsTheChanges) {
  FrmMain& window = Showing("shown.ppm");  // no writer for its own format
  MarkChanged(window);
  Fakes::ScriptedMessageBox boxes;
  Answer(pictures.File("no/such/folder/photo"), "*.png");
  window.FileDialog(1);
  window.FileDialog(2);
  ASSERT_EQ(boxes.shown.size(), 2U);
  for (const auto& box : boxes.shown) {
    EXPECT_EQ(box.prompt, "The image could not be saved. Your changes have been kept.");
  }
  EXPECT_FALSE(window.Canvas().SaveState());
  EXPECT_FALSE(QFileInfo::exists(pictures.File("shown_Copy.ppm")));
}

}  // namespace
