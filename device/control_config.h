// The calibration and sensor configuration record kept in the control's
// EEPROM (firmware 3.00 and later): a flags byte at address 0, a short comma
// separated text at 1-62, and the option port type at 150.
#pragma once

#include <cstdint>
#include <string>

#include "app/operator_message.h"
#include "device/control_link.h"

namespace balancer {

// The values the record holds, by their settings names. The settings code
// fills one from MachineSettings and copies a loaded one back.
struct ControlConfig {
  double lagCompensationLeft = 0.0;
  double lagCompensationRight = 0.0;
  double calibrationFactorLeft = 2.0;
  double calibrationFactorRight = 2.0;
  int sensorType = 0;  // 0 LVDT, 1 Piezo, 2 Magnet-Coil, 3 Accelerometer
  double spareValueA = 0.0;
  double spareValueB = 1.0;
  int suspension = 0;  // 0 Hard Bearing, 1 Soft Bearing
  int encoderCountIndex = 1;  // 1..3: 360, 90, 720 counts
  int encoderDirection = 1;
};

// Encoder code of index 1..3; anything else counts as index 1.
uint8_t EncoderCode(int encoderCountIndex);
// Flags byte: encoder code, bit 5 set when encoderDirection is not 1.
uint8_t BuildConfigFlagsByte(const ControlConfig& config);
// ",%1.1f,%1.1f,%1.4f,%1.4f,%d,%1.1f,%1.4f,%d," into a zeroed buffer of `size`
// (at least 64); text[n] goes to EEPROM address n for n = 1..62.
void PrintConfigText(const ControlConfig& config, char* buffer, int size);

struct ConfigCheckResult {
  int firstDifference = 0;     // 0: none (or skipped)
  bool storedSilently = false; // the control held a shorter record; it was rewritten
  bool warned = false;         // the mismatch warning was shown
  // True when the main window should be disabled and become the ReturnWindow
  // (only together with the warning, so the warning's OK gives it back).
  bool disableMainWindow = false;
};

// Compares the control's record with `expected`; sets link.CalibrationMatch.
ConfigCheckResult CheckControlConfig(ControlLink& link, const ControlConfig& expected,
                                     int showWarning);

// Reads the record into `config` (encoder fields and the eight values) and
// tells the operator. Callers check the connection first.
void LoadControlConfig(ControlLink& link, ControlConfig& config);

// Writes the record; returns 1 when stored.
int StoreControlConfig(ControlLink& link, const ControlConfig& config, int showConfirmation);

// Messages of the record.
OperatorMessage ConfigMismatchWarning();
OperatorMessage ConfigRetrievedMessage();
OperatorMessage ConfigStoredMessage();
OperatorMessage ConfigNotWrittenMessage();
OperatorMessage NoControlMessage();  // "The machine control interface was not found..."

}  // namespace balancer
