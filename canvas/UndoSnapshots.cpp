#include "canvas/UndoSnapshots.h"

#include <malloc.h>

#include <algorithm>
#include <utility>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QFile>
#include <QRegularExpression>

#include "canvas/PackedPicture.h"
#include "canvas/SnapshotFolder.h"
#include "platform/gdiplus/AtomicFile.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace {

// The snapshot writer's compression runs on every core right after a commit, while the
// window is still drawing the new picture. At a lower priority it takes the cores the
// window leaves idle instead of competing with it; the band threads it starts inherit
// the priority. Linux keeps a nice value per thread.
void YieldToTheWindow() {
  constexpr int kBackgroundNice = 10;
  (void)setpriority(PRIO_PROCESS, id_t(gettid()), kBackgroundNice);
}

QUuid PngEncoder() {
  for (const Gdip::ImageCodecInfo& encoder : Gdip::GetImageEncoders()) {
    if (encoder.MimeType == QLatin1String("image/png")) {
      return encoder.Clsid;
    }
  }
  return {};
}

// Encoded straight from the picture: going through an off-screen canvas would hold a
// second full-size copy while the file is written. On failure the file is removed: an
// older file at the path must not come back in place of the lost one.
bool WritePng(const QImage& picture, const QString& path) {
  if (picture.isNull()) {
    return false;
  }
  const auto bitmap = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture));
  const bool written = bitmap && Gdip::SaveImageToFile(*bitmap, path, PngEncoder()) == Gdip::Status::Ok;
  if (!written) {
    QFile::remove(path);
  }
  return written;
}

// The codec's and the compressor's band threads free picture-sized buffers into heaps of
// their own, which glibc keeps unless asked: the history's memory would grow by them with
// every step.
void ReturnFreePages() { malloc_trim(0); }

}  // namespace

UndoSnapshots::UndoSnapshots(SnapshotFolder& folder, int packedCopies, FileWriter writeFile)
    : m_folder(folder), m_packedCopies(packedCopies), m_writeFile(writeFile ? std::move(writeFile) : WritePng) {}

UndoSnapshots::~UndoSnapshots() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  m_idle.notify_all();  // a read-ahead waiting for room must see the end too
  for (Worker* worker : {&m_writer, &m_reader}) {
    if (worker->thread.joinable()) {
      worker->thread.join();
    }
  }
}

int UndoSnapshots::CommitPosition(int current) { return std::min(current, kLastPosition - 1) + 1; }

QString UndoSnapshots::FilePath(int position) const {
  return m_folder.Path() + QStringLiteral("Undo%1.udo").arg(position);
}

void UndoSnapshots::Write(int position, const QImage& picture) {
  // Without a folder the snapshot still serves from memory; its write then fails.
  (void)m_folder.Ensure();
  WriteKept(position);
  const std::uint64_t generation = Record(position, picture);
  Enqueue({JobKind::RemoveFrom, position + 1, 0, {}});
  Enqueue({JobKind::Write, position, generation, {}});
}

void UndoSnapshots::Keep(int position, const QImage& picture) {
  Record(position, picture);
  m_kept = position;
  // A file left at this position or after it belongs to another picture.
  Enqueue({JobKind::RemoveFrom, position, 0, {}});
}

std::uint64_t UndoSnapshots::Record(int position, const QImage& picture) {
  std::unique_lock lock(m_mutex);
  Forget(position);
  m_pictureBytes = picture.sizeInBytes();
  m_newest = position;
  m_focus = position;
  // Room is made before the picture is taken: while the caller waits for it, the picture
  // is the caller's edit and not yet one of the history's copies.
  MakeRoom(lock, 1);
  const std::uint64_t generation = m_nextGeneration++;
  m_generations[position] = generation;
  m_held[position] = Held{picture, nullptr, generation, false, Packing::NotAsked};
  Trim();
  return generation;
}

void UndoSnapshots::WriteKept(int position) {
  const int kept = std::exchange(m_kept, -1);
  if (kept < 0 || kept >= position) {
    return;
  }
  const std::lock_guard lock(m_mutex);
  if (const auto held = m_held.find(kept); held != m_held.end()) {
    EnqueueLocked({JobKind::Write, kept, held->second.generation, {}});
  }
}

void UndoSnapshots::Clear() {
  m_kept = -1;
  {
    const std::lock_guard lock(m_mutex);
    Forget(0);
    m_newest = -1;
    m_focus = 0;
  }
  Enqueue({JobKind::RemoveFrom, 0, 0, {}});
}

