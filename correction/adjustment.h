// The "Adjust" window's operations on one side's holes or slugs. Every change
// marks the side as held, so the planners leave it alone; the caller reruns
// the correction pass afterwards (which recomputes the slug remainder).
#pragma once

#include <optional>

#include "base/operator_message.h"
#include "correction/correction_pass.h"

namespace balancer {

enum class AdjustItem { kHole, kSlug };

// The four move buttons, in degrees ("CCW" turns against the angle count).
enum : int { kCcw5 = -5, kCcw1 = -1, kCw1 = 1, kCw5 = 5 };

// On opening: a drilled side with exactly one hole is split into at least two
// holes (planned with the maximum depth just below that hole's depth) and held.
void OpenAdjust(const MachineSettings& settings, CorrectionState& state,
                const CorrectionZones& zones, Side side);

// Moves the current hole or slug by `step` degrees. A hole move re-balances
// the fan; when that is impossible the fan is restored and the "Past Center!"
// message returned.
std::optional<OperatorMessage> MoveItem(const MachineSettings& settings, CorrectionState& state,
                                        Side side, AdjustItem item, int index, int step);

// "Set": the current item goes to the shaft position (whole degrees).
std::optional<OperatorMessage> SetItemAt(const MachineSettings& settings, CorrectionState& state,
                                         Side side, AdjustItem item, int index, int shaftPosition);

// "Delete": removes the item; the last one stays, with a "Warning". The holes
// left are re-balanced (capacity overflow when they cannot remove the moment).
std::optional<OperatorMessage> DeleteItem(const MachineSettings& settings, CorrectionState& state,
                                          Side side, AdjustItem item, int index);

// "Add Slug": the question first, then on "Add" a slug of the side's size at
// the shaft position. False when the table is full.
OperatorMessage AddSlugQuestion();
bool AddSlugAt(const MachineSettings& settings, CorrectionState& state, Side side,
               int shaftPosition);

// The slug boxes. Each holds the side's slugs. Weights are limited to 2000 g.
void SetSlugInstallRadius(CorrectionState& state, Side side, int index, double radius);
void SetSlugDiameter(CorrectionState& state, Side side, int index, double diameter);
void SetSlugLength(CorrectionState& state, Side side, int index, double length);
void SetActualSlugWeight(CorrectionState& state, Side side, int index, double grams);

// "Reset All": the planners rebuild the side.
void ResetAll(CorrectionState& state, Side side);

// Re-balances a hole fan after hole `current` moved by `deltaDegrees`. The
// moment and angle are the side's correction; the depths come from the depth
// solver of the side's mode with `radius` (the drill radius for axial holes,
// the correction radius for radial ones). False (fan restored) when the moved
// and the other holes are not on opposite sides of the correction angle.
struct FanDepthParams {
  bool radial = false;  // radial compensation on
  bool drillPoint = false;
  double drillDiameter = 0.75;
  double radius = 3.5;
  double maxDepth = 1.5;
  double density = 128.64;
};
bool RebalanceHoleFan(DrillPlan& plan, int current, double deltaDegrees, double moment,
                      double correctionAngle, const FanDepthParams& params);

// Re-balances the fan left after a delete: the holes ahead of the correction
// angle against the others. A fan all on one side removes the moment's share
// along its mean direction.
void RebalanceRemainingFan(DrillPlan& plan, double moment, double correctionAngle,
                           const FanDepthParams& params);

OperatorMessage PastCenterMessage();

}  // namespace balancer
