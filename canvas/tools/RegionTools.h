#pragma once
// The region tools' drawing, shared by the overlay on the canvas (canvas pixels) and the
// commit (picture pixels): which modes draw a tool rectangle, the shaded area a selection
// sense leaves, the picked-colour tint and the radial and linear fills.

#include <cstdint>

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "canvas/ToolModes.h"

namespace Gdip {
class Graphics;
}

namespace RegionTools {

// The selection senses: 1 the inside of the shape is selected, 4 the outside.
inline constexpr int kInside = 1;
inline constexpr int kOutside = 4;

// The modes whose overlay draws a tool rectangle (crop, card, colour, red eye, the
// marquees and the fills).
bool HasOverlay(ToolModes::Mode mode);
// The modes that hold a selection the Edit commands act on: card, the two marquees and
// the polygon.
inline bool HasSelection(ToolModes::Mode mode) { return ToolModes::Row(mode).editsSelection; }

// The selection's shape: the ellipse in the rectangle for the elliptical marquee, else
// the rectangle.
QPainterPath ShapeOf(ToolModes::Mode mode, const QRectF& rect);
// The part of area a sense marks: outside the shape (1) or the shape itself (4).
QPainterPath Marked(const QRectF& area, const QPainterPath& shape, int combineMode);

// An RGB reference (red in the low byte) with an alpha kept within 0..255.
QColor Tint(std::uint32_t rgb, int alpha);

// A radial or linear (RectangleFill) fill of rect: colour1 at the focus, colour2 around it,
// both opaque, drawn at opacity 255 - value in the given fill style.
struct Fill {
  ToolModes::Mode mode = ToolModes::Mode::CircularFill;
  QRectF rect;
  QPointF focus;
  std::uint32_t colour1 = 0;
  std::uint32_t colour2 = 0;
  int value = 0;
  QString style;
};
void DrawFill(Gdip::Graphics& graphics, const Fill& fill);

}  // namespace RegionTools
