#include "device/wire_transport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "device/socket_stream.h"
#include "device/usb_layout.h"

namespace balancer {
namespace {

constexpr int kDescriptorTimeoutMs = 3000;
constexpr int kConnectTimeoutMs = 2000;

class WireTransport : public ControlTransport {
 public:
  WireTransport(std::string host, int port, int timeoutMs)
      : host_(std::move(host)), port_(port), timeoutMs_(timeoutMs > 0 ? timeoutMs : 1) {}

  bool Open(uint8_t descriptor[kDeviceDescriptorSize]) override {
    stream_.reset();
    std::string error;
    std::unique_ptr<SocketStream> s =
        ConnectTcp(host_, port_, error, std::min(timeoutMs_, kConnectTimeoutMs));
    if (!s) return false;
    uint8_t d[kDeviceDescriptorSize];
    if (!s->ReadAll(d, sizeof(d), std::min(timeoutMs_, kDescriptorTimeoutMs))) return false;
    if (!IsControlDescriptor(d)) return false;
    std::memcpy(descriptor, d, sizeof(d));
    stream_ = std::move(s);
    return true;
  }

  uint32_t ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) override {
    if (!stream_) return kErrorBadCommand;
    uint8_t setup[kSetupPacketSize];
    BuildSetupPacket(VendorInSetup(request, value), setup);
    uint8_t answer[kWireStatusSize + kReplySize];
    if (!stream_->WriteAll(setup, sizeof(setup), timeoutMs_) ||
        !stream_->ReadAll(answer, sizeof(answer), timeoutMs_)) {
      stream_.reset();
      return kErrorBadCommand;
    }
    uint32_t status = ParseWireStatus(answer);
    if (status != 0) return status;
    std::memcpy(reply, answer + kWireStatusSize, kReplySize);
    return 0;
  }

  bool Close(bool releaseInterface) override {
    bool wasOpen = stream_ != nullptr;
    stream_.reset();
    return wasOpen;
  }

 private:
  std::string host_;
  int port_;
  int timeoutMs_;
  std::unique_ptr<SocketStream> stream_;
};

}  // namespace

std::unique_ptr<ControlTransport> MakeWireTransport(const std::string& host, int port,
                                                    int timeoutMs) {
  return std::make_unique<WireTransport>(host, port, timeoutMs);
}

bool ParseWireAddress(const std::string& text, std::string& host, int& port) {
  size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  std::string portText = text.substr(colon + 1);
  while (!portText.empty() && (portText.back() == '\r' || portText.back() == '\n' ||
                               portText.back() == ' ' || portText.back() == '\t')) {
    portText.pop_back();
  }
  if (portText.empty() || portText.size() > 5) return false;
  for (char c : portText) {
    if (c < '0' || c > '9') return false;
  }
  long p = std::strtol(portText.c_str(), nullptr, 10);
  if (p < 1 || p > 65535) return false;
  host = text.substr(0, colon);
  port = static_cast<int>(p);
  return true;
}

}  // namespace balancer
