#pragma once
// A clock for the timed effects that moves only when read.

#include <algorithm>

#include "effects/EffectClock.h"

namespace EffectsTest {

class FakeClock final : public ModEffects::EffectClock {
 public:
  // Every read of the elapsed time moves the clock on by step milliseconds.
  explicit FakeClock(double step) : m_step(step) {}
  void Start() override { m_now = 0; }
  double ElapsedMs() override {
    ++reads;
    const double now = m_now;
    m_now += m_step;
    return now;
  }
  void WaitUntil(double milliseconds) override {
    waitedUntil = milliseconds;
    m_now = std::max(m_now, milliseconds);
  }

  int reads = 0;
  double waitedUntil = -1;

 private:
  double m_step;
  double m_now = 0;
};

}  // namespace EffectsTest
