#include "app/win32/main_window.h"

#include <shellapi.h>

#include <optional>

#include "app/condition_card.h"
#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/indicator_window.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/design_font.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/value_box.h"
#include "app/win32/kit/window_class.h"
#include "app/win32/main_spin.h"
#include "app/win32/unbalance_display.h"
#include "app/win32/zero_shaft_window.h"
#include "base/program_identity.h"
#include "bobweight/win32/bobweight_window.h"
#include "bobweight/win32/print_job_window.h"
#include "correction/adjust_screen.h"
#include "correction/win32/adjust_window.h"
#include "correction/win32/drill_setup_window.h"
#include "correction/win32/heavy_metal_setup_window.h"
#include "correction/win32/reluctor_window.h"
#include "correction/win32/tolerance_window.h"
#include "correction/win32/zone_setup_window.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/machine_setup_screen.h"
#include "records/settings_bridge.h"
#include "records/side_files.h"
#include "records/win32/history_window.h"
#include "records/win32/machine_calibration_window.h"
#include "records/win32/machine_setup_window.h"
#include "records/win32/presets_window.h"
#include "update/update_check.h"
#include "update/win32/update_window.h"

namespace balancer {

namespace {

constexpr const char* kSensorMapFile = "sensormap.dta";

MainWindowState* StateOf(HWND hwnd) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool HasSettings(const MainWindowState& state) {
  return state.folder != nullptr && state.settings != nullptr && state.ui != nullptr &&
         state.link != nullptr;
}

// Settings for decisions when the window runs without its records (tests).
const MachineSettings& SettingsOf(const MainWindowState& state) {
  static const MachineSettings defaults;
  return state.settings != nullptr ? *state.settings : defaults;
}

bool TwoPlane(const MainWindowState& state) {
  return SettingsOf(state).twoPlaneMode == 1;
}

void InvalidateDesign(MainWindowState& state, const DesignRect& r) {
  RECT px = PixelRect(r, state.screenScale);
  InvalidateRect(state.hwnd, &px, TRUE);
}

void InvalidatePlanes(MainWindowState& state) {
  InvalidateDesign(state, PlaneArea(0, TwoPlane(state)));
  InvalidateDesign(state, PlaneArea(1, TwoPlane(state)));
}

// What the main window does for the dialogue kit and for the screens it opens.
class MainActions : public MainWindowActions, public ScreenHost {
 public:
  explicit MainActions(MainWindowState& state) : state_(state) {
    // A named server that is not a plain https address is refused by the
    // check itself; it never falls back to the maker's.
    if (!state.updateServer.empty()) {
      update_.server = ParseUpdateServer(state.updateServer).value_or(UpdateServer{""});
    }
  }
  void SendCommand(int id) override { RunMainCommand(state_, id); }
  void ClearFinalSaved() override { state_.history.finalStored = 0; }
  void RecomputeAndRepaint() override {
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
  void SpeedControlChanged() override {
    HWND spin = ButtonOf(state_, kCmdSpin);
    if (spin == nullptr) return;
    HBITMAP face =
        SettingsOf(state_).speedControl == 1 ? state_.res.spinFace : state_.res.acquireFace;
    SendMessageA(spin, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
  }

  void Repaint(RepaintArea area) override {
    if (state_.ui != nullptr) state_.ui->RequestRepaint(area);
  }
  bool SettingsChanged() override {
    if (!HasSettings(state_)) return false;
    return WriteSettingsFiles(*state_.folder, *state_.settings, state_.ui);
  }
  void StartSoftwareUpdateCheck() override {
    if (state_.kit != nullptr) StartUpdateCheck(*state_.kit, update_);
  }
  // The update offer is the main window's own question; any other answer
  // goes to the screen that asked (Add Slug, 316, and the like).
  void RunAnsweredAction(int actionCode, bool accepted) override {
    if (state_.kit == nullptr) return;
    if (actionCode == kActionSoftwareUpdate) {
      AnswerUpdateOffer(*state_.kit, update_, accepted);
      return;
    }
    if (state_.kit->childScreen == nullptr) return;
    SendMessageA(state_.kit->childScreen, kScreenAnswer, static_cast<WPARAM>(actionCode),
                 accepted ? 1 : 0);
  }
  void ScreenClosed() override {
    if (state_.kit != nullptr) {
      state_.kit->childScreen = nullptr;
      state_.kit->screenCode = 0;
    }
    if (state_.hwnd != nullptr) {
      SetActiveWindow(state_.hwnd);
      SetFocus(state_.hwnd);
    }
  }

 private:
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

// What a screen opened from here gets: the kit, this window as its host and
// the run's measurement records. Null without the kit (bare test windows).
std::optional<ScreenContext> ScreenContextOf(MainWindowState& state) {
  if (state.kit == nullptr || state.actions == nullptr) return std::nullopt;
  auto* host = static_cast<MainActions*>(state.actions.get());
  return ScreenContext{*state.kit,          *host,
                       state.left,          state.right,
                       state.zones,         state.correction,
                       state.result,        state.indicatorReading,
                       state.bobweightCard, state.rodPistonSet,
                       &state.presetName};
}

void MainActions::OpenCalibrationWindow() {
  if (auto context = ScreenContextOf(state_)) OpenMachineCalibrationWindow(*context);
}

void MainActions::PrintBobweightCard(ChildScreen& from) {
  if (auto context = ScreenContextOf(state_)) balancer::PrintBobweightCard(*context, from.hwnd());
}

void MainActions::PrintShaftReport(ChildScreen& from) {
  if (auto context = ScreenContextOf(state_)) balancer::PrintShaftReport(*context, from.hwnd());
}

bool MainActions::OpenScreenOver(ChildScreen& parent, char code) {
  auto context = ScreenContextOf(state_);
  if (!context) return false;
  switch (code) {
    case kToleranceScreenCode:
      return OpenToleranceWindow(*context, &parent) != nullptr;
    case kReluctorScreenCode:
      return OpenReluctorWindow(*context, &parent) != nullptr;
    default:
      return false;
  }
}

// ---- buttons and boxes ----

constexpr int kDrillPointBesideIndicatorX = 459;

}  // namespace

void PlaceMainButtons(MainWindowState& state) {
  const float s = state.screenScale;
  const bool two = TwoPlane(state);
  for (const MainButton& b : MainButtons(SettingsOf(state).speedControl)) {
    HWND button = ButtonOf(state, b.id);
    if (button == nullptr) continue;
    int x = two ? b.x : b.singleX;
    // The Indicator button takes the right half of the Drill Point place.
    if (b.id == kCmdDrillPoint && two && state.indicatorAvailable) x = kDrillPointBesideIndicatorX;
    const int y = two ? b.y : b.singleY;
    MoveWindow(button, Scaled(x, s), Scaled(y, s), Scaled(b.width, s), Scaled(b.height, s), TRUE);
    bool shown = b.shownAtStart;
    if (b.id == kCmdAddLeft) shown = two;
    if (b.id == kCmdIndicator) shown = state.indicatorAvailable;
    ShowWindow(button, shown ? SW_SHOW : SW_HIDE);
  }
}

namespace {

void CreateButtons(MainWindowState& state) {
  const float s = state.screenScale;
  for (const MainButton& b : MainButtons(SettingsOf(state).speedControl)) {
    HWND button = CreateWindowExA(0, "BUTTON", "hdbubmp", WS_CHILD | BS_BITMAP, Scaled(b.x, s),
                                  Scaled(b.y, s), Scaled(b.width, s), Scaled(b.height, s),
                                  state.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                  state.instance, nullptr);
    HBITMAP face = state.res.faces[b.id];
    if (b.id == kCmdSpin && SettingsOf(state).speedControl != 1) face = state.res.acquireFace;
    SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
    state.buttons[b.id] = button;
  }
  PlaceMainButtons(state);
}

struct BoxPlace {
  int id, x, y, w, h, singleX, singleY;
  bool twoPlaneOnly;
};

std::vector<BoxPlace> BoxPlaces() {
  const int dialTop = kDialTop;
  return {
      {100, kLeftDialX - 48, dialTop - 16, 96, 30, kLeftDialX - 48, dialTop - 16, true},
      {101, kRightDialX - 48, dialTop - 16, 96, 30, kRightDialX - 48 - 308, dialTop - 16, false},
      {132, 260, 592, 108, 30, 260, 592, true},
      {133, 770, 592, 108, 30, 770, 592, true},
      {131, 511, 630, 118, 30, 511, 630, true},
      {262, 175, 592, 72, 30, 234, 598, false},
      {263, 891, 592, 72, 30, 834, 598, false},
  };
}

void PlaceBoxes(MainWindowState& state) {
  const float s = state.screenScale;
  const bool two = TwoPlane(state);
  for (const BoxPlace& b : BoxPlaces()) {
    HWND box = GetDlgItem(state.hwnd, b.id);
    if (box == nullptr) continue;
    MoveWindow(box, Scaled(two ? b.x : b.singleX, s), Scaled(two ? b.y : b.singleY, s),
               Scaled(b.w, s), Scaled(b.h, s), TRUE);
    ShowWindow(box, (!b.twoPlaneOnly || two) ? SW_SHOW : SW_HIDE);
  }
}

void CreateBoxes(MainWindowState& state) {
  if (state.kit == nullptr) return;  // boxes edit through the kit
  for (const BoxPlace& b : BoxPlaces()) {
    HWND box = CreateValueBox(state.hwnd, b.id, b.x, b.y, b.w, b.h, state.screenScale);
    if (box != nullptr && b.twoPlaneOnly) ShowWindow(box, SW_HIDE);
  }
  PlaceBoxes(state);
}

// ---- creation and destruction ----

void LoadWorkingFiles(MainWindowState& state) {
  if (!HasSettings(state)) return;
  LoadSensorMap(state.folder->File(kSensorMapFile), state.settings->suspension, state.map,
                *state.ui);
}

void OnCreate(MainWindowState& state) {
  const float s = state.screenScale;
  state.actions = std::make_unique<MainActions>(state);
  state.spinHost = std::make_unique<MainSpinActions>(state);
  if (state.kit != nullptr) {
    state.kit->mainWindow = state.hwnd;
    state.kit->actions = state.actions.get();
    state.kit->screenHost = static_cast<MainActions*>(state.actions.get());
    state.kit->history = &state.history;
  }
  // Fonts, faces and buttons first.
  state.statusFont = CreateDesignFont(kStatusFontHeight, kStatusFontWeight, s);
  state.captionFont = CreateDesignFont(22, 300, s);
  state.statusBrush = CreateSolidBrush(RGB(245, 245, 245));
  // The entry point makes them before the classes; a bare window (tests)
  // makes its own.
  if (state.res.fonts.empty()) CreateDrawingResources(state.res, state.instance, s);
  // Messages opened from here on belong to this window.
  if (state.message != nullptr) state.message->owner = state.hwnd;

  // Settings with the control's record as referee, then the sensor map.
  if (state.link != nullptr && HasSettings(state)) {
    state.settingsLoad =
        StartupSettingsLoad(*state.folder, *state.link, *state.ui, *state.settings);
  }
  LoadWorkingFiles(state);
  // A message opened during the load keeps this window disabled until closed.
  if (state.message != nullptr && state.message->hwnd != nullptr) {
    EnableWindow(state.hwnd, FALSE);
    state.message->returnWindow = state.hwnd;
  }
  CreateButtons(state);
  CreateBoxes(state);

  if (state.folder != nullptr && state.settings != nullptr) {
    if (auto preload = ReadPreload(*state.folder, state.settings->rightUprightReversed)) {
      state.left.amount = preload->leftMoment;
      state.left.angle = preload->leftAngle;
      state.right.amount = preload->rightMoment;
      state.right.angle = preload->rightAngle;
      state.zones.zoneStartLeft = preload->zoneStartLeft;
      state.zones.zoneEndLeft = preload->zoneEndLeft;
      state.zones.zoneStartRight = preload->zoneStartRight;
      state.zones.zoneEndRight = preload->zoneEndRight;
      state.preloadPresent = true;
      state.correction.readingsPresent = true;
      state.correction.measured = {preload->leftMoment > 0.0, preload->rightMoment > 0.0};
    }
  }
  if (state.settings != nullptr) {
    state.correction.drillPoint = false;
    state.correction.tipAllowance = {0.0, 0.0};
    RecomputeCorrections(state);
  }
  if (state.folder != nullptr) state.companyText = ReadCompanyText(*state.folder);

  if (state.link != nullptr) {
    state.link->mainWindowExists = true;
    if (MainConnected(state)) SetMotorPower(*state.link, 0);
    state.currentAngle = ReadShaftAngle(*state.link);
    state.referenceAngle = state.currentAngle;
  }
  SetTimer(state.hwnd, kMainTimerId, kMainTimerPeriodMs, nullptr);
}

void OnDestroy(MainWindowState& state) {
  KillTimer(state.hwnd, kMainTimerId);
  DeleteObject(state.statusFont);
  DeleteObject(state.captionFont);
  DeleteObject(state.statusBrush);
  state.statusFont = state.captionFont = nullptr;
  state.statusBrush = nullptr;
  DestroyDrawingResources(state.res);
  if (state.link != nullptr) {
    ControlLink& link = *state.link;
    // Take the option port out of photo-eye mode for whoever comes next.
    if (link.connected && HasBrakeAndAux(link) && link.optionPortType == 5) {
      SetPhotoEyeMode(link, PhotoEyeOffByte(link));
    }
    if (HasSettings(state)) {
      WriteSettingsAtExit(*state.folder, *state.settings, link.CalibrationMatch, state.ui);
    }
    CloseControl(link);
    link.mainWindowExists = false;
  }
  if (state.kit != nullptr) {
    state.kit->actions = nullptr;
    state.kit->screenHost = nullptr;
    state.kit->mainWindow = nullptr;
  }
  state.buttons.clear();
  state.speedBar = nullptr;
  state.hwnd = nullptr;
  PostQuitMessage(0);
}

// ---- painting ----

DisplayInputs DisplayInputsOf(MainWindowState& state) {
  DisplayInputs in;
  in.connected = MainConnected(state);
  if (!in.connected) state.currentAngle = 0;
  in.currentAngle = state.currentAngle;
  in.spinRunning = state.spinRunning;
  in.freeRun = state.freeRun;
  in.speedRange = state.speedRange;
  in.readingsPresent = state.correction.readingsPresent;
  in.addLeft = state.correction.add[0];
  in.addRight = state.correction.add[1];
  in.selectedSlugSide = state.correction.selectedSlugSide;
  in.selectedSlugIndex = state.correction.selectedSlugIndex;
  in.leftReadingMoment = state.left.amount;
  in.rightReadingMoment = state.right.amount;
  return in;
}

void OnPaint(MainWindowState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(state.hwnd, &ps);
  DisplayInputs in = DisplayInputsOf(state);
  std::vector<DrawItem> items = BuildDisplay(SettingsOf(state), state.result, state.zones, in);
  PaintDisplay(dc, items, state.res, state.screenScale);
  state.displayedAngle = state.currentAngle;
  state.displayedConnected = MainConnected(state) ? 1 : 0;
  state.displayedPosition = CurrentPositionShown(in) ? state.currentAngle : -1;
  EndPaint(state.hwnd, &ps);
  if (state.spinRunning) DrawSpinStatusNow(state, state.spinStatus);
}

// ---- commands ----

void OpenHelp() {
  ShellExecuteA(nullptr, "open", kHelpProgram, kMainHelpArgument, nullptr, SW_SHOWNORMAL);
}

void Ask(MainWindowState& state, const OperatorMessage& message) {
  if (state.kit != nullptr) state.kit->actionCode = message.actionCode;
  if (state.ui != nullptr) state.ui->ShowMessage(message);
}

void TogglePlanes(MainWindowState& state) {
  if (state.settings == nullptr) return;
  SetBalancingMode(*state.settings, state.settings->twoPlaneMode == 1 ? 0 : 1);
  PlaceMainButtons(state);
  PlaceBoxes(state);
  RecomputeCorrections(state);
  InvalidateRect(state.hwnd, nullptr, TRUE);
  SetFocus(state.hwnd);
}

void ToggleDrillPoint(MainWindowState& state) {
  if (state.settings == nullptr) return;
  SetDrillPoint(state.correction, *state.settings, !state.correction.drillPoint);
  RecomputeCorrections(state);
  SetFocus(state.hwnd);
  InvalidatePlanes(state);
}

void ToggleAdd(MainWindowState& state, int side) {
  state.correction.add[side] = !state.correction.add[side];
  RecomputeCorrections(state);
  SetFocus(state.hwnd);
  InvalidatePlanes(state);
}

void SaveCondition(MainWindowState& state, bool final) {
  if (state.settings == nullptr || state.ui == nullptr) return;
  CurrentResult current = CurrentResultOf(state.result, state.left, state.right);
  if (final) {
    if (state.kit != nullptr && state.history.finalStored) {
      state.kit->actionCode = kCmdSaveFinal;
    }
    if (!SaveFinal(state.history, *state.settings, current, *state.ui)) return;
  } else {
    SaveInitial(state.history, *state.settings, current, *state.ui);
  }
  if (state.bobweightCard != nullptr && state.rodPistonSet != nullptr) {
    StoreConditionOnCard(*state.bobweightCard, *state.rodPistonSet,
                         final ? state.history.final : state.history.initial, final);
  }
}

void OnCharKey(MainWindowState& state, int character) {
  KeyContext context;
  context.speedControl = SettingsOf(state).speedControl;
  context.connected = MainConnected(state);
  context.indicatorAvailable = state.indicatorAvailable;
  for (KeyAction action : ActionsForKey(character, context)) {
    if (state.hwnd == nullptr) return;
    switch (action) {
      case KeyAction::kSpin:
        RunSpinFromWindow(state);
        break;
      case KeyAction::kAcquire:
        state.autoAcquireArmed = false;
        state.triggerSpeed = 0;
        RunSpinFromWindow(state);
        break;
      case KeyAction::kHelp:
        OpenHelp();
        break;
      case KeyAction::kDrillPoint:
        RunMainCommand(state, kCmdDrillPoint);
        break;
      case KeyAction::kSaveInitial:
        RunMainCommand(state, kCmdSaveInitial);
        break;
      case KeyAction::kSaveFinal:
        RunMainCommand(state, kCmdSaveFinal);
        break;
      case KeyAction::kHistory:
        RunMainCommand(state, kCmdHistory);
        break;
      case KeyAction::kPlanes:
        RunMainCommand(state, kCmdPlanes);
        break;
      case KeyAction::kZeroShaft:
        RunMainCommand(state, kCmdZeroShaft);
        break;
      case KeyAction::kIndicator:
        RunMainCommand(state, kCmdIndicator);
        break;
      case KeyAction::kMachineSetup:
        RunMainCommand(state, kCmdSettings);
        break;
      case KeyAction::kDrillSetup:
        RunMainCommand(state, kCmdDrillSetup);
        break;
      case KeyAction::kZoneSetup:
        RunMainCommand(state, kCmdZoneSetup);
        break;
      // V opens the setup even while the shaft runs free (the button brakes).
      case KeyAction::kHeavyMetal:
        if (auto context = ScreenContextOf(state)) OpenHeavyMetalSetupWindow(*context);
        break;
      case KeyAction::kBobweight:
        RunMainCommand(state, kCmdBobweight);
        break;
      case KeyAction::kPresets:
        RunMainCommand(state, kCmdPresets);
        break;
      case KeyAction::kLoadConfigAsk:
        Ask(state, LoadConfigurationQuestion());
        break;
      default:
        break;
    }
  }
}

// A press on a dial picks the planned slug under it.
void SelectSlugAt(MainWindowState& state, int x, int y) {
  const bool two = TwoPlane(state);
  bool anyHeavy = false;
  for (int side = two ? 0 : 1; side < 2; ++side) {
    const SideCorrection& sc = side == 0 ? state.result.left : state.result.right;
    if (!sc.plane.outsideZone) continue;
    anyHeavy = true;
    if (sc.method != CorrectionMethod::kSlug) continue;
    std::vector<PlacementCircle> circles = PlacementCircles(sc, side, two);
    for (size_t i = 0; i < circles.size(); ++i) {
      const float s = state.screenScale;
      const PlacementCircle& c = circles[i];
      HRGN region = CreateEllipticRgn(Scaled(c.x - c.r, s), Scaled(c.y - c.r, s),
                                      Scaled(c.x + c.r, s), Scaled(c.y + c.r, s));
      const bool hit = PtInRegion(region, x, y) != 0;
      DeleteObject(region);
      if (hit) {
        state.correction.selectedSlugSide = side;
        state.correction.selectedSlugIndex = static_cast<int>(i);
        RecomputeCorrections(state);
        InvalidatePlanes(state);
        return;
      }
    }
  }
  if (anyHeavy) {
    state.correction.selectedSlugSide = -1;
    state.correction.selectedSlugIndex = 0;
    RecomputeCorrections(state);
    InvalidatePlanes(state);
  }
}

// A double-click on a planned hole or slug opens Adjust on that side (a single
// press only selects a slug, for the Indicator).
void OpenAdjustAt(MainWindowState& state, int x, int y) {
  if (state.kit == nullptr || state.kit->childScreen != nullptr) return;
  const bool two = TwoPlane(state);
  const float s = state.screenScale;
  for (int side = two ? 0 : 1; side < 2; ++side) {
    const SideCorrection& sc = side == 0 ? state.result.left : state.result.right;
    for (const PlacementCircle& c : PlacementCircles(sc, side, two)) {
      HRGN region = CreateEllipticRgn(Scaled(c.x - c.r, s), Scaled(c.y - c.r, s),
                                      Scaled(c.x + c.r, s), Scaled(c.y + c.r, s));
      const bool hit = PtInRegion(region, x, y) != 0;
      DeleteObject(region);
      if (!hit) continue;
      if (auto context = ScreenContextOf(state)) {
        OpenAdjustWindow(*context, side == 0 ? kLeftSide : kRightSide);
      }
      return;
    }
  }
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* state = static_cast<MainWindowState*>(create->lpCreateParams);
    state->hwnd = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  }
  MainWindowState* state = StateOf(hwnd);
  if (state == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);

  switch (msg) {
    case WM_CREATE:
      OnCreate(*state);
      return 0;
    case WM_TIMER:
      if (wParam == kMainTimerId) MainWindowTick(*state);
      return 0;
    case WM_PAINT:
      OnPaint(*state);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) RunMainCommand(*state, LOWORD(wParam));
      return 0;
    case WM_CHAR:
      OnCharKey(*state, static_cast<int>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (state->onKeyDown) state->onKeyDown(wParam);
      break;
    case WM_LBUTTONDOWN: {
      const int x = static_cast<short>(LOWORD(lParam));
      const int y = static_cast<short>(HIWORD(lParam));
      if (LogoHit(x, y, state->screenScale, TwoPlane(*state))) {
        SendMessageA(hwnd, WM_SYSCOMMAND, 2, 0);
        return 0;
      }
      SelectSlugAt(*state, x, y);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      const int x = static_cast<short>(LOWORD(lParam));
      const int y = static_cast<short>(HIWORD(lParam));
      SelectSlugAt(*state, x, y);
      OpenAdjustAt(*state, x, y);
      return 0;
    }
    case WM_RBUTTONDOWN: {
      const int x = static_cast<short>(LOWORD(lParam));
      const int y = static_cast<short>(HIWORD(lParam));
      if (LogoHit(x, y, state->screenScale, TwoPlane(*state))) {
        SendMessageA(hwnd, WM_SYSCOMMAND, 1, 0);
      }
      return 0;
    }
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) InvalidatePlanes(*state);
      break;
    case WM_SYSCOMMAND:
      // A second copy asks for the window this way; it is shown normally,
      // never maximised.
      if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        SetForegroundWindow(hwnd);
        return 0;
      }
      if (wParam == 2) {
        const uint16_t firmware = state->link != nullptr ? state->link->FirmwareVersion : 0;
        if (state->ui != nullptr)
          state->ui->ShowMessage(AboutMessage(firmware, SettingsOf(*state)));
        return 0;
      }
      if (wParam == 1) {
        Ask(*state, CalibrationWarningMessage());
        return 0;
      }
      break;
    case WM_DESTROY:
      OnDestroy(*state);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool MainConnected(const MainWindowState& state) {
  return state.link != nullptr && state.link->connected == 1;
}

HWND ButtonOf(const MainWindowState& state, int id) {
  auto it = state.buttons.find(id);
  return it == state.buttons.end() ? nullptr : it->second;
}

void RecomputeCorrections(MainWindowState& state) {
  if (state.settings == nullptr) return;
  state.result = RunCorrectionPass(state.left, state.right, *state.settings, state.zones,
                                   state.correction, state.ui);
  SetValueBoxSides(state.result.left.plane.outsideZone, state.result.right.plane.outsideZone);
}

void RunMainCommand(MainWindowState& state, int id) {
  if (state.hwnd == nullptr) return;
  switch (id) {
    case kCmdSpin:
      if (MainConnected(state)) RunSpinFromWindow(state);
      break;
    case kCmdZeroShaft:
      if (MainConnected(state)) {
        if (auto context = ScreenContextOf(state)) OpenZeroShaftWindow(*context);
      }
      break;
    case kCmdIndicator:
      if (MainConnected(state) && state.indicatorAvailable) {
        if (auto context = ScreenContextOf(state)) OpenIndicatorWindow(*context);
      }
      break;
    case kCmdSettings:
      if (auto context = ScreenContextOf(state)) OpenMachineSetupWindow(*context);
      break;
    case kCmdHistory:
      if (auto context = ScreenContextOf(state)) OpenHistoryWindow(*context);
      break;
    case kCmdPresets:
      if (auto context = ScreenContextOf(state)) OpenPresetsWindow(*context);
      break;
    case kCmdHelp:
      OpenHelp();
      break;
    case kCmdClose:
      SendMessageA(state.hwnd, WM_CLOSE, 0, 0);
      break;
    case kCmdDrillPoint:
      ToggleDrillPoint(state);
      break;
    case kCmdDrillSetup:
      if (auto context = ScreenContextOf(state)) OpenDrillSetupWindow(*context);
      break;
    case kCmdZoneSetup:
      if (auto context = ScreenContextOf(state)) OpenZoneSetupWindow(*context);
      break;
    case kCmdHeavyMetal:
      if (state.freeRun) {
        if (state.link != nullptr) PulseBrake(*state.link);
        SetFocus(state.hwnd);
      } else if (auto context = ScreenContextOf(state)) {
        OpenHeavyMetalSetupWindow(*context);
      }
      break;
    case kCmdPlanes:
      TogglePlanes(state);
      break;
    case kCmdSaveInitial:
      SaveCondition(state, false);
      break;
    case kCmdSaveFinal:
      SaveCondition(state, true);
      break;
    case kCmdAddLeft:
      ToggleAdd(state, 0);
      break;
    case kCmdAddRight:
      ToggleAdd(state, 1);
      break;
    case kCmdBobweight:
      if (auto context = ScreenContextOf(state)) OpenBobweightWindow(*context);
      break;
    default:
      break;
  }
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kMainWindowClass;
  info.proc = MainWindowProc;
  info.solid = RGB(224, 224, 224);
  return RegisterClassOnce(instance, info);
}

HWND CreateMainWindow(MainWindowState& state) {
  const float s = state.screenScale;
  return CreateWindowExA(WS_EX_APPWINDOW, kMainWindowClass, kMainWindowTitle,
                         WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                         Scaled(kDesignWidth, s), Scaled(kDesignHeight, s), nullptr, nullptr,
                         state.instance, &state);
}

RECT StatusFieldRect(const MainWindowState& state) {
  const float s = state.screenScale;
  RECT r;
  const bool two = state.settings == nullptr || state.settings->twoPlaneMode == 1;
  const int x = kStatusFieldX + StatusFieldShift(two);
  r.left = Scaled(x, s);
  r.top = Scaled(kStatusFieldY, s);
  r.right = Scaled(x + kStatusFieldWidth, s);
  r.bottom = Scaled(kStatusFieldY + kStatusFieldHeight, s);
  return r;
}

StatusFieldView CurrentStatusView(const MainWindowState& state) {
  return DecideStatusField(MainConnected(state), state.currentAngle, state.spinRunning,
                           state.freeRun);
}

}  // namespace balancer
