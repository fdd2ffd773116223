#include "fuzz/FuzzSupport.h"
#include "platform/gdiplus/MetafileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Gdip::MetafileReader::Read(FuzzSupport::Input(data, size));
  return 0;
}
