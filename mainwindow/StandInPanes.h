#pragma once
// Empty panes that stand in for the skinned controls the main window hosts until each
// control is built. Each keeps what it is given, so the window's calls can be checked,
// and paints itself as a flat pane; none holds a picture.

#include <array>
#include <cstdint>

#include <QString>
#include <QWidget>

#include "foundation/SkinnedControlServices.h"

class StandInPane : public QWidget {
 public:
  explicit StandInPane(QWidget* parent, QSize size);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class StandInImageToolbar final : public StandInPane, public ImageToolbarServices {
 public:
  explicit StandInImageToolbar(QWidget* parent);
  void PressDownID(int new_PressID, bool new_Press) override;
  void EnabledID(int ID, bool Enabled) override;
  bool Rpressdown(int ID) const override;
  void StartPaint() override { ++m_paints; }
  int Paints() const { return m_paints; }

 private:
  std::array<bool, 12> m_pressed{};
  std::array<bool, 12> m_enabled{};
  int m_paints = 0;
};

class StandInSplitter final : public StandInPane, public SplitterServices {
 public:
  StandInSplitter(QWidget* parent, QSize size);
  void PaintStyle(int style) override { m_style = style; }
  int Style() const { return m_style; }

 private:
  int m_style = -1;
};

class StandInTextStrip final : public StandInPane, public TextStripServices {
 public:
  explicit StandInTextStrip(QWidget* parent);
  void SetTextFontColor(std::uint32_t rgb) override { m_textFontColor = rgb; }
  void SetVisible(bool visible) override { setVisible(visible); }
  void StartPaint(int, int, int, int) override {}

 private:
  std::uint32_t m_textFontColor = 0;
};
