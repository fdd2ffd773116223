#include "fuzz/FuzzSupport.h"
#include "platform/gdiplus/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = FuzzSupport::Input(data, size);
  Gdip::JpegDecoder::Decode(input);
  Gdip::JpegDecoder::Decode(input, QSize(7, 5));  // through the decoder's own scaling
  return 0;
}
