#include "fuzz/FuzzSupport.h"
#include "platform/gdiplus/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = FuzzSupport::Input(data, size);
  Gdip::BmpCodec::DecodeBmp(input);
  Gdip::BmpCodec::DecodePackedDib(input);
  return 0;
}
