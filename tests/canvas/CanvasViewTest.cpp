#include "canvas/CanvasView.h"

#include <gtest/gtest.h>

namespace {

const QSize kClient(400, 300);
const QSizeF kPicture(1000, 800);

void ZoomTo(CanvasView& view, float zoom, bool follow = true) {
  view.zoom = zoom;
  view.FollowZoom(kPicture, kClient, follow);
}

// A zoomed view of the picture that the last paint showed.
CanvasView ZoomedView(float zoom) {
  CanvasView view;
  view.fit = false;
  ZoomTo(view, zoom);
  view.Shown();
  return view;
}

}  // namespace

TEST(CanvasView, FittingKeepsSmallPicturesAndShrinksLargeOnesCentred) {
  CanvasView view;
  view.FitInto(QSizeF(100, 50), kClient);
  EXPECT_EQ(view.fitRect, QRectF(150, 125, 100, 50));
  // Wider than the window: the width fills it, the height keeps the shape, and the odd
  // leftover splits to the even neighbour.
  view.FitInto(QSizeF(800, 500), kClient);
  EXPECT_EQ(view.fitRect, QRectF(0, 25, 400, 250));
  EXPECT_EQ(view.FittedSize(), QSize(400, 250));
  view.FitInto(QSizeF(1000, 3000), kClient);
  EXPECT_EQ(view.fitRect, QRectF(150, 0, 100, 300));
  // Exactly the window's size is not shrunk.
  view.FitInto(QSizeF(400, 300), kClient);
  EXPECT_EQ(view.fitRect, QRectF(0, 0, 400, 300));
  // A picture without area shows nothing, in the middle.
  view.FitInto(QSizeF(0, 700), kClient);
  EXPECT_TRUE(view.fitRect.isEmpty());
  EXPECT_EQ(view.Displayed(), view.fitRect);
}

TEST(CanvasView, ActualSizeStartsFromThePictureMiddle) {
  CanvasView view;
  view.fit = false;
  view.zoom = 2.5f;
  view.StartAtActualSize(QSizeF(1001, 801), kClient);
  EXPECT_EQ(view.zoom, 1.0f);
  EXPECT_EQ(view.displaySize, QSize(1001, 801));
  EXPECT_EQ(view.previousDisplaySize, view.displaySize);
  EXPECT_EQ(view.offset, QPoint(-300, -250));
  EXPECT_EQ(view.Displayed(), QRectF(-300, -250, 1001, 801));
  EXPECT_TRUE(view.NavigatorShown(kClient));
}

TEST(CanvasView, ZoomKeepsTheViewCentreAndNeverShowsPastAnEdge) {
  // From a fitted view the zoomed picture starts centred.
  CanvasView view = ZoomedView(1.0f);
  EXPECT_EQ(view.offset, QPoint(-300, -250));
  // Growing by 200 x 160 moves the offset by half of it: the centre stays put.
  ZoomTo(view, 1.2f);
  EXPECT_EQ(view.displaySize, QSize(1200, 960));
  EXPECT_EQ(view.offset, QPoint(-400, -330));

  // Panned to the top-left corner, a zoom out keeps the edge in the window.
  view = ZoomedView(1.0f);
  view.offset = QPoint(0, 0);
  view.Shown();
  ZoomTo(view, 0.5f);
  EXPECT_EQ(view.displaySize, QSize(500, 400));
  EXPECT_EQ(view.offset, QPoint(0, 0));
  // The far corner, zoomed further out: each axis stays within [client - display, 0].
  view.offset = QPoint(-100, -100);
  view.Shown();
  ZoomTo(view, 0.45f);
  EXPECT_EQ(view.offset, QPoint(-50, -60));
  // An axis that fits is centred while the other is still kept.
  ZoomTo(view, 0.4f);
  EXPECT_EQ(view.offset, QPoint(0, -20));
  // Once the picture fits it is centred.
  ZoomTo(view, 0.35f);
  EXPECT_EQ(view.displaySize, QSize(350, 280));
  EXPECT_EQ(view.offset, QPoint(25, 10));
}

TEST(CanvasView, APanningDragKeepsItsOwnOffsetWhileZoomed) {
  CanvasView view = ZoomedView(1.0f);
  view.offset = QPoint(-123, -45);
  ZoomTo(view, 1.5f, false);
  EXPECT_EQ(view.offset, QPoint(-123, -45));
  // Even a held drag cannot keep a picture that now fits off centre.
  ZoomTo(view, 0.3f, false);
  EXPECT_EQ(view.offset, QPoint(50, 30));
}

TEST(CanvasView, PanStopsAtTheEdgesAndNeverMovesWhatFits) {
  CanvasView view = ZoomedView(1.0f);
  view.Pan(QPointF(100.5, -20.5), kClient);
  EXPECT_EQ(view.offset, QPoint(-200, -270));
  view.Pan(QPointF(5000, 5000), kClient);
  EXPECT_EQ(view.offset, QPoint(0, 0));
  view.Pan(QPointF(-5000, -5000), kClient);
  EXPECT_EQ(view.offset, QPoint(-600, -500));

  // Wide but not high: only the wide axis moves.
  CanvasView strip;
  strip.fit = false;
  strip.FollowZoom(QSizeF(1000, 100), kClient, true);
  const QPoint before = strip.offset;
  strip.Pan(QPointF(-30, -30), kClient);
  EXPECT_EQ(strip.offset, QPoint(before.x() - 30, before.y()));

  CanvasView fitted = ZoomedView(1.0f);
  fitted.fit = true;
  fitted.Pan(QPointF(-30, -30), kClient);
  EXPECT_EQ(fitted.offset, QPoint(-300, -250));
}

TEST(CanvasView, TheNavigatorShowsOnlyForAZoomedPictureLargerThanTheWindow) {
  CanvasView view;
  view.displaySize = QSize(2000, 100);
  EXPECT_FALSE(view.NavigatorShown(kClient));  // fitted
  view.fit = false;
  EXPECT_TRUE(view.NavigatorShown(kClient));
  view.displaySize = QSize(100, 301);
  EXPECT_TRUE(view.NavigatorShown(kClient));
  view.displaySize = kClient;
  EXPECT_FALSE(view.NavigatorShown(kClient));
}

TEST(CanvasView, AFittedPaintForgetsTheZoomedViewItCameFrom) {
  CanvasView view = ZoomedView(1.0f);
  view.Pan(QPointF(250, 0), kClient);
  view.fit = true;
  view.Shown();
  EXPECT_TRUE(view.previousDisplaySize.isEmpty());
  EXPECT_EQ(view.previousOffset, QPoint(-50, -250));
  // Back to zooming, the picture starts centred rather than where it was panned.
  view.fit = false;
  ZoomTo(view, 1.0f);
  EXPECT_EQ(view.offset, QPoint(-300, -250));
}
