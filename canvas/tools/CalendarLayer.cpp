#include "canvas/tools/CalendarLayer.h"

#include <cmath>

#include <QTransform>

#include "canvas/ClsCalendar.h"
#include "canvas/tools/CanvasResize.h"
#include "foundation/ModGDI.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace CalendarLayer {

namespace {

constexpr std::uint8_t kOpaque = 255;

// An export draws with the cell of the last drawing on the canvas, so the layout is the
// one the canvas showed; the world transform alone takes it to picture pixels.
void DrawMapped(ClsCalendar& calendar, Gdip::Graphics& graphics, QPointF anchor, const QTransform& toTarget) {
  QPainter& painter = graphics.Painter();
  painter.save();
  painter.setWorldTransform(toTarget, true);
  const int fontSize = calendar.FontSize();
  calendar.DrawCalendar(graphics, float(anchor.x()), float(anchor.y()), Hinterval(fontSize), kVinterval, true);
  painter.restore();
}

}  // namespace

void Prepare(ClsCalendar& calendar, const TextLayer::Text& text, int month) {
  calendar.SetFontSize(text.size);
  calendar.SetTextRender(text.render);
  calendar.SetFont(text.font);
  calendar.SetFontStyle(text.style);
  calendar.SetFontColor(ModGDI::RGBToARGB(text.colour, kOpaque));
  calendar.SetOpacity(kOpaque);
  calendar.SetMonths(month);
}

QRectF DrawPreview(ClsCalendar& calendar, Gdip::Graphics& graphics, QPointF anchor) {
  const int fontSize = calendar.FontSize();
  calendar.DrawCalendar(graphics, float(anchor.x()), float(anchor.y()), Hinterval(fontSize), kVinterval, false);
  return {anchor, QSizeF(calendar.Width(), calendar.Height())};
}

void DrawExport(const ClsCalendar& calendar, Gdip::Graphics& graphics, QPointF anchor, QPointF displayedOrigin,
                QPointF ratios) {
  ClsCalendar drawn = calendar;
  DrawMapped(drawn, graphics, anchor,
             QTransform::fromScale(ratios.x(), ratios.y()).translate(-displayedOrigin.x(), -displayedOrigin.y()));
}

QImage Picture(const ClsCalendar& calendar, float scale) {
  // A scale that gives no pixels, or more than a picture can hold, draws nothing.
  const double w = std::ceil(double(calendar.Width()) * scale);
  const double h = std::ceil(double(calendar.Height()) * scale);
  if (!(w >= 1 && h >= 1 && w <= CanvasResize::kMaxSide && h <= CanvasResize::kMaxSide)) {
    return {};
  }
  QImage picture = ToolCommit::Blank(QSize(int(w), int(h)));
  if (picture.isNull()) {
    return {};
  }
  if (auto g = Gdip::Graphics::FromSurface(picture)) {
    ClsCalendar drawn = calendar;
    DrawMapped(drawn, *g, QPointF(0, 0), QTransform::fromScale(scale, scale));
  }
  return picture;
}

QImage RenderCalendar(const ToolCommit::Input& in) {
  QImage picture = Gdip::EditableCopy(in.picture.Image());
  if (picture.isNull() || in.calendar == nullptr) {
    return {};
  }
  if (auto g = Gdip::Graphics::FromSurface(picture)) {
    DrawExport(*in.calendar, *g, in.calendarAnchor, in.displayed.topLeft(), ToolCommit::Ratios(in));
  }
  return picture;
}

}  // namespace CalendarLayer
