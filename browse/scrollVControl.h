#pragma once
// The program's own drawn vertical scroll bar: a faint white gradient track and a
// rounded thumb the user drags. Hosts set Max and Enabled, call ResetValue when their
// content changes and read Value when ValueChanged arrives. Keys pass on to the host.

#include <QPointF>
#include <QRectF>
#include <QWidget>

class scrollVControl : public QWidget {
  Q_OBJECT

 public:
  // Invalid property value: recorded when Max is not above Min or Min not below Max.
  static constexpr int InvalidPropertyValue = 380;
  // The thumb's top stays within [0, inner height - ThumbTravelMargin].
  static constexpr int ThumbTravelMargin = 70;
  static constexpr int ThumbHitWidth = 15;

  explicit scrollVControl(QWidget* parent = nullptr);

  int Max() const { return m_max; }
  // Takes effect even when not above Min; that records error 380 but raises nothing.
  void SetMax(int value);
  int Min() const { return m_min; }
  // Records error 380 when not below Max, keeps the value and moves Value to it.
  void SetMin(int value);
  int Value() const { return m_value; }
  // Clamps into [Min, Max]; a change raises ValueChanged, then ValueAtMax or ValueAtMin.
  void SetValue(int value);
  bool Enabled() const { return m_enabled; }
  // A disabled bar draws a grey thumb and cannot be dragged.
  void SetEnabled(bool value);
  // The last error a property let recorded, 0 for none.
  int LastError() const { return m_lastError; }

  // Puts the thumb at the top and Value back to Min without raising an event: the host
  // has moved its content to the top itself.
  void ResetValue();
  // Puts the thumb where this value lies on the track and makes it the value, without
  // raising an event: the host has moved its content there itself.
  void ShowValue(int value);
  // Sets the bar up for content of that height seen through a viewport of that height:
  // disabled when the viewport is taller, else Max is the hidden part. Either way the
  // thumb goes back to the top.
  void FitContent(int contentHeight, int viewportHeight);
  // Redraws the whole bar with the thumb path at (PathLeft, PathTop) and a pointer at
  // (MoveX, MoveY); Press shows the pressed look while the bar is enabled.
  void StartPaint(int PathLeft, int PathTop, int PathW, int PathH, int PathArc_W, int PathArc_H, bool Press,
                  float MoveX, float MoveY);

  // The thumb's hit rectangle as last painted.
  QRectF ThumbRect() const { return m_hit; }

 signals:
  void ValueAtMin();
  void ValueAtMax();
  void ValueChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int PathLeft() const;
  int MaxThumbTop() const;
  int ClampTop(int top) const;
  // Paints with the control's own thumb size.
  void PaintThumbAt(int top, bool press, QPointF pointer);
  // The value a thumb resting at `top` stands for: the top gives Min, the lowest place Max.
  int ValueForTop(int top) const;
  int TopForValue(int value) const;

  int m_max = 10;
  int m_min = 0;
  int m_value = 0;
  int m_lastReported = 0;
  bool m_enabled = true;
  int m_lastError = 0;

  // The thumb's top while it rests, the pointer's offset below that top while dragged.
  double m_thumbTopOrGrab = 0;
  bool m_dragging = false;

  // What the next paint draws.
  QRectF m_hit;
  int m_pathW = 2;
  int m_pathH = 60;
  int m_arcW = 6;
  int m_arcH = 6;
  bool m_pressedLook = false;
  bool m_pointerOnThumb = false;
};
