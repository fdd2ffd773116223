#include "canvas/SnapshotFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

namespace {

const QString kPrefix = QStringLiteral("Session");

QString LockPathFor(const QString& folder) {
  QString path = folder;
  path.chop(1);  // the trailing separator
  return path + QStringLiteral(".lock");
}

}  // namespace

QString SnapshotFolder::PathFor(const QString& dataFolder) {
  return QDir(dataFolder).filePath(kPrefix + QString::number(QCoreApplication::applicationPid())) + '/';
}

SnapshotFolder::SnapshotFolder(QString dataFolder) : m_dataFolder(std::move(dataFolder)) {}

SnapshotFolder::~SnapshotFolder() { Remove(); }

bool SnapshotFolder::Ensure() {
  if (m_lock) {
    return true;
  }
  if (!QDir().mkpath(m_dataFolder)) {
    return false;
  }
  // The lock comes first: a folder is only ever seen without a live lock once its
  // program has gone, so the sweep below cannot take a folder that is being set up.
  auto lock = std::make_unique<QLockFile>(LockPathFor(Path()));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    return false;
  }
  m_lock = std::move(lock);
  // A process number can come back after a crash: anything left under it is not ours.
  QDir(Path()).removeRecursively();
  RemoveAbandoned();
  return QDir().mkpath(Path());
}

void SnapshotFolder::Remove() {
  if (!m_lock) {
    return;
  }
  QDir(Path()).removeRecursively();
  m_lock->unlock();
  m_lock.reset();
}

void SnapshotFolder::RemoveAbandoned() const {
  const QDir data(m_dataFolder);
  const QString own = QDir(Path()).dirName();
  for (const QString& name : data.entryList({kPrefix + '*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (name == own) {
      continue;
    }
    // Taking the lock succeeds only when its program no longer runs.
    QLockFile other(data.filePath(name + QStringLiteral(".lock")));
    other.setStaleLockTime(0);
    if (other.tryLock(0)) {
      QDir(data.filePath(name)).removeRecursively();
      other.unlock();
    }
  }
}
