#include "platform/gdiplus/PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include <QImage>

#include "platform/ParallelRows.h"

namespace Gdip::PaletteQuantizer {

namespace {

// The histogram keeps 6 bits of each channel; a cell remembers the mean of the pixels
// that fell in it, so the palette is not limited to the cells' centres.
constexpr int kCellBits = 6;
constexpr int kChannelDrop = 8 - kCellBits;
constexpr std::size_t kCellCount = std::size_t{1} << (3 * kCellBits);
// The palette is chosen from about this many pixels (whole rows, evenly spread); every
// pixel is mapped afterwards. More would only cost time on large pictures.
constexpr std::size_t kSampledPixels = std::size_t{1} << 21;
// k-means converges in a handful of passes from a variance split; later passes move
// colours by less than a step.
constexpr int kRefinePasses = 6;
constexpr int kCellsPerBand = 4096;

using Colour = std::array<double, 3>;

struct Cell {
  Colour Mean;
  double Weight;
};

struct CellSums {
  std::array<std::uint64_t, 3> Sum{};
  std::uint32_t Count = 0;
};

std::size_t CellOf(QRgb pixel) {
  return (std::size_t(qRed(pixel) >> kChannelDrop) << (2 * kCellBits)) |
         (std::size_t(qGreen(pixel) >> kChannelDrop) << kCellBits) | std::size_t(qBlue(pixel) >> kChannelDrop);
}

std::vector<Cell> Histogram(const QImage& argb) {
  std::vector<CellSums> sums(kCellCount);
  const std::size_t pixels = std::size_t(argb.width()) * std::size_t(argb.height());
  const int rowStep = int(std::max<std::size_t>(1, (pixels + kSampledPixels - 1) / kSampledPixels));
  for (int y = 0; y < argb.height(); y += rowStep) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      if (qAlpha(row[x]) == 0) {
        continue;
      }
      CellSums& cell = sums[CellOf(row[x])];
      cell.Sum[0] += std::uint64_t(qRed(row[x]));
      cell.Sum[1] += std::uint64_t(qGreen(row[x]));
      cell.Sum[2] += std::uint64_t(qBlue(row[x]));
      ++cell.Count;
    }
  }
  std::vector<Cell> cells;
  for (const CellSums& s : sums) {
    if (s.Count != 0) {
      const double n = s.Count;
      cells.push_back({{double(s.Sum[0]) / n, double(s.Sum[1]) / n, double(s.Sum[2]) / n}, n});
    }
  }
  return cells;
}

// A run of cells [First, Last) that one palette colour stands for.
struct Box {
  std::size_t First;
  std::size_t Last;
  double Error = 0;  // weighted squared distance of the cells from their mean
  int Axis = 0;      // the channel of largest spread
  Colour Mean{};
};

Box Measured(std::span<const Cell> cells, std::size_t first, std::size_t last) {
  Box box{first, last};
  double weight = 0;
  Colour sum{}, squares{};
  for (std::size_t i = first; i < last; ++i) {
    weight += cells[i].Weight;
    for (int c = 0; c < 3; ++c) {
      sum[c] += cells[i].Weight * cells[i].Mean[c];
      squares[c] += cells[i].Weight * cells[i].Mean[c] * cells[i].Mean[c];
    }
  }
  double widest = -1;
  for (int c = 0; c < 3; ++c) {
    box.Mean[c] = sum[c] / weight;
    const double spread = std::max(0.0, squares[c] - sum[c] * sum[c] / weight);
    box.Error += spread;
    if (spread > widest) {
      widest = spread;
      box.Axis = c;
    }
  }
  return box;
}

// Splits a box of at least two cells at the weighted median of its widest channel.
std::pair<Box, Box> Split(std::span<Cell> cells, const Box& box) {
  const auto first = cells.begin() + std::ptrdiff_t(box.First);
  const auto last = cells.begin() + std::ptrdiff_t(box.Last);
  std::sort(first, last, [axis = box.Axis](const Cell& a, const Cell& b) { return a.Mean[axis] < b.Mean[axis]; });
  double total = 0;
  for (auto it = first; it != last; ++it) {
    total += it->Weight;
  }
  std::size_t middle = box.First + 1;
  double below = cells[box.First].Weight;
  while (middle + 1 < box.Last && below + cells[middle].Weight <= total / 2) {
    below += cells[middle].Weight;
    ++middle;
  }
  return {Measured(cells, box.First, middle), Measured(cells, middle, box.Last)};
}

std::vector<Box> VarianceSplit(std::vector<Cell>& cells, int maxColours) {
  std::vector<Box> boxes{Measured(cells, 0, cells.size())};
  while (int(boxes.size()) < maxColours) {
    const auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      return a.Error < b.Error;
    });
    if (worst->Error <= 0 || worst->Last - worst->First < 2) {
      break;
    }
    auto [low, high] = Split(cells, *worst);
    *worst = low;
    boxes.push_back(high);
  }
  return boxes;
}

