#pragma once
// What every drawn control shares: a widget that paints from a persistent back buffer,
// the rounded-box outline of the interface, the half-open rectangle test of clickable
// spots and the pointer shown over them.

#include <QCursor>
#include <QImage>
#include <QRectF>
#include <QWidget>

#include "platform/gdiplus/Path.h"

// A drawn control keeps its picture between paints, as the skinned controls draw outside
// any paint event: a paint of the control clears the buffer, draws into it and refreshes,
// and paintEvent only copies the buffer to the screen.
class SkinSurface : public QWidget {
 public:
  explicit SkinSurface(QWidget* parent = nullptr);

  // The persistent picture, as large as the control (straight ARGB). A resize keeps what
  // was drawn in the part that remains; new parts are transparent until drawn.
  QImage& BackBuffer();
  // Whether the buffer has the control's present size, that is was drawn since a resize.
  bool DrawnAtSize() const { return m_backBuffer.size() == size(); }
  // Fills the whole buffer with one colour.
  void ClearBackBuffer(QColor colour);
  // Shows what the buffer holds now.
  void RefreshBackBuffer() { update(); }

  // The "MOUSED" pointer over a clickable spot, the default pointer elsewhere.
  void ShowMoused(bool overClickable);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_backBuffer;
  bool m_moused = false;
};

namespace SkinShapes {

// The rounded box: quarter arcs of cornerW x cornerH starting at 180, 270, 0 and 90 degrees,
// joined by straight edges whose ends lie on whole pixels. The box spans left to
// left + straightW + 2 * cornerW and top to top + straightH + cornerH.
Gdip::Path RoundedBoxPath(float left, float top, float straightW, float straightH, float cornerW, float cornerH);
// A tab: the rounded box's top corners over a flat bottom at top + straightH.
Gdip::Path RoundedTabPath(float left, float top, float straightW, float straightH, float cornerW, float cornerH);

// Whether a point lies in a rectangle, its left and top edges inside and its right and
// bottom edges outside, so neighbouring spots never both claim a pixel.
constexpr bool HitRect(const QRectF& rect, QPointF point) {
  return point.x() >= rect.left() && point.x() < rect.left() + rect.width() && point.y() >= rect.top() &&
         point.y() < rect.top() + rect.height();
}

// The pointer shown over clickable spots: a pointing hand drawn by the program.
QCursor MousedCursor();

}  // namespace SkinShapes
