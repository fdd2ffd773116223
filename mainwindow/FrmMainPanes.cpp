// The main window's panes: the layout applied to the hosted controls, their repaints, the
// thumbnail pane's quick open and close, and the window's place over the work area.
#include "mainwindow/FrmMain.h"

#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/WindowSizing.h"

PaneLayout::PaneWidgets FrmMain::AllPaneWidgets() const {
  return {m_titleSkin.widget, m_menuBar.widget, m_imageToolbar.widget, m_resizeBorder,
          m_splitH.widget,    m_folderView,     m_splitLV.widget,      m_sidePanel.widget,
          m_textStrip.widget, m_canvas,         m_splitV.widget,       m_sheet};
}

PaneLayout::MainPanes FrmMain::Panes() const { return PaneLayout::ReadPanes(AllPaneWidgets()); }

void FrmMain::ApplyArrangement(const PaneLayout::Arrangement& arrangement) {
  PaneLayout::ApplyPanes(arrangement.Panes, AllPaneWidgets());
}

void FrmMain::ArrangeMainPanes(bool) {
  const PaneLayout::Arrangement arrangement = PaneLayout::ArrangeMainPanes(size(), m_canvas->CurrentMode(), Panes());
  ApplyArrangement(arrangement);
  if (arrangement.ThumOpenOffered) {
    m_splitV->ThumOpen();
  } else {
    m_splitV->ThumClose();
  }
  if (arrangement.ResizeFolderTree) {
    ModFolderView::ResizeFolderView();
  }
  // The drawn menu stays above the panes the layout moved.
  m_skinMenu.widget->raise();
}

void FrmMain::SetPanesVisible(bool visible) {
  for (QWidget* pane : {m_folderView, m_splitLV.widget, m_splitH.widget, static_cast<QWidget*>(m_sheet),
                        m_splitV.widget, static_cast<QWidget*>(m_canvas), m_sidePanel.widget}) {
    pane->setVisible(visible);
  }
}

void FrmMain::RefreshProcessPanel() {
  m_sidePanel->ResizePaint();
  m_sidePanel->ResetPaint();
  LeftSkinstyle();
}

void FrmMain::RepaintMainControls() {
  m_splitV->HandleHDC(true);
  m_splitV->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
  m_textStrip->StartPaint(0, 0, m_textStrip.widget->width(), 60);
  m_imageToolbar->StartPaint();
  m_splitLV->PaintStyle(0);
  m_splitH->PaintStyle(2);
  m_sidePanel->StartPaint();
}

void FrmMain::ToggleThumbnailPane() {
  if (m_splitV->isOpenthum()) {
    m_splitV->ThumClose();
  } else {
    m_splitV->ThumOpen();
  }
  QWidget& bar = *m_splitV.widget;
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
