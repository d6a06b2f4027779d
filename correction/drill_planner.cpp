#include "correction/drill_planner.h"

#include <algorithm>
#include <cmath>

#include "correction/vector_math.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr double kMinNeeded = 0.000001;
constexpr double kMaxSpread = 1.57;
constexpr double kDepthStep = 0.001;
// Radii at or below zero would divide by zero; no real machine gets near this.
constexpr double kMinRadius = 0.001;

double ClampUnit(double v) {
  return v > 1.0 ? 1.0 : (v < -1.0 ? -1.0 : v);
}

double HoleArea(double d) {
  return kPi * (d / 2.0) * (d / 2.0);
}

void ClearPlan(DrillPlan& plan) {
  plan.holes.fill(DrillHole{});
  plan.holeCount = 0;
  plan.holeDepth = 0.0;
  plan.capacityOverflow = false;
}

// Grows the fan about alpha one hole at a time until its capacity covers
// `needed` or it no longer fits the spread. Returns the capacity reached.
template <typename Contribution>
double GrowFan(const DrillInput& in, double pitch, double spread, double needed,
               Contribution contribution, DrillPlan& plan) {
  double alpha = in.displayAngle / kDegreesPerRadian;
  double capacity = kMinNeeded;
  for (int n = 1; n <= kMaxHoles; ++n) {
    // The first hole always goes in; a wider fan only if its half-width fits.
    if (n > 1 && (n - 1) / 2.0 * pitch > spread) break;
    plan.holes.fill(DrillHole{});
    capacity = kMinNeeded;
    for (int j = 0; j < n; ++j) {
      double offset = ((n - 1) / 2.0 - j) * pitch;
      plan.holes[j].angle = NormalizeRadians(alpha + offset);
      plan.holes[j].diameter = in.drillDiameter;
      capacity += contribution(offset);
    }
    plan.holeCount = n;
    if (capacity >= needed) break;
  }
  return capacity;
}

void SetDepths(DrillPlan& plan, double depth) {
  plan.holeDepth = depth;
  for (int j = 0; j < plan.holeCount; ++j) plan.holes[j].depth = depth;
}

}  // namespace

double TipWeight(bool drillPoint, double drillDiameter, double density) {
  if (!drillPoint) return 0.0;
  double half = drillDiameter / 2.0;
  return half * half * drillDiameter * 0.266787 * density;
}

double ConeDepth(double grams, double density) {
  if (!(grams > 0.0) || !(density > 0.0)) return 0.0;
  double depth = 0.509525 * std::cbrt(grams / density / 0.533574) - 0.02;
  return depth > 0.0 ? depth : 0.0;
}

double AllowedSpread(double alpha, int zoneStart, int zoneEnd, int margin) {
  // Bounds and margin brought into a turn first, so no sum below can overflow.
  zoneStart = PositiveMod(zoneStart, 360);
  zoneEnd = PositiveMod(zoneEnd, 360);
  margin = std::min(std::max(margin, 0), 360);
  if (!std::isfinite(alpha)) return 0.0;
  if (zoneStart == zoneEnd) return kMaxSpread;
  int lower = zoneStart + margin;
  if (lower > 359) lower -= 360;
  int upper = zoneEnd - margin;
  if (upper < 0) upper += 360;
  // Inside the edge margin the differences below would wrap to nearly a full
  // turn and let the fan spread out of the zone.
  int width = PositiveMod(zoneEnd - zoneStart, 360);
  double fromStart = NormalizeDegrees(alpha - zoneStart);
  if (fromStart < margin || fromStart > width - margin) return 0.0;
  double dA = std::trunc(alpha - lower);
  if (dA < 0.0) dA += 360.0;
  double dB = std::trunc(upper - alpha);
  if (dB < 0.0) dB += 360.0;
  double spread = std::min(dA, dB) / kDegreesPerRadian;
  return std::min(spread, kMaxSpread);
}

void PlanAxialHoles(const DrillInput& in, DrillPlan& plan) {
  if (plan.holesHeld) return;
  ClearPlan(plan);
  double d = in.drillDiameter;
  double radius = std::max(in.drillRadius, kMinRadius);
  double pitch = 2.0 * std::asin(ClampUnit(((d + 0.05) / 2.0) / radius));
  int margin =
      TruncToInt(std::ceil(std::asin(ClampUnit(((d + 0.2) / 2.0) / radius)) * kDegreesPerRadian));
  plan.holePitch = pitch;
  double spread = AllowedSpread(in.displayAngle, in.zoneStart, in.zoneEnd, margin);

  double a = in.tipAllowance;
  double depthRange = in.maxDepth - a;
  double tip = TipWeight(in.drillPoint, d, in.density);
  double full = HoleArea(d) * depthRange * in.density + tip;  // w
  double needed = in.moment / radius;                         // grams
  if (!(needed > kMinNeeded)) return;

  double capacity = GrowFan(
      in, pitch, spread, needed, [full](double offset) { return std::cos(offset) * full; }, plan);
  double q = needed / capacity;
  plan.capacityOverflow = q > 1.0;
  if (plan.capacityOverflow) return;  // depths stay cleared

  double body = full - tip;  // w - c
  double perHole = q * full;
  double depth;
  if (!(body > 0.0)) {
    depth = in.maxDepth;
  } else if (perHole < tip) {
    // Less than the cone itself: the interpolation would go below the tip
    // (even below 0); drill a pure cone instead.
    depth = ConeDepth(perHole, in.density);
  } else {
    depth = a + depthRange * (perHole - tip) / body;
  }
  SetDepths(plan, depth);
}

