// Spin / Acquire from the main window: the window as the spin's host, the
// status line and the speed bar drawn while the spin holds the thread.
#include "app/win32/main_spin.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/unbalance_display.h"
#include "base/program_identity.h"
#include "base/win32/colour.h"
#include "device/control_commands.h"
#include "measure/spin_display.h"

namespace balancer {

namespace {

constexpr int kSpeedBarFull = 1100;  // value drawn as a full bar

// The speed bar over the main window, its area repainted; both spin hosts
// show it the same way.
bool OpenSpeedBarOver(MainWindowState& state) {
  bool created = OpenSpeedBarWindow(state);
  if (created) {
    RECT r = PixelRect(SpeedArea((state.settings == nullptr || state.settings->twoPlaneMode == 1)),
                       state.screenScale);
    InvalidateRect(state.hwnd, &r, TRUE);
  }
  return created;
}

class WindowSpinHost : public SpinHost {
 public:
  explicit WindowSpinHost(MainWindowState& state) : state_(state) {}

  void SpinStarting(bool stopButton) override {
    state_.screenCode = kScreenSpinStarting;
    state_.spinRunning = true;
    state_.spinStatus = kStatusBlank;
    KillTimer(state_.hwnd, kMainTimerId);
    if (stopButton) {
      HWND spin = host().SpinButton();
      if (spin != nullptr) {
        SendMessageA(spin, BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(state_.res.spinStopFace));
      }
    } else {
      EnableWindow(state_.hwnd, FALSE);
    }
    RECT status = host().StatusField();
    InvalidateRect(state_.hwnd, &status, TRUE);
    UpdateWindow(state_.hwnd);
  }

  bool OpenSpeedBar() override { return OpenSpeedBarOver(state_); }

  void ComputeCorrections() override {
    state_.left = state_.spin.left;
    state_.right = state_.spin.right;
    state_.correction.readingsPresent = true;
    // A new shaft condition: held holes and slugs and a picked slug go.
    StartNewReading(state_.correction);
    state_.correction.measured = {state_.spin.left.amount > 0.0, state_.spin.right.amount > 0.0};
    host().RecomputeCorrections();
  }

  void SpinEnded(bool closeSpeedBar, bool enableMainWindow) override {
    if (closeSpeedBar) CloseSpeedBarWindow(state_);
    state_.spinRunning = false;
    state_.spinStatus = kStatusBlank;
    InvalidateRect(state_.hwnd, nullptr, TRUE);
    // Otherwise the message on screen gives the window back when closed.
    if (enableMainWindow) {
      EnableWindow(state_.hwnd, TRUE);
      SetActiveWindow(state_.hwnd);
      SetFocus(state_.hwnd);
    }
    SetTimer(state_.hwnd, kMainTimerId, kMainTimerPeriodMs, nullptr);
    state_.screenCode = kScreenSpinRunning;
    // The reference follows the shaft's resting place, not a free run.
    if (state_.link != nullptr && host().Connected()) {
      state_.currentAngle = ReadShaftAngle(*state_.link);
      state_.referenceAngle = state_.currentAngle;
    }
  }

  void AppendHistory(const PlaneReading& left, const PlaneReading& right) override {
    if (state_.settings == nullptr) return;
    AppendSpin(state_.history, CurrentResultOf(state_.result, left, right),
               state_.settings->twoPlaneMode);
  }

  void RestoreSpinButton() override {
    HWND spin = host().SpinButton();
    if (spin != nullptr && state_.settings != nullptr) {
      HBITMAP face =
          state_.settings->speedControl == 1 ? state_.res.spinFace : state_.res.acquireFace;
      SendMessageA(spin, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
    }
    // Drill Point is off after every spin: its command switches it off and
    // recomputes and repaints, so the depths shown lose the tip allowance.
    if (state_.correction.drillPoint) host().SendCommand(kCmdDrillPoint);
  }

 private:
  MainSpinHost& host() { return *state_.spinHost; }

  MainWindowState& state_;
};

// A spin asked for by an open screen. The window and its readings are the
// job's: this host leaves the readings, the corrections and the history
// alone and gives the keys back to the screen, not to the main window.
class ScreenSpinHost : public SpinHost {
 public:
  explicit ScreenSpinHost(MainWindowState& state) : state_(state) {}

