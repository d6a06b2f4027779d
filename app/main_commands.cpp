#include "app/main_commands.h"

#include <cctype>
#include <cstdio>

namespace balancer {

std::vector<KeyAction> ActionsForKey(int character, const KeyContext& context) {
  std::vector<KeyAction> out;
  int c = (character >= 0 && character < 256) ? std::toupper(character) : character;
  if (c == 'S' && context.speedControl == 1 && context.connected) out.push_back(KeyAction::kSpin);
  if (c == 'A' && context.speedControl != 1 && context.connected) {
    out.push_back(KeyAction::kAcquire);
  }
  if (c == 'C' && context.indicatorAvailable) out.push_back(KeyAction::kIndicator);
  if (c == 'Z' && context.connected) out.push_back(KeyAction::kZeroShaft);
  if (c == 'B') out.push_back(KeyAction::kBobweight);
  if (c == 'R') out.push_back(KeyAction::kPresets);
  if (c == 'D') out.push_back(KeyAction::kDrillSetup);
  if (c == 'M' || c == 'E') out.push_back(KeyAction::kMachineSetup);
  if (c == 'H') out.push_back(KeyAction::kHelp);
  if (c == 'P') out.push_back(KeyAction::kDrillPoint);
  if (c == 'V') out.push_back(KeyAction::kHeavyMetal);
  if (c == 'N') out.push_back(KeyAction::kZoneSetup);
  if (c == 'I') out.push_back(KeyAction::kSaveInitial);
  if (c == 'F') out.push_back(KeyAction::kSaveFinal);
  if (c == 'Y') out.push_back(KeyAction::kHistory);
  if (c == 'L') out.push_back(KeyAction::kPlanes);
  if (c == 12 && context.connected) out.push_back(KeyAction::kLoadConfigAsk);
  return out;
}

std::vector<MainButton> MainButtons(int speedControl) {
  const bool spin = speedControl == 1;
  return {
      {kCmdSpin, "spin", spin ? "Spin" : "Acquire", "", 0, 130, 82, 1138, 12, 1138, 12, true},
      {kCmdZeroShaft, "zero", "Zero Shaft", "", 0, 130, 82, 1138, 108, 1138, 108, true},
      {kCmdBobweight, "bob", "Bobweight", "", 0, 130, 82, 1138, 204, 1138, 204, true},
      {kCmdPresets, "job", "Presets", "", 1, 130, 82, 1138, 300, 1138, 300, true},
      {kCmdSettings, "set", "Settings", "", 1, 130, 82, 1138, 396, 1138, 396, true},
      {kCmdHelp, "help", "Help", "", 0, 130, 82, 1138, 492, 1138, 492, true},
      {kCmdClose, "exit", "Close", "", -1, 130, 82, 1138, 588, 1138, 588, true},
      {kCmdAddLeft, "add", "", "", -1, 52, 40, 29, 84, 29, 84, true},
      {kCmdAddRight, "add", "", "", -1, 52, 40, 1056, 84, 918, 84, true},
      {kCmdDrillPoint, "dpoint", "Drill Point", "", 6, 108, 40, 516, kDialTop - 104, 890, 184,
       true},
      {kCmdDrillSetup, "drill", "Drill", "Setup", 0, 84, 64, 528, kDialTop - 54, 902, 320, true},
      {kCmdZoneSetup, "drill", "Zone", "Setup", 2, 84, 64, 528, kDialTop + 20, 154, 178, true},
      {kCmdHeavyMetal, "heavy", "Heavy Metal", "Setup", 3, 136, 64, 502, kDialTop + 94, 128, 294,
       true},
      {kCmdSaveInitial, "initial", "Save Initial", "Condition", 5, 124, 64, 30, 585, 30, 585, true},
      {kCmdSaveFinal, "initial", "Save Final", "Condition", 5, 124, 64, 983, 585, 983, 585, true},
      {kCmdPlanes, "history", "Planes", "", 1, 86, 40, 29, 426, 153, 414, true},
      {kCmdHistory, "history", "History", "", 6, 86, 40, 1022, 426, 901, 414, true},
      {kCmdIndicator, "dpoint", "Indicator", "", 4, 108, 40, 573, kDialTop - 104, 890, 251, false},
  };
}

bool RotationSeen(int currentAngle, int referenceAngle) {
  return currentAngle > referenceAngle + 12 && referenceAngle > 12;
}

bool InSemiAutoWindow(int rpm, int balancingSpeed) {
  return rpm >= 0.98 * balancingSpeed && rpm <= 1.02 * balancingSpeed;
}

FreeRunTick DecideFreeRunTick(int rpm, uint16_t firmwareVersion, int remoteStartFlag,
                              int speedControl, bool autoAcquireArmed, int balancingSpeed) {
  FreeRunTick t;
  if (rpm <= 30) {
    t.ends = true;
    return t;
  }
  t.sendAcquire = firmwareVersion > 0x020F && remoteStartFlag != 0;
  t.checkTrigger = speedControl == 2 && autoAcquireArmed && InSemiAutoWindow(rpm, balancingSpeed);
  return t;
}

bool RemoteStartSpins(uint16_t firmwareVersion, int remoteStartFlag, int speedControl,
                      bool spinRunning) {
  return speedControl == 1 && firmwareVersion > 0x020F && remoteStartFlag != 0 && !spinRunning;
}

OperatorMessage AboutMessage(uint16_t firmwareVersion, const MachineSettings& settings) {
  char head[256];
  std::snprintf(head, sizeof head,
                "Vidoduz azavodad program for Windows XP through Windows 11\n"
                "Software Release 8.0.88   5/22/2026\n"
                "Firmware Version %d.%02d\n",
                firmwareVersion >> 8, firmwareVersion & 0xFF);
  char calibration[320];
  std::snprintf(calibration, sizeof calibration,
                "\n"
                "Left side lag compensation  %1.1f\n"
                "Right side lag compensation  %1.1f\n"
                "Left calibration factor  %1.4f\n"
                "Right calibration factor  %1.4f",
                settings.lagCompensationLeft, settings.lagCompensationRight,
                settings.calibrationFactorLeft, settings.calibrationFactorRight);
  std::string text =
      std::string(head) + calibration + "\n\nGo to Settings for automatic software updates.";
  return MakeOkMessage("About Vidoduz Azavodad", text, kDarkBlueText, kBeepAsterisk, 265, 75, 610,
                       430);
}

OperatorMessage LoadConfigurationQuestion() {
  return MakeQuestion("Attention", "Do you want to load configuration data from the control?",
                      kDarkBlueText, kBeepAsterisk, 310, 197, 520, 160, "LOAD", 80, "CANCEL", 100,
                      kActionLoadConfiguration);
}

OperatorMessage CalibrationWarningMessage() {
  return MakeQuestion("WARNING",
                      "                                               Warning\n\n"
                      "Changing these values will alter the calibration of your machine.",
                      kRedText, kBeepAsterisk, 280, 182, 580, 190, "OK", 60, "CANCEL", 105,
                      kActionCalibrationWarning);
}

bool LogoHit(int x, int y, float scale, bool twoPlaneMode) {
  const int shift = twoPlaneMode ? 0 : static_cast<int>(366 * scale);
  const int left = static_cast<int>(549 * scale) - shift;
  const int right = static_cast<int>(591 * scale) - shift;
  const int top = static_cast<int>(30 * scale) - static_cast<int>(4 * scale);
  const int bottom = static_cast<int>(30 * scale) + static_cast<int>(34 * scale);
  return x >= left && x <= right && y >= top && y <= bottom;
}

}  // namespace balancer
