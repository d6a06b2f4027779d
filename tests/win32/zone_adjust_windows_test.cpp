// Correction Zone Setup and Adjust over the main window: zones marked by the
// buttons and by presses on the dials, holes and slugs moved by hand, and the
// Adjust window's mouse hook gone however the window closes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "app/display_model.h"
#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/main_window.h"
#include "correction/adjust_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/adjust_window.h"
#include "correction/win32/zone_setup_window.h"
#include "screen_fixture.h"

namespace balancer {
namespace {

struct ZoneAdjustWindows : testmain::ScreenFixture {
  void SetUp() override {
    ScreenFixture::SetUp();
    CreateMain();
    main.left = {150.0, 90.0};
    main.right = {150.0, 270.0};
    main.correction.readingsPresent = true;
    RecomputeCorrections(main);
  }
  void Key(int character) { SendMessageA(kit.childScreen, WM_CHAR, character, 0); }
  void Press(int id) { SendMessageA(kit.childScreen, WM_COMMAND, id, 0); }

  // The main window's client pixel of a dial point.
  POINT DialPixel(int side, double radius, double degrees) {
    double x, y;
    DialPoint(DialCentreX(side, settings.twoPlaneMode == 1), kDialY, radius, degrees, x, y);
    return POINT{Scaled(x, kit.screenScale), Scaled(y, kit.screenScale)};
  }
  // What the hook hands the open screen for a press at that client pixel.
  void HookPress(UINT message, POINT client) {
    ClientToScreen(main.hwnd, &client);
    SendMessageA(kit.childScreen, message, 0,
                 MAKELPARAM(static_cast<short>(client.x), static_cast<short>(client.y)));
  }
  // A real double-click on the main window (opens Adjust on a placement).
  void MainPress(POINT client) {
    SendMessageA(main.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    SendMessageA(main.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    SendMessageA(main.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  }
  POINT PlacementPixel(int side, int index) {
    const SideCorrection& sc = side == 0 ? main.result.left : main.result.right;
    std::vector<PlacementCircle> c = PlacementCircles(sc, side, settings.twoPlaneMode == 1);
    EXPECT_LT(index, static_cast<int>(c.size()));
    if (index >= static_cast<int>(c.size())) return POINT{0, 0};
    return POINT{Scaled(c[index].x, kit.screenScale), Scaled(c[index].y, kit.screenScale)};
  }
  std::string MessageText() {
    HWND text = FindWindowExA(message.hwnd, nullptr, "STATIC", nullptr);
    char buffer[512] = {};
    if (text != nullptr) GetWindowTextA(text, buffer, sizeof buffer);
    return buffer;
  }
  void OpenAdjustOnLeftHole() {
    ASSERT_EQ(main.result.left.method, CorrectionMethod::kDrill);
    // One press alone opens nothing.
    const POINT hole = PlacementPixel(0, 0);
    SendMessageA(main.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hole.x, hole.y));
    ASSERT_EQ(kit.childScreen, nullptr);
    MainPress(hole);
    ASSERT_NE(kit.childScreen, nullptr);
    ASSERT_EQ(kit.screenCode, 'a');
  }
};

TEST_F(ZoneAdjustWindows, ZoneSetupOpensByButtonAndKeyAndTheButtonsTakeTheShaftPosition) {
  RunMainCommand(main, kCmdZoneSetup);
  ASSERT_NE(kit.childScreen, nullptr);
  EXPECT_EQ(kit.screenCode, 'z');
  EXPECT_EQ(Title(kit.childScreen), "Correction Zone Setup");
  EXPECT_FALSE(IsWindowEnabled(main.hwnd));
  EXPECT_TRUE(ZoneSetupMouseHookInstalled());
  Key(27);
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_FALSE(ZoneSetupMouseHookInstalled());

  SendMessageA(main.hwnd, WM_CHAR, 'n', 0);
  ASSERT_NE(kit.childScreen, nullptr);
  angle = 200;
  Press(kIdZoneBeginLeft);
  angle = 310;
  Press(kIdZoneEndLeft);
  EXPECT_EQ(main.zones.zoneStartLeft, 200);
  EXPECT_EQ(main.zones.zoneEndLeft, 310);
  // The heavy spot at 90 lies outside: the left side is corrected with slugs.
  EXPECT_TRUE(main.result.left.plane.outsideZone);
  EXPECT_NE(main.result.left.text.find("slug at"), std::string::npos) << main.result.left.text;
  EXPECT_EQ(main.result.right.method, CorrectionMethod::kDrill);

  Key('c');  // Clear All
  EXPECT_EQ(main.zones.zoneStartLeft, 0);
  EXPECT_EQ(main.result.left.method, CorrectionMethod::kDrill);
  Press(kIdExit);
  EXPECT_EQ(kit.childScreen, nullptr);
  EXPECT_TRUE(IsWindowEnabled(main.hwnd));
}

TEST_F(ZoneAdjustWindows, PressesOnTheDialsMarkStartThenEndAndSwitchTheSideToHeavyMetal) {
  RunMainCommand(main, kCmdZoneSetup);
  ASSERT_NE(kit.childScreen, nullptr);
  HookPress(kZoneDialPress, DialPixel(1, 120.0, 30.0));
  HookPress(kZoneDialPress, DialPixel(1, 150.0, 150.0));
  EXPECT_EQ(main.zones.zoneStartRight, 30);
  EXPECT_EQ(main.zones.zoneEndRight, 150);
  EXPECT_TRUE(main.result.right.plane.outsideZone);
  EXPECT_EQ(main.result.right.method, CorrectionMethod::kSlug);

  // Off the dials, on the screen itself, or with a question open: nothing.
  HookPress(kZoneDialPress, POINT{Scaled(570, kit.screenScale), Scaled(275, kit.screenScale)});
  RECT own;
  GetWindowRect(kit.childScreen, &own);
  POINT inside{own.left + 5, own.top + 40};
  ScreenToClient(main.hwnd, &inside);
  HookPress(kZoneDialPress, inside);
  EXPECT_EQ(main.zones.zoneStartLeft, 0);
  EXPECT_EQ(main.zones.zoneStartRight, 30);
  kit.ui->ShowMessage(PastCenterMessage());
  ASSERT_NE(message.hwnd, nullptr);
  HookPress(kZoneDialPress, DialPixel(0, 100.0, 200.0));
  EXPECT_EQ(main.zones.zoneStartLeft, 0);
  AnswerMessageWindow(message, kMessageOkId);

  HookPress(kZoneDialPress, DialPixel(0, 100.0, 200.0));
  HookPress(kZoneDialPress, DialPixel(0, 100.0, 310.0));
  // A pixel is about a third of a degree this near the hub.
  EXPECT_NEAR(main.zones.zoneStartLeft, 200, 1);
  EXPECT_NEAR(main.zones.zoneEndLeft, 310, 1);
  EXPECT_EQ(main.result.left.method, CorrectionMethod::kSlug);
}

TEST_F(ZoneAdjustWindows, SinglePlaneTakesOnlyTheMiddleDial) {
  SetBalancingMode(settings, 0);
  RecomputeCorrections(main);
  RunMainCommand(main, kCmdZoneSetup);
  ASSERT_NE(kit.childScreen, nullptr);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(kit.childScreen, kIdZoneBeginLeft)));
  // The right column takes the left one's place.
  RECT begin;
  GetWindowRect(GetDlgItem(kit.childScreen, kIdZoneBeginRight), &begin);
  MapWindowPoints(HWND_DESKTOP, kit.childScreen, reinterpret_cast<POINT*>(&begin), 2);
  EXPECT_EQ(begin.left, Scaled(15, kit.screenScale));
  HookPress(kZoneDialPress, DialPixel(1, 120.0, 10.0));
  EXPECT_EQ(main.zones.zoneStartRight, 10);
  EXPECT_EQ(main.zones.zoneStartLeft, 0);
}

TEST_F(ZoneAdjustWindows, AHoleMovedPastTheCentreIsRefusedWithTheAlert) {
  const int planned = main.result.left.drill.holeCount;
  OpenAdjustOnLeftHole();
  EXPECT_EQ(Title(kit.childScreen), "Adjust");
  EXPECT_TRUE(AdjustMouseHookInstalled());
  // Opening split the single hole and held the fan.
  EXPECT_GE(main.correction.drill[kLeftSide].holeCount, 2);
  EXPECT_TRUE(main.correction.drill[kLeftSide].holesHeld);
  EXPECT_GE(main.result.left.drill.holeCount, 2);

  const DrillPlan before = main.correction.drill[kLeftSide];
  for (int i = 0; i < 40 && message.hwnd == nullptr; ++i) Press(kIdCcw5);
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "ALERT");
  EXPECT_EQ(MessageText(), "Past Center!");
  EXPECT_EQ(main.correction.drill[kLeftSide].holeCount, before.holeCount);
  AnswerMessageWindow(message, kMessageOkId);
  EXPECT_EQ(kit.screenCode, 'a');
  EXPECT_TRUE(AdjustMouseHookInstalled());

