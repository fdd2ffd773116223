#include "effects/EffectClock.h"

#include <chrono>
#include <thread>

namespace ModEffects {

namespace {

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void SteadyEffectClock::Start() { m_startNs = NowNs(); }

double SteadyEffectClock::ElapsedMs() { return double(NowNs() - m_startNs) / 1.0e6; }

void SteadyEffectClock::WaitUntil(double milliseconds) {
  const double left = milliseconds - ElapsedMs();
  if (left > 0) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(left));
  }
}

}  // namespace ModEffects