std::optional<QImage> UndoSnapshots::Read(int position) {
  if (position < 0 || position > m_newest) {
    return std::nullopt;
  }
  std::shared_ptr<const PackedPicture> packed;
  std::uint64_t generation = 0;
  {
    std::unique_lock lock(m_mutex);
    // A read-ahead of this very position is waited for rather than done twice.
    m_idle.wait(lock, [&] { return !m_reader.busy || m_reader.position != position; });
    if (const QImage* whole = Whole(position)) {
      return *whole;
    }
    MakeRoom(lock, 1);
    if (const QImage* whole = Whole(position)) {
      return *whole;  // read back while room was made
    }
    if (const auto held = m_held.find(position); held != m_held.end()) {
      packed = held->second.packed;
    }
    generation = m_generations[position];
    ++m_restoring;
  }
  QImage picture = Restore(position, packed);
  Hold(position, generation, picture, Wanted::Always);
  if (picture.isNull()) {
    return std::nullopt;
  }
  return picture;
}

const QImage* UndoSnapshots::Whole(int position) const {
  const auto held = m_held.find(position);
  return held != m_held.end() && !held->second.picture.isNull() ? &held->second.picture : nullptr;
}

QImage UndoSnapshots::Restore(int position, const std::shared_ptr<const PackedPicture>& packed) const {
  if (packed) {
    return packed->Unpack();
  }
  const auto bitmap = Gdip::LoadImageFromFile(FilePath(position));
  return bitmap ? bitmap->Image() : QImage();
}

void UndoSnapshots::Hold(int position, std::uint64_t generation, const QImage& picture, Wanted wanted) {
  const std::lock_guard lock(m_mutex);
  --m_restoring;
  const auto current = m_generations.find(position);
  if (picture.isNull() || current == m_generations.end() || current->second != generation ||
      (wanted == Wanted::NearTheShownStep && !HeldWhole(position))) {
    m_idle.notify_all();  // a caller making room may go on
    return;
  }
  // A picture read back from its file is on disk by definition.
  const auto [held, added] = m_held.try_emplace(position, Held{{}, nullptr, generation, true, Packing::NotAsked});
  held->second.picture = picture;
  Trim();
}

std::optional<std::pair<int, QImage>> UndoSnapshots::Step(int current, bool isUndo) {
  const int target = std::max(isUndo ? current - 1 : current + 1, 0);
  if (target > Count() - 1) {
    return std::nullopt;
  }
  int shown = target;
  {
    // Moved first, so that room for the target is made from the steps it leaves behind.
    const std::lock_guard lock(m_mutex);
    std::swap(shown, m_focus);
  }
  auto picture = Read(target);
  if (!picture) {
    const std::lock_guard lock(m_mutex);
    m_focus = shown;
    return std::nullopt;
  }
  Prefetch(isUndo ? target - 1 : target + 1);
  return std::pair{target, std::move(*picture)};
}

bool UndoSnapshots::Exists(int position) const {
  if (position < 0 || position > m_newest) {
    return false;
  }
  {
    const std::lock_guard lock(m_mutex);
    if (m_held.count(position) != 0) {
      return true;
    }
  }
  return QFile::exists(FilePath(position));
}

int UndoSnapshots::WholeCopies() const {
  const std::lock_guard lock(m_mutex);
  return WholeCopiesLocked();
}

int UndoSnapshots::WholeCopiesLocked() const {
  int copies = m_restoring;
  bool writerShares = false;
  bool unpackAhead = false;
  for (const auto& [position, held] : m_held) {
    if (!held.picture.isNull()) {
      ++copies;
      writerShares = writerShares || held.picture.cacheKey() == m_writer.picture.cacheKey();
    }
    unpackAhead = unpackAhead || (held.picture.isNull() && !held.written && !m_writesFailing);
  }
  // The writer's own copy: one unpacked from a compressed copy to be written, or one whose
  // step was forgotten while it was written. A snapshot that waits for its file in
  // compressed form only is unpacked for the write, so its copy counts ahead of time.
  const bool writerOwn = !m_writer.picture.isNull() && !writerShares;
  return copies + (writerOwn || unpackAhead ? 1 : 0);
}

bool UndoSnapshots::PackedCopyFits(int position, bool written) const {
  if (m_packedCopies <= 0) {
    return false;
  }
  const auto nearer = [&](int other) { return std::abs(other - m_focus) < std::abs(position - m_focus); };
  qint64 total = 0;
  for (const auto& [other, held] : m_held) {
    total += held.packed && (!held.written || (written && nearer(other))) ? held.packed->SizeInBytes() : 0;
  }
  const qint64 foreseen = m_lastPackedBytes > 0 ? m_lastPackedBytes : m_pictureBytes;
  return total + foreseen <= m_packedCopies * m_pictureBytes;
}

