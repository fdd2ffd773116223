// Editing the floating stamp: the brushes painting on it while the button is down, and
// its filters and flips. Every finished edit becomes one stamp undo step.

#include "canvas/Imageqzviewer.h"

#include "canvas/ToolModes.h"
#include "canvas/tools/StampEdits.h"
#include "foundation/ModPublic.h"

void Imageqzviewer::StampToolSelect(int new_Tool) {
  m_stampSubTool = new_Tool;
  Painting();
}

void Imageqzviewer::PaintOnStamp() {
  if (!StampEdits::IsBrush(m_stampSubTool) || m_stampCanvas.isNull() || !hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  const QSizeF scale(ImgDIB.Width() / m_view.fitRect.width(), ImgDIB.Height() / m_view.fitRect.height());
  StampEdits::Dab dab;
  dab.subTool = m_stampSubTool;
  dab.eraserMode = m_eraserMode;
  dab.at = StampEdits::ToStamp(m_ptr.stampPoint, m_stampFrame, m_stampCanvas.size());
  dab.diameter = StampEdits::BrushDiameter(m_brushSize, scale);
  dab.airRadius = m_brushSize;
  dab.dragging = m_ptr.moved;
  dab.airColour = m_pickColor2;
  // The stamp's own pixels are painted: the stroke builds up on them until the release.
  StampEdits::Paint(m_stampCanvas, dab);
}

void Imageqzviewer::KeepStampStroke() {
  if (!StampEdits::IsBrush(m_stampSubTool) || m_stampCanvas.isNull()) {
    return;
  }
  m_stampSnapshots.Push(m_stampCanvas);
  RefreshStampUndoState();
}

void Imageqzviewer::Stampeffect(int new_Filter) {
  if (m_stampCanvas.isNull() || !hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  const QSizeF scale(ImgDIB.Width() / m_view.fitRect.width(), ImgDIB.Height() / m_view.fitRect.height());
  // The filters resample the stamp to the size it is shown at, in picture pixels.
  const QSizeF shown(scale.width() * m_stampFrame.width(), scale.height() * m_stampFrame.height());
  QImage changed = StampEdits::Filtered(m_stampCanvas, new_Filter, shown);
  if (changed.isNull()) {
    return;
  }
  m_stampCanvas = std::move(changed);
  m_stampSnapshots.Push(m_stampCanvas);
  RefreshStampUndoState();
  Painting();
}
