#include "sim/sim_transport.h"

namespace balancer::sim {

bool SimTransport::Open(uint8_t descriptor[kDeviceDescriptorSize]) {
  open_ = control_.ReadDescriptor(descriptor);
  return open_;
}

uint32_t SimTransport::ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) {
  if (!open_) return kErrorBadCommand;
  uint32_t status = control_.Transfer(request, value, reply);
  // A removed device stays gone for this handle even if it comes back.
  if (status == kErrorBadCommand) open_ = false;
  return status;
}

bool SimTransport::Close(bool releaseInterface) {
  bool wasOpen = open_;
  open_ = false;
  return wasOpen;
}

std::unique_ptr<ControlTransport> MakeSimTransport(Clock& clock, const std::string& configPath,
                                                   std::string& error) {
  SimConfig config;
  if (!LoadSimConfigFile(config, configPath, error)) return nullptr;
  return std::make_unique<SimTransport>(clock, config);
}

SimulatedControl* AsSimulatedControl(ControlTransport* transport) {
  auto* sim = dynamic_cast<SimTransport*>(transport);
  return sim ? &sim->control() : nullptr;
}

}  // namespace balancer::sim