std::map<int, UndoSnapshots::Held>::iterator UndoSnapshots::SpareWhole() {
  const auto mayGo = [&](int position, const Held& held) {
    if (held.picture.isNull() || HeldWhole(position) || held.packing == Packing::InHand ||
        held.picture.cacheKey() == m_writer.picture.cacheKey()) {
      return false;
    }
    return MayLetWholeGo(held) || held.written ||
           (held.packing != Packing::Done && PackedCopyFits(position, false));
  };
  auto victim = m_held.end();
  for (auto it = m_held.begin(); it != m_held.end(); ++it) {
    if (mayGo(it->first, it->second) &&
        (victim == m_held.end() || std::abs(it->first - m_focus) > std::abs(victim->first - m_focus))) {
      victim = it;
    }
  }
  return victim;
}

bool UndoSnapshots::MakeRoom(std::unique_lock<std::mutex>& lock, int adding) {
  while (WholeCopiesLocked() + adding > kWholeCopies) {
    const auto victim = SpareWhole();
    if (victim == m_held.end()) {
      const bool otherReader = m_reader.busy && m_reader.thread.get_id() != std::this_thread::get_id();
      const bool workersMayFree = m_writer.busy || !m_writer.jobs.empty() || otherReader;
      if (m_stopping || !workersMayFree) {
        return false;
      }
      m_idle.wait(lock);  // each file written, and each read ended, may free a copy
      continue;
    }
    Held& held = victim->second;
    if (MayLetWholeGo(held) || (held.written && !PackedCopyFits(victim->first, true))) {
      held.picture = QImage();  // safe in its file, and no room to compress it too
      Trim();
    } else {
      PackNow(lock, victim->first, held.generation);
    }
  }
  return true;
}

qint64 UndoSnapshots::HeldBytes() const {
  const std::lock_guard lock(m_mutex);
  qint64 total = 0;
  for (const auto& [position, held] : m_held) {
    total += held.picture.sizeInBytes() + (held.packed ? held.packed->SizeInBytes() : 0);
  }
  return total;
}

void UndoSnapshots::WaitForWrites() {
  std::unique_lock lock(m_mutex);
  m_idle.wait(lock, [this] {
    return m_writer.jobs.empty() && !m_writer.busy && m_reader.jobs.empty() && !m_reader.busy;
  });
}

void UndoSnapshots::WriteAside(const QString& path, const QImage& picture) {
  Enqueue({JobKind::WriteAside, -1, 0, picture, path});
}

void UndoSnapshots::CopyAside(const QString& source, const QString& target) {
  Enqueue({JobKind::CopyAside, -1, 0, {}, target, source});
}

void UndoSnapshots::RunAside(std::function<void()> work) {
  Enqueue({JobKind::RunAside, -1, 0, {}, {}, {}, std::move(work)});
}

void UndoSnapshots::Prefetch(int position) {
  if (position < 0 || position > m_newest) {
    return;
  }
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(m_mutex);
    if (const auto held = m_held.find(position); held != m_held.end() && !held->second.picture.isNull()) {
      return;
    }
    generation = m_generations[position];
  }
  Enqueue({JobKind::Load, position, generation, {}});
}

void UndoSnapshots::Forget(int fromPosition) {
  m_held.erase(m_held.lower_bound(fromPosition), m_held.end());
  m_generations.erase(m_generations.lower_bound(fromPosition), m_generations.end());
}

bool UndoSnapshots::HeldWhole(int position) const { return std::abs(position - m_focus) <= 1; }

bool UndoSnapshots::MayLetWholeGo(const Held& held) const {
  if (held.packed) {
    return true;
  }
  // While compressed copies are kept, a picture goes only once compressing it was tried.
  const bool packingSettled = m_packedCopies <= 0 || held.packing == Packing::Done;
  // One that cannot reach its file goes too: memory would otherwise fill with them.
  return packingSettled && (held.written || m_writesFailing);
}

void UndoSnapshots::Trim() {
  PackFartherSteps();
  for (auto& [position, held] : m_held) {
    if (!HeldWhole(position) && MayLetWholeGo(held)) {
      held.picture = QImage();
    }
  }
  const auto farthestFirst = [this](int a, int b) { return std::abs(a - m_focus) > std::abs(b - m_focus); };
  // Compressed copies of pictures safe elsewhere go first, the one farthest from the view
  // first; then, while writes fail, those that cannot reach their files, oldest first.
  TrimPacked([](const Held& held) { return held.written || !held.picture.isNull(); }, farthestFirst);
  if (m_writesFailing) {
    TrimPacked([](const Held&) { return true; }, [](int a, int b) { return a < b; });
  }
  std::erase_if(m_held, [](const auto& entry) { return entry.second.picture.isNull() && !entry.second.packed; });
}

