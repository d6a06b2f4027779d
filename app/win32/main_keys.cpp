// What the main window's keys, presses and commands do.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "app/condition_card.h"
#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/indicator_window.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/main_parts.h"
#include "app/win32/main_spin.h"
#include "app/win32/main_window.h"
#include "app/win32/main_window_ids.h"
#include "app/win32/unbalance_display.h"
#include "app/win32/zero_shaft_window.h"
#include "base/help_file.h"
#include "base/program_identity.h"
#include "bobweight/win32/bobweight_window.h"
#include "correction/adjust_screen.h"
#include "correction/win32/adjust_window.h"
#include "correction/win32/drill_setup_window.h"
#include "correction/win32/heavy_metal_setup_window.h"
#include "correction/win32/zone_setup_window.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/side_files.h"
#include "records/win32/history_window.h"
#include "records/win32/machine_setup_window.h"
#include "records/win32/presets_window.h"

namespace balancer {

namespace {

void OpenHelp() {
  ShellExecuteA(nullptr, "open", kHelpProgram, HelpTopicArgument(kMainHelpPage).c_str(), nullptr,
                SW_SHOWNORMAL);
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

}  // namespace

void OnMainChar(MainWindowState& state, int character) {
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

namespace {

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

}  // namespace

void OnMainLeftDown(MainWindowState& state, int x, int y) {
  if (LogoHit(x, y, state.screenScale, TwoPlane(state))) {
    SendMessageA(state.hwnd, WM_SYSCOMMAND, kMainSysAbout, 0);
    return;
  }
  SelectSlugAt(state, x, y);
}

void OnMainDoubleClick(MainWindowState& state, int x, int y) {
  SelectSlugAt(state, x, y);
  OpenAdjustAt(state, x, y);
}

void OnMainRightDown(MainWindowState& state, int x, int y) {
  if (LogoHit(x, y, state.screenScale, TwoPlane(state))) {
    SendMessageA(state.hwnd, WM_SYSCOMMAND, kMainSysCalibrationWarning, 0);
  }
}

bool OnMainSysCommand(MainWindowState& state, WPARAM command) {
  // A second copy asks for the window this way; it is shown normally,
  // never maximised.
  if ((command & 0xFFF0) == kMainSysShowRunning) {
    ShowWindow(state.hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(state.hwnd);
    return true;
  }
  if (command == kMainSysAbout) {
    const uint16_t firmware = state.link != nullptr ? state.link->FirmwareVersion : 0;
    if (state.ui != nullptr) state.ui->ShowMessage(AboutMessage(firmware, SettingsOf(state)));
    return true;
  }
  if (command == kMainSysCalibrationWarning) {
    Ask(state, CalibrationWarningMessage());
    return true;
  }
  return false;
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

}  // namespace balancer
