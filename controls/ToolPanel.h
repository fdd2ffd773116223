#pragma once
// A stand-alone panel of the twelve tool buttons, icon above caption, three to a row,
// with the chosen tool behind a grey rounded mark. The host calls GetIconHandle, then
// StartPaint, then Painting, and hears of every press on the grid.

#include "controls/ToolGrid.h"
#include "foundation/SkinSurface.h"

class ToolPanel : public QWidget {
  Q_OBJECT

 public:
  static const ToolGrid::Captions& Captions();

  explicit ToolPanel(QWidget* parent = nullptr);
  ~ToolPanel() override;

  int SelEffect() const { return m_selEffect; }
  void SetSelEffect(int value) { m_selEffect = value; }
  // Loads the icons.
  void GetIconHandle();
  // Lays the grid out: the drawing surface takes the grid's height and the panel's width.
  void StartPaint();
  // Draws the mark, then every icon with its caption.
  void Painting();
  // The drawing surface the grid is painted on.
  SkinSurface& ToolOLE() { return *m_toolOle; }

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  SkinSurface* m_toolOle;
  ToolGrid::Icons m_icons;
  int m_selEffect = 0;
};
