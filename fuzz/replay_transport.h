// A control that answers from fuzz bytes: the whole input is the control's
// side of the conversation. Used by the spin and EEPROM targets.
#pragma once

#include <cstring>

#include "base/operator_ui.h"
#include "device/clock.h"
#include "device/control_commands.h"
#include "device/control_link.h"
#include "device/control_transport.h"
#include "device/usb_layout.h"

namespace balancer::fuzz {

class ReplayTransport : public ControlTransport {
 public:
  // Transfers after this many fail as a removed device, so every input ends.
  static constexpr long kMaxTransfers = 150000;

  ReplayTransport(const uint8_t* data, size_t size, VirtualClock& clock)
      : data_(data), size_(size), clock_(clock) {}

  bool Open(uint8_t descriptor[kDeviceDescriptorSize]) override {
    if (gone_) return false;
    static const uint16_t kFirmware[4] = {0x0205, 0x0300, 0x0304, 0x0312};
    BuildControlDescriptor(kFirmware[size_ > 0 ? data_[0] % 4 : 2], descriptor);
    return true;
  }

  // The bytes are read in a circle. Per transfer one control byte: 0xFF fails
  // with error 31, 0xFE removes the device; otherwise for the sample request
  // bit 0 asks for the packet's angle to be taken relative to where the last
  // packet ended (so that streams that follow on are easy to reach), and the
  // next 64 bytes are the reply; other requests take the next 4 bytes.
  uint32_t ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) override {
    clock_.AdvanceMicros(500);
    if (gone_ || size_ < 2 || ++transfers_ > kMaxTransfers) {
      gone_ = true;
      return kErrorBadCommand;
    }
    uint8_t control = Next();
    if (control == 0xFF) return kErrorGenFailure;
    if (control == 0xFE) {
      gone_ = true;
      return kErrorBadCommand;
    }
    if (request != kRequestAngleAndSamples) {
      for (int i = 0; i < 4; ++i) reply[i] = Next();
      return 0;
    }
    for (int i = 0; i < kReplySize; ++i) reply[i] = Next();
    if (control & 1) {
      int groups = reply[0] <= 20 ? reply[0] : 0;
      int step = static_cast<int8_t>(reply[1]);
      int angle = (expected_ + static_cast<int8_t>(reply[2])) % 360;
      if (angle < 0) angle += 360;
      reply[2] = static_cast<uint8_t>(angle & 0xFF);
      reply[3] = static_cast<uint8_t>(angle >> 8);
      expected_ = ((angle + groups * step) % 360 + 360) % 360;
    }
    return 0;
  }

  bool Close(bool) override { return true; }

 private:
  uint8_t Next() {
    uint8_t b = data_[pos_];
    pos_ = (pos_ + 1) % size_;
    return b;
  }

  const uint8_t* data_;
  size_t size_;
  VirtualClock& clock_;
  size_t pos_ = 1;
  long transfers_ = 0;
  bool gone_ = false;
  int expected_ = 0;
};

// A control link opened on a control that answers with the fuzz input, on a
// virtual clock, with the operator's messages recorded.
struct ReplayedControl {
  ReplayedControl(const uint8_t* data, size_t size) : transport(data, size, clock) {
    link.transport = &transport;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
  }
  VirtualClock clock;
  ReplayTransport transport;
  RecordingOperatorUi ui;
  ControlLink link;
};

}  // namespace balancer::fuzz
