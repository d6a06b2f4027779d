#include "support/fake_transport.h"

#include <algorithm>
#include <cstring>

#include "device/usb_layout.h"

namespace balancer::test {

FakeTransport::FakeTransport(uint16_t firmware) : firmwareVersion(firmware) {}

bool FakeTransport::Open(uint8_t descriptor[kDeviceDescriptorSize]) {
  ++openAttempts;
  if (!plugged) return false;
  BuildControlDescriptor(firmwareVersion, descriptor);
  ++opens;
  open = true;
  return true;
}

uint32_t FakeTransport::ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) {
  transfers.push_back({request, value});
  if (!plugged || !open) return kErrorBadCommand;
  if (!script_.empty()) {
    Scripted s = script_.front();
    script_.pop_front();
    if (s.error != 0) return s.error;
    if (s.transferred < kReplySize) {
      uint8_t usb[kReplySize];
      std::memset(usb, 0xCD, sizeof usb);
      std::memcpy(usb, s.bytes.data(), s.transferred);
      StoreDataStage(usb, s.transferred, reply);
      return 0;
    }
    std::memcpy(reply, s.bytes.data(), kReplySize);
    return 0;
  }
  if (failAll != 0) return failAll;
  if (responder) {
    uint8_t buffer[kReplySize] = {};
    uint32_t error = responder(request, value, buffer);
    if (error == 0) std::memcpy(reply, buffer, kReplySize);
    return error;
  }
  if (request == 3) {
    for (int i = 0; i < kReplySize; ++i) {
      int address = value + i;
      reply[i] = address < 256 ? eeprom[address] : 0;
    }
    return 0;
  }
  if (request == 4) {
    eeprom[value >> 8] = value & 0xFF;
  }
  std::memcpy(reply, defaultReply.data(), kReplySize);
  return 0;
}

bool FakeTransport::Close(bool releaseInterface) {
  ++closes;
  closeReleasedInterface.push_back(releaseInterface);
  bool wasOpen = open;
  open = false;
  return wasOpen;
}

void FakeTransport::QueueReply(const std::vector<uint8_t>& bytes) {
  Scripted s{0, {}};
  std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), kReplySize), s.bytes.begin());
  script_.push_back(s);
}

void FakeTransport::QueueShortReply(const std::vector<uint8_t>& bytes, uint32_t transferred) {
  QueueReply(bytes);
  script_.back().transferred = transferred;
}

void FakeTransport::QueueError(uint32_t error) {
  script_.push_back({error, {}});
}

std::vector<FakeTransport::Transfer> FakeTransport::TransfersOf(uint8_t request) const {
  std::vector<Transfer> out;
  for (const Transfer& t : transfers) {
    if (t.request == request) out.push_back(t);
  }
  return out;
}

std::vector<std::pair<int, int>> FakeTransport::EepromWrites() const {
  std::vector<std::pair<int, int>> out;
  for (const Transfer& t : transfers) {
    if (t.request == 4) out.emplace_back(t.value >> 8, t.value & 0xFF);
  }
  return out;
}

void FakeTransport::SetEepromRecord(uint8_t flags, const char* text) {
  std::fill(eeprom.begin(), eeprom.begin() + 64, 0);
  eeprom[0] = flags;
  for (int i = 0; text[i] != 0 && i < 63; ++i) eeprom[1 + i] = static_cast<uint8_t>(text[i]);
}

std::vector<uint8_t> FakeTransport::SpeedReply(int rpm, bool remoteStart) {
  return {static_cast<uint8_t>(rpm & 0xFF), static_cast<uint8_t>((rpm >> 8) & 0xFF),
          static_cast<uint8_t>(remoteStart ? 1 : 0)};
}

std::vector<uint8_t> FakeTransport::AngleReply(int angle) {
  return {0, 1, static_cast<uint8_t>(angle & 0xFF), static_cast<uint8_t>((angle >> 8) & 0xFF)};
}

}  // namespace balancer::test
