#pragma once
// The sheet's drawing surface: the widget the thumbnails are painted on and the mouse
// lands on. It holds nothing itself; the sheet paints it and handles its mouse.

#include <QWidget>

class ThumViewer;

class ThumSurface : public QWidget {
  Q_OBJECT

 public:
  explicit ThumSurface(ThumViewer& sheet);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ThumViewer& m_sheet;
};
