#include "correction/win32/heavy_metal_setup_window.h"

#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "base/field_codes.h"
#include "correction/heavy_metal_setup_screen.h"
#include "correction/screen_ids.h"

namespace balancer {

namespace {

class HeavyMetalSetupWindow : public ModelScreen {
 public:
  explicit HeavyMetalSetupWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings) {}
  char Code() const override { return kScreenHeavyMetal; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kIdExit); }

 private:
  HeavyMetalSetupScreen model_;
};

}  // namespace

HWND OpenHeavyMetalSetupWindow(const ScreenContext& context) {
  return OpenChildScreen(std::make_unique<HeavyMetalSetupWindow>(context), "Heavy Metal Setup",
                         WS_CAPTION | WS_SYSMENU, 330, 110, 620, 460);
}

}  // namespace balancer
