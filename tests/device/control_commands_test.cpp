#include "device/control_commands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "base/operator_ui.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using test::FakeTransport;

class CommandsTest : public ::testing::Test {
 protected:
  void Connect(uint16_t firmware = 0x0304) {
    fake.firmwareVersion = firmware;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    link.spinActive = &spinActive;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
    fake.transfers.clear();
  }

  FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  int spinActive = 1;
};

TEST_F(CommandsTest, OpenReadsFirmwareAndRepaintsOnlyWithMainWindow) {
  Connect(0x0305);
  EXPECT_EQ(link.FirmwareVersion, 0x0305);
  EXPECT_EQ(link.deviceDescriptor[8], 0xEF);
  EXPECT_TRUE(ui.repaints.empty());

  link.mainWindowExists = true;
  OpenControl(link);
  ASSERT_EQ(ui.repaints.size(), 1u);
  EXPECT_EQ(ui.repaints[0], RepaintArea::kHardwareStatus);

  fake.Unplug();
  OpenControl(link);
  EXPECT_EQ(link.connected, 0);
  EXPECT_EQ(ui.repaints.size(), 1u);
  // The version seen last in this run stays known.
  EXPECT_EQ(link.FirmwareVersion, 0x0305);

  char text[40];
  FormatFirmwareVersion(0x0304, text, sizeof text);
  EXPECT_STREQ(text, "Firmware Version 3.04");
}

TEST_F(CommandsTest, RequestLatchesErrorsAndKeepsStaleReply) {
  Connect();
  fake.QueueReply({1, 2, 3});
  EXPECT_EQ(ControlRequest(link, 2, 0), 0u);
  fake.QueueError(kErrorGenFailure);
  EXPECT_EQ(ControlRequest(link, 2, 0), kErrorGenFailure);
  EXPECT_EQ(link.TransferErrorLatch, 1);
  EXPECT_EQ(link.reply[0], 1);
  EXPECT_EQ(link.reply[2], 3);
  fake.QueueReply({9});
  EXPECT_EQ(ControlRequest(link, 2, 0), 0u);
  EXPECT_EQ(link.TransferErrorLatch, 0);
  EXPECT_EQ(link.reply[0], 9);
  EXPECT_EQ(link.reply[2], 0);
  // The success clears the latch but not the count of failures.
  EXPECT_EQ(link.transferFailures, 1u);
  fake.Unplug();
  ControlRequest(link, 1, 0);
  ControlRequest(link, 1, 0);
  EXPECT_EQ(link.transferFailures, 3u);
  ControlLink noTransport;
  ControlRequest(noTransport, 1, 0);
  EXPECT_EQ(noTransport.transferFailures, 1u);
}

TEST(DataStage, ShortTransferReplacesOnlyTheBytesReceived) {
  uint8_t received[kReplySize];
  std::memset(received, 0xCD, sizeof received);
  uint8_t reply[kReplySize];
  std::memset(reply, 0x11, sizeof reply);
  StoreDataStage(received, 10, reply);
  for (int i = 0; i < kReplySize; ++i) ASSERT_EQ(reply[i], i < 10 ? 0xCD : 0x11) << i;
  // Nothing received: nothing changes. A count above 64 stops at 64.
  std::memset(reply, 0x11, sizeof reply);
  StoreDataStage(received, 0, reply);
  EXPECT_EQ(reply[0], 0x11);
  StoreDataStage(received, 1000, reply);
  EXPECT_EQ(reply[63], 0xCD);
  StoreDataStage(nullptr, 10, reply);  // no buffer: no crash, no change
}

