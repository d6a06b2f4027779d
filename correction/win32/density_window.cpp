// The "Heavy Metal Density" window (class "HMDensityClass", ScreenCode "D"),
// opened over Heavy Metal Setup by its letter.
#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/screen_registry.h"
#include "base/field_codes.h"
#include "correction/density_screen.h"
#include "correction/screen_ids.h"

namespace balancer {

namespace {

constexpr const char* kDensityWindowClass = "HMDensityClass";

class DensityWindow : public ModelScreen {
 public:
  explicit DensityWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings) {}
  char Code() const override { return kScreenDensity; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenEntryStore* Store() override { return &model_; }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kIdExit); }

 private:
  DensityScreen model_;
};

// Over the open screen, Heavy Metal Setup (the `parent` it is opened over).
HWND OpenDensityWindow(const ScreenContext& context, ChildScreen* /*parent*/) {
  return OpenScreenOver(std::make_unique<DensityWindow>(context), kDensityWindowClass,
                        "Heavy Metal Density", WS_CAPTION | WS_SYSMENU, 400, 150, 460, 390);
}

}  // namespace

REGISTER_SCREEN(kScreenDensity, OpenDensityWindow);

}  // namespace balancer
