// The machine proving test: a test mass moved through 12 positions 30 degrees
// apart on one correction plane shows whether the machine measures true (the
// same amount at every position, the angle following the mass, nothing seen
// in the other plane), and one correction of a known unbalance shows how much
// of it the machine's plan takes away (the reduction ratio).
//
// The figures of a position are the spin minus the baseline spin (the shaft
// without the test mass), as vectors of the correction pass's moments, so a
// shaft that is not balanced can be proved too. Amounts are grams at the test
// radius; angles are the pass's heavy-spot angles (`PlaneCorrection::angle`),
// where a heavy mass shows on a machine that reads true.
//
// Limits: every amount within +-12 % of the mean; the angle within the
// band's own angular half-width, asin(0.12) = 6.9 degrees, of where the mass
// sits; the other plane at most 5 % of the test plane; the reduction at least
// 95 % on the test plane.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "base/operator_message.h"
#include "base/test_mass_move.h"
#include "correction/plane_transform.h"

namespace balancer {

enum class ProvingPlane { kLeft = 0, kRight = 1 };

// "left" / "right", as the instructions and the CLI name them.
const char* ProvingPlaneName(ProvingPlane plane);
std::optional<ProvingPlane> ProvingPlaneFromName(const std::string& name);

struct ProvingSetup {
  double massGrams = 0.0;     // the test mass
  double radiusInches = 0.0;  // its radius
  ProvingPlane plane = ProvingPlane::kLeft;
  bool urr = true;  // run the reduction (URR) step after the 12 positions
};

constexpr double kProvingMaxMassGrams = 10000.0;
constexpr double kProvingMaxRadiusInches = 40.0;

// A message (caption "Error") when a setup value is not finite or out of its
// range (mass > 0 and at most 10000 g, radius > 0 and at most 40 in), else none.
std::optional<OperatorMessage> CheckProvingSetup(const ProvingSetup& setup);

constexpr int kProvingPositions = 12;         // 0, 30, ... 330 degrees
constexpr double kProvingBandPercent = 12.0;  // every amount within +-12 % of the mean
// The band's angular half-width: a reading on the band's edge at right
// angles to the mean is asin(0.12) off.
constexpr double kProvingAngleErrorDegrees = 6.9;
constexpr double kProvingCrosstalkPercent = 5.0;  // other plane / test plane, at most
constexpr double kProvingUrrPercent = 95.0;       // test plane reduction, at least

enum class ProvingStepKind {
  kBaseline,     // the shaft without the test mass
  kPosition,     // the test mass at massAngle on the test plane
  kUrrInitial,   // the known unbalance: the test mass at 0 degrees
  kUrrCorrect,   // the operator carries out the program's plan (no spin is recorded
                 // for this step: Advance() moves on)
  kUrrResidual,  // the spin after the correction
  kDone,
};
struct ProvingStep {
  ProvingStepKind kind = ProvingStepKind::kBaseline;
  int position = 0;         // 0..11 for kPosition
  double massAngle = 0.0;   // where the test mass sits (kPosition, kUrrInitial)
  bool massFitted = false;  // the test mass is on the shaft for this step's spin
};

// One side of a spin in the correction plane: moment (gram-inches) and the
// angle of the unbalance (degrees), as the correction pass gives them
// (`PlaneCorrection` of `CorrectionResult`).
struct ProvingSide {
  double moment = 0.0;
  double angle = 0.0;
};
// A side of the pass as the proving run takes it: the moment and the heavy
// spot's angle (not the display angle, which is rounded at 359.5).
inline ProvingSide ProvingSideOf(const PlaneCorrection& plane) {
  return {plane.moment, plane.angle};
}

struct ProvingPositionResult {
  double massAngle = 0.0;
  // The test mass's effect: this spin minus the baseline (vector), as grams at
  // the test radius and degrees, per side.
  double amount[2] = {0, 0};
  double angle[2] = {0, 0};
};

struct ProvingResult {
  std::vector<ProvingPositionResult> positions;  // in step order
  double meanAmount = 0.0;                       // grams, test plane
  double spreadPercent = 0.0;                    // largest |amount - mean| / mean * 100, test plane
  double maxAngleError = 0.0;     // degrees, largest |angle - massAngle| (wrapped), test plane
  double crosstalkPercent = 0.0;  // largest other-plane amount / test-plane amount * 100
  bool marPassed = false;         // the 12-position limits
  bool urrRan = false;
  double urrInitial[2] = {0, 0};  // grams at the test radius, per side
  double urrResidual[2] = {0, 0};
  double urr[2] = {0, 0};  // percent, 1 - residual / initial
  bool urrPassed = false;  // test plane against its limit
  bool passed = false;     // marPassed and (urrPassed when urrRan)
  // All 12 positions are in, so the figures above them are set.
  bool positionsComplete = false;
};

// The figures of the 12 positions from their per-position results (amounts
// and angles filled): mean, spread, angle error, crosstalk and marPassed.
// Fewer than 12 positions leave the figures at 0 and marPassed false.
void ComputeProvingFigures(ProvingPlane plane, ProvingResult& result);

class ProvingTest {
 public:
  explicit ProvingTest(const ProvingSetup& setup);
  const ProvingSetup& Setup() const;
  ProvingStep Current() const;
  // The operator's instruction for the current step, in the program's own
  // words, e.g. "Fit the test mass at 0\xB0 on the left plane, then press Spin".
  std::string Instruction() const;
  // Takes the spin of the current step (the correction pass's moments and
  // angles for both sides) and moves to the next step. False (and nothing
  // changes) when the current step takes no spin or a value is not finite
  // (or a moment is negative).
  bool Record(const ProvingSide& left, const ProvingSide& right);
  // kUrrCorrect: the operator has carried out the plan; moves on.
  void Advance();
  bool Done() const;
  // What is known so far (positions recorded, and the figures once all 12 are in).
  ProvingResult Result() const;

