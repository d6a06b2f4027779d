#include "correction/adjustment.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "correction/vector_math.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr double kCenterClearance = 0.035;  // radians each group must keep off centre
constexpr double kMaxSlugWeight = 2000.0;
constexpr double kOnCentre = 1e-6;  // radians: a hole on the correction angle

// Angle in (-pi, pi].
double Signed(double radians) {
  double r = NormalizeRadians(radians);
  return r > kPi ? r - kTwoPi : r;
}

FanDepthParams FanParamsFor(const MachineSettings& settings, const CorrectionState& state,
                            Side side) {
  FanDepthParams p;
  p.drillPoint = state.drillPoint;
  p.drillDiameter = side == kLeftSide ? settings.drillDiameterLeft : settings.drillDiameterRight;
  // The relation and radius of the side's own planner, so a re-balanced fan
  // removes what a planned one would.
  p.radial = settings.radialCompensation != 0;
  p.radius = CorrectionRadiusOf(settings, side, false);
  if (p.radial) {
    double shaft = side == kLeftSide ? settings.shaftRadiusLeft : settings.shaftRadiusRight;
    p.radius = std::min(p.radius, shaft);
  }
  p.maxDepth = side == kLeftSide ? settings.maxDrillDepthLeft : settings.maxDrillDepthRight;
  p.density = MaterialDensity(settings, settings.drillMaterial);
  return p;
}

const PlaneCorrection& PlaneOf(const CorrectionState& state, Side side) {
  return side == kLeftSide ? state.left : state.right;
}

OperatorMessage LastItemMessage(const char* text) {
  return MakeOkMessage("Warning", text, kDarkBlueText, kBeepAsterisk, 390, 240, 500, 150);
}

bool ValidSlug(const SlugPlan& plan, int index) {
  return index >= 0 && index < kMaxSlugs && plan.slugs[index].diameter > 0.0;
}

// The law of sines between two groups whose mean offsets lie a and b either
// side of the correction angle (sin(a + b) > 0).
void SplitMoment(double moment, double a, double b, int n1, int n2, double& m1, double& m2) {
  double sinSum = std::sin(a + b);
  m1 = moment * std::sin(b) / sinSum;
  m2 = moment * std::sin(a) / sinSum;
  if (n1 > 1) m1 /= std::cos(a);
  if (n2 > 1) m2 /= std::cos(b);
}

// Depth of `holes` holes that together remove `groupMoment`, by the relation
// of the side's mode; `overflow` is raised when no depth within the maximum
// does it.
double GroupDepth(const FanDepthParams& params, int holes, double groupMoment, bool& overflow) {
  if (!(groupMoment > 0.0)) return 0.0;
  HoleDepthResult r =
      params.radial
          ? DepthForHoleCount(params.drillPoint, holes, groupMoment, params.drillDiameter,
                              params.radius, params.maxDepth, params.density)
          : AxialDepthForHoleCount(params.drillPoint, holes, groupMoment, params.drillDiameter,
                                   params.radius, params.maxDepth, params.density);
  if (!r.produced) {
    overflow = true;
    return params.maxDepth;
  }
  if (r.depth > params.maxDepth) overflow = true;
  return r.depth;
}

// Gives the holes marked in `first` the depth for m1 and the others the depth
// for m2, and holds the side.
void SetGroupDepths(DrillPlan& plan, int count, const std::vector<bool>& first, double m1,
                    double m2, const FanDepthParams& params) {
  int n1 = static_cast<int>(std::count(first.begin(), first.end(), true));
  int n2 = count - n1;
  bool overflow = false;
  double depth1 = n1 > 0 ? GroupDepth(params, n1, m1, overflow) : 0.0;
  double depth2 = n2 > 0 ? GroupDepth(params, n2, m2, overflow) : 0.0;
  plan.holeDepth = 0.0;
  for (int j = 0; j < count; ++j) {
    plan.holes[j].depth = first[j] ? depth1 : depth2;
    plan.holeDepth = std::max(plan.holeDepth, plan.holes[j].depth);
  }
  plan.capacityOverflow = overflow;
  plan.holesHeld = true;
}

}  // namespace

