#pragma once
// Synthetic mouse and key events sent straight to a drawn control, in its own pixels.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ControlEvents {

inline void Mouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
  const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
  QMouseEvent event(type, at, widget.mapToGlobal(at), changed, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}
inline void Move(QWidget& widget, QPointF at) { Mouse(widget, QEvent::MouseMove, at); }
inline void Press(QWidget& widget, QPointF at) { Mouse(widget, QEvent::MouseButtonPress, at); }
inline void Release(QWidget& widget, QPointF at) { Mouse(widget, QEvent::MouseButtonRelease, at); }
inline void Key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&widget, &event);
}

// Whether a pixel is drawn darker than a light grey in any channel.
inline bool IsDark(QRgb pixel) { return qRed(pixel) < 120 && qGreen(pixel) < 120 && qBlue(pixel) < 120; }

}  // namespace ControlEvents
