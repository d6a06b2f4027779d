// The wire-protocol client against a peer that sends the input and hangs up:
// every call returns, a transfer succeeds only on a whole answer with status
// 0, and its data are the peer's bytes.
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "device/control_transport.h"
#include "device/socket_stream.h"
#include "device/usb_layout.h"
#include "device/wire_transport.h"
#include "fuzz/fuzz_support.h"

using namespace balancer;

namespace {

SocketListener& Listener() {
  static std::unique_ptr<SocketListener> listener = [] {
    std::string error;
    auto l = ListenTcp("127.0.0.1", 0, error);
    if (!l) balancer::fuzz::Fail(error.c_str(), __FILE__, __LINE__);
    return l;
  }();
  return *listener;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SocketListener& listener = Listener();
  // The client sends one setup packet per whole answer, and one more that
  // finds the end, up to 8; the peer takes exactly those before it hangs up,
  // so that the close is a plain end of stream.
  const bool controlIds = size >= kDeviceDescriptorSize && IsControlDescriptor(data);
  size_t answers = controlIds ? (size - kDeviceDescriptorSize) / (4 + kReplySize) : 0;
  const size_t setups = controlIds ? std::min<size_t>(answers + 1, 8) : 0;
  std::thread peer([&] {
    std::unique_ptr<SocketStream> s = listener.Accept();
    if (!s) return;
    s->WriteAll(data, size, 1000);
    uint8_t setup[8];
    for (size_t i = 0; i < setups && s->ReadAll(setup, sizeof setup, 1000); ++i) {
    }
  });

  auto transport = MakeWireTransport("127.0.0.1", listener.Port(), 1000);
  uint8_t descriptor[kDeviceDescriptorSize];
  bool open = transport->Open(descriptor);
  if (open) {
    FUZZ_REQUIRE(size >= static_cast<size_t>(kDeviceDescriptorSize));
    FUZZ_REQUIRE(IsControlDescriptor(descriptor));
    size_t offset = kDeviceDescriptorSize;
    for (int i = 0; i < 8; ++i) {
      uint8_t reply[kReplySize];
      std::memset(reply, 0xA5, sizeof reply);
      uint32_t status = transport->ControlIn(2, 0, reply);
      if (status == kErrorBadCommand && offset + 4 + kReplySize > size) break;
      FUZZ_REQUIRE(offset + 4 + kReplySize <= size);
      const uint8_t* answer = data + offset;
      uint32_t sent = ParseWireStatus(answer);
      FUZZ_REQUIRE(status == sent);
      if (status == 0) FUZZ_REQUIRE(std::memcmp(reply, answer + 4, kReplySize) == 0);
      offset += 4 + kReplySize;
    }
  }
  transport.reset();
  peer.join();
  return 0;
}
