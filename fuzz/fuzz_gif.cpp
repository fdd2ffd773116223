#include "fuzz/FuzzSupport.h"
#include "platform/gdiplus/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Gdip::GifCodec::Decode(FuzzSupport::Input(data, size));
  return 0;
}
