// The main window's buttons, keys and questions over a scripted control.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "base/program_identity.h"
#include "device/clock.h"
#include "main_fixture.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using testmain::Drain;
using testmain::Instance;

// The window's own visible flag (the main window itself stays hidden here).
bool Shown(HWND child) {
  return (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

struct MainCommandsFixture : ::testing::Test {
  void SetUp() override {
    static bool registered = RegisterAppWindowClasses(Instance());
    ASSERT_TRUE(registered);
    folder = testmain::FreshTempFolder("main_commands_test");
    testmain::WireMainWindow(main, link, fake, clock, message, folder, settings, ui);
  }
  void TearDown() override { testmain::CloseMainWindows(main, message); }
  HWND Create() { return testmain::CreateMainWindowPastNotice(main, link, message); }
  void Key(int ch) { SendMessageA(main.hwnd, WM_CHAR, ch, 0); }

  test::FakeTransport fake;
  VirtualClock clock;
  ControlLink link;
  ProgramFolder folder;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
};

TEST_F(MainCommandsFixture, ButtonsCarryTheirIdsAndTheSpinFaceFollowsSpeedControl) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  for (const MainButton& b : MainButtons(settings.speedControl)) {
    HWND button = GetDlgItem(hwnd, b.id);
    ASSERT_NE(button, nullptr) << b.id;
    char text[32] = {};
    GetWindowTextA(button, text, sizeof text);
    EXPECT_STREQ(text, "hdbubmp");
    EXPECT_TRUE(GetWindowLongA(button, GWL_STYLE) & BS_BITMAP);
    EXPECT_NE(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), 0) << b.id;
    EXPECT_EQ(Shown(button), b.id != kCmdIndicator) << b.id;
  }
  // Manual (the default) shows the "Acquire" copy, not the "Spin" face.
  EXPECT_EQ(SendMessageA(GetDlgItem(hwnd, kCmdSpin), BM_GETIMAGE, IMAGE_BITMAP, 0),
            reinterpret_cast<LRESULT>(main.res.acquireFace));
}

TEST_F(MainCommandsFixture, PlanesKeyMovesTheSetupButtonsAndHidesTheLeftSide) {
  HWND hwnd = Create();
  ASSERT_EQ(settings.twoPlaneMode, 1);
  Key('l');
  EXPECT_EQ(settings.twoPlaneMode, 0);
  EXPECT_FALSE(Shown(GetDlgItem(hwnd, kCmdAddLeft)));
  RECT drill = ChildRect(hwnd, GetDlgItem(hwnd, kCmdDrillSetup));
  EXPECT_EQ(drill.left, 902);
  EXPECT_EQ(drill.top, 320);
  RECT add = ChildRect(hwnd, GetDlgItem(hwnd, kCmdAddRight));
  EXPECT_EQ(add.left, 918);
  // L toggles the view and nothing else: no message, no other screen.
  EXPECT_EQ(message.hwnd, nullptr);
  Key('L');
  EXPECT_EQ(settings.twoPlaneMode, 1);
  EXPECT_TRUE(Shown(GetDlgItem(hwnd, kCmdAddLeft)));
  drill = ChildRect(hwnd, GetDlgItem(hwnd, kCmdDrillSetup));
  EXPECT_EQ(drill.left, 528);
}

TEST_F(MainCommandsFixture, CtrlLAsksOnlyWithAControl) {
  Create();
  ASSERT_TRUE(MainConnected(main));
  Key(12);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(message.actionCode, kActionLoadConfiguration);
  AnswerMessageWindow(message, kMessageNoId);
  fake.Unplug();
  link.connected = 0;
  Key(12);
  EXPECT_EQ(message.hwnd, nullptr);
}

TEST_F(MainCommandsFixture, SaveFinalTwiceAsksAndNoKeepsTheFirst) {
  Create();
  main.left.amount = 10.0;
  main.right.amount = 20.0;
  main.correction.readingsPresent = true;
  RecomputeCorrections(main);
  Key('f');
  ASSERT_NE(message.hwnd, nullptr);  // the storing message
  EXPECT_EQ(main.history.finalStored, 1);
  const std::string first = main.history.final.text;
  AnswerMessageWindow(message, kMessageOkId);

  main.right.amount = 99.0;
  RecomputeCorrections(main);
  Key('F');
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(message.actionCode, kCmdSaveFinal);
  AnswerMessageWindow(message, kMessageNoId);
  EXPECT_EQ(main.history.final.text, first);
}

