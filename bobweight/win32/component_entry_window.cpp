#include "bobweight/win32/component_entry_window.h"

#include <cstring>
#include <memory>
#include <string>

#include "app/win32/kit/entry_window.h"
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
  static constexpr int kButtonY = 540, kButtonH = 40;
};

class ComponentScreen : public ChildScreen {
 public:
  ComponentScreen(const ScreenContext& context, ComponentMode mode)
      : ChildScreen(context), mode_(mode) {}
  char Code() const override { return kComponentScreenCode; }

 protected:
  void OnCreate() override {
    using L = Layout;
    font_ = Font(20, 600);
    textFont_ = Font(20, 400);
    for (int row = 0; row < kRodPistonRows; ++row) {
      const int y = L::kRowY + row * L::kRowStep;
      CreateValueBox(hwnd(), ComponentBoxCode(mode_, 0, row), L::kFirstX, y, L::kBoxW, L::kBoxH,
                     scale());
      CreateValueBox(hwnd(), ComponentBoxCode(mode_, 1, row), L::kSecondX, y, L::kBoxW, L::kBoxH,
                     scale());
    }
    AddButton(kComponentAverage, EntryFieldLabel(kComponentAverage), 40, L::kButtonY, 170,
              L::kButtonH, font_);
    AddButton(kComponentLightest, EntryFieldLabel(kComponentLightest), 230, L::kButtonY, 170,
              L::kButtonH, font_);
    if (mode_ == ComponentMode::kPistons) {
      AddButton(kComponentMatchPins, EntryFieldLabel(kComponentMatchPins), 420, L::kButtonY, 170,
                L::kButtonH, font_);
    }
    AddButton(kComponentCancel, "Cancel", 640, L::kButtonY, 130, L::kButtonH, font_);
  }

  void OnPaint(HDC dc) override {
    using L = Layout;
    const ScreenContext& c = context();
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, font_);
    SetTextColor(dc, RGB(0, 0, 128));
    const auto headings = ComponentHeadings(mode_);
    const int headX[] = {L::kFirstX, L::kSecondX, L::kComputedX, L::kRecipX};
    for (int i = 0; i < 4; ++i)
      TextOutA(dc, S(headX[i]), S(L::kHeadY), headings[i], static_cast<int>(strlen(headings[i])));
    SelectObject(dc, textFont_);
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
    SelectObject(dc, old);
  }

  void OnCommand(int id) override {
    const ScreenContext& c = context();
    const ComponentDecision d = ComponentPress(id, mode_, *c.card, *c.rodPistonSet);
    if (d.close) {
      Close();
      return;
    }
    if (d.repaint) Repaint();
  }

  // An entry committed into a box: the boxes and computed columns follow.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) override {
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) Repaint();
    return false;
  }

 private:
  void Repaint() {
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  static void Cell(HDC dc, int x, int y, const ComponentCell& cell) {
    if (cell.text.empty()) return;
    const Rgb c = ComponentColour(cell.colour);
    SetTextColor(dc, ColourRef(c));
    TextOutA(dc, x, y, cell.text.c_str(), static_cast<int>(cell.text.size()));
  }

  ComponentMode mode_;
  HFONT font_ = nullptr;
  HFONT textFont_ = nullptr;
};

}  // namespace

HWND OpenComponentEntryWindow(ChildScreen& parent, ComponentMode mode) {
  const ScreenContext& c = parent.context();
  if (c.card == nullptr || c.rodPistonSet == nullptr) return nullptr;
  RecomputeExtremes(*c.rodPistonSet, *c.card);
  using L = Layout;
  return OpenSubScreen(parent, std::make_unique<ComponentScreen>(c, mode),
                       "Bobweight Component Entry", WS_CAPTION | WS_SYSMENU, L::kX, L::kY,
                       L::kWidth, L::kHeight);
}

}  // namespace balancer
