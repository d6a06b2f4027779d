#include "bobweight/win32/bobweight_window.h"

#include <string>

#include "app/win32/kit/entry_window.h"
#include "app/win32/kit/file_dialog.h"
#include "base/win32/colour.h"
#include "bobweight/bobweight_files.h"
#include "bobweight/bobweight_screen.h"
#include "bobweight/scale.h"
#include "bobweight/win32/component_entry_window.h"
#include "bobweight/win32/engine_list_window.h"
#include "bobweight/win32/print_options_window.h"
#include "bobweight/win32/win32_serial_port.h"
#include "device/win32/win32_clock.h"
#include "records/side_files.h"

namespace balancer {

namespace {

std::function<std::unique_ptr<SerialPort>()>& ScalePortFactory() {
  static std::function<std::unique_ptr<SerialPort>()> factory;
  return factory;
}

// A question of this window was answered (wParam answer, lParam code); it is
// carried out once the message window has gone.
constexpr UINT kAnswered = WM_APP + 41;

struct Layout {
  static constexpr int kX = 90, kY = 10, kWidth = 1100, kHeight = 650;
  static constexpr int kToolY = 4, kToolW = 104, kToolH = 34, kToolStep = 110;
  static constexpr int kJobLineY = 44;
  static constexpr int kRowY = 84, kRowStep = 50, kButtonW = 250, kButtonH = 40;
  static constexpr int kLeftX = 20, kRightX = 560;
  static constexpr int kTotalY = 540;
};

void DrawText(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

class BobweightScreen : public ChildScreen {
 public:
  explicit BobweightScreen(const ScreenContext& context)
      : ChildScreen(context),
        card_(*context.card),
        set_(*context.rodPistonSet),
        settings_(*context.kit.settings),
        store_(card_, set_, settings_) {}
  char Code() const override { return kBobweightScreenCode; }

 protected:
  void OnCreate() override {
    using L = Layout;
    KitContext& kit = context().kit;
    buttonFont_ = Font(20, 600);
    valueFont_ = Font(24, 600);
    int x = 8;
    for (const BobweightButton& b : BobweightToolbar()) {
      AddButton(b.id, b.text, x, L::kToolY, L::kToolW, L::kToolH, buttonFont_);
      x += L::kToolStep;
    }
    int y = L::kRowY;
    for (int code : BobweightWeightCodes()) {
      AddButton(code, EntryFieldLabel(code), L::kLeftX, y, L::kButtonW, L::kButtonH, buttonFont_);
      y += L::kRowStep;
    }
    y = L::kRowY;
    for (int code : BobweightSettingCodes()) {
      AddButton(code, EntryFieldLabel(code), L::kRightX, y, L::kButtonW, L::kButtonH, buttonFont_);
      y += L::kRowStep;
    }
    AddButton(kBobDate, EntryFieldLabel(kBobDate), L::kRightX, y, L::kButtonW, L::kButtonH,
              buttonFont_);
    AddButton(kBobPrintOptions, "Print Options", L::kRightX, y + L::kRowStep, L::kButtonW,
              L::kButtonH, buttonFont_);

    if (kit.folder != nullptr) company_ = ReadCompanyText(*kit.folder);
    if (kit.message != nullptr) {
      previousAnswer_ = kit.message->onAnswer;
      auto previous = previousAnswer_;
      HWND self = hwnd();
      kit.message->onAnswer = [previous, self](int answer, int code) {
        if (previous) previous(answer, code);
        if (code == kAskNewJob || code == kAskUnsavedChanges || code == kWarnEmptyCard) {
          PostMessageA(self, kAnswered, static_cast<WPARAM>(answer), code);
        }
      };
    }
    OpenScale();
  }

  void OnPaint(HDC dc) override {
    using L = Layout;
    const BobweightScreenTexts t = ComposeBobweightScreen(card_, settings_.emptyBobweight);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, valueFont_);
    SetTextColor(dc, RGB(0, 0, 128));
    for (size_t i = 0; i < t.weights.size(); ++i) {
      DrawText(dc, S(L::kLeftX + L::kButtonW + 20), S(L::kRowY + 8 + L::kRowStep * i),
               t.weights[i]);
    }
    const std::string right[] = {card_.engineName, t.reciprocating, t.rotating,
                                 t.cylinders,      t.overbalance,   t.emptyBobweight};
    for (int i = 0; i < 6; ++i) {
      DrawText(dc, S(L::kRightX + L::kButtonW + 20), S(L::kRowY + 8 + L::kRowStep * i), right[i]);
    }
    // The date centred in the space right of its button.
    RECT date = {S(L::kRightX + L::kButtonW), S(L::kRowY + 6 * L::kRowStep), S(L::kWidth - 20),
                 S(L::kRowY + 6 * L::kRowStep + L::kButtonH)};
    DrawTextA(dc, card_.jobDate.c_str(), -1, &date, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    SetTextColor(dc, RGB(0, 0, 0));
    DrawText(dc, S(L::kLeftX), S(L::kTotalY), "Bobweight Total");
    DrawText(dc, S(L::kLeftX + L::kButtonW + 20), S(L::kTotalY), t.total);
    DrawText(dc, S(L::kLeftX + L::kButtonW + 20), S(L::kTotalY + 36), t.perSide);

    const HeaderRgb c = HeaderTextRgb(settings_.headerTextColor);
    SetTextColor(dc, ColourRef(c));
    RECT client;
    GetClientRect(hwnd(), &client);
    RECT line = {0, S(L::kJobLineY), client.right, S(L::kJobLineY + 32)};
    DrawTextA(dc, t.jobLine.c_str(), -1, &line, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  }

  void OnCommand(int id) override { Do(BobweightPress(id, settings_, card_, company_)); }
  void OnChar(int character) override { Do(BobweightKey(character, settings_, card_)); }

  void OnCloseRequest() override {
    if (AsksToSaveOnClose(card_) && context().kit.ui != nullptr) {
      Ask(UnsavedChangesQuestion(kAskUnsavedChanges));
      return;
    }
    Close();
  }

  bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
      InvalidateRect(hwnd(), nullptr, TRUE);
    } else if (msg == kAnswered) {
      Answered(static_cast<int>(wParam), static_cast<int>(lParam));
      result = 0;
      return true;
    }
    return false;
  }

  void OnDestroy() override {
    KitContext& kit = context().kit;
    if (kit.message != nullptr) kit.message->onAnswer = previousAnswer_;
    kit.scaleOpen = false;
    if (port_) port_->Close();
  }

 private:
  // Searches COM1 to COM9 when a scale model is set; the port found stays
  // open for Transfer From Scale until the window closes. Without a scale
  // the transfer is still offered and reports "SCALE UNSTABLE".
  void OpenScale() {
    model_ = ScaleModelFor(settings_.scaleType);
    if (model_ == nullptr) return;
    port_ = ScalePortFactory() ? ScalePortFactory()() : std::make_unique<Win32SerialPort>();
    if (!port_) return;
    findScale(*port_, *model_, clock_);
    KitContext& kit = context().kit;
    kit.scaleOpen = true;
  }

 public:
  ScreenEntryStore* EntryStore() override { return &store_; }
  bool BoxText(int code, std::string& text) override { return store_.BoxText(code, text); }
  void TextEntered(int code, const std::string& text) override { OnText(code, text); }
  // The job line's colour is a setting: kept at once.
  void FontColourChanged(int) override {
    context().host.SettingsChanged();
    InvalidateRect(hwnd(), nullptr, TRUE);
  }

  bool TransferScale(int fieldCode) override {
    if (!port_ || model_ == nullptr) return false;
    KitContext& kit = context().kit;
    if (kit.ui == nullptr) return false;
    switch (TransferScaleIntoEntry(fieldCode, *port_, *model_, clock_, *kit.ui, card_, set_,
                                   settings_.emptyBobweight)) {
      case EntryResult::kStoredSettings:
        context().host.SettingsChanged();
        [[fallthrough]];
      case EntryResult::kStored:
      case EntryResult::kStoredComponent:
        InvalidateRect(hwnd(), nullptr, TRUE);
        return true;
      case EntryResult::kNotBobweightField:
      case EntryResult::kRejected:
        break;
    }
    return false;
  }

  void Ask(OperatorMessage message) {
    KitContext& kit = context().kit;
    kit.actionCode = message.actionCode;
    if (kit.ui != nullptr) kit.ui->ShowMessage(message);
  }

  void Do(const BobweightDecision& d) {
    KitContext& kit = context().kit;
    switch (d.step) {
      case BobweightStep::kNone:
        break;
      case BobweightStep::kNumberEntry:
        OpenEntryForField(kit, d.entryCode);
        break;
      case BobweightStep::kComponentRods:
        OpenComponentEntryWindow(*this, ComponentMode::kRods);
        break;
      case BobweightStep::kComponentPistons:
        OpenComponentEntryWindow(*this, ComponentMode::kPistons);
        break;
      case BobweightStep::kSelectEngine:
        OpenEngineListWindow(*this);
        InvalidateRect(hwnd(), nullptr, TRUE);
        break;
      case BobweightStep::kTextEntry:
        OpenText(d);
        break;
      case BobweightStep::kAskNewJob:
        Ask(NewJobQuestion(kAskNewJob));
        break;
      case BobweightStep::kOpen:
        Retrieve();
        break;
      case BobweightStep::kSave:
        if (CardIsEmpty(card_)) {
          OperatorMessage warning = EmptyCardWarning();
          warning.actionCode = kWarnEmptyCard;
          Ask(warning);
        } else {
          Store();
        }
        break;
      case BobweightStep::kPrint:
        context().host.PrintBobweightCard(*this);
        break;
      case BobweightStep::kPrintOptions:
        OpenPrintOptionsWindow(*this);
        break;
      case BobweightStep::kClose:
        OnCloseRequest();
        break;
    }
  }

  void OpenText(const BobweightDecision& d) {
    KitContext& kit = context().kit;
    kit.actionCode = d.entryCode;
    kit.entry.text = d.prefill;
    if (d.keypad) {
      OpenKeypadEntry(kit, 302, 15);
    } else if (d.keyboard) {
      OpenTextEntry(kit, 130, 20, d.heading.c_str());
    } else if (d.note) {
      OpenNoteEntry(kit, 256, 200, d.heading.c_str());
    } else {
      OpenLineEntry(kit, 256, 250, d.heading.c_str());
    }
  }

  void OnText(int code, const std::string& text) {
    KitContext& kit = context().kit;
    const BobweightTextOutcome out =
        ApplyBobweightText(code, text, card_, settings_, frontExternal_, company_);
    if (!out.handled) return;
    if (out.writeCompany && kit.folder != nullptr) WriteCompanyText(*kit.folder, company_, kit.ui);
    if (out.repaint) InvalidateRect(hwnd(), nullptr, TRUE);
    if (out.next.step != BobweightStep::kNone) Do(out.next);
    if (out.save) {
      BobweightDecision save;
      save.step = BobweightStep::kSave;
      Do(save);
    }
  }

  std::optional<std::string> Dialog(bool save) {
    return RunFileDialog(context().kit, hwnd(), CardDialogFor(save, card_, settings_));
  }

  void Retrieve() {
    const std::optional<std::string> path = Dialog(false);
    if (!path) return;
    if (LoadCardFile(*path, card_, set_, settings_.bobweightFolder)) {
      context().host.SettingsChanged();  // the bobweight folder
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
  }

  void Store() {
    KitContext& kit = context().kit;
    const std::optional<std::string> path = Dialog(true);
    if (!path) {
      if (kit.ui != nullptr) SaveDialogFailed(card_, settings_.touchscreen, *kit.ui);
    } else if (SaveCardAs(*path, card_, set_, settings_.bobweightFolder, kit.ui)) {
      context().host.SettingsChanged();
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
  }

  void Answered(int answer, int code) {
    KitContext& kit = context().kit;
    const BobweightAnswerStep step = PlanBobweightAnswer(answer, code);
    switch (step) {
      case BobweightAnswerStep::kNone:
        break;
      case BobweightAnswerStep::kStoreAfterWarning:
        Store();
        break;
      case BobweightAnswerStep::kNewJob:
        newJob(card_, set_, NewJobDefaultsFrom(settings_), TodayJobDate());
        InvalidateRect(hwnd(), nullptr, TRUE);
        Do(AskJobName(kTextJobName, settings_, card_));
        break;
      case BobweightAnswerStep::kSaveAndClose:
      case BobweightAnswerStep::kDropAndClose:
        // A save that failed has been told; the window stays so nothing is lost.
        if (AnswerUnsavedChanges(step == BobweightAnswerStep::kSaveAndClose, card_, set_,
                                 settings_.bobweightFolder, kit.ui)) {
          Close();
        }
        break;
    }
  }

  BobweightCard& card_;
  RodPistonSet& set_;
  MachineSettings& settings_;
  BobweightEntryStore store_;
  std::string company_;
  std::string frontExternal_;
  std::function<void(int, int)> previousAnswer_;
  const ScaleModel* model_ = nullptr;
  std::unique_ptr<SerialPort> port_;
  Win32Clock clock_;
  HFONT buttonFont_ = nullptr;
  HFONT valueFont_ = nullptr;
};

}  // namespace

void SetScalePortFactory(std::function<std::unique_ptr<SerialPort>()> factory) {
  ScalePortFactory() = std::move(factory);
}

HWND OpenBobweightWindow(const ScreenContext& context) {
  if (context.card == nullptr || context.rodPistonSet == nullptr ||
      context.kit.settings == nullptr) {
    return nullptr;
  }
  using L = Layout;
  return OpenChildScreen(std::make_unique<BobweightScreen>(context), "Bobweight Calculation",
                         WS_CAPTION | WS_SYSMENU, L::kX, L::kY, L::kWidth, L::kHeight);
}

}  // namespace balancer
