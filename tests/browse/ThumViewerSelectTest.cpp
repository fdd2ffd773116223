// Selecting on a drawn sheet with synthetic mouse events: what ends up in the shared
// list, which file is current, what opens, and the save prompt in front of it all.
#include <gtest/gtest.h>

#include "browse/BrowseFakes.h"
#include "browse/SheetFixture.h"
#include "browse/SheetPictures.h"
#include "support/fakes/FakeSaveQuestion.h"

namespace {

const QColor kBlue(47, 99, 255);

// Fourteen landscape pictures, six to a row: rows 0-5, 6-11 and 12-13 of the grid.
// Rows 3 and 4 are bitmaps, the rest PNGs, so a filter can hide the two.
class Selection : public SheetFixture {
 protected:
  void SetUp() override {
    SheetFixture::SetUp();
    for (int i = 0; i < 14; ++i) {
      const char* extension = i == 3 || i == 4 ? "bmp" : "png";
      SheetPictures::Write(folder, QStringLiteral("s%1.%2").arg(i, 2, 10, QLatin1Char('0')).arg(extension), {200, 100},
                           Qt::darkGreen);
    }
    Draw();
    sheet.UseSaveQuestion(question);
    QObject::connect(&sheet, &ThumViewer::MouseDown, [this](int button, int shift, float, float) {
      downs.emplace_back(button, shift);
    });
  }

  BrowseFakes::ChosenPictures opened{sheet};
  Fakes::FakeSaveQuestion question;
  std::vector<std::pair<int, int>> downs;
};

}  // namespace

TEST_F(Selection, PlainCtrlAndShiftClicks) {
  ClickRow(2);
  EXPECT_EQ(selected.Files(), Paths({2}));
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(2));
  EXPECT_EQ(sheet.FileExtname, "png");
  EXPECT_EQ(sheet.ThumW(), 100);
  EXPECT_EQ(sheet.ThumH(), 50);
  EXPECT_EQ(opened.files, Paths({2}));
  EXPECT_EQ(Probe(sheet.HitRect(2).topLeft() + QPointF(-2, 20)), kBlue);

  ClickRow(8, Qt::ControlModifier);
  EXPECT_EQ(selected.Files(), Paths({2, 8}));
  ClickRow(2, Qt::ControlModifier);
  EXPECT_EQ(selected.Files(), Paths({8}));
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(2));  // Ctrl leaves the current file alone
  ClickRow(8, Qt::ControlModifier);
  EXPECT_TRUE(selected.IsEmpty());  // never the previous selection
  EXPECT_NE(Probe(sheet.HitRect(8).topLeft() + QPointF(-2, 20)), kBlue);

  ClickRow(1);
  ClickRow(7, Qt::ShiftModifier);  // adds, no range
  EXPECT_EQ(selected.Files(), Paths({1, 7}));
  EXPECT_EQ(opened.files, Paths({2, 2, 8, 1, 1}));
  EXPECT_EQ(downs.size(), 6u);
  EXPECT_EQ(downs[1], std::make_pair(1, 2));
}

TEST_F(Selection, RightClickKeepsTheOthersAndMovesTheCurrentRow) {
  ClickRow(1);
  ClickRow(3, Qt::ControlModifier);
  Click(Centre(9), Qt::NoModifier, Qt::RightButton);
  // The current row (3) hands its place to the row clicked; the others stay selected.
  EXPECT_EQ(selected.Files(), Paths({1, 9}));
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(9));
  EXPECT_EQ(sheet.OldPress, 9);
}

TEST_F(Selection, AClickOnNoThumbnailSelectsAndOpensNothing) {
  ClickRow(1);
  Click(QPointF(115, 70));  // the gap between the first two columns
  EXPECT_TRUE(selected.IsEmpty());
  EXPECT_EQ(opened.files, Paths({1}));
  EXPECT_EQ(downs.size(), 2u);
  // Half-open edges: the first pixel right of a thumbnail is not on it.
  Click(QPointF(sheet.HitRect(0).right(), Centre(0).y()));
  EXPECT_TRUE(selected.IsEmpty());
}

