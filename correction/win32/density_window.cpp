#include "correction/win32/density_window.h"

#include <memory>

#include "correction/density_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/model_screen_window.h"

namespace balancer {

namespace {

const std::vector<ItemPlace> kPlaces = {
    {345, 20, 50, 140, 36},  {346, 20, 100, 140, 36},      {347, 20, 150, 140, 36},
    {348, 20, 220, 140, 36}, {kIdExit, 300, 290, 120, 40},
};
// "Slug", "Grams per Cubic Inch", the weight unit.
const std::vector<ItemPlace> kTexts = {{0, 20, 18, 0, 0}, {0, 20, 262, 0, 0}, {0, 240, 157, 0, 0}};

class DensityWindow : public ModelScreen {
 public:
  explicit DensityWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings) {}
  char Code() const override { return 'D'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  const std::vector<ItemPlace>& Places() const override { return kPlaces; }
  const std::vector<ItemPlace>& TextPlaces() const override { return kTexts; }
  ScreenEntryStore* Store() override { return &model_; }
  void OnCommand(int id) override { Apply(model_.Press(id)); }
  void OnChar(int character) override { Apply(model_.Key(character)); }
  void OnCloseRequest() override { Apply(model_.Press(kIdExit)); }

 private:
  DensityScreen model_;
};

}  // namespace

HWND OpenDensityWindow(const ScreenContext& context) {
  if (context.kit.settings == nullptr) return nullptr;
  return OpenScreenOver(std::make_unique<DensityWindow>(context), kDensityWindowClass,
                        "Heavy Metal Density", WS_CAPTION | WS_SYSMENU, 400, 150, 460, 390);
}

}  // namespace balancer
