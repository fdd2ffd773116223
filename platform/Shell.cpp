#include "platform/Shell.h"

#include <filesystem>
#include <system_error>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include "platform/forms/MsgBox.h"

namespace Shell {

namespace {

std::filesystem::path NativePath(const QString& path) { return std::filesystem::path(QFile::encodeName(path).toStdString()); }

void Report(const QString& text, const QString& title) { Forms::MsgBox(text, Forms::vbOKOnly | Forms::vbExclamation, title); }

bool AgreesToReplace(const QString& fileName) {
  const QString prompt =
      QStringLiteral("This folder already contains a file named \"%1\".\n\nDo you want to replace it?").arg(fileName);
  return Forms::MsgBox(prompt, Forms::vbYesNo | Forms::vbExclamation | Forms::vbDefaultButton2,
                       QStringLiteral("Confirm File Replace")) == Forms::vbYes;
}

bool IsSameFolder(const QString& a, const QString& b) {
  const QString left = QFileInfo(a).canonicalFilePath();
  return !left.isEmpty() && left == QFileInfo(b).canonicalFilePath();
}

// Writes the whole source beside the target and renames it over the target, so the
// target is either the old file or the complete copy, never half of one.
bool CopyReplacing(const QString& source, const QString& target) {
  QFile in(source);
  QSaveFile out(target);
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
    return false;
  }
  constexpr qint64 kChunk = qint64{1} << 20;
  while (!in.atEnd()) {
    const QByteArray chunk = in.read(kChunk);
    if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
      out.cancelWriting();
      return false;
    }
  }
  out.setPermissions(in.permissions());
  return out.commit();
}

// Checks the source and makes the target folder; returns the target path, or an empty
// string (the user told) when the operation cannot go ahead.
QString PrepareTarget(const QString& source, const QString& targetFolder, const QString& title) {
  const QFileInfo info(source);
  if (!info.isFile()) {
    Report(QStringLiteral("Cannot find \"%1\".").arg(source), title);
    return {};
  }
  if (!QDir().mkpath(targetFolder)) {
    Report(QStringLiteral("Cannot create the folder \"%1\".").arg(targetFolder), title);
    return {};
  }
  return QDir(targetFolder).filePath(info.fileName());
}

// Where Qt cannot establish a trash folder it moves the file into "files/" under the
// current folder instead and reports success. That is no trash: the file is put back.
bool PutBackFromMakeshiftTrash(const QString& original, const QString& inTrash) {
  const QFileInfo moved(inTrash);
  QDir trash = moved.dir();
  trash.cdUp();
  QFile::remove(trash.filePath(QStringLiteral("info/") + moved.fileName() + QStringLiteral(".trashinfo")));
  const bool back = QFile::rename(inTrash, original);
  trash.rmdir(QStringLiteral("info"));
  trash.rmdir(QStringLiteral("files"));
  return back;
}

// Makes a folder and each missing parent, readable by the user alone, as the XDG base
// directory rules ask of folders made under the data home.
bool MakePrivateFolders(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder, error)) {
    return true;
  }
  if (!folder.has_parent_path() || folder.parent_path() == folder || !MakePrivateFolders(folder.parent_path())) {
    return false;
  }
  std::filesystem::create_directory(folder, error);
  if (error) {
    return false;
  }
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
  return !error;
}

// Qt makes the home trash only inside a data home that exists; on a fresh account the
// data home, or a parent of it, may not be there yet.
void MakeHomeTrash() {
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (!dataHome.isEmpty()) {
    MakePrivateFolders(NativePath(QDir(dataHome).filePath(QStringLiteral("Trash"))));
  }
}

}  // namespace

