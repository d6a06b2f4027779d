#include "bobweight/win32/bobweight_window.h"

#include <string>

#include "app/win32/kit/model_screen.h"
#include "base/win32/colour.h"
#include "bobweight/bobweight_screen.h"
#include "bobweight/scale.h"
#include "bobweight/win32/component_entry_window.h"
#include "bobweight/win32/engine_list_window.h"
#include "bobweight/win32/print_options_window.h"
#include "bobweight/win32/win32_serial_port.h"
#include "device/win32/win32_clock.h"

namespace balancer {

namespace {

std::function<std::unique_ptr<SerialPort>()>& ScalePortFactory() {
  static std::function<std::unique_ptr<SerialPort>()> factory;
  return factory;
}

struct Layout {
  static constexpr int kX = 90, kY = 10, kWidth = 1100, kHeight = 650;
  static constexpr int kJobLineY = 44;
  static constexpr int kRowY = 84, kRowStep = 50, kButtonW = 250, kButtonH = 40;
  static constexpr int kLeftX = 20, kRightX = 560;
  static constexpr int kTotalY = 540;
};

void DrawText(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

class BobweightWindow : public ModelScreen {
 public:
  explicit BobweightWindow(const ScreenContext& context)
      : ModelScreen(context, ModelScreenLook{20, 24, 600}),
        model_(*context.card, *context.rodPistonSet, *context.kit.settings, context.kit.folder,
               context.kit.ui) {}
  char Code() const override { return kBobweightScreenCode; }

  bool BoxText(int code, std::string& text) override { return model_.Store().BoxText(code, text); }
  // The job line's colour is a setting: kept at once.
  void FontColourChanged(int) override {
    context().host.SettingsChanged();
    RepaintAll();
  }
  bool ScaleAvailable() const override { return port_ != nullptr; }

  bool TransferScale(int fieldCode) override {
    if (!port_ || scale_ == nullptr) return false;
    const ScreenContext& c = context();
    switch (TransferScaleIntoEntry(fieldCode, *port_, *scale_, clock_, *c.kit.ui, *c.card,
                                   *c.rodPistonSet, c.kit.settings->emptyBobweight)) {
      case EntryResult::kStoredSettings:
        c.host.SettingsChanged();
        [[fallthrough]];
      case EntryResult::kStored:
      case EntryResult::kStoredComponent:
        RepaintAll();
        return true;
      case EntryResult::kNotBobweightField:
      case EntryResult::kRejected:
        break;
    }
    return false;
  }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.CloseRequested(); }
  ScreenPress NameEntered(const std::string& typed) override { return model_.NameEntered(typed); }
  ScreenPress FileChosen(const FileRequest& request,
                         const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }
  ScreenPress Answered(int actionCode, bool accepted) override {
    return model_.Answered(actionCode, accepted);
  }
  ScreenEntryStore* Store() override { return &model_.Store(); }

  void OpenOver(char code) override {
    if (code == kComponentScreenCode) {
      OpenComponentEntryWindow(*this, model_.Component());
    } else if (code == kPrintOptionsScreenCode) {
      OpenPrintOptionsWindow(*this);
    } else if (code == kEngineListCode) {
      OpenEngineListWindow(*this);
      RepaintAll();
    }
  }

  void OnCreate() override {
    ModelScreen::OnCreate();
    OpenScale();
  }

  // The date, the total and the job line; the values beside the buttons are
  // the items'.
  void PaintMore(HDC dc) override {
    using L = Layout;
    const ScreenContext& c = context();
    const BobweightScreenTexts t = ComposeBobweightScreen(*c.card, c.kit.settings->emptyBobweight);
    SetTextColor(dc, RGB(0, 0, 128));
    // The date centred in the space right of its button.
    RECT date = {S(L::kRightX + L::kButtonW), S(L::kRowY + 6 * L::kRowStep), S(L::kWidth - 20),
                 S(L::kRowY + 6 * L::kRowStep + L::kButtonH)};
    DrawTextA(dc, c.card->jobDate.c_str(), -1, &date, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    SetTextColor(dc, RGB(0, 0, 0));
    DrawText(dc, S(L::kLeftX), S(L::kTotalY), "Bobweight Total");
    DrawText(dc, S(L::kLeftX + L::kButtonW + 20), S(L::kTotalY), t.total);
    DrawText(dc, S(L::kLeftX + L::kButtonW + 20), S(L::kTotalY + 36), t.perSide);

    const HeaderRgb colour = HeaderTextRgb(c.kit.settings->headerTextColor);
    SetTextColor(dc, ColourRef(colour));
    RECT client;
    GetClientRect(hwnd(), &client);
    RECT line = {0, S(L::kJobLineY), client.right, S(L::kJobLineY + 32)};
    DrawTextA(dc, t.jobLine.c_str(), -1, &line, DT_CENTER | DT_SINGLELINE);
  }

  void OnDestroy() override {
    if (port_) port_->Close();
  }

 private:
  // Searches COM1 to COM9 when a scale model is set; the port found stays
  // open for Transfer From Scale until the window closes. Without a scale
  // the transfer is still offered and reports "SCALE UNSTABLE".
  void OpenScale() {
    scale_ = ScaleModelFor(context().kit.settings->scaleType);
    if (scale_ == nullptr) return;
    port_ = ScalePortFactory() ? ScalePortFactory()() : std::make_unique<Win32SerialPort>();
    if (!port_) return;
    findScale(*port_, *scale_, clock_);
  }

  BobweightScreen model_;
  const ScaleModel* scale_ = nullptr;
  std::unique_ptr<SerialPort> port_;
  Win32Clock clock_;
};

}  // namespace

void SetScalePortFactory(std::function<std::unique_ptr<SerialPort>()> factory) {
  ScalePortFactory() = std::move(factory);
}

HWND OpenBobweightWindow(const ScreenContext& context) {
  if (context.card == nullptr || context.rodPistonSet == nullptr) return nullptr;
  using L = Layout;
  return OpenChildScreen(std::make_unique<BobweightWindow>(context), "Bobweight Calculation",
                         WS_CAPTION | WS_SYSMENU, L::kX, L::kY, L::kWidth, L::kHeight);
}

}  // namespace balancer
