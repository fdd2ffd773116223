#pragma once
// The stamp tool's undo history: "StampUndo<n>.sudo" files with no upper bound. Position
// 0 is a byte copy of the stamp file as chosen; each stamp edit adds the stamp as PNG at
// the next position. Stamps are small, so the files are written at once.

#include <functional>

#include <QString>

class SnapshotFolder;
class QImage;

class StampSnapshots {
 public:
  explicit StampSnapshots(SnapshotFolder& folder) : m_folder(folder) {}

  QString FilePath(int position) const;
  int Index() const { return m_index; }
  // How many stamp snapshot files the folder holds.
  int Count() const;

  // Starts a new history at position 0 from a stamp file, deleting the old one; false
  // when the copy could not be made.
  bool Start(const QString& stampFile);
  // Records the stamp after an edit at the next position. Later positions, left from
  // before an undo, are deleted first so redo never returns to them. False when it could
  // not be written; the position then stays where it was.
  bool Push(const QImage& stamp);
  // Steps back or forward; load shows the stamp of a file and says whether it could.
  // Nothing changes when there is no such step or the file cannot be shown.
  bool Step(bool isUndo, const std::function<bool(const QString&)>& load);
  // An earlier / a later stamp snapshot exists.
  bool CanUndo() const;
  bool CanRedo() const;
  // Deletes every stamp snapshot file.
  void Clear();

 private:
  void RemoveFrom(int position) const;

  SnapshotFolder& m_folder;
  int m_index = 0;
};
