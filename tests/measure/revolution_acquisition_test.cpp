#include "measure/revolution_acquisition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <random>
#include <vector>

#include "base/operator_ui.h"
#include "device/control_commands.h"
#include "measure/spin.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

struct Packet {
  int angle;
  int step;
  std::vector<int> left;  // one value per group
  int rawGroups = -1;     // byte 0 when it should differ from left.size()
};

// A control that answers speeds and a script of sample packets; after the
// script it keeps sending contiguous one-degree packets of `fillValue`.
class ScriptedControl {
 public:
  ScriptedControl() {
    transport.responder = [this](uint8_t request, uint16_t value, uint8_t* reply) -> uint32_t {
      if (request == kRequestMotorPower) {
        reply[0] = static_cast<uint8_t>(speed & 0xFF);
        reply[1] = static_cast<uint8_t>((speed >> 8) & 0xFF);
        return 0;
      }
      if (request == kRequestAngleAndSamples) {
        ++packetReads;
        if (failOnRead == packetReads) return kErrorGenFailure;
        Packet p = NextPacket();
        reply[0] = static_cast<uint8_t>(p.rawGroups >= 0 ? p.rawGroups : p.left.size());
        reply[1] = static_cast<uint8_t>(p.step);
        reply[2] = static_cast<uint8_t>(p.angle & 0xFF);
        reply[3] = static_cast<uint8_t>((p.angle >> 8) & 0xFF);
        for (size_t k = 0; k < p.left.size() && k < 20; ++k) {
          EncodeSampleGroup(static_cast<uint16_t>(p.left[k]), static_cast<uint16_t>(p.left[k] / 2),
                            reply + 4 + 3 * k);
        }
        return 0;
      }
      return 0;
    };
    link.transport = &transport;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    SensorMapDefaults(map);
    settings.sensorType = 3;  // hard-bearing accelerometer: speed factor 1
    settings.calibrationFactorLeft = 1.0;
    settings.calibrationFactorRight = 1.0;
    state.SpinActive = 1;
  }

  Packet NextPacket() {
    if (!script.empty()) {
      Packet p = script.front();
      script.pop_front();
      fillAngle = (p.angle + static_cast<int>(p.left.size()) * p.step) % 360;
      return p;
    }
    Packet p{fillAngle, 1, std::vector<int>(20, fillValue)};
    fillAngle = (fillAngle + 20) % 360;
    return p;
  }

  void Acquire(int revolutions) { AcquireRevolutions(link, settings, map, ui, state, revolutions); }
  // Raw per-degree average of encoder degree d (the wave is turned by 90).
  double Left(int d) const {
    int j = (d + 90) % 360;
    return state.LeftWave[j] - (j == 0 ? 0.0001 : 0.0);
  }

  test::FakeTransport transport;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  SensorMap map;
  AcquisitionSettings settings;
  SpinState state;
  std::deque<Packet> script;
  int speed = 400;
  int fillAngle = 0;
  int fillValue = 7;
  int packetReads = 0;
  int failOnRead = -1;
};

TEST(RevolutionAcquisition, FirstPacketGapsAndLatePackets) {
  ScriptedControl c;
  c.script = {
      {123, 4, {}},      // read once and discarded
      {200, 4, {1, 1}},  // not yet at zero: 2 * 4 + 200 < 361
      // 350 + 10 * 4 reaches past 360: groups 0 and 1 lie before it, group 2
      // fills bins 0 and 1, groups 3..9 fill 2..29.
      {350, 4, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109}},
      {33, 4, {500, 501}},       // starts 3 degrees after the pointer (30)
      {20, 4, {600, 700, 800}},  // behind the pointer (41): first group only
  };
  c.fillAngle = 45;
  c.Acquire(1);
  ASSERT_EQ(c.state.SpinActive, 1);
  EXPECT_EQ(c.Left(0), 102);
  EXPECT_EQ(c.Left(1), 102);
  EXPECT_EQ(c.Left(2), 103);
  EXPECT_EQ(c.Left(29), 109);
  for (int d = 30; d <= 36; ++d) EXPECT_EQ(c.Left(d), 500) << d;
  for (int d = 37; d <= 40; ++d) EXPECT_EQ(c.Left(d), 501) << d;
  for (int d = 41; d <= 44; ++d) EXPECT_EQ(c.Left(d), 600) << d;
  EXPECT_EQ(c.Left(45), 7);
  EXPECT_EQ(c.Left(359), 7);
  // The right value travels with its group.
  EXPECT_EQ(c.state.RightWave[(30 + 90) % 360], 250);
  // Element 0 of both waves carries the 0.0001.
  EXPECT_DOUBLE_EQ(c.state.LeftWave[0], 7.0001);
  EXPECT_DOUBLE_EQ(c.state.AverageSpeed, 400.0);
  EXPECT_EQ(c.state.lastStep, 1);
}

