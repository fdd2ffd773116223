#pragma once
// Splits a run of independent rows over the machine's cores. Every whole-picture pixel
// loop goes through here, so each runs on all cores with the same band rules, and a band
// never holds so few rows that starting its thread costs more than it saves.

#include <algorithm>
#include <thread>
#include <vector>

namespace Threads {

inline int CoreCount() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// Runs fn(firstRow, lastRow) over bands of the rows first..last (inclusive) on all
// cores, each band at least minRowsPerBand rows. Only for work where every row is
// independent of the others; the results do not depend on how the rows were split.
template <typename BandFn>
void ParallelRows(int first, int last, BandFn fn, int minRowsPerBand = 32) {
  const int rows = last - first + 1;
  if (rows <= 0) {
    return;
  }
  const int bands = std::clamp(rows / std::max(1, minRowsPerBand), 1, CoreCount());
  std::vector<std::jthread> workers;
  workers.reserve(std::size_t(bands - 1));
  const int step = (rows + bands - 1) / bands;
  for (int band = 1; band < bands; ++band) {
    const int from = first + band * step;
    const int to = std::min(last, from + step - 1);
    if (from <= to) {
      workers.emplace_back([=, &fn] { fn(from, to); });
    }
  }
  fn(first, std::min(last, first + step - 1));
}

}  // namespace Threads
