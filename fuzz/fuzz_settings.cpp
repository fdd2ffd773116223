// The settings file reader: every input is the whole file, read back for two values.
#include "fuzz/FuzzSupport.h"
#include "platform/Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString path = FuzzSupport::AsFile(data, size, "registry.ini");
  if (path.isEmpty()) {
    return 0;
  }
  Registry::SetFilePath(path);
  Registry::QueryValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", u"JpegQuality");
  Registry::QueryValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane\\Skin", u"Name");
  return 0;
}
