#include "effects/StampFilters.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include <QImage>

#include "effects/EffectObjects.h"
#include "effects/PixelLoops.h"
#include "foundation/CDIB.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"

namespace ModEffects {

namespace {

constexpr int kMaxWeight = 4096;

struct Kernel {
  int centre = 0;
  int sign = 0;  // +1 adds the neighbours, -1 subtracts them
  int neighbours = 0;
  int divisor = 0;
};

std::optional<Kernel> KernelFor(int strength, int code) {
  Kernel k;
  switch (code) {
    case kBlurCode:
      k = {101 - strength, 1, 8, 109 - strength};
      break;
    case kSharpenCode:
      k = {109 - strength, -1, 8, 101 - strength};
      break;
    case kSoftenCode:
      k = {101 - strength, 1, 4, 105 - strength};
      break;
    default:
      return std::nullopt;
  }
  // Strengths arrive as 100, 90 and 100; anything that leaves no positive divisor has no
  // meaning, and huge weights would only make the result table grow.
  if (k.divisor <= 0 || std::abs(k.centre) > kMaxWeight || strength < -kMaxWeight) {
    return std::nullopt;
  }
  return k;
}

// Every weighted sum a kernel can produce maps through this table to its clamped
// quotient, so the pixel loop does no division.
struct QuotientTable {
  int lowest = 0;
  std::vector<std::uint8_t> values;

  explicit QuotientTable(const Kernel& k) {
    const int centreLow = std::min(0, k.centre * 255);
    const int centreHigh = std::max(0, k.centre * 255);
    lowest = centreLow + (k.sign < 0 ? -k.neighbours * 255 : 0);
    const int highest = centreHigh + (k.sign > 0 ? k.neighbours * 255 : 0);
    values.resize(std::size_t(highest - lowest + 1));
    for (int sum = lowest; sum <= highest; ++sum) {
      values[std::size_t(sum - lowest)] = Loops::ClampByte(sum / k.divisor);
    }
  }
  std::uint8_t operator()(int sum) const { return values[std::size_t(sum - lowest)]; }
};

template <bool kCross>
void ConvolveRows(const PixelView& view, const Kernel& k, const QuotientTable& quotient) {
  for (int y = 1; y <= view.height - 2; ++y) {
    const std::uint8_t* below = view.ViewRow(y - 1);
    std::uint8_t* row = view.ViewRow(y);
    const std::uint8_t* above = view.ViewRow(y + 1);
    for (int x = 1; x <= view.width - 2; ++x) {
      const int i = x * 4;
      if (row[i + 3] == 0) {
        continue;
      }
      std::uint8_t result[3];
      for (int c = 0; c < 3; ++c) {
        int around = below[i + c] + row[i - 4 + c] + row[i + 4 + c] + above[i + c];
        if constexpr (!kCross) {
          around += below[i - 4 + c] + below[i + 4 + c] + above[i - 4 + c] + above[i + 4 + c];
        }
        result[c] = quotient(k.centre * row[i + c] + k.sign * around);
      }
      std::memcpy(row + i, result, 3);
    }
  }
}

// Runs fn(sourceRow pointers, destination row, x) over the interior in parallel bands;
// source and destination are apart, so the rows are independent.
template <typename PixelFn>
void ForEachInteriorPixel(const PixelView& source, const PixelView& destination, PixelFn fn) {
  if (source.width < 3 || source.height < 3 || source.width != destination.width ||
      source.height != destination.height) {
    return;
  }
  Loops::ParallelRows(1, source.height - 2, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const std::uint8_t* below = source.ViewRow(y - 1);
      const std::uint8_t* row = source.ViewRow(y);
      const std::uint8_t* above = source.ViewRow(y + 1);
      std::uint8_t* out = destination.ViewRow(y);
      for (int i = 4; i <= (source.width - 2) * 4; i += 4) {
        if (row[i + 3] != 0) {
          fn(below + i, row + i, above + i, out + i);
        }
      }
    }
  });
}

inline std::uint8_t Max3(std::uint8_t a, std::uint8_t b, std::uint8_t c) { return std::max(a, std::max(b, c)); }

// Draws the stamp at the DIB's size into the DIB, upright. A stamp already at that size is
// copied row by row instead of being drawn.
void LoadStampIntoDIB(const Gdip::Bitmap& stamp, CDIB& dib) {
  const QSize size(dib.Width(), dib.Height());
  QImage picture = stamp.Image().size() == size ? stamp.Image()
                                                : stamp.Image().scaled(size, Qt::IgnoreAspectRatio,
                                                                       Qt::SmoothTransformation);
  picture.convertTo(QImage::Format_ARGB32);
  if (picture.size() != size) {
    return;
  }
  for (int line = 0; line < size.height(); ++line) {
    std::uint8_t* stored = dib.lpBits() + std::ptrdiff_t{size.height() - 1 - line} * dib.BytesPerScanline();
    std::memcpy(stored, picture.constScanLine(line), std::size_t(size.width()) * 4);
  }
}

