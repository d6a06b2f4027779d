// Spin and Acquire from the main window against the simulated machine in
// virtual time.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>

#include "app/main_commands.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_spin.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "correction/adjustment.h"
#include "device/clock.h"
#include "main_fixture.h"
#include "sim/sim_config.h"
#include "sim/sim_transport.h"

namespace balancer {
namespace {

using testmain::Drain;
using testmain::Instance;

struct MainSpinFixture : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(RegisterAppWindowClasses(Instance()));
    folder = testmain::FreshTempFolder("main_spin_test");
    testmain::WireMainWindow(main, link, transport, clock, message, folder, settings, ui);
    link.spinActive = &spinActive;
  }
  void TearDown() override { testmain::CloseMainWindows(main, message); }
  // The settings load at creation; the mode is set after it.
  HWND Create(int speedControl) {
    OpenControl(link);
    HWND hwnd = CreateMainWindow(main);
    message.owner = hwnd;
    if (message.hwnd != nullptr) AnswerMessageWindow(message, kMessageOkId);
    Drain();
    settings.speedControl = speedControl;
    return hwnd;
  }
  // Closes whatever the spin left on screen.
  void CloseMessages() {
    for (int i = 0; i < 5 && message.hwnd != nullptr; ++i) {
      AnswerMessageWindow(message, kMessageOkId);
    }
  }

  VirtualClock clock;
  sim::SimTransport transport{clock, sim::SimConfig()};
  ControlLink link;
  int spinActive = 0;
  ProgramFolder folder;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
};

TEST_F(MainSpinFixture, SpinInAutoLeavesReadingsCorrectionsAndAHistoryRecord) {
  HWND hwnd = Create(1);
  ASSERT_TRUE(MainConnected(main));
  transport.control().ClearManualDrive();
  SendMessageA(hwnd, WM_CHAR, 's', 0);
  EXPECT_EQ(main.spin.SpinActive, 1);
  EXPECT_GT(main.left.amount + main.right.amount, 0.0);
  EXPECT_TRUE(main.correction.readingsPresent);
  // Both sides now hold readings a known weight can calibrate against.
  EXPECT_EQ(main.correction.measured, (std::array<bool, 2>{true, true}));
  EXPECT_FALSE(main.result.right.text.empty());
  EXPECT_EQ(main.history.historyCount, 1);
  EXPECT_EQ(main.screenCode, 'x');
  EXPECT_FALSE(main.spinRunning);
  CloseMessages();
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  // In Auto the A key starts nothing.
  SendMessageA(hwnd, WM_CHAR, 'a', 0);
  EXPECT_EQ(main.history.historyCount, 1);
}

TEST_F(MainSpinFixture, RemoteStartButtonSpinsInAutoOnATimerTick) {
  HWND hwnd = Create(1);
  ASSERT_TRUE(MainConnected(main));
  transport.control().ClearManualDrive();
  MainWindowTick(main);
  EXPECT_EQ(main.history.historyCount, 0);  // no button, no spin
  transport.control().PressRemoteStart(200.0);
  MainWindowTick(main);
  EXPECT_EQ(main.history.historyCount, 1);
  EXPECT_EQ(main.spin.SpinActive, 1);
  EXPECT_TRUE(main.correction.readingsPresent);
  CloseMessages();
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  // Released by the end of the spin: the next tick starts nothing.
  MainWindowTick(main);
  EXPECT_EQ(main.history.historyCount, 1);
}

TEST_F(MainSpinFixture, DrillPointIsOffAfterASpinAndTheDepthsLoseTheTipAllowance) {
  Create(1);
  transport.control().ClearManualDrive();
  RunMainCommand(main, kCmdDrillPoint);
  ASSERT_TRUE(main.correction.drillPoint);
  SendMessageA(main.hwnd, WM_CHAR, 's', 0);
  CloseMessages();
  EXPECT_FALSE(main.correction.drillPoint);
  EXPECT_EQ(main.correction.tipAllowance[0], 0.0);
  EXPECT_EQ(main.correction.tipAllowance[1], 0.0);
  // The result shown was computed without the option: the same pass run
  // again now gives the same holes.
  CorrectionResult shown = main.result;
  RecomputeCorrections(main);
  ASSERT_EQ(main.result.left.method, CorrectionMethod::kDrill);
  EXPECT_DOUBLE_EQ(shown.left.drill.holeDepth, main.result.left.drill.holeDepth);
  EXPECT_DOUBLE_EQ(shown.right.drill.holeDepth, main.result.right.drill.holeDepth);
  EXPECT_EQ(shown.left.text, main.result.left.text);
  EXPECT_EQ(shown.right.text, main.result.right.text);
}

