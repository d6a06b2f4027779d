// The byte layouts the control speaks: the 18-byte USB device descriptor,
// the 8-byte setup packet of a vendor IN control transfer and the wire
// protocol's 4-byte transfer status. Built and picked apart only here, so
// the transports, the simulated control, controlsim and the tests agree on
// every byte. Pure functions: no state, no failure beyond what they return.
#pragma once

#include <cstdint>

#include "device/control_transport.h"

namespace balancer {

constexpr int kSetupPacketSize = 8;
constexpr int kWireStatusSize = 4;
// bmRequestType of every transfer: device-to-host, vendor, device.
constexpr uint8_t kVendorInRequestType = 0xC0;

// What the program reads from a device descriptor (little-endian fields).
struct DeviceIdentity {
  uint16_t vendorId = 0;         // idVendor, bytes 8-9
  uint16_t productId = 0;        // idProduct, bytes 10-11
  uint16_t firmwareVersion = 0;  // bcdDevice, bytes 12-13
};

// The descriptor the control sends: USB 2.00, vendor-specific class, a
// 64-byte control endpoint, one configuration, the given ids and firmware.
void BuildDeviceDescriptor(const DeviceIdentity& identity,
                           uint8_t descriptor[kDeviceDescriptorSize]);
// The control's own descriptor with its vendor and product ids.
void BuildControlDescriptor(uint16_t firmwareVersion, uint8_t descriptor[kDeviceDescriptorSize]);
DeviceIdentity ParseDeviceDescriptor(const uint8_t descriptor[kDeviceDescriptorSize]);
// True when the descriptor carries the control's vendor and product ids.
bool IsControlDescriptor(const uint8_t descriptor[kDeviceDescriptorSize]);

struct SetupPacket {
  uint8_t requestType = kVendorInRequestType;
  uint8_t request = 0;
  uint16_t value = 0;
  uint16_t index = 0;
  uint16_t length = kReplySize;
};

// The setup packet of one transfer as the program sends it (wIndex 0,
// wLength 64).
SetupPacket VendorInSetup(uint8_t request, uint16_t value);
void BuildSetupPacket(const SetupPacket& setup, uint8_t bytes[kSetupPacketSize]);
SetupPacket ParseSetupPacket(const uint8_t bytes[kSetupPacketSize]);
// True for a transfer the control takes: a vendor IN request for 64 bytes.
bool IsControlTransfer(const SetupPacket& setup);

void BuildWireStatus(uint32_t status, uint8_t bytes[kWireStatusSize]);
uint32_t ParseWireStatus(const uint8_t bytes[kWireStatusSize]);

}  // namespace balancer
