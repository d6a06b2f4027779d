// The control over SetupAPI discovery and WinUSB vendor control transfers.
// winusb.dll is loaded when first needed, so the program still starts (and
// reports no control) on a machine where the driver was never installed.
#pragma once

#include <cstdint>

#include "device/control_transport.h"

namespace balancer {

// Substring that marks the control in a device interface path. Matched
// case-sensitively, as the driver reports it in lower case.
constexpr const char* kControlPathMatch = "vid_13ef&pid_dbc2";
constexpr int kDevicePathSize = 256;

enum class DevicePathVerdict {
  kNext,       // not the control, look at the next interface
  kOpen,       // the control: open this path
  kEndSearch,  // unreadable detail or over-long path: give up without a device
};

// What discovery does with one enumerated interface.
DevicePathVerdict ClassifyDevicePath(bool detailRead, const char* path);

class WinUsbTransport : public ControlTransport {
 public:
  WinUsbTransport() = default;
  ~WinUsbTransport() override;
  WinUsbTransport(const WinUsbTransport&) = delete;
  WinUsbTransport& operator=(const WinUsbTransport&) = delete;

  bool Open(uint8_t descriptor[kDeviceDescriptorSize]) override;
  uint32_t ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) override;
  bool Close(bool releaseInterface) override;

  // Path of the interface last matched ("" before any).
  const char* DevicePath() const { return devicePath_; }

 private:
  // Finds the first present control and opens its path; returns the file
  // handle or null.
  void* FindAndOpenDevice();

  void* device_ = nullptr;     // file handle; null when closed
  void* interface_ = nullptr;  // WINUSB_INTERFACE_HANDLE
  char devicePath_[kDevicePathSize] = {};
};

}  // namespace balancer
