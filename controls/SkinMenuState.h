#pragma once
// What the drawn menu knows apart from its pixels: the command table, the menu set up
// last and its layout, and what the pointer found there. The menu control paints from it;
// tests drive it without a widget.

#include <span>
#include <vector>

#include <QPointF>
#include <QRectF>
#include <QString>

#include "controls/MenuModel.h"

class SkinMenuState {
 public:
  explicit SkinMenuState(MenuModel model = MenuModel());

  MenuModel& Model() { return m_model; }
  const MenuModel& Model() const { return m_model; }

  // When set, the next Initializemenu looks its menu's first row up and clears the flag;
  // otherwise it keeps the first row of the menu set up before.
  bool MemFirst() const { return m_memFirst; }
  void SetMemFirst(bool value) { m_memFirst = value; }
  int CurrentlyMenu() const { return m_currentlyMenu; }
  void SetCurrentlyMenu(int value) { m_currentlyMenu = value; }
  int MenuCounts() const { return m_menuCounts; }
  int SubMenuHeight() const { return m_subMenuHeight; }

  // Sets up menu 0 to 12 for a control of the given width; other indices keep the row count.
  void Initializemenu(int menu, int controlWidth);
  // The sum of the row heights of the menu set up last.
  float New_Height() const { return m_newHeight; }
  // Enables or disables, checks or clears the row with the key, ignoring case, among the
  // rows of the menu set up last only.
  void MenuVisible(const QString& KeyName, bool Visible);
  void MenuChecked(const QString& KeyName, bool Checked);

  // The rows of the menu set up last and their rectangles, in the same order.
  std::span<const MenuRow> OpenRows() const;
  const std::vector<QRectF>& RowRects() const { return m_rects; }

  // A pointer move: clears the pressed flag and finds the enabled row under the pointer.
  // Returns whether a row was found; the hovered key, caption and row keep their old
  // values when none was.
  bool Move(QPointF point);
  // A button release: the next PressMenuID read reports the hovered key.
  void Release() { m_pressed = true; }

  // The hovered key after a release, empty otherwise.
  QString PressMenuID() const { return m_pressed ? m_hoveredKey : QString(); }
  void SetPressMenuID(const QString& key) { m_hoveredKey = key; }
  // 1 when the last move found an enabled row, else 0.
  int PressMenuEnabled() const { return m_lngVisible; }
  int lngVisible() const { return m_lngVisible; }
  // The caption of the hovered row: a history row's folder path.
  const QString& Caption() const { return m_hoveredCaption; }

  static constexpr int NoRow = -1;
  int HoveredRow() const { return m_hoveredRow; }
  // The row that carries the highlight on screen; NoRow right after a set-up.
  int PreviousRow() const { return m_previousRow; }
  // Whether the hovered row should take the highlight from the previous row.
  bool HighlightMoves() const;
  void SetPreviousRow(int row) { m_previousRow = row; }

 private:
  MenuModel m_model;
  bool m_memFirst = false;
  int m_currentlyMenu = 0;
  int m_menuCounts = 0;
  int m_subMenuHeight = 20;
  int m_firstRow = 1;
  float m_newHeight = 0;
  std::vector<QRectF> m_rects;

  int m_lngVisible = 0;
  bool m_pressed = false;
  QString m_hoveredKey;
  QString m_hoveredCaption;
  int m_hoveredRow = 0;
  int m_previousRow = 0;
};
