#pragma once
// Photographs of a program window on a virtual display, and the colour searches the
// road tests make in them.

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include "X11Windows.h"

namespace WindowShots {

using namespace std::chrono_literals;

inline QImage ToImage(const XTest::Connection::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      line[x] = 0xFF000000u | picture.rgb[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
    }
  }
  return image;
}

inline bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 && std::abs(a.blue() - b.blue()) <= 8;
}

// The pixels of a colour in a band of columns, and the first of them.
struct Found {
  int count = 0;
  QPoint first;
};
inline Found FindColour(const QImage& shot, QColor colour, int fromX, int toX) {
  Found found;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = std::max(fromX, 0); x < std::min(toX, shot.width()); ++x) {
      if (Near(shot.pixelColor(x, y), colour)) {
        if (found.count++ == 0) {
          found.first = {x, y};
        }
      }
    }
  }
  return found;
}

// Photographs the window until the condition holds on a photograph; the last one is kept.
inline bool WaitForShot(XTest::Connection& x, unsigned long window, QImage& shot, const std::function<bool(const QImage&)>& ok) {
  for (auto waited = 0ms; waited < 30s; waited += 200ms) {
    shot = ToImage(x.Capture(window));
    if (!shot.isNull() && ok(shot)) {
      return true;
    }
    std::this_thread::sleep_for(200ms);
  }
  return false;
}

// Waits until two photographs half a second apart are the same.
inline bool WaitUntilSteady(XTest::Connection& x, unsigned long window, QImage& shot) {
  QImage last;
  return WaitForShot(x, window, shot, [&](const QImage& s) {
    std::this_thread::sleep_for(300ms);
    const bool same = s == last;
    last = s;
    return same;
  });
}

// The menu bar lies under the 25 pixel title bar and a 1 pixel gap, 20 pixels high.
constexpr int kMenuBarTop = 26;
constexpr int kMenuBarBottom = 46;

// Opens a menu by a click on its title and picks the row whose middle lies rowMiddle
// pixels below the menu's top, pointing at it first as a user does. It waits for the
// menu to be drawn and to hold still rather than for a fixed time: on a busy machine a
// click sent too early lands on whatever lies under the menu. False when no menu showed.
inline bool ChooseMenuRow(XTest::Connection& x, unsigned long window, int titleLeft, int rowMiddle) {
  const QPoint row(titleLeft + 60, kMenuBarBottom + rowMiddle);
  const QRect around(row - QPoint(40, 4), QSize(80, 8));
  // A click just before (a thumbnail picked) may still be redrawing under the menu.
  QImage shot;
  WaitUntilSteady(x, window, shot);
  const QImage before = shot.copy(around);
  x.Click(window, titleLeft + 10, kMenuBarTop + 10);
  QImage last;
  const bool shown = WaitForShot(x, window, shot, [&](const QImage& s) {
    const QImage now = s.copy(around);
    const bool settled = now != before && now == last;
    last = now;
    return settled;
  });
  x.MoveTo(window, row.x(), row.y());
  std::this_thread::sleep_for(100ms);
  x.Click(window, row.x(), row.y());
  return shown;
}

}  // namespace WindowShots