TEST_F(Selection, BandSelectsWhatItTouchesInTableOrder) {
  Band(QPointF(2, 2), QPointF(130, 200));  // rows 0 and 1 of the first two grid rows
  EXPECT_EQ(selected.Files(), Paths({0, 1, 6, 7}));
  EXPECT_EQ(sheet.OldPress, sheet.ListCount);
  EXPECT_TRUE(opened.files.isEmpty());
  // A band that ends exactly on a thumbnail's left edge does not touch it.
  Band(QPointF(2, 2), QPointF(sheet.HitRect(1).left(), 60));
  EXPECT_EQ(selected.Files(), Paths({0}));
  // With Shift, rows outside the band keep their state.
  ClickRow(10);
  Band(QPointF(2, 2), QPointF(130, 60), Qt::ShiftModifier);
  EXPECT_EQ(selected.Files(), Paths({0, 1, 10}));
}

TEST_F(Selection, BandIsShownWhileTheButtonIsDown) {
  Mouse(QEvent::MouseButtonPress, QPointF(2, 2));
  Mouse(QEvent::MouseMove, QPointF(300, 300));
  const QColor inside = Probe(QPointF(110, 150));
  EXPECT_NE(inside, QColor(Qt::white));
  EXPECT_LT(inside.red(), inside.blue());
  Mouse(QEvent::MouseButtonRelease, QPointF(300, 300));
  EXPECT_EQ(Probe(QPointF(110, 150)), QColor(Qt::white));
}

TEST_F(Selection, NextAndPreviousStopAtTheEndsAndSkipHiddenRows) {
  ClickRow(12);
  sheet.PreviewNext();
  sheet.PreviewNext();
  EXPECT_EQ(selected.Files(), Paths({13}));
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(13));
  ClickRow(0);
  sheet.PreviewBack();
  EXPECT_EQ(selected.Files(), Paths({0}));

  sheet.SetImageFormats("*.png");
  sheet.RefreshThumbnail(false);
  ASSERT_TRUE(WaitReady());
  ClickRow(2);
  sheet.PreviewNext();
  EXPECT_EQ(selected.Files(), Paths({5}));
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(5));
  EXPECT_EQ(sheet.FileExtname, "png");
  sheet.PreviewBack();
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(2));
}

TEST_F(Selection, AfterABandNextDoesNothingAndPreviousGoesToTheLastRow) {
  Band(QPointF(2, 2), QPointF(130, 60));
  sheet.PreviewNext();
  EXPECT_EQ(selected.Files(), Paths({0, 1}));
  sheet.PreviewBack();
  EXPECT_EQ(selected.Files(), Paths({0, 1, 13}));
  EXPECT_EQ(sheet.SelectFile, sheet.SlideFilename(13));
}

TEST_F(Selection, UnsavedCanvasChangesAreAskedAboutFirst) {
  question.answers = {false, true};
  ClickRow(4);
  EXPECT_EQ(question.asked, 1);
  EXPECT_TRUE(selected.IsEmpty());
  EXPECT_TRUE(opened.files.isEmpty());
  EXPECT_EQ(downs.size(), 1u);  // Cancel still reports the press
  ClickRow(4);
  EXPECT_EQ(question.asked, 2);
  EXPECT_EQ(selected.Files(), Paths({4}));
  EXPECT_EQ(opened.files, Paths({4}));
}

TEST_F(Selection, HiddenCaptionsSelectWithoutAskingOrOpening) {
  sheet.SetHideCaption(true);
  ClickRow(4);
  EXPECT_EQ(selected.Files(), Paths({4}));
  EXPECT_EQ(question.asked, 0);
  EXPECT_TRUE(opened.files.isEmpty());
}

TEST_F(Selection, ANewListingEmptiesTheSharedList) {
  ClickRow(4);
  sheet.Path(folder.Path());
  EXPECT_TRUE(selected.IsEmpty());
}
