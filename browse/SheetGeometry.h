#pragma once
// Where the thumbnail sheet puts its cells. The grid depends only on the control's
// width, the scroll bar's width, the zoom margin and the thumbnail size, so every cell
// is placed before a single picture is read.

#include <QPointF>
#include <QRectF>

struct SheetGeometry {
  // The surface sits this far from the control's left edge.
  static constexpr int SurfaceLeft = 5;
  static constexpr int FirstRowTop = 20;
  static constexpr int CaptionHeight = 13;
  static constexpr int CaptionLines = 2;
  // Space kept under the last row, as above the first.
  static constexpr int BottomMargin = FirstRowTop;
  // Portraits sit this much above the centre of their cell, into the gap above it.
  static constexpr int PortraitLift = 5;

  int Zoom = 0;
  int ThumWidth = 0;
  int ThumHeight = 0;
  int CellWidth = 0;
  int CellHeight = 0;
  int FirstColumnLeft = 0;
  int ColumnStep = 0;
  // The row step follows the width, not the height: menu sizes are square.
  int RowStep = 0;
  // The column count C of the layout; a row holds C - 1 thumbnails: as many as the
  // surface shows whole, and never fewer than one, however narrow the control.
  int Columns = 0;

  // The grid for a control of this inner width with a scroll bar of this width.
  static SheetGeometry For(int innerWidth, int scrollWidth, int zoom, int thumWidth, int thumHeight);

  // Thumbnails per row; 0 only for a grid that was never made.
  int PerRow() const { return Columns - 1; }
  bool CanLayOut() const { return PerRow() >= 1; }
  // The number of rows that `count` cells take.
  int RowsFor(int count) const;
  // The left top of the cell in layout slot `slot` (0 = first cell drawn).
  QPointF SlotOrigin(int slot) const;
  // The slot whose cell column and row contain the point, or -1 outside the grid.
  int SlotAt(QPointF point) const;
  // The caption box of a slot: line 0 the file name, line 1 the fact below it.
  QRectF CaptionBox(int slot, int line) const;
  // The bottom of a row of cells: the lower of its cell and its captions.
  int RowBottom(int line) const;
  // The surface height that holds `count` laid-out cells: the last row's bottom and the
  // bottom margin, from the same row step the cells are placed with.
  int SurfaceHeight(int count) const;
  // The slots of the rows of cells that reach into the band [top, bottom).
  void SlotsIn(double top, double bottom, int count, int& first, int& last) const;
};
