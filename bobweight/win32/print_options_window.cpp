#include "bobweight/win32/print_options_window.h"

#include <memory>
#include <string>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/value_box.h"
#include "bobweight/bobweight_screen.h"

namespace balancer {

namespace {

struct Layout {
  static constexpr int kX = 290, kY = 60, kWidth = 700, kHeight = 580;
  static constexpr int kLeftBoxX = 280, kRightBoxX = 460, kBoxW = 160, kBoxH = 40;
};

class PrintOptionsWindow : public ModelScreen {
 public:
  explicit PrintOptionsWindow(const ScreenContext& context)
      : ModelScreen(context, ModelScreenLook{20, 20, 600}),
        model_(*context.card, *context.rodPistonSet, *context.kit.settings, context.kit.ui),
        store_(*context.card, *context.rodPistonSet, *context.kit.settings) {}
  bool BoxText(int code, std::string& text) override { return store_.BoxText(code, text); }
  char Code() const override { return kPrintOptionsScreenCode; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenPress Press(int id) override { return model_.Press(id); }
  // The boxes are the card's.
  ScreenEntryStore* Store() override { return &store_; }
  ScreenPress CloseRequested() override { return model_.Press(kPrintExit); }
  ScreenPress FileChosen(const FileRequest& request,
                         const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }

  void OnCreate() override {
    using L = Layout;
    ModelScreen::OnCreate();
    // The condition amounts two a row, then the radii and the tolerance.
    const auto& codes = PrintOptionBoxCodes();
    for (int i = 0; i < 7; ++i) {
      const int row = i < 4 ? i / 2 : i - 2;
      const int x = i < 4 && i % 2 == 1 ? L::kRightBoxX : L::kLeftBoxX;
      CreateValueBox(hwnd(), codes[i], x, PrintOptionRowY(row), L::kBoxW, L::kBoxH, scale());
    }
  }

 private:
  PrintOptionsScreen model_;
  BobweightEntryStore store_;
};

}  // namespace

HWND OpenPrintOptionsWindow(ChildScreen& parent) {
  const ScreenContext& c = parent.context();
  if (c.card == nullptr || c.rodPistonSet == nullptr) return nullptr;
  using L = Layout;
  return OpenSubScreen(parent, std::make_unique<PrintOptionsWindow>(c), "Bobweight Print Options",
                       WS_CAPTION | WS_SYSMENU, L::kX, L::kY, L::kWidth, L::kHeight);
}

}  // namespace balancer
