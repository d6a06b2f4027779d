// The Zero Shaft Position window from the main window: at once without
// zones, Zero and Sync by button and key, Esc, photo-eye Sync.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_commands.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "app/zero_shaft.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "main_fixture.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using testmain::Instance;

struct ZeroShaftFixture : ::testing::Test {
  void SetUp() override {
    static bool registered = RegisterAppWindowClasses(Instance());
    ASSERT_TRUE(registered);
    folder = testmain::FreshTempFolder("zero_shaft_test");
    testmain::WireMainWindow(main, link, fake, clock, message, folder, settings, ui);
    kit.instance = Instance();
    kit.message = &message;
    kit.settings = &settings;
    kit.folder = &folder;
    kit.ui = &ui;
    kit.link = &link;
    main.kit = &kit;
    fake.responder = [this](uint8_t request, uint16_t, uint8_t* reply) -> uint32_t {
      std::vector<uint8_t> bytes;
      if (request == kRequestAngleAndSamples) bytes = test::FakeTransport::AngleReply(angle);
      if (request == kRequestMotorPower) bytes = test::FakeTransport::SpeedReply(0);
      std::copy(bytes.begin(), bytes.end(), reply);
      return 0;
    };
  }
  void TearDown() override {
    if (kit.childScreen != nullptr) DestroyWindow(kit.childScreen);
    testmain::CloseMainWindows(main, message);
  }
  HWND Create(CorrectionZones zones) {
    HWND hwnd = testmain::CreateMainWindowPastNotice(main, link, message);
    main.zones = zones;
    main.left = {100.0, 30.0};
    main.right = {50.0, 200.0};
    main.correction.readingsPresent = true;
    RecomputeCorrections(main);
    fake.transfers.clear();
    return hwnd;
  }
  size_t Zeroes() const { return fake.TransfersOf(kRequestZero).size(); }
  std::string Title(HWND hwnd) {
    char text[64] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }

  int angle = 50;
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

TEST_F(ZeroShaftFixture, WithoutZonesTheKeyZeroesAtOnceAndOpensNothing) {
  HWND hwnd = Create({0, 0, 0, 0});
  SendMessageA(hwnd, WM_CHAR, 'z', 0);
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_EQ(Zeroes(), 1u);
  EXPECT_DOUBLE_EQ(main.left.angle, 340.0);
  EXPECT_DOUBLE_EQ(main.right.angle, 150.0);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

TEST_F(ZeroShaftFixture, ZeroButtonTurnsReadingsAndZonesAndCloses) {
  HWND hwnd = Create({40, 80, 0, 0});
  RunMainCommand(main, kCmdZeroShaft);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  char cls[32] = {};
  GetClassNameA(screen, cls, sizeof cls);
  EXPECT_STREQ(cls, "childclass");
  EXPECT_EQ(Title(screen), "Zero Shaft Position");
  EXPECT_EQ(kit.screenCode, '0');
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  HWND zero = GetDlgItem(screen, kZeroShaftZeroId);
  HWND sync = GetDlgItem(screen, kZeroShaftSyncId);
  ASSERT_NE(zero, nullptr);
  ASSERT_NE(sync, nullptr);
  EXPECT_EQ(Title(zero), "&Zero");
  EXPECT_EQ(Title(sync), "&Sync");
  EXPECT_EQ(Zeroes(), 0u);  // nothing happens before a press

  const std::string before = main.result.left.text;
  SendMessageA(zero, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 0);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(Zeroes(), 1u);
  EXPECT_DOUBLE_EQ(main.left.angle, 340.0);
  EXPECT_EQ(main.zones.zoneStartLeft, 350);
  EXPECT_EQ(main.zones.zoneEndLeft, 30);
  EXPECT_NE(main.result.left.text, before);  // recomputed at the new angle
}

TEST_F(ZeroShaftFixture, SyncKeyZeroesButKeepsTheReadings) {
  Create({40, 80, 0, 0});
  RunMainCommand(main, kCmdZeroShaft);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 's', 0);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_EQ(Zeroes(), 1u);
  EXPECT_DOUBLE_EQ(main.left.angle, 30.0);
  EXPECT_EQ(main.zones.zoneStartLeft, 40);
}

TEST_F(ZeroShaftFixture, EscAndTheCloseBoxZeroNothing) {
  HWND hwnd = Create({40, 80, 0, 0});
  for (UINT how : {0u, 1u}) {
    RunMainCommand(main, kCmdZeroShaft);
    HWND screen = kit.childScreen;
    ASSERT_NE(screen, nullptr);
    if (how == 0) {
      SendMessageA(screen, WM_CHAR, VK_ESCAPE, 0);
    } else {
      SendMessageA(screen, WM_CLOSE, 0, 0);
    }
    EXPECT_FALSE(IsWindow(screen));
    EXPECT_TRUE(IsWindowEnabled(hwnd));
  }
  EXPECT_EQ(Zeroes(), 0u);
  EXPECT_DOUBLE_EQ(main.left.angle, 30.0);
}

TEST_F(ZeroShaftFixture, SyncInPhotoEyeModeTellsTheOperatorInstead) {
  Create({40, 80, 0, 0});
  link.SoftZeroActive = 1;
  RunMainCommand(main, kCmdZeroShaft);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 'S', 0);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_EQ(link.SoftZeroOffset, 0);
  EXPECT_EQ(Zeroes(), 0u);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Sync");
  AnswerMessageWindow(message, kMessageOkId);
}

TEST_F(ZeroShaftFixture, NotOfferedWithoutAControl) {
  Create({40, 80, 0, 0});
  link.connected = 0;
  fake.Unplug();
  RunMainCommand(main, kCmdZeroShaft);
  EXPECT_EQ(kit.childScreen, nullptr);
}

}  // namespace
}  // namespace balancer
