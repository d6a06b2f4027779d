#include "correction/win32/drill_setup_window.h"

#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "base/field_codes.h"
#include "correction/drill_setup_screen.h"
#include "correction/screen_ids.h"

namespace balancer {

namespace {

// Window sizes by mode; the window stays inside the design space.
constexpr int kTwoPlaneWidth = 1000;
constexpr int kSinglePlaneWidth = 590;
constexpr int kWindowHeight = 470;

class DrillSetupWindow : public ModelScreen {
 public:
  explicit DrillSetupWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings, context.correction) {}
  char Code() const override { return kScreenDrillSetup; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kIdExit); }

 private:
  DrillSetupScreen model_;
};

}  // namespace

HWND OpenDrillSetupWindow(const ScreenContext& context) {
  const int width = context.kit.settings->twoPlaneMode != 0 ? kTwoPlaneWidth : kSinglePlaneWidth;
  return OpenChildScreen(std::make_unique<DrillSetupWindow>(context), "Drill Setup",
                         WS_CAPTION | WS_SYSMENU, (1280 - width) / 2, 110, width, kWindowHeight);
}

}  // namespace balancer
