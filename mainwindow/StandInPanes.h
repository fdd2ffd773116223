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

class StandInTitleBar final : public StandInPane, public TitleBarServices {
 public:
  explicit StandInTitleBar(QWidget* parent);
  void SetTitle(const QString& title) override { m_title = title; }
  void SetBackground(std::uint32_t argb) override { m_background = argb; }
  void Painting() override { ++m_paintings; }
  int SelectIndex() const override { return 0; }
  void SetOnMouseUp(SkinMouseHandler handler) override { m_onMouseUp = std::move(handler); }

  QString Title() const { return m_title; }
  std::uint32_t Background() const { return m_background; }
  int Paintings() const { return m_paintings; }

 private:
  QString m_title;
  std::uint32_t m_background = 0;
  int m_paintings = 0;
  SkinMouseHandler m_onMouseUp;
};

class StandInMenuBar final : public StandInPane, public MenuBarStripServices {
 public:
  explicit StandInMenuBar(QWidget* parent);
  void Create() override { ++m_creates; }
  int Creates() const { return m_creates; }

 private:
  int m_creates = 0;
};

class StandInImageToolbar final : public StandInPane, public ImageToolbarServices {
 public:
  explicit StandInImageToolbar(QWidget* parent);
  void PressDownID(int new_PressID, bool new_Press) override;
  void EnabledID(int ID, bool Enabled) override;
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
  void ResizePaint() override { ++m_paints; }
  void ResetPaint() override { ++m_paints; }
  void StartPaint() override { ++m_paints; }
  int Paints() const { return m_paints; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int m_selEffect = 0;
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

// The drawn menu's stand-in: a pane placed and shown where the menu would be, raised
// above the panes.
class StandInSkinMenu final : public StandInPane, public SkinMenuServices {
 public:
  explicit StandInSkinMenu(QWidget* parent);
  bool MemFirst() const override { return m_memFirst; }
  void SetMemFirst(bool value) override { m_memFirst = value; }
  int CurrentlyMenu() const override { return m_currentlyMenu; }
  void SetCurrentlyMenu(int value) override { m_currentlyMenu = value; }
  void MenuVisible(const QString&, bool) override {}
  void SetInitializemenu(int group) override { m_initializemenu = group; }
  void MenuChecked(const QString&, bool) override {}
  float New_Height() const override { return 0; }
  void MenuPainting() override {}
  void SetPressMenuID(const QString& key) override { m_pressMenuID = key; }
  void HistoryCreate(const QString&) override {}
  void Move(int left, int top, int width, int height) override { setGeometry(left, top, width, height); }
  bool Visible() const override { return !isHidden(); }
  void SetVisible(bool visible) override;

  int Initializemenu() const { return m_initializemenu; }
  QString PressMenuID() const { return m_pressMenuID; }

 private:
  bool m_memFirst = false;
  int m_currentlyMenu = 0;
  int m_initializemenu = 0;
  QString m_pressMenuID;
};
