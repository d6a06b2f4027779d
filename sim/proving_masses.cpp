#include "sim/proving_masses.h"

#include <vector>

#include "records/atomic_file.h"
#include "sim/rotor_corrections.h"
#include "sim/rotor_state.h"
#include "sim/workshop_errors.h"

namespace balancer::sim {

PointMass TestMassAt(const MachineSettings& settings, bool rightPlane, double grams, double radius,
                     double angle) {
  const CorrectionPlanes planes = PlanesFromSettings(settings);
  PointMass m;
  m.grams = grams;
  m.radius = radius;
  m.angle = angle;
  m.axial = rightPlane ? planes.rightAxial : planes.leftAxial;
  return m;
}

void TestMassFitter::FitFor(SimulatedControl& control, const MachineSettings& settings,
                            const TestMassMove& move) {
  if (move.kind != TestMassMove::Kind::kFitAt && move.kind != TestMassMove::Kind::kTakeOff) {
    return;  // the known unbalance stays on through the correction
  }
  Remove(control);
  if (move.kind == TestMassMove::Kind::kTakeOff) return;
  PointMass m = TestMassAt(settings, move.rightPlane, move.grams, move.radius, move.angle);
  control.AddMass(m);
  fitted_ = m;
}

int TestMassFitter::PrepareStep(SimulatedControl& control, const MachineSettings& settings,
                                const TestMassMove& move, const CorrectionResult& lastPass,
                                const CorrectionState& passState) {
  if (move.kind == TestMassMove::Kind::kCarryOutPlan) {
    return CarryOutPlanExactly(control, lastPass, passState, settings);
  }
  FitFor(control, settings, move);
  return 0;
}

void TestMassFitter::Remove(SimulatedControl& control) {
  if (fitted_) control.RemoveMass(*fitted_);
  fitted_.reset();
}

int CarryOutPlanExactly(SimulatedControl& control, const CorrectionResult& result,
                        const CorrectionState& state, const MachineSettings& settings) {
  std::vector<PointMass> planned = PlannedMasses(result, state, settings);
  for (const PointMass& m : planned) control.AddMass(m);
  return static_cast<int>(planned.size());
}

bool RotorFileWatch::Poll(SimulatedControl& control, std::string& error) {
  const std::string text = ReadWholeFile(path_).value_or(std::string());
  if (text_ && *text_ == text) return true;
  text_ = text;
  RotorState state;
  if (!text.empty() && !ParseRotorState(text, state, error)) {
    error = path_ + ": " + error;
    return false;
  }
  for (const PointMass& m : applied_) control.RemoveMass(m);
  for (const PointMass& m : state.added) control.AddMass(m);
  applied_ = state.added;
  return true;
}

}  // namespace balancer::sim
