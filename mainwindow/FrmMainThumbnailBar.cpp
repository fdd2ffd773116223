// The thumbnail bar in the main window: its count box follows the selection and the
// listing, and a release on the canvas's command bar puts the zoom knob back at 100 %.
// Its drags are the splitter drags' (SplitterDrag.cpp).
#include <algorithm>

#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMain.h"

void FrmMain::ConnectThumbnailBar() {
  m_thumbnailBar->UseCanvas(*m_canvas);
  connect(m_thumbnailBar, &ScrollControl::ThumbToggleClick, this, &FrmMain::ToggleThumbnailPane);
  connect(m_canvas, &Imageqzviewer::MouseUp, this, &FrmMain::Canvas_MouseUp);
  connect(m_sheet, &ThumViewer::Listed, this, &FrmMain::ShowImageCounts);
  connect(&SelectedFiles::Program(), &SelectedFiles::Changed, this, &FrmMain::ShowImageCounts);
}

// The count is of what the sheet shows; a picture opened from elsewhere is not on it, so
// the current number never passes the total.
void FrmMain::ShowImageCounts() {
  const int shown = m_sheet->ShownCount();
  m_thumbnailBar->DrawInfo(std::min(static_cast<int>(SelectedFiles::Program().Count()), shown), shown);
}

void FrmMain::Canvas_MouseUp() {
  if (m_canvas->ScreenButtonEnabled()) {
    m_thumbnailBar->SetValue(1);
    m_thumbnailBar->ResetPaint();
  }
}
