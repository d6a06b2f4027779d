// Closing the loop on the simulated machine: the material a correction plan
// removes from and adds to the rotor, as point masses, so that a simulated
// operator can carry out the plan and spin again.
#pragma once

#include <vector>

#include "base/machine_settings.h"
#include "correction/correction_pass.h"
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
// out counterweight) together with the holes that drill away the slugs'
// remainder, or adds or removes the shown amount. Sides that show "In
// Tolerance" or a red notice are left alone; a remainder whose line is the
// red drill notice is not drilled.
std::vector<PointMass> MassesForCorrections(const CorrectionResult& result,
                                            const MachineSettings& settings,
                                            const CorrectionState& state,
                                            const CorrectionPlanes& planes);

// Adds those masses to the rotor; returns how many.
int ApplyCorrections(SimulatedControl& control, const CorrectionResult& result,
                     const MachineSettings& settings, const CorrectionState& state,
                     const CorrectionPlanes& planes);

// The drills an operator has at hand and the deepest hole the counterweight
// takes, for answering "Increase drill size or max drill depth".
struct DrillToolbox {
  std::vector<double> drills = {0.5, 0.5625, 0.625, 0.6875, 0.75, 0.8125, 0.875, 0.9375, 1.0};
  double depthStep = 0.25;
  double deepestHole = 2.0;
};

enum class DrillChange { kNone, kLargerDrill, kDeeper };

// True when the side shows "Increase drill size or max drill depth".
bool ShowsDrillNotice(const SideCorrection& side);

// One answer to the notice on one side, as entered in Drill Setup: the next
// larger drill of the toolbox (the drill radius is then kept inside the
// counterweight), or with the largest drill in the chuck the max depth one
// step deeper. kNone when neither is left; the settings are then unchanged.
DrillChange IncreaseDrillOrDepth(MachineSettings& settings, Side side, const DrillToolbox& toolbox);

struct NoticeAnswers {
  int largerDrills = 0;
  int deeperSettings = 0;
  bool changed[2] = {false, false};  // per side: drill or depth changed
};

// What an operator does while a side shows the notice: answers it and plans
// again on the same readings, until no side shows it or nothing is left to
// change. `result` is the pass that showed it and becomes the last pass.
NoticeAnswers FollowDrillNotice(const PlaneReading& left, const PlaneReading& right,
                                MachineSettings& settings, const CorrectionZones& zones,
                                CorrectionState& state, CorrectionResult& result,
                                const DrillToolbox& toolbox);

}  // namespace balancer::sim
