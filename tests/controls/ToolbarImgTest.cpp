#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>

#include "ControlEvents.h"
#include "controls/ToolbarImg.h"
#include "controls/UserqzSplit.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"

namespace {

using namespace ControlEvents;

constexpr int kHeight = 40;

TEST(ToolbarImgLayout, ButtonsRunFromTheLeftWithWiderGapsAtTheSeparators) {
  std::array<float, ToolbarImg::SlotCount> captions{};
  captions[1] = 30;
  const ToolbarImg::Layout layout = ToolbarImg::LayoutButtons(kHeight, captions);
  EXPECT_EQ(layout.Rects[0], QRectF(8, 8, 24, 20));
  // A separator after slot 0 halfway into a gap of 30.
  EXPECT_EQ(layout.Separators.front(), 8 + 24 + 15);
  EXPECT_EQ(layout.Rects[1], QRectF(8 + 24 + 30, 8, 54, 20));
  EXPECT_EQ(layout.Rects[2].left(), 62 + 54 + 15);
  ASSERT_EQ(layout.Separators.size(), 4U);
  // Slots 10 and 11 hold nothing but keep their room at the end of the row.
  EXPECT_EQ(layout.Rects[11].left() - layout.Rects[10].left(), 39);
  EXPECT_EQ(ToolbarImg::LayoutButtons(25, captions).Rects[0].top(), 0) << "(25 - 24) halves to even";
  EXPECT_EQ(ToolbarImg::SearchRect({800, 40}), QRectF(650, 7, 120, 10));
}

class ToolbarImgTest : public ::testing::Test {
 protected:
  ToolbarImgTest() : toolbar(&host, QCoreApplication::applicationDirPath() + "/Datas/") {
    toolbar.resize(900, kHeight);
    toolbar.StartPaint();
    QObject::connect(&toolbar, &ToolbarImg::MouseDown, [this](int, int, float X, float) { downs.push_back(X); });
  }
  QPointF Over(int slot) const { return toolbar.ButtonLayout().Rects[std::size_t(slot)].center(); }
  QImage Shot() { return toolbar.grab().toImage(); }
  // A pixel of the button's face right of its caption.
  QPoint FacePoint(int slot) const {
    const QRectF rect = toolbar.ButtonLayout().Rects[std::size_t(slot)];
    return QPoint(int(rect.right()) + 5, 15);
  }
  void Release(QWidget& widget, int key) {
    QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
  }