void UndoSnapshots::PackFartherSteps() {
  if (m_packedCopies <= 0) {
    return;
  }
  for (auto& [position, held] : m_held) {
    if (!HeldWhole(position) && !held.picture.isNull() && held.packing == Packing::NotAsked) {
      held.packing = Packing::Asked;
      EnqueueLocked({JobKind::Pack, position, held.generation, {}});
    }
  }
}

void UndoSnapshots::TrimPacked(const std::function<bool(const Held&)>& mayGo,
                               const std::function<bool(int, int)>& goesBefore) {
  qint64 total = 0;
  for (const auto& [position, held] : m_held) {
    total += held.packed ? held.packed->SizeInBytes() : 0;
  }
  const qint64 budget = m_packedCopies * m_pictureBytes;
  while (total > budget) {
    // The copy of a picture also held whole is spare, so it goes before any other.
    const auto before = [&](const auto& a, const auto& b) {
      const bool spareA = !a->second.picture.isNull();
      const bool spareB = !b->second.picture.isNull();
      return spareA != spareB ? spareA : goesBefore(a->first, b->first);
    };
    auto victim = m_held.end();
    for (auto it = m_held.begin(); it != m_held.end(); ++it) {
      if (it->second.packed && mayGo(it->second) && (victim == m_held.end() || before(it, victim))) {
        victim = it;
      }
    }
    if (victim == m_held.end()) {
      return;
    }
    Held& held = victim->second;
    total -= held.packed->SizeInBytes();
    held.packed.reset();
    if (HeldWhole(victim->first)) {
      held.packing = Packing::NotAsked;  // compressed again should it leave the shown step's side
    }
  }
}

void UndoSnapshots::OnWriteFailure(std::function<void(const QString&)> handler) {
  const std::lock_guard lock(m_mutex);
  m_onWriteFailure = std::move(handler);
}

QString UndoSnapshots::WriteFailureReason() const {
  const QFileInfo folder(m_folder.Path());
  if (!folder.isDir() || !folder.isWritable()) {
    return QStringLiteral("the data folder cannot be written to");
  }
  // Less room than a small snapshot takes is a full disk.
  constexpr qint64 kNearlyFull = qint64{16} << 20;
  const qint64 available = QStorageInfo(folder.absoluteFilePath()).bytesAvailable();
  if (available >= 0 && available < kNearlyFull) {
    return QStringLiteral("the disk is full");
  }
  return QStringLiteral("the file could not be written");
}

void UndoSnapshots::ReportWrite(bool written) {
  std::function<void(const QString&)> handler;
  {
    const std::lock_guard lock(m_mutex);
    const bool firstFailure = !written && !m_writesFailing;
    m_writesFailing = !written;
    if (!firstFailure) {
      return;
    }
    Trim();
    handler = m_onWriteFailure;
  }
  if (handler) {
    handler(WriteFailureReason());
  }
}

void UndoSnapshots::Enqueue(Job job) {
  const std::lock_guard lock(m_mutex);
  EnqueueLocked(std::move(job));
}

void UndoSnapshots::EnqueueLocked(Job job) {
  if (m_stopping) {
    return;  // A read-ahead finishing while the history ends asks for no more work.
  }
  Worker& worker = job.kind == JobKind::Load ? m_reader : m_writer;
  if (job.kind == JobKind::Load) {
    worker.jobs.clear();  // only the step next to the newest position asked for matters
  }
  worker.jobs.push_back(std::move(job));
  if (!worker.thread.joinable()) {
    worker.thread = std::thread([this, &worker] { Run(worker); });
  }
  m_wake.notify_all();
}

void UndoSnapshots::Run(Worker& worker) {
  if (&worker == &m_writer) {
    YieldToTheWindow();
  }
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [&] { return m_stopping || !worker.jobs.empty(); });
      if (m_stopping) {
        return;
      }
      job = std::move(worker.jobs.front());
      worker.jobs.pop_front();
      worker.busy = true;
      worker.position = job.position;
    }
    Perform(job);
    ReturnFreePages();
    {
      const std::lock_guard lock(m_mutex);
      worker.busy = false;
      worker.position = -1;
      worker.picture = QImage();
    }
    m_idle.notify_all();
  }
}

