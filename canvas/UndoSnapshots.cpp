#include "canvas/UndoSnapshots.h"

#include <algorithm>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QFile>
#include <QRegularExpression>

#include "canvas/SnapshotFolder.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace {

QUuid PngEncoder() {
  for (const Gdip::ImageCodecInfo& encoder : Gdip::GetImageEncoders()) {
    if (encoder.MimeType == QLatin1String("image/png")) {
      return encoder.Clsid;
    }
  }
  return {};
}

}  // namespace

UndoSnapshots::UndoSnapshots(SnapshotFolder& folder, qint64 memoryBudget)
    : m_folder(folder), m_budget(memoryBudget) {}

UndoSnapshots::~UndoSnapshots() {
  {
    const std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  if (m_worker.joinable()) {
    m_worker.join();
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
  Enqueue({JobKind::Write, position, generation, picture});
}

void UndoSnapshots::Keep(int position, const QImage& picture) {
  Record(position, picture);
  m_kept = position;
  // A file left at this position or after it belongs to another picture.
  Enqueue({JobKind::RemoveFrom, position, 0, {}});
}

std::uint64_t UndoSnapshots::Record(int position, const QImage& picture) {
  const std::lock_guard lock(m_mutex);
  Forget(position);
  const std::uint64_t generation = m_nextGeneration++;
  m_generations[position] = generation;
  m_held[position] = Held{picture, generation, false};
  m_newest = position;
  m_focus = position;
  Trim();
  return generation;
}

void UndoSnapshots::WriteKept(int position) {
  const int kept = std::exchange(m_kept, -1);
  if (kept < 0 || kept >= position) {
    return;
  }
  Job job{JobKind::Write, kept, 0, {}};
  {
    const std::lock_guard lock(m_mutex);
    const auto held = m_held.find(kept);
    if (held == m_held.end()) {
      return;
    }
    job.generation = held->second.generation;
    job.picture = held->second.picture;
  }
  Enqueue(std::move(job));
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
  {
    const std::lock_guard lock(m_mutex);
    if (const auto held = m_held.find(position); held != m_held.end()) {
      return held->second.picture;
    }
  }
  const auto bitmap = Gdip::LoadImageFromFile(FilePath(position));
  if (!bitmap) {
    return std::nullopt;
  }
  const std::lock_guard lock(m_mutex);
  m_held[position] = Held{bitmap->Image(), m_generations[position], true};
  Trim();
  return bitmap->Image();
}

std::optional<std::pair<int, QImage>> UndoSnapshots::Step(int current, bool isUndo) {
  const int target = std::max(isUndo ? current - 1 : current + 1, 0);
  if (target > Count() - 1) {
    return std::nullopt;
  }
  auto picture = Read(target);
  if (!picture) {
    return std::nullopt;
  }
  {
    const std::lock_guard lock(m_mutex);
    m_focus = target;
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

void UndoSnapshots::WaitForWrites() {
  std::unique_lock lock(m_mutex);
  m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void UndoSnapshots::Prefetch(int position) {
  if (position < 0 || position > m_newest) {
    return;
  }
  std::uint64_t generation = 0;
  {
    const std::lock_guard lock(m_mutex);
    if (m_held.count(position) != 0) {
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

void UndoSnapshots::Trim() {
  qint64 total = 0;
  for (const auto& [position, held] : m_held) {
    total += held.picture.sizeInBytes();
  }
  // Pictures safely on disk go first, the one farthest from the view first.
  TrimWhere(
      total, [](int, const Held& held) { return held.written; },
      [this](int a, int b) { return std::abs(a - m_focus) > std::abs(b - m_focus); });
  if (m_writesFailing) {
    // Pictures that cannot reach their files go next, oldest first.
    TrimWhere(
        total, [](int, const Held& held) { return !held.written; }, [](int a, int b) { return a < b; });
  }
}

void UndoSnapshots::TrimWhere(qint64& total, const std::function<bool(int, const Held&)>& mayGo,
                              const std::function<bool(int, int)>& goesBefore) {
  while (total > m_budget) {
    auto victim = m_held.end();
    for (auto it = m_held.begin(); it != m_held.end(); ++it) {
      if (it->first != m_focus && mayGo(it->first, it->second) &&
          (victim == m_held.end() || goesBefore(it->first, victim->first))) {
        victim = it;
      }
    }
    if (victim == m_held.end()) {
      return;
    }
    total -= victim->second.picture.sizeInBytes();
    m_held.erase(victim);
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
  {
    const std::lock_guard lock(m_mutex);
    m_jobs.push_back(std::move(job));
    if (!m_worker.joinable()) {
      m_worker = std::thread([this] { Run(); });
    }
  }
  m_wake.notify_one();
}

void UndoSnapshots::Run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
      if (m_stopping) {
        return;
      }
      job = std::move(m_jobs.front());
      m_jobs.pop_front();
      m_busy = true;
    }
    Perform(job);
    {
      const std::lock_guard lock(m_mutex);
      m_busy = false;
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
  }
}

void UndoSnapshots::WriteFile(const Job& job) {
  {
    const std::lock_guard lock(m_mutex);
    const auto current = m_generations.find(job.position);
    if (current == m_generations.end() || current->second != job.generation) {
      return;  // A later edit or a new picture has replaced this snapshot already.
    }
  }
  // Encoded straight from the picture: going through an off-screen canvas would hold a
  // second full-size copy while the file is written.
  const auto bitmap = Gdip::Bitmap::FromImage(job.picture, Gdip::PixelFormatOf(job.picture));
  const QString path = FilePath(job.position);
  const bool written =
      bitmap && Gdip::SaveImageToFile(*bitmap, path, PngEncoder()) == Gdip::Status::Ok;
  if (!written) {
    // An older file of this position must not come back in place of the lost one.
    QFile::remove(path);
  }
  ReportWrite(written);
  const std::lock_guard lock(m_mutex);
  const auto held = m_held.find(job.position);
  if (written && held != m_held.end() && held->second.generation == job.generation) {
    held->second.written = true;
    Trim();
  }
  // Unwritten, the picture stays in memory while the budget lets it.
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

void UndoSnapshots::LoadAhead(const Job& job) {
  {
    const std::lock_guard lock(m_mutex);
    const auto current = m_generations.find(job.position);
    if (current == m_generations.end() || current->second != job.generation || m_held.count(job.position) != 0) {
      return;
    }
  }
  const auto bitmap = Gdip::LoadImageFromFile(FilePath(job.position));
  if (!bitmap) {
    return;  // Unreadable: stepping there will find out and keep the picture shown.
  }
  const std::lock_guard lock(m_mutex);
  const auto current = m_generations.find(job.position);
  if (current != m_generations.end() && current->second == job.generation && m_held.count(job.position) == 0) {
    m_held[job.position] = Held{bitmap->Image(), job.generation, true};
    Trim();
  }
}
