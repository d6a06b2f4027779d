// Transport seam of the control link: everything the program exchanges with
// the control box is one vendor IN control transfer. Implemented by WinUSB
// (device/win32), the wire-protocol client (loopback TCP to controlsim) and
// the in-process simulated control (sim/).
#pragma once

#include <cstdint>

namespace balancer {

// Windows error codes a transfer can fail with.
constexpr uint32_t kErrorBadCommand = 22;  // ERROR_BAD_COMMAND: the device is gone
constexpr uint32_t kErrorGenFailure = 31;  // ERROR_GEN_FAILURE: the device did not answer
constexpr uint32_t kErrorSemTimeout = 121; // ERROR_SEM_TIMEOUT: the transfer timed out

// USB identity of the control.
constexpr uint16_t kControlVendorId = 0x13EF;
constexpr uint16_t kControlProductId = 0xDBC2;
constexpr int kDeviceDescriptorSize = 18;
constexpr int kReplySize = 64;

class ControlTransport {
 public:
  virtual ~ControlTransport() = default;

  // Finds and opens the first control present. On success copies the 18-byte
  // USB device descriptor into `descriptor` and returns true; otherwise false
  // (no control). Blocks for the discovery. Called by OpenControl only.
  virtual bool Open(uint8_t descriptor[kDeviceDescriptorSize]) = 0;

  // One synchronous vendor IN control transfer: bmRequestType 0xC0, bRequest
  // `request`, wValue `value`, wIndex 0, wLength 64. Returns 0 and writes the
  // data stage the control sent to the front of `reply`; after a short data
  // stage the rest of `reply` stays as the caller handed it in (ControlRequest
  // hands in the previous reply). On failure returns the Windows error code
  // and leaves `reply` untouched. Blocks.
  virtual uint32_t ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) = 0;

  // Releases the device. `releaseInterface` is true when the link was
  // connected (the WinUSB interface handle is freed only then). Returns true
  // when a device handle was open and has been closed.
  virtual bool Close(bool releaseInterface) = 0;
};

// Copies the `transferred` bytes a transfer received (at most 64) to the
// front of `reply` and keeps the rest of `reply`. For the transports whose
// data stage can come up short.
void StoreDataStage(const uint8_t* received, uint32_t transferred, uint8_t reply[kReplySize]);

}  // namespace balancer