OperatorMessage PastCenterMessage() {
  return MakeOkMessage("ALERT", "Past Center!", kRedText, kBeepHand, 440, 240, 400, 150);
}

OperatorMessage AddSlugQuestion() {
  return MakeQuestion("Add Slug",
                      "Roll the crank until the desired new slug\n"
                      "location is at top dead center,\n"
                      "then click Add.",
                      kDarkBlueText, kBeepAsterisk, 340, 200, 600, 190, "Add", 70, "Cancel", 100,
                      0);
}

bool RebalanceHoleFan(DrillPlan& plan, int current, double deltaDegrees, double moment,
                      double correctionAngle, const FanDepthParams& params) {
  int count = std::clamp(plan.holeCount, 0, kMaxHoles);
  if (current < 0 || current >= count || !std::isfinite(deltaDegrees)) return false;
  DrillPlan saved = plan;
  double delta = deltaDegrees / kDegreesPerRadian;
  double step = std::fabs(delta);
  double oldAngle = plan.holes[current].angle;
  std::vector<bool> moved(count, false);
  plan.holes[current].angle = NormalizeRadians(oldAngle + delta);
  moved[current] = true;

  if (count >= 3 && step > 0.0) {
    // Neighbours ahead of the move, nearest first, measured from the old place.
    double dir = delta > 0.0 ? 1.0 : -1.0;
    std::vector<std::pair<double, int>> ahead;
    for (int j = 0; j < count; ++j) {
      if (j == current) continue;
      double rel = Signed(plan.holes[j].angle - oldAngle) * dir;
      if (rel > 0.0) ahead.push_back({rel, j});
    }
    std::sort(ahead.begin(), ahead.end());
    double frontRel = step;  // where the last moved hole now stands
    for (const auto& [rel, j] : ahead) {
      if (rel - frontRel >= plan.holePitch + step) break;
      plan.holes[j].angle = NormalizeRadians(plan.holes[j].angle + delta);
      moved[j] = true;
      frontRel = rel + step;
    }
  }

  double correction = correctionAngle / kDegreesPerRadian;
  double sum1 = 0.0, sum2 = 0.0;
  int n1 = 0, n2 = 0;
  for (int j = 0; j < count; ++j) {
    double offset = Signed(plan.holes[j].angle - correction);
    if (moved[j]) {
      sum1 += offset;
      ++n1;
    } else {
      sum2 += offset;
      ++n2;
    }
  }
  bool balanced = false;
  double a = 0.0, b = 0.0;
  if (n1 > 0 && n2 > 0) {
    double mean1 = sum1 / n1, mean2 = sum2 / n2;
    // Either group may be the one on the positive side.
    balanced = (mean1 > kCenterClearance && mean2 < -kCenterClearance) ||
               (mean1 < -kCenterClearance && mean2 > kCenterClearance);
    a = std::fabs(mean1);
    b = std::fabs(mean2);
  }
  double sinSum = std::sin(a + b);
  if (!balanced || !(sinSum > 1e-9)) {
    plan = saved;
    return false;
  }

  double m1, m2;
  SplitMoment(moment, a, b, n1, n2, m1, m2);
  SetGroupDepths(plan, count, moved, m1, m2, params);
  return true;
}

