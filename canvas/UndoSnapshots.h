#pragma once
// The image undo history: one PNG snapshot file per position, "Undo<n>.udo", 0 to 50.
//
// Encoding a 24-megapixel picture takes longer than the user may wait after an edit, so
// a snapshot is kept in memory the moment it is recorded and written to its file by a
// worker thread. Reading a position looks in memory first, so undo and redo find the
// right picture while its file is still being written. The shown snapshot and those on
// either side of it stay in memory whole, so the next undo or redo never waits; the
// others are held compressed within a budget counted in copies of the picture, those
// nearest the shown one first, and beyond it only in their files. A second worker reads
// the next step ahead of time, never queued behind a write, and a step asked for while
// that read runs waits only for it.
//
// Every whole copy the history holds counts against MemoryBudgets::kUndoWholeCopies:
// the shown step and its neighbours, snapshots still waiting for their files, the copy
// the writer works from and the pictures being read back. When an edit or a step would
// go beyond it, the whole copies farthest from the shown step go first, compressed
// first when they are not yet; when none can go, the caller waits for the writer.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <QImage>
#include <QString>

#include "foundation/MemoryBudgets.h"

class PackedPicture;
class SnapshotFolder;

class UndoSnapshots {
 public:
  static constexpr int kLastPosition = 50;
  // Snapshots are PNG files (format 6 of the off-screen canvas's save).
  static constexpr int kPngFormat = 6;
  static constexpr int kPngQuality = 90;
  static constexpr int kDefaultPackedCopies = MemoryBudgets::kUndoPackedCopies;
  static constexpr int kWholeCopies = MemoryBudgets::kUndoWholeCopies;

  // Writes a snapshot's file; false when it could not be written.
  using FileWriter = std::function<bool(const QImage& picture, const QString& path)>;

  // The compressed copies may together take as many bytes as `packedCopies` full-size
  // copies of the picture last recorded. Snapshot files are PNG files unless another
  // writer is given (tests slow the writer down this way).
  explicit UndoSnapshots(SnapshotFolder& folder, int packedCopies = kDefaultPackedCopies,
                         FileWriter writeFile = {});
  ~UndoSnapshots();
  UndoSnapshots(const UndoSnapshots&) = delete;
  UndoSnapshots& operator=(const UndoSnapshots&) = delete;

  // The position a commit moves to from the current one: the next, but never beyond the
  // last, where each further commit replaces the newest snapshot.
  static int CommitPosition(int current);

  QString FilePath(int position) const;
  // Records the picture as the snapshot of a position and forgets every later one, so
  // redo never returns to a history that a new edit has replaced. Waits for the writer
  // when the whole copies are at their budget and none of the older ones can go.
  void Write(int position, const QImage& picture);
  // Records the picture as Write does but keeps it in memory only; its file is written
  // just before the next Write's. A picture opened and only looked at so costs no disk
  // write, and stepping back to it still works once edits follow.
  void Keep(int position, const QImage& picture);
  // Forgets every snapshot and deletes their files.
  void Clear();
  // The picture of a position: from memory, else decoded from its file. Empty when the
  // position is not held or its file cannot be read.
  std::optional<QImage> Read(int position);
  // The position one step back or forward from current and its picture, when there is
  // one to show. Undo at 0 gives position 0 again. Empty when redo is at the newest
  // snapshot or the target cannot be read: the caller then keeps what it shows.
  std::optional<std::pair<int, QImage>> Step(int current, bool isUndo);
  // Whether the snapshot of a position is held (in memory or as a file).
  bool Exists(int position) const;
  // The memory the history holds: its whole pictures and its compressed copies.
  qint64 HeldBytes() const;
  // The whole copies of the picture the history holds now, as counted against
  // kWholeCopies.
  int WholeCopies() const;
  // The number of positions held, 0 to Count() - 1.
  int Count() const { return m_newest + 1; }
  // Waits until every file operation asked for so far has been done.
  void WaitForWrites();
  // Writes a picture as a PNG file of its own on the writer thread, in order with the
  // snapshots' writes (the stamp's history goes through here). A file that could not be
  // written is removed, so no older picture stands in its place.
  void WriteAside(const QString& path, const QImage& picture);
  // Copies a file byte for byte on the writer thread, after the writes asked for before,
  // so the source may be one of them. A failed copy leaves no file at the target.
  void CopyAside(const QString& source, const QString& target);
  // Runs work on the writer thread after the file operations asked for before it (the
  // stamp's history removes its old files so, behind their writes still queued).
  void RunAside(std::function<void()> work);
  // Called on the worker thread with the reason when a snapshot write fails, once until
  // a write succeeds again. From then on snapshots that never reached their file are
  // let go too, oldest first, to stay within the budget; the one last shown stays.
  void OnWriteFailure(std::function<void(const QString& reason)> handler);

