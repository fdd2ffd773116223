// The format filter and the image properties list, offscreen: rows, patterns, the
// press that switches a row, the eye marks, and the eight property lines.
#include <QApplication>
#include <QDateTime>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "browse/ModFileinfo.h"
#include "browse/ZzQFiterControl.h"
#include "foundation/ModPublic.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"

namespace {

const QColor kEye{0, 200, 0};
const QStringList kPatterns{"*.Png", "*.Gif", "*.Wmf", "*.Emf", "*.Bmp", "*.Tif", "*.Tiff", "*.Jpg", "*.Jpeg"};

class FilterList : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dataFolder = ModPublic::DataFolderPath;
    ModPublic::DataFolderPath = data.Path() + "/";
    QImage eye(16, 16, QImage::Format_ARGB32);
    eye.fill(kEye);
    eye.save(data.File("Eye.png"));
    list.resize(180, 200);
  }
  void TearDown() override { ModPublic::DataFolderPath = m_dataFolder; }

  void Press(QPointF at) {
    QMouseEvent event(QEvent::MouseButtonPress, at, list.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&list, &event);
  }
  void PressRow(int row) { Press(list.Rows()[static_cast<std::size_t>(row)].Rect.center()); }
  // Whether the eye is drawn in a row's mark square.
  bool EyeShown(int row) {
    const QRectF r = list.Rows()[static_cast<std::size_t>(row)].Rect;
    return list.BackBuffer().pixelColor(QPoint(int(r.left()) + 8, int(r.top()) + 9)) == kEye;
  }

  TestSupport::TestFolder data;
  ZzQFiterControl list;

 private:
  QString m_dataFolder;
};

}  // namespace

TEST_F(FilterList, StartsWithNineRowsAllOnWithTheirEyes) {
  list.IniaData();
  list.StartPaint();
  ASSERT_EQ(list.Rows().size(), 9u);
  for (int i = 0; i < 9; ++i) {
    const auto& row = list.Rows()[static_cast<std::size_t>(i)];
    EXPECT_EQ(row.Text, kPatterns[i]);
    EXPECT_TRUE(row.Selected);
    EXPECT_EQ(row.Rect, QRectF(2, i * 20, 180, 20));
    EXPECT_TRUE(EyeShown(i)) << i;
  }
  EXPECT_EQ(list.ImageFormats(), kPatterns.join(';'));
}

TEST_F(FilterList, APressSwitchesTheRowRebuildsThePatternsAndReportsIt) {
  list.IniaData();
  list.StartPaint();
  std::vector<int> toggled;
  QObject::connect(&list, &ZzQFiterControl::FormatToggled,
                   [&toggled](int Button, int, float, float) { toggled.push_back(Button); });
  PressRow(1);
  QStringList others = kPatterns;
  others.removeAt(1);
  EXPECT_EQ(list.ImageFormats(), others.join(';') + ';');
  EXPECT_EQ(toggled, std::vector<int>{1});
  EXPECT_FALSE(EyeShown(1));
  EXPECT_TRUE(EyeShown(2));
  EXPECT_EQ(list.LastClicked(), 1);
  list.BackBuffer().save(TestSupport::ArtifactsFolder() + "/filter-list-formats.png");
  // The row pressed last takes the third colour; the others alternate.
  const auto colourAt = [&](int row) { return list.BackBuffer().pixelColor(100, row * 20 + 10); };
  EXPECT_NE(colourAt(0), colourAt(3));
  EXPECT_EQ(colourAt(0), colourAt(2));
  EXPECT_NE(colourAt(1), colourAt(0));
  EXPECT_NE(colourAt(1), colourAt(3));

  // Every row off leaves no pattern; a press beside the rows still rebuilds and reports.
  for (int i = 0; i < 9; ++i) {
    if (i != 1) {
      PressRow(i);
    }
  }
  EXPECT_EQ(list.ImageFormats(), "");
  list.SetImageFormats("stale");
  Press(QPointF(50, 195));
  EXPECT_EQ(list.ImageFormats(), "");
  EXPECT_EQ(toggled.size(), 10u);
}

TEST_F(FilterList, ShowsTheMousedPointerOverRowsOnly) {
  list.IniaData();
  list.StartPaint();
  QMouseEvent over(QEvent::MouseMove, QPointF(50, 30), QPointF(50, 30), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&list, &over);
  EXPECT_EQ(list.cursor().shape(), Qt::BitmapCursor);
  QMouseEvent below(QEvent::MouseMove, QPointF(50, 190), QPointF(50, 190), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&list, &below);
  EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FilterList, PropertiesStyleDescribesTheCanvasFileWithoutEyes) {
  TestSupport::TestFolder folder;
  const QString file = folder.Write("Sunset.jpeg", QByteArray(2500, 'x'));
  Fakes::FakeCanvas canvas;
  canvas.filename = file;
  canvas.imageWidth = "640";
  canvas.imageHeight = "480";
  canvas.resolution = 3780 * 0.0254;
  list.SetStyle(ZzQFiterControl::ImageProperties);
  list.IniaData(&canvas);
  list.StartPaint();
  QStringList lines;
  for (const auto& row : list.Rows()) {
    lines << row.Text;
  }
  const QStringList expected{"Filename : Sunset.jpeg",
                             "Image Format : JPEG",
                             "Image Size : " + ModFileinfo::FileFactText(file, 0),
                             "Date Created : " + ModFileinfo::FileFactText(file, 2),
                             "Date Modified : " + ModFileinfo::FileFactText(file, 1),
                             "Image Width : 640 Pixel",
                             "Image Height : 480 Pixel",
                             "Resolution : 96 Dpi"};
  EXPECT_EQ(lines, expected);
  list.BackBuffer().save(TestSupport::ArtifactsFolder() + "/filter-list-properties.png");
  for (int i = 0; i < 8; ++i) {
    EXPECT_FALSE(EyeShown(i)) << i;
  }
}

TEST(FilterListFacts, WithoutAFileTheLabelsStandAlone) {
  const QStringList lines = ZzQFiterControl::PropertyLines(nullptr);
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], "Filename : ");
  EXPECT_EQ(lines[7], "Resolution :  Dpi");
}

TEST(FilterListFacts, ResolutionsReadAsTheyWereSet) {
  // Whole dots per metre give back 96.012, 299.9994 and 72.009.
  EXPECT_EQ(ZzQFiterControl::ResolutionText(3780 * 0.0254), "96");
  EXPECT_EQ(ZzQFiterControl::ResolutionText(11811 * 0.0254), "300");
  EXPECT_EQ(ZzQFiterControl::ResolutionText(2835 * 0.0254), "72");
  EXPECT_EQ(ZzQFiterControl::ResolutionText(96.5), "96.5");
  EXPECT_EQ(ZzQFiterControl::ResolutionText(0), "");
}

TEST(FilterListBag, KeepsItsThreeProperties) {
  ZzQFiterControl list;
  EXPECT_EQ(list.ImageFormats(), "*.png;*.gif;*.wmf;*.emf;*.bmp;*.tif;*.tiff;*.jpg;*.jpeg");
  EXPECT_EQ(list.ToolHeight(), 20.0f);
  list.ReadProperties({{"Style", 1}, {"ToolHeight", 24}});
  EXPECT_EQ(list.Style(), 1);
  EXPECT_EQ(list.ToolHeight(), 24.0f);
  EXPECT_EQ(list.ImageFormats(), ZzQFiterControl::DefaultImageFormats());
  ZzQFiterControl copy;
  copy.ReadProperties(list.WriteProperties());
  EXPECT_EQ(copy.WriteProperties(), list.WriteProperties());
}
