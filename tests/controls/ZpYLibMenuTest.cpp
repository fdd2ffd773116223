#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include <QImageReader>

#include "ControlEvents.h"
#include "PanelFixture.h"
#include "controls/ZpYLibMenu.h"

namespace {

using namespace ControlEvents;

const QColor kSheetColour(238, 238, 238);

TEST(StampLibraryGeometry, TilesStandFiftyApartWithTheirButtonsAtTheRight) {
  const auto third = ZpYLibMenu::TileGeometry(2, 200);
  EXPECT_EQ(third.Tile, QRectF(2, 110, 200, 30));
  EXPECT_EQ(third.Enter, QRectF(170, 125, 16, 16));
  EXPECT_EQ(third.Delete, QRectF(150, 125, 16, 16));
  EXPECT_EQ(ZpYLibMenu::SheetHeight(0), 10);
  EXPECT_EQ(ZpYLibMenu::SheetHeight(3), 160);
}

class StampLibraryTest : public PanelFixture::ProgramFolderTest {
 protected:
  StampLibraryTest() {
    library.resize(260, 300);
    library.show();
  }

  void Build(bool refresh = false) {
    refresh ? library.RefreshPaint() : library.Painting();
    ASSERT_TRUE(QTest::qWaitFor([this] { return library.SheetReady(); }, 20000));
  }
  QStringList Names() const {
    QStringList names;
    for (const LibraryRow& row : library.Rows()) {
      names << row.Name;
    }
    return names;
  }
  // The colour in the middle of tile i's thumbnail.
  QColor Thumbnail(int i) const { return library.Sheet().pixelColor(15 + 20, 10 + 50 * i - 2 + 20); }
  // The file a press in the middle of tile i chooses.
  QString Pressed(int i) {
    QWidget& sheet = library.LibOLE();
    const QPointF at(100, 10 + 50 * i + 15);
    Press(sheet, at);
    Release(sheet, at);
    return library.Filename();
  }
  // Every tile shows the colour of the file a press on it chooses.
  void ExpectTilesMatchFiles() {
    for (int i = 0; i < int(library.Rows().size()); ++i) {
      const QString file = Pressed(i);
      EXPECT_EQ(Thumbnail(i), colours[QFileInfo(file).fileName()]) << "tile " << i << " " << file.toStdString();
    }
  }
  // How far right tile i's size line reaches on the sheet; 0 without one.
  int SizeLineEnd(int i) const {
    const QImage& sheet = library.Sheet();
    const int top = 10 + 50 * i + 20;
    int end = 0;
    for (int y = top; y < top + 14; ++y) {
      for (int x = 70; x < 170; ++x) {
        if (sheet.pixelColor(x, y) != kSheetColour) {
          end = std::max(end, x);
        }
      }
    }
    return end;
  }
  void Add(const QString& name, QColor colour, QSize size = {64, 48}) {
    colours[name] = colour;
    Stamp(name, colour, size);
  }

