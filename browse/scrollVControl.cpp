#include "browse/scrollVControl.h"

#include <algorithm>

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"

namespace {

constexpr int kThumbPathW = 2;
constexpr int kThumbPathH = 60;
constexpr int kThumbArc = 6;

QColor Argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return QColor::fromRgba(ModGDI::MakeARGB(a, r, g, b));
}

// A horizontal gradient across the whole bar, the way the track and thumb are shaded.
QLinearGradient Across(int width, const QColor& from, const QColor& to) {
  QLinearGradient gradient(QPointF(0, 1), QPointF(width, 1));
  gradient.setColorAt(0, from);
  gradient.setColorAt(1, to);
  return gradient;
}

}  // namespace

scrollVControl::scrollVControl(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::ClickFocus);
  setAutoFillBackground(true);
  PaintThumbAt(0, false, QPointF(0, 0));
}

void scrollVControl::SetMax(int value) {
  m_max = value;
  if (m_max <= m_min) {
    m_lastError = InvalidPropertyValue;
  }
}

void scrollVControl::SetMin(int value) {
  m_min = value;
  if (m_min >= m_max) {
    m_lastError = InvalidPropertyValue;
  }
  SetValue(m_min);
}

void scrollVControl::SetValue(int value) {
  // Min first, then Max: with an inverted range Max wins, as it always has.
  value = std::max(value, m_min);
  value = std::min(value, m_max);
  m_value = value;
  if (value == m_lastReported) {
    return;
  }
  m_lastReported = value;
  emit ValueChanged();
  if (value == m_max) {
    emit ValueAtMax();
  }
  if (value == m_min) {
    emit ValueAtMin();
  }
}

void scrollVControl::SetEnabled(bool value) {
  m_enabled = value;
  update();
}

void scrollVControl::FitContent(int contentHeight, int viewportHeight) {
  const bool fits = viewportHeight > contentHeight;
  SetEnabled(!fits);
  if (!fits) {
    SetMax(contentHeight - viewportHeight);
  }
  ResetValue();
}

void scrollVControl::ResetValue() {
  PaintThumbAt(0, true, QPointF(0, 0));
  // A drag in progress ends here: its grab offset would otherwise be read as the new
  // resting top and the thumb would jump to the pointer.
  m_dragging = false;
  m_thumbTopOrGrab = 0;
  // The host moved its content to the top, so the value follows silently; otherwise a
  // later drag back to the old value would raise nothing.
  m_value = m_min;
  m_lastReported = m_min;
}

void scrollVControl::ShowValue(int value) {
  m_value = std::clamp(value, m_min, std::max(m_min, m_max));
  m_lastReported = m_value;
  m_dragging = false;
  m_thumbTopOrGrab = TopForValue(m_value);
  PaintThumbAt(static_cast<int>(m_thumbTopOrGrab), false, QPointF(0, 0));
}

void scrollVControl::StartPaint(int PathLeft, int PathTop, int PathW, int PathH, int PathArc_W, int PathArc_H,
                                bool Press, float MoveX, float MoveY) {
  const int top = ClampTop(PathTop);
  m_hit = QRectF(PathLeft, top, ThumbHitWidth, PathH + 5);
  m_pathW = PathW;
  m_pathH = PathH;
  m_arcW = PathArc_W;
  m_arcH = PathArc_H;
  m_pressedLook = Press && m_enabled;
  m_pointerOnThumb = m_hit.contains(QPointF(MoveX, MoveY));
  if (!m_pressedLook) {
    m_dragging = false;
  }
  update();
}

void scrollVControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor white0 = Argb(0, 255, 255, 255);
  const QColor white100 = Argb(100, 255, 255, 255);
  painter.fillRect(rect(), Across(width(), white0, white100));
  painter.setRenderHint(QPainter::Antialiasing);

  const QColor light = m_enabled ? Argb(255, 158, 180, 228) : Argb(255, 210, 210, 210);
  const QColor dark = m_enabled ? Argb(255, 121, 160, 225) : Argb(255, 210, 210, 210);
  QLinearGradient brush = Across(width(), dark, dark);
  if (m_pressedLook) {
    brush = m_pointerOnThumb ? Across(width(), light, dark) : Across(width(), dark, light);
  }

  // Four quarter arcs joined by straight edges. Qt turns arcs counter-clockwise, so the
  // clockwise corner sweeps are written with negated angles.
  const double left = m_hit.left();
  const double top = m_hit.top();
  const double right = left + m_arcW + m_pathW;
  QPainterPath thumb;
  thumb.arcMoveTo(QRectF(left, top, m_arcW, m_arcH), -180);
  thumb.arcTo(QRectF(left, top, m_arcW, m_arcH), -180, -90);
  thumb.arcTo(QRectF(right, top, m_arcW, m_arcH), -270, -90);
  thumb.arcTo(QRectF(right, top + m_pathH, m_arcW, m_arcH), 0, -90);
  thumb.arcTo(QRectF(left, top + m_pathH, m_arcW, m_arcH), -90, -90);
  thumb.closeSubpath();
  painter.fillPath(thumb, brush);
  painter.setPen(QPen(Argb(255, 255, 255, 255), 1));
  painter.drawPath(thumb);
}

void scrollVControl::mousePressEvent(QMouseEvent* event) {
  if (!m_enabled || !m_hit.contains(event->position())) {
    return;
  }
  m_dragging = true;
  m_thumbTopOrGrab = event->position().y() - m_thumbTopOrGrab;
}

void scrollVControl::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging) {
    return;
  }
  const int top = ClampTop(Numbers::RoundToInt(event->position().y() - m_thumbTopOrGrab));
  PaintThumbAt(top, true, event->position());
  SetValue(ValueForTop(top));
}

void scrollVControl::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_dragging) {
    return;
  }
  const int top = ClampTop(Numbers::RoundToInt(event->position().y() - m_thumbTopOrGrab));
  PaintThumbAt(top, false, event->position());
  // The resting top is kept inside the track, so the next grab starts from the thumb
  // where it is drawn.
  m_thumbTopOrGrab = top;
}

void scrollVControl::resizeEvent(QResizeEvent*) { PaintThumbAt(0, false, QPointF(0, 0)); }

int scrollVControl::PathLeft() const { return (width() - ThumbHitWidth) / 2; }

int scrollVControl::MaxThumbTop() const { return std::max(0, height() - ThumbTravelMargin); }

int scrollVControl::ClampTop(int top) const { return std::clamp(top, 0, MaxThumbTop()); }

void scrollVControl::PaintThumbAt(int top, bool press, QPointF pointer) {
  StartPaint(PathLeft(), top, kThumbPathW, kThumbPathH, kThumbArc, kThumbArc, press, static_cast<float>(pointer.x()),
             static_cast<float>(pointer.y()));
}

int scrollVControl::ValueForTop(int top) const {
  const int travel = MaxThumbTop();
  // A bar too short for the thumb to travel cannot scroll at all.
  if (travel <= 0) {
    return m_min;
  }
  const double range = static_cast<double>(m_max) - m_min;
  return static_cast<int>(Numbers::RoundHalfEven(m_min + range * top / travel));
}

int scrollVControl::TopForValue(int value) const {
  const double range = static_cast<double>(m_max) - m_min;
  if (range <= 0) {
    return 0;
  }
  return ClampTop(Numbers::RoundToInt(MaxThumbTop() * (value - m_min) / range));
}
