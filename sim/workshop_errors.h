// Carrying out on the simulated shaft the correction the main screen shows,
// as a workshop does it: every hole, slug or weight lands a little off its
// angle and a little off its amount, so the next spin shows a small residual.
#pragma once

#include <cstdint>
#include <vector>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "correction/correction_pass.h"
#include "measure/plane_reading.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

namespace balancer::sim {

struct WorkshopErrors {
  double angleDegrees = 1.5;   // largest angle error of one piece
  double amountPercent = 2.0;  // largest error of its amount
};
WorkshopErrors WorkshopErrorsOf(const SimConfig& config);

// The masses of the plan the screen shows: the last pass, with the holes and
// slugs held by Adjust taken from the correction state (an adjustment may be
// newer than the pass), at the planes the settings give.
std::vector<PointMass> PlannedMasses(const CorrectionResult& result, const CorrectionState& state,
                                     const MachineSettings& settings);

// The planned masses as made: each piece (the masses one after another at
// the same angle and plane, i.e. a hole's body and its point) gets one angle
// and one amount error, uniform within the limits. The errors depend only on
// `seed` and `run` (the number of corrections carried out before), so a run
// can be repeated exactly.
std::vector<PointMass> AsMadeInWorkshop(const std::vector<PointMass>& planned,
                                        const WorkshopErrors& errors, uint32_t seed, uint32_t run);

// The demo's "done as shown" key: one per program run.
class ShownCorrectionKey {
 public:
  ShownCorrectionKey(const WorkshopErrors& errors, uint32_t seed) : errors_(errors), seed_(seed) {}

  // Carries out the shown plan on `control` once per spin and returns what to
  // tell the operator. `spun`: a spin of this run completed (a plan from the
  // readings kept at start is not the shaft on the machine). `left`/`right`:
  // that spin's readings, which tell one spin from the next.
  OperatorMessage Press(SimulatedControl& control, bool spun, const PlaneReading& left,
                        const PlaneReading& right, const CorrectionResult& result,
                        const CorrectionState& state, const MachineSettings& settings);

  int Corrections() const { return static_cast<int>(run_); }

 private:
  WorkshopErrors errors_;
  uint32_t seed_;
  uint32_t run_ = 0;
  bool carriedOut_ = false;
  PlaneReading doneLeft_;
  PlaneReading doneRight_;
};

OperatorMessage CorrectedAsShownMessage();
OperatorMessage SpinFirstMessage();
OperatorMessage AlreadyCorrectedMessage();
OperatorMessage NothingToCorrectMessage();

}  // namespace balancer::sim
