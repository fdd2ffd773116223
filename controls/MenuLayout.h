#pragma once
// Where the rows of a drawn menu go and which row the pointer is over: pure arithmetic
// over the rows of one menu, shared by the menu control and its tests.

#include <optional>
#include <span>
#include <vector>

#include <QPointF>
#include <QRectF>

struct MenuRow;

namespace MenuLayout {

inline constexpr int RowHeight = 20;
inline constexpr float FirstRowTop = 8;
inline constexpr float RowLeft = 2;
// A separator is 15 high and overlaps the row above it by 5, so it takes 10 of the column.
inline constexpr float SeparatorHeight = 15;
inline constexpr float SeparatorOverlap = 5;
// A row's text starts TextIndent + 3 right of its left edge; rows are TextIndent + 4
// narrower than the control.
inline constexpr float TextIndent = 18;
// The left edge of the check mark, also added to the highlight's left edge.
inline constexpr float CheckColumn = 3;

struct Layout {
  std::vector<QRectF> rows;
  // The sum of the rows' heights: what the control needs, less its margins.
  float newHeight = 0;
};

// The rectangles of the rows of one menu, top to bottom, in a control of the given width.
Layout LayOut(std::span<const MenuRow> rows, int controlWidth, int rowHeight = RowHeight);

// The first enabled row whose rectangle holds the point; a disabled row is passed over,
// so a row below that overlaps it may be found. Left and top edges are inside, right and
// bottom edges outside.
std::optional<int> HitTest(std::span<const QRectF> rects, std::span<const MenuRow> rows, QPointF point);

}  // namespace MenuLayout
