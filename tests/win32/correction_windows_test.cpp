// The correction windows over the main window: opened by button and key,
// driven by keys, closed by Esc, each change reaching the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/app_state.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/design_font.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "correction/drill_setup_screen.h"
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

// Rectangle of a child in its parent's client coordinates.
RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string WithoutAccessMark(const std::string& label) {
  std::string text;
  for (char c : label) {
    if (c != '&') text += c;
  }
  return text;
}

// Every button label of Drill Setup fits its button in the design font, and
// every value drawn beside a button stays clear of the other buttons and of
// the window's edge, at both scales, in both modes and both length units.
TEST_F(CorrectionWindows, DrillSetupShowsEveryTextWhole) {
  SIZE designSize[2] = {};  // the window at scale 1.0, by mode: design units
  SIZE frame[2] = {};       // window less client area, pixels
  for (float scale : {1.0f, 1.5f}) {
    for (int mode : {1, 0}) {
      for (int unit : {0, 1}) {
        SCOPED_TRACE(testing::Message()
                     << "scale " << scale << " two-plane " << mode << " unit " << unit);
        kit.screenScale = scale;
        if (settings.twoPlaneMode != mode) SendMessageA(main.hwnd, WM_CHAR, 'l', 0);  // Planes
        ASSERT_EQ(settings.twoPlaneMode, mode);
        settings.lengthUnit = unit;
        settings.radialCompensation = unit;  // the radius boxes show either radius
        RunMainCommand(main, kCmdDrillSetup);
        HWND screen = kit.childScreen;
        ASSERT_NE(screen, nullptr);
        // The window's size at scale 1.0 is its design size. A screen
        // smaller than the window clamps it, so at 1.5 the client area is
        // taken as the window would have it: scaled, less the fixed frame.
        RECT window, client;
        GetWindowRect(screen, &window);
        GetClientRect(screen, &client);
        if (scale == 1.0f) {
          designSize[mode] = {window.right - window.left, window.bottom - window.top};
          frame[mode] = {designSize[mode].cx - client.right, designSize[mode].cy - client.bottom};
        } else {
          client.right = Scaled(designSize[mode].cx, scale) - frame[mode].cx;
          client.bottom = Scaled(designSize[mode].cy, scale) - frame[mode].cy;
        }
        EXPECT_LE(designSize[mode].cx, kDesignWidth);
        EXPECT_LE(designSize[mode].cy, kDesignHeight);
        HDC dc = GetDC(screen);
        HFONT valueFont = CreateDesignFont(20, 400, scale);

        std::vector<RECT> buttons;
        int shown = 0;
        for (HWND b = GetWindow(screen, GW_CHILD); b != nullptr; b = GetWindow(b, GW_HWNDNEXT)) {
          if (!IsWindowVisible(b)) continue;
          ++shown;
          const std::string label = WithoutAccessMark(Title(b));
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(b, WM_GETFONT, 0, 0)));
          SIZE text;
          GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &text);
          RECT inside;
          GetClientRect(b, &inside);
          // The button's own frame takes a few pixels on each side.
          EXPECT_LE(text.cx + 8, inside.right) << label;
          EXPECT_LE(text.cy, inside.bottom) << label;
          RECT r = ChildRect(b);
          EXPECT_LE(r.right, client.right) << label;
          EXPECT_LE(r.bottom, client.bottom) << label;
          buttons.push_back(r);
        }
        EXPECT_EQ(shown, mode == 1 ? 11 : 7);

        SelectObject(dc, valueFont);
        for (const ScreenItem& item : DrillSetupScreen(settings, main.correction).Items()) {
          if (item.id == 0 || !item.shown || item.value.empty()) continue;
          HWND b = GetDlgItem(screen, item.id);
          ASSERT_NE(b, nullptr) << item.label;
          SIZE text;
          GetTextExtentPoint32A(dc, item.value.c_str(), static_cast<int>(item.value.size()), &text);
          const RECT owner = ChildRect(b);
          const int middle = (owner.top + owner.bottom) / 2;
          const RECT value = {owner.right + Scaled(10, scale) - 1, middle - text.cy / 2,
                              owner.right + Scaled(10, scale) + 1 + text.cx, middle + text.cy / 2};
          EXPECT_LE(value.right, client.right) << item.value;
          for (const RECT& other : buttons) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &value, &other))
                << item.label << " " << item.value;
          }
        }
        DeleteObject(valueFont);
        ReleaseDC(screen, dc);
        Key(27);
        ASSERT_EQ(kit.childScreen, nullptr);
      }
    }
  }
}

}  // namespace
}  // namespace balancer
