// The dispatcher's file task commands: sending the picture or the floating stamp to the
// stamp library, and renaming, copying and moving the selected files.
#include <algorithm>
#include <array>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/SecondaryWindowServices.h"
#include "foundation/SkinnedControlServices.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/AtomicFile.h"
#include "windows/ShellTasks.h"

namespace MenuCommands::Handlers {

namespace {

namespace K = CommandKeys;

constexpr int kCopyTask = 0;
constexpr int kMoveTask = 1;
constexpr int kRenameTask = 2;
constexpr int kStampNameTask = 4;
constexpr int kPng = 6;
constexpr int kPngQuality = 90;
// The keys of the file dialogs, in the order of their dialog numbers.
constexpr std::array kFileDialogKeys{K::File_Open, K::File_SaveAs, K::File_Savecopy, K::File_Import, K::File_ImportLib};

// Writes the library file: the floating stamp's current snapshot, else the picture as a
// PNG. Writing a copy leaves the picture's own saved state as it was.
bool WriteLibraryFile(Imageqzviewer& canvas, const QString& file) {
  // The floating stamp as it is now, with its edits: its current snapshot.
  if (canvas.CurrentMode() == ToolModes::Mode::FloatingStamp) {
    return Gdip::CopyFileAtomically(canvas.StampSnapshotFile(), file);
  }
  const bool saved = canvas.SaveState();
  const bool written = canvas.SaveImage(file, kPng, kPngQuality);
  canvas.SetSaveState(saved);
  return written;
}

}  // namespace

std::optional<QString> LibraryFileFor(const QString& name) {
  if (!ShellTasks::IsPlainName(name)) {
    Forms::MsgBox(ShellTasks::NotPlainNameMessage(), Forms::vbExclamation);
    return std::nullopt;
  }
  const QString folder = ModPublic::AddBackslash(ModPublic::ProgramFolder()) + QStringLiteral("Librarians/");
  const QString file = folder + name + QStringLiteral(".lib");
  if (QFile::exists(file) &&
      Forms::MsgBox(QStringLiteral("The stamp \"%1\" already exists. Do you want to replace it?").arg(name),
                    Forms::vbYesNo | Forms::vbQuestion) != Forms::vbYes) {
    return std::nullopt;
  }
  QDir().mkpath(folder);
  return file;
}

void StampLibraryNameChosen(FrmMain& window, const QString& name) {
  const std::optional<QString> file = LibraryFileFor(name);
  if (!file) {
    return;
  }
  if (!WriteLibraryFile(window.Canvas(), *file)) {
    Forms::MsgBox(QStringLiteral("The stamp could not be saved."), Forms::vbExclamation);
    return;
  }
  if (SidePanelServices* panel = window.UserqzProcess1()) {
    panel->Import(*file, name);
    panel->RefreshFav();
  }
}

void SendToStampLibrary(FrmMain& window, std::string_view) {
  window.RunModalTask(kStampNameTask,
                      [&window](TaskDialogServices& dialog) { StampLibraryNameChosen(window, dialog.m_String()); });
}

void FileCommand(FrmMain& window, std::string_view key) {
  if (key == K::File_New) {
    window.StartNewImage();
    return;
  }
  const auto found = std::find(kFileDialogKeys.begin(), kFileDialogKeys.end(), key);
  if (found != kFileDialogKeys.end()) {
    window.FileDialog(int(found - kFileDialogKeys.begin()));
  }
}

void FileTask(FrmMain& window, std::string_view key) {
  TaskDialogServices& dialog = window.FileTaskDialog();
  dialog.ShowModeless();
  if (key == K::Edit_Rename) {
    dialog.SetPublicShell(kRenameTask);
    dialog.SetTextControl(ShellTasks::ProposedName(SelectedFiles::Program().At(0)));
  } else {
    dialog.SetPublicShell(key == K::Edit_Copyto ? kCopyTask : kMoveTask);
  }
  dialog.StartPaint();
}

}  // namespace MenuCommands::Handlers
