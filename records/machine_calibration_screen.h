// Machine Calibration ("Machine Calibration", ScreenCode 'c'): one column of
// buttons with their values; the lower group (encoder, option port, EEPROM)
// exists only while the control is connected with firmware 3.00 or later,
// which also decides the window's height.
#pragma once

#include <vector>

#include "base/field_codes.h"
#include "records/screen_row.h"
#include "records/side_files.h"

namespace balancer {

constexpr char kMachineCalibrationTitle[] = "Machine Calibration";
constexpr char kMachineCalibrationScreenCode = kScreenCalibration;

// Buttons (field codes) and the questions' ActionCodes.
enum : int {
  kCalLagLeft = kFieldLagCompensationLeft,
  kCalLagRight = kFieldLagCompensationRight,
  kCalFactorLeft = kFieldCalibrationFactorLeft,
  kCalFactorRight = kFieldCalibrationFactorRight,
  kCalAspectRatio = kFieldScreenAspectRatio,
  kCalDesiredLeft = kFieldDesiredReadingLeft,
  kCalDesiredRight = kFieldDesiredReadingRight,
  kCalSensorType = kFieldSensorType,
  kCalEncoderCount = kFieldEncoderCount,
  kCalEncoderDirection = kFieldEncoderDirection,
  kCalOptionPortType = kFieldOptionPortType,
  kCalLoadEeprom = kFieldLoadFromEeprom,
  kCalSaveEeprom = kFieldSaveToEeprom,
  kCalSuspension = kFieldSuspension,
};

// Ctrl+L and Ctrl+R as WM_CHAR gives them.
constexpr int kCtrlL = 12;
constexpr int kCtrlR = 18;

// Encoder count choices: index 1..3 shows 360, 90, 720 counts.
constexpr int kEncoderCountMaxIndex = 3;
int EncoderCounts(int encoderCountIndex);  // 0 outside 1..3

// "LVDT", "Piezo", "Magnet-Coil", "Accelerometer"; "" outside 0..3.
const char* SensorTypeName(int sensorType);

// The encoder configuration byte: the code of the encoder count, AND 0xC0
// for direction 1, OR 0x20 for direction 0.
int EncoderConfigByte(const MachineSettings& settings);
// Sends it to the control with the option port command and remembers it as
// the last flags byte. -1 (nothing sent) while not connected.
int SendEncoderConfig(ControlLink& link, const MachineSettings& settings);

// The questions of the screen.
OperatorMessage SuspensionQuestion();   // "WARNING", CHANGE / CANCEL, ActionCode 261
OperatorMessage StoreEepromQuestion();  // "WARNING", STORE / CANCEL, ActionCode 250

// The screen's state while it is open.
struct MachineCalibrationScreen {
  // Decided when the window opens: the control then had a configuration
  // record (connected, firmware 3.00 or later).
  bool lowerGroup = false;
  uint16_t firmware = 0;
  // The desired readings of this opening.
  KnownWeightCalibration calibration;

  // Opening: clears the desired readings and takes the control's state.
  void Open(const ControlLink& link);

  // Client size and place, design units; the height follows the rows.
  DesignBox WindowBox() const;

  // The option port type shown is the control's (link.optionPortType).
  std::vector<ScreenItem> Rows(const MachineSettings& settings, const ControlLink& link) const;

  // A press of button `id`.
  ScreenPress Press(int id, SetupRecords& records);
};

// The button a character presses: Ctrl+L, Ctrl+R; Esc gives kExitButton.
int MachineCalibrationKey(int character);

}  // namespace balancer
