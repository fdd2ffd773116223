#pragma once
// The calendar layer: one month drawn over the canvas at the layer's anchor in
// the text tool's font and colour, dragged like the text layer, and burnt into the
// picture (or drawn alone for a stamp) at the size the canvas showed it.

#include <QImage>
#include <QPointF>
#include <QRectF>

#include "canvas/ToolCommit.h"
#include "canvas/tools/TextLayer.h"

class ClsCalendar;
namespace Gdip {
class Graphics;
}

namespace CalendarLayer {

// The gap after each column, canvas pixels.
inline constexpr int kVinterval = 10;
// The gap below the title and below the headers grows with the text size.
inline int Hinterval(int fontSize) { return fontSize * 2; }

// Gives the calendar the text tool's font, size, style, rendering and colour, the month
// and full opacity; the year stays.
void Prepare(ClsCalendar& calendar, const TextLayer::Text& text, int month);

// Draws the month on the canvas with its top-left at anchor and returns the layer's
// rectangle (anchor and the calendar's size), where the layer drag grabs it.
QRectF DrawPreview(ClsCalendar& calendar, Gdip::Graphics& graphics, QPointF anchor);

// Draws the layer as the canvas showed it into a graphics in picture pixels: canvas
// point p lands on (p - displayed.topLeft()) * ratios, and the text scales with it.
void DrawExport(const ClsCalendar& calendar, Gdip::Graphics& graphics, QPointF anchor, QPointF displayedOrigin,
                QPointF ratios);

// The calendar alone on a transparent picture, at scale times its size on the canvas;
// null before the calendar has been drawn or for a scale that gives no pixels.
QImage Picture(const ClsCalendar& calendar, float scale);

// The commit: the picture with the calendar layer burnt in at its own resolution.
QImage RenderCalendar(const ToolCommit::Input& in);

}  // namespace CalendarLayer