void UndoSnapshots::Perform(Job& job) {
  switch (job.kind) {
    case JobKind::Write:
      WriteFile(job);
      break;
    case JobKind::RemoveFrom:
      RemoveFilesFrom(job.position);
      break;
    case JobKind::Load:
      LoadAhead(job);
      break;
    case JobKind::Pack:
      Pack(job);
      break;
    case JobKind::WriteAside:
    case JobKind::CopyAside:
      WriteAsideFile(job);
      break;
    case JobKind::RunAside:
      job.work();
      break;
  }
}

void UndoSnapshots::WriteFile(const Job& job) {
  std::shared_ptr<const PackedPicture> packed;
  {
    const std::lock_guard lock(m_mutex);
    const auto held = m_held.find(job.position);
    if (held == m_held.end() || held->second.generation != job.generation) {
      return;  // A later edit or a new picture has replaced this snapshot, or it was let go.
    }
    m_writer.picture = held->second.picture;
    packed = held->second.packed;
  }
  if (m_writer.picture.isNull()) {
    QImage unpacked = packed ? packed->Unpack() : QImage();
    const std::lock_guard lock(m_mutex);
    m_writer.picture = std::move(unpacked);
  }
  const bool written = m_writeFile(m_writer.picture, FilePath(job.position));
  ReportWrite(written);
  const std::lock_guard lock(m_mutex);
  const auto held = m_held.find(job.position);
  if (written && held != m_held.end() && held->second.generation == job.generation) {
    held->second.written = true;
    Trim();
  }
  // Unwritten, the picture stays in memory while the budget lets it.
}

void UndoSnapshots::WriteAsideFile(const Job& job) {
  const bool written = job.kind == JobKind::WriteAside ? WritePng(job.picture, job.path)
                                                       : Gdip::CopyFileAtomically(job.source, job.path);
  if (!written) {
    QFile::remove(job.path);
  }
  // The user hears of a failing disk once, whichever file found it.
  ReportWrite(written);
}

void UndoSnapshots::RemoveFilesFrom(int position) const {
  static const QRegularExpression name(QStringLiteral("^Undo(\\d+)\\.udo$"), QRegularExpression::CaseInsensitiveOption);
  const QDir folder(m_folder.Path());
  for (const QString& file : folder.entryList({QStringLiteral("*.udo")}, QDir::Files)) {
    const auto match = name.match(file);
    if (match.hasMatch() && match.captured(1).toInt() >= position) {
      QFile::remove(folder.filePath(file));
    }
  }
}

void UndoSnapshots::Pack(const Job& job) {
  std::unique_lock lock(m_mutex);
  PackNow(lock, job.position, job.generation);
}

void UndoSnapshots::PackNow(std::unique_lock<std::mutex>& lock, int position, std::uint64_t generation) {
  const auto current = [&] {
    const auto held = m_held.find(position);
    return held != m_held.end() && held->second.generation == generation ? held : m_held.end();
  };
  auto held = current();
  if (held == m_held.end() || held->second.picture.isNull() || held->second.packing == Packing::InHand) {
    return;
  }
  if (held->second.packing != Packing::Done && m_packedCopies > 0) {
    held->second.packing = Packing::InHand;
    const QImage picture = held->second.picture;
    lock.unlock();
    auto packed = std::make_shared<const PackedPicture>(PackedPicture::Pack(picture));
    ReturnFreePages();
    lock.lock();
    held = current();
    if (held == m_held.end()) {
      return;
    }
    held->second.packing = Packing::Done;
    if (!packed->IsNull()) {
      m_lastPackedBytes = packed->SizeInBytes();
      held->second.packed = std::move(packed);
    }
  }
  Trim();
}

void UndoSnapshots::LoadAhead(const Job& job) {
  std::shared_ptr<const PackedPicture> packed;
  {
    std::unique_lock lock(m_mutex);
    const auto wanted = [&] {
      const auto current = m_generations.find(job.position);
      return current != m_generations.end() && current->second == job.generation && HeldWhole(job.position) &&
             !Whole(job.position);
    };
    // A step that has gone past this position already, or a budget that has no room for
    // it even once the writer is done, leaves the read to the step that needs it.
    if (!wanted() || !MakeRoom(lock, 1) || !wanted()) {
      return;
    }
    if (const auto held = m_held.find(job.position); held != m_held.end()) {
      packed = held->second.packed;
    }
    ++m_restoring;
  }
  // Unreadable: stepping there will find out and keep the picture shown.
  Hold(job.position, job.generation, Restore(job.position, packed), Wanted::NearTheShownStep);
}
