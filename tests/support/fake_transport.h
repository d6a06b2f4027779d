// A scripted ControlTransport for tests. It records every transfer, answers
// from a queue of scripted replies or errors, then from an optional lambda,
// and otherwise from a small built-in control: a 256-byte EEPROM behind
// requests 3 and 4, and `defaultReply` for everything else. It can be
// unplugged (Open fails, transfers fail with error 22) and plugged back in.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "device/control_transport.h"

namespace balancer::test {

class FakeTransport : public ControlTransport {
 public:
  struct Transfer {
    uint8_t request;
    uint16_t value;
    bool operator==(const Transfer& o) const { return request == o.request && value == o.value; }
  };
  // Returns 0 and fills reply, or an error code (reply then ignored).
  using Responder = std::function<uint32_t(uint8_t request, uint16_t value, uint8_t* reply)>;

  explicit FakeTransport(uint16_t firmwareVersion = 0x0304);

  bool Open(uint8_t descriptor[kDeviceDescriptorSize]) override;
  uint32_t ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) override;
  bool Close(bool releaseInterface) override;

  // Script: answered in order before anything else.
  void QueueReply(const std::vector<uint8_t>& bytes);  // zero-padded to 64
  // A data stage of only `transferred` bytes; the transport's own buffer holds
  // garbage past them, as a USB stack's would.
  void QueueShortReply(const std::vector<uint8_t>& bytes, uint32_t transferred);
  void QueueError(uint32_t error);
  // Every transfer from now on fails with 22 and Open finds nothing.
  void Unplug() { plugged = false; }
  void Plug() { plugged = true; }
  // Fails every transfer with `error` (0 stops failing) while still plugged.
  void FailAll(uint32_t error) { failAll = error; }

  // The requests sent, in order; only those with the given code.
  std::vector<Transfer> TransfersOf(uint8_t request) const;
  // EEPROM writes (request 4) as (address, data) pairs.
  std::vector<std::pair<int, int>> EepromWrites() const;
  // Puts text at EEPROM address 1.. and the flags byte at 0; zeroes 1..63 first.
  void SetEepromRecord(uint8_t flags, const char* text);

  // Reply helpers for the speed (request 1) and angle (request 2) layouts.
  static std::vector<uint8_t> SpeedReply(int rpm, bool remoteStart = false);
  static std::vector<uint8_t> AngleReply(int angle);

  uint16_t firmwareVersion;
  bool plugged = true;
  uint32_t failAll = 0;
  Responder responder;
  std::array<uint8_t, kReplySize> defaultReply{};
  std::array<uint8_t, 256> eeprom{};

  std::vector<Transfer> transfers;
  int opens = 0;  // successful opens
  int openAttempts = 0;
  int closes = 0;
  std::vector<bool> closeReleasedInterface;
  bool open = false;

 private:
  struct Scripted {
    uint32_t error;
    std::array<uint8_t, kReplySize> bytes;
    uint32_t transferred = kReplySize;
  };
  std::deque<Scripted> script_;
};

}  // namespace balancer::test
