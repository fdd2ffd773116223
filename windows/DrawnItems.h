#pragma once
// The drawn buttons of the secondary windows that have no standard ones (the file task
// dialog, the print window): rounded gradient boxes on the panel colour with a faint
// outline, labels in "Tahoma" 8 point, and a hit area wider and taller than the box's
// rectangle.

#include <cstdint>

#include <QPointF>
#include <QRectF>
#include <QString>

class QImage;

namespace DrawnItems {

inline constexpr std::uint32_t kPanel = 0xFFF0EEE9;    // ARGB(255, 240, 238, 233)
inline constexpr std::uint32_t kOutline = 0x1E000000;  // ARGB(30, 0, 0, 0)
inline constexpr std::uint32_t kLabel = 0xFF000000;

// The two colours of a box's vertical gradient.
struct Gradient {
  std::uint32_t first;
  std::uint32_t second;
};

// Erases the item's surroundings (5 pixels out to the left and top, 30 wider and 20
// taller) in the panel colour, then draws its rounded box: corner arcs of 10 x 10 around
// the rectangle, so the box spans 20 pixels wider and 10 taller. The gradient's first
// colour lies on the line y = round(top), the second on y = round(height x round(height)),
// so the first colour rules inside the box.
void DrawItemBox(QImage& surface, const QRectF& item, Gradient colours);
// A label: "Tahoma" 8 point at (x, y), in a layout 200 pixels wide.
void DrawItemLabel(QImage& surface, const QString& text, float x, float y, std::uint32_t colour = kLabel);
// How wide a label's text is drawn, in pixels.
float LabelWidth(const QString& text);

// Whether a point hits an item: its rectangle widened by 25 and heightened by 10, left
// and top edges in, right and bottom edges out.
bool ItemHit(const QRectF& item, QPointF point);

}  // namespace DrawnItems
