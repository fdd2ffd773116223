#pragma once
// Helpers shared by the pixel loops of the effects module.

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>

#include "platform/ParallelRows.h"

namespace ModEffects::Loops {

// Sets round-to-nearest (halves to even) for the length of a pixel loop, so that
// RoundEven can round with two additions instead of switching modes per pixel.
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
// Adding 1.5 * 2^52 leaves no fraction bits, so the sum is rounded by the hardware in the
// current mode; this stays inline where llrint is a library call.
inline std::int64_t RoundEven(double v) {
  constexpr double kShift = 6755399441055744.0;
  constexpr double kLimit = 1.0e15;
  const double limited = v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v);
  return static_cast<std::int64_t>((limited + kShift) - kShift);
}

// Adds a real amount to whole numbers and rounds the sum, halves to even, with whole-number
// work per value: the amount's fraction decides alone, except at a half, where the parity
// of the result does. Built once per pixel, used for each channel.
class RoundedOffset {
 public:
  explicit RoundedOffset(double amount) : m_rounded(RoundEven(amount)) {
    const double rest = amount - double(m_rounded);
    m_half = rest == 0.5 || rest == -0.5;
    m_below = rest > 0 ? m_rounded : m_rounded - 1;
  }
  std::int64_t AddTo(std::int64_t whole) const {
    if (!m_half) {
      return whole + m_rounded;
    }
    const std::int64_t low = whole + m_below;
    return low + (low & 1);
  }

 private:
  std::int64_t m_rounded;
  std::int64_t m_below;
  bool m_half;
};

// Whole-number division truncating toward zero. Through doubles it is exact while the
// numerator stays below 2^53, and much faster than a 64-bit integer division.
inline std::int64_t DivideTruncating(std::int64_t numerator, std::int64_t divisor) {
  return static_cast<std::int64_t>(double(numerator) / double(divisor));
}

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

using Threads::ParallelRows;

}  // namespace ModEffects::Loops
