// Closing the loop on the simulated machine: the material a correction plan
// removes from and adds to the rotor, as point masses, so that a simulated
// operator can carry out the plan and spin again.
#pragma once

#include <vector>

#include "correction/correction_pass.h"
#include "base/machine_settings.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

namespace balancer::sim {

// Axial positions of the two correction planes on the rotor, inches from the
// left upright: the left plane offset inboard of the left upright, the right
// one inboard of the right upright.
struct CorrectionPlanes {
  double leftAxial = 0.0;
  double rightAxial = 0.0;
};
CorrectionPlanes PlanesFromSettings(const MachineSettings& settings);

// What an operator does with the result, per side: drills every planned hole
// (its cylinder and, with the drill point option, its cone, at the hole's
// radius and angle), installs every planned slug (its weight less the bored
// out counterweight), or adds or removes the shown amount. Sides that show
// "In Tolerance" or a red notice are left alone.
std::vector<PointMass> MassesForCorrections(const CorrectionResult& result,
                                            const MachineSettings& settings,
                                            const CorrectionState& state,
                                            const CorrectionPlanes& planes);

// Adds those masses to the rotor; returns how many.
int ApplyCorrections(SimulatedControl& control, const CorrectionResult& result,
                     const MachineSettings& settings, const CorrectionState& state,
                     const CorrectionPlanes& planes);

}  // namespace balancer::sim
