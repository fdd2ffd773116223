#include "platform/gdiplus/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Gdip {

bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  // Writes are buffered: a full disk may only show when the buffer is flushed, and the
  // commit that follows does not always notice.
  if (!writer(file) || !file.flush()) {
    // The temporary file is discarded when `file` goes; the target is not touched.
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool CopyFileAtomically(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly) || !QDir().mkpath(QFileInfo(target).absolutePath())) {
    return false;
  }
  const QByteArray bytes = in.readAll();
  return WriteFileAtomically(target, [&](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

}  // namespace Gdip
