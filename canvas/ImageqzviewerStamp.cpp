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
  if (!m_stamp.Take(m_stampSnapshots.Picture(Filename))) {
    return false;
  }
  if (SaveUndo0) {
    // A new stamp has no frame until it is shown; the last stamp's frame is not its size.
    m_stamp.frame = QRectF();
    m_stampSnapshots.Start(Filename);
    ModPublic::CurrentToolKey = KeyText(CommandKeys::Stamp_Drag);
    RefreshStampUndoState();
  }
  if (DefSize && hasImage()) {
    // At the picture's origin, one stamp pixel to one picture pixel, whatever the zoom.
    m_stamp.PlaceHanded(QRectF(QPointF(0, 0), QSizeF(m_stamp.picture.size())));
  }
  return true;
}

void Imageqzviewer::ResetStampsize(bool value) {
  if (!value) {
    return;
  }
  m_stamp.BackHome();
  PutDownStampBrush();
}

void Imageqzviewer::PutDownStampBrush() {
  m_stamp.subTool = 0;
  ModPublic::CurrentToolKey.clear();
}

void Imageqzviewer::StampOptions(int subTool) {
  m_stamp.subTool = subTool;
  if (subTool == 0) {
    return;
  }
  // A snapshot that cannot be read leaves the stamp as it is.
  const QImage last(m_stampSnapshots.CurrentFile());
  if (!last.isNull()) {
    m_stamp.picture = last.convertToFormat(QImage::Format_ARGB32);
  }
}

QRectF Imageqzviewer::FloatingFrame() {
  if (m_stamp.rectPending) {
    m_stamp.rectPending = false;
    const QSizeF picture(ImgDIB.Width(), ImgDIB.Height());
    m_rects.Handles[0] = ToolRect::ToCanvas(m_stamp.PlaceToFrame(), m_view.fitRect, picture);
  } else if (m_stamp.subTool == 0 && m_hit.HandleHit) {
    // The brushes paint on a frame that holds still; only the move tool takes the handles.
    UpdateToolRect();
  }
  return m_rects.Handles[0];
}

void Imageqzviewer::PaintFloatingStamp(Gdip::Graphics& graphics) {
  if (m_stamp.picture.isNull() || !hasImage()) {
    return;
  }
  const QRectF frame = FloatingFrame();
  m_stamp.frame = frame;
  // The burn-in takes the stamp where it is shown, so its place follows every move.
  m_stamp.rect = ToolRect::ToPicture(frame, m_view.fitRect, QSizeF(ImgDIB.Width(), ImgDIB.Height()));
  FloatingStamp::Draw(graphics.Painter(), m_stamp.picture, frame, m_slider.value, m_stamp.subTool == 0 && !m_ptr.leftDown);
  if (!m_hit.BarShown) {
    const auto handles = ToolRect::Handles(frame);
    std::copy(handles.begin(), handles.end(), m_rects.Handles.begin() + 1);
  }
}
