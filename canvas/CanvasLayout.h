#pragma once
// The canvas's geometry as plain functions: zoom from slider units, where the picture
// sits, the navigator panel, the command bar and its slider knob, and what lies under
// the pointer. The canvas widget keeps the state; these decide the numbers.

#include <array>

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

#include "canvas/ToolModes.h"

namespace CanvasLayout {

// The zoom factor for a zoom slider position: value / 55 to hundredths, at least 0.12.
float ZoomFromSlider(int sliderValue);

// A Single written as the platform prints it: "640", "182", "0.5".
QString SingleText(float value);

// Where the picture starts along one axis when it is not fitted. A picture smaller than
// the window is centred; a larger one keeps the view centre as the display size changes
// from previous to display, clamped to [client - display, 0].
int CentredOffset(int client, int display);
int KeepCentreOffset(int offset, int display, int previousDisplay, int client);

// The navigator panel in the bottom-right corner and the thumbnail inside it.
struct Navigator {
  QRectF Panel;
  QRectF Thumbnail;
};
Navigator NavigatorGeometry(QSize client, QSizeF image);
// The visible window as an outline over the navigator thumbnail.
QRectF NavigatorOutline(const QRectF& thumbnail, QSize client, QSize display, QPoint viewOffset);
// Dragging the navigator: the outline is centred on the pointer and kept inside the
// thumbnail; the view offset follows it.
QPoint ViewOffsetFromNavigatorDrag(const QRectF& thumbnail, QSize client, QSize display, QPointF pointer);

// The command bar's fixed places for a tool mode. Rectangles of buttons a mode does not
// have are empty.
struct CommandBar {
  int L = 0;
  int T = 0;
  int SliderWidth = 200;
  bool HasSlider = true;
  bool HasOption = false;
  bool HasStampUndo = false;
  // Index 1 Apply, 2 Cancel, 4 Option, 5 stamp Undo, 6 stamp Redo (0 and 3 are not bar buttons).
  std::array<QRectF, 7> Buttons;
};
CommandBar CommandBarGeometry(ToolModes::Mode mode, QSize client);

// The slider knob: its left edge and the tool value it stands for.
struct Knob {
  float X = 0;
  float Value = 0;
};
// The value a knob dragged to pointer x gives, within Min..Max.
float ValueFromPointer(float pointerX, int L, int Min, int Max, int knobWidth);
// Places the knob for a value. Values past the ends snap to Min or Max; keepKnob leaves a
// knob left of the track where it is. A range of zero puts the knob at its start.
Knob KnobForValue(float value, int L, int Min, int Max, int knobWidth, bool keepKnob);

// The pointers the canvas shows.
enum class Cursor { Arrow, Cross, Picker, Moused, PanView, Shou, SizeFDiag, SizeVer, SizeBDiag, SizeHor };

// Rectangles the pointer is tested against.
struct HitRects {
  std::array<QRectF, 8> Buttons;  // 0 the slider knob, 1 to 6 the command bar's buttons
  std::array<QRectF, 10> Handles;  // 0 the selection, 1 to 8 its resize handles
  std::array<QRectF, 4> Nav;       // 0 the navigator thumbnail
  QRectF Layer;                    // the floating text or calendar layer
};

// What is under the pointer. Fields a test does not reach keep their earlier values.
struct HitState {
  bool BarShown = false;
  int HotButton = 0;
  bool HandleHit = false;
  int HandleIndex = 0;
  bool GripHit = false;
  int NavButtonIndex = 0;
  bool LayerHit = false;
  Cursor Pointer = Cursor::Arrow;
};

// Half-open: the right and bottom edges lie outside; an empty rectangle holds nothing.
bool Inside(const QRectF& rect, QPointF point);
// Updates the state for the pointer at point in a tool mode.
void HitTestCanvas(ToolModes::Mode mode, QPointF point, const HitRects& rects, HitState& state);
// The sizing pointer of a selection handle; other handles keep the current pointer.
Cursor HandleCursor(int handle, Cursor current);

}  // namespace CanvasLayout
