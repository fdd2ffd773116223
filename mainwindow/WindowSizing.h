#pragma once
// Window sizing: where the taskbar stands, the window placed over the work area beside it,
// and the quick open and close of the thumbnail pane.

#include <cstdint>
#include <optional>

#include <QPoint>
#include <QRect>
#include <QString>

class QScreen;

namespace WindowSizing {

// A taskbar rectangle as the shell reports it: right and bottom lie just outside.
struct TaskbarRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// The taskbar's thickness and edge as "<n>*B", "*T", "*L" or "*R" for a screen Ws x Hs;
// the four tests run in order and a later match wins. Empty when none holds.
QString GetTaskbarPos(int Ws, int Hs, const TaskbarRect& taskbar);

// The strip a panel takes off the screen: the part of the screen's geometry the work
// area leaves off, when exactly one edge differs; in screen-relative pixels.
std::optional<TaskbarRect> TaskbarOf(const QRect& screen, const QRect& available);

// The window's place for the taskbar text on a screen Ws x Hs. The empty text (no panel)
// and panels on more than one edge give the work area.
QRect ResizeScrGeometry(int Ws, int Hs, const QString& taskbarText, const QRect& available);

// The window's place over the work area of the primary screen.
QRect ResizeScrGeometry(const QScreen& screen);

// What opening or closing the thumbnail pane does to its bar.
struct ThumbnailToggle {
  int BarTop = 0;
  // True when the pane was collapsed and opens; false when it collapses.
  bool Opened = false;
};
// The bar's new Top in a window of inner height H. Opening goes back to OldThumTop
// (H - 200 when none is kept); collapsing keeps the bar's Top in OldThumTop.
ThumbnailToggle ToggleThumbnailPane(int H, int barTop, int barHeight, std::int32_t& OldThumTop);

// Where a window (its frame, in screen pixels) goes so that its title bar's buttons
// (buttons, in screen pixels) lie inside the work area and its bottom edge, with the
// resize grip, does too as far as the buttons allow: the nearest place, unchanged when
// they do.
QPoint WithButtonsOnWorkArea(const QRect& window, const QRect& buttons, const QRect& workArea);

}  // namespace WindowSizing