  void SpinStarting(bool) override {
    screen_ = GetActiveWindow();
    state_.screenCode = kScreenSpinStarting;
    state_.spinRunning = true;
    state_.spinStatus = kStatusBlank;
    KillTimer(state_.hwnd, kMainTimerId);
    RECT status = state_.spinHost->StatusField();
    InvalidateRect(state_.hwnd, &status, TRUE);
    UpdateWindow(state_.hwnd);
  }

  bool OpenSpeedBar() override { return OpenSpeedBarOver(state_); }

  void SpinEnded(bool closeSpeedBar, bool enableMainWindow) override {
    if (closeSpeedBar) CloseSpeedBarWindow(state_);
    state_.spinRunning = false;
    state_.spinStatus = kStatusBlank;
    InvalidateRect(state_.hwnd, nullptr, TRUE);
    // The main window stays off under the open screens.
    if (enableMainWindow && screen_ != nullptr && IsWindow(screen_)) {
      SetActiveWindow(screen_);
      SetFocus(screen_);
    }
    SetTimer(state_.hwnd, kMainTimerId, kMainTimerPeriodMs, nullptr);
    state_.screenCode = kScreenSpinRunning;
    if (state_.link != nullptr && state_.spinHost->Connected()) {
      state_.currentAngle = ReadShaftAngle(*state_.link);
      state_.referenceAngle = state_.currentAngle;
    }
  }