TEST_F(CommandsTest, ShortReplyKeepsThePreviousReplyPastItsEnd) {
  Connect();
  std::vector<uint8_t> full(kReplySize, 0x11);
  fake.QueueReply(full);
  ASSERT_EQ(ControlRequest(link, kRequestAngleAndSamples, 0), 0u);
  // Four bytes of a new packet header; the groups are still the last packet's.
  fake.QueueShortReply({2, 1, 0x2C, 0x01}, 4);
  ASSERT_EQ(ControlRequest(link, kRequestAngleAndSamples, 0), 0u);
  EXPECT_EQ(link.TransferErrorLatch, 0);
  for (int i = 4; i < kReplySize; ++i) ASSERT_EQ(link.reply[i], 0x11) << i;
  SamplePacket p = DecodeSamplePacket(link.reply);
  EXPECT_EQ(p.angle, 300);
  EXPECT_EQ(p.left[0], 0x111);
  EXPECT_EQ(p.right[1], 0x111);
  // A one-byte speed reply keeps the previous high byte and remote-start flag.
  fake.QueueReply(FakeTransport::SpeedReply(500, true));
  EXPECT_EQ(SetMotorPower(link, 10), 500);
  fake.QueueShortReply({0xF5}, 1);
  EXPECT_EQ(SetMotorPower(link, 10), 501);
  EXPECT_EQ(link.RemoteStartFlag, 1);
}

TEST_F(CommandsTest, CloseReleasesInterfaceOnlyWhenConnected) {
  Connect();
  EXPECT_EQ(CloseControl(link), 1);
  EXPECT_EQ(link.connected, 1);  // left to the next OpenControl
  EXPECT_EQ(CloseControl(link), 0);
  link.connected = 0;
  CloseControl(link);
  EXPECT_EQ(fake.closeReleasedInterface, (std::vector<bool>{true, true, false}));
}

TEST_F(CommandsTest, NotConnectedCommandsSendNothing) {
  link.transport = &fake;
  link.clock = &clock;
  link.MotorPower = 40;
  EXPECT_EQ(SetMotorPower(link, 100), 0);
  EXPECT_EQ(ReadShaftAngle(link), 0);
  EXPECT_EQ(ReadAbsolutePosition(link, 1), 0);
  EXPECT_FALSE(ReadAverageSpeed(link).has_value());
  ZeroShaftAction(link);
  WriteEepromByte(link, 1, 2);
  SetPhotoEyeMode(link, 0xC2);
  PulseBrake(link);
  EXPECT_TRUE(fake.transfers.empty());
  // The angle still carries the soft zero.
  link.SoftZeroActive = 1;
  link.SoftZeroOffset = 90;
  EXPECT_EQ(ReadShaftAngle(link), 90);
}

TEST(DecodeTest, Signed16AndSamplePacket) {
  EXPECT_EQ(DecodeSigned16(0x38, 0xFF), -200);
  EXPECT_EQ(DecodeSigned16(0xF4, 0x01), 500);
  EXPECT_EQ(DecodeSigned16(0x67, 0x01), 359);
  EXPECT_EQ(DecodeSigned16(0x00, 0x80), -32768);

  uint8_t reply[64] = {};
  reply[0] = 20;
  reply[1] = 3;
  reply[2] = 0x2C;
  reply[3] = 0x01;  // 300
  for (int k = 0; k < 20; ++k) EncodeSampleGroup(0xABC - k, 0x123 + k, reply + 4 + 3 * k);
  SamplePacket p = DecodeSamplePacket(reply);
  EXPECT_EQ(p.groups, 20);
  EXPECT_EQ(p.step, 3);
  EXPECT_EQ(p.angle, 300);
  EXPECT_EQ(p.left[0], 0xABC);
  EXPECT_EQ(p.right[0], 0x123);
  EXPECT_EQ(p.left[19], 0xABC - 19);
  EXPECT_EQ(p.right[19], 0x123 + 19);  // from byte 63
  EXPECT_EQ(reply[6], 0x23);
  EXPECT_EQ(reply[5], 0xA1);

  // Counts a control must not send are clamped, never read past 64 bytes.
  reply[0] = 100;
  EXPECT_EQ(DecodeSamplePacket(reply).groups, 20);
  EXPECT_EQ(DecodeSamplePacket(reply).rawGroups, 100);
  reply[0] = 0xF0;  // -16
  p = DecodeSamplePacket(reply);
  EXPECT_EQ(p.groups, 0);
  EXPECT_EQ(p.left[0], 0);
  reply[1] = 0xFF;
  EXPECT_EQ(DecodeSamplePacket(reply).step, -1);
}

