#include "foundation/Numbers.h"

#include <cfenv>
#include <cmath>
#include <random>

namespace Numbers {

std::int64_t RoundHalfEven(double value) {
  // nearbyint follows the current rounding mode, which is to-nearest-even by default;
  // set it explicitly so a library that changed it cannot change our results.
  const int previous = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(previous);
  return static_cast<std::int64_t>(rounded);
}

double Rnd() {
  static std::mt19937 engine(20240611u);
  static std::uniform_real_distribution<double> uniform(0.0, 1.0);
  return uniform(engine);
}

}  // namespace Numbers
