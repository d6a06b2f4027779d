// Time seam. The Win32 build reads GetTickCount and the performance counter;
// the native build uses the steady clock; tests and the in-process simulator
// use VirtualClock, where waits advance simulated time at once.
#pragma once

#include <cstdint>

namespace balancer {

class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds since an arbitrary start, wrapping like GetTickCount.
  virtual uint32_t TickCount() = 0;

  // Busy wait of at least ms milliseconds that starts on a tick edge (so a
  // 0 ms wait still waits for one edge). Does not pump messages. Returns the
  // elapsed milliseconds measured from the first tick reading.
  virtual uint32_t DelayMs(uint32_t ms) = 0;

  // Performance-counter frequency in counts per second, read once at start;
  // 0 when the platform has none.
  virtual int64_t PerformanceFrequency() = 0;

  // Busy wait of (frequency / 1000000) * 1000 counts on the performance
  // counter: one millisecond on a counter of at least 1 MHz.
  virtual void PacingWait() = 0;

  // Microseconds on a monotonic clock; the simulator integrates its physics
  // against this.
  virtual int64_t NowMicros() = 0;
};

// Simulated time for tests and the in-process simulated control. Starts at
// zero; only waits and explicit advances move it.
class VirtualClock : public Clock {
 public:
  explicit VirtualClock(int64_t performanceFrequency = 10000000) : frequency_(performanceFrequency) {}
  uint32_t TickCount() override { return static_cast<uint32_t>(nowUs_ / 1000); }
  uint32_t DelayMs(uint32_t ms) override;
  int64_t PerformanceFrequency() override { return frequency_; }
  void PacingWait() override;
  int64_t NowMicros() override { return nowUs_; }

  void AdvanceMicros(int64_t us) { nowUs_ += us; }
  void SetPerformanceFrequency(int64_t f) { frequency_ = f; }
  long delayCalls = 0;
  long pacingCalls = 0;

 private:
  int64_t nowUs_ = 0;
  int64_t frequency_;
};

// Real time on the native platform (std::chrono::steady_clock).
class SteadyClock : public Clock {
 public:
  SteadyClock();
  uint32_t TickCount() override;
  uint32_t DelayMs(uint32_t ms) override;
  int64_t PerformanceFrequency() override { return 1000000000; }
  void PacingWait() override;
  int64_t NowMicros() override;

 private:
  int64_t startNs_;
};

}  // namespace balancer