TEST_F(MainSpinFixture, ANewSpinReleasesHandAdjustedHolesAndSlugs) {
  Create(1);
  transport.control().ClearManualDrive();
  SendMessageA(main.hwnd, WM_CHAR, 's', 0);
  CloseMessages();
  ASSERT_EQ(main.result.left.method, CorrectionMethod::kDrill);
  // The left fan adjusted by hand, the right side fitted with slugs (a zone
  // that leaves its heavy spot off the counterweight) and one of them moved.
  main.correction.drill[kLeftSide].holesHeld = true;
  main.correction.drill[kLeftSide].holeDepth = 1.069;
  int off = static_cast<int>(main.result.right.plane.displayAngle) + 180;
  main.zones.zoneStartRight = (off + 300) % 360;
  main.zones.zoneEndRight = (off + 60) % 360;
  RecomputeCorrections(main);
  ASSERT_TRUE(main.correction.right.outsideZone);
  ASSERT_GT(main.correction.slugs[kRightSide].SlugCount(), 0);
  MoveItem(settings, main.correction, kRightSide, AdjustItem::kSlug, 0, kCw5);
  ASSERT_TRUE(main.correction.slugs[kRightSide].slugsHeld);

  SendMessageA(main.hwnd, WM_CHAR, 's', 0);
  CloseMessages();
  ASSERT_EQ(main.spin.SpinActive, 1);
  EXPECT_FALSE(main.correction.drill[kLeftSide].holesHeld);
  EXPECT_FALSE(main.correction.slugs[kRightSide].slugsHeld);
  // What the screen shows is the planners' fresh plan for the new reading.
  MachineSettings freshSettings = settings;
  CorrectionState fresh;
  fresh.readingsPresent = true;
  PlaneReading l = main.left, r = main.right;
  CorrectionResult planned = RunCorrectionPass(l, r, freshSettings, main.zones, fresh, nullptr);
  EXPECT_EQ(main.result.left.text, planned.left.text);
  EXPECT_DOUBLE_EQ(main.result.left.drill.holeDepth, planned.left.drill.holeDepth);
  EXPECT_EQ(main.result.right.text, planned.right.text);
  ASSERT_EQ(main.result.right.slugs.SlugCount(), planned.right.slugs.SlugCount());
  for (int j = 0; j < planned.right.slugs.SlugCount(); ++j) {
    EXPECT_DOUBLE_EQ(main.result.right.slugs.slugs[j].angle, planned.right.slugs.slugs[j].angle);
  }
}

TEST_F(MainSpinFixture, AKeyCancelsTheSpinAndLeavesZeroReadings) {
  HWND hwnd = Create(1);
  transport.control().ClearManualDrive();
  PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(hwnd, WM_COMMAND, kCmdSpin, 0);
  EXPECT_EQ(main.spin.SpinActive, 0);
  EXPECT_EQ(main.spin.left.amount, 0.0);
  // The transformation makes a sliver of the 0, but nothing was measured.
  EXPECT_EQ(main.correction.measured, (std::array<bool, 2>{false, false}));
  EXPECT_EQ(main.history.historyCount, 0);
  EXPECT_EQ(main.screenCode, 'x');
  CloseMessages();
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST_F(MainSpinFixture, AcquireInManualWhileTheShaftIsDrivenFromOutside) {
  HWND hwnd = Create(0);
  transport.control().SetManualDrive(settings.shaftRpm);
  main.autoAcquireArmed = true;
  SendMessageA(hwnd, WM_CHAR, 's', 0);  // S is the Auto key
  EXPECT_EQ(main.history.historyCount, 0);
  SendMessageA(hwnd, WM_CHAR, 'A', 0);
  EXPECT_FALSE(main.autoAcquireArmed);
  EXPECT_EQ(main.spin.SpinActive, 1);
  EXPECT_EQ(main.history.historyCount, 1);
  CloseMessages();
}

}  // namespace
}  // namespace balancer
