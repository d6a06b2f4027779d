// Shared ground of the screen tests: a main window with the dialogue kit
// wired to records the test owns, over a fake control whose shaft angle and
// option encoder position the test sets. Screens open from the main window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/win32/app_state.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_routing.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "main_fixture.h"
#include "support/fake_transport.h"

namespace balancer {
namespace testmain {

struct ScreenFixture : ::testing::Test {
  void SetUp() override {
    static bool registered = RegisterAppWindowClasses(Instance());
    ASSERT_TRUE(registered);
    folder = FreshTempFolder("screen_test");
    WireMainWindow(main, link, fake, clock, message, folder, settings, ui);
    kit.instance = Instance();
    main.kit = &kit;
    ConnectMessageRouting(kit);
    fake.responder = [this](uint8_t request, uint16_t, uint8_t* reply) -> uint32_t {
      std::vector<uint8_t> bytes;
      if (request == kRequestAngleAndSamples) bytes = test::FakeTransport::AngleReply(angle);
      if (request == kRequestMotorPower) bytes = test::FakeTransport::SpeedReply(0);
      if (request == kRequestAbsolutePosition) {
        bytes = {static_cast<uint8_t>(position & 0xFF),
                 static_cast<uint8_t>((position >> 8) & 0xFF)};
      }
      std::copy(bytes.begin(), bytes.end(), reply);
      return 0;
    };
  }
  void TearDown() override {
    if (kit.entry.hwnd != nullptr) DestroyWindow(kit.entry.hwnd);
    if (kit.childScreen != nullptr) DestroyWindow(kit.childScreen);
    CloseMainWindows(main, message);
  }
  // The main window, past the settings notice, with no transfers recorded.
  HWND CreateMain() {
    HWND hwnd = CreateMainWindowPastNotice(main, link, message);
    fake.transfers.clear();
    return hwnd;
  }
  static std::string Title(HWND hwnd) {
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }

  int angle = 50;       // degrees the control reports
  int position = 1250;  // option encoder counts
  test::FakeTransport fake;
  VirtualClock clock;
  ControlLink link;
  ProgramFolder folder;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
  KitContext kit{MainKitServices(main, settings, folder, ui, link, message)};
};

}  // namespace testmain
}  // namespace balancer
