// The "Tolerance Calculation" window (ScreenCode "t"), opened by its letter.
#include <cstring>
#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/screen_registry.h"
#include "base/field_codes.h"
#include "correction/screen_ids.h"
#include "correction/tolerance_screen.h"

namespace balancer {

namespace {

class ToleranceWindow : public ModelScreen {
 public:
  explicit ToleranceWindow(const ScreenContext& context)
      : ModelScreen(context),
        model_(*context.kit.settings, context.correction.toleranceCalculator) {}
  char Code() const override { return kScreenTolerance; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenEntryStore* Store() override { return &model_; }
  void PaintMore(HDC dc) override {
    const char* unit = model_.UnitLabel();
    TextOutA(dc, S(200), S(275), unit, static_cast<int>(strlen(unit)));
  }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kIdExit); }

 private:
  ToleranceScreen model_;
};

// Over `parent` when given (Machine Setup), else over the main window.
HWND OpenToleranceWindow(const ScreenContext& context, ChildScreen* parent) {
  return OpenScreenOn(parent, std::make_unique<ToleranceWindow>(context), "Tolerance Calculation",
                      WS_CAPTION | WS_SYSMENU, 330, 90, 620, 510);
}

}  // namespace

REGISTER_SCREEN(kScreenTolerance, OpenToleranceWindow);

}  // namespace balancer
