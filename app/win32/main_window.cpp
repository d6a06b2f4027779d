#include "app/win32/main_window.h"

#include "app/program_identity.h"
#include "app/screen_scale.h"
#include "app/win32/design_font.h"
#include "app/win32/message_window.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/settings_bridge.h"
#include "resources/resource_ids.h"

namespace balancer {

namespace {

MainWindowState* StateOf(HWND hwnd) {
  return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

bool Connected(const MainWindowState& state) {
  return state.link != nullptr && state.link->connected == 1;
}

bool HasSettings(const MainWindowState& state) {
  return state.folder != nullptr && state.settings != nullptr && state.ui != nullptr &&
         state.link != nullptr;
}

void InvalidateStatus(MainWindowState& state) {
  RECT r = StatusFieldRect(state);
  InvalidateRect(state.hwnd, &r, TRUE);
}

void OnCreate(MainWindowState& state) {
  const float s = state.screenScale;
  state.statusFont = CreateDesignFont(kStatusFontHeight, kStatusFontWeight, s);
  state.captionFont = CreateDesignFont(22, 300, s);
  state.statusBrush = CreateSolidBrush(RGB(245, 245, 245));
  // Messages opened from here on belong to this window.
  if (state.message != nullptr) state.message->owner = state.hwnd;
  if (state.link != nullptr) {
    if (HasSettings(state)) {
      state.settingsLoad =
          StartupSettingsLoad(*state.folder, *state.link, *state.ui, *state.settings);
    }
    state.link->mainWindowExists = true;
    state.currentAngle = ReadShaftAngle(*state.link);
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
  state.hwnd = nullptr;
  PostQuitMessage(0);
}

void PutText(HDC dc, int x, int y, const std::string& text) {
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void OnPaint(MainWindowState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(state.hwnd, &ps);
  const float s = state.screenScale;
  SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  SetBkMode(dc, TRANSPARENT);

  if (!Connected(state)) state.currentAngle = 0;
  StatusFieldView view = CurrentStatusView(state);
  if (!state.freeRun) {
    HGDIOBJ old = SelectObject(dc, state.captionFont);
    SetTextColor(dc, RGB(0, 0, 160));
    PutText(dc, Scaled(kStatusTextX, s), Scaled(kStatusFieldY - 4, s), "Current Position");
    SelectObject(dc, old);
  }
  RECT field = StatusFieldRect(state);
  FillRect(dc, &field, state.statusBrush);
  if (view.drawText) {
    HGDIOBJ old = SelectObject(dc, state.statusFont);
    SetTextColor(dc, view.red ? RGB(255, 0, 0) : RGB(0, 0, 160));
    PutText(dc, Scaled(kStatusTextX, s), Scaled(kStatusTextY, s), view.text);
    SelectObject(dc, old);
  }
  state.displayedAngle = state.currentAngle;
  state.displayedConnected = Connected(state) ? 1 : 0;
  EndPaint(state.hwnd, &ps);
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
    case WM_SYSCOMMAND:
      // A second copy asks for the window this way; it is shown normally,
      // never maximised.
      if ((wParam & 0xFFF0) == SC_MAXIMIZE) {
        ShowWindow(hwnd, SW_SHOWNORMAL);
        SetForegroundWindow(hwnd);
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

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, BALANCER_RESOURCE_NAME(RES_LARGE_ICON));
  wc.hIconSm = LoadIconA(instance, BALANCER_RESOURCE_NAME(RES_SMALL_ICON));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // Owned by the class for the whole run.
  wc.hbrBackground = CreateSolidBrush(RGB(224, 224, 224));
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0;
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
  r.left = Scaled(kStatusFieldX, s);
  r.top = Scaled(kStatusFieldY, s);
  r.right = Scaled(kStatusFieldX + kStatusFieldWidth, s);
  r.bottom = Scaled(kStatusFieldY + kStatusFieldHeight, s);
  return r;
}

StatusFieldView CurrentStatusView(const MainWindowState& state) {
  return DecideStatusField(Connected(state), state.currentAngle, state.spinRunning, state.freeRun);
}

void MainWindowTick(MainWindowState& state) {
  if (state.message != nullptr && state.message->hwnd != nullptr) {
    SetWindowPos(state.message->hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  if (++state.ticks > 30000) state.ticks = 500;
  if (state.link == nullptr) return;

  if (!Connected(state)) {
    state.link->SoftZeroActive = 0;
    OpenControl(*state.link);
    if (!Connected(state)) {
      state.currentAngle = 0;
      if (state.displayedConnected != 0) InvalidateStatus(state);
      return;
    }
    // A control plugged in later is compared with the settings at once.
    if (HasSettings(state)) {
      CheckControlConfig(*state.link, ControlConfigFromSettings(*state.settings), 1);
    }
    InvalidateStatus(state);
  }

  state.currentAngle = ReadShaftAngle(*state.link);
  if (!Connected(state)) state.currentAngle = 0;  // lost during the read
  if (state.currentAngle != state.displayedAngle ||
      state.displayedConnected != (Connected(state) ? 1 : 0)) {
    InvalidateStatus(state);
  }
}

}  // namespace balancer
