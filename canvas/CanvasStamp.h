#pragma once
// The floating stamp as the canvas holds it: its picture, where it lies on the picture and
// where it was handed over, its frame on the canvas, the sub-tool and brush that edit it,
// and whether its history can step. The history's files are StampSnapshots'.

#include <QImage>
#include <QRectF>

struct CanvasStamp {
  // The stamp's own pixels in the layout the brushes paint on; null when there is none.
  QImage picture;
  // Where it lies now and where it was handed over, in picture pixels.
  QRectF rect;
  QRectF home;
  // The stamp tool has yet to take rect as its frame (after a hand-over, "Default Size"
  // or a new layout).
  bool rectPending = false;
  // The frame it was last shown in, canvas pixels.
  QRectF frame;
  // 0 move and size, 1 eraser, 2-6 retouch, 7 smudge, 8 airbrush; the eraser's kind
  // (0 brush, 1 pencil, 2 block); the brush's size.
  int subTool = 0;
  int eraserMode = 0;
  int brushSize = 30;
  bool defaultSize = true;
  bool undoEnabled = false;
  bool redoEnabled = false;

  // Takes a picture read from a file as the stamp; a null one leaves no stamp, never the
  // one before it. True when there is a stamp.
  bool Take(const QImage& read);
  // To be framed at place when next shown; "Default Size" brings it back there.
  void PlaceHanded(const QRectF& place);
  // Back to moving and sizing, where it was handed over.
  void BackHome();
  // Where a pending frame is made from: its place, or without one the picture's origin
  // at the stamp's own size.
  QRectF PlaceToFrame() const;
};