  Fakes::FakeMainWindow host;
  ToolbarImg toolbar;
  std::vector<float> downs;
};

TEST_F(ToolbarImgTest, ADisabledButtonGetsNoFaceAndIsDrawnFaint) {
  // Slot 2 starts disabled.
  Move(toolbar, Over(2));
  EXPECT_EQ(toolbar.PressID(), ToolbarImg::NoButton);
  const QImage faint = Shot();
  toolbar.EnabledID(2, true);
  EXPECT_EQ(Shot(), faint) << "the enabled flag shows only at the next paint";
  toolbar.StartPaint();
  const QImage bright = Shot();
  const QRectF icon = toolbar.ButtonLayout().Rects[2];
  const QPoint probe(int(icon.left()) + 14, int(icon.top()) + 14);
  const QPoint ground(2, probe.y());
  const auto lift = [&](const QImage& shot) { return qRed(shot.pixel(probe)) - qRed(shot.pixel(ground)); };
  ASSERT_NE(lift(bright), 0);
  EXPECT_NEAR(double(lift(faint)) / lift(bright), 0.25, 0.05) << "20 % against 80 %";
  EXPECT_NE(faint.pixel(FacePoint(2)), qRgb(255, 255, 255));

  toolbar.PressDownID(2, true);
  toolbar.EnabledID(2, false);
  toolbar.StartPaint();
  EXPECT_NE(Shot().pixel(FacePoint(2)), qRgb(255, 255, 255)) << "pressed but disabled";
}

TEST_F(ToolbarImgTest, PressedFacesAndPressIDFollowThePointer) {
  toolbar.PressDownID(1, true);
  EXPECT_TRUE(toolbar.Rpressdown(1));
  EXPECT_EQ(Shot().pixel(FacePoint(1)), qRgb(255, 255, 255));
  const QRgb unhovered = Shot().pixel(FacePoint(3));
  Move(toolbar, Over(3));
  EXPECT_EQ(toolbar.PressID(), 3);
  EXPECT_EQ(Shot().pixel(FacePoint(1)), qRgb(255, 255, 255)) << "pressed, with the pointer elsewhere";
  EXPECT_NE(Shot().pixel(FacePoint(3)), unhovered) << "the hovered face";
  Press(toolbar, Over(3));
  EXPECT_EQ(toolbar.PressID(), 3);
  EXPECT_EQ(downs.back(), float(toolbar.ButtonLayout().Rects[3].left()));

  // Off every button: no button, and the event still carries the last hovered edge.
  Press(toolbar, QPointF(toolbar.ButtonLayout().Rects[9].right() + 60, 20));
  EXPECT_EQ(toolbar.PressID(), ToolbarImg::NoButton);
  ASSERT_EQ(downs.size(), 2U);
  EXPECT_EQ(downs.back(), float(toolbar.ButtonLayout().Rects[3].left()));

  toolbar.PressDownID(12, true);
  toolbar.EnabledID(-1, true);
  EXPECT_FALSE(toolbar.Rpressdown(12));
  EXPECT_FALSE(toolbar.Rpressdown(-1));

  Move(toolbar, Over(5));
  toolbar.PressDownID(5, true);
  toolbar.EnabledID(5, true);
  toolbar.StartPaint();
  Move(toolbar, Over(3));
  toolbar.grab().save(TestSupport::ArtifactsFolder() + "/image_toolbar.png");
}

TEST_F(ToolbarImgTest, TheSearchBoxReachesTheSheetAndKeepsItsKeys) {
  QLineEdit& box = toolbar.SearchText();
  box.setText("cat");
  Release(box, Qt::Key_Return);
  Press(box, QPointF(5, 5));
  Move(toolbar, toolbar.GoArea().center());
  Press(toolbar, toolbar.GoArea().center());
  const std::vector<std::pair<QString, bool>> expected{{"cat", true}, {"", false}, {"cat", true}};
  EXPECT_EQ(host.sheet.searches, expected);

  Key(box, Qt::Key_Delete);
  Key(box, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(host.shortcutKeys.empty()) << "the box's own keys stay there";
  Key(box, Qt::Key_F5);
  Key(box, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(host.shortcutKeys.size(), 2U) << "keys the box has no use for reach the table once each";
  Key(toolbar, Qt::Key_F5);
  EXPECT_EQ(host.shortcutKeys.size(), 3U);
}

TEST(UserqzSplitTest, DotsRunAlongTheLongAxisCentredAcross) {
  const std::vector<QPoint> level = UserqzSplit::DotPositions({20, 9});
  EXPECT_EQ(level, (std::vector<QPoint>{{3, 3}, {9, 3}, {15, 3}}));
  const std::vector<QPoint> upright = UserqzSplit::DotPositions({8, 16});
  EXPECT_EQ(upright, (std::vector<QPoint>{{2, 3}, {2, 9}, {2, 15}}));
  EXPECT_EQ(UserqzSplit::DotPositions({10, 10}).front(), QPoint(3, 3)) << "a square bar runs along its width";
  EXPECT_TRUE(UserqzSplit::DotPositions({2, 1}).empty());
  EXPECT_TRUE(UserqzSplit::DotPositions({1, 2}).empty());
}

TEST(UserqzSplitTest, PointersMapAndMouseEventsPassUnchanged) {
  EXPECT_EQ(UserqzSplit::CursorShapeFor(7), Qt::SizeVerCursor);
  EXPECT_EQ(UserqzSplit::CursorShapeFor(9), Qt::SizeHorCursor);
  EXPECT_EQ(UserqzSplit::CursorShapeFor(99), Qt::ArrowCursor);
  UserqzSplit bar;
  bar.resize(9, 300);
  bar.SetMousePoin(UserqzSplit::PointerSizeWE);
  EXPECT_EQ(bar.cursor().shape(), Qt::SizeHorCursor);
  std::vector<QPointF> seen;
  for (auto signal : {&UserqzSplit::MouseDown, &UserqzSplit::MouseMove, &UserqzSplit::MouseUP}) {
    QObject::connect(&bar, signal, [&seen](int, int, float X, float Y) { seen.emplace_back(X, Y); });
  }
  Press(bar, QPointF(4, 10));
  QMouseEvent drag(QEvent::MouseMove, QPointF(-40, 12), bar.mapToGlobal(QPointF(-40, 12)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&bar, &drag);
  ControlEvents::Release(bar, QPointF(-60, 15));
  EXPECT_EQ(seen, (std::vector<QPointF>{{4, 10}, {-40, 12}, {-60, 15}}));
  bar.PaintStyle(2);
  const QImage shot = bar.grab().toImage();
  int darkest = 255;
  for (int y = 3; y <= 6; ++y) {
    for (int x = 2; x <= 5; ++x) {
      darkest = std::min(darkest, qGray(shot.pixel(x, y)));
    }
  }
  EXPECT_LT(darkest, qGray(shot.pixel(4, 0)) - 20) << "an embossed dot under the first grip point";

  UserqzSplit level;
  level.resize(200, 10);
  level.PaintStyle(0);
  QImage both(220, 320, QImage::Format_ARGB32);
  both.fill(Qt::white);
  QPainter painter(&both);
  painter.drawImage(5, 5, level.grab().toImage());
  painter.drawImage(5, 20, shot);
  painter.end();
  both.save(TestSupport::ArtifactsFolder() + "/splitters.png");
}

}  // namespace
