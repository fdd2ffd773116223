#pragma once

#include <functional>

#include <QString>

class QIODevice;

namespace Gdip {

// Writes a file through a temporary file in the target's folder that is renamed over
// the target only when the writer returned true and every byte reached the disk.
// Otherwise the temporary file is removed and an existing target stays as it was.
bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer);
// Copies a file byte for byte the same way, making the target's folder when it is missing:
// a target that exists is replaced whole or not at all.
bool CopyFileAtomically(const QString& source, const QString& target);

}  // namespace Gdip
