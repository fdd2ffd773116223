#include "effects/StampFilters.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include <QImage>

#include "effects/EffectObjects.h"
#include "effects/PixelLoops.h"
#include "foundation/CDIB.h"
#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/PictureTransforms.h"

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
};

// The kernel's numbers as plain locals, so that the pixel loops keep them in registers
// (stores through byte pointers would otherwise force reloads from the kernel).
struct KernelRegs {
  int centre;
  int sign;
  int lowest;
  const std::uint8_t* quotient;
  std::uint8_t operator()(int centreValue, int around) const {
    return quotient[centre * centreValue + sign * around - lowest];
  }
};

// The square kernel keeps the sums of three columns as it moves right: the left column
// already holds the filtered value of the pixel before, as the in-place order requires.
// The three channels are spelt out so that their sums stay in registers.
void ConvolveSquareRow(const std::uint8_t* below, std::uint8_t* row, const std::uint8_t* above, int width,
                       const KernelRegs k) {
  const auto column = [&](int at) { return below[at] + row[at] + above[at]; };
  int left0 = column(0), left1 = column(1), left2 = column(2);
  int mid0 = column(4), mid1 = column(5), mid2 = column(6);
  const auto filter = [&](int at, int left, int& middle, int right) {
    const int old = row[at];
    const std::uint8_t value = k(old, left + middle - old + right);
    middle += value - old;
    return value;
  };
  for (int i = 4; i <= (width - 2) * 4; i += 4) {
    const int right0 = column(i + 4), right1 = column(i + 5), right2 = column(i + 6);
    if (row[i + 3] != 0) {
      const std::uint8_t b = filter(i, left0, mid0, right0);
      const std::uint8_t g = filter(i + 1, left1, mid1, right1);
      const std::uint8_t r = filter(i + 2, left2, mid2, right2);
      row[i] = b;
      row[i + 1] = g;
      row[i + 2] = r;
    }
    left0 = mid0, left1 = mid1, left2 = mid2;
    mid0 = right0, mid1 = right1, mid2 = right2;
  }
}

// The cross kernel: the left neighbour is the value just written, kept at hand.
void ConvolveCrossRow(const std::uint8_t* below, std::uint8_t* row, const std::uint8_t* above, int width,
                      const KernelRegs k) {
  int left0 = row[0], left1 = row[1], left2 = row[2];
  const auto filter = [&](int at, int left) { return k(row[at], below[at] + left + row[at + 4] + above[at]); };
  for (int i = 4; i <= (width - 2) * 4; i += 4) {
    if (row[i + 3] != 0) {
      const std::uint8_t b = filter(i, left0);
      const std::uint8_t g = filter(i + 1, left1);
      const std::uint8_t r = filter(i + 2, left2);
      row[i] = b;
      row[i + 1] = g;
      row[i + 2] = r;
    }
    left0 = row[i], left1 = row[i + 1], left2 = row[i + 2];
  }
}

// View row 1 upwards: each row sees the row below already filtered.
template <typename RowFn>
void ConvolveRows(const PixelView& view, RowFn filterRow) {
  for (int y = 1; y <= view.height - 2; ++y) {
    filterRow(view.ViewRow(y - 1), view.ViewRow(y), view.ViewRow(y + 1), view.width);
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

// Puts the stamp into the DIB at the DIB's size, upright. A stamp already at that size
// is copied row by row: drawing it would cost more than the filter and would lose the
// colour bytes of its transparent pixels, which the filters keep and feed to neighbours.
void LoadStampIntoDIB(const Gdip::Bitmap& stamp, CDIB& dib) {
  const QSize size(dib.Width(), dib.Height());
  if (stamp.Image().size() != size) {
    ModGDI::GdipImageToDIB(dib, stamp);
    return;
  }
  const QImage picture = stamp.Image().convertToFormat(QImage::Format_ARGB32);
  for (int line = 0; line < size.height(); ++line) {
    std::uint8_t* stored = dib.lpBits() + std::ptrdiff_t{size.height() - 1 - line} * dib.BytesPerScanline();
    std::memcpy(stored, picture.constScanLine(line), std::size_t(size.width()) * 4);
  }
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

// The stamp at width x height as ARGB32 pixels of its own for a filter to work in. A
// stamp already at that size is copied on every core into memory that needs no zeroing,
// the colour bytes of its transparent pixels included (the filters feed them to their
// neighbours); another is drawn at that size through the effect DIB. Null when that
// size is empty.
QImage StampPixels(const Gdip::Bitmap& stamp, float width, float height) {
  if (stamp.Image().size() == QSize(Numbers::RoundToInt(width), Numbers::RoundToInt(height))) {
    return Gdip::EditableCopy(stamp.Image());
  }
  if (!PrepareEffectDIB(stamp, width, height)) {
    return {};
  }
  const auto drawn = ModGDI::DIBToGdipBitmap(EffectDIB());
  return drawn ? drawn->Image() : QImage();
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
  return ModGDI::DIBToGdipBitmap(EffectDIB());
}

}  // namespace

bool Convolve3x3(const PixelView& view, int strength, int code) {
  const auto kernel = KernelFor(strength, code);
  if (!kernel) {
    return false;
  }
  if (view.width < 3 || view.height < 3) {
    return true;
  }
  const QuotientTable quotient(*kernel);
  const KernelRegs regs{kernel->centre, kernel->sign, quotient.lowest, quotient.values.data()};
  if (kernel->neighbours == 4) {
    ConvolveRows(view, [&](const std::uint8_t* below, std::uint8_t* row, const std::uint8_t* above, int width) {
      ConvolveCrossRow(below, row, above, width, regs);
    });
  } else {
    ConvolveRows(view, [&](const std::uint8_t* below, std::uint8_t* row, const std::uint8_t* above, int width) {
      ConvolveSquareRow(below, row, above, width, regs);
    });
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
  QImage pixels = StampPixels(stamp, width, height);
  if (pixels.isNull()) {
    return nullptr;
  }
  Convolve3x3(ViewOfImage(pixels), strength, code);
  return Gdip::Bitmap::FromImage(std::move(pixels), Gdip::PixelFormat32bppARGB);
}

std::unique_ptr<Gdip::Bitmap> MaxFilterSmall(const Gdip::Bitmap& stamp, float width, float height) {
  return MaxFilter(stamp, width, height, CrossMaximum);
}

std::unique_ptr<Gdip::Bitmap> MaxFilterLarge(const Gdip::Bitmap& stamp, float width, float height) {
  return MaxFilter(stamp, width, height, ContourSketch);
}

}  // namespace ModEffects
