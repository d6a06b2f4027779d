// Decisions of the main window that need no window: its button table, which
// commands a key runs, the rotation detector and free run, the Semi-Auto
// trigger and the texts of the questions the main window asks.
#pragma once

#include <cstdint>
#include <vector>

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "device/control_link.h"

namespace balancer {

// Command ids (WM_COMMAND low word) of the main window.
enum : int {
  kCmdSpin = 50,
  kCmdZeroShaft = 51,
  kCmdBobweight = 52,
  kCmdPresets = 53,
  kCmdHelp = 55,
  kCmdClose = kFieldExit,
  kCmdDrillPoint = 57,
  kCmdDrillSetup = 58,
  kCmdZoneSetup = 59,
  kCmdHeavyMetal = 60,
  kCmdHistory = 61,
  kCmdPlanes = 62,
  kCmdSaveInitial = kFieldSaveInitial,
  kCmdSaveFinal = kFieldSaveFinal,
  kCmdAddLeft = kFieldAddLeft,
  kCmdAddRight = kFieldAddRight,
  kCmdIndicator = kFieldIndicator,
  kCmdSettings = kFieldSettings,
};

// ActionCodes of the main window's questions.
enum : int {
  kActionCalibrationWarning = kFieldCalibrationWarning,
  kActionLoadConfiguration = kFieldLoadFromEeprom,
};

// Where a key sends the main window.
enum class KeyAction {
  kSpin,           // S in Auto
  kAcquire,        // A in Manual / Semi-Auto: disarms auto-acquire first
  kIndicator,      // C
  kZeroShaft,      // Z
  kBobweight,      // B
  kPresets,        // R
  kDrillSetup,     // D
  kMachineSetup,   // M, E
  kHelp,           // H
  kDrillPoint,     // P
  kHeavyMetal,     // V
  kZoneSetup,      // N
  kSaveInitial,    // I
  kSaveFinal,      // F
  kHistory,        // Y
  kPlanes,         // L
  kLoadConfigAsk,  // Ctrl+L
};

struct KeyContext {
  int speedControl = 0;
  bool connected = false;
  bool indicatorAvailable = false;
};

// Every action the character runs, in table order. The character is
// upper-cased first and each line is tested on its own, so one character may
// run more than one line.
std::vector<KeyAction> ActionsForKey(int character, const KeyContext& context);

// One picture button of the main window (design units).
struct MainButton {
  int id;
  const char* face;   // bitmap resource name
  const char* line1;  // label, "" for a blank face
  const char* line2;  // second line or ""
  int keyIndex;       // index in line1 of the key letter to underline, -1 none
  int width, height;
  int x, y;              // two-plane position
  int singleX, singleY;  // single-plane position
  bool shownAtStart;
};

// The dial top of the layout (buttons between the dials hang off it).
constexpr int kDialTop = 275;

// All picture buttons, in creation order. The Spin face reads "Acquire"
// unless speedControl is 1.
std::vector<MainButton> MainButtons(int speedControl);

// Rotation detector: more than 12 degrees of turning in the counting
// direction since the last tick, not through 0.
bool RotationSeen(int currentAngle, int referenceAngle);

// Whether a free-run speed reading lies in the Semi-Auto trigger window
// (0.98 to 1.02 times the balancing speed).
bool InSemiAutoWindow(int rpm, int balancingSpeed);

// What one free-run tick decides from the speed reading.
struct FreeRunTick {
  bool ends = false;          // speed 30 or less
  bool sendAcquire = false;   // the remote start asks for an acquisition
  bool checkTrigger = false;  // Semi-Auto: read again after 100 ms and trigger
};
FreeRunTick DecideFreeRunTick(int rpm, uint16_t firmwareVersion, int remoteStartFlag,
                              int speedControl, bool autoAcquireArmed, int balancingSpeed);

// Whether the control's remote-start button starts a spin on this tick. In
// Auto the program drives the motor, so the button spins the shaft as the
// Spin key does; never while a spin runs. Controls up to firmware 2.15 have
// no such button. (In Manual and Semi-Auto the free run handles it.)
bool RemoteStartSpins(uint16_t firmwareVersion, int remoteStartFlag, int speedControl,
                      bool spinRunning);

// Whether seen rotation starts a free run (the program drives the motor in
// Auto, so turning then is its own).
inline bool FreeRunMayStart(int speedControl) {
  return speedControl != 1;
}

// Whether the STOP face goes on the Heavy Metal button during a free run.
inline bool FreeRunStopFace(int optionPortType) {
  return optionPortType == kOptionPortMotorSwitch ||
         optionPortType == kOptionPortMotorSwitchAndEncoder;
}

// The About box, filled with the firmware version and calibration values.
OperatorMessage AboutMessage(uint16_t firmwareVersion, const MachineSettings& settings);

// Ctrl+L: load the configuration from the control? (ActionCode 249)
OperatorMessage LoadConfigurationQuestion();

// Right click on the logo: the calibration warning (ActionCode 23).
OperatorMessage CalibrationWarningMessage();

// The manual's page behind the main screen's Help button and the H key.
constexpr const char* kMainHelpPage = "Mounting the balancer on a machine base.htm";

// Logo hit test in pixels: the logo's box shifted by the view offset.
bool LogoHit(int x, int y, float scale, bool twoPlaneMode);

}  // namespace balancer
