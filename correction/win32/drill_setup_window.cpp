#include "correction/win32/drill_setup_window.h"

#include <memory>

#include "correction/drill_setup_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/model_screen_window.h"

namespace balancer {

namespace {

// Columns: left boxes at x 200, right boxes at x 400; single-plane uses the
// right column.
const std::vector<ItemPlace> kPlaces = {
    {320, 200, 60, 100, 36},           {321, 400, 60, 100, 36},
    {102, 400, 60, 100, 36},           {147, 200, 110, 100, 36},
    {148, 400, 110, 100, 36},          {100, 200, 160, 100, 36},
    {101, 400, 160, 100, 36},          {145, 200, 210, 100, 36},
    {146, 400, 210, 100, 36},          {kIdMaterial, 20, 280, 150, 40},
    {kIdRadialComp, 20, 330, 220, 40}, {kIdExit, 500, 380, 100, 40},
};
// "Left", "Right", "Drill Diameter", "Shaft Radius", "Correction Rad."
const std::vector<ItemPlace> kTexts = {{0, 210, 25, 0, 0},
                                       {0, 410, 25, 0, 0},
                                       {0, 20, 66, 0, 0},
                                       {0, 20, 116, 0, 0},
                                       {0, 20, 166, 0, 0}};

class DrillSetupWindow : public ModelScreen {
 public:
  explicit DrillSetupWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings, context.correction) {}
  char Code() const override { return 'd'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  const std::vector<ItemPlace>& Places() const override { return kPlaces; }
  const std::vector<ItemPlace>& TextPlaces() const override { return kTexts; }
  void OnCommand(int id) override { Apply(model_.Press(id)); }
  void OnChar(int character) override { Apply(model_.Key(character)); }
  void OnCloseRequest() override { Apply(model_.Press(kIdExit)); }

 private:
  DrillSetupScreen model_;
};

}  // namespace

HWND OpenDrillSetupWindow(const ScreenContext& context) {
  if (context.kit.settings == nullptr) return nullptr;
  return OpenChildScreen(std::make_unique<DrillSetupWindow>(context), "Drill Setup",
                         WS_CAPTION | WS_SYSMENU, 320, 110, 640, 470);
}

}  // namespace balancer
