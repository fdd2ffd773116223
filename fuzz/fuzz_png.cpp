#include "fuzz/FuzzSupport.h"
#include "platform/gdiplus/PngBands.h"
#include "platform/gdiplus/PngReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = FuzzSupport::Input(data, size);
  if (Gdip::PngReader::IsDeepWithTransparentColour(input)) {
    Gdip::PngReader::DecodeDeepWithTransparentColour(input);
  }
  Gdip::PngBands::Decode(input);
  return 0;
}
