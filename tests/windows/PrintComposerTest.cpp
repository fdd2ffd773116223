#include <map>
#include <set>

#include <gtest/gtest.h>

#include <QFile>

#include "PrintPictures.h"
#include "windows/PrintComposer.h"

using namespace PrintComposition;
using namespace PrintTests;

namespace {

QColor At(const QImage& sheet, int x, int y) { return sheet.pixelColor(x, y); }

bool IsWhite(const QImage& sheet) {
  for (int y = 0; y < sheet.height(); ++y) {
    for (int x = 0; x < sheet.width(); ++x) {
      if (sheet.pixel(x, y) != qRgb(255, 255, 255)) {
        return false;
      }
    }
  }
  return true;
}

// Every colour on the sheet except white.
std::set<QRgb> Colours(const QImage& sheet) {
  std::set<QRgb> colours;
  const QImage rgb = sheet.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      if (row[x] != qRgb(255, 255, 255)) {
        colours.insert(row[x]);
      }
    }
  }
  return colours;
}

}  // namespace

TEST(PrintSheet, LetterPaperInBothOrientations) {
  const SheetSize portrait = MeasureSheet(LetterPortrait());
  EXPECT_EQ(portrait.Wpx, 816);
  EXPECT_EQ(portrait.Hpx, 1056);
  EXPECT_EQ(portrait.Canvas(), QSize(851, 1110));

  // Landscape: the border is Hpx / 15 across and Wpx / 30 down.
  const SheetSize landscape = MeasureSheet(LetterLandscape());
  EXPECT_EQ(landscape.Wpx, 1056);
  EXPECT_EQ(landscape.Hpx, 816);
  EXPECT_DOUBLE_EQ(landscape.Wc, 1056 + 816 / 15.0);
  EXPECT_DOUBLE_EQ(landscape.Hc, 816 + 1056 / 30.0);
  EXPECT_EQ(landscape.Canvas(), QSize(1110, 851));
}

TEST(PrintSheet, FitToPageOffsetsKeepThePaperOverPictureTerm) {
  const PaperFacts paper = LetterPortrait();
  const SheetSize sheet = MeasureSheet(paper);
  // Fitted to 816 x 612, centred 222 down, then 27.2 and 35.2 less 12240/4000 and 15840/3000.
  const QRectF large = FitToPageRect(paper, sheet, {4000, 3000});
  EXPECT_NEAR(large.x(), 27.2 - 3.06, 1e-3);
  EXPECT_NEAR(large.y(), 222 + 35.2 - 5.28, 1e-3);
  EXPECT_NEAR(large.width(), 816, 1e-3);
  EXPECT_NEAR(large.height(), 612, 1e-3);
  // A small picture keeps its size and centre, less 122.4 and 158.4.
  const QRectF small = FitToPageRect(paper, sheet, {100, 100});
  EXPECT_NEAR(small.x(), 358 + 27.2 - 122.4, 1e-3);
  EXPECT_NEAR(small.y(), 478 + 35.2 - 158.4, 1e-3);
  EXPECT_EQ(small.size(), QSizeF(100, 100));
  EXPECT_TRUE(FitToPageRect(paper, sheet, {0, 0}).isEmpty());
}

TEST(PrintSheet, FitToPageNeverRunsPastThePrintableArea) {
  // Printed a hundredth of an inch to the pixel, the wide picture takes 8.16 in from 0.24 in.
  PaperFacts paper = LetterPortrait();
  paper.PrintableWidthTwips = 8.5 * 1440;
  paper.PrintableHeightTwips = 11 * 1440;
  const SheetSize sheet = MeasureSheet(paper);
  const QRectF fits = FitToPageRect(paper, sheet, {4000, 3000});
  EXPECT_NEAR(fits.x(), 27.2 - 3.06, 1e-3);
  // 8.3 in reached: it moves back just enough to end there.
  paper.PrintableWidthTwips = 8.3 * 1440;
  const QRectF shifted = FitToPageRect(paper, sheet, {4000, 3000});
  EXPECT_NEAR(shifted.right(), 830, 1e-3);
  EXPECT_EQ(shifted.size(), fits.size());
  EXPECT_EQ(shifted.y(), fits.y());
  // 8 in reached: narrower than the picture, which is fitted into it.
  paper.PrintableWidthTwips = 8 * 1440;
  const QRectF fitted = FitToPageRect(paper, sheet, {4000, 3000});
  EXPECT_NEAR(fitted.x(), 0, 1e-3);
  EXPECT_NEAR(fitted.width(), 800, 1e-3);
  EXPECT_NEAR(fitted.height(), 600, 1e-3);
  // A tall picture on a short printable area moves up.
  paper.PrintableHeightTwips = 10 * 1440;
  const QRectF tall = FitToPageRect(paper, sheet, {1000, 4000});
  EXPECT_LE(tall.bottom(), 1000 + 1e-3);
  EXPECT_GE(tall.top(), 0);
}

