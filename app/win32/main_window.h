// The main window (class "balclass", title "Vidoduz Azavodad"): the
// operator's home screen with its picture buttons, value boxes, keys, the
// 30 ms timer and the painted instrument panel.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/display_model.h"
#include "app/operator_ui.h"
#include "app/program_folder.h"
#include "app/status_field.h"
#include "app/win32/drawing_resources.h"
#include "app/win32/main_window_actions.h"
#include "correction/correction_pass.h"
#include "device/control_link.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "measure/spin_state.h"
#include "records/history.h"
#include "records/machine_settings.h"
#include "records/settings_startup.h"

namespace balancer {

struct MessageWindowState;
struct KitContext;
struct BobweightCard;
struct RodPistonSet;

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
  KitContext* kit = nullptr;  // the dialogue kit; may be null
  // The bobweight job; Save Initial / Save Final put the condition on it.
  BobweightCard* bobweightCard = nullptr;  // may be null
  RodPistonSet* rodPistonSet = nullptr;
  SettingsLoadResult settingsLoad;

  HWND hwnd = nullptr;
  HFONT statusFont = nullptr;    // 27 / 600
  HFONT captionFont = nullptr;   // 22 / 300, the message font
  HBRUSH statusBrush = nullptr;  // (245,245,245)
  int currentAngle = 0;          // last angle read by the timer
  int referenceAngle = 0;        // last angle the rotation detector accepted
  int displayedAngle = -1;       // angle the status field last showed
  int displayedConnected = -1;   // connection state the status field last showed
  int displayedPosition = -1;    // angle of the painted current-position tick, -1 none
  bool spinRunning = false;
  bool freeRun = false;
  long ticks = 500;  // timer ticks, wrapping above 30000 back to 500

  // Main screen state.
  DrawingResources res;
  std::map<int, HWND> buttons;  // picture buttons by command id
  HWND speedBar = nullptr;      // SpeedBarWindow while shown
  char screenCode = 0;
  bool indicatorAvailable = false;
  bool autoAcquireArmed = false;
  int triggerSpeed = 0;
  int motorPower = 0;
  int speedRange = 0;     // speed scale: 0, 10 or 20 (hundreds of rpm)
  int speedBarValue = 0;  // last value drawn on the bar
  int spinStatus = 2;     // last status line code
  bool preloadPresent = false;
  std::string companyText;

  // Measurement and correction records of the run.
  PlaneReading left;
  PlaneReading right;
  CorrectionZones zones;
  CorrectionState correction;
  CorrectionResult result;
  SpinState spin;
  SpinOptions spinOptions;
  SensorMap map;
  History history;

  std::unique_ptr<MainWindowActions> actions;
  // Extra key handling of the demo build (its external drive key).
  std::function<void(WPARAM virtualKey)> onKeyDown;
};

// Registers "balclass" (background (224,224,224), icons "lgicon"/"smicon").
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the window at (0,0), 1280s x 680s, hidden. The creation loads the
// settings (the control's record as referee), the sensor map, preload and
// company text, computes the corrections once, reads speed and angle and
// starts the 30 ms timer. Destroying it writes the settings, closes the
// control and ends the message loop.
HWND CreateMainWindow(MainWindowState& state);

// The status field in pixels.
RECT StatusFieldRect(const MainWindowState& state);

// What the status field shows now.
StatusFieldView CurrentStatusView(const MainWindowState& state);

// One timer tick (also what WM_TIMER runs).
void MainWindowTick(MainWindowState& state);

// Runs the command as its button would (WM_COMMAND with a zero high word).
void RunMainCommand(MainWindowState& state, int id);

// Recomputes the corrections from the present readings.
void RecomputeCorrections(MainWindowState& state);

// Moves and shows the picture buttons for the present mode.
void PlaceMainButtons(MainWindowState& state);

// The picture button of a command, or null.
HWND ButtonOf(const MainWindowState& state, int id);

// Whether the control is connected.
bool MainConnected(const MainWindowState& state);

// ---- spin from the window (main_spin.cpp) ----

// Spin / Acquire: RunSpin with the window as its host.
void RunSpinFromWindow(MainWindowState& state);
// Draws the spin status line (code as ShowSpinStatus) at once.
void DrawSpinStatusNow(MainWindowState& state, int code);
// Draws the speed bar at once (rpm or progress scaled to 1055).
void DrawSpeedBarNow(MainWindowState& state, int value);
// Creates the SpeedBarWindow over the speed area; true when it was made now.
bool OpenSpeedBarWindow(MainWindowState& state);
void CloseSpeedBarWindow(MainWindowState& state);
// Whether a pointer-down at screen (x, y) lies inside the spin button.
bool InsideSpinButton(const MainWindowState& state, int x, int y);

}  // namespace balancer