TEST_F(CommandsTest, MotorPowerDecodesSpeedAndRemoteStart) {
  Connect();
  fake.QueueReply(FakeTransport::SpeedReply(-200, true));
  EXPECT_EQ(SetMotorPower(link, 120), -200);
  EXPECT_EQ(link.RemoteStartFlag, 1);
  EXPECT_EQ(link.MotorPower, 120);
  EXPECT_EQ(fake.transfers.back(), (FakeTransport::Transfer{1, 120}));
  EXPECT_EQ(spinActive, 1);

  // A failed read still decodes the old reply, and ends the spin.
  fake.QueueError(kErrorSemTimeout);
  EXPECT_EQ(SetMotorPower(link, 0), -200);
  EXPECT_EQ(spinActive, 0);
  EXPECT_EQ(link.TransferErrorLatch, 1);

  fake.QueueReply({0xF4, 0x01, 2});
  EXPECT_EQ(SetMotorPower(link, 999), 500);
  EXPECT_EQ(link.RemoteStartFlag, 0);  // only the value 1 counts
  EXPECT_EQ(fake.transfers.back().value, 255);
}

TEST_F(CommandsTest, ShaftAngleSoftZeroAndPacing) {
  Connect();
  fake.QueueReply(FakeTransport::AngleReply(359));
  EXPECT_EQ(ReadShaftAngle(link), 359);
  EXPECT_EQ(clock.pacingCalls, 1);  // 10 MHz counter

  link.SoftZeroActive = 1;
  link.SoftZeroOffset = 350;
  fake.QueueReply(FakeTransport::AngleReply(20));
  EXPECT_EQ(ReadShaftAngle(link), 10);
  link.SoftZeroOffset = -30;
  fake.QueueReply(FakeTransport::AngleReply(20));
  EXPECT_EQ(ReadShaftAngle(link), 350);

  VirtualClock slow(9000000);
  ControlLink slowLink;
  slowLink.transport = &fake;
  slowLink.clock = &slow;
  OpenControl(slowLink);
  ReadShaftAngle(slowLink);
  EXPECT_EQ(slow.pacingCalls, 0);
  VirtualClock none(0);
  slowLink.clock = &none;
  slowLink.performanceFrequency = 0;
  OpenControl(slowLink);
  ReadShaftAngle(slowLink);
  EXPECT_EQ(none.pacingCalls, 0);
}

TEST_F(CommandsTest, AngleErrorRediscoversControl) {
  Connect();
  link.mainWindowExists = true;
  fake.QueueReply(FakeTransport::AngleReply(45));
  ReadShaftAngle(link);

  // Other errors: stale reply decoded, no re-discovery.
  fake.QueueError(kErrorGenFailure);
  EXPECT_EQ(ReadShaftAngle(link), 45);
  EXPECT_EQ(fake.closes, 0);

  // The control came back (replugged): reopened, still connected, but its
  // photo-eye zero is gone.
  link.SoftZeroActive = 1;
  fake.QueueError(kErrorBadCommand);
  EXPECT_EQ(ReadShaftAngle(link), 45);
  EXPECT_EQ(fake.closes, 1);
  EXPECT_EQ(fake.closeReleasedInterface, std::vector<bool>{true});
  EXPECT_EQ(fake.opens, 2);
  EXPECT_EQ(link.connected, 1);
  EXPECT_EQ(link.SoftZeroActive, 0);

  // Gone for good: "No Hardware" needs the whole window repainted.
  ui.repaints.clear();
  fake.Unplug();
  ReadShaftAngle(link);
  EXPECT_EQ(link.connected, 0);
  EXPECT_EQ(ui.repaints, std::vector<RepaintArea>{RepaintArea::kWholeMainWindow});
  size_t sent = fake.transfers.size();
  ReadShaftAngle(link);
  EXPECT_EQ(fake.transfers.size(), sent);
}

