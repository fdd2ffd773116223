// Ctrl+V on the main window: the clipboard's picture floats as the stamp at once, and
// its files, written in the background, are what whatever comes next finds.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QClipboard>
#include <QtCore/qtestsupport_core.h>

#include "foundation/ModClipboard.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestPictures.h"
#include "support/fakes/FakeSkinnedControls.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

QImage Argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PasteTest : public FrmMainTest {
 protected:
  // A window showing a white picture larger than the one pasted.
  FrmMain& Showing() {
    FrmMain& window = Start();
    QImage white(1600, 1200, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QString file = pictures.File("white.png");
    white.save(file);
    window.FileImport(file);
    return window;
  }
  // Large enough that its files are still being written when the next step comes.
  static QImage Pasted() { return Argb(TestSupport::Quadrants(1200, 900)); }
  // Ctrl+V, and the events served until the picture, converted off the window's thread,
  // floats.
  static void PressCtrlV(FrmMain& window, const QImage& picture) {
    QGuiApplication::clipboard()->setImage(picture);
    const QImage& stamp = window.Canvas().StampCanvas();
    const qint64 before = stamp.cacheKey();
    window.ProcessShortcutKey('V', Forms::vbCtrlMask);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stamp.isNull() && stamp.cacheKey() != before; }, 20000));
  }
  // Every file of this program's snapshot folder.
  QStringList SessionFiles() {
    return QDir(QFileInfo(m_window->Canvas().StampSnapshotFile()).path()).entryList(QDir::Files);
  }

  TestSupport::TestFolder pictures;
};

}  // namespace

TEST_F(PasteTest, ThePictureFloatsAtOnceAndTheStepsRightAfterFindItsFiles) {
  FrmMain& window = Showing();
  Imageqzviewer& canvas = window.Canvas();
  const QImage pasted = Pasted();
  PressCtrlV(window, pasted);
  EXPECT_EQ(canvas.Effect(), 38);
  EXPECT_EQ(canvas.StampCanvas(), pasted);
  EXPECT_EQ(canvas.StampRect(), QRectF(0, 0, 1200, 900));

  // A flip and its undo at once: the step back reads the pasted picture's snapshot.
  canvas.Stampeffect(7);
  ASSERT_NE(canvas.StampCanvas(), pasted);
  canvas.UndoStampRedo(true);
  EXPECT_EQ(canvas.StampUndoIndex(), 0);
  EXPECT_EQ(canvas.StampCanvas(), pasted);
  // Both files hold the picture whole, the snapshot a byte copy of the stamp file.
  canvas.WaitForStampFiles();
  EXPECT_EQ(Argb(QImage(ModGDI::StampTempPath())), pasted);
  EXPECT_EQ(Bytes(canvas.StampSnapshotFile()), Bytes(ModGDI::StampTempPath()));

  // Default Size and the burn-in take the stamp from memory, at the picture's origin.
  canvas.ResetStampsize(true);
  canvas.repaint();
  canvas.SaveUndo();
  const QImage shown = canvas.ImgDIB.DIB()->Image();
  for (const QPoint at : {QPoint(300, 225), QPoint(900, 225), QPoint(300, 675), QPoint(900, 675)}) {
    EXPECT_EQ(shown.pixel(at), pasted.pixel(at)) << at.x() << "," << at.y();
  }
  EXPECT_EQ(shown.pixel(1400, 1000), qRgb(255, 255, 255));
}

// The last stamp's edits and the burn-in are still being written when Ctrl+V comes: the
// paste does not wait for them, and none of them turns up in the new stamp's history.
TEST_F(PasteTest, APasteRightAfterStampEditsAndABurnInStartsAHistoryOfItsOwn) {
  FrmMain& window = Showing();
  Imageqzviewer& canvas = window.Canvas();
  PressCtrlV(window, Pasted());
  canvas.Stampeffect(7);
  canvas.Stampeffect(7);
  canvas.SaveUndo();
  const QImage pasted = Argb(TestSupport::Quadrants(900, 700).mirrored(true, false));
  PressCtrlV(window, pasted);
  EXPECT_EQ(canvas.StampCanvas(), pasted);
  EXPECT_EQ(canvas.StampUndoIndex(), 0);
  EXPECT_FALSE(canvas.StampUndoEnabled());
  EXPECT_FALSE(canvas.StampRedoEnabled()) << "the last stamp's steps are not this one's";
  canvas.UndoStampRedo(false);
  EXPECT_EQ(canvas.StampCanvas(), pasted);

  canvas.WaitForStampFiles();
  EXPECT_EQ(SessionFiles().filter(QStringLiteral(".sudo")), QStringList{QStringLiteral("StampUndo0.sudo")});
  EXPECT_EQ(Argb(QImage(canvas.StampSnapshotFile())), pasted);
  EXPECT_EQ(Bytes(canvas.StampSnapshotFile()), Bytes(ModGDI::StampTempPath()));
}

TEST_F(PasteTest, AStampChosenOrAWindowClosedRightAfterAPasteIsNotOverwrittenByItsFile) {
  FrmMain& window = Showing();
  Fakes::FakeSidePanel panel;
  window.UseSidePanelServices(panel);
  QImage green(30, 20, QImage::Format_ARGB32);
  green.fill(Qt::green);
  panel.stampFilename = pictures.File("green.png");
  green.save(panel.stampFilename);

  PressCtrlV(window, Pasted());
  window.SidePanel_StampMouseUp(2);
  EXPECT_EQ(window.Canvas().StampCanvas(), green);
  window.Canvas().WaitForStampFiles();
  EXPECT_EQ(Argb(QImage(ModGDI::StampTempPath())), green);
  EXPECT_EQ(Argb(QImage(window.Canvas().StampSnapshotFile())), green);

  PressCtrlV(window, Pasted());
  ASSERT_TRUE(window.close());
  EXPECT_FALSE(QFile::exists(ModGDI::StampTempPath())) << "a close removes the stamp file even while it is written";
}

TEST_F(PasteTest, APasteWhoseFilesCannotBeWrittenFloatsSaysSoOnceAndLeavesNoFile) {
  FrmMain& window = Showing();
  Imageqzviewer& canvas = window.Canvas();
  // A plain file where the library folder belongs: the stamp file cannot be written.
  const QString library = QFileInfo(ModGDI::StampTempPath()).path();
  QDir(library).removeRecursively();
  QFile blocker(library);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Fakes::ScriptedMessageBox boxes;
  const QImage pasted = Pasted();
  PressCtrlV(window, pasted);
  EXPECT_EQ(canvas.StampCanvas(), pasted) << "the stamp floats from memory";

  canvas.WaitForStampFiles();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.empty(); }, 5000));
  EXPECT_EQ(boxes.shown.size(), 1U);
  EXPECT_TRUE(QFileInfo(library).isFile());
  // Neither the stamp file nor its copy, nor a temporary file, is left anywhere.
  EXPECT_EQ(SessionFiles(), QStringList{}) << SessionFiles().join(", ").toStdString();
  // With no snapshot of the pasted picture, a step back leaves the stamp as it is.
  canvas.Stampeffect(7);
  const QImage flipped = canvas.StampCanvas();
  canvas.UndoStampRedo(true);
  EXPECT_EQ(canvas.StampCanvas(), flipped);
  EXPECT_EQ(canvas.StampUndoIndex(), 1);
}
