// What the Drill Setup and Heavy Metal Setup entries change beyond the value
// itself. The windows call these after storing the entered value and before
// the correction pass reruns.
#pragma once

#include "correction/correction_pass.h"

namespace balancer {

// A drill diameter entry: the tip allowance follows it while the drill point
// option is on, and the drill radius is kept at most shaft radius - 0.05 -
// d/2. In single-plane mode the one box sets both sides.
void ApplyDrillDiameterEntry(MachineSettings& settings, CorrectionState& state, Side side,
                             double diameter);

// "Radial Compensation": toggles the switch (kept in the current mode's set);
// switching it on limits each maximum drill depth to its shaft radius. Both
// sides' held holes are released.
void ToggleRadialCompensation(MachineSettings& settings, CorrectionState& state);

// A maximum drill depth entry releases the side's held holes.
void ApplyMaxDepthEntry(MachineSettings& settings, CorrectionState& state, Side side, double depth);

// A slug diameter entry in Heavy Metal Setup: the installation radius becomes
// shaft radius - web - d/2 and every planned slug of the old diameter takes
// the new one.
void ApplySlugDiameterEntry(MachineSettings& settings, CorrectionState& state, Side side,
                            double diameter);

}  // namespace balancer
