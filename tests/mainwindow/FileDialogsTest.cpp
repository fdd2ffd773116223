#include <gtest/gtest.h>

#include <optional>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

#include "foundation/ModqzReg.h"
#include "mainwindow/FileDialogs.h"
#include "mainwindow/fDialogEx.h"
#include "support/TestFolder.h"
#include "support/TestPictures.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

using namespace FileDialogs;

const QString kOpenFilter = QStringLiteral(
    "All Supported files|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.wmf;*.emf|BMP Windows Bitmap "
    "(*.BMP;*.DIB;*.RLE)|*.bmp;*.dib;*.rle|EMF Windows Enhanced Metafile (*.EMF)|*.emf|GIF CompuServe GIF "
    "(*.GIF)|*.gif|JPEG Files (*.JPG;*.JPEG)|*.jpg;*.jpeg|PNG Portable Network Graphics (*.PNG)|*.png");
const QString kSaveFilter = QStringLiteral(
    "BMP (Windows Bitmap)|*.bmp|GIF (CompuServe GIF)|*.gif|JPG (JPEG)|*.jpg|PNG (Portable Network "
    "Graphics)|*.png|TIFF (Tag Image File Format)|*.tif");

TEST(FileDialogFilters, NulsAndPadding) {
  EXPECT_EQ(StripNull(QStringLiteral("photo.jpg") + QChar(0) + "rest"), "photo.jpg");
  EXPECT_EQ(StripNull("no nul"), "no nul");
  const QString prepared = PrepareFilter(kSaveFilter);
  EXPECT_EQ(prepared.size(), 260);
  EXPECT_EQ(StripNull(prepared), "BMP (Windows Bitmap)");
  const QString longFilter = QString(300, 'a') + "|*.a";
  EXPECT_EQ(PrepareFilter(longFilter), QString(300, 'a') + QChar(0) + "*.a" + QChar(0) + QChar(0));
}

TEST(FileDialogFilters, TheStartTypeComesFromTheExactExtension) {
  EXPECT_EQ(FilterIndexForName("photo.jpg", kSaveFilter), 3);
  EXPECT_EQ(FilterIndexForName("PHOTO.PNG", kSaveFilter), 4);
  EXPECT_EQ(FilterIndexForName("photo.jpg", kOpenFilter), 1) << "an entry of two patterns does not match";
  EXPECT_EQ(FilterIndexForName("photo.gif", kOpenFilter), 4);
  EXPECT_EQ(FilterIndexForName("photo", kSaveFilter), 1) << "no entry past the last";
  const QString longFilter = QString(280, 'x') + "|*.bmp|PNG|*.png";
  EXPECT_EQ(FilterIndexForName("a.png", longFilter), 2);
}

TEST(FileDialogFilters, NameFiltersMapBackToTheirFirstPattern) {
  const QStringList names = ToNameFilters(kOpenFilter);
  ASSERT_EQ(names.size(), 6);
  EXPECT_EQ(names[4], "JPEG Files (*.JPG;*.JPEG) (*.jpg *.JPG *.jpeg *.JPEG)");
  EXPECT_EQ(EntryOfNameFilter(kOpenFilter, names[4]), 4);
  EXPECT_EQ(EntryOfNameFilter(kOpenFilter, "JPEG Files (*.JPG;*.JPEG)"), 4) << "the description alone";
  EXPECT_EQ(CurrentFilterPattern(kOpenFilter, 4), "*.jpg");
  EXPECT_EQ(CurrentFilterPattern(kSaveFilter, 2), "*.jpg");
  EXPECT_EQ(CurrentFilterPattern(kSaveFilter, -1), "");
  EXPECT_EQ(CurrentFilterPattern(kSaveFilter, 5), "") << "past the last entry";
  EXPECT_EQ(EntryOfNameFilter(kSaveFilter, "other"), -1);
  EXPECT_EQ(CutExtension("photo.png"), "photo");
  EXPECT_EQ(CutExtension("a.png"), "a");
  EXPECT_EQ(CutExtension("photo"), "photo");
  EXPECT_EQ(CutExtension("my.holiday.jpeg"), "my.holiday");
  EXPECT_EQ(WithPatternExtension("/t/photo", "*.jpg"), "/t/photo.jpg");
  EXPECT_EQ(WithPatternExtension("/t.d/photo.png", "*.jpg"), "/t.d/photo.png");
  EXPECT_EQ(WithPatternExtension("", "*.jpg"), "");
}

TEST(QualityPanel, NamesAndTypedValues) {
  EXPECT_EQ(fDialogEx::QualityName(0), "Low");
  EXPECT_EQ(fDialogEx::QualityName(4), "Low");
  EXPECT_EQ(fDialogEx::QualityName(6), "Middle");
  EXPECT_EQ(fDialogEx::QualityName(9), "High");
  EXPECT_EQ(fDialogEx::QualityName(12), "Maxdium");
  EXPECT_EQ(fDialogEx::ParseQuality(" 7"), 7);
  EXPECT_EQ(fDialogEx::ParseQuality("13"), std::nullopt);
  EXPECT_EQ(fDialogEx::ParseQuality("a"), std::nullopt);
  EXPECT_EQ(fDialogEx::ParseQuality("-1"), std::nullopt);
}

