#pragma once
// The program's shared number rules.

#include <cstdint>

namespace Numbers {

// Rounds to the nearest whole number, halves to the even neighbour.
std::int64_t RoundHalfEven(double value);
inline int RoundToInt(double value) { return static_cast<int>(RoundHalfEven(value)); }

// The program's one pseudo-random generator: uniform in [0, 1), seeded once with a
// fixed seed, so every run repeats the same sequence.
double Rnd();

}  // namespace Numbers
