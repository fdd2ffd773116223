#include "canvas/StampSnapshots.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "canvas/SnapshotFolder.h"
#include "canvas/UndoSnapshots.h"

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
  if (!m_asked.empty()) {
    m_writer.WaitForWrites();
    m_asked.clear();
  }
}

bool StampSnapshots::Held(int position) const {
  return position >= 0 && (m_asked.count(position) != 0 || QFile::exists(FilePath(position)));
}

bool StampSnapshots::Start(const QString& stampFile) {
  // A write still queued for the old stamp must not land after the files are gone.
  WaitForWrites();
  m_index = 0;
  RemoveFrom(0);
  // The copy refuses to replace a file, so the old position 0 went first.
  return m_folder.Ensure() && QFile::copy(stampFile, FilePath(0));
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

void StampSnapshots::RemoveFrom(int position) const {
  static const QRegularExpression name(QStringLiteral("^StampUndo(\\d+)\\.sudo$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const QDir folder(m_folder.Path());
  for (const QString& file : folder.entryList({QStringLiteral("*.sudo")}, QDir::Files)) {
    const auto match = name.match(file);
    if (match.hasMatch() && match.captured(1).toInt() >= position) {
      QFile::remove(folder.filePath(file));
    }
  }
}
