#pragma once
// What the foundation, canvas and browser call on the skinned controls that the main
// window hosts. The controls implement these; tests use recording fakes.

#include <cstdint>

#include <QString>

// The side panel (the main window's UserqzProcess1).
class SidePanelServices {
 public:
  virtual ~SidePanelServices() = default;
  // The number (0 to 11) of the side panel's selected tool.
  virtual int SelEffect() const = 0;
  virtual void SetSelEffect(int value) = 0;
  // Whether the calendar button of a day (day of month minus 1, 0 to 30) can be pressed.
  virtual void EnabledDays(int Index, bool Enabled) = 0;
  virtual void RefreshCalender() = 0;
  virtual int CalenderDay() const = 0;
  virtual int CalenderMonth() const = 0;
  virtual int CalenderYear() const = 0;
};

// The image toolbar (the main window's ImageToolbar); buttons 0 to 11.
class ImageToolbarServices {
 public:
  virtual ~ImageToolbarServices() = default;
  // Stores the pressed state of a button and repaints; indexes of 12 or more are ignored.
  virtual void PressDownID(int new_PressID, bool new_Press) = 0;
  // Stores the enabled flag of a button without repainting.
  virtual void EnabledID(int ID, bool Enabled) = 0;
  virtual void StartPaint() = 0;
};

// The drawn menu (the main window's SkinMenu).
class SkinMenuServices {
 public:
  virtual ~SkinMenuServices() = default;
  virtual bool MemFirst() const = 0;
  virtual void SetMemFirst(bool value) = 0;
  virtual int CurrentlyMenu() const = 0;
  virtual void SetCurrentlyMenu(int value) = 0;
  // Marks the row of the current menu whose command key matches, ignoring case.
  virtual void MenuVisible(const QString& KeyName, bool Visible) = 0;
  // Selects the group of rows the pop-up shows (8 line widths, 10 stamp brushes, 11 fill styles).
  virtual void SetInitializemenu(int group) = 0;
  virtual void MenuChecked(const QString& KeyName, bool Checked) = 0;
  // The height the pop-up needs for its current rows.
  virtual float New_Height() const = 0;
  virtual void MenuPainting() = 0;
  virtual void SetPressMenuID(const QString& key) = 0;
  // Adds a visited folder to the history, removing an older row of the same path first.
  virtual void HistoryCreate(const QString& path) = 0;
  // The menu as a child window of the main window: geometry in pixels and visibility.
  virtual void Move(int left, int top, int width, int height) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
};

// The text options strip (the main window's YDSTextControl1).
class TextStripServices {
 public:
  virtual ~TextStripServices() = default;
  // An RGB colour (red in the lowest byte); the strip paints its swatch with it.
  virtual void SetTextFontColor(std::uint32_t rgb) = 0;
  virtual void SetVisible(bool visible) = 0;
};
