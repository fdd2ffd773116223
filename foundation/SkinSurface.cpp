#include "foundation/SkinSurface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "foundation/Numbers.h"

namespace {

float Whole(double value) { return static_cast<float>(Numbers::RoundHalfEven(value)); }

}  // namespace

SkinSurface::SkinSurface(QWidget* parent) : QWidget(parent) {}

QImage& SkinSurface::BackBuffer() {
  if (m_backBuffer.size() != size()) {
    QImage grown(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    grown.fill(Qt::transparent);
    if (!m_backBuffer.isNull()) {
      QPainter painter(&grown);
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(0, 0, m_backBuffer);
    }
    m_backBuffer = std::move(grown);
  }
  return m_backBuffer;
}

void SkinSurface::ClearBackBuffer(QColor colour) { BackBuffer().fill(colour); }

void SkinSurface::ShowMoused(bool overClickable) {
  if (overClickable == m_moused) {
    return;
  }
  m_moused = overClickable;
  if (overClickable) {
    setCursor(SkinShapes::MousedCursor());
  } else {
    unsetCursor();
  }
}

void SkinSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area, BackBuffer(), area);
}

namespace SkinShapes {

namespace {

// The top edge with its two rounded corners and the right edge down to innerBottom.
Gdip::Path RoundedTop(float left, float top, float straightW, float innerBottom, float cornerW, float cornerH) {
  const float innerRight = left + cornerW + straightW;
  const float right = innerRight + cornerW;
  Gdip::Path path;
  path.AddArc(left, top, cornerW, cornerH, 180, 90);
  path.AddLine(Whole(left + cornerW), Whole(top), Whole(left + straightW), Whole(top));
  path.AddArc(innerRight, top, cornerW, cornerH, 270, 90);
  path.AddLine(Whole(right), Whole(top + cornerH), Whole(right), Whole(innerBottom));
  return path;
}

// The left edge from its bottom up to the top corner, and the figure closed.
void CloseLeft(Gdip::Path& path, float left, float top, float innerBottom, float cornerH) {
  path.AddLine(Whole(left), Whole(innerBottom), Whole(left), Whole(top + Numbers::RoundToInt(cornerH) / 2));
  path.CloseFigure();
}

}  // namespace

Gdip::Path RoundedBoxPath(float left, float top, float straightW, float straightH, float cornerW, float cornerH) {
  const float innerRight = left + cornerW + straightW;
  const float innerBottom = top + straightH;
  const float bottom = innerBottom + cornerH;
  Gdip::Path path = RoundedTop(left, top, straightW, innerBottom, cornerW, cornerH);
  path.AddArc(innerRight, innerBottom, cornerW, cornerH, 0, 90);
  path.AddLine(Whole(innerRight), Whole(bottom), Whole(left + cornerW), Whole(bottom));
  path.AddArc(left, innerBottom, cornerW, cornerH, 90, 90);
  CloseLeft(path, left, top, innerBottom, cornerH);
  return path;
}

Gdip::Path RoundedTabPath(float left, float top, float straightW, float straightH, float cornerW, float cornerH) {
  const float bottom = top + straightH;
  Gdip::Path path = RoundedTop(left, top, straightW, bottom, cornerW, cornerH);
  path.AddLine(Whole(left + straightW + 2 * cornerW), Whole(bottom), Whole(left), Whole(bottom));
  CloseLeft(path, left, top, bottom, cornerH);
  return path;
}

QCursor MousedCursor() {
  constexpr int kSide = 32;
  QPixmap pixmap(kSide, kSide);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  // A hand with the index finger up; the finger tip is the hot spot.
  QPainterPath hand;
  hand.addRoundedRect(QRectF(10, 2, 5, 16), 2.5, 2.5);
  hand.addRoundedRect(QRectF(7, 13, 17, 14), 4, 4);
  hand.addRoundedRect(QRectF(15, 10, 4, 8), 2, 2);
  hand.addRoundedRect(QRectF(19, 11, 4, 8), 2, 2);
  p.setPen(QPen(Qt::black, 1.2));
  p.setBrush(Qt::white);
  p.drawPath(hand.simplified());
  p.end();
  return QCursor(pixmap, 12, 2);
}

}  // namespace SkinShapes
