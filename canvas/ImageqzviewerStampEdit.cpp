// Editing the floating stamp: the brushes painting on it while the button is down, and
// its filters and flips. Every finished edit becomes one stamp undo step.

#include "canvas/Imageqzviewer.h"

#include "canvas/ToolModes.h"
#include "canvas/tools/StampEdits.h"
#include "foundation/ModPublic.h"

void Imageqzviewer::StampToolSelect(int new_Tool) {
  m_stamp.subTool = new_Tool;
  Painting();
}

void Imageqzviewer::PaintOnStamp() {
  if (!StampEdits::IsBrush(m_stamp.subTool) || m_stamp.picture.isNull() || !hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  const QSizeF scale(ImgDIB.Width() / m_view.fitRect.width(), ImgDIB.Height() / m_view.fitRect.height());
  StampEdits::Dab dab;
  dab.subTool = m_stamp.subTool;
  dab.eraserMode = m_stamp.eraserMode;
  dab.at = StampEdits::ToStamp(m_ptr.stampPoint, m_stamp.frame, m_stamp.picture.size());
  dab.diameter = StampEdits::BrushDiameter(m_stamp.brushSize, scale);
  dab.airRadius = m_stamp.brushSize;
  dab.dragging = m_ptr.moved;
  dab.airColour = m_pickColor2;
  // The stamp's own pixels are painted: the stroke builds up on them until the release.
  StampEdits::Paint(m_stamp.picture, dab);
}

void Imageqzviewer::KeepStampStroke() {
  if (!StampEdits::IsBrush(m_stamp.subTool) || m_stamp.picture.isNull()) {
    return;
  }
  m_stampSnapshots.Push(m_stamp.picture);
  RefreshStampUndoState();
}

void Imageqzviewer::Stampeffect(int new_Filter) {
  if (m_stamp.picture.isNull() || !hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  const QSizeF scale(ImgDIB.Width() / m_view.fitRect.width(), ImgDIB.Height() / m_view.fitRect.height());
  // The filters resample the stamp to the size it is shown at, in picture pixels.
  const QSizeF shown(scale.width() * m_stamp.frame.width(), scale.height() * m_stamp.frame.height());
  QImage changed = StampEdits::Filtered(m_stamp.picture, new_Filter, shown);
  if (changed.isNull()) {
    return;
  }
  m_stamp.picture = std::move(changed);
  m_stampSnapshots.Push(m_stamp.picture);
  RefreshStampUndoState();
  Painting();
}
