#pragma once
// Re-dividing the main window's panes by dragging its three bars: the vertical splitter
// (the left column's width), the left column's splitter (folder tree against side panel)
// and the thumbnail bar (canvas against thumbnail sheet). A thin ghost bar follows the
// pointer; the release moves the real bar, snaps or clamps it and lays the panes out
// again. The thumbnail bar is also the canvas's zoom slider and carries the size pop-up
// and the pane's open/close button. The resize grip in the bottom-right corner sizes the
// window. Positions are pixels of the window's client area.

#include <QPoint>
#include <QRect>
#include <QSize>

class FrmMain;
class QWidget;
class UserqzSplit;

namespace SplitterDrag {

// The ghost bar's thickness.
inline constexpr int kGhostThickness = 5;
// The vertical splitter snaps to this left edge while the pointer is within 30 of 260.
inline constexpr int kSnapLeft = 270;
// Where a collapsed left column puts the vertical splitter.
inline constexpr int kCollapsedLeft = 3;
// The vertical splitter never lies closer than this to the window's right edge.
inline constexpr int kRightMargin = 100;
// The left column's splitter keeps this far from the folder tree's top and the bottom.
inline constexpr int kLeftSplitterMargin = 200;
// The thumbnail-size pop-up's width.
inline constexpr int kSizeMenuWidth = 150;

// The vertical splitter's ghost left edge for a pointer x in a window W wide.
int VerticalGhostLeft(int pointerX, int windowWidth);

struct VerticalDrop {
  int Left = 0;
  // The left column collapses: the canvas takes the keyboard focus.
  bool Collapsed = false;
};
// Where the vertical splitter goes when released at X after a press at DownX.
VerticalDrop DropVerticalSplitter(int splitterLeft, float DownX, float X, int ghostLeft, int windowWidth);

// The left column's splitter's top kept between the folder tree's top + 200 and H - 200;
// when both cannot hold the folder tree's minimum wins.
int ClampLeftSplitter(int top, int folderTop, int windowHeight);

struct ThumbnailBarDrop {
  int Top = 0;
  // Dropped near the bottom: the thumbnail pane collapses and the sheet hides.
  bool Collapsed = false;
};
// Where the thumbnail bar goes when released at Y after a press at DownY.
ThumbnailBarDrop DropThumbnailBar(int barTop, int barHeight, float DownY, float Y, int windowHeight, int paneTop);

// Whether a pointer has left a bar's own band (the ghost shows only then).
bool OutsideBand(int pointer, int bandStart, int bandLength);

// The window's size while the grip drags without the window system's help: the size at
// the press plus the pointer's travel since the press, never below the minimum.
QSize GripResize(QSize atPress, QPoint pressGlobal, QPoint pointerGlobal, QSize minimum);

// The handlers of the main window's bar and grip events. The bars are the window's
// widgets; the ghost is a plain box the drags show.
class Handlers {
 public:
  struct Bars {
    UserqzSplit* SplitH = nullptr;
    UserqzSplit* SplitLV = nullptr;
    QWidget* Ghost = nullptr;
    QWidget* Grip = nullptr;
  };
  Handlers(FrmMain& window, Bars bars);
  // Connects the bars' and the grip's mouse events.
  void Connect();

  void ThumbnailBarDown(float Y);
  void ThumbnailBarMove(float X, float Y);
  void ThumbnailBarUp(float Y);
  // The bar's size button: opens the thumbnail-size pop-up, or closes it when open.
  void ThumbSizeClick();
  void LeftSplitterDown(float Y);
  void LeftSplitterMove(float Y);
  void LeftSplitterUp(float Y);
  void VerticalSplitterDown(float X);
  void VerticalSplitterMove(float X);
  void VerticalSplitterUp(float X);
  void GripDown(QPoint global);
  void GripMove(QPoint global);
  void GripUp();

  bool DragDown() const { return m_isDragDown; }
  bool ZoomDrag() const { return m_isZoomDrag; }

 private:
  void HideMenu();
  void StartGhost(QRect geometry);

  FrmMain& m_window;
  Bars m_bars;
  bool m_isDragDown = false;
  bool m_isZoomDrag = false;
  bool m_gripSystemResize = false;
  float m_downX = 0;
  float m_downY = 0;
  QSize m_sizeAtPress;
  QPoint m_pressGlobal;
};

}  // namespace SplitterDrag
