// The screens opened over another screen by letter: each letter a screen hands
// back opens its window over it through the main window's host, found in the
// registry (so its window's object must have been linked in), and any other
// letter opens nothing.
#include "app/win32/kit/screen_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "app/main_commands.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/main_parts.h"
#include "records/machine_setup_screen.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

using RegistryFixture = testmain::ScreenFixture;

HWND NoWindow(const ScreenContext&, ChildScreen*) {
  return nullptr;
}

// The screens opened by letter today, each over the screen that hands it back.
struct OpenedOver {
  int parentCommand;
  char parentCode;
  char code;
  const char* title;
};
const OpenedOver kOpenedOver[] = {
    {kCmdSettings, kScreenMachineSetup, kToleranceScreenCode, "Tolerance Calculation"},
    {kCmdSettings, kScreenMachineSetup, kReluctorScreenCode, "Reluctor Simulator"},
    {kCmdHeavyMetal, kScreenHeavyMetal, kScreenSlugSize, "Heavy Metal Size Selection"},
    {kCmdHeavyMetal, kScreenHeavyMetal, kScreenDensity, "Heavy Metal Density"},
};

TEST_F(RegistryFixture, EveryLetterOpenedOverAScreenOpensItsWindowOverIt) {
  CreateMain();
  ScreenHost& host = MainScreenHost(main);
  for (const OpenedOver& screen : kOpenedOver) {
    SCOPED_TRACE(screen.title);
    EXPECT_NE(RegisteredScreen(screen.code), nullptr);
    RunMainCommand(main, screen.parentCommand);
    HWND under = kit.childScreen;
    ASSERT_NE(under, nullptr);
    ASSERT_EQ(kit.screenCode, screen.parentCode);
    ChildScreen* parent = ChildScreenOf(under);
    ASSERT_NE(parent, nullptr);

    EXPECT_TRUE(host.OpenScreenOver(*parent, screen.code));
    HWND over = kit.childScreen;
    ASSERT_NE(over, under);
    EXPECT_EQ(Title(over), screen.title);
    EXPECT_EQ(kit.screenCode, screen.code);
    EXPECT_EQ(GetWindow(over, GW_OWNER), under);
    EXPECT_FALSE(IsWindowEnabled(under));

    DestroyWindow(over);
    EXPECT_EQ(kit.childScreen, under);
    EXPECT_EQ(kit.screenCode, screen.parentCode);
    EXPECT_TRUE(IsWindowEnabled(under));
    DestroyWindow(under);
    EXPECT_EQ(kit.childScreen, nullptr);
  }
}

TEST_F(RegistryFixture, AnUnknownLetterOpensNothing) {
  CreateMain();
  RunMainCommand(main, kCmdSettings);
  HWND setup = kit.childScreen;
  ASSERT_NE(setup, nullptr);
  ChildScreen* parent = ChildScreenOf(setup);
  ASSERT_NE(parent, nullptr);
  // Adjust is a screen, but one the main window opens with a side, never by
  // its letter alone.
  for (char code : {'q', '\0', static_cast<char>(kScreenAdjust)}) {
    SCOPED_TRACE(int{code});
    EXPECT_EQ(RegisteredScreen(code), nullptr);
    EXPECT_FALSE(MainScreenHost(main).OpenScreenOver(*parent, code));
    EXPECT_EQ(kit.childScreen, setup);
    EXPECT_EQ(kit.screenCode, kScreenMachineSetup);
    EXPECT_TRUE(IsWindowEnabled(setup));
  }
}

TEST(ScreenRegistry, ALetterKeepsItsFirstOpener) {
  ScreenOpener tolerance = RegisteredScreen(kToleranceScreenCode);
  ASSERT_NE(tolerance, nullptr);
  EXPECT_FALSE(RegisterScreen(kToleranceScreenCode, NoWindow));
  EXPECT_EQ(RegisteredScreen(kToleranceScreenCode), tolerance);
  EXPECT_FALSE(RegisterScreen('\0', NoWindow));
  EXPECT_FALSE(RegisterScreen('q', nullptr));
  EXPECT_EQ(RegisteredScreen('q'), nullptr);
}

}  // namespace
}  // namespace balancer
