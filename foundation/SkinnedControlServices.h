#pragma once
// What the foundation, canvas and browser call on the skinned controls that the main
// window hosts. The controls implement these; tests use recording fakes.

#include <cstdint>
#include <functional>

#include <QString>
#include <QStringList>

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
  // The section the panel shows: 1 is the stamp library.
  virtual int Toolselect() const = 0;
  // Shows a section: 0 tools, 1 stamp library, 2 format filter, 3 calendar.
  virtual void SetToolselect(int section) = 0;
  // Lays its sections out for its new size, clears and repaints, and paints at first showing.
  virtual void ResizePaint() = 0;
  virtual void ResetPaint() = 0;
  virtual void StartPaint() = 0;
  // 1 when the last press on the tools grid hit a tool, else 0.
  virtual int lngVisible() const = 0;
  // Lists the stamp library again after a stamp was added or deleted.
  virtual void RefreshFav() = 0;
  // Puts a new library file at the top of the stamp library until its next listing.
  virtual void Import(const QString& Path, const QString& NewItem) = 0;
  // The file of the chosen stamp tile, and the button the last release was over: 1
  // delete, 2 enter, 0 none.
  virtual QString StampFilename() const = 0;
  virtual int StampEnter() const = 0;
  // The picture's facts in the properties section follow the picture just opened.
  virtual void RefreshProperties() = 0;
};

// The image toolbar's buttons, by the number the toolbar reports and the interface
// below takes. What each runs is the main window's table of toolbar commands.
enum class ImageToolbarButton { New, Open, SaveAs, Import, Slideshow, Fit, Previous, Next, Undo, Redo, Count };

constexpr int ButtonId(ImageToolbarButton button) { return static_cast<int>(button); }

// The image toolbar (the main window's ImageToolbar); buttons 0 to 11.
class ImageToolbarServices {
 public:
  virtual ~ImageToolbarServices() = default;
  // Stores the pressed state of a button and repaints; indexes of 12 or more are ignored.
  virtual void PressDownID(int new_PressID, bool new_Press) = 0;
  // Stores the enabled flag of a button without repainting.
  virtual void EnabledID(int ID, bool Enabled) = 0;
  // Whether a button shows pressed; false outside the buttons.
  virtual bool Rpressdown(int ID) const = 0;
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
  // The menu set up last.
  virtual int Initializemenu() const = 0;
  // The height the pop-up needs for its current rows.
  virtual float New_Height() const = 0;
  // Paints the whole menu, or with isMove only the highlight's move to the hovered row.
  virtual void MenuPainting(bool isMove = false) = 0;
  // The key of the row under the pointer at the last release; empty after a later move.
  virtual QString PressMenuID() const = 0;
  virtual void SetPressMenuID(const QString& key) = 0;
  // 1 when the last pointer move found an enabled row, else 0.
  virtual int PressMenuEnabled() const = 0;
  virtual int lngVisible() const = 0;
  // The caption of the row last found under the pointer: a history row's folder path.
  virtual QString Caption() const = 0;
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
  // Paints the strip's area (x, y, width, height).
  virtual void StartPaint(int x, int y, int width, int height) = 0;
  // Hides the strip's text box (the calendar has no text to type).
  virtual void SetHideText(bool hide) = 0;
  // Fills the strip's lists; the font list gets these family names.
  virtual void AddFontMode(const QStringList& fonts) = 0;
};

// A mouse event of a drawn control: Button and Shift as 1/2/4 bits, the point in the
// control's pixels (the menu-bar strip puts a title's left edge into X).
using SkinMouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;

// The title bar (the main window's TitleSkin) with its window buttons.
class TitleBarServices {
 public:
  virtual ~TitleBarServices() = default;
  virtual void SetTitle(const QString& title) = 0;
  // The band's ARGB colour.
  virtual void SetBackground(std::uint32_t argb) = 0;
  virtual void Painting() = 0;
  // The button of the last release: 1 close, 2 minimise, 0 none.
  virtual int SelectIndex() const = 0;
  virtual void SetOnMouseUp(SkinMouseHandler handler) = 0;
};

// The menu-bar strip with the menu titles (the main window's qzToolbarUser).
class MenuBarStripServices {
 public:
  virtual ~MenuBarStripServices() = default;
  // Paints the menu titles.
  virtual void Create() = 0;
  // The title last pressed or passed over, 0 to 6; 7 for none.
  virtual int PressID() const = 0;
};

// A pane splitter (the main window's UserqzSplitLV and UserqzSplitH).
class SplitterServices {
 public:
  virtual ~SplitterServices() = default;
  // Repaints the bar; style 2 is the upright bar between the columns, 0 the level one.
  virtual void PaintStyle(int style) = 0;
};

// The thumbnail bar between the canvas and the thumbnail sheet (the main window's
// UserqzSplitV): the zoom knob, the image counter and the pane's open/close button.
class ThumbnailBarServices {
 public:
  virtual ~ThumbnailBarServices() = default;
  // Prepares the bar's drawing surface (afresh when isRefresh is set).
  virtual void HandleHDC(bool isRefresh) = 0;
  // Redraws the bar with its zoom knob at MoveX.
  virtual void StartPaint(float MoveX, float MoveY, bool FirstLoad) = 0;
  virtual void ResetPaint() = 0;
  // The button offers to open the collapsed pane (isOpenthum true) or to close it.
  virtual void ThumOpen() = 0;
  virtual void ThumClose() = 0;
  virtual bool isOpenthum() const = 0;
};
