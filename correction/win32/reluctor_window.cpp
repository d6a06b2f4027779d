// The "Reluctor Simulator" window (ScreenCode "r"), opened by its letter.
#include <cstring>
#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/screen_registry.h"
#include "base/field_codes.h"
#include "correction/reluctor_screen.h"
#include "correction/screen_ids.h"

namespace balancer {

namespace {

class ReluctorWindow : public ModelScreen {
 public:
  explicit ReluctorWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings) {}
  char Code() const override { return kScreenReluctor; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  void PaintMore(HDC dc) override {
    ReluctorExplanation lines = model_.Explanation();
    for (int i = 0; i < lines.count; ++i) {
      SetTextColor(dc, lines.red[i] ? RGB(255, 0, 0) : RGB(0, 0, 104));
      TextOutA(dc, S(20), S(290 + 26 * i), lines.lines[i],
               static_cast<int>(std::strlen(lines.lines[i])));
    }
  }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kIdOk); }

 private:
  ReluctorScreen model_;
};

// Over `parent` when given (Machine Setup), else over the main window.
HWND OpenReluctorWindow(const ScreenContext& context, ChildScreen* parent) {
  return OpenScreenOn(parent, std::make_unique<ReluctorWindow>(context), "Reluctor Simulator",
                      WS_CAPTION | WS_SYSMENU, 300, 110, 680, 470);
}

}  // namespace

REGISTER_SCREEN(kScreenReluctor, OpenReluctorWindow);

}  // namespace balancer
