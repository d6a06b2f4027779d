// A misbehaving control for controlsim --hostile: the simulated control with
// one fault laid over its wire-protocol side, so that the program's handling
// of a broken or lying control box can be tried end to end.
//
// Scenarios:
//   garbage-descriptor  18 random bytes instead of the descriptor (other ids)
//   short-descriptor    7 bytes of the descriptor, then silence
//   silent              after `after` sample reads no reply ever comes again;
//                       later connections are closed at once
//   drop                after `after` sample reads the connection is closed
//                       and later connections are closed at once
//   random-packets      every sample packet is random bytes with step 2,
//                       0..20 groups and an angle 0..359
//   late-packets        every other sample packet is an older one sent again
//   frozen-angle        the angle stands still (no groups) while the speed
//                       reads on
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "device/control_transport.h"
#include "sim/simulated_control.h"

namespace balancer::sim {

enum class HostileScenario {
  kGarbageDescriptor,
  kShortDescriptor,
  kSilent,
  kDrop,
  kRandomPackets,
  kLatePackets,
  kFrozenAngle,
};

// Reads a scenario name as listed above. False for an unknown name.
bool ParseHostileScenario(const std::string& name, HostileScenario& scenario);
// The names, comma separated, for the usage text.
std::string HostileScenarioNames();

// What the server does with one request.
enum class HostileAction {
  kAnswer,       // send status and data
  kNeverAnswer,  // read the request and send nothing
  kDrop,         // close the connection
};

class HostileControl {
 public:
  // `after`: sample reads (request 2) served normally before silent or drop
  // take over. `seed` drives the random bytes.
  HostileControl(SimulatedControl& control, HostileScenario scenario, long after, uint32_t seed);

  // Bytes to send when a client connects; empty means close at once (the
  // control has gone for good).
  std::vector<uint8_t> Descriptor();

  // One request: fills status and reply (zeroed when status is not 0) and
  // says what to do with them.
  HostileAction Transfer(uint8_t request, uint16_t value, uint32_t& status,
                         uint8_t reply[kReplySize]);

  bool Gone() const { return gone_; }

 private:
  SimulatedControl& control_;
  HostileScenario scenario_;
  long after_;
  std::mt19937 rng_;
  long sampleReads_ = 0;
  bool gone_ = false;
  uint8_t held_[kReplySize] = {};  // the packet late-packets sends again
  bool haveHeld_ = false;
  int frozenAngle_ = -1;
};

}  // namespace balancer::sim
