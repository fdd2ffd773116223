#include "windows/ScrExport.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

ScrExport::ScrExport(QString pictureFolder, QStringList files)
    : m_folder(std::move(pictureFolder)), m_files(std::move(files)) {}

ScrExport::~ScrExport() = default;

QStringList ScrExport::FilesToExport(const QStringList& selected, bool fromOpenDialog) {
  QStringList files;
  for (const QString& file : selected) {
    if (!file.isEmpty()) {
      files << file;
    }
  }
  const bool enough = files.size() > 1 || (files.size() == 1 && fromOpenDialog);
  return enough ? files : QStringList();
}

QString ScrExport::DataName(int index) { return QStringLiteral("Scrdata%1.dat").arg(index); }

bool ScrExport::Prepare() {
  // The staging folder lives inside the picture folder, so the swap is a rename on one
  // filesystem; the screensaver lists only the folder's own files and never sees it.
  if (QDir().mkpath(m_folder)) {
    m_staging = std::make_unique<QTemporaryDir>(QDir(m_folder).filePath(QStringLiteral(".export-XXXXXX")));
  }
  if (!m_staging || !m_staging->isValid()) {
    m_staging.reset();
    m_failed = m_folder;
    return false;
  }
  return true;
}

bool ScrExport::CopyNext() {
  if (!m_staging || AtEnd()) {
    return false;
  }
  const QString& source = m_files[m_copied];
  if (!QFile::copy(source, m_staging->filePath(DataName(m_copied)))) {
    m_failed = source;
    return false;
  }
  ++m_copied;
  return true;
}

bool ScrExport::Commit() {
  if (!m_staging || !AtEnd()) {
    return false;
  }
  // Each new picture replaces its namesake in one rename, so the folder always holds a
  // whole set; old pictures beyond the new set go afterwards.
  QSet<QString> kept;
  const QDir folder(m_folder);
  for (int i = 0; i < Count(); ++i) {
    std::error_code error;
    std::filesystem::rename(m_staging->filePath(DataName(i)).toStdString(),
                            folder.filePath(DataName(i)).toStdString(), error);
    if (error) {
      m_failed = m_folder;
      return false;
    }
    kept.insert(DataName(i));
  }
  for (const QString& name : folder.entryList({QStringLiteral("*.dat")}, QDir::Files | QDir::Hidden)) {
    if (!kept.contains(name)) {
      // An old picture that cannot be removed only makes the set longer.
      QFile::remove(folder.filePath(name));
    }
  }
  return true;
}

bool ScrExport::Run() {
  if (!Prepare()) {
    return false;
  }
  while (!AtEnd()) {
    if (!CopyNext()) {
      return false;
    }
  }
  return Commit();
}
