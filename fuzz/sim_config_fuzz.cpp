// The simulator's machine file: a file the loader takes gives a control
// whose replies stay in their ranges.
#include "device/clock.h"
#include "device/control_commands.h"
#include "fuzz/fuzz_support.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

using namespace balancer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = fuzz::Text(data, size);
  sim::SimConfig config;
  std::string error;
  if (!sim::ParseSimConfig(config, text, error)) {
    FUZZ_REQUIRE(!error.empty());
    return 0;
  }
  if (!sim::ValidateSimConfig(config, error)) return 0;
  VirtualClock clock;
  sim::SimulatedControl control(clock, config);
  uint8_t reply[kReplySize];
  for (int i = 0; i < 40; ++i) {
    control.Transfer(kRequestMotorPower, 200, reply);
    clock.AdvanceMicros(20000);
    if (control.Transfer(kRequestAngleAndSamples, 0, reply) != 0) continue;
    SamplePacket p = DecodeSamplePacket(reply);
    FUZZ_REQUIRE(p.rawGroups >= 0 && p.rawGroups <= kMaxSampleGroups);
    FUZZ_REQUIRE(p.step >= 0);
    FUZZ_REQUIRE(p.angle >= 0 && p.angle < 360);
    FUZZ_REQUIRE(fuzz::Finite(control.Rpm()) && fuzz::Finite(control.RotorAngle()));
  }
  return 0;
}
