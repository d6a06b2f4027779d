// Sample packets: how many groups, which step, which angles.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_decoder.h"
#include "sim/simulated_control.h"

namespace balancer::sim {
namespace {

using testing::DecodeRef;
using testing::RefPacket;

RefPacket Read(SimulatedControl& control) {
  uint8_t reply[64];
  EXPECT_EQ(control.Transfer(2, 0, reply), 0u);
  return DecodeRef(reply);
}

TEST(SimPackets, StepFollowsTheSpeedAndIsZeroAtCrawlSpeed) {
  struct Case {
    double rpm;
    int step;
  } cases[] = {{10, 0},  {-15, 0},  {25, 1},   {400, 1},  {500, 1},
               {600, 2}, {1000, 2}, {1500, 4}, {3000, 8}, {-700, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rpm);
    VirtualClock clock;
    SimConfig config;
    config.manualDriveRpm = c.rpm;
    SimulatedControl control(clock, config);
    clock.AdvanceMicros(500000);
    Read(control);
    clock.AdvanceMicros(1000);
    RefPacket p = Read(control);
    EXPECT_EQ(p.step, c.step);
    if (c.step == 0) {
      // Nothing sampled; the angle is where the shaft is now.
      EXPECT_EQ(p.groups, 0);
      EXPECT_NEAR(p.angle, std::floor(control.EncoderAngle()), 1.0);
    } else {
      EXPECT_GT(p.groups, 0);
      EXPECT_LE(p.groups, 20);
    }
  }
}

TEST(SimPackets, StepComesDownWithHysteresisAndPacketsNeverMixSteps) {
  VirtualClock clock;
  SimConfig config;
  config.manualDriveRpm = 1000.0;  // 6000 groups/s at step 1: step 2
  SimulatedControl control(clock, config);
  clock.AdvanceMicros(200000);
  Read(control);
  EXPECT_EQ(control.CurrentStep(), 2);
  control.SetManualDrive(450.0);  // 2700/s: fits step 1, but only 10% below the limit
  clock.AdvanceMicros(200000);
  Read(control);
  EXPECT_EQ(control.CurrentStep(), 2);
  control.SetManualDrive(350.0);
  clock.AdvanceMicros(200000);
  Read(control);
  EXPECT_EQ(control.CurrentStep(), 1);

  // Continuously falling speed: each packet's groups follow on from the last
  // or start after a gap, and always sit on multiples of the packet's step.
  control.SetManualDrive(1600.0);
  clock.AdvanceMicros(200000);
  Read(control);
  for (double rpm = 1600; rpm > 30; rpm -= 0.5) {
    control.SetManualDrive(rpm);
    clock.AdvanceMicros(1000);
    RefPacket p = Read(control);
    if (p.groups > 0) {
      EXPECT_EQ(p.angle % p.step, 0) << rpm;
    }
  }
}

TEST(SimPackets, AnglesContinueBetweenPacketsAndASlowReadLosesTheOldest) {
  VirtualClock clock;
  SimConfig config;
  config.manualDriveRpm = 1000.0;
  SimulatedControl control(clock, config);
  clock.AdvanceMicros(300000);
  Read(control);
  const long lostWhileSettling = control.GroupsLost();
  int next = -1;
  for (int i = 0; i < 2000; ++i) {
    clock.AdvanceMicros(1000);
    RefPacket p = Read(control);
    ASSERT_GT(p.groups, 0);
    if (next >= 0) {
      ASSERT_EQ(p.angle, next) << i;
    }
    next = (p.angle + p.groups * p.step) % 360;
  }
  EXPECT_EQ(control.GroupsLost(), lostWhileSettling);

  // 30.5 ms at 1000 rpm are 183 degrees, 91 groups: only the newest 20 come.
  clock.AdvanceMicros(30000);
  RefPacket late = Read(control);
  EXPECT_EQ(late.groups, 20);
  EXPECT_NEAR(control.GroupsLost() - lostWhileSettling, 71, 1);
  int gap = ((late.angle - next) % 360 + 360) % 360;
  EXPECT_NEAR(gap, 140, 4);
  // The newest group is close behind the shaft.
  double behind = control.EncoderAngle() - (late.angle + 19 * late.step);
  behind = std::fmod(behind + 720.0, 360.0);
  EXPECT_LT(behind, 2 * late.step + 4.0);
}

TEST(SimPackets, ReverseRotationSamplesDownwards) {
  VirtualClock clock;
  SimConfig config;
  config.manualDriveRpm = -300.0;
  SimulatedControl control(clock, config);
  clock.AdvanceMicros(300000);
  Read(control);
  int next = -1;
  for (int i = 0; i < 500; ++i) {
    clock.AdvanceMicros(1000);
    RefPacket p = Read(control);
    if (p.groups == 0) continue;
    if (next >= 0) {
      ASSERT_EQ(p.angle, next);
    }
    next = ((p.angle - p.groups * p.step) % 360 + 360) % 360;
  }
  uint8_t reply[64];
  ASSERT_EQ(control.Transfer(1, 0, reply), 0u);
  EXPECT_EQ(testing::Signed16(reply[0], reply[1]), -300);
}

TEST(SimPackets, GroupsPackTwelveBitValuesAsTheLayoutSays) {
  // A large left signal and a small right one, so the nibbles differ.
  VirtualClock clock;
  SimConfig config;
  config.manualDriveRpm = 800.0;
  config.noise = 0.0;
  config.rightUnbalance = 0.0;
  config.offsetRight = -2048.0 + 0x5A3;  // right reads 0x5A3 flat
  SimulatedControl control(clock, config);
  clock.AdvanceMicros(300000);
  Read(control);
  clock.AdvanceMicros(2000);
  uint8_t reply[64];
  ASSERT_EQ(control.Transfer(2, 0, reply), 0u);
  ASSERT_GT(reply[0], 0);
  for (int k = 0; k < reply[0]; ++k) {
    const uint8_t* g = reply + 4 + 3 * k;
    EXPECT_EQ(g[1] & 0x0F, 0x5);
    EXPECT_EQ(g[2], 0xA3);
  }
  // The sample packet never lists more groups than fit in 64 bytes.
  clock.AdvanceMicros(1000000);
  ASSERT_EQ(control.Transfer(2, 0, reply), 0u);
  EXPECT_EQ(reply[0], 20);
}

}  // namespace
}  // namespace balancer::sim