  // The step number (0 = the baseline) and how many steps the run has,
  // kDone not counted.
  int StepIndex() const { return index_; }
  int StepCount() const { return static_cast<int>(steps_.size()) - 1; }

 private:
  ProvingSetup setup_;
  std::vector<ProvingStep> steps_;
  int index_ = 0;
  double baselineX_[2] = {0, 0};
  double baselineY_[2] = {0, 0};
  ProvingResult result_;
};

// Caption "Attention": the known unbalance's spin shows the test plane in
// tolerance, so the plan takes nothing away there and the ratio means nothing.
OperatorMessage ProvingKnownUnbalanceTooSmallMessage();

// The result as the dated text file kept in the program folder
// ("proving-YYYYMMDD-HHMMSS.txt"), and back (the window shows a kept result
// again). `when` is the local time of the test. `weightUnit` 1 shows ounces.
std::string ProvingReportText(const ProvingSetup& setup, const ProvingResult& result,
                              const std::tm& when, int weightUnit);
// The same with the control's firmware version (bcdDevice; 0 = not known).
std::string ProvingReportText(const ProvingSetup& setup, const ProvingResult& result,
                              const std::tm& when, int weightUnit, int firmwareVersion);
std::string ProvingReportFileName(const std::tm& when);

// Reads a text that ProvingReportText wrote back into its setup, result and
// time (figures to the precision they were printed with). False when the
// text is not such a report or a number in it is not finite or out of range;
// the outputs are then unchanged.
bool ReadProvingReport(const std::string& text, ProvingSetup& setup, ProvingResult& result,
                       std::tm& when);

// What is done on the shaft before the spin of `step` (or, for the correction
// step, before moving on).
TestMassMove MoveFor(const ProvingSetup& setup, const ProvingStep& step);

}  // namespace balancer
