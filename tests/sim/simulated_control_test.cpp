// The control's requests, EEPROM and motor as the program sees them.
#include "sim/simulated_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "reference_decoder.h"

namespace balancer::sim {
namespace {

using testing::Signed16;

struct Rig {
  explicit Rig(SimConfig c = SimConfig()) : config(c), control(clock, config) {}
  uint8_t reply[64] = {};
  uint32_t Do(uint8_t request, uint16_t value) { return control.Transfer(request, value, reply); }
  // Request 1 at `power`, then `ms` of time; returns the speed reported.
  int Power(int power, int ms = 0) {
    EXPECT_EQ(Do(1, static_cast<uint16_t>(power)), 0u);
    int speed = Signed16(reply[0], reply[1]);
    clock.AdvanceMicros(ms * 1000LL);
    return speed;
  }
  int Speed() { return Power(control.MotorPower()); }
  SimConfig config;
  VirtualClock clock;
  SimulatedControl control;
};

TEST(SimControl, DescriptorCarriesTheIdsAndTheConfiguredFirmware) {
  for (uint16_t firmware : {0x0212, 0x0300, 0x0304, 0x0312}) {
    SimConfig c;
    c.firmware = firmware;
    Rig rig(c);
    uint8_t d[18];
    ASSERT_TRUE(rig.control.ReadDescriptor(d));
    EXPECT_EQ(d[0], 18);
    EXPECT_EQ(d[1], 1);
    EXPECT_EQ(d[8] | d[9] << 8, 0x13EF);
    EXPECT_EQ(d[10] | d[11] << 8, 0xDBC2);
    EXPECT_EQ(d[12] | d[13] << 8, firmware);
  }
}

TEST(SimControl, EepromHoldsTheDefaultRecordAndTakesByteWrites) {
  Rig rig;
  ASSERT_EQ(rig.Do(3, 0), 0u);
  EXPECT_EQ(rig.reply[0], 0x00);
  const char* text = "0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,";
  EXPECT_EQ(std::memcmp(rig.reply + 1, text, 37), 0);
  for (int n = 38; n <= 62; ++n) EXPECT_EQ(rig.reply[n], 0) << n;
  ASSERT_EQ(rig.Do(3, 150), 0u);
  EXPECT_EQ(rig.reply[0], 0);

  // Request 4: address in the high byte, data in the low byte.
  ASSERT_EQ(rig.Do(4, 150 * 256 + 3), 0u);
  ASSERT_EQ(rig.Do(4, 255 * 256 + 0x12), 0u);
  ASSERT_EQ(rig.Do(3, 150), 0u);
  EXPECT_EQ(rig.reply[0], 3);
  EXPECT_EQ(rig.control.Eeprom()[150], 3);
  // A block reaching past the 256 bytes reads 0xFF there.
  ASSERT_EQ(rig.Do(3, 250), 0u);
  EXPECT_EQ(rig.reply[5], 0x12);
  for (int i = 6; i < 64; ++i) EXPECT_EQ(rig.reply[i], 0xFF) << i;
  ASSERT_EQ(rig.Do(3, 4000), 0u);
  EXPECT_EQ(rig.reply[0], 0xFF);

  SimConfig blank;
  blank.eepromBlank = true;
  Rig fresh(blank);
  ASSERT_EQ(fresh.Do(3, 0), 0u);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(fresh.reply[i], 0xFF);
  ASSERT_EQ(fresh.Do(3, 150), 0u);
  EXPECT_EQ(fresh.reply[0], 0xFF);
}

TEST(SimControl, MotorNeedsBreakawayPowerThenRisesFirstOrder) {
  Rig rig;
  // Below breakaway (16) a standing shaft stays put.
  rig.Power(14, 2000);
  EXPECT_EQ(rig.Speed(), 0);
  // Full power: 63% of 1800 rpm after one time constant, then steady.
  rig.Power(255, 400);
  EXPECT_NEAR(rig.Speed(), 1800 * (1 - std::exp(-1.0)), 15);
  rig.clock.AdvanceMicros(3000000);
  EXPECT_NEAR(rig.Speed(), 1800, 2);
  // Once turning, a power between hold (10) and breakaway keeps it turning.
  rig.Power(14, 4000);
  EXPECT_NEAR(rig.Speed(), 1800.0 * 4 / 245, 2);
  // A mid power settles proportionally.
  rig.Power(128, 4000);
  EXPECT_NEAR(rig.Speed(), 1800.0 * 118 / 245, 2);
}

TEST(SimControl, ShaftCoastsSlowlyAndTheBrakeStopsItQuickly) {
  Rig rig;
  rig.Power(128, 4000);  // about 867 rpm
  rig.Power(0, 1000);
  int afterCoast = rig.Speed();
  EXPECT_LT(afterCoast, 867 - 90);
  EXPECT_GT(afterCoast, 700);
  // Coasting ends at a standstill within finite time.
  rig.clock.AdvanceMicros(60000000);
  EXPECT_EQ(rig.Speed(), 0);
  EXPECT_EQ(rig.control.Rpm(), 0.0);

  rig.Power(128, 4000);
  rig.Power(0);
  ASSERT_EQ(rig.Do(6, 1), 0u);
  EXPECT_TRUE(rig.control.BrakeOn());
  rig.clock.AdvanceMicros(150000);
  ASSERT_EQ(rig.Do(6, 0), 0u);
  EXPECT_FALSE(rig.control.BrakeOn());
  int afterPulse = rig.Speed();
  EXPECT_LT(afterPulse, 867 - 200);
  rig.clock.AdvanceMicros(150000);
  // Without the brake the shaft only coasts again.
  EXPECT_GT(rig.Speed(), afterPulse - 40);
}

TEST(SimControl, ReverseMotorAndManualDrive) {
  SimConfig c;
  c.reverse = true;
  Rig rig(c);
  rig.Power(100, 3000);
  EXPECT_NEAR(rig.Speed(), -1800.0 * 90 / 245, 3);

  Rig manual;
  manual.control.SetManualDrive(250.0);
  manual.Power(255, 2000);  // power is ignored while the shaft is driven by hand
  EXPECT_EQ(manual.Speed(), 250);
  manual.control.ClearManualDrive();
  manual.Power(0, 100);
  EXPECT_LT(manual.Speed(), 250);
}

TEST(SimControl, ZeroRequestAndPhotoEyeMarkSetTheEncoderZero) {
  SimConfig c;
  c.manualDriveRpm = 60.0;  // one degree per 2.8 ms
  c.photoEyeMark = 100.0;
  Rig rig(c);
  rig.clock.AdvanceMicros(123000);
  ASSERT_EQ(rig.Do(0, 0), 0u);
  EXPECT_NEAR(rig.control.EncoderAngle(), 0.0, 1e-6);
  double zeroAt = rig.control.RotorAngle();
  rig.clock.AdvanceMicros(500000);
  EXPECT_NEAR(rig.control.EncoderAngle(),
              std::fmod(rig.control.RotorAngle() - zeroAt + 360.0 * 10, 360.0), 1e-6);

  // Photo-eye mode on (bit 1): passing the mark at rotor angle 100 zeroes it.
  ASSERT_EQ(rig.Do(8, 0xC2), 0u);
  EXPECT_EQ(rig.control.PhotoEyeMode(), 0xC2);
  rig.clock.AdvanceMicros(1000000);
  ASSERT_EQ(rig.Do(2, 0), 0u);
  double expected = std::fmod(rig.control.RotorAngle() - 100.0, 360.0);
  if (expected < 0) expected += 360.0;
  EXPECT_NEAR(rig.control.EncoderAngle(), expected, 1e-6);

  // Off again (flags byte AND 0xFD): a new zero stays where it was made.
  ASSERT_EQ(rig.Do(8, 0x00), 0u);
  ASSERT_EQ(rig.Do(0, 0), 0u);
  double zero2 = rig.control.RotorAngle();
  rig.clock.AdvanceMicros(7000000);
  ASSERT_EQ(rig.Do(2, 0), 0u);
  EXPECT_NEAR(rig.control.EncoderAngle(), std::fmod(rig.control.RotorAngle() - zero2, 360.0), 1e-6);
}

TEST(SimControl, PhotoEyeResyncsKeepTheSamplesFlowing) {
  SimConfig c;
  c.manualDriveRpm = 300.0;
  c.photoEyeMark = 37.0;
  Rig rig(c);
  ASSERT_EQ(rig.Do(8, 0xE2), 0u);
  rig.clock.AdvanceMicros(300000);  // past the mark once: zero moved, groups dropped
  ASSERT_EQ(rig.Do(2, 0), 0u);
  // Later passes of the mark leave the zero where it is: the stream of
  // groups continues without a gap for several turns.
  int next = -1;
  for (int i = 0; i < 1500; ++i) {
    rig.clock.AdvanceMicros(1000);
    ASSERT_EQ(rig.Do(2, 0), 0u);
    testing::RefPacket p = testing::DecodeRef(rig.reply);
    ASSERT_GT(p.groups, 0) << i;
    if (next >= 0) {
      ASSERT_EQ(p.angle, next) << i;
    }
    next = (p.angle + p.groups * p.step) % 360;
  }
}

TEST(SimControl, AbsolutePositionOfTheOptionEncoder) {
  Rig none;
  ASSERT_EQ(none.Do(7, 1), 0u);
  EXPECT_EQ(Signed16(none.reply[0], none.reply[1]), -32768);

  SimConfig c;
  c.optionEncoder = true;
  c.optionEncoderPosition = 1.5;
  Rig rig(c);
  ASSERT_EQ(rig.Do(7, 1), 0u);
  EXPECT_EQ(Signed16(rig.reply[0], rig.reply[1]), 1500);
  ASSERT_EQ(rig.Do(7, 0), 0u);  // zeroes the indicator
  rig.control.SetOptionEncoderPosition(1.25);
  ASSERT_EQ(rig.Do(7, 1), 0u);
  EXPECT_EQ(Signed16(rig.reply[0], rig.reply[1]), -250);
  // Far out it saturates rather than read as "no position".
  rig.control.SetOptionEncoderPosition(-100.0);
  ASSERT_EQ(rig.Do(7, 1), 0u);
  EXPECT_EQ(Signed16(rig.reply[0], rig.reply[1]), -32767);
}

TEST(SimControl, RemoteStartIsReportedWhileTheButtonIsHeld) {
  SimConfig c;
  c.remoteStartAtMs = 100.0;
  c.remoteStartHoldMs = 200.0;
  Rig rig(c);
  rig.clock.AdvanceMicros(50000);
  rig.Power(0);
  EXPECT_EQ(rig.reply[2], 0);
  rig.clock.AdvanceMicros(100000);
  rig.Power(0);
  EXPECT_EQ(rig.reply[2], 1);
  rig.clock.AdvanceMicros(200000);
  rig.Power(0);
  EXPECT_EQ(rig.reply[2], 0);
  rig.control.PressRemoteStart(10.0);
  rig.Power(0);
  EXPECT_EQ(rig.reply[2], 1);
}

TEST(SimControl, TransfersTakeVirtualTimeAndUnknownRequestsStall) {
  Rig rig;
  int64_t before = rig.clock.NowMicros();
  ASSERT_EQ(rig.Do(2, 0), 0u);
  EXPECT_EQ(rig.clock.NowMicros() - before, 500);
  std::memset(rig.reply, 0xAA, sizeof(rig.reply));
  EXPECT_EQ(rig.Do(5, 0), kErrorGenFailure);
  EXPECT_EQ(rig.reply[0], 0xAA);  // a failed transfer leaves the buffer alone
  ASSERT_EQ(rig.control.Log().size(), 2u);
  EXPECT_EQ(rig.control.Log()[1].request, 5);
  EXPECT_EQ(rig.control.Log()[1].status, kErrorGenFailure);
  EXPECT_EQ(rig.control.Log()[1].timeUs, 500);
}

}  // namespace
}  // namespace balancer::sim
