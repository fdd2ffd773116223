#pragma once
// Lets workers share a memory budget: each takes the bytes it is about to hold and waits
// while they do not fit beside those the others hold. A worker alone always goes ahead,
// so work larger than the whole budget is done too, one at a time.

#include <condition_variable>
#include <cstdint>
#include <mutex>

class MemoryGate {
 public:
  explicit MemoryGate(std::int64_t budget) : m_budget(budget) {}
  MemoryGate(const MemoryGate&) = delete;
  MemoryGate& operator=(const MemoryGate&) = delete;

  // Holds its bytes from Take until it goes.
  class Ticket {
   public:
    ~Ticket() { m_gate.Give(m_bytes); }
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;

   private:
    friend class MemoryGate;
    Ticket(MemoryGate& gate, std::int64_t bytes) : m_gate(gate), m_bytes(bytes) {}
    MemoryGate& m_gate;
    std::int64_t m_bytes;
  };

  // Waits until `bytes` fit the budget beside what is held, or nothing is held.
  [[nodiscard]] Ticket Take(std::int64_t bytes) {
    if (bytes <= 0) {
      return Ticket(*this, 0);
    }
    std::unique_lock lock(m_mutex);
    m_freed.wait(lock, [&] { return m_held == 0 || m_held + bytes <= m_budget; });
    m_held += bytes;
    return Ticket(*this, bytes);
  }

 private:
  void Give(std::int64_t bytes) {
    if (bytes <= 0) {
      return;
    }
    {
      const std::lock_guard lock(m_mutex);
      m_held -= bytes;
    }
    m_freed.notify_all();
  }

  const std::int64_t m_budget;
  std::mutex m_mutex;
  std::condition_variable m_freed;
  std::int64_t m_held = 0;
};
