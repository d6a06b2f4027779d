// Everything the main window keeps: its handles, the main screen's state and
// the run's measurement and correction records it works on. The main window's
// files and the spin drawn over it share it; screens never see it.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/display_model.h"
#include "app/status_field.h"
#include "app/win32/kit/drawing_resources.h"
#include "app/win32/kit/main_window_actions.h"
#include "app/win32/main_spin_host.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "correction/correction_pass.h"
#include "device/control_link.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "measure/spin_state.h"
#include "records/history.h"
#include "records/settings_startup.h"

namespace balancer {

struct MessageWindowState;
struct KitContext;
struct BobweightCard;
struct RodPistonSet;

struct MainWindowState {
  // Makes `actions`, which live as long as the state (the kit holds them).
  MainWindowState();
  MainWindowState(const MainWindowState&) = delete;
  MainWindowState& operator=(const MainWindowState&) = delete;

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
  int indicatorReading = 0;      // option encoder counts, -32768 on error
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
  std::string presetName;  // the dimension preset in use, "" for none

  // What the window does for the kit and the screens (also their
  // ScreenHost); it does nothing while the window does not exist.
  std::unique_ptr<MainWindowActions> actions;
  std::unique_ptr<MainSpinHost> spinHost;  // made when the window is created
  // The update server's address; empty for the maker's. Only the demo build
  // sets it (from updateserver.txt); anything but an https address is refused.
  std::string updateServer;
  // Extra key handling of the demo build (its external drive key).
  std::function<void(WPARAM virtualKey)> onKeyDown;
  // A line of the demo build under the status field naming its own keys.
  std::string statusHint;
};

}  // namespace balancer
