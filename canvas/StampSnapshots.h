#pragma once
// The stamp tool's undo history: "StampUndo<n>.sudo" files with no upper bound. Position
// 0 is a byte copy of the stamp file as chosen; each stamp edit adds the stamp as PNG at
// the next position. A large stamp's PNG takes a while, so the end of a stroke does not
// wait for it: the files are written by the picture history's writer thread, and what
// reads them waits for the writes asked for so far.

#include <functional>
#include <set>

#include <QString>

class SnapshotFolder;
class QImage;
class UndoSnapshots;

class StampSnapshots {
 public:
  StampSnapshots(SnapshotFolder& folder, UndoSnapshots& writer) : m_folder(folder), m_writer(writer) {}

  QString FilePath(int position) const;
  int Index() const { return m_index; }
  // How many stamp snapshot files the folder holds, once written.
  int Count();
  // The file of the current position, once written.
  QString CurrentFile();

  // Starts a new history at position 0 from a stamp file, deleting the old one; false
  // when the copy could not be made.
  bool Start(const QString& stampFile);
  // Records the stamp after an edit at the next position and asks for its file. Later
  // positions, left from before an undo, are deleted first so redo never returns to
  // them. False when the folder cannot be made; the position then stays where it was.
  bool Push(const QImage& stamp);
  // Steps back or forward; load shows the stamp of a file and says whether it could.
  // Nothing changes when there is no such step or the file cannot be shown.
  bool Step(bool isUndo, const std::function<bool(const QString&)>& load);
  // An earlier / a later stamp snapshot exists, or its write has been asked for.
  bool CanUndo() const;
  bool CanRedo() const;
  // Deletes every stamp snapshot file.
  void Clear();

 private:
  bool Held(int position) const;
  // Waits for the writes asked for; from then on only the files count.
  void WaitForWrites();
  void RemoveFrom(int position) const;

  SnapshotFolder& m_folder;
  UndoSnapshots& m_writer;
  int m_index = 0;
  std::set<int> m_asked;  // positions whose writes were asked for and not yet waited for
};