void RebalanceRemainingFan(DrillPlan& plan, double moment, double correctionAngle,
                           const FanDepthParams& params) {
  int count = std::clamp(plan.holeCount, 0, kMaxHoles);
  if (count == 0) return;
  // Holes ahead of the correction angle against those behind it; a hole on
  // the angle itself joins a side that has none.
  double correction = correctionAngle / kDegreesPerRadian;
  std::vector<double> offsets(count);
  int ahead = 0, behind = 0;
  for (int j = 0; j < count; ++j) {
    offsets[j] = Signed(plan.holes[j].angle - correction);
    if (offsets[j] > kOnCentre) ++ahead;
    if (offsets[j] < -kOnCentre) ++behind;
  }
  std::vector<bool> first(count, false);
  for (int j = 0; j < count; ++j) {
    first[j] = offsets[j] > kOnCentre || (ahead == 0 && offsets[j] >= -kOnCentre);
  }
  // Each group's holes share one depth, so the group removes along the
  // resultant of its unit vectors, shortened by the group's spread.
  auto resultant = [&](bool group, double& direction, double& spread) {
    double x = 0.0, y = 0.0;
    int n = 0;
    for (int j = 0; j < count; ++j) {
      if (first[j] != group) continue;
      x += std::cos(offsets[j]);
      y += std::sin(offsets[j]);
      ++n;
    }
    direction = std::atan2(y, x);
    spread = n > 0 ? std::hypot(x, y) / n : 0.0;
    return n;
  };
  double dir1, spread1, dir2, spread2;
  int n1 = resultant(true, dir1, spread1);
  int n2 = resultant(false, dir2, spread2);
  double a = dir1, b = -dir2;
  double m1 = 0.0, m2 = 0.0;
  if (n1 > 0 && n2 > 0 && a >= 0.0 && b >= 0.0 && std::sin(a + b) > 1e-9) {
    m1 = moment * std::sin(b) / std::sin(a + b);
    m2 = moment * std::sin(a) / std::sin(a + b);
  } else {
    // One group only: nothing balances the cross component, so the fan takes
    // the share along its own direction, which leaves the least behind.
    std::fill(first.begin(), first.end(), true);
    n1 = resultant(true, dir1, spread1);
    m1 = moment * std::cos(dir1);
  }
  // Scalar totals for the depth solver (holes spread in a group remove less
  // along its resultant than their sum).
  if (spread1 > 1e-9) m1 /= spread1;
  if (n2 > 0 && spread2 > 1e-9) m2 /= spread2;
  SetGroupDepths(plan, count, first, m1, m2, params);
}

void OpenAdjust(const MachineSettings& settings, CorrectionState& state,
                const CorrectionZones& zones, Side side) {
  const PlaneCorrection& plane = PlaneOf(state, side);
  DrillPlan& plan = state.drill[side];
  if (plane.outsideZone || plan.holeCount != 1) return;
  double depth = plan.holes[0].depth;
  if (!(depth > 0.005)) return;
  DrillInput in = DrillInputFor(settings, state, side, plane, zones);
  in.maxDepth = depth - 0.005;
  plan.holesHeld = false;
  // The planner of the current mode: a radial plan would give axial holes
  // the wrong depths.
  if (settings.radialCompensation) {
    PlanRadialHoles(in, plan);
  } else {
    PlanAxialHoles(in, plan);
  }
  plan.holesHeld = true;
}

std::optional<OperatorMessage> MoveItem(const MachineSettings& settings, CorrectionState& state,
                                        Side side, AdjustItem item, int index, int step) {
  if (item == AdjustItem::kSlug) {
    SlugPlan& plan = state.slugs[side];
    if (!ValidSlug(plan, index)) return std::nullopt;
    int degrees = TruncToInt(RoundHalfAway(plan.slugs[index].angle * kDegreesPerRadian));
    degrees = PositiveMod(degrees + step, 360);
    plan.slugs[index].angle = degrees / kDegreesPerRadian;
    plan.slugsHeld = true;
    return std::nullopt;
  }
  DrillPlan& plan = state.drill[side];
  if (index < 0 || index >= plan.holeCount) return std::nullopt;
  plan.holesHeld = true;
  const PlaneCorrection& plane = PlaneOf(state, side);
  if (!RebalanceHoleFan(plan, index, step, plane.moment, plane.angle,
                        FanParamsFor(settings, state, side))) {
    plan.holesHeld = true;
    return PastCenterMessage();
  }
  return std::nullopt;
}

std::optional<OperatorMessage> SetItemAt(const MachineSettings& settings, CorrectionState& state,
                                         Side side, AdjustItem item, int index, int shaftPosition) {
  int target = PositiveMod(shaftPosition, 360);
  if (item == AdjustItem::kSlug) {
    SlugPlan& plan = state.slugs[side];
    if (!ValidSlug(plan, index)) return std::nullopt;
    plan.slugs[index].angle = target / kDegreesPerRadian;
    plan.slugsHeld = true;
    return std::nullopt;
  }
  DrillPlan& plan = state.drill[side];
  if (index < 0 || index >= plan.holeCount) return std::nullopt;
  double now = plan.holes[index].angle * kDegreesPerRadian;
  double delta = Signed((target - now) / kDegreesPerRadian) * kDegreesPerRadian;
  plan.holesHeld = true;
  const PlaneCorrection& plane = PlaneOf(state, side);
  if (!RebalanceHoleFan(plan, index, delta, plane.moment, plane.angle,
                        FanParamsFor(settings, state, side))) {
    plan.holesHeld = true;
    return PastCenterMessage();
  }
  return std::nullopt;
}

