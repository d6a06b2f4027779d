#include "correction/win32/zone_setup_window.h"

#include <memory>

#include "app/display_model.h"
#include "correction/screen_ids.h"
#include "correction/win32/dial_press_hook.h"
#include "correction/win32/dial_screen_window.h"
#include "correction/zone_setup_screen.h"
#include "device/control_commands.h"

namespace balancer {

namespace {

// One row under the dials, so both dials stay free to click. Single-plane
// has no left column: the right one takes its place.
const std::vector<ItemPlace> kPlacesTwo = {
    {kIdZoneBeginLeft, 15, 32, 80, 36},   {kIdZoneEndLeft, 160, 32, 80, 36},
    {kIdZoneBeginRight, 315, 32, 80, 36}, {kIdZoneEndRight, 460, 32, 80, 36},
    {kIdZoneClearAll, 610, 32, 110, 36},  {kIdHelp, 730, 32, 70, 36},
    {kIdExit, 810, 32, 70, 36},
};
const std::vector<ItemPlace> kPlacesSingle = {
    {kIdZoneBeginLeft, 15, 32, 80, 36},  {kIdZoneEndLeft, 160, 32, 80, 36},
    {kIdZoneBeginRight, 15, 32, 80, 36}, {kIdZoneEndRight, 160, 32, 80, 36},
    {kIdZoneClearAll, 610, 32, 110, 36}, {kIdHelp, 730, 32, 70, 36},
    {kIdExit, 810, 32, 70, 36},
};
// "Left", "Right", how to click.
const std::vector<ItemPlace> kTextsTwo = {{0, 15, 6, 0, 0}, {0, 315, 6, 0, 0}, {0, 15, 74, 0, 0}};
const std::vector<ItemPlace> kTextsSingle = {{0, 15, 6, 0, 0}, {0, 15, 6, 0, 0}, {0, 15, 74, 0, 0}};

class ZoneSetupWindow : public DialScreen {
 public:
  explicit ZoneSetupWindow(const ScreenContext& context)
      : DialScreen(context, kZoneDialPress),
        model_(*context.kit.settings, context.zones),
        two_(context.kit.settings->twoPlaneMode == 1) {}
  char Code() const override { return 'z'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  // The plane mode cannot change while the screen is open (the main window
  // is disabled), so the layout is chosen once.
  const std::vector<ItemPlace>& Places() const override {
    return two_ ? kPlacesTwo : kPlacesSingle;
  }
  const std::vector<ItemPlace>& TextPlaces() const override {
    return two_ ? kTextsTwo : kTextsSingle;
  }
  void OnCommand(int id) override { Apply(model_.Press(id, ShaftPosition())); }
  void OnChar(int character) override { Apply(model_.Key(character, ShaftPosition())); }
  void OnCloseRequest() override { Apply(model_.Press(kIdExit, 0)); }

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
      Apply(model_.DialClick(press->side, press->angle));
    }
  }

  ZoneSetupScreen model_;
  bool two_;
};

}  // namespace

bool ZoneSetupMouseHookInstalled() {
  return DialPressHook::InstalledFor(kZoneDialPress);
}

HWND OpenZoneSetupWindow(const ScreenContext& context) {
  if (context.kit.settings == nullptr) return nullptr;
  return OpenChildScreen(std::make_unique<ZoneSetupWindow>(context), "Correction Zone Setup",
                         WS_CAPTION | WS_SYSMENU, 190, 550, 900, 130);
}

}  // namespace balancer