void PlanRadialHoles(const DrillInput& in, DrillPlan& plan) {
  if (plan.holesHeld) return;
  ClearPlan(plan);
  double d = in.drillDiameter;
  double below = in.shaftRadius - in.maxDepth;
  double pitch = below > 0.0 ? 2.0 * std::atan(((d + 0.05) / 2.0) / below) : kPi;
  int margin = TruncToInt(pitch * 32.0);
  plan.holePitch = pitch;
  double spread = AllowedSpread(in.displayAngle, in.zoneStart, in.zoneEnd, margin);

  double rc = std::max(std::min(in.correctionRadius, in.shaftRadius), kMinRadius);
  double a = in.tipAllowance;
  double tip = TipWeight(in.drillPoint, d, in.density);
  double area = HoleArea(d);
  auto removal = [&](double length) {  // one hole, `length` of full bore
    return area * length * (rc - length / 2.0) * in.density + (rc - length) * tip;
  };
  double length = in.maxDepth - a;
  double bodyMoment = area * length * (rc - length / 2.0) * in.density;
  double tipMoment = (rc - length) * tip;
  double full = bodyMoment + tipMoment;  // w
  double needed = in.moment;
  if (!(needed > kMinNeeded)) return;

  double capacity = GrowFan(
      in, pitch, spread, needed,
      [&](double offset) { return std::cos(offset) * bodyMoment + tipMoment; }, plan);
  double q = needed / capacity;
  plan.capacityOverflow = q > 1.0;
  if (q > 1.0) q = 1.0;

  if (in.drillPoint && needed / rc < tip) {
    // The cone alone removes enough: one cone-only hole at the heavy spot.
    plan.holes.fill(DrillHole{});
    plan.holes[0].angle = NormalizeRadians(in.displayAngle / kDegreesPerRadian);
    plan.holes[0].diameter = d;
    plan.holeCount = 1;
    SetDepths(plan, ConeDepth(needed / rc, in.density));
    return;
  }

  double target = q * full;
  double depth = in.maxDepth > 0.0 ? in.maxDepth : 0.0;
  double lastBelow = -1.0;
  for (int i = 1;; ++i) {
    double t = i * kDepthStep;
    if (!(t < in.maxDepth)) break;
    if (removal(t - a) >= target) {
      lastBelow = -1.0;
      depth = t + kDepthStep;
      break;
    }
    lastBelow = t;
  }
  if (lastBelow > 0.0) depth = lastBelow;
  SetDepths(plan, depth);
}

void PlanHolesWithRetry(bool radial, const DrillInput& in, DrillPlan& plan) {
  auto run = [&](const DrillInput& input) {
    if (radial) {
      PlanRadialHoles(input, plan);
    } else {
      PlanAxialHoles(input, plan);
    }
  };
  run(in);
  if (plan.holesHeld) return;
  DrillInput lowered = in;
  while (plan.capacityOverflow) {
    double next = lowered.maxDepth - 0.01;
    if (!(next > in.maxDepth / 2.0)) break;
    lowered.maxDepth = next;
    run(lowered);
  }
}

HoleDepthResult DepthForHoleCount(bool drillPoint, int holeCount, double moment,
                                  double drillDiameter, double radius, double maxDepth,
                                  double density) {
  HoleDepthResult r;
  double area = HoleArea(drillDiameter);
  if (holeCount < 1 || !(radius > 0.0) || !(area > 0.0) || !(density > 0.0)) return r;
  double perInch = density * area;   // W1
  double all = holeCount * perInch;  // Wn
  // As in the planner: a hole whose share is less than its tip is a cone.
  double perHole = moment / radius / holeCount;
  if (perHole < TipWeight(drillPoint, drillDiameter, density)) {
    r.depth = ConeDepth(perHole, density);
    r.produced = true;
    r.ok = r.depth <= maxDepth;
    return r;
  }
  // The tip removes a third of the cylinder it ends: every hole goes deeper
  // by two thirds of its tip allowance, however many share the moment.
  double k = 0.0;
  if (drillPoint) {
    double half = drillDiameter / 2.0;
    k = drillDiameter * (0.2548 * area - 0.266787 * half * half) / area;
  }
  double b = radius * all;
  double disc = b * b - 2.0 * all * moment;
  if (disc < 0.0) return r;
  r.depth = (b - std::sqrt(disc)) / all + k;
  r.produced = true;
  r.ok = r.depth <= maxDepth;
  return r;
}

HoleDepthResult AxialDepthForHoleCount(bool drillPoint, int holeCount, double moment,
                                       double drillDiameter, double radius, double maxDepth,
                                       double density) {
  HoleDepthResult r;
  double area = HoleArea(drillDiameter);
  if (holeCount < 1 || !(radius > 0.0) || !(area > 0.0) || !(density > 0.0)) return r;
  double perHole = moment / radius / holeCount;  // grams, all at the drill radius
  double tip = TipWeight(drillPoint, drillDiameter, density);
  if (perHole < tip) {
    r.depth = ConeDepth(perHole, density);
  } else {
    double allowance = drillPoint ? kTipAllowancePerDiameter * drillDiameter : 0.0;
    r.depth = allowance + (perHole - tip) / (density * area);
  }
  r.produced = true;
  r.ok = r.depth <= maxDepth;
  return r;
}

}  // namespace balancer
