// Clock over GetTickCount and the performance counter. The waits busy-spin
// (yielding the time slice) and never pump messages.
#pragma once

#include <cstdint>

#include "device/clock.h"

namespace balancer {

class Win32Clock : public Clock {
 public:
  // Reads the counter frequency once (0 when the platform has no counter).
  Win32Clock();
  uint32_t TickCount() override { return ReadTick(); }
  uint32_t DelayMs(uint32_t ms) override;
  int64_t PerformanceFrequency() override { return frequency_; }
  void PacingWait() override;
  int64_t NowMicros() override;

 protected:
  // Tests replace the time sources to script tick sequences.
  explicit Win32Clock(int64_t frequency) : frequency_(frequency) {}
  virtual uint32_t ReadTick();
  virtual int64_t ReadCounter();
  virtual void YieldSlice();

 private:
  int64_t frequency_ = 0;
};

// Counts of one pacing wait: (frequency / 1000000) * 1000, the per-microsecond
// count truncated first. 0 for no counter.
int64_t PacingCounts(int64_t frequency);

}  // namespace balancer
