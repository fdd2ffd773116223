#pragma once
// The folder a running program keeps its undo snapshots and scratch copies in. Each
// running program has its own, named after its process, so two programs open at once
// never overwrite each other's history. A lock file beside the folder marks it as in
// use; a folder whose program ended without cleaning up is removed by the next program.

#include <memory>

#include <QString>

class QLockFile;

class SnapshotFolder {
 public:
  // The folder this process uses under a data folder, with a trailing separator.
  static QString PathFor(const QString& dataFolder);

  explicit SnapshotFolder(QString dataFolder);
  ~SnapshotFolder();
  SnapshotFolder(const SnapshotFolder&) = delete;
  SnapshotFolder& operator=(const SnapshotFolder&) = delete;

  // The folder with a trailing separator.
  QString Path() const { return PathFor(m_dataFolder); }
  // Takes the lock and creates the folder, once; false when the data folder is not writable.
  bool Ensure();
  // Deletes the folder with everything in it and lets go of the lock.
  void Remove();

 private:
  void RemoveAbandoned() const;

  QString m_dataFolder;
  std::unique_ptr<QLockFile> m_lock;
};
