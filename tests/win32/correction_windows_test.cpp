// The correction windows over the main window: opened by button and key,
// driven by keys, closed by Esc, each change reaching the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/main_commands.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "main_fixture.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using testmain::Instance;

struct CorrectionWindows : ::testing::Test {
  void SetUp() override {
    static bool registered = RegisterAppWindowClasses(Instance());
    ASSERT_TRUE(registered);
    folder = testmain::FreshTempFolder("correction_windows_test");
    testmain::WireMainWindow(main, link, fake, clock, message, folder, settings, ui);
    kit.instance = Instance();
    kit.message = &message;
    kit.settings = &settings;
    kit.folder = &folder;
    kit.ui = &ui;
    kit.link = &link;
    kit.correction = &main.correction;
    main.kit = &kit;
    fake.responder = [](uint8_t request, uint16_t, uint8_t* reply) -> uint32_t {
      std::vector<uint8_t> bytes;
      if (request == kRequestAngleAndSamples) bytes = test::FakeTransport::AngleReply(40);
      if (request == kRequestMotorPower) bytes = test::FakeTransport::SpeedReply(0);
      std::copy(bytes.begin(), bytes.end(), reply);
      return 0;
    };
    testmain::CreateMainWindowPastNotice(main, link, message);
    main.left = {150.0, 90.0};
    main.right = {150.0, 270.0};
    main.correction.readingsPresent = true;
    RecomputeCorrections(main);
  }
  void TearDown() override {
    if (kit.childScreen != nullptr) DestroyWindow(kit.childScreen);
    testmain::CloseMainWindows(main, message);
  }
  void Key(int character) { SendMessageA(kit.childScreen, WM_CHAR, character, 0); }

  test::FakeTransport fake;
  VirtualClock clock;
  ControlLink link;
  ProgramFolder folder;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  KitContext kit;
  Win32OperatorUi ui{main, message};
};

TEST_F(CorrectionWindows, DrillSetupOpensByButtonAndKeyAndTogglesRadialCompensation) {
  RunMainCommand(main, kCmdDrillSetup);
  ASSERT_NE(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 'd');
  Key(27);
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));

  SendMessageA(main.hwnd, WM_CHAR, 'd', 0);
  ASSERT_NE(kit.childScreen, nullptr);
  main.correction.drill[kLeftSide].holesHeld = true;
  Key('c');
  EXPECT_EQ(settings.radialCompensation, 1);
  EXPECT_FALSE(main.correction.drill[kLeftSide].holesHeld);
  Key('e');
  EXPECT_EQ(kit.childScreen, nullptr);
}

}  // namespace
}  // namespace balancer
