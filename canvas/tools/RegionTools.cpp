#include "canvas/tools/RegionTools.h"

#include <algorithm>

#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Graphics.h"

namespace RegionTools {

namespace {

using ToolModes::Mode;

constexpr float kFocusScale = 0.05f;

}  // namespace

bool HasOverlay(Mode mode) {
  switch (mode) {
    case Mode::Crop:
    case Mode::Card:
    case Mode::Colorize:
    case Mode::RedEye:
    case Mode::Select:
    case Mode::CropAlike:
    case Mode::CircularFill:
    case Mode::RectangleFill:
    case Mode::EllipseSelect:
      return true;
    default:
      return false;
  }
}

QPainterPath ShapeOf(Mode mode, const QRectF& rect) {
  QPainterPath shape;
  shape.setFillRule(Qt::OddEvenFill);
  if (mode == Mode::EllipseSelect) {
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
  if (fill.mode == Mode::CircularFill) {
    const QPointF c = r.center();
    ModGDI::DrawVectorShape(graphics, 0, float(c.x()), float(c.y()), float(r.width() / 2 - 1),
                            float(r.height() / 2 - 1), fx, fy, kFocusScale, c1, c2, opacity, 0, fill.style);
  } else {
    ModGDI::DrawVectorShape(graphics, 1, float(r.x()), float(r.y()), float(r.width()), float(r.height()), fx, fy,
                            kFocusScale, c1, c2, opacity, 0, fill.style);
  }
}

}  // namespace RegionTools
