#include "mainwindow/WheelHook.h"

#include <algorithm>
#include <cstdlib>

#include <QWheelEvent>
#include <QWidget>

WheelHook::WheelHook(std::function<void(bool next)> Step, std::vector<const QWidget*> scrollingParts)
    : m_step(std::move(Step)), m_scrollingParts(std::move(scrollingParts)) {}

void WheelHook::HookMainWindow(QWidget& window) {
  UnhookMainWindow();
  m_window = &window;
  m_kept = 0;
  window.installEventFilter(this);
}

void WheelHook::UnhookMainWindow() {
  if (m_window != nullptr) {
    m_window->removeEventFilter(this);
    m_window = nullptr;
  }
}

int WheelHook::TakeNotches(int& kept, int delta) {
  kept += delta;
  // Towards the user is negative: those notches step forward.
  const int notches = kept / kNotch;
  kept -= notches * kNotch;
  return -notches;
}

bool WheelHook::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_window || event->type() != QEvent::Wheel) {
    return false;
  }
  const auto* wheel = static_cast<QWheelEvent*>(event);
  if (OverScrollingPart(wheel->position())) {
    return true;
  }
  const int delta = wheel->angleDelta().y();
  // A sideways scroll carries no vertical delta: it is not a step.
  if (delta == 0) {
    return false;
  }
  const int steps = TakeNotches(m_kept, delta);
  for (int i = 0; i < std::abs(steps); ++i) {
    m_step(steps > 0);
  }
  return true;
}

bool WheelHook::OverScrollingPart(QPointF windowPoint) const {
  for (const QWidget* under = m_window->childAt(windowPoint.toPoint()); under != nullptr && under != m_window;
       under = under->parentWidget()) {
    if (std::find(m_scrollingParts.begin(), m_scrollingParts.end(), under) != m_scrollingParts.end()) {
      return true;
    }
  }
  return false;
}
