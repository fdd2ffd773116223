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
constexpr std::size_t kSampledPixels = std::size_t{1} << 19;
// k-means converges in a handful of passes from a variance split; later passes move
// colours by less than a step.
constexpr int kRefinePasses = 4;

using Colour = std::array<double, 3>;

struct Cell {
  Colour Mean;
  double Weight;
};

// The sums of a sampled picture's pixels fit 32 bits.
struct CellSums {
  std::array<std::uint32_t, 3> Sum{};
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
      cell.Sum[0] += std::uint32_t(qRed(row[x]));
      cell.Sum[1] += std::uint32_t(qGreen(row[x]));
      cell.Sum[2] += std::uint32_t(qBlue(row[x]));
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

// Splits a box at the mean of its widest channel, which takes away the most of its
// squared error of any cut across that channel's middle, in one pass over its cells.
std::pair<Box, Box> Split(std::span<Cell> cells, const Box& box) {
  const auto first = cells.begin() + std::ptrdiff_t(box.First);
  const auto last = cells.begin() + std::ptrdiff_t(box.Last);
  const auto middle =
      std::partition(first, last, [&box](const Cell& c) { return c.Mean[box.Axis] < box.Mean[box.Axis]; });
  const std::size_t cut = std::clamp<std::size_t>(std::size_t(middle - cells.begin()), box.First + 1, box.Last - 1);
  return {Measured(cells, box.First, cut), Measured(cells, cut, box.Last)};
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

using Rgb = std::array<int, 3>;

std::vector<Rgb> Channels(std::span<const QRgb> palette) {
  std::vector<Rgb> out;
  for (const QRgb colour : palette) {
    out.push_back({qRed(colour), qGreen(colour), qBlue(colour)});
  }
  return out;
}

int SquaredDistance(const Rgb& a, int r, int g, int b) {
  return (a[0] - r) * (a[0] - r) + (a[1] - g) * (a[1] - g) + (a[2] - b) * (a[2] - b);
}

// Exact nearest colour for a few thousand queries: the colours sorted by green and
// searched outward from the query's green until green alone is farther than the best.
class GreenOrderSearch {
 public:
  explicit GreenOrderSearch(std::span<const QRgb> palette) : m_colours(Channels(palette)) {
    for (std::size_t i = 0; i < m_colours.size(); ++i) {
      m_order.push_back(std::uint8_t(i));
    }
    std::stable_sort(m_order.begin(), m_order.end(),
                     [this](std::uint8_t a, std::uint8_t b) { return m_colours[a][1] < m_colours[b][1]; });
    std::size_t at = 0;
    for (int g = 0; g < 256; ++g) {
      while (at < m_order.size() && m_colours[m_order[at]][1] < g) {
        ++at;
      }
      m_firstAtLeast[std::size_t(g)] = at;
    }
  }

  std::uint8_t Find(int r, int g, int b) const {
    int best = INT_MAX;
    std::uint8_t found = 0;
    const auto consider = [&](std::uint8_t index) {
      const int dg = m_colours[index][1] - g;
      if (dg * dg >= best) {
        return false;
      }
      const int distance = SquaredDistance(m_colours[index], r, g, b);
      if (distance < best) {
        best = distance;
        found = index;
      }
      return true;
    };
    const std::size_t start = m_firstAtLeast[std::size_t(g)];
    for (std::size_t i = start; i < m_order.size() && consider(m_order[i]); ++i) {
    }
    for (std::size_t i = start; i > 0 && consider(m_order[i - 1]); --i) {
    }
    return found;
  }

 private:
  std::vector<Rgb> m_colours;
  std::vector<std::uint8_t> m_order;
  std::array<std::size_t, 256> m_firstAtLeast{};
};

// Exact nearest colour for millions of queries. The colour cube is cut into cells of 4
// steps a side, and each cell keeps only the colours that can be nearest to some point in
// it (no farther at their nearest than the best colour is at its farthest), so a query
// looks at one to a few colours, stored together with the cell's others. The lists are
// narrowed in three steps, cells of 16 from the whole palette, cells of 8 and then of 4
// from their parent's list, to keep building them cheap.
class CellSearch {
 public:
  explicit CellSearch(std::span<const QRgb> palette) : m_colours(Channels(palette)) {
    Lists all;
    for (std::size_t i = 0; i < m_colours.size(); ++i) {
      all.items.push_back(std::uint8_t(i));
    }
    all.Close();
    std::vector<Lists> slices(kSide);
    Threads::ParallelRows(
        0, kSide / 4 - 1,
        [&](int first, int last) {
          for (int coarseRed = first; coarseRed <= last; ++coarseRed) {
            FillSlices(coarseRed, all, slices);
          }
        },
        1);
    Join(slices);
  }

  std::uint8_t Find(int r, int g, int b) const {
    const std::size_t cell = (std::size_t(r >> kShift) << (2 * kCellBits)) |
                             (std::size_t(g >> kShift) << kCellBits) | std::size_t(b >> kShift);
    const Entry* entry = m_entries.data() + m_first[cell];
    const Entry* const end = m_entries.data() + m_first[cell + 1];
    std::uint8_t found = entry->index;
    int best = INT_MAX;
    for (; entry != end; ++entry) {
      const int dr = entry->r - r;
      const int dg = entry->g - g;
      const int db = entry->b - b;
      const int distance = dr * dr + dg * dg + db * db;
      // Without a branch: which colour wins is as good as random.
      const bool nearer = distance < best;
      best = nearer ? distance : best;
      found = nearer ? entry->index : found;
    }
    return found;
  }

 private:
  static constexpr int kShift = 2;
  static constexpr int kCellBits = 8 - kShift;
  static constexpr int kSide = 1 << kCellBits;  // cells a side

  // A candidate colour with its palette index, read without a second lookup.
  struct Entry {
    std::uint8_t r, g, b, index;
  };

  // The candidate lists of a run of cells, one after another: cell i's list is
  // items[starts[i], starts[i + 1]).
  struct Lists {
    std::vector<std::uint32_t> starts{0};
    std::vector<std::uint8_t> items;
    std::span<const std::uint8_t> operator[](std::size_t cell) const {
      return std::span<const std::uint8_t>(items).subspan(starts[cell], starts[cell + 1] - starts[cell]);
    }
    void Close() { starts.push_back(std::uint32_t(items.size())); }
  };

  // Appends the colours of `from` that can be nearest to a point of the cube at `low`,
  // `side` a side.
  void Narrow(std::span<const std::uint8_t> from, const Rgb& low, int side, std::vector<std::uint8_t>& out) const {
    std::array<int, 256> nearest;  // written below before it is read
    int bound = INT_MAX;
    for (std::size_t k = 0; k < from.size(); ++k) {
      const Rgb& colour = m_colours[from[k]];
      int near = 0;
      int far = 0;
      for (int c = 0; c < 3; ++c) {
        const int high = low[c] + side - 1;
        const int outside = std::max({0, low[c] - colour[c], colour[c] - high});
        const int across = std::max(colour[c] - low[c], high - colour[c]);
        near += outside * outside;
        far += across * across;
      }
      nearest[k] = near;
      bound = std::min(bound, far);
    }
    for (std::size_t k = 0; k < from.size(); ++k) {
      if (nearest[k] <= bound) {
        out.push_back(from[k]);
      }
    }
  }

  // The lists of the cells of one red step `side` wide, each narrowed from the list of
  // the cell twice its size that holds it (from the one list of `parents` for the
  // coarsest step).
  Lists Children(const Lists& parents, int red, int side) const {
    const int cells = 256 / side;
    const bool single = parents.starts.size() == 2;
    Lists children;
    children.starts.reserve(std::size_t(cells * cells) + 1);
    for (int g = 0; g < cells; ++g) {
      for (int b = 0; b < cells; ++b) {
        const std::size_t parent = single ? 0 : std::size_t((g / 2) * (cells / 2) + b / 2);
        Narrow(parents[parent], {red * side, g * side, b * side}, side, children.items);
        children.Close();
      }
    }
    return children;
  }

  void FillSlices(int coarseRed, const Lists& all, std::vector<Lists>& slices) const {
    constexpr int kFine = 1 << kShift;
    const Lists coarse = Children(all, coarseRed, 4 * kFine);
    for (int middleRed = coarseRed * 2; middleRed <= coarseRed * 2 + 1; ++middleRed) {
      const Lists middle = Children(coarse, middleRed, 2 * kFine);
      for (int red = middleRed * 2; red <= middleRed * 2 + 1; ++red) {
        slices[std::size_t(red)] = Children(middle, red, kFine);
      }
    }
  }

  // The red steps' lists as one table of cells and one run of entries.
  void Join(const std::vector<Lists>& slices) {
    std::size_t total = 0;
    for (const Lists& slice : slices) {
      total += slice.items.size();
    }
    m_entries.reserve(total);
    m_first.reserve(std::size_t(kSide) * kSide * kSide + 1);
    for (const Lists& slice : slices) {
      const auto base = std::uint32_t(m_entries.size());
      for (std::size_t cell = 0; cell + 1 < slice.starts.size(); ++cell) {
        m_first.push_back(base + slice.starts[cell]);
      }
      for (const std::uint8_t index : slice.items) {
        const Rgb& c = m_colours[index];
        m_entries.push_back({std::uint8_t(c[0]), std::uint8_t(c[1]), std::uint8_t(c[2]), index});
      }
    }
    m_first.push_back(std::uint32_t(m_entries.size()));
  }

  std::vector<Rgb> m_colours;
  std::vector<std::uint32_t> m_first;
  std::vector<Entry> m_entries;
};

// One k-means pass: each cell goes to its nearest colour, each colour to the mean of its
// cells. False when no colour moved.
bool Refine(std::span<const Cell> cells, std::vector<QRgb>& palette) {
  const GreenOrderSearch nearest(palette);
  std::vector<Colour> sums(palette.size(), Colour{});
  std::vector<double> weights(palette.size(), 0.0);
  for (const Cell& cell : cells) {
    const std::uint8_t owner = nearest.Find(Rounded(cell.Mean[0]), Rounded(cell.Mean[1]), Rounded(cell.Mean[2]));
    weights[owner] += cell.Weight;
    for (int c = 0; c < 3; ++c) {
      sums[owner][c] += cell.Weight * cell.Mean[c];
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
  for (int pass = 0; pass < kRefinePasses; ++pass) {
    if (!Refine(cells, palette)) {
      break;
    }
  }
  return palette;
}

void MapToPalette(const QImage& argb, std::span<const QRgb> palette, std::uint8_t transparentIndex,
                  std::span<std::uint8_t> indexes) {
  const CellSearch nearest(palette);
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