TEST_F(MainCommandsFixture, LogoClicksOpenAboutAndTheCalibrationWarning) {
  HWND hwnd = Create();
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(570, 40));
  ASSERT_NE(message.hwnd, nullptr);
  char caption[64] = {};
  GetWindowTextA(message.hwnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "About Vidoduz Azavodad");
  AnswerMessageWindow(message, kMessageOkId);
  SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(570, 40));
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(message.actionCode, kActionCalibrationWarning);
  AnswerMessageWindow(message, kMessageNoId);
  // Away from the logo nothing opens.
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(700, 40));
  EXPECT_EQ(message.hwnd, nullptr);
}

TEST_F(MainCommandsFixture, AddToggleLightsItsLampAndCommandsWithAHighWordAreIgnored) {
  HWND hwnd = Create();
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kCmdAddRight, 1), 0);
  EXPECT_FALSE(main.correction.add[1]);
  SendMessageA(hwnd, WM_COMMAND, kCmdAddRight, 0);
  EXPECT_TRUE(main.correction.add[1]);
  SendMessageA(hwnd, WM_COMMAND, kCmdDrillPoint, 0);
  EXPECT_TRUE(main.correction.drillPoint);
  EXPECT_GT(main.correction.tipAllowance[0], 0.0);
  Key('p');
  EXPECT_FALSE(main.correction.drillPoint);
  EXPECT_EQ(main.correction.tipAllowance[0], 0.0);
}

TEST_F(MainCommandsFixture, PollCancelTakesKeysAndClicksButNotOtherTraffic) {
  HWND hwnd = Create();
  Drain();
  PostMessageA(hwnd, WM_MOUSEMOVE, 0, 0);
  EXPECT_FALSE(ui.PollCancel());
  PostMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(ui.PollCancel());
  PostMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
  EXPECT_TRUE(ui.PollCancel());
  // A touch counts only on the spin button.
  RECT spin;
  GetWindowRect(GetDlgItem(hwnd, kCmdSpin), &spin);
  PostMessageA(hwnd, 0x0246, 0, MAKELPARAM(spin.left + 5, spin.top + 5));
  EXPECT_TRUE(ui.PollCancel());
  PostMessageA(hwnd, 0x0246, 0, MAKELPARAM(spin.left - 50, spin.top + 5));
  EXPECT_FALSE(ui.PollCancel());
  EXPECT_FALSE(ui.PollCancel());  // empty queue
}

TEST_F(MainCommandsFixture, FreeRunStartsOnFastTurningAndEndsAtThirtyRpm) {
  HWND hwnd = Create();
  int angle = 20;
  int rpm = 300;
  fake.responder = [&](uint8_t request, uint16_t, uint8_t* reply) -> uint32_t {
    std::vector<uint8_t> bytes;
    if (request == 2) bytes = test::FakeTransport::AngleReply(angle);
    if (request == 1) bytes = test::FakeTransport::SpeedReply(rpm);
    std::copy(bytes.begin(), bytes.end(), reply);
    return 0;
  };
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  EXPECT_FALSE(main.freeRun);
  angle = 30;  // 10 degrees: a hand on the shaft
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  EXPECT_FALSE(main.freeRun);
  angle = 60;
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  EXPECT_TRUE(main.freeRun);
  EXPECT_NE(main.speedBar, nullptr);
  rpm = 30;
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  EXPECT_FALSE(main.freeRun);
  EXPECT_EQ(main.speedBar, nullptr);
  EXPECT_TRUE(main.autoAcquireArmed);
}

}  // namespace
}  // namespace balancer

namespace balancer {
namespace {

TEST_F(MainCommandsFixture, OptionEncoderShowsTheIndicatorBesideDrillPoint) {
  HWND hwnd = Create();
  link.optionPortType = 4;
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  EXPECT_FALSE(main.indicatorAvailable);
  link.optionPortType = 2;
  SendMessageA(hwnd, WM_TIMER, kMainTimerId, 0);
  EXPECT_TRUE(main.indicatorAvailable);
  EXPECT_TRUE(Shown(GetDlgItem(hwnd, kCmdIndicator)));
  RECT drill = ChildRect(hwnd, GetDlgItem(hwnd, kCmdDrillPoint));
  RECT indicator = ChildRect(hwnd, GetDlgItem(hwnd, kCmdIndicator));
  EXPECT_LE(drill.right, indicator.left);  // side by side, not on top of each other
  // In single-plane mode both keep their own places, and coming back the
  // Indicator returns with the rest.
  Key('l');
  indicator = ChildRect(hwnd, GetDlgItem(hwnd, kCmdIndicator));
  EXPECT_EQ(indicator.left, 890);
  EXPECT_EQ(indicator.top, 251);
  Key('l');
  indicator = ChildRect(hwnd, GetDlgItem(hwnd, kCmdIndicator));
  EXPECT_EQ(indicator.left, 573);
}

}  // namespace
}  // namespace balancer
