// The control's sample packet (reply of the angle-and-samples request) and
// the check that decides whether it fits the stream.
#include <cstring>

#include "device/control_commands.h"
#include "fuzz/fuzz_support.h"
#include "measure/revolution_acquisition.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint8_t reply[kReplySize] = {};
  std::memcpy(reply, data + 4, size - 4 < kReplySize ? size - 4 : kReplySize);
  SamplePacket p = DecodeSamplePacket(reply);
  FUZZ_REQUIRE(p.groups >= 0 && p.groups <= kMaxSampleGroups);
  FUZZ_REQUIRE(p.angle >= -32768 && p.angle <= 32767);
  // Each group packs back to its three bytes.
  for (int k = 0; k < p.groups; ++k) {
    FUZZ_REQUIRE(p.left[k] <= 4095 && p.right[k] <= 4095);
    uint8_t out[3];
    EncodeSampleGroup(p.left[k], p.right[k], out);
    FUZZ_REQUIRE(std::memcmp(out, reply + 4 + 3 * k, 3) == 0);
  }
  const int bin = (data[0] | data[1] << 8) % 360;
  const double reach = data[2] * 2.0;
  PacketCheck check = CheckSamplePacket(p, p.angle, bin, reach);
  if (check.use) {
    // A packet that is used lies on the circle and covers at most a turn.
    FUZZ_REQUIRE(p.angle >= 0 && p.angle < 360);
    FUZZ_REQUIRE(p.step >= 1 && p.groups * p.step <= 360);
  }
  if (p.rawGroups < 0 || p.rawGroups > kMaxSampleGroups) FUZZ_REQUIRE(check.implausible);
  FUZZ_REQUIRE(fuzz::Finite(PacketReachDeg(DecodeSigned16(data[0], data[1]), data[3])));
  return 0;
}
