#include "canvas/tools/RegionTools.h"

#include <algorithm>

#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Graphics.h"

namespace RegionTools {

namespace {

constexpr float kFocusScale = 0.05f;

}  // namespace

bool HasOverlay(int mode) {
  switch (mode) {
    case 1:
    case 5:
    case 6:
    case 9:
    case 17:
    case 18:
    case 19:
    case 20:
    case 42:
      return true;
    default:
      return false;
  }
}

bool HasSelection(int mode) { return mode == 5 || mode == 17 || mode == 41 || mode == 42; }

QPainterPath ShapeOf(int mode, const QRectF& rect) {
  QPainterPath shape;
  shape.setFillRule(Qt::OddEvenFill);
  if (mode == 42) {
    shape.addEllipse(rect);
  } else {
    shape.addRect(rect);
  }
  return shape;
}

QPainterPath Marked(const QRectF& area, const QPainterPath& shape, int combineMode) {
  QPainterPath whole;
  whole.setFillRule(Qt::OddEvenFill);
  whole.addRect(area);
  return combineMode == kInside ? whole.subtracted(shape) : whole.intersected(shape);
}

QColor Tint(std::uint32_t rgb, int alpha) {
  return QColor(int(rgb & 0xFFu), int((rgb >> 8) & 0xFFu), int((rgb >> 16) & 0xFFu), std::clamp(alpha, 0, 255));
}

void DrawFill(Gdip::Graphics& graphics, const Fill& fill) {
  const QRectF& r = fill.rect;
  if (r.width() <= 0 || r.height() <= 0) {
    return;
  }
  const std::uint32_t c1 = ModGDI::RGBToARGB(fill.colour1, 255);
  const std::uint32_t c2 = ModGDI::RGBToARGB(fill.colour2, 255);
  const int opacity = std::clamp(255 - fill.value, 0, 255);
  const auto fx = float(fill.focus.x());
  const auto fy = float(fill.focus.y());
  if (fill.mode == 19) {
    const QPointF c = r.center();
    ModGDI::DrawVectorShape(graphics, 0, float(c.x()), float(c.y()), float(r.width() / 2 - 1),
                            float(r.height() / 2 - 1), fx, fy, kFocusScale, c1, c2, opacity, 0, fill.style);
  } else {
    ModGDI::DrawVectorShape(graphics, 1, float(r.x()), float(r.y()), float(r.width()), float(r.height()), fx, fy,
                            kFocusScale, c1, c2, opacity, 0, fill.style);
  }
}

}  // namespace RegionTools
