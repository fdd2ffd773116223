#include "controls/MenuLayout.h"

#include <algorithm>

#include "controls/MenuModel.h"
#include "foundation/SkinSurface.h"

namespace MenuLayout {

Layout LayOut(std::span<const MenuRow> rows, int controlWidth, int rowHeight) {
  Layout layout;
  layout.rows.reserve(rows.size());
  const float width = float(controlWidth) - TextIndent - 4;
  for (const MenuRow& row : rows) {
    const bool separator = row.IsSeparator();
    float top = FirstRowTop;
    if (!layout.rows.empty()) {
      const QRectF& above = layout.rows.back();
      top = float(above.bottom()) - (separator ? SeparatorOverlap : 0);
    }
    const float height = separator ? SeparatorHeight : float(rowHeight);
    layout.rows.emplace_back(RowLeft, top, width, height);
    layout.newHeight += height;
  }
  return layout;
}

std::optional<int> HitTest(std::span<const QRectF> rects, std::span<const MenuRow> rows, QPointF point) {
  const std::size_t count = std::min(rects.size(), rows.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (SkinShapes::HitRect(rects[i], point) && !rows[i].disabled) {
      return int(i);
    }
  }
  return std::nullopt;
}

}  // namespace MenuLayout