class FileDialogRun : public ::testing::Test {
 protected:
  QPointer<QFileDialog> Show(const QString& name, const QString& filter, bool isOpen) {
    return ShowFileDialog(nullptr, {folder.File(name), filter, 0, "Title", isOpen},
                          [this](const Result& result) { answer = result; });
  }
  static QLineEdit& NameBox(QFileDialog& dialog) { return *dialog.findChild<QLineEdit*>("fileNameEdit"); }
  static fDialogEx& Panel(QFileDialog& dialog) { return *dialog.findChild<fDialogEx*>(); }
  static void Type(QWidget& widget, const QString& text) {
    for (const QChar c : text) {
      QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QApplication::sendEvent(&widget, &event);
    }
  }

  TestSupport::TestFolder folder;
  std::optional<Result> answer;
};

TEST_F(FileDialogRun, OpenPreviewsTheSelectionWithItsFacts) {
  const QString picture = folder.File("sample.png");
  ASSERT_TRUE(TestSupport::Quadrants(400, 200).save(picture));
  QPointer<QFileDialog> dialog = Show("last.jpeg", kOpenFilter, true);
  ASSERT_TRUE(dialog);
  emit dialog->currentChanged(picture);
  const fDialogEx& panel = Panel(*dialog);
  ASSERT_EQ(panel.Facts().size(), 7);
  EXPECT_EQ(panel.Facts()[0], "Filename : sample.png");
  EXPECT_EQ(panel.Facts()[1], "Format : png");
  EXPECT_EQ(panel.Facts()[5], "Width : 400 Pixel");
  EXPECT_EQ(panel.Facts()[6], "Height : 200 Pixel");
  EXPECT_EQ(panel.Preview().width(), fDialogEx::PreviewBox().width()) << "fitted, not the whole picture";
  EXPECT_LE(panel.Preview().height(), fDialogEx::PreviewBox().height());
  dialog->resize(900, 500);
  dialog->show();
  dialog->grab().save(TestSupport::ArtifactsFolder() + "/open_dialog_preview.png");

  ReleasePreviewDIB();
  EXPECT_TRUE(panel.Preview().isNull());
  NameBox(*dialog).setText("sample.png");
  static_cast<QDialog*>(dialog.data())->accept();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Path, picture);
  EXPECT_EQ(answer->FileExt, "*.bmp") << "\".jpeg\" has no entry of its own: the first type shows";
}

TEST_F(FileDialogRun, ASaveTypeChangeGivesTheNewExtensionAndCancelGivesNothing) {
  QPointer<QFileDialog> dialog = Show("photo.png", kSaveFilter, false);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(EntryOfNameFilter(kSaveFilter, dialog->selectedNameFilter()), 3) << "chosen from the start name";
  NameBox(*dialog).setText("photo.png");
  const QString jpeg = ToNameFilters(kSaveFilter)[2];
  dialog->selectNameFilter(jpeg);
  emit dialog->filterSelected(jpeg);
  EXPECT_EQ(NameBox(*dialog).text(), "photo");
  EXPECT_EQ(dialog->defaultSuffix(), "jpg");
  static_cast<QDialog*>(dialog.data())->accept();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Path, folder.File("photo.jpg"));
  EXPECT_EQ(answer->FileExt, "*.jpg");

  answer.reset();
  dialog = Show("photo.png", kSaveFilter, false);
  dialog->reject();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Path, "");
}

TEST_F(FileDialogRun, TheQualityPanelKeepsAWholeNumberFromZeroToTwelve) {
  ModqzReg::JpegQuality = 4;
  QPointer<QFileDialog> dialog = Show("photo.jpg", kSaveFilter, false);
  fDialogEx& panel = Panel(*dialog);
  EXPECT_EQ(panel.QuilatyText().text(), "4");
  EXPECT_EQ(panel.QualityShown(), "Low");
  panel.fraJPEGOptions().setValue(7);
  EXPECT_EQ(panel.QualityShown(), "High");
  EXPECT_EQ(ModqzReg::JpegQuality, 7);
  EXPECT_EQ(panel.QuilatyText().text(), "7");

  Fakes::ScriptedMessageBox boxes;
  for (const QString& typed : {QStringLiteral("13"), QStringLiteral("a")}) {
    panel.QuilatyText().clear();
    Type(panel.QuilatyText(), typed);
    EXPECT_EQ(ModqzReg::JpegQuality, fDialogEx::kFallbackQuality) << typed.toStdString();
    EXPECT_EQ(panel.QuilatyText().text(), "10");
    panel.fraJPEGOptions().setValue(3);
  }
  ASSERT_EQ(boxes.shown.size(), 2U) << "\"1\" of \"13\" was a good value";
  EXPECT_EQ(boxes.shown[0].prompt, "An integer between 0 and 12 is required. Closet value inserted.");
  EXPECT_EQ(boxes.shown[0].style, 48);
  dialog->resize(900, 500);
  dialog->show();
  dialog->grab().save(TestSupport::ArtifactsFolder() + "/save_dialog_quality.png");
  dialog->reject();
}

}  // namespace
