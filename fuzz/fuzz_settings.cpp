// The settings file reader: every input is the whole file, read back for one value.
#include <QDir>
#include <QFile>

#include "fuzz/FuzzSupport.h"
#include "platform/Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString path = QDir::temp().filePath(QStringLiteral("lorvane-fuzz-settings-%1.ini").arg(getpid()));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      return 0;
    }
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  Registry::SetFilePath(path);
  Registry::QueryValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", u"JpegQuality");
  Registry::QueryValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane\\Skin", u"Name");
  return 0;
}