TEST(PrintSheet, FullPageAndThumbnailSheetsArePrintedWhollyInsideThePrintableArea) {
  // Printed a hundredth of an inch to the pixel, the 851 x 1110 Letter sheet runs past
  // 8 x 10.5 inches: it is shrunk by 800 / 851 to fit the width, its shape kept.
  PaperFacts paper = LetterPortrait();
  paper.PrintableWidthTwips = 8 * 1440;
  paper.PrintableHeightTwips = 10.5 * 1440;
  const SheetSize sheet = MeasureSheet(paper);
  for (const PrintLayout layout : {PrintLayout::FullPage, PrintLayout::Thumbnail}) {
    const QRectF printed = PrintedSheetRect(paper, sheet, layout);
    EXPECT_EQ(printed.topLeft(), QPointF(0, 0));
    EXPECT_NEAR(printed.width(), 800, 1e-6);
    EXPECT_NEAR(printed.height(), 1110 * 800.0 / 851, 1e-6);
  }
  // Without a known printable area the paper counts.
  EXPECT_NEAR(PrintedSheetRect(LetterPortrait(), sheet, PrintLayout::Thumbnail).height(), 1100, 1e-6);
  // A Fit to Page sheet keeps one pixel to the page pixel: its picture is placed already.
  EXPECT_EQ(PrintedSheetRect(paper, sheet, PrintLayout::FitToPage), QRectF(0, 0, 851, 1110));
}

TEST(PrintSheet, FullPageStretchesASquarePictureOverTheSheet) {
  TestSupport::TestFolder folder;
  QImage square(200, 200, QImage::Format_RGB32);
  const QColor corners[] = {Qt::red, Qt::green, Qt::blue, Qt::magenta};
  for (int i = 0; i < 4; ++i) {
    for (int y = (i / 2) * 100; y < (i / 2) * 100 + 100; ++y) {
      for (int x = (i % 2) * 100; x < (i % 2) * 100 + 100; ++x) {
        square.setPixelColor(x, y, corners[i]);
      }
    }
  }
  square.save(folder.File("square.png"), "PNG");

  const PrintComposer composer({folder.File("square.png")}, LetterPortrait(), PrintLayout::FullPage);
  const QImage sheet = composer.ComposeSheet(0);
  ASSERT_EQ(sheet.size(), QSize(851, 1110));
  const int r = sheet.width() - 4;
  const int b = sheet.height() - 4;
  EXPECT_TRUE(Near(At(sheet, 3, 3), Qt::red));
  EXPECT_TRUE(Near(At(sheet, r, 3), Qt::green));
  EXPECT_TRUE(Near(At(sheet, 3, b), Qt::blue));
  EXPECT_TRUE(Near(At(sheet, r, b), Qt::magenta));
  // The split between the halves follows the sheet, not the picture's square shape.
  EXPECT_TRUE(Near(At(sheet, 3, sheet.height() / 2 - 8), Qt::red));
  EXPECT_TRUE(Near(At(sheet, 3, sheet.height() / 2 + 8), Qt::blue));
}

TEST(PrintSheet, PagesClampToTheFirstAndLastSheet) {
  TestSupport::TestFolder folder;
  // The empty entry a two-entry selection can carry makes no sheet.
  QStringList files = ThreeFlat(folder);
  files.insert(1, QString());
  const PrintComposer composer(files, LetterPortrait(), PrintLayout::FitToPage);
  EXPECT_EQ(composer.SheetCount(), 3);
  EXPECT_EQ(composer.LastPage(), 2);
  EXPECT_EQ(composer.ClampPage(-1), 0);
  EXPECT_EQ(composer.ClampPage(5), 2);

  const QColor expected[] = {Qt::red, Qt::green, Qt::blue};
  for (int page = 0; page < 3; ++page) {
    const QImage sheet = composer.ComposeSheet(page);
    EXPECT_TRUE(Near(At(sheet, sheet.width() / 2, sheet.height() / 2), expected[page])) << page;
  }
  const QImage before = composer.ComposeSheet(-1);
  const QImage after = composer.ComposeSheet(5);
  EXPECT_TRUE(Near(At(before, before.width() / 2, before.height() / 2), Qt::red));
  EXPECT_TRUE(Near(At(after, after.width() / 2, after.height() / 2), Qt::blue));
}

