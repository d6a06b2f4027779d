// The main window's 30 ms tick: keeps the control connected, follows the
// shaft, runs free-run speed display and the Semi-Auto trigger.
#include "app/indicator.h"
#include "app/main_commands.h"
#include "app/screen_scale.h"
#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_spin.h"
#include "app/win32/main_window.h"
#include "app/win32/unbalance_display.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "records/settings_bridge.h"

namespace balancer {

namespace {

void InvalidateStatus(MainWindowState& state) {
  RECT r = StatusFieldRect(state);
  InvalidateRect(state.hwnd, &r, TRUE);
}

void InvalidateSpeed(MainWindowState& state) {
  RECT r = PixelRect(SpeedArea((state.settings == nullptr || state.settings->twoPlaneMode == 1)),
                     state.screenScale);
  InvalidateRect(state.hwnd, &r, TRUE);
}

void SetHeavyFace(MainWindowState& state, bool stop) {
  HWND button = ButtonOf(state, kCmdHeavyMetal);
  if (button == nullptr) return;
  HBITMAP face = stop ? state.res.stopFace : state.res.faces[kCmdHeavyMetal];
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(face));
}

void StartFreeRun(MainWindowState& state) {
  state.freeRun = true;
  OpenSpeedBarWindow(state);
  InvalidateSpeed(state);
  InvalidateStatus(state);
  if (FreeRunStopFace(state.link->optionPortType)) SetHeavyFace(state, true);
}

void EndFreeRun(MainWindowState& state) {
  state.freeRun = false;
  SetHeavyFace(state, false);
  state.autoAcquireArmed = true;
  CloseSpeedBarWindow(state);
  state.currentAngle = ReadShaftAngle(*state.link);
  state.referenceAngle = state.currentAngle;
  InvalidateSpeed(state);
  InvalidateStatus(state);
}

void FreeRunStep(MainWindowState& state) {
  ControlLink& link = *state.link;
  const MachineSettings* settings = state.settings;
  const int speedControl = settings != nullptr ? settings->speedControl : 0;
  const int balancingSpeed = settings != nullptr ? settings->shaftRpm : 500;
  const int rpm = SetMotorPower(link, state.motorPower);
  FreeRunTick tick = DecideFreeRunTick(rpm, link.FirmwareVersion, link.RemoteStartFlag,
                                       speedControl, state.autoAcquireArmed, balancingSpeed);
  if (tick.ends) {
    EndFreeRun(state);
    return;
  }
  DrawSpeedBarNow(state, rpm);
  if (tick.sendAcquire) SendMessageA(state.hwnd, WM_CHAR, 'a', 0);
  if (tick.checkTrigger && state.hwnd != nullptr) {
    link.clock->DelayMs(100);
    state.triggerSpeed = SetMotorPower(link, state.motorPower);
    if (state.triggerSpeed > 9) {
      state.autoAcquireArmed = false;
      SendMessageA(state.hwnd, WM_CHAR, 'a', 0);
    }
  }
}

void InvalidatePosition(MainWindowState& state, int angle) {
  const bool two = state.settings == nullptr || state.settings->twoPlaneMode == 1;
  for (int side = two ? 0 : 1; side < 2; ++side) {
    RECT r = PixelRect(CurrentPositionArea(side, two, angle), state.screenScale);
    InvalidateRect(state.hwnd, &r, TRUE);
  }
}

// Repaints the current-position ticks where they were and where they belong
// now; only those small areas, so turning the shaft by hand does not flicker
// the dials.
void RefreshPositionTick(MainWindowState& state) {
  if (state.hwnd == nullptr) return;
  DisplayInputs in;
  in.connected = MainConnected(state);
  in.spinRunning = state.spinRunning;
  in.freeRun = state.freeRun;
  const int wanted = CurrentPositionShown(in) ? state.currentAngle : -1;
  if (wanted == state.displayedPosition) return;
  if (state.displayedPosition >= 0) InvalidatePosition(state, state.displayedPosition);
  if (wanted >= 0) InvalidatePosition(state, wanted);
}

void TickSteps(MainWindowState& state);

}  // namespace

void MainWindowTick(MainWindowState& state) {
  TickSteps(state);
  RefreshPositionTick(state);
  // The open screen follows the live values.
  if (state.kit != nullptr && state.kit->childScreen != nullptr) {
    SendMessageA(state.kit->childScreen, kScreenLiveUpdate, 0, 0);
  }
}

namespace {

void TickSteps(MainWindowState& state) {
  if (state.message != nullptr && state.message->hwnd != nullptr) {
    SetWindowPos(state.message->hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
  if (++state.ticks > 30000) state.ticks = 500;
  if (state.link == nullptr) return;
  ControlLink& link = *state.link;

  if (MainConnected(state) && !state.indicatorAvailable && HasBrakeAndAux(link) &&
      (link.optionPortType == kOptionPortEncoder ||
       link.optionPortType == kOptionPortMotorSwitchAndEncoder)) {
    state.indicatorAvailable = true;
    PlaceMainButtons(state);
  }
  if (MainConnected(state) && HasBrakeAndAux(link) && link.optionPortType == kOptionPortPhotoEye &&
      link.SoftZeroActive == 0 && state.settings != nullptr && state.settings->photoEye == 1) {
    SetPhotoEyeMode(link, PhotoEyeOnByte(state.settings->photoEyeEncoderDirection));
    link.SoftZeroActive = 1;
  }

  if (!MainConnected(state)) {
    link.SoftZeroActive = 0;
    OpenControl(link);
    if (!MainConnected(state)) {
      state.currentAngle = 0;
      if (state.displayedConnected != 0) InvalidateStatus(state);
      return;
    }
    // A control plugged in later is compared with the settings at once.
    if (state.settings != nullptr) {
      CheckControlConfig(link, ControlConfigFromSettings(*state.settings), 1);
    }
    InvalidateStatus(state);
  }

  // The open Indicator follows the option encoder.
  if (state.kit != nullptr && state.kit->screenCode == kIndicatorScreenCode) {
    state.indicatorReading = ReadAbsolutePosition(link, 1);
  }
  state.currentAngle = ReadShaftAngle(link);
  if (!MainConnected(state)) {  // lost during the read
    state.currentAngle = 0;
    InvalidateStatus(state);
    return;
  }

  const int speedControl = state.settings != nullptr ? state.settings->speedControl : 0;
  // In Auto nothing else reads the speed request while idle, so the remote
  // start flag is polled here (the motor is off; power 0 keeps it so).
  if (RemoteStartSpins(link.FirmwareVersion, 1, speedControl, state.spinRunning)) {
    SetMotorPower(link, 0);
    if (RemoteStartSpins(link.FirmwareVersion, link.RemoteStartFlag, speedControl,
                         state.spinRunning) &&
        state.hwnd != nullptr && MainConnected(state)) {
      RunSpinFromWindow(state);
      return;
    }
  }
  if (RotationSeen(state.currentAngle, state.referenceAngle) && !state.freeRun &&
      FreeRunMayStart(speedControl)) {
    StartFreeRun(state);
  }
  if (state.freeRun) {
    FreeRunStep(state);
    return;
  }
  if (state.currentAngle != state.referenceAngle) state.referenceAngle = state.currentAngle;
  if (state.currentAngle != state.displayedAngle ||
      state.displayedConnected != (MainConnected(state) ? 1 : 0)) {
    InvalidateStatus(state);
  }
}

}  // namespace

}  // namespace balancer
