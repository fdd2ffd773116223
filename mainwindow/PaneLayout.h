#pragma once
// The main window's pane layout: where every pane goes for the window's inner size, the
// three bars the user drags and the canvas's tool, worked out without widgets, then
// applied to them.

#include <array>

#include <QSize>

#include "canvas/ToolModes.h"

class QWidget;

namespace PaneLayout {

// A pane's container properties, in pixels of the window's client area.
struct PaneBox {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = true;
};

// Every pane the layout places. The bars' own positions (UserqzSplitH's Left and Top,
// UserqzSplitLV's Top, UserqzSplitV's Top) are inputs the layout never changes.
struct MainPanes {
  PaneBox TitleSkin;
  PaneBox qzToolbarUser;
  PaneBox ImageToolbar;
  PaneBox ResizeBorder;
  PaneBox UserqzSplitH;
  PaneBox FolderView;
  PaneBox UserqzSplitLV;
  PaneBox UserqzProcess1;
  PaneBox YDSTextControl1;
  PaneBox SingleqzPreview;
  PaneBox UserqzSplitV;
  PaneBox ThumqzViewer;
};

// The panes in one order, for walking them all.
inline constexpr std::array<PaneBox MainPanes::*, 12> kAllPanes{
    &MainPanes::TitleSkin,      &MainPanes::qzToolbarUser,   &MainPanes::ImageToolbar,    &MainPanes::ResizeBorder,
    &MainPanes::UserqzSplitH,   &MainPanes::FolderView,      &MainPanes::UserqzSplitLV,   &MainPanes::UserqzProcess1,
    &MainPanes::YDSTextControl1, &MainPanes::SingleqzPreview, &MainPanes::UserqzSplitV,   &MainPanes::ThumqzViewer};

struct Arrangement {
  MainPanes Panes;
  // The thumbnail bar's button offers to open the collapsed pane (ThumOpen) or to close it.
  bool ThumOpenOffered = false;
  // The folder tree is fitted to its box only while the left column shows.
  bool ResizeFolderTree = false;
};

// The left column shows only while the vertical splitter's Left is above this.
inline constexpr int kLeftColumnMin = 260;
// The thumbnail pane counts as collapsed while its bar lies this close to the bottom.
inline constexpr int kCollapseMargin = 5;

// The panes after a layout of a window W x H, starting from their current boxes. An
// assignment of a negative width or height is refused and the box keeps its old value,
// so the steps that copy it copy the old one.
Arrangement ArrangeMainPanes(QSize window, ToolModes::Mode mode, const MainPanes& current);

// Whether the thumbnail pane is collapsed: its bar lies at the window's bottom.
bool ThumbnailPaneCollapsed(int windowHeight, const PaneBox& bar);

// The three bar positions moved inside a window of that size (stored positions from a
// larger screen), so that every bar can still be reached and dragged.
MainPanes BarsInside(QSize window, MainPanes panes);

// The canvas area for a tool: the text and calendar tools (4, 10) put the text strip at
// the top of the right-hand column and the canvas under it; every other tool gives the
// canvas the column's top. The sheet takes what is left below the thumbnail bar.
MainPanes LayoutCanvasArea(ToolModes::Mode mode, MainPanes panes);

// The widgets in the order of kAllPanes.
using PaneWidgets = std::array<QWidget*, 12>;
MainPanes ReadPanes(const PaneWidgets& widgets);
// Sets every pane's geometry and visibility; a negative width or height is skipped.
void ApplyPanes(const MainPanes& panes, const PaneWidgets& widgets);

}  // namespace PaneLayout
