#pragma once
// The menu-bar strip of the main window: a white strip with the seven menu titles. It
// marks the title under the pointer and keeps the last title pressed or passed over in
// PressID; its mouse events carry that title's left edge as X, and the host opens the
// title's menu there.

#include <array>

#include <QPointF>
#include <QRectF>
#include <QString>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

class MainWindowServices;

class ToolbarUser : public SkinSurface, public MenuBarStripServices {
  Q_OBJECT

 public:
  static constexpr int TitleCount = 7;
  // PressID when no title was pressed or passed over.
  static constexpr int NoTitle = 7;
  // The left edges the titles are laid out from; a ninth slot stands for no title.
  static constexpr std::array<float, 9> TitleLefts{5, 40, 80, 135, 215, 270, 330, 0, 0};
  static const std::array<QString, TitleCount>& Titles();

  // Keys pressed on the strip go to the host's shortcut handler; the host may be null.
  explicit ToolbarUser(MainWindowServices* host, QWidget* parent = nullptr);

  int PressID() const override { return m_pressID; }
  // Repaints the strip with no title marked.
  void Create() override;
  // Each title's box as last painted: its measured left edge and width + 2, the strip's
  // height less 2 pixels, from the top.
  const std::array<QRectF, TitleCount>& TitleBoxes() const { return m_boxes; }

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUP(int Button, int Shift, float X, float Y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Paints every title; with `mark` set, the title under the pointer becomes PressID.
  void PaintTitles(QPointF pointer, bool mark);
  float PressedLeft() const { return TitleLefts[std::size_t(m_pressID)]; }

  MainWindowServices* m_host;
  int m_pressID = NoTitle;
  std::array<QRectF, TitleCount> m_boxes{};
};
