#pragma once
// Empty panes that stand in for the skinned controls the main window hosts until each
// control is built. Each keeps what it is given, so the window's calls can be checked,
// and paints itself as a flat pane; none holds a picture.

#include <QString>
#include <QWidget>

#include "foundation/SkinnedControlServices.h"

class StandInPane : public QWidget {
 public:
  explicit StandInPane(QWidget* parent, QSize size);

 protected:
  void paintEvent(QPaintEvent* event) override;
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
