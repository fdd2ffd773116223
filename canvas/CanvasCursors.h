#pragma once
// The canvas's pointers: the colour picker and the navigator's pan pointer are drawn
// here; the others are the window system's own shapes.

#include <array>

#include <QCursor>

#include "canvas/CanvasLayout.h"

class CanvasCursors {
 public:
  CanvasCursors();
  const QCursor& For(CanvasLayout::Cursor cursor) const { return m_cursors[std::size_t(cursor)]; }

 private:
  std::array<QCursor, 10> m_cursors;
};
