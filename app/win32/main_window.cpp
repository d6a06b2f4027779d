#include "app/win32/main_window.h"

#include "app/screen_scale.h"
#include "app/win32/kit/design_font.h"
#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/kit/value_box.h"
#include "app/win32/main_parts.h"
#include "app/win32/main_window_ids.h"
#include "app/win32/unbalance_display.h"
#include "base/program_identity.h"
#include "base/win32/window_base.h"
#include "base/win32/window_class.h"
#include "correction/correction_pass.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/settings_bridge.h"
#include "records/side_files.h"

namespace balancer {

bool HasSettings(const MainWindowState& state) {
  return state.folder != nullptr && state.settings != nullptr && state.ui != nullptr &&
         state.link != nullptr;
}

const MachineSettings& SettingsOf(const MainWindowState& state) {
  static const MachineSettings defaults;
  return state.settings != nullptr ? *state.settings : defaults;
}

bool TwoPlane(const MainWindowState& state) {
  return SettingsOf(state).twoPlaneMode == 1;
}

namespace {

void InvalidateDesign(MainWindowState& state, const DesignRect& r) {
  RECT px = PixelRect(r, state.screenScale);
  InvalidateRect(state.hwnd, &px, TRUE);
}

}  // namespace

void InvalidatePlanes(MainWindowState& state) {
  InvalidateDesign(state, PlaneArea(0, TwoPlane(state)));
  InvalidateDesign(state, PlaneArea(1, TwoPlane(state)));
}

namespace {

constexpr const char* kSensorMapFile = "sensormap.dta";

void LoadWorkingFiles(MainWindowState& state) {
  if (!HasSettings(state)) return;
  LoadSensorMap(state.folder->File(kSensorMapFile), state.settings->suspension, state.map,
                *state.ui);
}

void OnCreate(MainWindowState& state) {
  const float s = state.screenScale;
  MakeMainHosts(state);
  if (state.kit != nullptr) state.kit->mainWindow = state.hwnd;
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
    if (link.connected && HasBrakeAndAux(link) && link.optionPortType == kOptionPortPhotoEye) {
      SetPhotoEyeMode(link, PhotoEyeOffByte(link));
    }
    if (HasSettings(state)) {
      WriteSettingsAtExit(*state.folder, *state.settings, link.CalibrationMatch, state.ui);
    }
    CloseControl(link);
    link.mainWindowExists = false;
  }
  // The kit's actions and screen host do nothing from here on.
  if (state.kit != nullptr) state.kit->mainWindow = nullptr;
  state.buttons.clear();
  state.speedBar = nullptr;
  state.hwnd = nullptr;
  PostQuitMessage(0);
}

// The window's state is the program's (AppState::main), or a test's.
LRESULT HandleMainWindow(HWND hwnd, MainWindowState& state, UINT msg, WPARAM wParam,
                         LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    state.hwnd = hwnd;
  } else if (state.hwnd == nullptr) {
    // Destroyed: what is left on the way out is the system's.
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  switch (msg) {
    case WM_CREATE:
      OnCreate(state);
      return 0;
    case WM_TIMER:
      if (wParam == kMainTimerId) MainWindowTick(state);
      return 0;
    case WM_PAINT:
      PaintMainWindow(state);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) RunMainCommand(state, LOWORD(wParam));
      return 0;
    case WM_CHAR:
      OnMainChar(state, static_cast<int>(wParam));
      return 0;
    case WM_KEYDOWN:
      if (state.onKeyDown) state.onKeyDown(wParam);
      break;
    case WM_LBUTTONDOWN:
      OnMainLeftDown(state, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnMainDoubleClick(state, static_cast<short>(LOWORD(lParam)),
                        static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_RBUTTONDOWN:
      OnMainRightDown(state, static_cast<short>(LOWORD(lParam)),
                      static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) InvalidatePlanes(state);
      break;
    case WM_SYSCOMMAND:
      if (OnMainSysCommand(state, wParam)) return 0;
      break;
    case kKitContextQuery:
      return reinterpret_cast<LRESULT>(state.kit);
    case WM_DESTROY:
      OnDestroy(state);
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
  if (state.kit != nullptr) {
    SetValueBoxSides(*state.kit, state.result.left.plane.outsideZone,
                     state.result.right.plane.outsideZone);
  }
}

bool RegisterMainWindowClass(HINSTANCE instance) {
  WindowClassInfo info;
  info.name = kMainWindowClass;
  info.proc = StateWindowProc<MainWindowState, HandleMainWindow>;
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
