#include "correction/win32/zone_setup_window.h"

#include <memory>

#include "app/display_model.h"
#include "base/field_codes.h"
#include "correction/screen_ids.h"
#include "correction/win32/dial_press_hook.h"
#include "correction/win32/dial_screen_window.h"
#include "correction/zone_setup_screen.h"
#include "device/control_commands.h"

namespace balancer {

namespace {

class ZoneSetupWindow : public DialScreen {
 public:
  explicit ZoneSetupWindow(const ScreenContext& context)
      : DialScreen(context, kZoneDialPress), model_(*context.kit.settings, context.zones) {}
  char Code() const override { return kScreenZoneSetup; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenPress Press(int id) override { return model_.Press(id, ShaftPosition()); }
  ScreenPress Key(int character) override { return model_.Key(character, ShaftPosition()); }
  ScreenPress CloseRequested() override { return model_.Press(kIdExit, 0); }

 private:
  // A press anywhere: only one on a dial of the main window marks a bound.
  void OnDialPress(POINT pt) override {
    const KitContext& kit = context().kit;
    RECT own;
    GetWindowRect(hwnd(), &own);
    if (PtInRect(&own, pt)) return;
    ScreenToClient(kit.mainWindow, &pt);
    RECT client;
    GetClientRect(kit.mainWindow, &client);
    if (!PtInRect(&client, pt)) return;
    const bool two = kit.settings->twoPlaneMode == 1;
    const DialLayout dials{static_cast<double>(DialCentreX(0, two)),
                           static_cast<double>(DialCentreX(1, two)), kDialY, kDialRadius};
    const double s = scale();
    if (auto press = DialPressAt(dials, two, pt.x / s, pt.y / s)) {
      CarryOut(model_.DialClick(press->side, press->angle));
    }
  }

  ZoneSetupScreen model_;
};

}  // namespace

bool ZoneSetupMouseHookInstalled() {
  return DialPressHook::InstalledFor(kZoneDialPress);
}

HWND OpenZoneSetupWindow(const ScreenContext& context) {
  return OpenChildScreen(std::make_unique<ZoneSetupWindow>(context), "Correction Zone Setup",
                         WS_CAPTION | WS_SYSMENU, 190, 550, 900, 130);
}

}  // namespace balancer