TEST(RevolutionAcquisition, SumsRevolutionsAndDividesAsIntegers) {
  ScriptedControl c;
  // Three revolutions of 10, 10 and 11: 31 / 3 = 10.
  c.script = {{0, 1, {}}};
  int revolution = 0;
  for (int a = 0; a < 3 * 360; a += 20) {
    revolution = a / 360;
    c.script.push_back({a % 360, 1, std::vector<int>(20, revolution == 2 ? 11 : 10)});
  }
  c.state.progressTotal = 9;
  c.state.progressDone = 3;
  c.Acquire(3);
  ASSERT_EQ(c.state.SpinActive, 1);
  for (int d = 1; d < 360; ++d) ASSERT_EQ(c.Left(d), 10) << d;
  // Progress per revolution, shown on the bar scaled to 1055.
  EXPECT_EQ(c.state.progressDone, 6);
  EXPECT_EQ(c.ui.speedBar, (std::vector<int>{4 * 1055 / 9, 5 * 1055 / 9, 6 * 1055 / 9}));
}

TEST(RevolutionAcquisition, CalibrationMapAndSoftBearingScaling) {
  ScriptedControl c;
  c.fillValue = 100;
  c.settings.suspension = 1;  // soft: (400 / v)^2 whatever the sensor
  c.settings.calibrationFactorLeft = 2.0;
  c.settings.softBearingFactorLeft = 30.0;
  c.map.column[1][4] = 1.5;  // left gain at 400 rpm
  c.speed = 400;
  c.Acquire(1);
  ASSERT_EQ(c.state.SpinActive, 1);
  EXPECT_DOUBLE_EQ(c.state.SpeedFactor, 1.0);
  EXPECT_NEAR(c.state.LeftWave[100], 100 * 2.0 * 1.5 * 30.0 * 0.03, 1e-9);
  EXPECT_NEAR(c.state.RightWave[100], 50 * 1.0 * 1.0 * 30.0 * 0.03, 1e-9);
  EXPECT_DOUBLE_EQ(c.state.map.leftGain, 1.5);
  EXPECT_EQ(c.state.map.row, 4);
  // Step 1 at 400 rpm: 0 + 5.6 - 3.5.
  EXPECT_NEAR(c.state.LagEstimate, 2.1, 1e-12);
}

TEST(RevolutionAcquisition, SpeedFactorsAndLag) {
  EXPECT_DOUBLE_EQ(SpeedFactor(0, 1, 800.0), 0.25);    // Piezo
  EXPECT_DOUBLE_EQ(SpeedFactor(0, 0, 200.0), 4.0);     // LVDT
  EXPECT_NEAR(SpeedFactor(0, 2, 400.0), 1.03, 1e-12);  // Magnet-Coil
  EXPECT_NEAR(SpeedFactor(0, 2, 800.0), 0.97 / 8.0, 1e-12);
  EXPECT_DOUBLE_EQ(SpeedFactor(0, 3, 1234.0), 1.0);  // Accelerometer
  EXPECT_DOUBLE_EQ(SpeedFactor(1, 2, 800.0), 0.25);  // soft bearing
  EXPECT_DOUBLE_EQ(SpeedFactor(1, 3, 800.0), 0.25);
  EXPECT_NEAR(LagEstimateFor(4, 500.0), 5.0, 1e-12);
}

