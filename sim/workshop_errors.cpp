#include "sim/workshop_errors.h"

#include <random>

#include "sim/rotor_corrections.h"

namespace balancer::sim {

namespace {

// -1 .. 1 from the generator's 32 bits; std's distributions differ between
// library versions, this does not.
double Symmetric(std::mt19937& rng) {
  return (static_cast<double>(rng()) + 0.5) / 4294967296.0 * 2.0 - 1.0;
}

OperatorMessage TrainingMessage(const std::string& text) {
  return MakeOkMessage("Attention", text, kDarkBlueText, kBeepAsterisk, 310, 197, 520, 160);
}

bool SameReading(const PlaneReading& a, const PlaneReading& b) {
  return a.amount == b.amount && a.angle == b.angle;
}

}  // namespace

WorkshopErrors WorkshopErrorsOf(const SimConfig& config) {
  WorkshopErrors e;
  e.angleDegrees = config.workshopAngleError;
  e.amountPercent = config.workshopAmountError;
  return e;
}

std::vector<PointMass> PlannedMasses(const CorrectionResult& result, const CorrectionState& state,
                                     const MachineSettings& settings) {
  CorrectionResult shown = result;
  SideCorrection* sides[2] = {&shown.left, &shown.right};
  for (int i = 0; i < 2; ++i) {
    if (state.drill[i].holesHeld) sides[i]->drill = state.drill[i];
    if (state.slugs[i].slugsHeld) sides[i]->slugs = state.slugs[i];
  }
  return MassesForCorrections(shown, settings, state, PlanesFromSettings(settings));
}

std::vector<PointMass> AsMadeInWorkshop(const std::vector<PointMass>& planned,
                                        const WorkshopErrors& errors, uint32_t seed, uint32_t run) {
  std::seed_seq sequence{seed, run};
  std::mt19937 rng(sequence);
  std::vector<PointMass> made;
  made.reserve(planned.size());
  double angleError = 0.0;
  double amountFactor = 1.0;
  for (size_t i = 0; i < planned.size(); ++i) {
    const PointMass& m = planned[i];
    bool samePiece = i > 0 && planned[i - 1].angle == m.angle && planned[i - 1].axial == m.axial;
    if (!samePiece) {
      angleError = Symmetric(rng) * errors.angleDegrees;
      amountFactor = 1.0 + Symmetric(rng) * errors.amountPercent / 100.0;
    }
    PointMass out = m;
    out.angle = m.angle + angleError;
    out.grams = m.grams * amountFactor;
    made.push_back(out);
  }
  return made;
}

OperatorMessage ShownCorrectionKey::Press(SimulatedControl& control, bool spun,
                                          const PlaneReading& left, const PlaneReading& right,
                                          const CorrectionResult& result,
                                          const CorrectionState& state,
                                          const MachineSettings& settings) {
  if (!spun || !state.readingsPresent) return SpinFirstMessage();
  if (carriedOut_ && SameReading(left, doneLeft_) && SameReading(right, doneRight_)) {
    return AlreadyCorrectedMessage();
  }
  std::vector<PointMass> planned = PlannedMasses(result, state, settings);
  if (planned.empty()) return NothingToCorrectMessage();
  for (const PointMass& m : AsMadeInWorkshop(planned, errors_, seed_, run_)) control.AddMass(m);
  ++run_;
  carriedOut_ = true;
  doneLeft_ = left;
  doneRight_ = right;
  return CorrectedAsShownMessage();
}

OperatorMessage CorrectedAsShownMessage() {
  return TrainingMessage("The simulated shaft was corrected as shown. Spin again to check it.");
}

OperatorMessage SpinFirstMessage() {
  return TrainingMessage("Spin the shaft first; there is no correction to carry out.");
}

OperatorMessage AlreadyCorrectedMessage() {
  return TrainingMessage(
      "This correction was already carried out on the simulated shaft. Spin again to check it.");
}

OperatorMessage NothingToCorrectMessage() {
  return TrainingMessage("The screen shows nothing to drill, fit or add on the simulated shaft.");
}

}  // namespace balancer::sim
