#include "foundation/ModPublic.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "foundation/MainWindowServices.h"
#include "platform/Shell.h"
#include "platform/forms/MsgBox.h"

namespace ModPublic {

namespace {

QString g_programFolder;

// The folders the program keeps beside itself.
const QStringList& DataFolderNames() {
  static const QStringList names{QStringLiteral("Datas"), QStringLiteral("Librarians"), QStringLiteral("ScrDatas"),
                                 QStringLiteral("Help")};
  return names;
}

// Copies the files of one folder tree into another, leaving files that are already there.
void SeedFolder(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    const QString target = to + "/" + QDir(from).relativeFilePath(file);
    if (!QFileInfo::exists(target)) {
      QDir().mkpath(QFileInfo(target).absolutePath());
      // A file that cannot be copied is left out: the program then runs without it.
      QFile::copy(file, target);
    }
  }
}

}  // namespace

QString ChooseProgramFolder(const QString& executableFolder, const QString& userDataFolder) {
  if (QFileInfo(executableFolder).isWritable()) {
    return AddBackslash(executableFolder);
  }
  const QString folder = AddBackslash(userDataFolder) + QStringLiteral("lorvane/");
  for (const QString& name : DataFolderNames()) {
    SeedFolder(executableFolder + "/" + name, folder + name);
  }
  return folder;
}

QString ProgramFolder() {
  if (g_programFolder.isEmpty()) {
    const QString userData = qEnvironmentVariableIsEmpty("XDG_DATA_HOME")
                                 ? QDir::homePath() + QStringLiteral("/.local/share")
                                 : qEnvironmentVariable("XDG_DATA_HOME");
    g_programFolder = ChooseProgramFolder(QCoreApplication::applicationDirPath(), userData);
  }
  return g_programFolder;
}

void SetProgramFolder(const QString& folder) { g_programFolder = AddBackslash(folder); }

QString AddBackslash(const QString& path) { return path.endsWith('/') ? path : path + '/'; }

QString GetFileName(const QString& path) { return path.mid(path.lastIndexOf('/') + 1); }

QString GetExtension(const QString& path) {
  const QString name = GetFileName(path);
  return name.mid(name.lastIndexOf('.') + 1).toLower();
}

int AskSaveChanges() {
  CanvasSaveServices* canvas = MainForm ? MainForm->SingleqzPreview() : nullptr;
  if (canvas == nullptr || canvas->SaveState() || !canvas->AppliedEffect()) {
    return 0;
  }
  const int answer = Forms::MsgBox(QStringLiteral("Do you want to save the changes you've made to this image?"),
                                   Forms::vbYesNoCancel | Forms::vbInformation, QStringLiteral("Save..."));
  if (answer == Forms::vbYes && !canvas->HasFileOfItsOwn()) {
    // A new picture is named by the user first. The dialog answers later, so whatever
    // asked waits, as on Cancel, and the changes stay marked until the save.
    MainForm->SaveAsDialog();
    return Forms::vbCancel;
  }
  if (answer == Forms::vbYes) {
    // A save that wrote nothing must not count as saved: the changes stay marked and
    // the caller abandons its action as on Cancel.
    if (!canvas->SaveOnly()) {
      SayImageNotSaved();
      return Forms::vbCancel;
    }
    if (ThumbnailSheetServices* sheet = MainForm->ThumqzViewer()) {
      sheet->RefreshThumSave();
    }
  }
  if (answer != Forms::vbCancel) {
    canvas->SetAppliedEffect(false);
    canvas->SetSaveState(true);
  }
  return answer;
}

void SayImageNotSaved() {
  Forms::MsgBox(QStringLiteral("The image could not be saved. Your changes have been kept."),
                Forms::vbOKOnly | Forms::vbExclamation, QStringLiteral("Save..."));
}

void ShowHelp() {
  // A page the desktop's handler takes is its to report; with no program at all, the page is named.
  const QString page = ProgramFolder() + QStringLiteral("Help/Index.htm");
  if (!Shell::OpenDocument(page)) {
    Forms::MsgBox(QStringLiteral("No program to show the help page was found. The help page is %1").arg(page),
                  Forms::vbExclamation, QStringLiteral("Help"));
  }
}

bool RecycleFile(const QString& path) { return Shell::MoveToTrash(path); }

bool ShellCopyFiles(const QString& source, const QString& targetFolder) {
  return Shell::CopyIntoFolder(source, targetFolder);
}

bool ShellMoveFiles(const QString& source, const QString& targetFolder) {
  return Shell::MoveIntoFolder(source, targetFolder);
}

}  // namespace ModPublic
