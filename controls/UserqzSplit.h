#pragma once
// The thin bar between two panes of the main window. It draws a row of embossed grip dots
// along its long axis and passes its mouse events on unchanged: the dragging and the
// moving of the panes belong to the main window, which also chooses the bar's pointer.

#include <vector>

#include <QPoint>
#include <QSize>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

class UserqzSplit : public SkinSurface, public SplitterServices {
  Q_OBJECT

 public:
  // The forms runtime's pointer numbers the host gives (0 is the default pointer).
  static constexpr int PointerSizeNS = 7;
  static constexpr int PointerSizeWE = 9;

  // The top-left corner of each 3 x 3 grip dot: one every 6 pixels along the long axis
  // (the width of a square bar), centred across it.
  static std::vector<QPoint> DotPositions(QSize size);
  // The Qt pointer nearest to a pointer number of the forms runtime.
  static Qt::CursorShape CursorShapeFor(int pointer);

  explicit UserqzSplit(QWidget* parent = nullptr);

  int MousePoin() const { return m_mousePoin; }
  void SetMousePoin(int pointer);
  // Draws the grip; the style does not change the drawing.
  void PaintStyle(int style) override;

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUP(int Button, int Shift, float X, float Y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int m_mousePoin = 0;
};
