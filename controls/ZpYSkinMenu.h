#pragma once
// The drawn menu of the main window. One control shows any one menu of the command
// table at a time: the host sets the menu up, sizes, places and shows the control, and
// after a MouseUP reads PressMenuEnabled and PressMenuID (Caption for a history row).
// It is a child of the main window raised above the panes, not a pop-up window: a
// pop-up would grab the mouse, and the menu-bar strip must go on seeing the pointer.
// The control also keeps the folder history, read at creation and written at its end.

#include <memory>

#include <QString>

#include "controls/SkinMenuState.h"
#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

class MainWindowServices;
namespace Gdip {
class Bitmap;
class Graphics;
}  // namespace Gdip

class ZpYSkinMenu : public SkinSurface, public SkinMenuServices {
  Q_OBJECT

 public:
  // The history and the check picture are read from the data folder (with its trailing
  // separator; empty keeps no history); keys pressed on the menu go to the host's
  // shortcut handler (may be null).
  ZpYSkinMenu(MainWindowServices* host, const QString& dataFolder, QWidget* parent = nullptr);
  // Writes the history back.
  ~ZpYSkinMenu() override;

  bool MemFirst() const override { return m_state.MemFirst(); }
  void SetMemFirst(bool value) override { m_state.SetMemFirst(value); }
  int CurrentlyMenu() const override { return m_state.CurrentlyMenu(); }
  void SetCurrentlyMenu(int value) override { m_state.SetCurrentlyMenu(value); }
  void MenuVisible(const QString& KeyName, bool Visible) override { m_state.MenuVisible(KeyName, Visible); }
  int Initializemenu() const override { return m_state.CurrentlyMenu(); }
  void SetInitializemenu(int group) override { m_state.Initializemenu(group, width()); }
  void MenuChecked(const QString& KeyName, bool Checked) override { m_state.MenuChecked(KeyName, Checked); }
  float New_Height() const override { return m_state.New_Height(); }
  void MenuPainting(bool isMove = false) override;
  QString PressMenuID() const override { return m_state.PressMenuID(); }
  void SetPressMenuID(const QString& key) override { m_state.SetPressMenuID(key); }
  int PressMenuEnabled() const override { return m_state.PressMenuEnabled(); }
  int lngVisible() const override { return m_state.lngVisible(); }
  QString Caption() const override { return m_state.Caption(); }
  void HistoryCreate(const QString& path) override;
  void Move(int left, int top, int width, int height) override { setGeometry(left, top, width, height); }
  bool Visible() const override { return !isHidden(); }
  void SetVisible(bool visible) override;

  const SkinMenuState& State() const { return m_state; }

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUP(int Button, int Shift, float X, float Y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // What every paint of the menu uses.
  struct Kit;
  void PaintAll();
  void PaintHighlightMove();
  // A row's check mark, caption and shortcut; grey when the row is disabled.
  void PaintRowText(Gdip::Graphics& g, int row) const;

  MainWindowServices* m_host;
  QString m_historyFile;
  std::unique_ptr<Gdip::Bitmap> m_check;
  std::unique_ptr<const Kit> m_kit;
  SkinMenuState m_state;
};