TEST(RevolutionAcquisition, StandstillLowSpeedFailureAndCancelEndTheSpin) {
  {
    ScriptedControl c;
    c.speed = 0;
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    EXPECT_TRUE(c.transport.TransfersOf(kRequestAngleAndSamples).empty());
    EXPECT_TRUE(c.ui.messages.empty());
  }
  {
    ScriptedControl c;
    c.script = {{0, 1, {}}, {0, 0, {}}};
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    ASSERT_EQ(c.ui.messages.size(), 1u);
    EXPECT_EQ(c.ui.messages[0].caption, "Attention");
    EXPECT_EQ(c.ui.messages[0].text,
              "Your firmware doesn't support measurements at this low speed.\n\n"
              "If you need this capability, please contact Halvorn Technology\n"
              "to get a firmware update.");
    auto power = c.transport.TransfersOf(kRequestMotorPower);
    ASSERT_FALSE(power.empty());
    EXPECT_EQ(power.back().value, 0);
  }
  {
    // Too slow to sample away from zero: told at once, not after a revolution.
    ScriptedControl c;
    c.script = {{0, 1, {}}, {100, 0, {}}};
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    EXPECT_EQ(c.packetReads, 2);
    ASSERT_EQ(c.ui.messages.size(), 1u);
    EXPECT_EQ(c.ui.messages[0].caption, "Attention");
  }
  {
    // A failed packet read must not be taken for samples.
    ScriptedControl c;
    c.failOnRead = 10;
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    EXPECT_EQ(c.packetReads, 10);
  }
  {
    ScriptedControl c;
    c.link.MotorPower = 120;
    c.ui.cancelAfterPolls = 2;
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    EXPECT_EQ(c.link.MotorPower, 0);
    EXPECT_EQ(c.transport.TransfersOf(kRequestMotorPower).back().value, 0);
    // Firmware 3.04, option port 0: the motor-stop pulse.
    auto pulse = c.transport.TransfersOf(kRequestOptionPulse);
    ASSERT_EQ(pulse.size(), 2u);
    EXPECT_EQ(pulse[0].value, 1);
    EXPECT_EQ(pulse[1].value, 0);
  }
}

TEST(RevolutionAcquisition, OldFirmwareSpeedThatWasNotMeasuredEndsTheAcquisition) {
  // Firmware 2.05 with speed reads alternating 390 and 410: the filtered
  // average gives up. Before the revolutions that is a standstill; after them
  // it must not be averaged in as 0 (AverageSpeed 200, waves 4 times too big).
  for (bool beforeRevolutions : {true, false}) {
    SCOPED_TRACE(beforeRevolutions ? "before" : "after");
    ScriptedControl c;
    c.transport.firmwareVersion = 0x0205;
    OpenControl(c.link);
    c.settings.sensorType = 0;  // LVDT: the speed factor follows the speed
    c.state.AverageSpeed = 123.0;
    int reads = 0;
    c.transport.responder = [&c, &reads, beforeRevolutions, inner = c.transport.responder](
                                uint8_t r, uint16_t v, uint8_t* reply) {
      uint32_t e = inner(r, v, reply);
      if (r == kRequestMotorPower && (beforeRevolutions || c.packetReads > 0)) {
        int rpm = reads++ % 2 == 0 ? 390 : 410;
        reply[0] = static_cast<uint8_t>(rpm & 0xFF);
        reply[1] = static_cast<uint8_t>(rpm >> 8);
      }
      return e;
    };
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    EXPECT_EQ(reads, 20 * kFilteredAverageMaxRounds);
    EXPECT_EQ(c.packetReads > 0, !beforeRevolutions);
    EXPECT_DOUBLE_EQ(c.state.AverageSpeed, 123.0);
    EXPECT_DOUBLE_EQ(c.state.SpeedFactor, 1.0);
    EXPECT_TRUE(c.ui.messages.empty());
  }
}

TEST(RevolutionAcquisition, StoppedShaftAndOversizedPacketsDoNotHang) {
  {
    // Groups stop coming: the acquisition gives up instead of waiting forever.
    ScriptedControl c;
    c.script = {{0, 1, {}}, {0, 1, std::vector<int>(20, 5)}};
    for (int i = 0; i < 50; ++i) c.script.push_back({20, 1, {}});
    c.fillValue = 5;
    c.transport.responder = [&c, inner = c.transport.responder](uint8_t r, uint16_t v,
                                                                uint8_t* reply) {
      uint32_t e = inner(r, v, reply);
      if (r == kRequestAngleAndSamples && c.script.empty()) reply[0] = 0;  // no groups
      return e;
    };
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    EXPECT_GE(c.clock.TickCount(), kAcquisitionStallMs);
  }
  {
    // Byte 0 claims 100 groups: only the 20 that fit are used.
    ScriptedControl c;
    c.script = {{0, 1, {}}, {0, 1, std::vector<int>(20, 9), 100}};
    c.fillAngle = 20;
    c.Acquire(1);
    ASSERT_EQ(c.state.SpinActive, 1);
    EXPECT_EQ(c.Left(19), 9);
    EXPECT_EQ(c.Left(20), 7);
  }
}

