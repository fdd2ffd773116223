#include "mainwindow/PaneLayout.h"

#include <algorithm>

#include <QWidget>

namespace PaneLayout {
namespace {

// The canvas tools that put the text options strip above the canvas: text and calendar.
bool WithStrip(ToolModes::Mode mode) { return ToolModes::Row(mode).strip != ToolModes::Strip::None; }
// Room the clamp keeps for the panes beside each bar.
constexpr int kMinTreeHeight = 20;
constexpr int kMinSidePanelHeight = 20;
constexpr int kMinRightColumn = 100;

// The forms runtime refused negative sizes and kept the old one; the steps rely on it.
void SetWidth(PaneBox& box, int width) {
  if (width >= 0) {
    box.Width = width;
  }
}
void SetHeight(PaneBox& box, int height) {
  if (height >= 0) {
    box.Height = height;
  }
}

// The left edge of the right column.
int RightColumnLeft(const MainPanes& p) { return p.UserqzSplitH.Left + p.UserqzSplitH.Width; }

void PlaceBands(MainPanes& p, int W, int H) {
  p.qzToolbarUser.Left = 0;
  p.qzToolbarUser.Top = p.TitleSkin.Height + p.TitleSkin.Top + 1;
  SetWidth(p.qzToolbarUser, W);
  p.ImageToolbar.Left = 0;
  p.ImageToolbar.Top = p.qzToolbarUser.Height + p.qzToolbarUser.Top + 1;
  SetWidth(p.ImageToolbar, p.qzToolbarUser.Width);
  p.ResizeBorder.Left = W - p.ResizeBorder.Width;
  p.ResizeBorder.Top = H - p.ResizeBorder.Height;
  p.TitleSkin.Left = 0;
  p.TitleSkin.Top = 0;
  SetWidth(p.TitleSkin, W);
  SetHeight(p.UserqzSplitH, H - p.UserqzSplitH.Top - 10);
}

void PlaceLeftColumn(MainPanes& p) {
  const PaneBox& split = p.UserqzSplitH;
  p.FolderView.Left = 8;
  p.FolderView.Top = split.Top + 35;
  SetWidth(p.FolderView, split.Left - 12);
  SetHeight(p.FolderView, p.UserqzSplitLV.Top - p.FolderView.Top - 8);
  p.UserqzProcess1.Left = 3;
  p.UserqzProcess1.Top = p.UserqzSplitLV.Height + p.UserqzSplitLV.Top;
  SetWidth(p.UserqzProcess1, split.Left - 3);
  SetHeight(p.UserqzProcess1, (split.Height - (p.UserqzSplitLV.Height + p.FolderView.Height)) -
                                  (p.FolderView.Top - split.Top));
}

void PlaceRightColumn(MainPanes& p, int W, ToolModes::Mode mode) {
  PaneBox& canvas = p.SingleqzPreview;
  PaneBox& sheet = p.ThumqzViewer;
  PaneBox& strip = p.YDSTextControl1;
  const PaneBox& bar = p.UserqzSplitV;
  if (WithStrip(mode)) {
    strip.Top = p.UserqzSplitH.Top;
    strip.Left = RightColumnLeft(p);
    canvas.Left = strip.Left;
    canvas.Top = strip.Height + strip.Top;
    SetHeight(canvas, bar.Top - canvas.Top);
    SetHeight(sheet, p.UserqzSplitH.Height - (strip.Height + (bar.Height + canvas.Height)));
  } else {
    canvas.Left = RightColumnLeft(p);
    canvas.Top = p.UserqzSplitH.Top;
    SetHeight(canvas, bar.Top - p.UserqzSplitH.Top);
    SetHeight(sheet, p.UserqzSplitH.Height - (bar.Height + canvas.Height));
  }
  SetWidth(canvas, W - (RightColumnLeft(p) + 5));
  SetWidth(strip, canvas.Width);
  sheet.Left = canvas.Left;
  SetWidth(sheet, canvas.Width);
  sheet.Top = bar.Height + bar.Top;
  p.UserqzSplitV.Left = p.UserqzSplitH.Width + p.UserqzSplitH.Left;
  SetWidth(p.UserqzSplitV, canvas.Width);
  p.UserqzSplitLV.Left = p.FolderView.Left;
  SetWidth(p.UserqzSplitLV, p.FolderView.Width);
}

}  // namespace

bool ThumbnailPaneCollapsed(int windowHeight, const PaneBox& bar) {
  return windowHeight - bar.Height < bar.Top + kCollapseMargin;
}

Arrangement ArrangeMainPanes(QSize window, ToolModes::Mode mode, const MainPanes& current) {
  Arrangement result{current, false, false};
  MainPanes& p = result.Panes;
  const int W = window.width();
  const int H = window.height();
  PlaceBands(p, W, H);
  PlaceLeftColumn(p);
  PlaceRightColumn(p, W, mode);
  if (ThumbnailPaneCollapsed(H, p.UserqzSplitV)) {
    p.ThumqzViewer.Visible = false;
    p.SingleqzPreview.Visible = true;
    result.ThumOpenOffered = true;
  } else {
    p.SingleqzPreview.Visible = p.UserqzSplitV.Top != p.UserqzSplitH.Top;
    p.ThumqzViewer.Visible = true;
  }
  const bool leftColumn = p.UserqzSplitH.Left > kLeftColumnMin;
  result.ResizeFolderTree = leftColumn;
  p.UserqzProcess1.Visible = leftColumn;
  p.UserqzSplitLV.Visible = leftColumn;
  p.FolderView.Visible = leftColumn;
  return result;
}

MainPanes BarsInside(QSize window, MainPanes p) {
  const int W = window.width();
  const int H = window.height();
  PaneBox& split = p.UserqzSplitH;
  split.Left = std::clamp(split.Left, 0, std::max(0, W - split.Width - 5 - kMinRightColumn));
  const int treeTop = split.Top + 35;
  const int lowestLV = H - 2 - p.UserqzSplitLV.Height - kMinSidePanelHeight;
  p.UserqzSplitLV.Top = std::clamp(p.UserqzSplitLV.Top, std::min(treeTop + 8 + kMinTreeHeight, lowestLV), lowestLV);
  // The collapsed thumbnail pane keeps its bar at the bottom, where it was left.
  const int lowestBar = H - p.UserqzSplitV.Height - 3;
  p.UserqzSplitV.Top = std::clamp(p.UserqzSplitV.Top, std::min(split.Top, lowestBar), lowestBar);
  return p;
}

MainPanes LayoutCanvasArea(ToolModes::Mode mode, MainPanes p) {
  const PaneBox& split = p.UserqzSplitH;
  const int right = split.Left + split.Width;
  PaneBox& canvas = p.SingleqzPreview;
  PaneBox& strip = p.YDSTextControl1;
  const bool withStrip = WithStrip(mode);
  if (withStrip) {
    strip.Top = split.Top;
    strip.Left = right;
    canvas.Left = strip.Left;
    canvas.Top = strip.Top + strip.Height;
  } else {
    canvas.Left = right;
    canvas.Top = split.Top;
  }
  canvas.Height = p.UserqzSplitV.Top - canvas.Top;
  p.ThumqzViewer.Height = split.Height - (canvas.Height + p.UserqzSplitV.Height + (withStrip ? strip.Height : 0));
  return p;
}

MainPanes ReadPanes(const PaneWidgets& widgets) {
  MainPanes panes;
  for (std::size_t i = 0; i < kAllPanes.size(); ++i) {
    const QWidget& w = *widgets[i];
    panes.*kAllPanes[i] = PaneBox{w.x(), w.y(), w.width(), w.height(), !w.isHidden()};
  }
  return panes;
}

void ApplyPanes(const MainPanes& panes, const PaneWidgets& widgets) {
  for (std::size_t i = 0; i < kAllPanes.size(); ++i) {
    QWidget& w = *widgets[i];
    const PaneBox& box = panes.*kAllPanes[i];
    const int width = box.Width >= 0 ? box.Width : w.width();
    const int height = box.Height >= 0 ? box.Height : w.height();
    w.setGeometry(box.Left, box.Top, width, height);
    w.setVisible(box.Visible);
  }
}

}  // namespace PaneLayout