 private:
  MainWindowState& state_;
  HWND screen_ = nullptr;
};

}  // namespace

bool RunSpinForScreen(MainWindowState& state, ScreenSpin& spin) {
  spin = ScreenSpin{};
  if (state.link == nullptr || state.settings == nullptr || state.ui == nullptr ||
      state.spinHost == nullptr || state.spinRunning) {
    return false;
  }
  // The job's last spin is what the main screen, F8 and the calibration
  // read: it comes back whole after this one.
  const auto saved = std::make_unique<SpinState>(state.spin);
  ScreenSpinHost host(state);
  RunSpin(*state.link, *state.settings, state.spinOptions, state.map, *state.ui, host, state.spin);
  spin.completed = state.spin.SpinActive == 1;
  spin.left = state.spin.left;
  spin.right = state.spin.right;
  state.spin = *saved;
  if (!spin.completed) return false;
  // The pass may move settings and held plans: it works on copies.
  MachineSettings settings = *state.settings;
  CorrectionState correction = state.correction;
  CorrectionZones zones = state.zones;
  StartNewReading(correction);
  correction.readingsPresent = true;
  correction.measured = {spin.left.amount > 0.0, spin.right.amount > 0.0};
  PlaneReading left = spin.left;
  PlaneReading right = spin.right;
  spin.correction = RunCorrectionPass(left, right, settings, zones, correction, nullptr);
  return true;
}

void RunSpinFromWindow(MainWindowState& state) {
  if (state.link == nullptr || state.settings == nullptr || state.ui == nullptr ||
      state.spinHost == nullptr || state.spinRunning) {
    return;
  }
  WindowSpinHost host(state);
  RunSpin(*state.link, *state.settings, state.spinOptions, state.map, *state.ui, host, state.spin);
  // A spin that ended early may leave the window off; never leave it so
  // unless a message owns it.
  if (state.hwnd != nullptr && (state.message == nullptr || state.message->hwnd == nullptr)) {
    EnableWindow(state.hwnd, TRUE);
  }
}

void DrawSpinStatusNow(MainWindowState& state, int code) {
  state.spinStatus = code;
  if (state.hwnd == nullptr) return;
  const bool touch = state.settings != nullptr && state.settings->touchscreen == 1;
  SpinStatusLine line = SpinStatusFor(code, touch);
  if (line.resetsSpeedBar) state.speedBarValue = 0;
  if (state.spinHost == nullptr) return;
  HDC dc = GetDC(state.hwnd);
  RECT field = state.spinHost->StatusField();
  HBRUSH fill = CreateSolidBrush(ColourRef(kStatusLineBackground));
  FillRect(dc, &field, fill);
  DeleteObject(fill);
  if (line.text[0] != '\0') {
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
    SetTextColor(dc, ColourRef(line.colour));
    // 19/600 keeps "Press Any Key To Cancel" inside the 212-unit field.
    HGDIOBJ old = SelectObject(dc, FontOf(state.res, 19, 600));
    const int x = (field.left + field.right) / 2;
    const int y = (field.top + field.bottom) / 2 + Scaled(11, state.screenScale);
    TextOutA(dc, x, y, line.text, static_cast<int>(strlen(line.text)));
    SelectObject(dc, old);
  }
  ReleaseDC(state.hwnd, dc);
}

void DrawSpeedBarNow(MainWindowState& state, int value) {
  state.speedBarValue = value;
  state.speedRange = 10 * SpeedBarScale(value, state.speedRange / 10, state.spin.acquiring != 0);
  if (state.speedBar == nullptr) return;
  RECT r;
  GetClientRect(state.speedBar, &r);
  HDC dc = GetDC(state.speedBar);
  int v = value < 0 ? 0 : value;
  // Above the first range the bar counts from that range's start.
  int shown = v - state.speedRange * 100;
  if (shown < 0) shown = 0;
  int width = static_cast<int>(static_cast<long long>(r.right) * shown / kSpeedBarFull);
  if (width > r.right) width = r.right;
  RECT bar = {0, 0, width, r.bottom};
  RECT rest = {width, 0, r.right, r.bottom};
  HBRUSH blue = CreateSolidBrush(RGB(51, 51, 255));
  HBRUSH back = CreateSolidBrush(RGB(245, 245, 245));
  FillRect(dc, &bar, blue);
  FillRect(dc, &rest, back);
  DeleteObject(blue);
  DeleteObject(back);
  // Scale labels every 200 rpm along the bar.
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 224));
  SetTextAlign(dc, TA_CENTER | TA_BOTTOM);
  HGDIOBJ old = SelectObject(dc, FontOf(state.res, 19, 600));
  for (int i = 0; i <= 10; i += 2) {
    char label[8];
    snprintf(label, sizeof label, "%d", i + state.speedRange);
    const int x = static_cast<int>(static_cast<long long>(r.right) * i * 100 / kSpeedBarFull);
    TextOutA(dc, x < 8 ? 8 : x, r.bottom - 2, label, static_cast<int>(strlen(label)));
  }
  SelectObject(dc, old);
  ReleaseDC(state.speedBar, dc);
}

bool OpenSpeedBarWindow(MainWindowState& state) {
  if (state.speedBar != nullptr || state.hwnd == nullptr) return false;
  RECT r = PixelRect(SpeedArea((state.settings == nullptr || state.settings->twoPlaneMode == 1)),
                     state.screenScale);
  state.speedBar = CreateWindowExA(
      WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, r.left, r.top,
      r.right - r.left, r.bottom - r.top, state.hwnd, nullptr, state.instance, nullptr);
  UpdateWindow(state.speedBar);
  DrawSpeedBarNow(state, 0);
  return state.speedBar != nullptr;
}

void CloseSpeedBarWindow(MainWindowState& state) {
  if (state.speedBar == nullptr) return;
  DestroyWindow(state.speedBar);
  state.speedBar = nullptr;
}

bool InsideSpinButton(const MainWindowState& state, int x, int y) {
  HWND spin = state.spinHost != nullptr ? state.spinHost->SpinButton() : nullptr;
  if (spin == nullptr) return false;
  RECT r;
  GetWindowRect(spin, &r);
  return x > r.left && x < r.right && y > r.top && y < r.bottom;
}

}  // namespace balancer
