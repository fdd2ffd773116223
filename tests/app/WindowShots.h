#pragma once
// Photographs of a program window on a virtual display, and the colour searches the
// road tests make in them.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include "ProgramRun.h"
#include "X11Windows.h"

namespace WindowShots {

using namespace std::chrono_literals;

inline QImage ToImage(const XTest::Connection::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::uint32_t* from = picture.rgb.data() + std::size_t(y) * std::size_t(picture.width);
    for (int x = 0; x < picture.width; ++x) {
      line[x] = 0xFF000000u | from[x];
    }
  }
  return image;
}

inline bool Near(QRgb a, QColor b) {
  return std::abs(qRed(a) - b.red()) <= 8 && std::abs(qGreen(a) - b.green()) <= 8 && std::abs(qBlue(a) - b.blue()) <= 8;
}
inline bool Near(QColor a, QColor b) { return Near(a.rgb(), b); }

// The pixels of a colour in a band of columns, and the first of them. The photographs are
// 32-bit, as ToImage makes them, so the rows are read as they lie.
struct Found {
  int count = 0;
  QPoint first;
};
inline Found FindColour(const QImage& shot, QColor colour, int fromX, int toX) {
  Found found;
  const int from = std::max(fromX, 0);
  const int to = std::min(toX, shot.width());
  for (int y = 0; y < shot.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = from; x < to; ++x) {
      if (Near(line[x], colour) && found.count++ == 0) {
        found.first = {x, y};
      }
    }
  }
  return found;
}

// Where two photographs differ.
inline QRect Changed(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
    for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

inline const QColor kCanvasGrey{224, 224, 224};

// The canvas's client area in a photograph: the grey around the picture shown, walked
// out from the picture's middle.
inline QRect CanvasArea(const QImage& shot, QPoint inside) {
  const auto grey = [&](int x, int y) { return Near(shot.pixelColor(x, y), kCanvasGrey); };
  int left = inside.x();
  while (left > 0 && (!grey(left, inside.y()) || grey(left - 1, inside.y()))) {
    --left;
  }
  int right = inside.x();
  while (right < shot.width() - 1 && (!grey(right, inside.y()) || grey(right + 1, inside.y()))) {
    ++right;
  }
  int bottom = inside.y();
  while (bottom < shot.height() - 1 && (!grey(inside.x(), bottom) || grey(inside.x(), bottom + 1))) {
    ++bottom;
  }
  return QRect(QPoint(left, 0), QPoint(right, bottom));
}

// The box of the pixels of a colour within an area.
inline QRect BoxOf(const QImage& shot, QColor colour, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (Near(shot.pixelColor(x, y), colour)) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

// Photographs the window until the condition holds on a photograph, for at most the
// programs' patience; the last photograph is kept.
inline bool WaitForShot(XTest::Connection& x, unsigned long window, QImage& shot, const std::function<bool(const QImage&)>& ok) {
  return ProgramRun::WaitUntil(
      [&] {
        shot = ToImage(x.Capture(window));
        return !shot.isNull() && ok(shot);
      },
      200ms);
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
// The canvas and the sheet lie right of the side panel, whose icons hold all sorts of colours.
constexpr int kSidePanelRight = 290;

// The inside of the folder tree in a first-run window, and the column of a row's expand
// arrow, one indentation further right for each level below the root "/".
inline const QRect kTree{9, 129, 250, 260};
constexpr int kTreeArrowAtRoot = 17;
constexpr int kTreeIndent = 20;

// A row of the tree in a photograph: a band of lines holding dark pixels, its leftmost
// dark column, which is the row's expand arrow (every folder row has one), and whether
// the row is the chosen one, drawn on the selection's blue across the tree.
struct TreeRow {
  int top = 0;
  int bottom = 0;
  int left = 0;
  bool chosen = false;
};
inline std::vector<TreeRow> TreeRows(const QImage& shot) {
  const auto dark = [](QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) < 100; };
  const auto selection = [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 100; };
  std::vector<TreeRow> rows;
  bool inRow = false;
  for (int y = kTree.top(); y <= kTree.bottom() && y < shot.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    int left = kTree.left();
    while (left <= kTree.right() && !dark(line[left])) {
      ++left;
    }
    if (left > kTree.right()) {
      inRow = false;
      continue;
    }
    if (!inRow) {
      rows.push_back({y, y, left, false});
      inRow = true;
    }
    TreeRow& row = rows.back();
    row.bottom = y;
    row.left = std::min(row.left, left);
    row.chosen = row.chosen || selection(line[kTree.right()]);
  }
  return rows;
}

// The shown row of a folder that many levels below "/".
inline std::optional<TreeRow> TreeRowAt(const QImage& shot, int depth) {
  const int arrow = kTreeArrowAtRoot + depth * kTreeIndent;
  for (const TreeRow& row : TreeRows(shot)) {
    if (std::abs(row.left - arrow) <= 3) {
      return row;
    }
  }
  return std::nullopt;
}

// Whether some row of the tree is chosen.
inline bool TreeRowChosen(const QImage& shot) {
  const std::vector<TreeRow> rows = TreeRows(shot);
  return std::any_of(rows.begin(), rows.end(), [](const TreeRow& row) { return row.chosen; });
}

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