QString FreeCopyName(const QString& folder, const QString& fileName) {
  const QFileInfo info(fileName);
  const bool hasSuffix = !info.suffix().isEmpty() && !info.completeBaseName().isEmpty();
  const QString base = hasSuffix ? info.completeBaseName() : fileName;
  const QString suffix = hasSuffix ? "." + info.suffix() : QString();
  const QDir dir(folder);
  QString name = base + QStringLiteral(" - Copy") + suffix;
  for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n) {
    name = base + QStringLiteral(" - Copy (%1)").arg(n) + suffix;
  }
  return name;
}

bool MoveToTrash(const QString& path) {
  const QString title = QStringLiteral("Delete File");
  const QFileInfo info(path);
  if (!info.exists()) {
    // Already gone (a batch that named the shown file twice, or another program): there
    // is nothing to ask about and nothing to report.
    return false;
  }
  const QString prompt = QStringLiteral("Are you sure you want to move \"%1\" to the Trash?").arg(info.fileName());
  if (Forms::MsgBox(prompt, Forms::vbYesNo | Forms::vbQuestion, title) != Forms::vbYes) {
    return false;
  }
  MakeHomeTrash();
  QString inTrash;
  const bool trashed = QFile::moveToTrash(path, &inTrash);
  if (trashed && QFileInfo(inTrash).isAbsolute()) {
    return true;
  }
  if (trashed && !PutBackFromMakeshiftTrash(path, inTrash)) {
    Report(QStringLiteral("\"%1\" could not be moved to the Trash; it is now in \"%2\".")
               .arg(info.fileName(), QFileInfo(inTrash).absoluteFilePath()),
           title);
    return false;
  }
  Report(QStringLiteral("\"%1\" could not be moved to the Trash, so it has not been deleted.").arg(info.fileName()),
         title);
  return false;
}

bool CopyIntoFolder(const QString& source, const QString& targetFolder) {
  const QString title = QStringLiteral("Copy File");
  QString target = PrepareTarget(source, targetFolder, title);
  if (target.isEmpty()) {
    return false;
  }
  if (IsSameFolder(QFileInfo(source).absolutePath(), targetFolder)) {
    target = QDir(targetFolder).filePath(FreeCopyName(targetFolder, QFileInfo(source).fileName()));
  } else if (QFileInfo::exists(target) && !AgreesToReplace(QFileInfo(target).fileName())) {
    return false;
  }
  if (!CopyReplacing(source, target)) {
    Report(QStringLiteral("Cannot copy \"%1\" to \"%2\".").arg(source, targetFolder), title);
    return false;
  }
  return true;
}

bool MoveIntoFolder(const QString& source, const QString& targetFolder) {
  const QString title = QStringLiteral("Move File");
  const QString target = PrepareTarget(source, targetFolder, title);
  if (target.isEmpty()) {
    return false;
  }
  if (IsSameFolder(QFileInfo(source).absolutePath(), targetFolder)) {
    return true;  // Already there: nothing to move.
  }
  if (QFileInfo::exists(target) && !AgreesToReplace(QFileInfo(target).fileName())) {
    return false;
  }
  std::error_code error;
  std::filesystem::rename(NativePath(source), NativePath(target), error);
  if (!error) {
    return true;
  }
  // Another filesystem: copy, check the copy, and only then let go of the original.
  if (error == std::errc::cross_device_link && CopyReplacing(source, target) &&
      QFileInfo(target).size() == QFileInfo(source).size()) {
    if (QFile::remove(source)) {
      return true;
    }
    Report(QStringLiteral("\"%1\" was copied to \"%2\" but could not be removed from its old place.")
               .arg(source, targetFolder),
           title);
    return false;
  }
  Report(QStringLiteral("Cannot move \"%1\" to \"%2\".").arg(source, targetFolder), title);
  return false;
}

namespace {

DocumentOpener& Opener() {
  static DocumentOpener opener;
  return opener;
}

}  // namespace

bool OpenDocument(const QString& pathOrUrl) {
  const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
  return Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
}

void SetDocumentOpener(DocumentOpener opener) { Opener() = std::move(opener); }

}  // namespace Shell
