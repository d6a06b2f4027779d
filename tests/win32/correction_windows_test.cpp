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
#include "screen_fixture.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

struct CorrectionWindows : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    angle = 40;
    CreateMain();
    main.left = {150.0, 90.0};
    main.right = {150.0, 270.0};
    main.correction.readingsPresent = true;
    RecomputeCorrections(main);
  }
  void Key(int character) { SendMessageA(kit.childScreen, WM_CHAR, character, 0); }
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
