#include "device/usb_layout.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

TEST(UsbLayout, ControlDescriptorHasTheLiteralLayout) {
  uint8_t d[kDeviceDescriptorSize];
  BuildControlDescriptor(0x0312, d);
  const uint8_t expected[kDeviceDescriptorSize] = {18,   1,    0x00, 0x02, 0xFF, 0, 0, 64, 0xEF,
                                                   0x13, 0xC2, 0xDB, 0x12, 0x03, 1, 2, 0,  1};
  for (int i = 0; i < kDeviceDescriptorSize; ++i) EXPECT_EQ(d[i], expected[i]) << "byte " << i;

  DeviceIdentity id = ParseDeviceDescriptor(d);
  EXPECT_EQ(id.vendorId, 0x13EF);
  EXPECT_EQ(id.productId, 0xDBC2);
  EXPECT_EQ(id.firmwareVersion, 0x0312);
  EXPECT_TRUE(IsControlDescriptor(d));
}

TEST(UsbLayout, OnlyBothIdsMakeTheControl) {
  uint8_t d[kDeviceDescriptorSize];
  BuildDeviceDescriptor({kControlVendorId, 0xDBC3, 0x0300}, d);
  EXPECT_FALSE(IsControlDescriptor(d));
  BuildDeviceDescriptor({0x13EE, kControlProductId, 0x0300}, d);
  EXPECT_FALSE(IsControlDescriptor(d));
  // The ids are little-endian: swapped bytes are another device.
  BuildDeviceDescriptor({0xEF13, 0xC2DB, 0x0300}, d);
  EXPECT_FALSE(IsControlDescriptor(d));
}

TEST(UsbLayout, SetupPacketAndWireStatusRoundTripTheirBytes) {
  uint8_t bytes[kSetupPacketSize];
  BuildSetupPacket(VendorInSetup(4, 0x9603), bytes);
  const uint8_t expected[kSetupPacketSize] = {0xC0, 4, 0x03, 0x96, 0, 0, 64, 0};
  for (int i = 0; i < kSetupPacketSize; ++i) EXPECT_EQ(bytes[i], expected[i]) << "byte " << i;
  SetupPacket back = ParseSetupPacket(bytes);
  EXPECT_EQ(back.request, 4);
  EXPECT_EQ(back.value, 0x9603);
  EXPECT_TRUE(IsControlTransfer(back));

  back.length = 63;
  EXPECT_FALSE(IsControlTransfer(back));
  back.length = kReplySize;
  back.requestType = 0x40;  // host-to-device
  EXPECT_FALSE(IsControlTransfer(back));

  uint8_t status[kWireStatusSize];
  BuildWireStatus(0x8000001F, status);
  EXPECT_EQ(status[0], 0x1F);
  EXPECT_EQ(status[3], 0x80);
  EXPECT_EQ(ParseWireStatus(status), 0x8000001Fu);
}

}  // namespace
}  // namespace balancer
