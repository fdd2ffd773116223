// The star list reader: the bytes of a folder's "Lorvanelib.lvx", and the list's edits.
#include "browse/StarList.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QStringList names = StarList::Decode(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
  StarList::LowerCaseSet(names);
  StarList::Removed(StarList::Added(names, {QStringLiteral("/pictures/New.jpg")}), names.mid(0, 1));
  return 0;
}
