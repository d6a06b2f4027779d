// The Indicator from the main window: where it opens, its buttons by mode,
// the live position read by the timer, Zero and Exit.
#include <gtest/gtest.h>

#include "app/indicator.h"
#include "app/main_commands.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

struct IndicatorFixture : testmain::ScreenFixture {
  HWND Create(bool twoPlane = true) {
    HWND hwnd = CreateMain();
    settings.twoPlaneMode = twoPlane ? 1 : 0;
    main.indicatorAvailable = true;
    return hwnd;
  }
};

TEST_F(IndicatorFixture, OpensBelowTheStatusFieldWithItsFourButtons) {
  HWND hwnd = Create();
  RunMainCommand(main, kCmdIndicator);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(Title(screen), "Indicator");
  EXPECT_EQ(kit.screenCode, 'e');
  EXPECT_FALSE(IsWindowEnabled(hwnd));
  RECT r;
  GetWindowRect(screen, &r);
  EXPECT_EQ(r.left, 485);
  EXPECT_EQ(r.top, 157);
  EXPECT_EQ(r.bottom - r.top, 381);
  for (int id : {kIndicatorLeftId, kIndicatorRightId, kIndicatorZeroId, kIndicatorExitId}) {
    EXPECT_NE(GetDlgItem(screen, id), nullptr) << id;
  }
  EXPECT_EQ(Title(GetDlgItem(screen, kIndicatorZeroId)), "&Zero");
  SendMessageA(screen, WM_CHAR, 'e', 0);
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  EXPECT_EQ(kit.screenCode, 0);
}

TEST_F(IndicatorFixture, SinglePlaneHasNoSideButtons) {
  Create(false);
  SendMessageA(main.hwnd, WM_CHAR, 'c', 0);  // the key opens it too
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDlgItem(screen, kIndicatorLeftId), nullptr);
  EXPECT_EQ(GetDlgItem(screen, kIndicatorRightId), nullptr);
  RECT r;
  GetWindowRect(screen, &r);
  EXPECT_EQ(r.left, 710);
  EXPECT_EQ(r.top, 80);
  SendMessageA(GetDlgItem(screen, kIndicatorExitId), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(screen));
}

TEST_F(IndicatorFixture, TheTimerReadsThePositionOnlyWhileOpen) {
  Create();
  MainWindowTick(main);
  EXPECT_TRUE(fake.TransfersOf(kRequestAbsolutePosition).empty());
  RunMainCommand(main, kCmdIndicator);
  ASSERT_NE(kit.childScreen, nullptr);
  MainWindowTick(main);
  auto reads = fake.TransfersOf(kRequestAbsolutePosition);
  ASSERT_EQ(reads.size(), 1u);
  EXPECT_EQ(reads[0].value, 1);
  EXPECT_EQ(main.indicatorReading, 1250);
  position = -32768;
  MainWindowTick(main);
  EXPECT_EQ(main.indicatorReading, -32768);
}

TEST_F(IndicatorFixture, ZeroSendsTheZeroRequestOnlyWhileConnected) {
  Create();
  RunMainCommand(main, kCmdIndicator);
  HWND screen = kit.childScreen;
  ASSERT_NE(screen, nullptr);
  SendMessageA(screen, WM_CHAR, 'z', 0);
  auto zeroes = fake.TransfersOf(kRequestAbsolutePosition);
  ASSERT_EQ(zeroes.size(), 1u);
  EXPECT_EQ(zeroes[0].value, 0);
  EXPECT_TRUE(IsWindow(screen));  // Zero keeps the window
  link.connected = 0;
  SendMessageA(screen, WM_CHAR, 'z', 0);
  EXPECT_EQ(fake.TransfersOf(kRequestAbsolutePosition).size(), 1u);
}

TEST_F(IndicatorFixture, NotOpenedWithoutAnEncoderOrAControl) {
  Create();
  main.indicatorAvailable = false;
  RunMainCommand(main, kCmdIndicator);
  EXPECT_EQ(kit.childScreen, nullptr);
  main.indicatorAvailable = true;
  link.connected = 0;
  fake.Unplug();
  RunMainCommand(main, kCmdIndicator);
  EXPECT_EQ(kit.childScreen, nullptr);
}

}  // namespace
}  // namespace balancer
