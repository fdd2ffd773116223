#include "canvas/StampSnapshots.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

#include "canvas/SnapshotFolder.h"
#include "canvas/UndoSnapshots.h"

namespace {

// Deletes the stamp snapshot files of a folder from a position on.
void RemoveFiles(const QString& folderPath, int position) {
  static const QRegularExpression name(QStringLiteral("^StampUndo(\\d+)\\.sudo$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const QDir folder(folderPath);
  for (const QString& file : folder.entryList({QStringLiteral("*.sudo")}, QDir::Files)) {
    const auto match = name.match(file);
    if (match.hasMatch() && match.captured(1).toInt() >= position) {
      QFile::remove(folder.filePath(file));
    }
  }
}

}  // namespace

QString StampSnapshots::FilePath(int position) const {
  return m_folder.Path() + QStringLiteral("StampUndo%1.sudo").arg(position);
}

int StampSnapshots::Count() {
  WaitForWrites();
  return int(QDir(m_folder.Path()).entryList({QStringLiteral("*.sudo")}, QDir::Files).size());
}

QString StampSnapshots::CurrentFile() {
  WaitForWrites();
  return FilePath(m_index);
}

void StampSnapshots::WaitForWrites() {
  if (!m_asked.empty() || m_handedOver || m_oldFilesGoing) {
    m_writer.WaitForWrites();
    m_asked.clear();
    m_handedOver.reset();
    m_oldFilesGoing = false;
  }
}

bool StampSnapshots::Held(int position) const {
  return position >= 0 &&
         (m_asked.count(position) != 0 || (!m_oldFilesGoing && QFile::exists(FilePath(position))));
}

void StampSnapshots::HandOver(const QString& file, const QImage& picture) {
  // A folder that cannot be made fails the write, which tells the user.
  QDir().mkpath(QFileInfo(file).absolutePath());
  // A hand-over still queued is written first and this one over it.
  m_handedOver = HandedOver{file, picture};
  m_writer.WriteAside(file, picture);
}

QImage StampSnapshots::Picture(const QString& file) {
  if (m_handedOver && m_handedOver->file == file) {
    if (!m_handedOver->picture.isNull()) {
      return std::exchange(m_handedOver->picture, QImage());
    }
    WaitForWrites();
  }
  return QImage(file);
}

bool StampSnapshots::Start(const QString& stampFile) {
  m_index = 0;
  if (m_handedOver && m_handedOver->file == stampFile) {
    // The old history's files go on the writer thread behind its writes still queued,
    // so a paste right after a stamp edit or a burn-in does not wait for them.
    m_writer.RunAside([folder = m_folder.Path()] { RemoveFiles(folder, 0); });
    m_oldFilesGoing = true;
    m_asked.clear();
    if (!m_folder.Ensure()) {
      return false;
    }
    m_asked.insert(0);
    m_writer.CopyAside(stampFile, FilePath(0));
    return true;
  }
  // A write or removal still queued for the old stamp must not land after the copy.
  WaitForWrites();
  RemoveFrom(0);
  if (!m_folder.Ensure()) {
    return false;
  }
  // The copy refuses to replace a file, so the old position 0 went first.
  return QFile::copy(stampFile, FilePath(0));
}

bool StampSnapshots::Push(const QImage& stamp) {
  if (stamp.isNull() || !m_folder.Ensure()) {
    return false;
  }
  ++m_index;
  // Every write queued before is for this position or an earlier one: a step back waits
  // for them, so none of a replaced later position is still to come.
  RemoveFrom(m_index + 1);
  m_asked.erase(m_asked.upper_bound(m_index), m_asked.end());
  m_asked.insert(m_index);
  m_writer.WriteAside(FilePath(m_index), stamp);
  return true;
}

bool StampSnapshots::Step(bool isUndo, const std::function<bool(const QString&)>& load) {
  WaitForWrites();
  const int target = std::max(isUndo ? m_index - 1 : m_index + 1, 0);
  if (!QFile::exists(FilePath(target)) || !load(FilePath(target))) {
    return false;
  }
  m_index = target;
  return true;
}

bool StampSnapshots::CanUndo() const { return m_index != 0 && Held(m_index - 1); }
bool StampSnapshots::CanRedo() const { return Held(m_index + 1); }

void StampSnapshots::Clear() {
  WaitForWrites();
  m_index = 0;
  RemoveFrom(0);
}

void StampSnapshots::RemoveFrom(int position) const { RemoveFiles(m_folder.Path(), position); }
