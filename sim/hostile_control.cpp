#include "sim/hostile_control.h"

#include <cstring>

namespace balancer::sim {

namespace {

struct Named {
  const char* name;
  HostileScenario scenario;
};

const Named kScenarios[] = {
    {"garbage-descriptor", HostileScenario::kGarbageDescriptor},
    {"short-descriptor", HostileScenario::kShortDescriptor},
    {"silent", HostileScenario::kSilent},
    {"drop", HostileScenario::kDrop},
    {"random-packets", HostileScenario::kRandomPackets},
    {"late-packets", HostileScenario::kLatePackets},
    {"frozen-angle", HostileScenario::kFrozenAngle},
};

constexpr uint8_t kRequestSamples = 2;
constexpr int kShortDescriptorBytes = 7;

}  // namespace

bool ParseHostileScenario(const std::string& name, HostileScenario& scenario) {
  for (const Named& n : kScenarios) {
    if (name == n.name) {
      scenario = n.scenario;
      return true;
    }
  }
  return false;
}

std::string HostileScenarioNames() {
  std::string names;
  for (const Named& n : kScenarios) {
    if (!names.empty()) names += ", ";
    names += n.name;
  }
  return names;
}

HostileControl::HostileControl(SimulatedControl& control, HostileScenario scenario, long after,
                               uint32_t seed)
    : control_(control), scenario_(scenario), after_(after < 0 ? 0 : after), rng_(seed) {}

std::vector<uint8_t> HostileControl::Descriptor() {
  if (gone_) return {};
  std::vector<uint8_t> d(kDeviceDescriptorSize);
  if (!control_.ReadDescriptor(d.data())) return {};
  if (scenario_ == HostileScenario::kGarbageDescriptor) {
    for (uint8_t& b : d) b = static_cast<uint8_t>(rng_());
    // Never the control's ids by chance.
    if (d[8] == (kControlVendorId & 0xFF)) d[8] ^= 0xFF;
  } else if (scenario_ == HostileScenario::kShortDescriptor) {
    d.resize(kShortDescriptorBytes);
  }
  return d;
}

HostileAction HostileControl::Transfer(uint8_t request, uint16_t value, uint32_t& status,
                                       uint8_t reply[kReplySize]) {
  std::memset(reply, 0, kReplySize);
  if (gone_) {
    status = kErrorBadCommand;
    return scenario_ == HostileScenario::kSilent ? HostileAction::kNeverAnswer
                                                 : HostileAction::kDrop;
  }
  if (request == kRequestSamples) ++sampleReads_;
  const bool faulty = request == kRequestSamples && sampleReads_ > after_;
  if (faulty && (scenario_ == HostileScenario::kSilent || scenario_ == HostileScenario::kDrop)) {
    gone_ = true;
    status = kErrorBadCommand;
    return scenario_ == HostileScenario::kSilent ? HostileAction::kNeverAnswer
                                                 : HostileAction::kDrop;
  }

  status = control_.Transfer(request, value, reply);
  if (status != 0) {
    std::memset(reply, 0, kReplySize);
    return HostileAction::kAnswer;
  }
  if (!faulty) return HostileAction::kAnswer;

  switch (scenario_) {
    case HostileScenario::kRandomPackets: {
      for (int i = 0; i < kReplySize; ++i) reply[i] = static_cast<uint8_t>(rng_());
      reply[0] = static_cast<uint8_t>(rng_() % 21);
      reply[1] = 2;
      int angle = static_cast<int>(rng_() % 360);
      reply[2] = static_cast<uint8_t>(angle & 0xFF);
      reply[3] = static_cast<uint8_t>(angle >> 8);
      break;
    }
    case HostileScenario::kLatePackets:
      if (haveHeld_ && sampleReads_ % 2 == 0) {
        std::memcpy(reply, held_, kReplySize);
      } else if (reply[0] > 0) {
        std::memcpy(held_, reply, kReplySize);
        haveHeld_ = true;
      }
      break;
    case HostileScenario::kFrozenAngle:
      if (frozenAngle_ < 0) {
        // Away from zero, so that it is not taken for the zero mark.
        frozenAngle_ = (reply[2] | reply[3] << 8) % 360;
        if (frozenAngle_ < 10) frozenAngle_ += 90;
      }
      reply[0] = 0;
      reply[2] = static_cast<uint8_t>(frozenAngle_ & 0xFF);
      reply[3] = static_cast<uint8_t>(frozenAngle_ >> 8);
      std::memset(reply + 4, 0, kReplySize - 4);
      break;
    default:
      break;
  }
  return HostileAction::kAnswer;
}

}  // namespace balancer::sim
