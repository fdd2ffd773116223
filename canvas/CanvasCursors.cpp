#include "canvas/CanvasCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSide = 32;

QPixmap BlankPixmap() {
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A pipette slanting up to the right, its tip at the bottom-left pixel (the hot spot).
QCursor PickerCursor() {
  QPixmap pixmap = BlankPixmap();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(2, 29), QPointF(22, 9));
  p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(2, 29), QPointF(22, 9));
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(24, 7), 5, 5);
  p.end();
  return QCursor(pixmap, 1, kSide - 2);
}

// Four arrows out of the centre: the view moves with the pointer.
QCursor PanCursor() {
  QPixmap pixmap = BlankPixmap();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrows;
  const QPointF c(kSide / 2.0, kSide / 2.0);
  for (int turn = 0; turn < 4; ++turn) {
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(90.0 * turn);
    QPainterPath arm;
    arm.addRect(-1.5, -11, 3, 11);
    arm.moveTo(0, -15);
    arm.lineTo(-5, -9);
    arm.lineTo(5, -9);
    arm.closeSubpath();
    arrows.addPath(t.map(arm));
  }
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(Qt::black);
  p.drawPath(arrows.simplified());
  p.end();
  return QCursor(pixmap, kSide / 2, kSide / 2);
}

}  // namespace

CanvasCursors::CanvasCursors() {
  using CanvasLayout::Cursor;
  m_cursors[std::size_t(Cursor::Arrow)] = QCursor(Qt::ArrowCursor);
  m_cursors[std::size_t(Cursor::Cross)] = QCursor(Qt::CrossCursor);
  m_cursors[std::size_t(Cursor::Picker)] = PickerCursor();
  m_cursors[std::size_t(Cursor::Moused)] = QCursor(Qt::PointingHandCursor);
  m_cursors[std::size_t(Cursor::PanView)] = PanCursor();
  m_cursors[std::size_t(Cursor::Shou)] = QCursor(Qt::OpenHandCursor);
  m_cursors[std::size_t(Cursor::SizeFDiag)] = QCursor(Qt::SizeFDiagCursor);
  m_cursors[std::size_t(Cursor::SizeVer)] = QCursor(Qt::SizeVerCursor);
  m_cursors[std::size_t(Cursor::SizeBDiag)] = QCursor(Qt::SizeBDiagCursor);
  m_cursors[std::size_t(Cursor::SizeHor)] = QCursor(Qt::SizeHorCursor);
}