TEST_F(CommandsTest, SoftZeroSurvivesOnlyWhileConnected) {
  Connect();
  link.SoftZeroActive = 1;
  OpenControl(link);  // re-opened while connected
  EXPECT_EQ(link.SoftZeroActive, 1);
  link.connected = 0;
  OpenControl(link);  // found again after it was gone
  EXPECT_EQ(link.SoftZeroActive, 0);
}

TEST_F(CommandsTest, ZeroShaftMovesSoftOffsetOrZeroesControl) {
  Connect();
  fake.QueueReply(FakeTransport::AngleReply(100));
  ZeroShaftAction(link);
  EXPECT_EQ(fake.TransfersOf(kRequestZero).size(), 1u);
  EXPECT_GE(clock.NowMicros(), 10000);

  link.SoftZeroActive = 1;
  link.SoftZeroOffset = -300;
  fake.transfers.clear();
  fake.QueueReply(FakeTransport::AngleReply(100));  // reads as 160
  ZeroShaftAction(link);
  EXPECT_EQ(link.SoftZeroOffset, -100);  // -300 - 160 = -460, back into range
  EXPECT_TRUE(fake.TransfersOf(kRequestZero).empty());
  fake.QueueReply(FakeTransport::AngleReply(100));
  EXPECT_EQ(ReadShaftAngle(link), 0);
}

TEST_F(CommandsTest, BrakePulseOnlyForFirmware304AndMotorPortTypes) {
  for (uint16_t firmware : {0x0304, 0x0305, 0x0300}) {
    for (int type = 0; type <= 5; ++type) {
      fake.transfers.clear();
      Connect(firmware);
      link.optionPortType = type;
      ui.focusRequests = 0;
      uint32_t before = clock.TickCount();
      PulseBrake(link);
      bool expected = firmware == 0x0304 && (type == 0 || type == 1 || type == 3);
      SCOPED_TRACE(testing::Message() << "firmware " << firmware << " type " << type);
      if (expected) {
        ASSERT_EQ(fake.transfers.size(), 2u);
        EXPECT_EQ(fake.transfers[0], (FakeTransport::Transfer{6, 1}));
        EXPECT_EQ(fake.transfers[1], (FakeTransport::Transfer{6, 0}));
        EXPECT_GE(clock.TickCount() - before, 150u);
        EXPECT_EQ(ui.focusRequests, 1);
      } else {
        EXPECT_TRUE(fake.transfers.empty());
        EXPECT_EQ(ui.focusRequests, 0);
      }
    }
  }
}

TEST_F(CommandsTest, AbsolutePositionAndPhotoEye) {
  Connect();
  fake.QueueReply({0x00, 0x80});
  EXPECT_EQ(ReadAbsolutePosition(link, 1), kNoAbsolutePosition);
  fake.QueueReply({0x10, 0x00});
  EXPECT_EQ(ReadAbsolutePosition(link, 0), 0);
  EXPECT_EQ(fake.transfers.back(), (FakeTransport::Transfer{7, 0}));

  EXPECT_EQ(PhotoEyeOnByte(1), 0xC2);
  EXPECT_EQ(PhotoEyeOnByte(0), 0xE2);
  link.lastFlagsByte = 0xA2;
  EXPECT_EQ(PhotoEyeOffByte(link), 0xA0);
  SetPhotoEyeMode(link, PhotoEyeOnByte(0));
  EXPECT_EQ(fake.transfers.back(), (FakeTransport::Transfer{8, 0xE2}));
}

// The speed of a read that must have measured one.
double Measured(std::optional<double> speed) {
  EXPECT_TRUE(speed.has_value());
  return speed.value_or(-1.0);
}

TEST_F(CommandsTest, AverageSpeedNewFirmwareFiveReads) {
  Connect(0x0300);
  link.MotorPower = 77;
  fake.defaultReply[0] = 400 & 0xFF;
  fake.defaultReply[1] = 400 >> 8;
  EXPECT_DOUBLE_EQ(Measured(ReadAverageSpeed(link)), 400.0);
  ASSERT_EQ(fake.transfers.size(), 5u);
  for (const auto& t : fake.transfers) EXPECT_EQ(t, (FakeTransport::Transfer{1, 77}));

  fake.transfers.clear();
  for (int rpm : {100, 101, 102, 103, 105}) fake.QueueReply(FakeTransport::SpeedReply(rpm));
  EXPECT_DOUBLE_EQ(Measured(ReadAverageSpeed(link)), 102.2);
}

