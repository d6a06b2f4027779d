// The screens the main window opens, and what it does for them and for the
// dialogue kit (MainWindowActions, ScreenHost) and for a spin (MainSpinHost).
#include "app/main_commands.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/screen_registry.h"
#include "app/win32/main_parts.h"
#include "app/win32/main_spin.h"
#include "app/win32/main_window.h"
#include "app/win32/proving_window.h"
#include "bobweight/win32/print_job_window.h"
#include "records/settings_bridge.h"
#include "records/win32/machine_calibration_window.h"
#include "update/update_check.h"
#include "update/win32/update_window.h"

namespace balancer {

namespace {

// What the main window does for the dialogue kit and for the screens it opens.
// It lives as long as the window's state and does nothing while the window
// does not exist (before it is made and once it is gone).
class MainActions : public MainWindowActions, public ScreenHost {
 public:
  explicit MainActions(MainWindowState& state) : state_(state) {}
  void SendCommand(int id) override {
    if (!WindowGone()) RunMainCommand(state_, id);
  }
  void ClearFinalSaved() override {
    if (!WindowGone()) state_.history.finalStored = 0;
  }
  void RecomputeAndRepaint() override {
    if (WindowGone()) return;
    RecomputeCorrections(state_);
    if (state_.hwnd != nullptr) InvalidateRect(state_.hwnd, nullptr, TRUE);
    // The open screen may show what was just entered or recomputed.
    if (state_.kit != nullptr && state_.kit->childScreen != nullptr) {
      InvalidateRect(state_.kit->childScreen, nullptr, TRUE);
    }
  }
  void OpenCalibrationWindow() override;
  bool OpenScreenOver(ChildScreen& parent, char code) override;
  void PrintBobweightCard(ChildScreen& from) override;
  void PrintShaftReport(ChildScreen& from) override;
  bool SpinForScreen(ScreenSpin& spin) override {
    spin = ScreenSpin{};
    if (WindowGone()) return false;
    return RunSpinForScreen(state_, spin);
  }
  void SpeedControlChanged() override {
    if (WindowGone()) return;
    HWND spin = ButtonOf(state_, kCmdSpin);
    if (spin == nullptr) return;
    HBITMAP face =
        SettingsOf(state_).speedControl == 1 ? state_.res.spinFace : state_.res.acquireFace;
    SendMessageA(spin, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
  }

  void Repaint(RepaintArea area) override {
    if (!WindowGone() && state_.ui != nullptr) state_.ui->RequestRepaint(area);
  }
  bool SettingsChanged() override {
    if (WindowGone() || !HasSettings(state_)) return false;
    return WriteSettingsFiles(*state_.folder, *state_.settings, state_.ui);
  }
  void StartSoftwareUpdateCheck() override {
    if (WindowGone() || state_.kit == nullptr) return;
    // A named server that is not a plain https address is refused by the
    // check itself; it never falls back to the maker's.
    if (!state_.updateServer.empty()) {
      update_.server = ParseUpdateServer(state_.updateServer).value_or(UpdateServer{""});
    }
    StartUpdateCheck(*state_.kit, update_);
  }
  // The update offer is the main window's own question; any other answer
  // goes to the screen that asked (Add Slug, 316, and the like).
  void RunAnsweredAction(int actionCode, bool accepted) override {
    if (WindowGone() || state_.kit == nullptr) return;
    if (actionCode == kActionSoftwareUpdate) {
      AnswerUpdateOffer(*state_.kit, update_, accepted);
      return;
    }
    if (state_.kit->childScreen == nullptr) return;
    SendMessageA(state_.kit->childScreen, kScreenAnswer, static_cast<WPARAM>(actionCode),
                 accepted ? 1 : 0);
  }
  void ScreenClosed() override {
    if (WindowGone()) return;
    if (state_.kit != nullptr) {
      state_.kit->childScreen = nullptr;
      state_.kit->screenCode = 0;
    }
    SetActiveWindow(state_.hwnd);
    SetFocus(state_.hwnd);
  }

 private:
  bool WindowGone() const { return state_.hwnd == nullptr; }

  MainWindowState& state_;
  UpdateSession update_;
};

// What a spin from this window needs of it.
class MainSpinActions : public MainSpinHost {
 public:
  explicit MainSpinActions(MainWindowState& state) : state_(state) {}
  HWND SpinButton() const override { return ButtonOf(state_, kCmdSpin); }
  RECT StatusField() const override { return StatusFieldRect(state_); }
  bool Connected() const override { return MainConnected(state_); }
  void RecomputeCorrections() override { balancer::RecomputeCorrections(state_); }
  void SendCommand(int id) override { RunMainCommand(state_, id); }

 private:
  MainWindowState& state_;
};

MainActions* ActionsOf(MainWindowState& state) {
  return static_cast<MainActions*>(state.actions.get());
}

void MainActions::OpenCalibrationWindow() {
  if (WindowGone()) return;
  if (auto context = ScreenContextOf(state_)) OpenMachineCalibrationWindow(*context);
}

void MainActions::PrintBobweightCard(ChildScreen& from) {
  if (WindowGone()) return;
  if (auto context = ScreenContextOf(state_)) balancer::PrintBobweightCard(*context, from);
}

void MainActions::PrintShaftReport(ChildScreen& from) {
  if (WindowGone()) return;
  if (auto context = ScreenContextOf(state_)) balancer::PrintShaftReport(*context, from);
}

bool MainActions::OpenScreenOver(ChildScreen& parent, char code) {
  if (WindowGone()) return false;
  auto context = ScreenContextOf(state_);
  if (!context) return false;
  return OpenRegisteredScreen(code, *context, &parent) != nullptr;
}

}  // namespace

MainWindowState::MainWindowState() : actions(std::make_unique<MainActions>(*this)) {}

void MakeMainHosts(MainWindowState& state) {
  state.spinHost = std::make_unique<MainSpinActions>(state);
  // The shell's own screen opened by letter: named here so it is linked in.
  RegisterScreen(kScreenProving, OpenProvingWindow);
}

ScreenHost& MainScreenHost(MainWindowState& state) {
  return *ActionsOf(state);
}

KitServices MainKitServices(MainWindowState& state, MachineSettings& settings,
                            const ProgramFolder& folder, OperatorUi& ui, ControlLink& link,
                            MessageWindowState& message) {
  return KitServices{settings, folder,         ui,
                     link,     state.history,  state.correction,
                     message,  *state.actions, MainScreenHost(state)};
}

// What a screen opened from here gets: the kit, this window as its host and
// the run's measurement records. Null without the kit (bare test windows).
std::optional<ScreenContext> ScreenContextOf(MainWindowState& state) {
  if (state.kit == nullptr) return std::nullopt;
  MainActions* host = ActionsOf(state);
  return ScreenContext{*state.kit,          *host,
                       state.left,          state.right,
                       state.zones,         state.correction,
                       state.result,        state.indicatorReading,
                       state.bobweightCard, state.rodPistonSet,
                       &state.presetName};
}

}  // namespace balancer