int Rounded(double channel) { return std::clamp(int(std::lround(channel)), 0, 255); }

QRgb ToRgb(const Colour& c) { return qRgb(Rounded(c[0]), Rounded(c[1]), Rounded(c[2])); }

// Exact nearest palette colour: entries sorted by green, searched outward from the
// query's green until the green distance alone exceeds the best match.
class NearestColour {
 public:
  explicit NearestColour(std::span<const QRgb> palette) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
      m_entries.push_back({qGreen(palette[i]), qRed(palette[i]), qBlue(palette[i]), std::uint8_t(i)});
    }
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) { return a.G < b.G; });
    std::size_t at = 0;
    for (int g = 0; g < 256; ++g) {
      while (at < m_entries.size() && m_entries[at].G < g) {
        ++at;
      }
      m_firstAtLeast[std::size_t(g)] = at;
    }
  }

  std::uint8_t Find(int r, int g, int b) const {
    int best = INT_MAX;
    std::uint8_t found = 0;
    const auto consider = [&](const Entry& e) {
      const int dg = e.G - g;
      if (dg * dg >= best) {
        return false;
      }
      const int distance = dg * dg + (e.R - r) * (e.R - r) + (e.B - b) * (e.B - b);
      if (distance < best) {
        best = distance;
        found = e.Index;
      }
      return true;
    };
    const std::size_t start = m_firstAtLeast[std::size_t(g)];
    for (std::size_t i = start; i < m_entries.size() && consider(m_entries[i]); ++i) {
    }
    for (std::size_t i = start; i > 0 && consider(m_entries[i - 1]); --i) {
    }
    return found;
  }

 private:
  struct Entry {
    int G, R, B;
    std::uint8_t Index;
  };
  std::vector<Entry> m_entries;
  std::array<std::size_t, 256> m_firstAtLeast{};
};

// One k-means pass: each cell goes to its nearest colour, each colour to the mean of its
// cells. False when no colour moved.
bool Refine(std::span<const Cell> cells, std::vector<QRgb>& palette) {
  const NearestColour nearest(palette);
  std::vector<std::uint8_t> owner(cells.size());
  Threads::ParallelRows(
      0, int(cells.size()) - 1,
      [&](int first, int last) {
        for (int i = first; i <= last; ++i) {
          const Colour& c = cells[std::size_t(i)].Mean;
          owner[std::size_t(i)] = nearest.Find(Rounded(c[0]), Rounded(c[1]), Rounded(c[2]));
        }
      },
      kCellsPerBand);
  std::vector<Colour> sums(palette.size(), Colour{});
  std::vector<double> weights(palette.size(), 0.0);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    weights[owner[i]] += cells[i].Weight;
    for (int c = 0; c < 3; ++c) {
      sums[owner[i]][c] += cells[i].Weight * cells[i].Mean[c];
    }
  }
  bool moved = false;
  for (std::size_t k = 0; k < palette.size(); ++k) {
    // A colour no cell chose stays where it was.
    if (weights[k] > 0) {
      const QRgb mean = ToRgb({sums[k][0] / weights[k], sums[k][1] / weights[k], sums[k][2] / weights[k]});
      moved = moved || mean != palette[k];
      palette[k] = mean;
    }
  }
  return moved;
}

}  // namespace

std::vector<QRgb> ChoosePalette(const QImage& argb, int maxColours) {
  std::vector<Cell> cells = Histogram(argb);
  if (cells.empty() || maxColours <= 0) {
    return {};
  }
  std::vector<QRgb> palette;
  for (const Box& box : VarianceSplit(cells, maxColours)) {
    palette.push_back(ToRgb(box.Mean));
  }
  for (int pass = 0; pass < kRefinePasses && Refine(cells, palette); ++pass) {
  }
  return palette;
}

void MapToPalette(const QImage& argb, std::span<const QRgb> palette, std::uint8_t transparentIndex,
                  std::span<std::uint8_t> indexes) {
  const NearestColour nearest(palette);
  const std::size_t width = std::size_t(argb.width());
  const uchar* const bits = argb.constBits();
  const std::size_t stride = std::size_t(argb.bytesPerLine());
  Threads::ParallelRows(0, argb.height() - 1, [&](int first, int last) {
    for (int y = first; y <= last; ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(bits + std::size_t(y) * stride);
      std::uint8_t* out = indexes.data() + std::size_t(y) * width;
      QRgb previous = 0;
      std::uint8_t previousIndex = transparentIndex;
      for (std::size_t x = 0; x < width; ++x) {
        const QRgb pixel = row[x];
        if (pixel != previous) {
          previous = pixel;
          previousIndex =
              qAlpha(pixel) == 0 ? transparentIndex : nearest.Find(qRed(pixel), qGreen(pixel), qBlue(pixel));
        }
        out[x] = previousIndex;
      }
    }
  });
}

}  // namespace Gdip::PaletteQuantizer
