#pragma once
// What the canvas shows of the picture: fitted into the window, or at a zoom with an
// offset that pans. The canvas widget owns one and paints from it; the arithmetic of
// fitting, zooming, panning and the navigator's need lives here.

#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>

struct CanvasView {
  // Fit the picture into the window; otherwise show it at zoom, moved by offset.
  bool fit = true;
  float zoom = 1.0f;
  // Where the fitted picture lies on the canvas, in canvas pixels.
  QRectF fitRect;
  // The picture's size at zoom, and the size and offset the last paint showed. An empty
  // previous size means the last paint was fitted.
  QSize displaySize;
  QSize previousDisplaySize;
  QPoint offset;
  QPoint previousOffset;
  // The navigator's thumbnail where it was last drawn; its drag maps through it.
  QRectF navigatorRect;

  // Places the fitted picture: a picture that fits keeps its size, a larger one shrinks to
  // the window keeping its shape, centred either way.
  void FitInto(QSizeF picture, QSize client);
  // The fitted picture's size in whole pixels, what the fitted previews are made at.
  QSize FittedSize() const;
  // Shows the picture at 100 %: centred where it fits, else from its middle.
  void StartAtActualSize(QSizeF picture, QSize client);
  // The display size follows the zoom. An axis that fits is centred; a larger one keeps
  // the view's centre where it was unless the user is panning it (follow false). Coming
  // from a fitted view the picture starts centred.
  void FollowZoom(QSizeF picture, QSize client, bool follow);
  // Moves the zoomed picture by a drag, never past its edges; a fitted picture or an axis
  // that fits stays.
  void Pan(QPointF by, QSize client);
  // The zoomed picture is larger than the window, so the navigator is shown.
  bool NavigatorShown(QSize client) const;
  // Where the picture lies on the canvas: the fitted box, or the zoomed view.
  QRectF Displayed() const;
  // A paint showed the view: the next zoom keeps its centre from here.
  void Shown();
};
