// Selecting on the thumbnail sheet: clicks, Ctrl and Shift clicks, the rubber band,
// next and previous, and the shared list of selected files.
#include <algorithm>

#include <QMouseEvent>

#include "browse/ThumSurface.h"
#include "browse/ThumViewer.h"
#include "foundation/SaveQuestionServices.h"
#include "foundation/ModPublic.h"
#include "foundation/Numbers.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/Input.h"

using ModFileinfo::FileRow;

namespace {

// Edges belong to one side only, so touching thumbnails never share a point.
bool Contains(const QRectF& r, QPointF p) {
  return p.x() >= r.left() && p.x() < r.right() && p.y() >= r.top() && p.y() < r.bottom();
}

}  // namespace

bool ThumViewer::PressThumbnail(int Button, int Shift, float X, float Y, bool isNext, bool isBack) {
  if (ModPublic::GdiplusToken == 0) {
    return false;
  }
  bool hit = true;
  if (m_bandActive) {
    PressBand(Shift);
    OldPress = ListCount;
  } else {
    if (Shift == 0 && Button == Forms::vbLeftButton) {
      for (FileRow& row : m_rows) {
        row.Selected = false;
      }
    }
    const int row = isNext ? NeighbourRow(1) : isBack ? NeighbourRow(-1) : HitRow(QPointF(X, Y));
    hit = row >= 0;
    if (hit) {
      PressRow(row, Shift);
      OldPress = row;
    }
  }
  // The grey frames of a star change stay on the sheet, under the new selection.
  m_reviewOnTop = false;
  PublishSelection();
  m_surface->update();
  return hit;
}

int ThumViewer::HitRow(QPointF point) const {
  // A portrait may reach a little above its cell.
  const int slotCount = static_cast<int>(m_slotRows.size());
  const QPointF lifted = point + QPointF(0, SheetGeometry::PortraitLift);
  for (const int slot : {m_geometry.SlotAt(point), m_geometry.SlotAt(lifted)}) {
    if (slot >= 0 && slot < slotCount && Contains(m_imageRects[m_slotRows[slot]], point)) {
      return m_slotRows[slot];
    }
  }
  return -1;
}

int ThumViewer::NeighbourRow(int step) const {
  // Rows the filter hides are passed over. After a band selection the current row is
  // ListCount, so previous lands on the last shown row and next finds none.
  int row = step > 0 ? OldPress + 1 : std::min(OldPress, ListCount) - 1;
  for (; row >= 0 && row < ListCount; row += step) {
    if (m_rowSlots[row] >= 0) {
      return row;
    }
  }
  // At either end the current row stays current.
  return ValidRow(OldPress) && m_rowSlots[OldPress] >= 0 ? OldPress : -1;
}

void ThumViewer::PressRow(int row, int Shift) {
  FileRow& hit = m_rows[row];
  if (Shift == Forms::vbCtrlMask) {
    hit.Selected = !hit.Selected;
    return;
  }
  if (Shift != 0) {
    hit.Selected = true;
    return;
  }
  if (ValidRow(OldPress)) {
    m_rows[OldPress].Selected = false;
  }
  // The current file always follows the row pressed, even one that was selected
  // already, so the canvas never opens another file than the one framed.
  SelectFile = hit.Path;
  FileExtname = hit.Extname;
  m_thumW = Numbers::RoundToInt(m_imageRects[row].width());
  m_thumH = Numbers::RoundToInt(m_imageRects[row].height());
  hit.Selected = true;
}

void ThumViewer::PressBand(int Shift) {
  const QRectF band(m_bandRect);
  for (int row = 0; row < ListCount; ++row) {
    // Touching rectangles share no area and so do not overlap.
    if (band.intersects(m_imageRects[row])) {
      m_rows[row].Selected = true;
    } else if (Shift != Forms::vbShiftMask) {
      m_rows[row].Selected = false;
    }
  }
  m_bandRect = QRect();
}

void ThumViewer::PublishSelection() {
  if (m_isFavorties) {
    return;
  }
  // With nothing selected the list is empty, never the previous selection: Delete,
  // Move and the slideshow act on exactly what is shown as selected.
  QStringList files;
  for (const FileRow& row : m_rows) {
    if (row.Selected) {
      files << row.Path;
    }
  }
  m_selectedFiles->SetFiles(std::move(files));
}

void ThumViewer::SetSelectedFiles(SelectedFiles& list) { m_selectedFiles = &list; }

bool ThumViewer::PreviewNext() { return PressThumbnail(0, 0, 0, 0, true, false); }

bool ThumViewer::PreviewBack() { return PressThumbnail(0, 0, 0, 0, false, true); }

QString ThumViewer::SlideFilename(int curI) const { return ValidRow(curI) ? m_rows[curI].Path : QString(); }

// A sheet without captions only selects, so it replaces no picture and asks nothing.
bool ThumViewer::AskedToKeepCanvas() {
  return !m_hideCaption && m_saveQuestion != nullptr && !m_saveQuestion->MayReplacePicture();
}

void ThumViewer::SurfaceMouseDown(const QMouseEvent& event) {
  const int button = Forms::ButtonFromQt(event.button());
  const int shift = Forms::ShiftFromQt(event.modifiers());
  const QPointF at = event.position();
  m_bandActive = false;
  if (!AskedToKeepCanvas()) {
    const bool hit = PressThumbnail(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
    if (!hit && m_sheetReady) {
      m_bandActive = true;
      m_buttonDown = true;
      m_bandStart = at.toPoint();
      m_bandCurrent = m_bandStart;
    } else if (hit && !m_hideCaption && !m_selectedFiles->IsEmpty()) {
      // Only a thumbnail that was hit opens, never a file left from an earlier pick.
      emit PictureChosen(m_selectedFiles->At(0));
    }
  }
  emit MouseDown(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void ThumViewer::SurfaceMouseMove(const QMouseEvent& event) {
  if (!m_buttonDown || !m_sheetReady) {
    return;
  }
  const QPointF at = event.position();
  m_bandCurrent = at.toPoint();
  // The band selects by the rectangle drawn last, then shows the new one.
  PressThumbnail(Forms::ButtonFromQt(event.buttons()), Forms::ShiftFromQt(event.modifiers()),
                 static_cast<float>(at.x()), static_cast<float>(at.y()));
  DrawSelect();
}

void ThumViewer::SurfaceMouseUp(const QMouseEvent& event) {
  const int button = Forms::ButtonFromQt(event.button());
  const int shift = Forms::ShiftFromQt(event.modifiers());
  const QPointF at = event.position();
  if (m_buttonDown && m_sheetReady) {
    PressThumbnail(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
  }
  // The band ends with the button, so next and previous afterwards move the current
  // row instead of selecting by an empty band.
  m_buttonDown = false;
  m_bandActive = false;
  emit MouseUp(button, shift, static_cast<float>(at.x()), static_cast<float>(at.y()));
}
