// Machine Setup ("Machine Setup", ScreenCode 'm'): two columns of buttons,
// each with its current value beside it. A press toggles or cycles a setting
// at once, or opens the number entry for its field code.
#pragma once

#include <string>
#include <vector>

#include "base/field_codes.h"
#include "records/screen_row.h"

namespace balancer {

constexpr char kMachineSetupTitle[] = "Machine Setup";
constexpr char kMachineSetupScreenCode = kScreenMachineSetup;

// Buttons (field codes).
enum : int {
  kSetupShaftRpm = kFieldShaftRpm,
  kSetupTolerance = kFieldTolerance,
  kSetupSampleQuality = kFieldSampleQuality,
  kSetupRightUpright = kFieldRightUpright,
  kSetupWeightUnit = kFieldWeightUnit,
  kSetupLengthUnit = kFieldLengthUnit,
  kSetupOilWeight = kFieldDefaultOilWeight,
  kSetupEmptyBobweight = kFieldEmptyBobweight,
  kSetupScale = kFieldScale,
  kSetupTouchscreen = kFieldTouchscreen,
  kSetupUpdateSoftware = kFieldUpdateSoftware,
  kSetupBobweightDetail = kFieldBobweightDetail,
  kSetupSpeedControl = kFieldSpeedControl,
  kSetupPhotoEye = kFieldPhotoEye,
  kSetupPhotoEyeDirection = kFieldPhotoEyeDirection,
  kSetupOptionEncoderRes = kFieldOptionEncoderResolution,
  kSetupCoupleForces = kFieldCoupleForces,
  // The two calculators this screen opens over itself.
  kSetupToleranceCalculator = 361,
  kSetupReluctorSimulator = 362,
  kSetupProvingTest = 363,  // and the proving test
};

// ScreenCode letters of the screens opened over Machine Setup.
constexpr char kToleranceScreenCode = kScreenTolerance;
constexpr char kReluctorScreenCode = kScreenReluctor;
constexpr char kProvingScreenCode = kScreenProving;

// Client size and place of the window, design units.
DesignBox MachineSetupWindowBox();

// Whether the photo-eye rows exist: connected, firmware 3.04 exactly, option
// port type 5.
bool PhotoEyeRowsShown(const ControlLink& link);
// Whether "Option Encoder Res." exists: connected, firmware 3.04 exactly,
// option port type 2 or 3.
bool OptionEncoderRowShown(const ControlLink& link);

// The tolerance in the display units with its unit ("%1.1f gm/in", ...).
std::string ToleranceText(const MachineSettings& settings);

// The screen's rows as they stand: only the rows that exist for this control,
// in their places. `scaleNames` are the scale model names, "None" first.
std::vector<ScreenItem> MachineSetupRows(const MachineSettings& settings, const ControlLink& link,
                                         const std::vector<std::string>& scaleNames);

// A press of button `id`: changes the settings (and tells the control where
// a setting lives there too) and says what follows.
ScreenPress PressMachineSetup(int id, SetupRecords& records,
                              const std::vector<std::string>& scaleNames);

// The button a character presses (upper-cased first): S, T, Q, R, G, I, O, M;
// Esc gives kExitButton; 0 for none.
int MachineSetupKey(int character);

// The photo-eye output mode after photoEye or its direction changed: the "on"
// byte while the photo eye is on, otherwise the configuration flags byte
// without the photo-eye bit (the soft zero ends). Sends nothing and returns
// -1 while the control is not connected.
int SendPhotoEyeOutputMode(ControlLink& link, const MachineSettings& settings);

}  // namespace balancer
