// What OK does in the file task dialog: copy, move and rename the selected files, and
// check the canvas size.
#include "windows/FrmShells.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include "browse/ModFolderView.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/MsgBox.h"
#include "windows/ShellTasks.h"

bool FrmShells::CanvasMayLetGo(const QStringList& files) const {
  const CanvasSaveServices* canvas = m_host.SingleqzPreview();
  return canvas == nullptr || !files.contains(canvas->ShownFilename()) ||
         ModPublic::AskSaveChanges() != Forms::vbCancel;
}

QString FrmShells::Relocate(const QString& file, const QString& target, bool move) const {
  // The canvas lets go of the picture of a file that moves, and opens it again from
  // where it ended up (or where it stayed).
  CanvasSaveServices* canvas = m_host.SingleqzPreview();
  const bool shown = canvas != nullptr && !file.isEmpty() && canvas->ShownFilename() == file;
  if (shown) {
    canvas->DisposeImgDIB();
  }
  // QFile::rename never replaces an existing file: such a name is skipped.
  const bool done = move ? ModPublic::ShellMoveFiles(file, target) : QFile::rename(file, target);
  const QString now = !done ? file : move ? ShellTasks::JoinPath(target, ModPublic::GetFileName(file)) : target;
  if (shown) {
    canvas->ImportImage(now);
  }
  return now;
}

std::optional<QString> FrmShells::FolderInBox() const {
  const QString typed = m_textControl->text().trimmed();
  // A relative path would name a folder under wherever the program happened to start.
  if (typed.isEmpty() || !QDir::isAbsolutePath(typed) || !QFileInfo(typed).isDir()) {
    return std::nullopt;
  }
  return typed;
}

void FrmShells::StartTransfer(bool move) {
  const std::optional<QString> folder = FolderInBox();
  if (!folder) {
    Forms::MsgBox(QStringLiteral("Choose a folder with the button beside the box."),
                  Forms::vbOKOnly | Forms::vbExclamation);
    return;
  }
  const QStringList files = m_selection.Files();
  if (move && !CanvasMayLetGo(files)) {
    return;
  }
  Transfer& transfer = m_pending.emplace();
  transfer.move = move;
  transfer.folder = *folder;
  transfer.files = files;
  QTimer::singleShot(0, this, &FrmShells::TransferNext);
}

void FrmShells::TransferNext() {
  if (!m_pending) {
    return;
  }
  Transfer& transfer = *m_pending;
  if (transfer.next >= transfer.files.size()) {
    EndTransfer();
    return;
  }
  const QString file = transfer.files[transfer.next++];
  if (transfer.move) {
    Relocate(file, transfer.folder, true);
  } else {
    ModPublic::ShellCopyFiles(file, transfer.folder);
  }
  // One file per turn of the event loop: the window stays alive and can be closed.
  QTimer::singleShot(0, this, &FrmShells::TransferNext);
}

void FrmShells::EndTransfer() {
  const QString folder = m_pending->folder;
  m_pending.reset();
  ModFolderView::SelectFolderPath(folder);
  if (ThumbnailSheetServices* sheet = m_host.ThumqzViewer()) {
    sheet->Path(folder);
    sheet->RefreshThumbnail();
  }
  Finish();
}

std::optional<QString> FrmShells::TypedName() const {
  const QString name = ShellTasks::NameOrUntitled(m_textControl->text());
  if (!ShellTasks::IsPlainName(name)) {
    Forms::MsgBox(ShellTasks::NotPlainNameMessage(), Forms::vbOKOnly | Forms::vbExclamation);
    return std::nullopt;
  }
  return name;
}

bool FrmShells::RenameFiles() {
  const std::optional<QString> typed = TypedName();
  if (!typed) {
    return false;
  }
  const QString& base = *typed;
  const QStringList files = m_selection.Files();
  if (!CanvasMayLetGo(files)) {
    return false;
  }
  m_textControl->setText(base);
  const QStringList targets = ShellTasks::RenamedPaths(files, base);
  QStringList result = files;
  for (qsizetype i = 0; i < files.size(); ++i) {
    result[i] = Relocate(files[i], targets[i], false);
  }
  m_selection.SetFiles(result);
  if (ThumbnailSheetServices* sheet = m_host.ThumqzViewer()) {
    sheet->RefreshThumbnail();
  }
  return true;
}

bool FrmShells::ConfirmCanvasSize() {
  const std::optional<QSize> size = ShellTasks::ParseCanvasSize(m_textWidth->text(), m_textHeight->text());
  if (!size) {
    Forms::MsgBox(QStringLiteral("Please enter a width and a height from 1 to 20000 pixels."),
                  Forms::vbOKOnly | Forms::vbExclamation);
    return false;
  }
  m_width = size->width();
  m_height = size->height();
  return true;
}
