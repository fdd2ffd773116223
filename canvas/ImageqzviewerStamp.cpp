// The floating stamp: members of Imageqzviewer kept apart from its layout and painting.
// The drawing and the burn-in are FloatingStamp's; the history is StampSnapshots'.

#include "canvas/Imageqzviewer.h"

#include <QPainter>

#include "canvas/tools/FloatingStamp.h"
#include "canvas/tools/ToolRect.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Graphics.h"

namespace {

QString KeyText(std::string_view key) { return QString::fromLatin1(key.data(), qsizetype(key.size())); }

}  // namespace

bool Imageqzviewer::CreateStampImg(const QString& Filename, bool SaveUndo0, bool DefSize) {
  const QImage stamp = m_stampSnapshots.Picture(Filename);
  // An unreadable file leaves no stamp, never the one before it.
  m_stampCanvas = stamp.isNull() ? QImage() : stamp.convertToFormat(QImage::Format_ARGB32);
  if (stamp.isNull()) {
    return false;
  }
  if (SaveUndo0) {
    // A new stamp has no frame until it is shown; the last stamp's frame is not its size.
    m_stampFrame = QRectF();
    m_stampSnapshots.Start(Filename);
    ModPublic::CurrentToolKey = KeyText(CommandKeys::Stamp_Drag);
    RefreshStampUndoState();
  }
  if (DefSize && hasImage()) {
    // At the picture's origin, one stamp pixel to one picture pixel, whatever the zoom.
    PlaceHandedStamp(QRectF(QPointF(0, 0), QSizeF(m_stampCanvas.size())));
  }
  return true;
}

void Imageqzviewer::PlaceHandedStamp(const QRectF& place) {
  m_stampRect = place;
  m_stampHome = place;
  m_stampRectPending = true;
}

void Imageqzviewer::ResetStampsize(bool value) {
  if (!value) {
    return;
  }
  m_stampSubTool = 0;
  ModPublic::CurrentToolKey.clear();
  m_stampRect = m_stampHome;
  m_stampRectPending = true;
}

void Imageqzviewer::StampOptions(int subTool) {
  m_stampSubTool = subTool;
  if (subTool == 0) {
    return;
  }
  // A snapshot that cannot be read leaves the stamp as it is.
  const QImage last(m_stampSnapshots.CurrentFile());
  if (!last.isNull()) {
    m_stampCanvas = last.convertToFormat(QImage::Format_ARGB32);
  }
}

QRectF Imageqzviewer::FloatingFrame() {
  if (m_stampRectPending) {
    m_stampRectPending = false;
    const QSizeF picture(ImgDIB.Width(), ImgDIB.Height());
    const QRectF place = m_stampRect.isEmpty() ? QRectF(QPointF(0, 0), QSizeF(m_stampCanvas.size())) : m_stampRect;
    m_rects.Handles[0] = ToolRect::ToCanvas(place, m_view.fitRect, picture);
  } else if (m_stampSubTool == 0 && m_hit.HandleHit) {
    // The brushes paint on a frame that holds still; only the move tool takes the handles.
    UpdateToolRect();
  }
  return m_rects.Handles[0];
}

void Imageqzviewer::PaintFloatingStamp(Gdip::Graphics& graphics) {
  if (m_stampCanvas.isNull() || !hasImage()) {
    return;
  }
  const QRectF frame = FloatingFrame();
  m_stampFrame = frame;
  // The burn-in takes the stamp where it is shown, so its place follows every move.
  m_stampRect = ToolRect::ToPicture(frame, m_view.fitRect, QSizeF(ImgDIB.Width(), ImgDIB.Height()));
  FloatingStamp::Draw(graphics.Painter(), m_stampCanvas, frame, m_slider.value, m_stampSubTool == 0 && !m_ptr.leftDown);
  if (!m_hit.BarShown) {
    const auto handles = ToolRect::Handles(frame);
    std::copy(handles.begin(), handles.end(), m_rects.Handles.begin() + 1);
  }
}