// Packets of random bytes, with the step (and optionally the counts and the
// angle) kept plausible.
void FillRandomPacket(std::mt19937& rng, bool plausibleRanges, uint8_t* reply) {
  for (int i = 0; i < kReplySize; ++i) reply[i] = static_cast<uint8_t>(rng());
  reply[1] = 2;
  if (plausibleRanges) {
    reply[0] = static_cast<uint8_t>(rng() % 21);
    int angle = static_cast<int>(rng() % 360);
    reply[2] = static_cast<uint8_t>(angle & 0xFF);
    reply[3] = static_cast<uint8_t>(angle >> 8);
  }
}

TEST(RevolutionAcquisition, RandomPacketsNeverMakeAReading) {
  for (bool plausibleRanges : {false, true}) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
      SCOPED_TRACE(testing::Message() << "seed " << seed << " ranges " << plausibleRanges);
      ScriptedControl c;
      std::mt19937 rng(seed);
      c.transport.responder = [&c, &rng, plausibleRanges, inner = c.transport.responder](
                                  uint8_t r, uint16_t v, uint8_t* reply) {
        uint32_t e = inner(r, v, reply);
        if (r == kRequestAngleAndSamples) FillRandomPacket(rng, plausibleRanges, reply);
        return e;
      };
      c.link.MotorPower = 90;
      c.Acquire(3);
      EXPECT_EQ(c.state.SpinActive, 0);
      ASSERT_EQ(c.ui.messages.size(), 1u);
      EXPECT_EQ(c.ui.messages[0].caption, "ERROR");
      EXPECT_EQ(c.ui.messages[0].text, ImplausibleSamplesMessage().text);
      EXPECT_EQ(c.transport.TransfersOf(kRequestMotorPower).back().value, 0);
      EXPECT_EQ(c.link.MotorPower, 0);
      // Told within a few packets, not after a revolution of garbage.
      EXPECT_LT(c.packetReads, 200);
    }
  }
}

TEST(RevolutionAcquisition, AControlThatKeepsSendingOddPacketsEndsTheSpin) {
  struct Case {
    const char* name;
    std::function<Packet(int expected)> next;
  };
  const Case cases[] = {
      // The same stale packet over and over: always behind the pointer.
      {"repeated",
       [](int) {
         return Packet{0, 1, std::vector<int>(20, 5)};
       }},
      // Counts beyond the 20 groups a packet holds.
      {"oversized",
       [](int expected) {
         return Packet{expected, 1, std::vector<int>(20, 5), 100};
       }},
      {"negative count",
       [](int expected) {
         return Packet{expected, 1, {}, 0xF0};
       }},
      // Angles off the circle.
      {"angle",
       [](int) {
         return Packet{400, 1, std::vector<int>(20, 5)};
       }},
      // Far further ahead than the shaft turns between two reads.
      {"jumps",
       [](int expected) {
         return Packet{(expected + 170) % 360, 1, std::vector<int>(5, 5)};
       }},
      // 20 groups of 30 degrees: more than a revolution in one packet.
      {"step",
       [](int expected) {
         return Packet{expected, 30, std::vector<int>(20, 5)};
       }},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ScriptedControl c;
    c.script = {{0, 1, {}}, {0, 1, std::vector<int>(20, 5)}};
    int expected = 20;
    c.transport.responder = [&c, &k, &expected, inner = c.transport.responder](
                                uint8_t r, uint16_t v, uint8_t* reply) {
      if (r != kRequestAngleAndSamples || !c.script.empty()) return inner(r, v, reply);
      ++c.packetReads;
      Packet p = k.next(expected);
      expected = (expected + 20) % 360;
      reply[0] = static_cast<uint8_t>(p.rawGroups >= 0 ? p.rawGroups : p.left.size());
      reply[1] = static_cast<uint8_t>(p.step);
      reply[2] = static_cast<uint8_t>(p.angle & 0xFF);
      reply[3] = static_cast<uint8_t>((p.angle >> 8) & 0xFF);
      for (size_t g = 0; g < p.left.size() && g < 20; ++g) {
        EncodeSampleGroup(static_cast<uint16_t>(p.left[g]), 0, reply + 4 + 3 * g);
      }
      return 0u;
    };
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    ASSERT_EQ(c.ui.messages.size(), 1u);
    EXPECT_EQ(c.ui.messages[0].text, ImplausibleSamplesMessage().text);
    EXPECT_LE(c.packetReads, 2 + kImplausiblePacketLimit);
  }
}

