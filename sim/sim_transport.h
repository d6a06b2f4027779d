// The in-process simulated control behind the ControlTransport seam, used by
// the demo build, the CLI's "sim" control and the simulation tests.
#pragma once

#include <memory>
#include <string>

#include "device/clock.h"
#include "device/control_transport.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

namespace balancer::sim {

class SimTransport : public ControlTransport {
 public:
  SimTransport(Clock& clock, const SimConfig& config) : control_(clock, config) {}

  // Finds the control unless it is unplugged.
  bool Open(uint8_t descriptor[kDeviceDescriptorSize]) override;
  // Fails with error 22 while not open or unplugged.
  uint32_t ControlIn(uint8_t request, uint16_t value, uint8_t reply[kReplySize]) override;
  bool Close(bool releaseInterface) override;

  SimulatedControl& control() { return control_; }
  bool IsOpen() const { return open_; }

 private:
  SimulatedControl control_;
  bool open_ = false;
};

// In-process simulated control. configPath "" = the default machine. `clock`
// drives the physics; when it is a VirtualClock, each transfer also advances
// it by the transfer's duration. Returns null and sets `error` on a bad
// machine file.
std::unique_ptr<ControlTransport> MakeSimTransport(Clock& clock, const std::string& configPath,
                                                   std::string& error);

// The simulated control behind a transport made by MakeSimTransport, or null
// for any other transport.
SimulatedControl* AsSimulatedControl(ControlTransport* transport);

}  // namespace balancer::sim
