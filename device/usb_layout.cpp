#include "device/usb_layout.h"

#include <cstring>

namespace balancer {
namespace {

void Put16(uint8_t* at, uint16_t v) {
  at[0] = static_cast<uint8_t>(v & 0xFF);
  at[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t Get16(const uint8_t* at) {
  return static_cast<uint16_t>(at[0] | at[1] << 8);
}

}  // namespace

void BuildDeviceDescriptor(const DeviceIdentity& identity,
                           uint8_t descriptor[kDeviceDescriptorSize]) {
  std::memset(descriptor, 0, kDeviceDescriptorSize);
  descriptor[0] = kDeviceDescriptorSize;  // bLength
  descriptor[1] = 1;                      // device descriptor
  Put16(descriptor + 2, 0x0200);          // USB 2.00
  descriptor[4] = 0xFF;                   // vendor-specific class
  descriptor[7] = kReplySize;             // control endpoint packet size
  Put16(descriptor + 8, identity.vendorId);
  Put16(descriptor + 10, identity.productId);
  Put16(descriptor + 12, identity.firmwareVersion);
  descriptor[14] = 1;  // manufacturer string
  descriptor[15] = 2;  // product string
  descriptor[17] = 1;  // one configuration
}

void BuildControlDescriptor(uint16_t firmwareVersion, uint8_t descriptor[kDeviceDescriptorSize]) {
  DeviceIdentity identity;
  identity.vendorId = kControlVendorId;
  identity.productId = kControlProductId;
  identity.firmwareVersion = firmwareVersion;
  BuildDeviceDescriptor(identity, descriptor);
}

DeviceIdentity ParseDeviceDescriptor(const uint8_t descriptor[kDeviceDescriptorSize]) {
  DeviceIdentity identity;
  identity.vendorId = Get16(descriptor + 8);
  identity.productId = Get16(descriptor + 10);
  identity.firmwareVersion = Get16(descriptor + 12);
  return identity;
}

bool IsControlDescriptor(const uint8_t descriptor[kDeviceDescriptorSize]) {
  DeviceIdentity identity = ParseDeviceDescriptor(descriptor);
  return identity.vendorId == kControlVendorId && identity.productId == kControlProductId;
}

SetupPacket VendorInSetup(uint8_t request, uint16_t value) {
  SetupPacket setup;
  setup.request = request;
  setup.value = value;
  return setup;
}

void BuildSetupPacket(const SetupPacket& setup, uint8_t bytes[kSetupPacketSize]) {
  bytes[0] = setup.requestType;
  bytes[1] = setup.request;
  Put16(bytes + 2, setup.value);
  Put16(bytes + 4, setup.index);
  Put16(bytes + 6, setup.length);
}

SetupPacket ParseSetupPacket(const uint8_t bytes[kSetupPacketSize]) {
  SetupPacket setup;
  setup.requestType = bytes[0];
  setup.request = bytes[1];
  setup.value = Get16(bytes + 2);
  setup.index = Get16(bytes + 4);
  setup.length = Get16(bytes + 6);
  return setup;
}

bool IsControlTransfer(const SetupPacket& setup) {
  return setup.requestType == kVendorInRequestType && setup.length == kReplySize;
}

void BuildWireStatus(uint32_t status, uint8_t bytes[kWireStatusSize]) {
  for (int i = 0; i < kWireStatusSize; ++i) bytes[i] = static_cast<uint8_t>(status >> (8 * i));
}

uint32_t ParseWireStatus(const uint8_t bytes[kWireStatusSize]) {
  uint32_t status = 0;
  for (int i = 0; i < kWireStatusSize; ++i) status |= static_cast<uint32_t>(bytes[i]) << (8 * i);
  return status;
}

}  // namespace balancer