TEST(RevolutionAcquisition, AFewOddPacketsAreToleratedAndJumpsAreNotUsed) {
  ScriptedControl c;
  c.script = {{0, 1, {}}, {0, 1, std::vector<int>(20, 5)}};
  // A packet that jumps half a turn ahead is left out; the stream then goes
  // on where it was.
  c.script.push_back({190, 1, std::vector<int>(20, 999)});
  c.script.push_back({20, 1, std::vector<int>(20, 5)});
  // A late packet and a count beyond 20, each once.
  c.script.push_back({35, 1, std::vector<int>(20, 6)});
  c.script.push_back({41, 1, std::vector<int>(20, 8), 100});
  c.fillAngle = 61;
  c.fillValue = 5;
  c.Acquire(1);
  ASSERT_EQ(c.state.SpinActive, 1);
  EXPECT_TRUE(c.ui.messages.empty());
  for (int d = 0; d < 360; ++d) ASSERT_NE(c.Left(d), 999) << d;
  EXPECT_EQ(c.Left(40), 6);  // the late packet's first group, at the pointer
  EXPECT_EQ(c.Left(41), 8);
}

// A control that answered late hands over groups from further on; when the
// next packet carries on from there the jump was real and is filled in.
TEST(RevolutionAcquisition, AJumpThatTheNextPacketConfirmsIsFilledIn) {
  ScriptedControl c;
  c.script = {{0, 1, {}}, {0, 1, std::vector<int>(20, 5)}};
  c.script.push_back({150, 1, std::vector<int>(20, 6)});  // left out at first
  c.script.push_back({170, 1, std::vector<int>(20, 9)});  // carries on from 170
  c.fillValue = 5;
  c.Acquire(1);
  ASSERT_EQ(c.state.SpinActive, 1);
  EXPECT_TRUE(c.ui.messages.empty());
  EXPECT_EQ(c.Left(19), 5);
  for (int d = 20; d < 190; ++d) ASSERT_EQ(c.Left(d), 9) << d;
  EXPECT_EQ(c.Left(190), 5);
}

// A speed no balancing machine turns at would push the lag estimate past a
// quarter turn and the reading angle below 0.
TEST(RevolutionAcquisition, ASpeedBeyondTheMachineEndsTheSpin) {
  for (bool before : {true, false}) {
    SCOPED_TRACE(before);
    ScriptedControl c;
    c.transport.responder = [&c, before, inner = c.transport.responder](uint8_t r, uint16_t v,
                                                                        uint8_t* reply) {
      uint32_t e = inner(r, v, reply);
      if (r == kRequestMotorPower && (before || c.packetReads > 0)) {
        reply[0] = 16510 & 0xFF;
        reply[1] = 16510 >> 8;
      }
      return e;
    };
    c.Acquire(1);
    EXPECT_EQ(c.state.SpinActive, 0);
    ASSERT_EQ(c.ui.messages.size(), 1u);
    EXPECT_EQ(c.ui.messages[0].text, ImplausibleSamplesMessage().text);
    EXPECT_EQ(c.packetReads > 0, !before);
  }
}

