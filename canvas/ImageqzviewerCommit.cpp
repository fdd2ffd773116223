// Applying the armed tool or effect: members of Imageqzviewer kept apart from its layout
// and painting. What each mode draws is ToolCommit's; these members take the canvas's
// state to it and the result into the undo history.

#include "canvas/Imageqzviewer.h"

#include "canvas/ToolCommit.h"
#include "canvas/ToolModes.h"
#include "canvas/tools/TextLayer.h"
#include "foundation/DIBsave.h"
#include "foundation/ModPublic.h"
#include "platform/forms/HourglassCursor.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

using ToolModes::Commit;

// The branches after which no selection is left.
bool EndsSelection(Commit branch) {
  return branch == Commit::Region || branch == Commit::RedEye || branch == Commit::DeleteSelection ||
         branch == Commit::Shape;
}

}  // namespace

ToolCommit::Input Imageqzviewer::CommitInput() const {
  return {.picture = *ImgDIB.DIB(),
          .mode = m_mode,
          .value = m_slider.value,
          .max = m_slider.max,
          .displayed = DisplayedRect(),
          .displaySize = m_view.displaySize,
          .press = m_ptr.press,
          .current = m_ptr.current,
          .lightPoint = m_irradiationPoint,
          .pickedColour = m_pickColor2,
          .clock = m_effectClock,
          .selection = m_rects.Handles[0],
          .pickedColour1 = m_pickColor1,
          .gradientPoint = m_ptr.gradientPoint,
          .fillStyle = ModPublic::VectorFillStyle,
          .select = m_select.get(),
          .previousMode = m_previousMode,
          .shapeStart = m_ptr.shapeStart,
          .shapeEnd = m_ptr.shapeEnd,
          .lineWidth = m_lineWidth,
          .shift = m_ptr.shift,
          .stamp = &m_stamp.picture,
          .seenParticles = &m_seenParticles};
}

void Imageqzviewer::SaveUndo() {
  if (!hasImage()) {
    return;
  }
  const ToolModes::ToolMode& row = ToolModes::Row(m_mode);
  if (row.commit != Commit::NoBranch) {
    const ToolCommit::Renderer render = ToolCommit::RendererFor(row.commit);
    if (render == nullptr) {
      return;  // the tool that draws this branch is not built: nothing to commit
    }
    const Forms::HourglassCursor busy;
    if (row.commit == Commit::DeleteSelection) {
      WaitForStampFiles();  // the cut rewrites the stamp temporary file
    }
    const TextLayer::Text text = TextLayerState();
    ToolCommit::Input input = CommitInput();
    input.text = &text;
    AddCalendarLayer(input);
    const QImage edited = render(input);
    if (edited.isNull() || edited.size().isEmpty()) {
      return;  // nothing could be made: the picture and its flags stay as they were
    }
    if (row.fitOffOnCommit) {
      m_view.fit = false;
    }
    if (row.commit == Commit::Resize) {
      m_view.zoom = 1.0f;
    }
    if (EndsSelection(row.commit)) {
      CleanCroprect(false);
    }
    if (m_mode == ToolModes::Mode::FloatingStamp) {
      // Burnt in: the stamp is let go; its snapshot files stay until the canvas ends.
      m_stamp.picture = QImage();
    }
    m_mode = ToolModes::Mode::Browse;
    CommitUndoStep(edited);
    if (row.commit == Commit::Layer) {
      EndLayerCommit();
    }
  }
  CommitCommonEnd();
}

void Imageqzviewer::ApplyAtOnce(ToolModes::Mode mode) {
  m_mode = mode;
  SaveUndo();
}

void Imageqzviewer::GreyEffect() { SaveUndo(); }

void Imageqzviewer::CommitCommonEnd() {
  emit ToolFinished();
  m_workingCanvas.reset();
  RefreshUndoState();
  m_appliedEffect = true;
  m_saveState = false;
}
