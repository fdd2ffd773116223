// The main window's panes: the layout applied to the hosted controls, their repaints, the
// thumbnail pane's quick open and close, and the window's place over the work area.
#include "mainwindow/FrmMain.h"

#include <array>

#include "browse/ModFolderView.h"
#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/ButtonControl.h"
#include "controls/ToolbarImg.h"
#include "controls/ToolbarUser.h"
#include "controls/UserqzProcess.h"
#include "controls/UserqzSplit.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/WindowSizing.h"

PaneLayout::PaneWidgets FrmMain::AllPaneWidgets() const {
  return {m_titleSkin, m_menuBar,    m_imageToolbar, m_resizeBorder, m_splitH,       m_folderView,
          m_splitLV,   m_sidePanel,  m_textStrip,    m_canvas,       m_thumbnailBar, m_sheet};
}

PaneLayout::MainPanes FrmMain::Panes() const { return PaneLayout::ReadPanes(AllPaneWidgets()); }

void FrmMain::ApplyArrangement(const PaneLayout::Arrangement& arrangement) {
  PaneLayout::ApplyPanes(arrangement.Panes, AllPaneWidgets());
}

void FrmMain::ArrangeMainPanes(bool) {
  const PaneLayout::Arrangement arrangement = PaneLayout::ArrangeMainPanes(size(), m_canvas->CurrentMode(), Panes());
  ApplyArrangement(arrangement);
  if (arrangement.ThumOpenOffered) {
    m_thumbnailBar->ThumOpen();
  } else {
    m_thumbnailBar->ThumClose();
  }
  if (arrangement.ResizeFolderTree) {
    ModFolderView::ResizeFolderView();
  }
  // The drawn menu stays above the panes the layout moved.
  m_skinMenu->raise();
}

void FrmMain::SetPanesVisible(bool visible) {
  const std::array<QWidget*, 7> panes{m_folderView,   m_splitLV, m_splitH,   m_sheet,
                                      m_thumbnailBar, m_canvas,  m_sidePanel};
  for (QWidget* pane : panes) {
    pane->setVisible(visible);
  }
}

void FrmMain::RefreshProcessPanel() {
  m_sidePanelServices->ResizePaint();
  m_sidePanelServices->ResetPaint();
  LeftSkinstyle();
}

void FrmMain::RepaintMainControls() {
  m_thumbnailBar->HandleHDC(true);
  m_thumbnailBar->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
  m_textStrip->StartPaint(0, 0, m_textStrip->width(), 60);
  m_imageToolbarServices->StartPaint();
  m_splitLV->PaintStyle(0);
  m_splitH->PaintStyle(2);
  m_sidePanelServices->StartPaint();
}

void FrmMain::ToggleThumbnailPane() {
  if (m_thumbnailBar->isOpenthum()) {
    m_thumbnailBar->ThumClose();
  } else {
    m_thumbnailBar->ThumOpen();
  }
  QWidget& bar = *m_thumbnailBar;
  const WindowSizing::ThumbnailToggle toggle =
      WindowSizing::ToggleThumbnailPane(height(), bar.y(), bar.height(), ModqzReg::OldThumTop);
  bar.move(bar.x(), toggle.BarTop);
  if (toggle.Opened) {
    m_sheet->show();
    m_sheet->setFocus();
  } else {
    m_canvas->show();
    m_canvas->setFocus();
  }
  ArrangeMainPanes();
}

void FrmMain::CPressButton() {
  ResizeScr();
  LoadSkin();
}

void FrmMain::LoadSkin() { m_titleSkin->Painting(); }

// One change of geometry; Wayland ignores a window's own position.
void FrmMain::ResizeScr() { setGeometry(WindowSizing::ResizeScrGeometry(*screen())); }
