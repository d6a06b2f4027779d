// The calibration and sensor configuration record kept in the control's
// EEPROM (firmware 3.00 and later): a flags byte at address 0, a short comma
// separated text at 1-62, and the option port type at 150.
#pragma once

#include <cstdint>
#include <string>

#include "base/operator_message.h"
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
  int suspension = 0;         // 0 Hard Bearing, 1 Soft Bearing
  int encoderCountIndex = 1;  // 1..3: 360, 90, 720 counts
  int encoderDirection = 1;
};

// Encoder code of index 1..3; anything else counts as index 1, so a damaged
// index never reaches past the three-entry table.
uint8_t EncoderCode(int encoderCountIndex);
// Flags byte: encoder code, bit 5 set when encoderDirection is not 1.
uint8_t BuildConfigFlagsByte(const ControlConfig& config);
// ",%1.1f,%1.1f,%1.4f,%1.4f,%d,%1.1f,%1.4f,%d," into a zeroed buffer of `size`
// (at least 64); text[n] goes to EEPROM address n for n = 1..62.
void PrintConfigText(const ControlConfig& config, char* buffer, int size);

// Parses the eight values from an EEPROM block read at address 0 (bytes
// 1..63): each field runs to the next comma or the end of the block; a field
// that is not a finite number gives 0. Encoder fields are not touched.
void ParseConfigText(const uint8_t block[kReplySize], ControlConfig& config);

struct ConfigCheckResult {
  int firstDifference = 0;      // 0: none (or skipped)
  bool storedSilently = false;  // the control held a shorter record; it was rewritten
  bool warned = false;          // the mismatch warning was shown
  // True when the main window should be disabled and become the ReturnWindow
  // (only together with the warning, so the warning's OK gives it back).
  bool disableMainWindow = false;
};

// Compares the control's record with `expected`; sets link.CalibrationMatch
// and link.optionPortType (a type above 5 is rewritten as 0). The caller
// disables the main window only when disableMainWindow is set and no child
// screen is open.
ConfigCheckResult CheckControlConfig(ControlLink& link, const ControlConfig& expected,
                                     int showWarning);

// Reads the record into `config` (encoder fields and the eight values) and
// tells the operator. Callers check the connection first; as a safeguard it
// returns false and leaves `config` alone when the control is not connected,
// keeps no record (firmware below 3.00) or a read of the record fails, and
// then shows ConfigNotLoadedMessage so that the LOAD is never left
// unanswered. A flags byte with encoder bits 11 (index 4, no such encoder)
// leaves encoderCountIndex as it was.
bool LoadControlConfig(ControlLink& link, ControlConfig& config);

// Writes the record; returns 1 when stored. A failed write ends the store,
// shows the "not written" warning and returns 0.
int StoreControlConfig(ControlLink& link, const ControlConfig& config, int showConfirmation);

// Messages of the record.
OperatorMessage ConfigMismatchWarning();
OperatorMessage ConfigRetrievedMessage();
OperatorMessage ConfigStoredMessage();
OperatorMessage ConfigNotWrittenMessage();  // "Warning"
OperatorMessage ConfigNotLoadedMessage();   // "Warning", like the one above
OperatorMessage NoControlMessage();         // "The machine control interface was not found..."

}  // namespace balancer
