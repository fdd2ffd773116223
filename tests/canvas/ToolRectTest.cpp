#include "canvas/tools/ToolRect.h"

#include <gtest/gtest.h>

namespace {

const QRectF kRect(100, 50, 80, 60);

}  // namespace

TEST(ToolRect, DragCornersNormaliseAndAFlatDragKeepsThePreviousRectangle) {
  const QPointF tl(10, 20);
  const QPointF br(70, 45);
  EXPECT_EQ(ToolRect::FromCorners(br, tl, {}), ToolRect::FromCorners(tl, br, {}));
  EXPECT_EQ(ToolRect::FromCorners(tl, br, {}), QRectF(10, 20, 60, 25));
  EXPECT_EQ(ToolRect::FromCorners(QPointF(70, 20), QPointF(10, 45), {}), QRectF(10, 20, 60, 25));
  EXPECT_EQ(ToolRect::FromCorners(tl, QPointF(10, 90), kRect), kRect);
  EXPECT_EQ(ToolRect::FromCorners(tl, QPointF(90, 20), kRect), kRect);
}

TEST(ToolRect, ShiftSquaresToTheShorterSideAndRedEyeStaysWithinItsCap) {
  EXPECT_EQ(ToolRect::Squared(QRectF(5, 6, 80, 30)), QRectF(5, 6, 30, 30));
  EXPECT_EQ(ToolRect::Squared(QRectF(5, 6, 20, 70)), QRectF(5, 6, 20, 20));
  EXPECT_EQ(ToolRect::Capped(QRectF(5, 6, 300, 40), 100), QRectF(5, 6, 100, 40));
  EXPECT_EQ(ToolRect::Capped(QRectF(5, 6, 300, 140), 100), QRectF(5, 6, 100, 100));
}

TEST(ToolRect, EachHandleMovesItsOwnEdgesFromTheRectangleAtThePress) {
  const QPointF press(300, 300);
  const QPointF d(7, -4);
  const double l = kRect.left(), t = kRect.top(), r = kRect.right(), b = kRect.bottom();
  const QRectF expected[9] = {
      kRect.translated(d),
      QRectF(QPointF(l + 7, t - 4), QPointF(r, b)),
      QRectF(QPointF(l, t - 4), QPointF(r, b)),
      QRectF(QPointF(l, t - 4), QPointF(r + 7, b)),
      QRectF(QPointF(l, t), QPointF(r + 7, b)),
      QRectF(QPointF(l, t), QPointF(r + 7, b - 4)),
      QRectF(QPointF(l, t), QPointF(r, b - 4)),
      QRectF(QPointF(l + 7, t), QPointF(r, b - 4)),
      QRectF(QPointF(l + 7, t), QPointF(r, b)),
  };
  for (int handle = 0; handle < 9; ++handle) {
    SCOPED_TRACE(handle);
    const QRectF once = ToolRect::Dragged(handle, kRect, press, press + d);
    EXPECT_EQ(once, expected[handle]);
    // Painting again at the same pointer must not grow the rectangle a second time.
    EXPECT_EQ(ToolRect::Dragged(handle, kRect, press, press + d), once);
  }
  // The right edge dragged past the left one: normalised, the left edge where it was.
  EXPECT_EQ(ToolRect::Dragged(4, kRect, press, press + QPointF(-100, 0)), QRectF(80, 50, 20, 60));
  EXPECT_EQ(ToolRect::Dragged(1, kRect, press, press + QPointF(100, 70)), QRectF(180, 110, 20, 10));
  EXPECT_EQ(ToolRect::Dragged(12, kRect, press, press + d), kRect);
}

TEST(ToolRect, HandlesSurroundTheRectangleAndPixelsMapBothWays) {
  const auto handles = ToolRect::Handles(kRect);
  EXPECT_EQ(handles[0], QRectF(95, 45, 10, 10));
  EXPECT_EQ(handles[1], QRectF(105, 45, 70, 10));
  EXPECT_EQ(handles[4], QRectF(175, 105, 10, 10));
  EXPECT_EQ(handles[7], QRectF(95, 55, 10, 50));
  const QRectF fit(50, 0, 500, 400);
  const QSizeF picture(1000, 800);
  EXPECT_EQ(ToolRect::ToPicture(QRectF(70, 10, 60, 40), fit, picture), QRectF(40, 20, 120, 80));
  EXPECT_EQ(ToolRect::ToCanvas(QRectF(40, 20, 120, 80), fit, picture), QRectF(70, 10, 60, 40));
  EXPECT_TRUE(ToolRect::ToPicture(kRect, QRectF(), picture).isEmpty());
  EXPECT_TRUE(ToolRect::ToCanvas(kRect, QRectF(), picture).isEmpty());
}
