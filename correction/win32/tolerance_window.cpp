#include "correction/win32/tolerance_window.h"

#include <cstring>
#include <memory>

#include "correction/screen_ids.h"
#include "correction/tolerance_screen.h"
#include "correction/win32/model_screen_window.h"

namespace balancer {

namespace {

const std::vector<ItemPlace> kPlaces = {
    {238, 20, 20, 260, 40},
    {239, 20, 70, 260, 40},
    {kIdClassFirst, 20, 130, 380, 40},
    {kIdClassFirst + 1, 20, 180, 380, 40},
    {kIdCalculate, 20, 240, 140, 40},
    {241, 20, 340, 100, 36},
    {242, 20, 384, 100, 36},
    {kIdExit, 500, 420, 100, 40},
};
// "Actual Tolerance", "Tolerance on Shaft", the two "Radius" lines.
const std::vector<ItemPlace> kTexts = {
    {0, 200, 250, 0, 0}, {0, 20, 305, 0, 0}, {0, 330, 346, 0, 0}, {0, 330, 390, 0, 0}};

class ToleranceWindow : public ModelScreen {
 public:
  explicit ToleranceWindow(const ScreenContext& context)
      : ModelScreen(context),
        model_(*context.kit.settings, context.correction.toleranceCalculator) {}
  char Code() const override { return 't'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  const std::vector<ItemPlace>& Places() const override { return kPlaces; }
  const std::vector<ItemPlace>& TextPlaces() const override { return kTexts; }
  ScreenEntryStore* Store() override { return &model_; }
  void PaintMore(HDC dc) override {
    const char* unit = model_.UnitLabel();
    TextOutA(dc, S(200), S(275), unit, static_cast<int>(strlen(unit)));
  }
  void OnCommand(int id) override { Apply(model_.Press(id)); }
  void OnChar(int character) override { Apply(model_.Key(character)); }
  void OnCloseRequest() override { Apply(model_.Press(kIdExit)); }

 private:
  ToleranceScreen model_;
};

}  // namespace

HWND OpenToleranceWindow(const ScreenContext& context, ChildScreen* parent) {
  if (context.kit.settings == nullptr) return nullptr;
  auto screen = std::make_unique<ToleranceWindow>(context);
  if (parent != nullptr)
    return OpenSubScreen(*parent, std::move(screen), "Tolerance Calculation",
                         WS_CAPTION | WS_SYSMENU, 330, 90, 620, 510);
  return OpenChildScreen(std::move(screen), "Tolerance Calculation", WS_CAPTION | WS_SYSMENU, 330,
                         90, 620, 510);
}

}  // namespace balancer
