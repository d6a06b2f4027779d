// The single connection to the control box and its transfer primitive.
#pragma once

#include <cstdint>

#include "device/clock.h"
#include "device/control_transport.h"

namespace balancer {

class OperatorUi;

// What is wired to the control's option port ("Option Port Type", kept in
// the control's EEPROM). A type above the last one reads as none.
enum OptionPortType : int {
  kOptionPortNone = 0,
  kOptionPortMotorSwitch = 1,  // "Motor ON/OFF"
  kOptionPortEncoder = 2,      // "Encoder only"
  kOptionPortMotorSwitchAndEncoder = 3,
  kOptionPortColumnSwitch = 4,  // "3 Column Switch"
  kOptionPortPhotoEye = 5,
  kLastOptionPortType = kOptionPortPhotoEye,
};

// Program-wide connection record. The seams it uses are not owned.
struct ControlLink {
  ControlTransport* transport = nullptr;
  Clock* clock = nullptr;
  OperatorUi* ui = nullptr;   // repaint of "No Hardware" after a failed re-discovery; may be null
  int* spinActive = nullptr;  // the spin state's SpinActive; failed commands clear it; may be null
  bool mainWindowExists = false;  // OpenControl asks for a hardware-status repaint only then

  int connected = 0;
  uint8_t deviceDescriptor[kDeviceDescriptorSize] = {};
  uint16_t FirmwareVersion = 0;    // bcdDevice of the last control opened in this run
  uint8_t reply[kReplySize] = {};  // data stage of the last transfer; every transfer overwrites it
  int TransferErrorLatch = 0;
  // Failed transfers in this run. The latch only tells about the last
  // transfer; a spin compares this count to know whether any of its own failed.
  uint32_t transferFailures = 0;
  int64_t performanceFrequency = 0;  // read once at start-up from the clock

  // Command-set state.
  int MotorPower = 0;
  int RemoteStartFlag = 0;
  int SoftZeroActive = 0;
  int SoftZeroOffset = 0;                // degrees
  int optionPortType = kOptionPortNone;  // OptionPortType read from / stored to EEPROM address 150
  uint8_t lastFlagsByte = 0;  // last ConfigFlagsByte built, used by the photo-eye commands

  // Configuration record comparison result; 1 until a difference is found.
  int CalibrationMatch = 1;
};

// Firmware gates.
inline bool HasConfigRecord(const ControlLink& link) {
  return link.FirmwareVersion >= 0x0300;
}
inline bool HasBrakeAndAux(const ControlLink& link) {
  return link.FirmwareVersion == 0x0304;
}

// Discovers and opens the control (connected = 1 on success). Clears
// connected first. Blocks for the discovery.
void OpenControl(ControlLink& link);

// Releases the device; returns 1 if a device handle was open. Leaves
// `connected` unchanged.
int CloseControl(ControlLink& link);

// One vendor IN transfer. Returns 0, or the error code of the failed
// transfer. Sets TransferErrorLatch (and counts transferFailures) on failure
// and clears the latch on success. The reply stays in link.reply (unchanged
// after a failure; after a short data stage only its front is new).
uint32_t ControlRequest(ControlLink& link, uint8_t request, uint16_t value);

// Busy waits over the link's clock.
uint32_t DelayMs(ControlLink& link, uint32_t ms);
void PacingWait(ControlLink& link);

// "Firmware Version %d.%02d".
void FormatFirmwareVersion(uint16_t version, char* out, int size);

}  // namespace balancer
