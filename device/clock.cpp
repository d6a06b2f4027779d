#include "device/clock.h"

#include <chrono>
#include <thread>

namespace balancer {

uint32_t VirtualClock::DelayMs(uint32_t ms) {
  ++delayCalls;
  uint32_t first = TickCount();
  // Start on the next tick edge, then wait the full count.
  nowUs_ = (nowUs_ / 1000 + 1) * 1000 + static_cast<int64_t>(ms) * 1000;
  return TickCount() - first;
}

void VirtualClock::PacingWait() {
  ++pacingCalls;
  if (frequency_ <= 0) return;
  int64_t counts = (frequency_ / 1000000) * 1000;
  nowUs_ += counts * 1000000 / frequency_;
}

namespace {
int64_t SteadyNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
}  // namespace

SteadyClock::SteadyClock() : startNs_(SteadyNs()) {}

uint32_t SteadyClock::TickCount() { return static_cast<uint32_t>((SteadyNs() - startNs_) / 1000000); }

int64_t SteadyClock::NowMicros() { return (SteadyNs() - startNs_) / 1000; }

uint32_t SteadyClock::DelayMs(uint32_t ms) {
  uint32_t first = TickCount();
  uint32_t t = first;
  while (t == first) {
    std::this_thread::sleep_for(std::chrono::microseconds(100));
    t = TickCount();
  }
  uint32_t target = t + ms;
  // Sleeping is fine here: callers rely only on the minimum time.
  while (static_cast<int32_t>(TickCount() - target) < 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return TickCount() - first;
}

void SteadyClock::PacingWait() {
  int64_t end = SteadyNs() + 1000000;
  while (SteadyNs() < end) std::this_thread::sleep_for(std::chrono::microseconds(100));
}

}  // namespace balancer