  Key('r');  // Reset All gives the side back to the planner
  EXPECT_FALSE(main.correction.drill[kLeftSide].holesHeld);
  EXPECT_EQ(main.result.left.drill.holeCount, planned);
  Key('o');
  EXPECT_EQ(kit.childScreen, nullptr);
}

TEST_F(ZoneAdjustWindows, SlugsAreAddedDeletedAndPickedOnTheDial) {
  main.zones.zoneStartLeft = 180;
  main.zones.zoneEndLeft = 330;
  RecomputeCorrections(main);
  ASSERT_EQ(main.result.left.method, CorrectionMethod::kSlug);
  MainPress(PlacementPixel(0, 0));
  ASSERT_EQ(kit.screenCode, 'a');
  EXPECT_EQ(main.correction.selectedSlugSide, kLeftSide);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(kit.childScreen, kIdAddSlug)));

  const int count = main.correction.slugs[kLeftSide].SlugCount();
  angle = 255;
  Key('a');
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(MessageText(),
            "Roll the crank until the desired new slug\n"
            "location is at top dead center,\n"
            "then click Add.");
  AnswerMessageWindow(message, kMessageYesId);  // "Add"
  ASSERT_EQ(main.correction.slugs[kLeftSide].SlugCount(), count + 1);
  EXPECT_EQ(std::lround(main.correction.slugs[kLeftSide].slugs[count].angle * 57.29577951308), 255);
  EXPECT_TRUE(main.correction.slugs[kLeftSide].slugsHeld);
  Key('a');
  AnswerMessageWindow(message, kMessageNoId);  // "Cancel"
  EXPECT_EQ(main.correction.slugs[kLeftSide].SlugCount(), count + 1);

  // A press on the dial outside the window picks the slug under it.
  main.correction.selectedSlugSide = -1;
  HookPress(kAdjustDialPress, PlacementPixel(0, 0));
  EXPECT_EQ(main.correction.selectedSlugSide, kLeftSide);
  EXPECT_EQ(main.correction.selectedSlugIndex, 0);

  while (main.correction.slugs[kLeftSide].SlugCount() > 1 && message.hwnd == nullptr) Key('d');
  Key('d');
  ASSERT_NE(message.hwnd, nullptr);
  EXPECT_EQ(Title(message.hwnd), "Warning");
  EXPECT_EQ(MessageText(), "You can't delete the last slug.");
  EXPECT_EQ(main.correction.slugs[kLeftSide].SlugCount(), 1);
}

