// Files that give no picture on the sheet: each is marked, captioned with its reason,
// and can be clicked, selected and opened like any other.
#include <QFile>

#include <gtest/gtest.h>

#include "browse/BrowseFakes.h"
#include "browse/SheetFixture.h"
#include "browse/SheetPictures.h"
#include "support/BrokenFiles.h"

namespace {

class BrokenSheet : public SheetFixture {
 protected:
  void SetUp() override {
    SheetFixture::SetUp();
    broken = TestSupport::WriteBrokenFiles(folder);
    SheetPictures::Write(folder, "e-gone.png", {60, 40}, Qt::blue);
    SheetPictures::Write(folder, "f-good.png", {60, 40}, Qt::green);
  }
  // Whether the cell shows the red crack of the broken mark.
  bool ShowsMark(const QImage& shot, int row) const {
    const QRectF cell = sheet.HitRect(row);
    for (int y = int(cell.top()); y < int(cell.bottom()); ++y) {
      for (int x = int(cell.left()); x < int(cell.right()); ++x) {
        const QColor c = shot.pixelColor(x, y);
        if (c.red() > 150 && c.green() < 90 && c.blue() < 90) {
          return true;
        }
      }
    }
    return false;
  }

  std::vector<TestSupport::BrokenFile> broken;
  BrowseFakes::ChosenPictures chosen{sheet};
};

}  // namespace

TEST_F(BrokenSheet, EachBrokenFileIsMarkedCaptionedSelectableAndOpened) {
  sheet.Path(folder.Path());
  // Removed after the listing, before its picture was read.
  QFile::remove(folder.File("e-gone.png"));
  broken.push_back({"e-gone.png", Gdip::LoadFailure::Missing});
  sheet.CreateThumbnail();
  ASSERT_TRUE(WaitReady());
  const QImage shot = Shot();
  shot.save(TestSupport::ArtifactsFolder() + "/sheet-broken-files.png");
  const QRectF cell(QPointF(0, 0), QSizeF(100, 100));
  for (int row = 0; row < static_cast<int>(broken.size()); ++row) {
    SCOPED_TRACE(broken[row].Name.toStdString());
    ASSERT_EQ(sheet.Caption(row, 0), broken[row].Name);
    EXPECT_EQ(sheet.Caption(row, 1), Gdip::FailureShortForm(broken[row].Failure));
    EXPECT_EQ(sheet.HitRect(row), cell.translated(sheet.Geometry().SlotOrigin(row)));
    EXPECT_TRUE(ShowsMark(shot, row));
    ClickRow(row);
    EXPECT_EQ(selected.Files(), Paths({row}));
    EXPECT_EQ(sheet.SelectFile, folder.File(broken[row].Name));
    ASSERT_FALSE(chosen.files.isEmpty());
    EXPECT_EQ(chosen.files.back(), folder.File(broken[row].Name));
  }
  const int good = static_cast<int>(broken.size());
  EXPECT_EQ(sheet.Caption(good, 1), "60 x 40 pixels");
  EXPECT_FALSE(ShowsMark(shot, good));
  // A band over the row of broken cells takes them all.
  Band(QPointF(2, 10), QPointF(700, 130));
  EXPECT_EQ(selected.Files(), Paths({0, 1, 2, 3, 4, 5}));
}
