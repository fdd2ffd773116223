#pragma once
// The title bar of the borderless windows: a coloured band with the program logo, the
// window title in bold and the close and minimise buttons at its right end. It circles
// the button under the pointer; on a release the host reads SelectIndex. A drag on the
// band outside the buttons moves the window.

#include <array>
#include <cstdint>
#include <memory>

#include <QPoint>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

namespace Gdip {
class Bitmap;
class Graphics;
}  // namespace Gdip

class ButtonControl : public SkinSurface, public TitleBarServices {
  Q_OBJECT

 public:
  // SelectIndex values.
  static constexpr int NoButton = 0;
  static constexpr int CloseButton = 1;
  static constexpr int MinimiseButton = 2;

  // Button rectangles for a bar of the given width: 0 empty, 1 close, 2 minimise.
  static std::array<QRectF, 3> ButtonRects(int width);
  // The button whose rectangle holds the point (left and top edges inside), or NoButton.
  static int ButtonAt(const std::array<QRectF, 3>& rects, QPointF point);

  // The logo is read once from the data folder (with its trailing separator).
  explicit ButtonControl(const QString& dataFolder, QWidget* parent = nullptr);
  ~ButtonControl() override;

  // The setters store their value; the bar shows it at the next Painting.
  void SetTitle(const QString& title) override { m_title = title; }
  void SetBackground(std::uint32_t argb) override { m_background = argb; }
  void SetTitleColor(std::uint32_t argb) { m_titleColor = argb; }
  std::uint32_t Background() const { return m_background; }
  int SelectIndex() const override { return m_selectIndex; }
  // Draws the whole bar.
  void Painting() override;
  // Runs the handler on every MouseUP.
  void SetOnMouseUp(SkinMouseHandler handler) override;

 signals:
  void MouseUP(int Button, int Shift, float X, float Y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void PaintBand(Gdip::Graphics& g, float W, float H) const;
  void PaintButtons(Gdip::Graphics& g) const;
  std::array<QRectF, 3> Rects() const { return ButtonRects(width()); }
  // Moves the window by the pointer's travel since the press, where the window system
  // did not take the move over.
  void FollowPointer(QPoint globalPosition);

  std::unique_ptr<Gdip::Bitmap> m_logo;
  QString m_title;
  std::uint32_t m_background;
  std::uint32_t m_titleColor;
  int m_selectIndex = NoButton;
  bool m_hit = false;
  QMetaObject::Connection m_onMouseUp;

  bool m_dragging = false;
  QPoint m_pressGlobal;
  QPoint m_windowAtPress;
};