 private:
  enum class JobKind { Write, RemoveFrom, Load, Pack, WriteAside, CopyAside, RunAside };
  struct Job {
    JobKind kind;
    int position;
    std::uint64_t generation;
    QImage picture;
    QString path{};    // the file WriteAside or CopyAside makes
    QString source{};  // the file CopyAside copies
    std::function<void()> work{};  // what RunAside runs
  };
  // A whole picture away from the shown step is compressed once before it is let go: on
  // the writer thread, or at once on a thread that needs its room. One safe in its file
  // goes without when the compressed copies have no room for it.
  enum class Packing { NotAsked, Asked, InHand, Done };
  struct Held {
    QImage picture;  // null while only the compressed copy is held
    std::shared_ptr<const PackedPicture> packed;
    std::uint64_t generation;
    bool written;  // the file holds it too, so memory may let it go
    Packing packing = Packing::NotAsked;
  };
  // A thread and the jobs waiting for it.
  struct Worker {
    std::deque<Job> jobs;
    bool busy = false;
    int position = -1;  // the position of the job it is doing
    QImage picture;     // the whole picture that job works from, counted while it does
    std::thread thread;
  };

  // Records the picture of a position in memory; returns its generation.
  std::uint64_t Record(int position, const QImage& picture);
  // Queues the write of the kept position, unless `position` replaces it.
  void WriteKept(int position);
  void Enqueue(Job job);
  void EnqueueLocked(Job job);
  void Run(Worker& worker);
  void Perform(Job& job);
  void WriteFile(const Job& job);
  void WriteAsideFile(const Job& job);
  void Pack(const Job& job);
  // Compresses the whole picture of a position, unless that is being done already, and
  // lets the whole copy go once it is safe. Called with the lock held; lets go of it
  // while compressing.
  void PackNow(std::unique_lock<std::mutex>& lock, int position, std::uint64_t generation);
  // Asks for compressed copies of the whole pictures away from the shown step.
  void PackFartherSteps();
  void RemoveFilesFrom(int position) const;
  void LoadAhead(const Job& job);
  // The picture of a position from its compressed copy, else from its file.
  QImage Restore(int position, const std::shared_ptr<const PackedPicture>& packed) const;
  // Holds a picture read back for a position, unless a newer recording replaced it or,
  // for a read-ahead, the shown step has moved away from it meanwhile.
  enum class Wanted { Always, NearTheShownStep };
  void Hold(int position, std::uint64_t generation, const QImage& picture, Wanted wanted);
  // The whole picture held for a position, or null.
  const QImage* Whole(int position) const;
  void Forget(int fromPosition);
  // The shown step and its neighbours, held whole whatever their size.
  bool HeldWhole(int position) const;
  // Whether a whole picture away from the shown step may go: it is safe elsewhere, or
  // nothing more can be done for it.
  bool MayLetWholeGo(const Held& held) const;
  int WholeCopiesLocked() const;
  // Whether a compressed copy of a position, foreseen from the last one made, fits the
  // budget beside the copies that would stay: those waiting for their files, which cannot
  // go, and for a picture safe in its file (which may go whole instead) those nearer the
  // shown step.
  bool PackedCopyFits(int position, bool written) const;
  // The whole picture that may go to make room: away from the shown step, not the one the
  // writer works from, and safe in its file or able to be compressed; the farthest first.
  std::map<int, Held>::iterator SpareWhole();
  // Lets whole copies go until `adding` more fit kWholeCopies. When none can go, waits for
  // the other workers to free one; returns false when they have nothing left to free.
  bool MakeRoom(std::unique_lock<std::mutex>& lock, int adding);
  void Trim();
  void TrimPacked(const std::function<bool(const Held&)>& mayGo,
                  const std::function<bool(int a, int b)>& goesBefore);
  QString WriteFailureReason() const;
  void ReportWrite(bool written);
  void Prefetch(int position);

  SnapshotFolder& m_folder;
  const int m_packedCopies;
  const FileWriter m_writeFile;
  qint64 m_pictureBytes = 0;  // the size of the picture last recorded, the budget's unit
  qint64 m_lastPackedBytes = 0;  // the size of the compressed copy last made; guarded by m_mutex
  int m_newest = -1;
  int m_focus = 0;  // the position last shown; memory keeps its neighbours longest
  int m_kept = -1;  // the position recorded by Keep and not yet queued for writing
  bool m_writesFailing = false;  // the last write failed; guarded by m_mutex
  std::function<void(const QString&)> m_onWriteFailure;
  std::uint64_t m_nextGeneration = 1;
  std::map<int, std::uint64_t> m_generations;  // the current recording of each position

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_idle;
  std::map<int, Held> m_held;
  int m_restoring = 0;  // pictures being read back from compressed copies or files
  Worker m_writer;  // writes and removes files, in order
  Worker m_reader;  // reads the next step ahead; only the newest read waits
  bool m_stopping = false;
};
