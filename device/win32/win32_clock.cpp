#include "device/win32/win32_clock.h"

#include <windows.h>

namespace balancer {

int64_t PacingCounts(int64_t frequency) {
  if (frequency <= 0) return 0;
  return (frequency / 1000000) * 1000;
}

Win32Clock::Win32Clock() {
  LARGE_INTEGER f;
  frequency_ = QueryPerformanceFrequency(&f) ? static_cast<int64_t>(f.QuadPart) : 0;
}

uint32_t Win32Clock::ReadTick() {
  return GetTickCount();
}

int64_t Win32Clock::ReadCounter() {
  LARGE_INTEGER c;
  if (!QueryPerformanceCounter(&c)) return 0;
  return static_cast<int64_t>(c.QuadPart);
}

void Win32Clock::YieldSlice() {
  SwitchToThread();
}

uint32_t Win32Clock::DelayMs(uint32_t ms) {
  uint32_t first = ReadTick();
  // Start on a tick edge so that the wait is never cut short by a partly
  // elapsed tick; a 0 ms wait therefore still waits for one edge.
  uint32_t tick = first;
  while (tick == first) {
    YieldSlice();
    tick = ReadTick();
  }
  uint32_t target = tick + ms;
  // Compared as a signed distance so that the 49.7-day wrap of the tick
  // count does not end the wait early.
  while (static_cast<int32_t>(tick - target) < 0) {
    YieldSlice();
    tick = ReadTick();
  }
  return tick - first;
}

void Win32Clock::PacingWait() {
  int64_t counts = PacingCounts(frequency_);
  if (counts == 0) return;
  int64_t target = ReadCounter() + counts;
  while (ReadCounter() < target) YieldSlice();
}

int64_t Win32Clock::NowMicros() {
  if (frequency_ <= 0) return static_cast<int64_t>(ReadTick()) * 1000;
  int64_t c = ReadCounter();
  // Split to keep c * 1000000 from overflowing on long uptimes.
  return (c / frequency_) * 1000000 + (c % frequency_) * 1000000 / frequency_;
}

}  // namespace balancer
