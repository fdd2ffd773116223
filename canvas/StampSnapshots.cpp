#include "canvas/StampSnapshots.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "canvas/CanvasSave.h"
#include "canvas/SnapshotFolder.h"
#include "canvas/UndoSnapshots.h"
#include "platform/gdiplus/Bitmap.h"

QString StampSnapshots::FilePath(int position) const {
  return m_folder.Path() + QStringLiteral("StampUndo%1.sudo").arg(position);
}

int StampSnapshots::Count() const {
  return int(QDir(m_folder.Path()).entryList({QStringLiteral("*.sudo")}, QDir::Files).size());
}

bool StampSnapshots::Start(const QString& stampFile) {
  m_index = 0;
  RemoveFrom(0);
  // The copy refuses to replace a file, so the old position 0 went first.
  return m_folder.Ensure() && QFile::copy(stampFile, FilePath(0));
}

bool StampSnapshots::Push(const QImage& stamp) {
  const auto bitmap = Gdip::Bitmap::FromImage(stamp, Gdip::PixelFormatOf(stamp));
  if (!bitmap || !m_folder.Ensure() ||
      !CanvasSave::WritePicture(*bitmap, FilePath(m_index + 1), UndoSnapshots::kPngFormat,
                                UndoSnapshots::kPngQuality)) {
    return false;
  }
  ++m_index;
  RemoveFrom(m_index + 1);
  return true;
}

bool StampSnapshots::Step(bool isUndo, const std::function<bool(const QString&)>& load) {
  const int target = std::max(isUndo ? m_index - 1 : m_index + 1, 0);
  if (!QFile::exists(FilePath(target)) || !load(FilePath(target))) {
    return false;
  }
  m_index = target;
  return true;
}

bool StampSnapshots::CanUndo() const { return m_index != 0 && QFile::exists(FilePath(m_index - 1)); }
bool StampSnapshots::CanRedo() const { return QFile::exists(FilePath(m_index + 1)); }

void StampSnapshots::Clear() {
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
