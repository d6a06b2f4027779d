// Drill correction planning: how many holes of the side's drill, where and how
// deep, so that the removed material cancels the side's correction moment.
// Axial holes go into the counterweight face at the drill radius; radial
// holes go inward from the correction radius, so their lever shrinks with
// depth.
#pragma once

#include <array>

namespace balancer {

constexpr int kMaxHoles = 20;

// Tip allowance of the drill point option, inches per inch of drill diameter.
constexpr double kTipAllowancePerDiameter = 0.25476275;

struct DrillHole {
  double angle = 0.0;     // radians [0, 2*pi), absolute shaft angle of the centre
  double diameter = 0.0;  // inches; 0 marks an empty entry
  double depth = 0.0;     // inches
};

struct DrillPlan {
  std::array<DrillHole, kMaxHoles> holes{};
  int holeCount = 0;
  double holeDepth = 0.0;  // common depth (deepest hole after a manual change)
  double holePitch = 0.0;  // radians between neighbouring centres
  bool capacityOverflow = false;
  bool holesHeld = false;  // adjusted by hand; the planners leave the side alone
};

// What one side's planner needs.
struct DrillInput {
  double drillDiameter = 0.75;    // d
  double maxDepth = 1.5;          // D
  double moment = 0.0;            // M, gram-inches
  double displayAngle = 0.0;      // alpha, degrees
  double drillRadius = 3.025;     // axial: radius of the hole centres
  double correctionRadius = 3.5;  // radial: where the holes start
  double shaftRadius = 3.5;       // counterweight radius
  double density = 128.64;        // rho of the drilled material, g/in^3
  bool drillPoint = false;        // account for the conical tip
  double tipAllowance = 0.0;      // a; 0 when the option is off
  int zoneStart = 0;
  int zoneEnd = 0;
};

// Weight of the conical tip of one hole (0 with the option off), grams.
double TipWeight(bool drillPoint, double drillDiameter, double density);

// Depth of a pure cone that removes `grams` (never below 0).
double ConeDepth(double grams, double density);

// Allowed half-spread of the fan about alpha, radians (at most 1.57): 1.57
// without a zone, 0 when alpha lies within the margin m of a zone edge.
double AllowedSpread(double alpha, int zoneStart, int zoneEnd, int margin);

// The planners. Both leave a held side alone and otherwise replace its plan.
void PlanAxialHoles(const DrillInput& in, DrillPlan& plan);
void PlanRadialHoles(const DrillInput& in, DrillPlan& plan);

// The planner of the current mode, retried with the maximum depth lowered in
// 0.01-inch steps while the capacity overflows and the lowered depth is still
// above half of the set depth (a shallower radial hole has a smaller pitch, so
// more of them fit).
void PlanHolesWithRetry(bool radial, const DrillInput& in, DrillPlan& plan);

// Depth at which n radial holes remove U gram-inches at correction radius r
// (manual hole adjustment). ok is false when the depth exceeds maxDepth or no
// depth exists; produced says whether depth holds a value. With the drill
// point, a hole whose share is below the tip weight is a pure cone.
struct HoleDepthResult {
  bool ok = false;
  bool produced = false;
  double depth = 0.0;
};
HoleDepthResult DepthForHoleCount(bool drillPoint, int holeCount, double moment,
                                  double drillDiameter, double radius, double maxDepth,
                                  double density);
// The same for n axial holes at drill radius r: each removes U / r / n grams,
// as the axial planner drills them.
HoleDepthResult AxialDepthForHoleCount(bool drillPoint, int holeCount, double moment,
                                       double drillDiameter, double radius, double maxDepth,
                                       double density);

}  // namespace balancer
