// The thumbnail bar in the main window: its count box follows the selection and the
// listing, its grip drags the canvas's zoom, and a release on the canvas's command bar
// puts the grip back at 100 %. These are the first handlers; the splitter dragging and
// the canvas's own mouse handling take them over when they are built.
#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMain.h"

namespace {

// The image toolbar's fit button.
constexpr int kFitButton = 5;

}  // namespace

void FrmMain::ConnectThumbnailBar() {
  connect(m_thumbnailBar, &ScrollControl::ThumbToggleClick, this, &FrmMain::ToggleThumbnailPane);
  connect(m_thumbnailBar, &ScrollControl::MouseDown, this, &FrmMain::ThumbnailBar_MouseDown);
  connect(m_thumbnailBar, &ScrollControl::MouseMove, this, &FrmMain::ThumbnailBar_MouseMove);
  connect(m_thumbnailBar, &ScrollControl::MouseUp, this, &FrmMain::ThumbnailBar_MouseUp);
  connect(m_canvas, &Imageqzviewer::MouseUp, this, &FrmMain::Canvas_MouseUp);
  connect(m_sheet, &ThumViewer::Listed, this, &FrmMain::ShowImageCounts);
  connect(&SelectedFiles::Program(), &SelectedFiles::Changed, this, &FrmMain::ShowImageCounts);
}

void FrmMain::ShowImageCounts() {
  m_thumbnailBar->DrawInfo(static_cast<int>(SelectedFiles::Program().Count()), m_sheet->ListCount);
}

void FrmMain::ThumbnailBar_MouseDown() {
  if (!m_thumbnailBar->qzisDrag) {
    return;
  }
  if (m_canvas->FitMode()) {
    m_canvas->SetFitMode(false);
    m_imageToolbar->PressDownID(kFitButton, false);
  }
  m_zoomDrag = true;
}

void FrmMain::ThumbnailBar_MouseMove() {
  if (m_zoomDrag) {
    m_zoomStep = m_thumbnailBar->Value() / 100.0F;
    m_canvas->SetZoomFromSlider(m_thumbnailBar->Value());
  }
}

void FrmMain::ThumbnailBar_MouseUp() {
  m_zoomDrag = false;
  m_canvas->Painting(false, false, true);
}

void FrmMain::Canvas_MouseUp() {
  if (m_canvas->ScreenButtonEnabled()) {
    m_thumbnailBar->SetValue(1);
    m_thumbnailBar->ResetPaint();
  }
}
