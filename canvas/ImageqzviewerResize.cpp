// The canvas resize of Imageqzviewer: the task dialog asks the size and colour, and the
// picture is placed on a new one of that size as one undo step.

#include "canvas/Imageqzviewer.h"

#include <QPointer>

#include "canvas/tools/CanvasResize.h"
#include "foundation/SecondaryWindowServices.h"
#include "platform/gdiplus/Bitmap.h"

namespace {

// The task dialog's page that asks a canvas size and background colour.
constexpr int kCanvasSizePage = 3;
constexpr int kConfirmed = 1;

}  // namespace

void Imageqzviewer::ResizeCanvas(TaskDialogFactory& dialogs) {
  if (!hasImage() || m_taskDialog) {
    return;
  }
  m_taskDialog = dialogs.CreateTaskDialog();
  if (!m_taskDialog) {
    return;
  }
  m_taskDialog->SetPublicShell(kCanvasSizePage);
  m_taskDialog->StartPaint();
  m_taskDialog->ShowModal([canvas = QPointer<Imageqzviewer>(this)] {
    if (canvas) {
      canvas->FinishResizeCanvas();
    }
  });
}

void Imageqzviewer::FinishResizeCanvas() {
  const std::unique_ptr<TaskDialogServices> dialog = std::move(m_taskDialog);
  if (!dialog || dialog->ButtonState() != kConfirmed || !hasImage()) {
    return;
  }
  const QImage resized = CanvasResize::Resized(ImgDIB.DIB()->Image(), QSize(dialog->m_Rwidth(), dialog->m_Rheight()),
                                               dialog->ShellColor());
  if (resized.isNull()) {
    return;  // a size that cannot be made changes nothing
  }
  m_mode = ToolModes::Mode::Browse;
  m_view.fit = true;
  CommitUndoStep(resized);
  m_view.fit = false;
  m_view.zoom = 1.0f;
  CommitCommonEnd();
}