std::optional<OperatorMessage> DeleteItem(const MachineSettings& settings, CorrectionState& state,
                                          Side side, AdjustItem item, int index) {
  if (item == AdjustItem::kSlug) {
    SlugPlan& plan = state.slugs[side];
    if (!ValidSlug(plan, index)) return std::nullopt;
    if (plan.SlugCount() <= 1) return LastItemMessage("You can't delete the last slug.");
    for (int j = index; j + 1 < kMaxSlugs; ++j) {
      plan.slugs[j] = plan.slugs[j + 1];
      plan.actualSlugWeight[j] = plan.actualSlugWeight[j + 1];
    }
    plan.slugs[kMaxSlugs - 1] = SlugRecord{};
    plan.actualSlugWeight[kMaxSlugs - 1] = 0.0;
    plan.slugsHeld = true;
    return std::nullopt;
  }
  DrillPlan& plan = state.drill[side];
  if (index < 0 || index >= plan.holeCount) return std::nullopt;
  if (plan.holeCount <= 1) return LastItemMessage("You can't delete the last hole.");
  for (int j = index; j + 1 < kMaxHoles; ++j) plan.holes[j] = plan.holes[j + 1];
  plan.holes[kMaxHoles - 1] = DrillHole{};
  --plan.holeCount;
  // The holes left must still remove the side's whole correction.
  const PlaneCorrection& plane = PlaneOf(state, side);
  RebalanceRemainingFan(plan, plane.moment, plane.angle, FanParamsFor(settings, state, side));
  return std::nullopt;
}

bool AddSlugAt(const MachineSettings& settings, CorrectionState& state, Side side,
               int shaftPosition) {
  SlugPlan& plan = state.slugs[side];
  for (int j = 0; j < kMaxSlugs; ++j) {
    if (plan.slugs[j].diameter > 0.0) continue;
    SlugRecord& slug = plan.slugs[j];
    slug = SlugRecord{};
    slug.angle = PositiveMod(shaftPosition, 360) / kDegreesPerRadian;
    slug.diameter = side == kLeftSide ? settings.slugDiameterLeft : settings.slugDiameterRight;
    slug.length = side == kLeftSide ? settings.slugLengthLeft : settings.slugLengthRight;
    plan.actualSlugWeight[j] = 0.0;
    plan.slugsHeld = true;
    return true;
  }
  return false;
}

void SetSlugInstallRadius(CorrectionState& state, Side side, int index, double radius) {
  SlugPlan& plan = state.slugs[side];
  if (!ValidSlug(plan, index)) return;
  plan.slugs[index].installRadius = radius > 0.0 ? radius : 0.0;
  plan.slugsHeld = true;
}

void SetSlugDiameter(CorrectionState& state, Side side, int index, double diameter) {
  SlugPlan& plan = state.slugs[side];
  if (!ValidSlug(plan, index) || !(diameter > 0.0)) return;
  plan.slugs[index].diameter = std::min(diameter, 2.0);
  plan.slugsHeld = true;
}

void SetSlugLength(CorrectionState& state, Side side, int index, double length) {
  SlugPlan& plan = state.slugs[side];
  if (!ValidSlug(plan, index) || !(length >= 0.0)) return;
  plan.slugs[index].length = std::min(length, 5.0);
  plan.slugsHeld = true;
}

void SetActualSlugWeight(CorrectionState& state, Side side, int index, double grams) {
  SlugPlan& plan = state.slugs[side];
  if (!ValidSlug(plan, index)) return;
  plan.actualSlugWeight[index] = grams > 0.0 ? std::min(grams, kMaxSlugWeight) : 0.0;
  plan.slugsHeld = true;
}

void ResetAll(CorrectionState& state, Side side) {
  state.drill[side].holesHeld = false;
  state.slugs[side].slugsHeld = false;
}

}  // namespace balancer
