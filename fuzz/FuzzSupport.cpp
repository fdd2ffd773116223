#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

// libFuzzer calls this once before the first input. The metafile player draws text, and
// fonts need an application object; the offscreen platform needs no display.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

namespace FuzzSupport {

QString AsFile(const std::uint8_t* data, std::size_t size, const char* name) {
  const QString path = QDir::temp().filePath(QStringLiteral("lorvane-fuzz-%1-%2").arg(getpid()).arg(QLatin1String(name)));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
    return {};
  }
  return path;
}

}  // namespace FuzzSupport
