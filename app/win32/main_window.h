// The main window (class "balclass", title "Vidoduz Azavodad"): the
// operator's home screen. For now it carries the status field with the live
// shaft angle and keeps the control connected from its 30 ms timer.
#pragma once

#include <windows.h>

#include "app/operator_ui.h"
#include "app/program_folder.h"
#include "app/status_field.h"
#include "device/control_link.h"
#include "records/machine_settings.h"
#include "records/settings_startup.h"

namespace balancer {

struct MessageWindowState;

struct MainWindowState {
  HINSTANCE instance = nullptr;
  float screenScale = 1.0f;
  ControlLink* link = nullptr;
  MessageWindowState* message = nullptr;  // may be null
  // The settings are loaded when the window is created and written when it
  // is destroyed; without these three the window leaves the files alone.
  const ProgramFolder* folder = nullptr;
  MachineSettings* settings = nullptr;
  OperatorUi* ui = nullptr;
  SettingsLoadResult settingsLoad;

  HWND hwnd = nullptr;
  HFONT statusFont = nullptr;    // 27 / 600
  HFONT captionFont = nullptr;   // 22 / 300, the message font
  HBRUSH statusBrush = nullptr;  // (245,245,245)
  int currentAngle = 0;          // last angle read by the timer
  int displayedAngle = -1;       // angle the status field last showed
  int displayedConnected = -1;   // connection state the status field last showed
  bool spinRunning = false;
  bool freeRun = false;
  long ticks = 500;  // timer ticks, wrapping above 30000 back to 500
};

// Registers "balclass" (background (224,224,224), icons "lgicon"/"smicon").
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the window at (0,0), 1280s x 680s, hidden. The creation loads the
// settings (the control's record as referee), reads the shaft angle once and
// starts the 30 ms timer. Destroying it writes the settings, closes the
// control and ends the message loop.
HWND CreateMainWindow(MainWindowState& state);

// The status field in pixels.
RECT StatusFieldRect(const MainWindowState& state);

// What the status field shows now.
StatusFieldView CurrentStatusView(const MainWindowState& state);

// One timer tick (also what WM_TIMER runs).
void MainWindowTick(MainWindowState& state);

}  // namespace balancer
