#include "app/win32/indicator_window.h"

#include <cstring>
#include <memory>

#include "app/indicator.h"
#include "device/control_commands.h"

namespace balancer {

namespace {

using L = IndicatorLayout;

void TextAt(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

class IndicatorScreen : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;
  char Code() const override { return kIndicatorScreenCode; }

 protected:
  void OnCreate() override {
    font_ = Font(22, 300);
    smallFont_ = Font(16, 400);
    readingFont_ = Font(27, 600);
    side_ = InitialIndicatorSide(TwoPlane());
    if (TwoPlane()) {
      AddButton(kIndicatorLeftId, "&Left", L::kLeftX, L::kSideY, L::kButtonWidth, L::kButtonHeight,
                font_);
      AddButton(kIndicatorRightId, "&Right", L::kRightX, L::kSideY, L::kButtonWidth,
                L::kButtonHeight, font_);
    }
    AddButton(kIndicatorZeroId, "&Zero", L::kLeftX, L::kZeroY, L::kButtonWidth, L::kButtonHeight,
              font_);
    AddButton(kIndicatorExitId, "&Exit", L::kRightX, L::kZeroY, L::kButtonWidth, L::kButtonHeight,
              font_);
  }

  void OnCommand(int id) override { Press(IndicatorButton(id, TwoPlane())); }
  void OnChar(int character) override { Press(IndicatorKey(character, TwoPlane())); }

  void OnLiveUpdate() override {
    if (context().indicatorReading == shownReading_) return;
    RECT ruler = {S(0), S(L::kRulerTop - 12), S(L::kWidth), S(L::kZeroY - 2)};
    InvalidateRect(hwnd(), &ruler, TRUE);
  }

  void OnPaint(HDC dc) override {
    const ScreenContext& c = context();
    shownReading_ = c.indicatorReading;
    const SideCorrection& side = side_ == 1 ? c.result.left : c.result.right;
    const IndicatorView view = BuildIndicatorView(shownReading_, *c.kit.settings, side, side_);
    SetBkMode(dc, TRANSPARENT);

    // The ruler: a white strip with ticks, its foot labelled.
    RECT strip = {S(L::kRulerLeft), S(L::kRulerTop), S(L::kRulerRight), S(L::kRulerBottom)};
    FillRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &strip, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    for (const IndicatorTick& tick : view.ticks) {
      const int length = tick.major ? 20 : 8;
      MoveToEx(dc, S(L::kRulerLeft), S(tick.y), nullptr);
      LineTo(dc, S(L::kRulerLeft + length), S(tick.y));
    }
    HGDIOBJ old = SelectObject(dc, smallFont_);
    SetTextColor(dc, RGB(0, 0, 0));
    // Zero at the top, the full scale at the foot, right of the strip.
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    TextAt(dc, S(L::kRulerRight + 3), S(L::kRulerTop - 2), "0");
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    TextAt(dc, S(L::kRulerRight + 3), S(L::kRulerBottom + 2), view.fullScaleText);

    // The planned depths: a red line across the ruler, the depth beside it.
    HPEN red = CreatePen(PS_SOLID, 2, RGB(204, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, red);
    SetTextColor(dc, RGB(204, 0, 0));
    SetTextAlign(dc, (view.rightAligned ? TA_RIGHT : TA_LEFT) | TA_BASELINE);
    for (const IndicatorMark& mark : view.marks) {
      MoveToEx(dc, S(L::kRulerLeft), S(mark.y), nullptr);
      LineTo(dc, S(L::kRulerRight), S(mark.y));
      TextAt(dc, S(view.rightAligned ? L::kRightTextX : L::kLeftTextX), S(mark.y + 5), mark.text);
    }
    SelectObject(dc, oldPen);
    DeleteObject(red);

    // The head's position: a green pointer on the ruler.
    if (view.pointerShown) {
      HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
      HGDIOBJ oldBrush = SelectObject(dc, green);
      POINT tip[3] = {{S(L::kRulerRight), S(view.pointerY)},
                      {S(L::kRulerRight + 12), S(view.pointerY - 7)},
                      {S(L::kRulerRight + 12), S(view.pointerY + 7)}};
      Polygon(dc, tip, 3);
      SelectObject(dc, oldBrush);
      DeleteObject(green);
    }

    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetTextColor(dc, RGB(0, 0, 0));
    TextAt(dc, S(L::kReadingX), S(L::kCaptionY + 6), view.caption);
    SelectObject(dc, readingFont_);
    SetTextColor(dc, view.error ? RGB(255, 0, 0) : RGB(0, 128, 0));
    TextAt(dc, S(L::kReadingX), S(L::kReadingY), view.readingText);
    SelectObject(dc, old);
  }

 private:
  bool TwoPlane() const { return context().kit.settings->twoPlaneMode == 1; }

  void Press(IndicatorPress press) {
    switch (press) {
      case IndicatorPress::kLeft:
      case IndicatorPress::kRight:
        side_ = press == IndicatorPress::kLeft ? 1 : 0;
        InvalidateRect(hwnd(), nullptr, TRUE);
        break;
      case IndicatorPress::kZero:
        if (context().kit.link->connected) {
          ReadAbsolutePosition(*context().kit.link, 0);
        }
        break;
      case IndicatorPress::kExit:
        Close();  // the screen is gone after this
        break;
      case IndicatorPress::kNone:
        break;
    }
  }

  HFONT font_ = nullptr;
  HFONT smallFont_ = nullptr;
  HFONT readingFont_ = nullptr;
  int side_ = 1;
  int shownReading_ = 0;
};

}  // namespace

HWND OpenIndicatorWindow(const ScreenContext& context) {
  if (!context.kit.link->connected) return nullptr;
  const bool two = context.kit.settings->twoPlaneMode == 1;
  const IndicatorPlace place = IndicatorPlaceFor(two);
  return OpenChildScreen(std::make_unique<IndicatorScreen>(context), "Indicator", WS_CAPTION,
                         place.x, place.y, L::kWidth, L::kHeight);
}

}  // namespace balancer
