// The calendar layer's members of Imageqzviewer: the renderer fed from the text tool's
// settings, its drawing on the canvas and the picture of the layer alone.

#include "canvas/Imageqzviewer.h"

#include "canvas/tools/CalendarLayer.h"
#include "foundation/ModDraw.h"

ClsCalendar& Imageqzviewer::CalendarLayerReady() {
  if (!m_calendar) {
    m_calendar.emplace();
  }
  CalendarLayer::Prepare(*m_calendar, TextLayerState(), Value());
  return *m_calendar;
}

void Imageqzviewer::CalenderPaint(Gdip::Graphics& graphics) {
  ClsCalendar& calendar = CalendarLayerReady();
  const QRectF layer = CalendarLayer::DrawPreview(calendar, graphics, LayerAnchor());
  m_rects.Layer = layer;
  ModGDI::LayerLeft = float(layer.x());
  ModGDI::LayerTop = float(layer.y());
  ModGDI::LayerWidth = float(layer.width());
  ModGDI::LayerHeight = float(layer.height());
}

void Imageqzviewer::AddCalendarLayer(ToolCommit::Input& input) {
  if (m_mode == ToolModes::Mode::Calendar) {
    input.calendar = &CalendarLayerReady();
    input.calendarAnchor = LayerAnchor();
  }
}

QImage Imageqzviewer::CalendarLayerPicture(float scale) const {
  return m_calendar ? CalendarLayer::Picture(*m_calendar, scale) : QImage();
}
