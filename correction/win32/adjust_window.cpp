#include "correction/win32/adjust_window.h"

#include <memory>

#include "app/display_model.h"
#include "base/field_codes.h"
#include "correction/adjust_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/dial_press_hook.h"
#include "correction/win32/dial_screen_window.h"
#include "correction/zone_setup_screen.h"
#include "device/control_commands.h"

namespace balancer {

namespace {

// The window stands beside the dial it works on, so that dial stays free.
constexpr int kWidth = 450;
constexpr int kHeight = 440;
int WindowX(Side side, bool twoPlane) {
  if (!twoPlane) return 800;
  return side == kLeftSide ? 690 : 20;
}

class AdjustWindow : public DialScreen {
 public:
  AdjustWindow(const ScreenContext& context, Side side)
      : DialScreen(context, kAdjustDialPress),
        model_(*context.kit.settings, context.correction, context.zones, side) {}
  char Code() const override { return kScreenAdjust; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenEntryStore* Store() override { return &model_; }
  ScreenPress Press(int id) override { return model_.Press(id, ShaftPosition()); }
  ScreenPress Key(int character) override { return model_.Key(character, ShaftPosition()); }
  ScreenPress CloseRequested() override { return model_.Press(kIdOk, 0); }
  // The kit hands back the answer to "Add Slug" ("Add" is accepted).
  ScreenPress Answered(int actionCode, bool accepted) override {
    if (actionCode != kAddSlugActionCode) return ScreenPress{};
    return model_.AnswerAddSlug(accepted, ShaftPosition());
  }

 private:
  // A press on the side's dial goes to the main window (which picks the slug
  // under it) and makes the nearest hole or slug the current one.
  void OnDialPress(POINT pt) override {
    const KitContext& kit = context().kit;
    RECT own;
    GetWindowRect(hwnd(), &own);
    const bool inside = PtInRect(&own, pt) != 0;
    ScreenToClient(kit.mainWindow, &pt);
    const bool two = kit.settings->twoPlaneMode == 1;
    const double s = scale();
    const double x = pt.x / s, y = pt.y / s;
    const double cx = DialCentreX(model_.side(), two);
    if (!PressGoesToDial(x, y, cx, kDialY, kDialRadius, inside)) return;
    SendMessageA(kit.mainWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    if (auto angle = DialAngleAt(cx, kDialY, kDialRadius, x, y)) CarryOut(model_.DialClick(*angle));
    InvalidateRect(hwnd(), nullptr, TRUE);
  }

  AdjustScreen model_;
};

}  // namespace

bool AdjustMouseHookInstalled() {
  return DialPressHook::InstalledFor(kAdjustDialPress);
}

HWND OpenAdjustWindow(const ScreenContext& context, Side side) {
  const bool two = context.kit.settings->twoPlaneMode == 1;
  if (!two) side = kRightSide;
  HWND hwnd = OpenChildScreen(std::make_unique<AdjustWindow>(context, side), "Adjust",
                              WS_CAPTION | WS_SYSMENU, WindowX(side, two), 60, kWidth, kHeight);
  if (hwnd != nullptr) context.host.RecomputeAndRepaint();
  return hwnd;
}

}  // namespace balancer
