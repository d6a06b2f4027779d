#include "device/win32/win32_clock.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace balancer {
namespace {

// A Win32Clock whose tick and counter readings follow a script; the last
// value repeats once the script runs out. Each yield advances the counter.
class ScriptedClock : public Win32Clock {
 public:
  ScriptedClock(std::vector<uint32_t> ticks, int64_t frequency = 10000000, int64_t counterStep = 1)
      : Win32Clock(frequency), ticks_(std::move(ticks)), counterStep_(counterStep) {}

  int tickReads = 0;
  int counterReads = 0;
  int64_t counter = 1000;

 protected:
  uint32_t ReadTick() override {
    size_t i = static_cast<size_t>(tickReads++);
    return i < ticks_.size() ? ticks_[i] : ticks_.back();
  }
  int64_t ReadCounter() override {
    ++counterReads;
    return counter;
  }
  void YieldSlice() override { counter += counterStep_; }

 private:
  std::vector<uint32_t> ticks_;
  int64_t counterStep_;
};

std::vector<uint32_t> Ramp(uint32_t from, int count) {
  std::vector<uint32_t> v;
  for (int i = 0; i < count; ++i) v.push_back(from + static_cast<uint32_t>(i));
  return v;
}

TEST(Win32Clock, DelayStartsOnATickEdgeThenWaitsTheFullCount) {
  // Three reads of 100 before the edge at 101; then 111 ends a 10 ms wait.
  std::vector<uint32_t> ticks = {100, 100, 100};
  for (uint32_t t : Ramp(101, 11)) ticks.push_back(t);
  ScriptedClock clock(ticks);
  EXPECT_EQ(clock.DelayMs(10), 11u);
  EXPECT_EQ(clock.tickReads, static_cast<int>(ticks.size()));
}

TEST(Win32Clock, ZeroDelayStillWaitsForOneEdge) {
  ScriptedClock clock({7, 7, 7, 8});
  EXPECT_EQ(clock.DelayMs(0), 1u);
  EXPECT_EQ(clock.tickReads, 4);
}

TEST(Win32Clock, DelayAcrossTheTickCountWrapIsNotCutShort) {
  // Edge at 0xFFFFFFFF: the target wraps to 7; the wait must go on to 7.
  std::vector<uint32_t> ticks = {0xFFFFFFFEu, 0xFFFFFFFFu};
  for (uint32_t t : Ramp(0, 8)) ticks.push_back(t);
  ScriptedClock clock(ticks);
  EXPECT_EQ(clock.DelayMs(8), 9u);
  EXPECT_EQ(clock.tickReads, static_cast<int>(ticks.size()));
}

TEST(Win32Clock, PacingWaitTruncatesThePerMicrosecondCountFirst) {
  EXPECT_EQ(PacingCounts(10000000), 10000);
  EXPECT_EQ(PacingCounts(9999999), 9000);
  EXPECT_EQ(PacingCounts(3579545), 3000);
  EXPECT_EQ(PacingCounts(999999), 0);
  EXPECT_EQ(PacingCounts(0), 0);

  ScriptedClock clock({0}, 10000000, 100);
  clock.PacingWait();
  EXPECT_GE(clock.counter, 1000 + 10000);
  EXPECT_LT(clock.counter, 1000 + 10000 + 100);

  ScriptedClock none({0}, 0);
  none.PacingWait();
  EXPECT_EQ(none.counterReads, 0);
}

TEST(Win32Clock, RealDelaysLastAtLeastTheirLength) {
  Win32Clock clock;
  ASSERT_GT(clock.PerformanceFrequency(), 0);
  EXPECT_GE(clock.DelayMs(0), 1u);

  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  uint32_t first = GetTickCount();
  uint32_t reported = clock.DelayMs(25);
  uint32_t last = GetTickCount();
  QueryPerformanceCounter(&end);
  EXPECT_GE(reported, 26u);  // the edge plus the full 25
  EXPECT_GE(last - first, 26u);
  double elapsedMs = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 /
                     static_cast<double>(clock.PerformanceFrequency());
  // The tick and the counter are separate clocks; allow one tick of skew.
  EXPECT_GE(elapsedMs, 24.0);

  int64_t before = clock.NowMicros();
  clock.PacingWait();
  EXPECT_GE(clock.NowMicros() - before, 999);
}

}  // namespace
}  // namespace balancer