TEST_F(CommandsTest, AverageSpeedOldFirmwareFiltersOutliers) {
  Connect(0x0210);
  // 17 reads at 1000, two at 1015 and a wild one at 1300: the first pass
  // drops 1300 (mean 1016.5), the second the 1015s (mean2 about 1001.6).
  for (int i = 0; i < 17; ++i) fake.QueueReply(FakeTransport::SpeedReply(1000));
  fake.QueueReply(FakeTransport::SpeedReply(1015));
  fake.QueueReply(FakeTransport::SpeedReply(1015));
  fake.QueueReply(FakeTransport::SpeedReply(1300));
  uint32_t before = clock.TickCount();
  EXPECT_DOUBLE_EQ(Measured(ReadAverageSpeed(link)), 1000.0);
  EXPECT_EQ(fake.transfers.size(), 20u);
  EXPECT_GE(clock.TickCount() - before, 200u);

  // Spread over the second band: nothing survives it, mean2 is the result.
  fake.transfers.clear();
  for (int i = 0; i < 10; ++i) {
    fake.QueueReply(FakeTransport::SpeedReply(990));
    fake.QueueReply(FakeTransport::SpeedReply(1010));
  }
  EXPECT_DOUBLE_EQ(Measured(ReadAverageSpeed(link)), 1000.0);

  // Reverse rotation averages like forward rotation.
  fake.defaultReply[0] = 0x38;
  fake.defaultReply[1] = 0xFF;
  EXPECT_DOUBLE_EQ(Measured(ReadAverageSpeed(link)), -200.0);
}

TEST_F(CommandsTest, AverageSpeedOldFirmwareGivesUpWithoutASpeed) {
  Connect(0x0210);
  EXPECT_FALSE(ReadAverageSpeed(link).has_value());
  EXPECT_EQ(fake.transfers.size(), 20u * kFilteredAverageMaxRounds);
  EXPECT_EQ(spinActive, 1);  // every read succeeded; ending a spin is the caller's call

  // Reads alternating 390 and 410 all fall outside 2 % of their mean of 400:
  // no round survives, and the give-up must not pass for a speed.
  Connect(0x0205);
  fake.responder = [n = 0](uint8_t, uint16_t, uint8_t* reply) mutable -> uint32_t {
    int rpm = n++ % 2 == 0 ? 390 : 410;
    reply[0] = static_cast<uint8_t>(rpm & 0xFF);
    reply[1] = static_cast<uint8_t>(rpm >> 8);
    return 0;
  };
  EXPECT_FALSE(ReadAverageSpeed(link).has_value());
  EXPECT_EQ(fake.transfers.size(), 20u * kFilteredAverageMaxRounds);
  fake.responder = nullptr;

  // A shaft that gets going in the second round is still measured.
  fake.transfers.clear();
  for (int i = 0; i < 20; ++i) fake.QueueReply(FakeTransport::SpeedReply(0));
  fake.defaultReply[0] = 44;
  fake.defaultReply[1] = 1;  // 300
  EXPECT_DOUBLE_EQ(Measured(ReadAverageSpeed(link)), 300.0);
  EXPECT_EQ(fake.transfers.size(), 40u);
}

TEST_F(CommandsTest, EepromRequestsCarryAddressAndData) {
  Connect();
  WriteEepromByte(link, 150, 3);
  EXPECT_EQ(fake.transfers.back(), (FakeTransport::Transfer{4, 150 * 256 + 3}));
  EXPECT_EQ(ReadEepromBlock(link, 150)[0], 3);
  EXPECT_EQ(fake.transfers.back(), (FakeTransport::Transfer{3, 150}));
}

}  // namespace
}  // namespace balancer