TEST(PrintSheet, AnUndecodableFileLeavesItsSheetWhite) {
  TestSupport::TestFolder folder;
  const QString broken = folder.Write("broken.jpg", QByteArray::fromHex("ffd8ffe0") + "not really a picture");
  const QString good = WriteFlat(folder, "good.png", {300, 200}, Qt::red);
  for (PrintLayout layout : {PrintLayout::FitToPage, PrintLayout::FullPage}) {
    const PrintComposer composer({broken, good}, LetterPortrait(), layout);
    ASSERT_EQ(composer.SheetCount(), 2);
    EXPECT_TRUE(IsWhite(composer.ComposeSheet(0)));
    EXPECT_FALSE(IsWhite(composer.ComposeSheet(1)));
  }
  const PrintComposer thumbs({broken, good}, LetterPortrait(), PrintLayout::Thumbnail);
  EXPECT_EQ(Colours(thumbs.ComposeSheet(0)), std::set<QRgb>{qRgb(255, 0, 0)});
}

TEST(PrintThumbnails, RowsAndSheetsBreakBeforeAPictureWouldCrossTheMargin) {
  const SheetSize sheet = MeasureSheet(LetterPortrait());  // 851.2 x 1110.4
  const std::vector<QSize> sizes = {{300, 200}, {300, 250}, {300, 100}, {200, 300},
                                    {300, 300}, {300, 300}, {300, 300}};
  const std::vector<ThumbSheet> sheets = LayoutThumbnails(sheet, sizes);
  ASSERT_EQ(sheets.size(), 2u);
  ASSERT_EQ(sheets[0].size(), 6u);
  EXPECT_EQ(sheets[0][0].Rect, QRectF(20, 50, 300, 200));
  EXPECT_EQ(sheets[0][1].Rect, QRectF(340, 50, 300, 250));
  // 660 + 300 would pass 831: a new row, 10 below the tallest picture of the last one.
  EXPECT_EQ(sheets[0][2].Rect, QRectF(20, 310, 300, 100));
  EXPECT_EQ(sheets[0][3].Rect, QRectF(340, 310, 200, 300));
  EXPECT_EQ(sheets[0][4].Rect, QRectF(20, 620, 300, 300));
  EXPECT_EQ(sheets[0][5].Rect, QRectF(340, 620, 300, 300));
  // A row at 930 would reach 1230, past 1090.4: the next sheet starts at the top again.
  EXPECT_EQ(sheets[1][0].File, 6);
  EXPECT_EQ(sheets[1][0].Rect, QRectF(20, 50, 300, 300));
}

TEST(PrintThumbnails, EachPictureLandsOnceAndInsideTheMargins) {
  TestSupport::TestFolder folder;
  QStringList files;
  for (int i = 0; i < 20; ++i) {
    const QSize size(60 + (i * 97) % 540, 50 + (i * 61) % 450);
    files << WriteFlat(folder, QString("p%1.png").arg(i), size, Distinct(i));
  }
  const PrintComposer composer(files, LetterPortrait(), PrintLayout::Thumbnail);
  ASSERT_GE(composer.SheetCount(), 2);

  std::map<QRgb, int> sheetsWithColour;
  const QSize canvas = composer.Sheet().Canvas();
  const QRect inside(0, 0, canvas.width() - 20, canvas.height() - 20);
  for (int page = 0; page < composer.SheetCount(); ++page) {
    const QImage sheet = composer.ComposeSheet(page);
    for (QRgb colour : Colours(sheet)) {
      ++sheetsWithColour[colour];
    }
    const QImage margins = sheet.copy(inside.right() + 1, 0, 20, canvas.height());
    EXPECT_TRUE(IsWhite(margins)) << "right margin of sheet " << page;
    EXPECT_TRUE(IsWhite(sheet.copy(0, inside.bottom() + 1, canvas.width(), 20))) << "bottom of sheet " << page;
  }
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(sheetsWithColour[Distinct(i).rgb()], 1) << "picture " << i;
  }
}

TEST(PrintThumbnails, APaperShorterThanOneRowTakesOnePicturePerSheet) {
  TestSupport::TestFolder folder;
  const QStringList files = ThreeFlat(folder);
  const PaperFacts tiny{2 * 1440, 1 * 1440, false};
  const PrintComposer composer(files, tiny, PrintLayout::Thumbnail);
  EXPECT_EQ(composer.SheetCount(), 3);
  EXPECT_EQ(composer.LastPage(), 2);
}
