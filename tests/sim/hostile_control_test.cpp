#include "sim/hostile_control.h"

#include <gtest/gtest.h>

#include <cstring>

#include "device/clock.h"
#include "device/control_commands.h"

namespace balancer::sim {
namespace {

struct Hostile {
  explicit Hostile(HostileScenario scenario, long after = 0)
      : control(clock, Turning()), hostile(control, scenario, after, 7) {}
  static SimConfig Turning() {
    SimConfig c;
    c.manualDriveRpm = 500.0;
    return c;
  }
  HostileAction Read(uint8_t request, uint32_t& status, uint8_t* reply) {
    clock.AdvanceMicros(2000);
    return hostile.Transfer(request, 0, status, reply);
  }
  VirtualClock clock;
  SimulatedControl control;
  HostileControl hostile;
};

TEST(HostileControl, ScenarioNames) {
  HostileScenario s;
  for (const char* name : {"garbage-descriptor", "short-descriptor", "silent", "drop",
                           "random-packets", "late-packets", "frozen-angle"}) {
    EXPECT_TRUE(ParseHostileScenario(name, s)) << name;
    EXPECT_NE(HostileScenarioNames().find(name), std::string::npos);
  }
  EXPECT_FALSE(ParseHostileScenario("", s));
  EXPECT_FALSE(ParseHostileScenario("random", s));
}

TEST(HostileControl, Descriptors) {
  for (int i = 0; i < 50; ++i) {
    Hostile h(HostileScenario::kGarbageDescriptor);
    for (int k = 0; k < i; ++k) h.hostile.Descriptor();
    std::vector<uint8_t> d = h.hostile.Descriptor();
    ASSERT_EQ(d.size(), 18u);
    EXPECT_FALSE(d[8] == 0xEF && d[9] == 0x13);
  }
  EXPECT_EQ(Hostile(HostileScenario::kShortDescriptor).hostile.Descriptor().size(), 7u);
  std::vector<uint8_t> good = Hostile(HostileScenario::kRandomPackets).hostile.Descriptor();
  ASSERT_EQ(good.size(), 18u);
  EXPECT_EQ(good[8] | good[9] << 8, kControlVendorId);
}

TEST(HostileControl, SilentAndDropTakeOverAfterTheSampleReads) {
  for (auto scenario : {HostileScenario::kSilent, HostileScenario::kDrop}) {
    Hostile h(scenario, 3);
    uint32_t status = 0;
    uint8_t reply[kReplySize];
    EXPECT_EQ(h.Read(kRequestMotorPower, status, reply), HostileAction::kAnswer);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(h.Read(kRequestAngleAndSamples, status, reply), HostileAction::kAnswer);
      EXPECT_EQ(status, 0u);
    }
    HostileAction fault =
        scenario == HostileScenario::kSilent ? HostileAction::kNeverAnswer : HostileAction::kDrop;
    EXPECT_EQ(h.Read(kRequestAngleAndSamples, status, reply), fault);
    EXPECT_EQ(h.Read(kRequestMotorPower, status, reply), fault);
    // Gone for good: the next connection finds nothing.
    EXPECT_TRUE(h.hostile.Gone());
    EXPECT_TRUE(h.hostile.Descriptor().empty());
  }
}

TEST(HostileControl, PacketFaults) {
  uint32_t status = 0;
  uint8_t reply[kReplySize];
  {
    Hostile h(HostileScenario::kRandomPackets);
    for (int i = 0; i < 100; ++i) {
      ASSERT_EQ(h.Read(kRequestAngleAndSamples, status, reply), HostileAction::kAnswer);
      SamplePacket p = DecodeSamplePacket(reply);
      EXPECT_EQ(p.step, 2);
      EXPECT_LE(p.rawGroups, 20);
      EXPECT_GE(p.rawGroups, 0);
      EXPECT_GE(p.angle, 0);
      EXPECT_LT(p.angle, 360);
    }
    // The speed stays plausible.
    h.Read(kRequestMotorPower, status, reply);
    EXPECT_NEAR(DecodeSigned16(reply[0], reply[1]), 500, 5);
  }
  {
    // Every other packet is one sent before.
    Hostile h(HostileScenario::kLatePackets);
    std::vector<std::vector<uint8_t>> seen;
    int repeats = 0;
    for (int i = 0; i < 40; ++i) {
      h.Read(kRequestAngleAndSamples, status, reply);
      std::vector<uint8_t> packet(reply, reply + kReplySize);
      for (const auto& earlier : seen) {
        if (earlier == packet && packet[0] > 0) {
          ++repeats;
          break;
        }
      }
      seen.push_back(packet);
    }
    EXPECT_GE(repeats, 15);
    EXPECT_LE(repeats, 20);
  }
  {
    Hostile h(HostileScenario::kFrozenAngle);
    h.Read(kRequestAngleAndSamples, status, reply);
    SamplePacket first = DecodeSamplePacket(reply);
    EXPECT_GE(first.angle, 10);
    for (int i = 0; i < 20; ++i) {
      h.Read(kRequestAngleAndSamples, status, reply);
      SamplePacket p = DecodeSamplePacket(reply);
      EXPECT_EQ(p.angle, first.angle);
      EXPECT_EQ(p.groups, 0);
    }
  }
}

}  // namespace
}  // namespace balancer::sim
