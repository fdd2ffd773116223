#pragma once

#include <functional>

#include <QString>

class QIODevice;

namespace Gdip {

// Writes a file through a temporary file in the target's folder that is renamed over
// the target only when the writer returned true and every byte reached the disk.
// Otherwise the temporary file is removed and an existing target stays as it was.
bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer);

}  // namespace Gdip