// A new upright 32bpp ARGB bitmap with the DIB's pixels.
std::unique_ptr<Gdip::Bitmap> BitmapFromDIB(const CDIB& dib) {
  auto bitmap = Gdip::Bitmap::Create(dib.Width(), dib.Height(), Gdip::PixelFormat32bppARGB);
  if (!bitmap) {
    return nullptr;
  }
  const std::ptrdiff_t stride = dib.BytesPerScanline();
  const auto* topLine = reinterpret_cast<const std::byte*>(dib.lpBits() + (dib.Height() - 1) * stride);
  bitmap->WritePixels(QRect(0, 0, dib.Width(), dib.Height()), topLine, -stride);
  return bitmap;
}

// Fills the shared effect DIB with the stamp at width x height; false when that size is empty.
bool PrepareEffectDIB(const Gdip::Bitmap& stamp, float width, float height) {
  CDIB& dib = EffectDIB();
  if (!dib.Create(Numbers::RoundToInt(width), Numbers::RoundToInt(height), 32)) {
    return false;
  }
  LoadStampIntoDIB(stamp, dib);
  return true;
}

// Filters a copy of the effect DIB back into it, source and destination apart.
template <typename Filter>
std::unique_ptr<Gdip::Bitmap> MaxFilter(const Gdip::Bitmap& stamp, float width, float height, Filter filter) {
  if (!PrepareEffectDIB(stamp, width, height)) {
    return nullptr;
  }
  CDIB source;
  EffectDIB().CloneTo(source);
  PixelView& sourceView = Shared().EffectPixels;
  PixelView destinationView;
  MapPixelArray(source, sourceView);
  MapPixelArray(EffectDIB(), destinationView);
  filter(sourceView, destinationView);
  UnmapPixelArray(sourceView);
  return BitmapFromDIB(EffectDIB());
}

}  // namespace

bool Convolve3x3(const PixelView& view, int strength, int code) {
  const auto kernel = KernelFor(strength, code);
  if (!kernel) {
    return false;
  }
  const QuotientTable quotient(*kernel);
  if (kernel->neighbours == 4) {
    ConvolveRows<true>(view, *kernel, quotient);
  } else {
    ConvolveRows<false>(view, *kernel, quotient);
  }
  return true;
}

void CrossMaximum(const PixelView& source, const PixelView& destination) {
  ForEachInteriorPixel(source, destination,
                       [](const std::uint8_t* below, const std::uint8_t* p, const std::uint8_t* above, std::uint8_t* out) {
                         for (int c = 0; c < 3; ++c) {
                           out[c] = std::max(Max3(p[c - 4], p[c], p[c + 4]), std::max(below[c], above[c]));
                         }
                       });
}

void ContourSketch(const PixelView& source, const PixelView& destination) {
  ForEachInteriorPixel(source, destination,
                       [](const std::uint8_t* below, const std::uint8_t* p, const std::uint8_t* above, std::uint8_t* out) {
                         for (int c = 0; c < 3; ++c) {
                           const std::uint8_t m = Max3(Max3(below[c - 4], below[c], below[c + 4]),
                                                       Max3(p[c - 4], p[c], p[c + 4]),
                                                       Max3(above[c - 4], above[c], above[c + 4]));
                           out[c] = static_cast<std::uint8_t>(255 - (m - p[c]));
                         }
                       });
}

std::unique_ptr<Gdip::Bitmap> ConvolveStamp3x3(const Gdip::Bitmap& stamp, float width, float height, int strength,
                                               int code) {
  if (!PrepareEffectDIB(stamp, width, height)) {
    return nullptr;
  }
  PixelView& view = Shared().EffectPixels;
  MapPixelArray(EffectDIB(), view);
  Convolve3x3(view, strength, code);
  UnmapPixelArray(view);
  return BitmapFromDIB(EffectDIB());
}

std::unique_ptr<Gdip::Bitmap> MaxFilterSmall(const Gdip::Bitmap& stamp, float width, float height) {
  return MaxFilter(stamp, width, height, CrossMaximum);
}

std::unique_ptr<Gdip::Bitmap> MaxFilterLarge(const Gdip::Bitmap& stamp, float width, float height) {
  return MaxFilter(stamp, width, height, ContourSketch);
}

}  // namespace ModEffects