// However Adjust goes, its hook goes with it.
TEST_F(ZoneAdjustWindows, TheMouseHookIsRemovedOnEveryWayTheWindowCloses) {
  struct Way {
    const char* name;
    void (*close)(ZoneAdjustWindows&);
  };
  const Way ways[] = {
      {"OK", [](ZoneAdjustWindows& t) { t.Press(kIdOk); }},
      {"Esc", [](ZoneAdjustWindows& t) { t.Key(27); }},
      {"close box", [](ZoneAdjustWindows& t) { SendMessageA(t.kit.childScreen, WM_CLOSE, 0, 0); }},
      {"another screen", [](ZoneAdjustWindows& t) { RunMainCommand(t.main, kCmdDrillSetup); }},
      {"main window with a message over it",
       [](ZoneAdjustWindows& t) {
         // Down to the last hole, which is refused with a "Warning".
         for (int i = 0; i < 20 && t.message.hwnd == nullptr; ++i) t.Press(kIdDelete);
         ASSERT_NE(t.message.hwnd, nullptr);
         SendMessageA(t.main.hwnd, WM_CLOSE, 0, 0);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    if (main.hwnd == nullptr) break;
    if (kit.childScreen != nullptr) DestroyWindow(kit.childScreen);
    OpenAdjustOnLeftHole();
    ASSERT_TRUE(AdjustMouseHookInstalled());
    way.close(*this);
    EXPECT_FALSE(AdjustMouseHookInstalled());
    EXPECT_NE(kit.screenCode, 'a');
  }
  EXPECT_EQ(main.hwnd, nullptr);
}

}  // namespace
}  // namespace balancer
