// The proving test on the simulated machine: the test mass fitted where a
// step wants it (the one fitted before taken off), and the program's plan
// carried out exactly for the reduction step, since a proving run is done
// with precise masses, not with a workshop's small errors.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/test_mass_move.h"
#include "correction/correction_pass.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

namespace balancer::sim {

// The test mass at `angle` on a correction plane: a point mass at the
// plane's axial place as the settings put it (the plane offsets inboard of
// the uprights) at `radius`.
PointMass TestMassAt(const MachineSettings& settings, bool rightPlane, double grams, double radius,
                     double angle);

// Moves the one test mass of a proving run on the simulated shaft.
class TestMassFitter {
 public:
  // Moves the test mass as `move` says (fitted at its angle, taking the
  // previous one off; taken off; or left where it is).
  void FitFor(SimulatedControl& control, const MachineSettings& settings, const TestMassMove& move);
  // What the operator does before a step's spin (or, for the correction
  // step, before moving on): the test mass moved by FitFor, or the plan of
  // `lastPass` (the pass on the known unbalance's spin) carried out exactly.
  // Returns the masses the plan added (0 for other moves).
  int PrepareStep(SimulatedControl& control, const MachineSettings& settings,
                  const TestMassMove& move, const CorrectionResult& lastPass,
                  const CorrectionState& passState);
  // Takes the test mass off (a cancelled or finished run).
  void Remove(SimulatedControl& control);
  const std::optional<PointMass>& Fitted() const { return fitted_; }

 private:
  std::optional<PointMass> fitted_;
};

// Carries out the plan the pass shows (the holes, slugs and weights, as
// PlannedMasses gives them) without workshop errors. Returns how many masses
// were added.
int CarryOutPlanExactly(SimulatedControl& control, const CorrectionResult& result,
                        const CorrectionState& state, const MachineSettings& settings);

// controlsim's --rotor FILE: a script moves masses on the shaft between
// spins by rewriting a file in the .rotor format (sim/rotor_state.h; only its
// masses count), best replaced whole (written aside and renamed).
class RotorFileWatch {
 public:
  explicit RotorFileWatch(std::string path) : path_(std::move(path)) {}
  // Reads the file and, when its text changed, puts its masses on the shaft
  // in place of the ones it put on before. A missing file puts none on. A
  // text that does not parse leaves the masses as they are and returns false
  // with the reason in `error` (once per such text).
  bool Poll(SimulatedControl& control, std::string& error);
  const std::vector<PointMass>& Applied() const { return applied_; }

 private:
  std::string path_;
  std::optional<std::string> text_;
  std::vector<PointMass> applied_;
};

}  // namespace balancer::sim
