// Our own TIFF checks and reader, and Qt's reader behind them, as the program loads
// pictures and thumbnails.
#include "fuzz/FuzzSupport.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto input = FuzzSupport::Input(data, size);
  const bool tiff = size >= 4 && ((data[0] == 'I' && data[1] == 'I') || (data[0] == 'M' && data[1] == 'M'));
  if (tiff) {
    Gdip::LoadImageFromMemory(input);
    Gdip::LoadImageFromMemory(input, QSize(40, 30));
  }
  return 0;
}
