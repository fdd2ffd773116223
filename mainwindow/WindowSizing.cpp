#include "mainwindow/WindowSizing.h"

#include <algorithm>

#include <QScreen>

#include "mainwindow/PaneLayout.h"

namespace WindowSizing {

QString GetTaskbarPos(int Ws, int Hs, const TaskbarRect& r) {
  QString text;
  const QString height = QString::number(r.bottom - r.top);
  const QString width = QString::number(r.right - r.left);
  if (Hs <= r.bottom && Ws <= r.right && r.left <= 0) {
    text = height + QStringLiteral("*B");
  }
  if (Ws <= r.right && r.top <= 0 && r.left <= 0) {
    text = height + QStringLiteral("*T");
  }
  if (Ws > r.right) {
    text = width + QStringLiteral("*L");
  }
  if (r.left > 0) {
    text = width + QStringLiteral("*R");
  }
  return text;
}

std::optional<TaskbarRect> TaskbarOf(const QRect& screen, const QRect& available) {
  const int W = screen.width();
  const int H = screen.height();
  const int left = available.left() - screen.left();
  const int top = available.top() - screen.top();
  const int right = left + available.width();
  const int bottom = top + available.height();
  const int edges = int(left != 0) + int(top != 0) + int(right != W) + int(bottom != H);
  if (edges != 1) {
    return std::nullopt;
  }
  if (left != 0) {
    return TaskbarRect{0, 0, left, H};
  }
  if (top != 0) {
    return TaskbarRect{0, 0, W, top};
  }
  if (right != W) {
    return TaskbarRect{right, 0, W, H};
  }
  return TaskbarRect{0, bottom, W, H};
}

QRect ResizeScrGeometry(int Ws, int Hs, const QString& taskbarText, const QRect& available) {
  const qsizetype star = taskbarText.indexOf(u'*');
  if (star < 0) {
    return available;
  }
  // The thickness is read as a 16-bit number.
  const int s = static_cast<std::int16_t>(taskbarText.left(star).toInt());
  const QStringView edge = QStringView(taskbarText).mid(star + 1);
  if (edge == u"B") {
    return {0, 0, Ws, Hs - s};
  }
  if (edge == u"T") {
    return {0, s, Ws, Hs - s};
  }
  if (edge == u"L") {
    return {s, 0, Ws - s, Hs};
  }
  if (edge == u"R") {
    return {0, 0, Ws - s, Hs};
  }
  return available;
}

QRect ResizeScrGeometry(const QScreen& screen) {
  const QRect whole = screen.geometry();
  const QRect available = screen.availableGeometry();
  const std::optional<TaskbarRect> taskbar = TaskbarOf(whole, available);
  const QString text = taskbar ? GetTaskbarPos(whole.width(), whole.height(), *taskbar) : QString();
  return ResizeScrGeometry(whole.width(), whole.height(), text, available.translated(-whole.topLeft()))
      .translated(whole.topLeft());
}

ThumbnailToggle ToggleThumbnailPane(int H, int barTop, int barHeight, std::int32_t& OldThumTop) {
  PaneLayout::PaneBox bar;
  bar.Top = barTop;
  bar.Height = barHeight;
  if (PaneLayout::ThumbnailPaneCollapsed(H, bar)) {
    if (OldThumTop == 0) {
      OldThumTop = H - 200;
    }
    return {OldThumTop, true};
  }
  OldThumTop = barTop;
  return {H - barHeight - 3, false};
}

QPoint WithButtonsOnWorkArea(const QRect& window, const QRect& buttons, const QRect& workArea) {
  // Along one axis: how far the span [low, high] must move to lie in [areaLow, areaHigh].
  const auto shift = [](int low, int high, int areaLow, int areaHigh) {
    if (low < areaLow) {
      return areaLow - low;
    }
    return high > areaHigh ? std::max(areaHigh - high, areaLow - low) : 0;
  };
  // Down the screen the span runs from the buttons to the window's bottom edge; a window
  // taller than the work area keeps its buttons on it.
  const int bottom = std::max(buttons.bottom(), window.bottom());
  return window.topLeft() + QPoint(shift(buttons.left(), buttons.right(), workArea.left(), workArea.right()),
                                   shift(buttons.top(), bottom, workArea.top(), workArea.bottom()));
}

}  // namespace WindowSizing
