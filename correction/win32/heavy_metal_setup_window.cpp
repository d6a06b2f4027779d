#include "correction/win32/heavy_metal_setup_window.h"

#include <memory>

#include "correction/heavy_metal_setup_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/density_window.h"
#include "correction/win32/model_screen_window.h"
#include "correction/win32/slug_size_window.h"

namespace balancer {

namespace {

// Left column at x 20, right column at x 300; single-plane keeps the right.
const std::vector<ItemPlace> kPlaces = {
    {149, 20, 50, 150, 36},         {150, 300, 50, 150, 36},
    {151, 20, 100, 150, 36},        {152, 300, 100, 150, 36},
    {147, 20, 150, 150, 36},        {148, 300, 150, 150, 36},
    {154, 20, 200, 150, 36},        {155, 300, 200, 150, 36},
    {153, 20, 260, 250, 36},        {kIdMaterial, 20, 316, 150, 40},
    {kIdDensity, 20, 370, 230, 40}, {kIdAutoSelect, 450, 316, 140, 40},
    {kIdExit, 450, 370, 140, 40},
};
// "Left", "Right".
const std::vector<ItemPlace> kTexts = {{0, 70, 20, 0, 0}, {0, 350, 20, 0, 0}};

class HeavyMetalSetupWindow : public ModelScreen {
 public:
  explicit HeavyMetalSetupWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings) {}
  char Code() const override { return 'h'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  const std::vector<ItemPlace>& Places() const override { return kPlaces; }
  const std::vector<ItemPlace>& TextPlaces() const override { return kTexts; }
  void OnCommand(int id) override { Run(model_.Press(id)); }
  void OnChar(int character) override { Run(model_.Key(character)); }
  void OnCloseRequest() override { Run(model_.Press(kIdExit)); }

 private:
  void Run(const ScreenPress& press) {
    if (!Apply(press)) return;
    if (press.openScreen == 'p') OpenSlugSizeWindow(context());
    if (press.openScreen == 'D') OpenDensityWindow(context());
  }

  HeavyMetalSetupScreen model_;
};

}  // namespace

HWND OpenHeavyMetalSetupWindow(const ScreenContext& context) {
  if (context.kit.settings == nullptr) return nullptr;
  return OpenChildScreen(std::make_unique<HeavyMetalSetupWindow>(context), "Heavy Metal Setup",
                         WS_CAPTION | WS_SYSMENU, 330, 110, 620, 460);
}

}  // namespace balancer
