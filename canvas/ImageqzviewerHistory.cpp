// The canvas's undo history, saving and deleting: members of Imageqzviewer kept apart
// from its layout and painting. The work itself is done by UndoSnapshots,
// StampSnapshots and CanvasSave; these members tie it to what the canvas shows.

#include "canvas/Imageqzviewer.h"

#include <QPainter>

#include "canvas/CanvasSave.h"
#include "foundation/DIBsave.h"
#include "foundation/ModPublic.h"
#include "platform/forms/HourglassCursor.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"

void Imageqzviewer::CommitUndoStep(const QImage& edited) {
  if (edited.isNull()) {
    return;  // A failed edit leaves no undo step and the picture as it was.
  }
  m_undo.Commit();
  PushUndoSnapshot(edited);
  RefreshUndoState();
  m_saveState = false;
  m_appliedEffect = true;
  Relayout();
}

void Imageqzviewer::PushUndoSnapshot(const QImage& edited) {
  // The picture is shown from memory at once; its file is written in the background.
  m_undoSnapshots.Write(m_undo.index, edited);
  ShowSnapshot(edited);
}

void Imageqzviewer::ShowSnapshot(const QImage& picture) {
  ImgDIB.SetDIB(Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture)));
}

void Imageqzviewer::RefreshUndoState() {
  m_undo.Refresh([this](int position) { return m_undoSnapshots.Exists(position); });
  emit UndoStateChanged(m_undo.canUndo, m_undo.canRedo);
}

void Imageqzviewer::UndoAndRedo(bool isUndo) {
  const Forms::HourglassCursor busy;
  const auto step = m_undoSnapshots.Step(m_undo.index, isUndo);
  if (!step) {
    return;
  }
  m_undo.index = step->first;
  ShowSnapshot(step->second);
  Relayout();
  RefreshUndoState();
}

void Imageqzviewer::UndoStampRedo(bool isUndo) {
  const Forms::HourglassCursor busy;
  // The step is taken only when the stamp of the new position can be read.
  const auto load = [this](const QString& path) {
    const QImage stamp(path);
    if (stamp.isNull()) {
      return false;
    }
    m_stamp.picture = stamp.convertToFormat(QImage::Format_ARGB32);
    return true;
  };
  if (m_stampSnapshots.Step(isUndo, load)) {
    RefreshStampUndoState();
    Painting();
  }
}

void Imageqzviewer::RefreshStampUndoState() {
  m_stamp.undoEnabled = m_stampSnapshots.CanUndo();
  m_stamp.redoEnabled = m_stampSnapshots.CanRedo();
}

void Imageqzviewer::UnRedoPaint() {
  if (!hasImage()) {
    return;
  }
  EnsureBackBuffer();
  {
    auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
    QPainter& p = graphics->Painter();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_view.fit) {
      p.drawImage(m_view.fitRect, m_displayCache.Scaled(m_view.fitRect.size().toSize()));
    } else {
      m_displayCache.Draw(p, QRect(QPoint(0, 0), ClientSize()), m_view.offset, m_view.displaySize, true);
    }
  }
  update();
}

bool Imageqzviewer::SaveImage(const QString& Filename, int Types, int Quality) {
  if (!hasImage()) {
    return false;
  }
  const Forms::HourglassCursor busy;
  if (!CanvasSave::WritePicture(*ImgDIB.DIB(), Filename, Types, Quality)) {
    return false;
  }
  m_saveState = true;
  return true;
}

bool Imageqzviewer::HasFileOfItsOwn() const {
  return !CurFilename.isEmpty() && !CanvasSave::IsScratchFile(CurFilename, DeleteCopyPath());
}

bool Imageqzviewer::SaveOnly() {
  if (!hasImage() || !HasFileOfItsOwn()) {
    return false;
  }
  const auto format = CanvasSave::FormatForExtension(ModPublic::GetExtension(CurFilename));
  return format && SaveImage(CurFilename, format->Types, format->Quality);
}

bool Imageqzviewer::DeleteImage() {
  // The canvas's own scratch files are not the user's: nothing to trash, nothing to copy.
  if (!HasFileOfItsOwn() || !m_snapshotFolder.Ensure()) {
    return false;
  }
  if (CanvasSave::DeleteFile(CurFilename, DeleteCopyPath()) != CanvasSave::DeleteOutcome::Trashed) {
    return false;
  }
  const Forms::HourglassCursor busy;
  Open(DeleteCopyPath());
  return true;
}

void Imageqzviewer::DisposeImgDIB() { ImgDIB.Destroy(); }
