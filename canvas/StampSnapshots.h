#pragma once
// The stamp tool's undo history: "StampUndo<n>.sudo" files with no upper bound. Position
// 0 is a byte copy of the stamp file as chosen; each stamp edit adds the stamp as PNG at
// the next position. A large stamp's PNG takes a while, so the end of a stroke does not
// wait for it: the files are written by the picture history's writer thread, and what
// reads them waits for the writes asked for so far. A picture handed over in memory (a
// paste) is shown at once the same way: its hand-over file and position 0 are written on
// that thread, and the stamp is made from the picture while they are.

#include <functional>
#include <optional>
#include <set>

#include <QImage>
#include <QString>

class SnapshotFolder;
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

  // Asks for a picture to be written as the hand-over file in the background. Until the
  // writes are waited for, Picture gives it for that file and Start copies the file to
  // position 0 once it is written. Whatever else writes that file waits first.
  void HandOver(const QString& file, const QImage& picture);
  // The stamp picture of a file: the one handed over for it, the first time it is asked
  // for while its write is pending, else the file's (null when it cannot be read).
  QImage Picture(const QString& file);
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
  // Waits for the writes asked for; from then on only the files count.
  void WaitForWrites();

 private:
  struct HandedOver {
    QString file;
    QImage picture;  // null once the stamp has been made from it
  };

  bool Held(int position) const;
  void RemoveFrom(int position) const;

  SnapshotFolder& m_folder;
  UndoSnapshots& m_writer;
  int m_index = 0;
  std::set<int> m_asked;  // positions whose writes were asked for and not yet waited for
  std::optional<HandedOver> m_handedOver;  // its write asked for and not yet waited for
  // The last history's files are to be removed by the writer: until the writes are
  // waited for, only the positions asked for since count.
  bool m_oldFilesGoing = false;
};
