#include "browse/SheetGeometry.h"

#include <algorithm>
#include <cmath>

SheetGeometry SheetGeometry::For(int innerWidth, int scrollWidth, int zoom, int thumWidth, int thumHeight) {
  SheetGeometry g;
  g.Zoom = zoom;
  g.ThumWidth = thumWidth;
  g.ThumHeight = thumHeight;
  g.CellWidth = thumWidth + 2 * zoom;
  g.CellHeight = thumHeight + 2 * zoom;
  g.FirstColumnLeft = 2 * zoom + 5;
  g.ColumnStep = thumWidth + 20 + 2 * zoom;
  g.RowStep = g.ColumnStep + 30;
  const int surfaceWidth = innerWidth - scrollWidth - SurfaceLeft;
  const int fitting = (surfaceWidth - g.FirstColumnLeft - g.CellWidth) / g.ColumnStep + 1;
  // A pane narrower than one cell still shows one thumbnail a row: cut off at the
  // right edge it can be scrolled to, left out it could not be reached at all.
  g.Columns = std::max(1, fitting) + 1;
  return g;
}

QPointF SheetGeometry::SlotOrigin(int slot) const {
  const int line = slot / PerRow();
  const int column = slot % PerRow();
  return {static_cast<double>(FirstColumnLeft + column * ColumnStep),
          static_cast<double>(FirstRowTop + line * RowStep)};
}

int SheetGeometry::SlotAt(QPointF point) const {
  if (!CanLayOut() || point.x() < FirstColumnLeft || point.y() < FirstRowTop) {
    return -1;
  }
  const int column = static_cast<int>((point.x() - FirstColumnLeft) / ColumnStep);
  const int line = static_cast<int>((point.y() - FirstRowTop) / RowStep);
  return column < PerRow() ? line * PerRow() + column : -1;
}

QRectF SheetGeometry::CaptionBox(int slot, int line) const {
  const QPointF origin = SlotOrigin(slot);
  return {origin.x(), origin.y() + ThumHeight + 1 + line * CaptionHeight, static_cast<double>(ThumWidth),
          static_cast<double>(CaptionHeight)};
}

int SheetGeometry::RowsFor(int count) const { return CanLayOut() && count > 0 ? (count + PerRow() - 1) / PerRow() : 0; }

int SheetGeometry::RowBottom(int line) const {
  const int captionsBottom = ThumHeight + 1 + CaptionLines * CaptionHeight;
  return FirstRowTop + line * RowStep + std::max(CellHeight, captionsBottom);
}

int SheetGeometry::SurfaceHeight(int count) const {
  const int rows = RowsFor(count);
  return rows == 0 ? 0 : RowBottom(rows - 1) + BottomMargin;
}

void SheetGeometry::SlotsIn(double top, double bottom, int count, int& first, int& last) const {
  first = 0;
  last = -1;
  if (!CanLayOut() || count <= 0) {
    return;
  }
  // A row's pictures may sit a few pixels above its top (portraits are lifted) and its
  // captions reach below the cell, so one row more on either side is looked at.
  const int firstLine = std::max(0, static_cast<int>(std::floor((top - FirstRowTop) / RowStep)) - 1);
  const int lastLine = static_cast<int>(std::floor((bottom - FirstRowTop) / RowStep)) + 1;
  first = std::min(count, firstLine * PerRow());
  last = std::min(count - 1, (lastLine + 1) * PerRow() - 1);
}
