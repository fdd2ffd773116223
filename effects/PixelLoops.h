#pragma once
// Helpers shared by the pixel loops of the effects module.

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

namespace ModEffects::Loops {

// Sets round-to-nearest (halves to even) for the length of a pixel loop, so that
// RoundEven can round with one instruction instead of switching modes per pixel.
class NearestEvenRounding {
 public:
  NearestEvenRounding() : m_previous(std::fegetround()) { std::fesetround(FE_TONEAREST); }
  ~NearestEvenRounding() { std::fesetround(m_previous); }
  NearestEvenRounding(const NearestEvenRounding&) = delete;
  NearestEvenRounding& operator=(const NearestEvenRounding&) = delete;

 private:
  int m_previous;
};

// Rounds to the nearest whole number, halves to even, inside a NearestEvenRounding scope.
inline std::int64_t RoundEven(double v) { return std::llrint(v); }

inline std::uint8_t ClampByte(std::int64_t v) { return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// The largest whole number whose square is at most n (n >= 0).
inline std::int64_t IntegerSqrt(std::int64_t n) {
  auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
  while (root * root > n) {
    --root;
  }
  while ((root + 1) * (root + 1) <= n) {
    ++root;
  }
  return root;
}

// Runs fn(firstRow, lastRow) over bands of the rows first..last (inclusive) on all
// cores. Only for work where every row is independent of the others.
template <typename BandFn>
void ParallelRows(int first, int last, BandFn fn) {
  constexpr int kMinRowsPerBand = 32;
  const int rows = last - first + 1;
  if (rows <= 0) {
    return;
  }
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int bands = std::clamp(rows / kMinRowsPerBand, 1, cores);
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

}  // namespace ModEffects::Loops