TEST(RevolutionAcquisition, PacketChecks) {
  auto packet = [](int groups, int step, int raw = -1) {
    SamplePacket p;
    p.groups = groups;
    p.rawGroups = raw >= 0 ? raw : groups;
    p.step = step;
    return p;
  };
  // Follows on, with or without a small gap, and across 0 degrees.
  EXPECT_FALSE(CheckSamplePacket(packet(20, 1), 30, 30, 45).implausible);
  EXPECT_FALSE(CheckSamplePacket(packet(2, 4), 33, 30, 45).implausible);
  EXPECT_FALSE(CheckSamplePacket(packet(20, 1), 2, 355, 45).implausible);
  EXPECT_TRUE(CheckSamplePacket(packet(0, 2), 2, 355, 45).use);
  // A gap of a step or more, yet the control held back groups: used, counted.
  PacketCheck gap = CheckSamplePacket(packet(5, 2), 2, 355, 45);
  EXPECT_TRUE(gap.use);
  EXPECT_TRUE(gap.implausible);
  // After a long wait (a busy PC) a full packet may start anywhere ahead.
  EXPECT_FALSE(CheckSamplePacket(packet(20, 2), 300, 0, PacketReachDeg(500.0, 150)).implausible);
  // Reaching further than the shaft can have turned: not used.
  PacketCheck far = CheckSamplePacket(packet(20, 2), 30, 0, 45);
  EXPECT_TRUE(far.implausible);
  EXPECT_FALSE(far.use);
  EXPECT_TRUE(CheckSamplePacket(packet(20, 2), 30, 0, 80).use);
  // Behind the pointer: used as a late packet, but counted.
  PacketCheck late = CheckSamplePacket(packet(3, 4), 20, 41, 45);
  EXPECT_TRUE(late.implausible);
  EXPECT_TRUE(late.use);
  // Out of range: angle, step, more than a revolution, counts.
  EXPECT_FALSE(CheckSamplePacket(packet(1, 1), 360, 0, 400).use);
  EXPECT_FALSE(CheckSamplePacket(packet(1, 1), -1, 0, 400).use);
  EXPECT_FALSE(CheckSamplePacket(packet(1, 0), 0, 0, 400).use);
  EXPECT_FALSE(CheckSamplePacket(packet(20, 19), 0, 0, 400).use);
  EXPECT_TRUE(CheckSamplePacket(packet(20, 18), 0, 0, 400).use);
  EXPECT_TRUE(CheckSamplePacket(packet(20, 1, 100), 0, 0, 400).implausible);
  EXPECT_TRUE(CheckSamplePacket(packet(0, 1, 200), 0, 0, 400).implausible);
  // The reach grows with speed and time.
  EXPECT_DOUBLE_EQ(PacketReachDeg(0.0, 100), kPacketReachFloorDeg);
  EXPECT_DOUBLE_EQ(PacketReachDeg(1000.0, 9), kPacketReachFloorDeg + 1.5 * 6.0 * 10.0);
  EXPECT_DOUBLE_EQ(PacketReachDeg(-1000.0, 9), PacketReachDeg(1000.0, 9));
}

TEST(RevolutionAcquisition, AFrozenAngleIsNoRotationWithinSeconds) {
  for (int frozenAt : {137, 0}) {
    SCOPED_TRACE(frozenAt);
    ScriptedControl c;
    c.transport.responder = [&c, frozenAt, inner = c.transport.responder](uint8_t r, uint16_t v,
                                                                          uint8_t* reply) {
      uint32_t e = inner(r, v, reply);
      if (r == kRequestAngleAndSamples) {
        std::fill(reply, reply + kReplySize, 0);
        reply[1] = 1;
        reply[2] = static_cast<uint8_t>(frozenAt & 0xFF);
        reply[3] = static_cast<uint8_t>(frozenAt >> 8);
      }
      return e;
    };
    c.link.MotorPower = 90;
    c.Acquire(3);
    EXPECT_EQ(c.state.SpinActive, 0);
    ASSERT_EQ(c.ui.messages.size(), 1u);
    EXPECT_EQ(c.ui.messages[0].caption, "ATTENTION");
    EXPECT_EQ(c.ui.messages[0].text, NoRotationMessage().text);
    EXPECT_EQ(c.transport.TransfersOf(kRequestMotorPower).back().value, 0);
    // Away from zero it is seen while synchronising, at 400 rpm in about a
    // second; at zero the gathering's own stall limit applies.
    EXPECT_LE(c.clock.TickCount(), frozenAt != 0 ? 2000u : kAcquisitionStallMs + 100);
  }
}

}  // namespace
}  // namespace balancer
