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

// Until the side panel exists, the one section of it that is built (the format filter) is
// placed in it as a child that fills it.
class StandInSidePanel final : public StandInPane, public SidePanelServices {
 public:
  explicit StandInSidePanel(QWidget* parent);
  void SetSection(QWidget* section);
  int SelEffect() const override { return m_selEffect; }
  void SetSelEffect(int value) override { m_selEffect = value; }
  void EnabledDays(int, bool) override {}
  void RefreshCalender() override {}
  int CalenderDay() const override;
  int CalenderMonth() const override;
  int CalenderYear() const override;
  int Toolselect() const override { return m_toolselect; }
  void SetToolselect(int section) override { m_toolselect = section; }
  void ResizePaint() override { ++m_paints; }
  void ResetPaint() override { ++m_paints; }
  void StartPaint() override { ++m_paints; }
  QString StampFilename() const override { return {}; }
  void Import(const QString&, const QString&) override {}
  void RefreshFav() override {}
  void RefreshProperties() override {}
  int Paints() const { return m_paints; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int m_selEffect = 0;
  int m_toolselect = 0;
  int m_paints = 0;
  QWidget* m_section = nullptr;
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
