// Zeroing the shaft: the window only when a zone exists, Zero turning the
// readings and zones with the reference, Sync leaving them, photo-eye mode.
#include "app/zero_shaft.h"

#include <gtest/gtest.h>

#include "base/operator_ui.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using test::FakeTransport;

struct ZeroShaftTest : ::testing::Test {
  void SetUp() override {
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    left = {100.0, 30.0};
    right = {50.0, 10.5};
    zones = {40, 80, 0, 0};
  }
  FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  PlaneReading left, right;
  CorrectionZones zones;
};

TEST(ZeroShaftWindow, OpensOnlyWhenASideHasAZone) {
  EXPECT_FALSE(ZeroShaftNeedsWindow(CorrectionZones{0, 0, 0, 0}));
  EXPECT_FALSE(ZeroShaftNeedsWindow(CorrectionZones{90, 90, 200, 200}));
  EXPECT_TRUE(ZeroShaftNeedsWindow(CorrectionZones{10, 20, 0, 0}));
  EXPECT_TRUE(ZeroShaftNeedsWindow(CorrectionZones{0, 0, 350, 10}));
}

TEST(ZeroShaftWindow, KeysAndButtons) {
  EXPECT_EQ(ZeroShaftKey('z'), ZeroShaftPress::kZero);
  EXPECT_EQ(ZeroShaftKey('Z'), ZeroShaftPress::kZero);
  EXPECT_EQ(ZeroShaftKey('s'), ZeroShaftPress::kSync);
  EXPECT_EQ(ZeroShaftKey('x'), ZeroShaftPress::kNone);
  EXPECT_EQ(ZeroShaftButton(244), ZeroShaftPress::kZero);
  EXPECT_EQ(ZeroShaftButton(245), ZeroShaftPress::kSync);
  EXPECT_EQ(ZeroShaftButton(56), ZeroShaftPress::kNone);
}

TEST(ZeroShaftWindow, SyncInPhotoEyeModeZeroesNothingAndTellsWhy) {
  ZeroShaftOutcome sync = DecideZeroShaftPress(ZeroShaftPress::kSync, 0);
  EXPECT_TRUE(sync.zero && sync.sync && !sync.syncMessage);
  ZeroShaftOutcome eye = DecideZeroShaftPress(ZeroShaftPress::kSync, 1);
  EXPECT_FALSE(eye.zero);
  EXPECT_TRUE(eye.syncMessage);
  ZeroShaftOutcome zero = DecideZeroShaftPress(ZeroShaftPress::kZero, 1);
  EXPECT_TRUE(zero.zero && !zero.sync && !zero.syncMessage);
  OperatorMessage m = PhotoEyeSyncMessage();
  EXPECT_EQ(m.caption, "Sync");
  EXPECT_EQ(m.text,
            "Everything will automatically re-synchronize when you spin again,\n"
            "or when the photo-eye sees the tape or mark.");
  EXPECT_EQ(m.firstButtonWidth, 60);
  EXPECT_EQ(m.x, 270);
  EXPECT_EQ(m.y, 182);
  EXPECT_EQ(m.width, 600);
  EXPECT_EQ(m.height, 190);
}

TEST_F(ZeroShaftTest, ZeroTurnsReadingsAndZonesByTheAngleZeroed) {
  fake.QueueReply(FakeTransport::AngleReply(50));
  EXPECT_EQ(ZeroTheShaft(link, false, left, right, zones), 50);
  EXPECT_EQ(fake.TransfersOf(kRequestZero).size(), 1u);
  EXPECT_DOUBLE_EQ(left.angle, 340.0);  // 30 - 50 + 360
  EXPECT_DOUBLE_EQ(right.angle, 320.5);
  EXPECT_DOUBLE_EQ(left.amount, 100.0);
  EXPECT_EQ(zones.zoneStartLeft, 350);
  EXPECT_EQ(zones.zoneEndLeft, 30);
  EXPECT_EQ(zones.zoneStartRight, 310);  // no zone stays no zone
  EXPECT_EQ(zones.zoneEndRight, 310);
}

TEST_F(ZeroShaftTest, SyncZeroesTheControlButLeavesReadingsOnTheShaft) {
  fake.QueueReply(FakeTransport::AngleReply(50));
  EXPECT_EQ(ZeroTheShaft(link, true, left, right, zones), 50);
  EXPECT_EQ(fake.TransfersOf(kRequestZero).size(), 1u);
  EXPECT_DOUBLE_EQ(left.angle, 30.0);
  EXPECT_EQ(zones.zoneStartLeft, 40);
}

TEST_F(ZeroShaftTest, PhotoEyeModeMovesTheSoftZeroOnly) {
  link.SoftZeroActive = 1;
  link.SoftZeroOffset = 0;
  fake.QueueReply(FakeTransport::AngleReply(20));
  EXPECT_EQ(ZeroTheShaft(link, false, left, right, zones), 20);
  EXPECT_TRUE(fake.TransfersOf(kRequestZero).empty());
  EXPECT_EQ(link.SoftZeroOffset, -20);
  EXPECT_DOUBLE_EQ(left.angle, 10.0);
}

TEST_F(ZeroShaftTest, WithoutAControlNothingMoves) {
  fake.Unplug();
  link.connected = 0;
  EXPECT_EQ(ZeroTheShaft(link, false, left, right, zones), -1);
  EXPECT_DOUBLE_EQ(left.angle, 30.0);
  EXPECT_EQ(zones.zoneStartLeft, 40);
}

}  // namespace
}  // namespace balancer