  ZpYLibMenu library;
  std::map<QString, QColor> colours;
};

TEST_F(StampLibraryTest, ListsTheFolderLastFileFirstWithoutTheTemporaryStamp) {
  Add("a.lib", Qt::red);
  Add("B.lib", Qt::green);
  Add("c.lib", Qt::blue);
  Stamp("Stamptemp.tmp", Qt::black);
  Stamp("plain", Qt::yellow);
  Build();
  EXPECT_EQ(Names(), QStringList({"plain", "c.lib", "B.lib", "a.lib"}));
  EXPECT_EQ(library.Rows()[0].Title, "plain");
  EXPECT_EQ(library.Rows()[1].Title, "c");
  EXPECT_EQ(Pressed(1), folder.File("Librarians/c.lib"));
  EXPECT_EQ(library.Sheet().height(), ZpYLibMenu::SheetHeight(4));
}

TEST_F(StampLibraryTest, EveryFileButDotFilesIsATileAndANewStampIsTheTopTile) {
  Add("a.lib", Qt::red);
  Add("c.lib", Qt::blue);
  Stamp(".hidden.lib", Qt::black);
  {
    QFile notes(folder.File("Librarians/notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("stamps to make\n");
  }
  // A file that gives no picture is an empty tile.
  colours["notes.txt"] = kSheetColour;
  Build();
  EXPECT_EQ(Names(), QStringList({"notes.txt", "c.lib", "a.lib"}));
  ExpectTilesMatchFiles();
  // Its size line is there, shorter than the "64 x 48 pixels" of a stamp: "0 x 0 pixels".
  EXPECT_GT(SizeLineEnd(0), 70);
  EXPECT_LT(SizeLineEnd(0), SizeLineEnd(1));
  EXPECT_EQ(SizeLineEnd(1), SizeLineEnd(2));
  // A name that sorts between the others still goes on top, through both rebuilds.
  Add("b.lib", Qt::green);
  library.AddnewItem(folder.File("Librarians/b.lib"), "b.lib");
  Build(true);
  EXPECT_EQ(Names(), QStringList({"b.lib", "notes.txt", "c.lib", "a.lib"}));
  ExpectTilesMatchFiles();
  Build();
  EXPECT_EQ(Names(), QStringList({"b.lib", "notes.txt", "c.lib", "a.lib"}));
  // Found by a refresh alone, without being announced.
  Add("a0.lib", Qt::cyan);
  Build(true);
  EXPECT_EQ(Names(), QStringList({"a0.lib", "b.lib", "notes.txt", "c.lib", "a.lib"}));
}

TEST_F(StampLibraryTest, TilesKeepShowingTheirOwnFilesThroughChanges) {
  Add("a.lib", Qt::red);
  Add("b.lib", Qt::green);
  Add("c.lib", Qt::blue);
  Build();
  ExpectTilesMatchFiles();
  // A stamp saved over an existing name, then files added and removed outside the program.
  Add("b.lib", Qt::magenta, {30, 70});
  Build(true);
  ExpectTilesMatchFiles();
  Add("d.lib", Qt::cyan);
  Add("e.lib", Qt::darkYellow);
  QFile::remove(folder.File("Librarians/a.lib"));
  Build(true);
  EXPECT_EQ(Names(), QStringList({"e.lib", "d.lib", "c.lib", "b.lib"}));
  ExpectTilesMatchFiles();
  EXPECT_EQ(library.Sheet().height(), ZpYLibMenu::SheetHeight(4));
}

TEST_F(StampLibraryTest, ReleasingOnADeleteButtonChoosesThatTileAndItsRemovalDropsOnlyIt) {
  for (const char* name : {"a.lib", "b.lib", "c.lib", "d.lib"}) {
    Add(name, Qt::gray);
  }
  Build();
  QWidget& sheet = library.LibOLE();
  PanelFixture::Spy ups(&library, &ZpYLibMenu::MouseUp);
  const QPointF remove = ZpYLibMenu::TileGeometry(2, sheet.width()).Delete.center();
  Move(sheet, remove);
  Press(sheet, remove);
  Release(sheet, remove);
  EXPECT_EQ(ups.count(), 1);
  EXPECT_EQ(library.ButtonType(), 1);
  EXPECT_EQ(library.SelectedIndex(), 2);
  EXPECT_EQ(library.Filename(), folder.File("Librarians/b.lib"));
  const QPointF enter = ZpYLibMenu::TileGeometry(0, sheet.width()).Enter.center();
  Release(sheet, enter);
  EXPECT_EQ(library.ButtonType(), 2);
  EXPECT_TRUE(library.Enter());
  EXPECT_EQ(library.Filename(), folder.File("Librarians/d.lib"));
  Release(sheet, QPointF(2, 2));
  EXPECT_EQ(library.ButtonType(), 0);
  EXPECT_EQ(library.Filename(), folder.File("Librarians/d.lib"));
  QFile::remove(folder.File("Librarians/b.lib"));
  Build(true);
  EXPECT_EQ(Names(), QStringList({"d.lib", "c.lib", "a.lib"}));
  // The chosen tile stays on its file.
  EXPECT_EQ(library.SelectedIndex(), 0);
}

TEST_F(StampLibraryTest, AnEmptyFolderDisablesTheBarAndKeepsTheLastChoice) {
  Add("a.lib", Qt::red);
  Build();
  const QString chosen = Pressed(0);
  QFile::remove(chosen);
  Build(true);
  EXPECT_TRUE(library.Rows().empty());
  EXPECT_FALSE(library.ScrollEnabled());
  EXPECT_EQ(library.Sheet().height(), 10);
  EXPECT_EQ(Pressed(0), chosen);
  PanelFixture::Spy doubles(&library, &ZpYLibMenu::DblClick);
  Mouse(library.LibOLE(), QEvent::MouseButtonDblClick, QPointF(50, 20));
  EXPECT_EQ(doubles.count(), 1);
  EXPECT_EQ(library.Filename(), chosen);
}

TEST_F(StampLibraryTest, ALongLibraryScrollsAndIsCachedAsAJpegOfTheSheet) {
  for (int i = 0; i < 10; ++i) {
    Add(QString("s%1.lib").arg(i), QColor::fromHsv(i * 30, 200, 200));
  }
  Build();
  EXPECT_TRUE(library.ScrollEnabled());
  EXPECT_EQ(library.ScrollMax(), ZpYLibMenu::SheetHeight(10) - 300);
  QImageReader cache(ZpYLibMenu::CacheFile());
  EXPECT_EQ(cache.format(), "jpeg");
  EXPECT_EQ(cache.size(), library.Sheet().size());
  QWidget& sheet = library.LibOLE();
  library.ScrollTo(100);
  EXPECT_EQ(sheet.y(), -100);
}

TEST_F(StampLibraryTest, ThreeTilesWithTheChosenOneHighlighted) {
  Add("Sunset.lib", QColor(240, 120, 40), {120, 60});
  Add("Leaf with a rather long name.lib", QColor(60, 170, 70), {40, 80});
  Add("Sea.lib", QColor(40, 110, 220), {100, 100});
  Build();
  Pressed(1);
  const QImage shot = library.grab().toImage();
  shot.save(TestSupport::ArtifactsFolder() + "/stamp-library.png");
  // The highlight darkens the chosen tile's band a little and leaves the others.
  const QPoint sheetOrigin = library.LibOLE().mapTo(&library, QPoint(0, 0));
  const QPoint inChosen = sheetOrigin + QPoint(60, 10 + 50 + 30);
  const QPoint inOther = sheetOrigin + QPoint(60, 10 + 30);
  EXPECT_LT(qGray(shot.pixel(inChosen)), qGray(shot.pixel(inOther)));
}

}  // namespace
