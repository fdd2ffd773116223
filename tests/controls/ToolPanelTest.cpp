#include <gtest/gtest.h>


#include "ControlEvents.h"
#include "PanelFixture.h"
#include "controls/ToolGrid.h"
#include "controls/ToolPanel.h"

namespace {

using namespace ControlEvents;

TEST(ToolGridGeometry, TwelveCellsInThreeColumnsAndHalfOpenHits) {
  const auto cells = ToolGrid::Cells();
  EXPECT_EQ(cells[0], QRectF(15, 20, 50, 50));
  EXPECT_EQ(cells[2], QRectF(175, 20, 50, 50));
  EXPECT_EQ(cells[3], QRectF(15, 90, 50, 50));
  EXPECT_EQ(cells[11], QRectF(175, 230, 50, 50));
  EXPECT_EQ(ToolGrid::ToolAt(QPointF(15, 20)), 0);
  EXPECT_EQ(ToolGrid::ToolAt(QPointF(65, 20)), -1);
  EXPECT_EQ(ToolGrid::ToolAt(QPointF(95, 139.5)), 4);
  EXPECT_EQ(ToolGrid::ToolAt(QPointF(100, 140)), -1);
  EXPECT_TRUE(ToolGrid::IconPath(7).endsWith("Datas/Icon007.png"));
  EXPECT_TRUE(ToolGrid::IconPath(11).endsWith("Datas/Icon011.png"));
}

// Whether any pixel of the box is dark: a caption or an icon stroke is there.
bool Inked(const QImage& image, const QRect& box) {
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 150) {
        return true;
      }
    }
  }
  return false;
}

class ToolPanelTest : public PanelFixture::ProgramFolderTest {
 protected:
  explicit ToolPanelTest(bool withPictures = true) : ProgramFolderTest(withPictures) {
    panel.resize(240, 320);
    panel.show();
    panel.GetIconHandle();
    panel.StartPaint();
    panel.Painting();
  }
  const QImage& Shown() { return panel.ToolOLE().BackBuffer(); }
  // A pixel inside tool i's mark, left of its icon.
  QColor MarkPixel(int i) { return Shown().pixelColor(ToolGrid::Cells()[std::size_t(i)].toRect().topLeft() + QPoint(-4, 20)); }

  ToolPanel panel;
};

TEST_F(ToolPanelTest, APressOnAToolMovesTheMarkAndBetweenToolsChangesNothing) {
  EXPECT_EQ(panel.ToolOLE().height(), 300);
  EXPECT_EQ(MarkPixel(0), QColor(179, 179, 179));
  PanelFixture::Spy downs(&panel, &ToolPanel::MouseDown);
  Press(panel.ToolOLE(), QPointF(120, 110));
  EXPECT_EQ(panel.SelEffect(), 4);
  EXPECT_EQ(MarkPixel(4), QColor(179, 179, 179));
  EXPECT_EQ(MarkPixel(0), QColor(238, 238, 238));
  const QImage before = Shown().copy();
  Press(panel.ToolOLE(), QPointF(80, 80));
  EXPECT_EQ(panel.SelEffect(), 4);
  EXPECT_EQ(Shown(), before);
  ASSERT_EQ(downs.count(), 2);
  EXPECT_EQ(downs[1][2].toFloat(), 80.0F);
  Shown().save(TestSupport::ArtifactsFolder() + "/tool-panel.png");
}

class ToolPanelWithoutIcons : public ToolPanelTest {
 protected:
  ToolPanelWithoutIcons() : ToolPanelTest(false) {}
};

TEST_F(ToolPanelWithoutIcons, AMissingIconStillGetsItsCaption) {
  const QRect cell = ToolGrid::Cells()[1].toRect();
  EXPECT_FALSE(Inked(Shown(), QRect(cell.topLeft(), QSize(44, 34))));
  EXPECT_TRUE(Inked(Shown(), QRect(cell.left() - 10, cell.top() + 40, 70, 14)));
}

}  // namespace
