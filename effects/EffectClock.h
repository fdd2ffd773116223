#pragma once

namespace ModEffects {

// The wall clock the timed effects run against, so tests can drive time themselves.
class EffectClock {
 public:
  virtual ~EffectClock() = default;
  // Marks the start of the timed work.
  virtual void Start() = 0;
  // Milliseconds since Start, on a clock that never runs backwards.
  virtual double ElapsedMs() = 0;
  // Returns once ElapsedMs has reached the time, sleeping rather than spinning.
  virtual void WaitUntil(double milliseconds) = 0;
};

// The monotonic clock of the machine.
class SteadyEffectClock final : public EffectClock {
 public:
  void Start() override;
  double ElapsedMs() override;
  void WaitUntil(double milliseconds) override;

 private:
  long long m_startNs = 0;
};

}  // namespace ModEffects
