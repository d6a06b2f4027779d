#include "device/win32/winusb_transport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/operator_ui.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "device/control_link.h"

namespace balancer {
namespace {

TEST(DevicePath, OnlyTheLowerCaseControlIdsAreTaken) {
  const char* control =
      "\\\\?\\usb#vid_13ef&pid_dbc2#6&2f3e&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951eb}";
  EXPECT_EQ(ClassifyDevicePath(true, control), DevicePathVerdict::kOpen);
  EXPECT_EQ(ClassifyDevicePath(true, "\\\\?\\usb#VID_13EF&PID_DBC2#6&2f3e&0&2#{...}"),
            DevicePathVerdict::kNext);
  EXPECT_EQ(ClassifyDevicePath(true, "\\\\?\\usb#vid_046d&pid_c52b#5&1&0&1#{...}"),
            DevicePathVerdict::kNext);
  EXPECT_EQ(ClassifyDevicePath(true, "\\\\?\\usb#vid_13ef&pid_dbc3#x"), DevicePathVerdict::kNext);
}

TEST(DevicePath, UnreadableOrOverlongDetailEndsTheSearch) {
  EXPECT_EQ(ClassifyDevicePath(false, "vid_13ef&pid_dbc2"), DevicePathVerdict::kEndSearch);
  EXPECT_EQ(ClassifyDevicePath(true, nullptr), DevicePathVerdict::kEndSearch);
  std::string fits(255, 'a');
  std::memcpy(&fits[10], "vid_13ef&pid_dbc2", 17);
  EXPECT_EQ(ClassifyDevicePath(true, fits.c_str()), DevicePathVerdict::kOpen);
  std::string tooLong = fits + "a";
  EXPECT_EQ(ClassifyDevicePath(true, tooLong.c_str()), DevicePathVerdict::kEndSearch);
}

TEST(WinUsbTransport, FindsNoControlHereAndFailsTransfersCleanly) {
  WinUsbTransport transport;
  uint8_t descriptor[kDeviceDescriptorSize];
  std::memset(descriptor, 0xAA, sizeof descriptor);
  EXPECT_FALSE(transport.Open(descriptor));
  EXPECT_EQ(descriptor[0], 0xAA);  // untouched without a device

  uint8_t reply[kReplySize];
  std::memset(reply, 0x55, sizeof reply);
  EXPECT_NE(transport.ControlIn(2, 0, reply), 0u);
  EXPECT_EQ(reply[0], 0x55);
  EXPECT_FALSE(transport.Close(true));
  EXPECT_FALSE(transport.Close(false));
  // A second discovery after a failed one behaves the same.
  EXPECT_FALSE(transport.Open(descriptor));
}

TEST(WinUsbTransport, LinkStaysDisconnectedAndCommandsDoNothing) {
  WinUsbTransport transport;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  link.transport = &transport;
  link.clock = &clock;
  link.ui = &ui;
  OpenControl(link);
  EXPECT_EQ(link.connected, 0);
  EXPECT_EQ(ReadShaftAngle(link), 0);
  EXPECT_EQ(SetMotorPower(link, 100), 0);
  EXPECT_EQ(CloseControl(link), 0);
}

}  // namespace
}  // namespace balancer
