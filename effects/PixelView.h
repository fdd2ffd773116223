#pragma once

#include <cstddef>
#include <cstdint>

class CDIB;
class QImage;

// A non-owning view of 32-bit pixels as columns x and rows y, both from 0. Row 0 is the
// bottom line of the picture (the order a DIB section stores its rows in), so picture
// line py, counted from the top, is view row Height - 1 - py. Each pixel is four bytes:
// blue, green, red, alpha. The memory belongs to whoever made the view and must outlive it.
struct PixelView {
  std::uint8_t* base = nullptr;  // view row 0
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // bytes from one view row to the next; negative over top-down memory

  bool Empty() const { return base == nullptr || width <= 0 || height <= 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // The first pixel of a view row; the row must lie inside the view.
  std::uint8_t* ViewRow(int y) const { return base + y * stride; }
  // The four bytes of a pixel, or nullptr for an index outside the view (no access is made).
  std::uint8_t* At(int x, int y) const { return Contains(x, y) ? ViewRow(y) + std::ptrdiff_t{x} * 4 : nullptr; }
  // The view row of a picture line counted from the top, and back.
  int ViewRowOfLine(int line) const { return height - 1 - line; }
};

namespace ModEffects {

// Attaches the view to a 32-bit DIB's pixels, replacing what it referred to; a DIB of
// another depth, or one without pixels, leaves the view empty.
void MapPixelArray(CDIB& dib, PixelView& view);
// Detaches the view; the pixel memory stays as it is.
void UnmapPixelArray(PixelView& view);
// A view over an upright 32-bit image (ARGB32, RGB32 or premultiplied), with the same
// bottom-up row numbering as over a DIB. Any other format gives an empty view.
PixelView ViewOfImage(QImage& image);

}  // namespace ModEffects
