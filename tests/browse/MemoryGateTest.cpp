#include "browse/MemoryGate.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

TEST(MemoryGate, WorkWaitsUntilItFitsAndWorkAloneAlwaysGoes) {
  MemoryGate gate(100);
  std::atomic<bool> taken{false};
  std::thread other;
  {
    // Larger than the whole budget, but alone: it goes at once.
    const MemoryGate::Ticket large = gate.Take(150);
    // Nothing counted passes whatever is held.
    { const MemoryGate::Ticket none = gate.Take(0); }
    other = std::thread([&] {
      const MemoryGate::Ticket ticket = gate.Take(60);
      taken = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(taken);
  }
  other.join();
  EXPECT_TRUE(taken);
  // Both fit the budget together.
  const MemoryGate::Ticket first = gate.Take(50);
  const MemoryGate::Ticket second = gate.Take(50);
}
