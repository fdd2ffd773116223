#include "browse/ThumSurface.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "browse/ThumViewer.h"

ThumSurface::ThumSurface(ThumViewer& sheet) : QWidget(&sheet), m_sheet(sheet) {
  setAutoFillBackground(true);
}

void ThumSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  m_sheet.PaintSurface(painter, event->rect());
}

void ThumSurface::mousePressEvent(QMouseEvent* event) { m_sheet.SurfaceMouseDown(*event); }
void ThumSurface::mouseMoveEvent(QMouseEvent* event) { m_sheet.SurfaceMouseMove(*event); }
void ThumSurface::mouseReleaseEvent(QMouseEvent* event) { m_sheet.SurfaceMouseUp(*event); }
void ThumSurface::mouseDoubleClickEvent(QMouseEvent*) { emit m_sheet.DblClick(); }
