#include "bobweight/win32/component_entry_window.h"

#include <cstring>
#include <memory>
#include <string>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/value_box.h"
#include "base/win32/colour.h"
#include "bobweight/bobweight_screen.h"

namespace balancer {

namespace {

struct Layout {
  static constexpr int kX = 240, kY = 20, kWidth = 820, kHeight = 640;
  static constexpr int kHeadY = 10, kRowY = 44, kRowStep = 40, kBoxH = 34;
  static constexpr int kNumberX = 16, kFirstX = 56, kSecondX = 226, kBoxW = 150;
  static constexpr int kComputedX = 400, kRecipX = 560, kPinX = 730;
};

class ComponentWindow : public ModelScreen {
 public:
  ComponentWindow(const ScreenContext& context, ComponentMode mode)
      : ModelScreen(context, ModelScreenLook{20, 20, 400}),
        mode_(mode),
        store_(*context.card, *context.rodPistonSet, *context.kit.settings) {}
  bool BoxText(int code, std::string& text) override { return store_.BoxText(code, text); }
  char Code() const override { return kComponentScreenCode; }

 protected:
  std::vector<ScreenItem> Items() const override { return ComponentItems(mode_); }
  ScreenPress Press(int id) override {
    const ScreenContext& c = context();
    return ComponentPress(id, mode_, *c.card, *c.rodPistonSet);
  }
  // The boxes are the card's.
  ScreenEntryStore* Store() override { return &store_; }
  ScreenPress CloseRequested() override { return Press(kComponentCancel); }

  void OnCreate() override {
    using L = Layout;
    ModelScreen::OnCreate();
    for (int row = 0; row < kRodPistonRows; ++row) {
      const int y = L::kRowY + row * L::kRowStep;
      CreateValueBox(hwnd(), ComponentBoxCode(mode_, 0, row), L::kFirstX, y, L::kBoxW, L::kBoxH,
                     scale());
      CreateValueBox(hwnd(), ComponentBoxCode(mode_, 1, row), L::kSecondX, y, L::kBoxW, L::kBoxH,
                     scale());
    }
  }

  // The headings, the row numbers and the computed columns.
  void PaintMore(HDC dc) override {
    using L = Layout;
    const ScreenContext& c = context();
    SelectObject(dc, ButtonFont());
    SetTextColor(dc, RGB(0, 0, 128));
    const auto headings = ComponentHeadings(mode_);
    const int headX[] = {L::kFirstX, L::kSecondX, L::kComputedX, L::kRecipX};
    for (int i = 0; i < 4; ++i)
      TextOutA(dc, S(headX[i]), S(L::kHeadY), headings[i], static_cast<int>(strlen(headings[i])));
    SelectObject(dc, ValueFont());
    for (int row = 0; row < kRodPistonRows; ++row) {
      const int y = S(L::kRowY + row * L::kRowStep + 6);
      const ComponentRow r = ComposeComponentRow(*c.rodPistonSet, *c.card, mode_, row);
      const std::string number = std::to_string(row + 1);
      SetTextColor(dc, RGB(0, 0, 128));
      TextOutA(dc, S(L::kNumberX), y, number.c_str(), static_cast<int>(number.size()));
      Cell(dc, S(L::kComputedX), y, r.computed);
      Cell(dc, S(L::kRecipX), y, r.recip);
      if (!r.pinNumber.empty()) {
        SetTextColor(dc, RGB(0, 0, 128));
        TextOutA(dc, S(L::kPinX), y, r.pinNumber.c_str(), static_cast<int>(r.pinNumber.size()));
      }
    }
  }

 private:
  static void Cell(HDC dc, int x, int y, const ComponentCell& cell) {
    if (cell.text.empty()) return;
    const Rgb c = ComponentColour(cell.colour);
    SetTextColor(dc, ColourRef(c));
    TextOutA(dc, x, y, cell.text.c_str(), static_cast<int>(cell.text.size()));
  }

  ComponentMode mode_;
  BobweightEntryStore store_;
};

}  // namespace

HWND OpenComponentEntryWindow(ChildScreen& parent, ComponentMode mode) {
  const ScreenContext& c = parent.context();
  if (c.card == nullptr || c.rodPistonSet == nullptr) return nullptr;
  RecomputeExtremes(*c.rodPistonSet, *c.card);
  using L = Layout;
  return OpenSubScreen(parent, std::make_unique<ComponentWindow>(c, mode),
                       "Bobweight Component Entry", WS_CAPTION | WS_SYSMENU, L::kX, L::kY,
                       L::kWidth, L::kHeight);
}

}  // namespace balancer
