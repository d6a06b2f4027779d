#include "correction/drill_planner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "correction/vector_math.h"

namespace balancer {
namespace {

constexpr double kSteel = 128.64;

DrillInput Axial(double moment, double angle) {
  DrillInput in;
  in.moment = moment;
  in.displayAngle = angle;
  return in;
}

double Area(double d) {
  return kPi * d * d / 4.0;
}

// Moment the planned axial holes remove, projected on the correction angle.
double AxialRemoved(const DrillInput& in, const DrillPlan& plan) {
  double sum = 0.0;
  for (int j = 0; j < plan.holeCount; ++j) {
    double offset = plan.holes[j].angle - in.displayAngle / kDegreesPerRadian;
    sum += std::cos(offset) * Area(in.drillDiameter) * plan.holes[j].depth * in.density *
           in.drillRadius;
  }
  return sum;
}

double RadialRemoved(const DrillInput& in, const DrillPlan& plan) {
  double sum = 0.0;
  for (int j = 0; j < plan.holeCount; ++j) {
    double t = plan.holes[j].depth;
    double offset = plan.holes[j].angle - in.displayAngle / kDegreesPerRadian;
    sum += std::cos(offset) * Area(in.drillDiameter) * t * (in.correctionRadius - t / 2.0) *
           in.density;
  }
  return sum;
}

TEST(AxialPlanner, OneHoleRemovesTheMoment) {
  DrillInput in = Axial(100.0, 123.4);
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  ASSERT_EQ(plan.holeCount, 1);
  EXPECT_FALSE(plan.capacityOverflow);
  EXPECT_NEAR(plan.holes[0].angle * kDegreesPerRadian, 123.4, 1e-9);
  EXPECT_LT(plan.holeDepth, in.maxDepth);
  EXPECT_NEAR(AxialRemoved(in, plan), 100.0, 1e-3);
  EXPECT_EQ(plan.holes[1].diameter, 0.0);
}

TEST(AxialPlanner, FanSymmetricAndRemovesTheMoment) {
  DrillInput in = Axial(600.0, 90.0);
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  ASSERT_GT(plan.holeCount, 2);
  EXPECT_FALSE(plan.capacityOverflow);
  double mean = 0.0;
  for (int j = 0; j < plan.holeCount; ++j) {
    EXPECT_DOUBLE_EQ(plan.holes[j].depth, plan.holeDepth);
    mean += plan.holes[j].angle;
  }
  EXPECT_NEAR(mean / plan.holeCount * kDegreesPerRadian, 90.0, 1e-9);
  EXPECT_NEAR(AxialRemoved(in, plan), 600.0, 1e-3);
  // Neighbours keep the pitch: 0.05 inch of material between the holes.
  EXPECT_NEAR(plan.holePitch, 2.0 * std::asin(0.4 / 3.025), 1e-12);
}

TEST(AxialPlanner, DrillPointAccountsForTheCone) {
  DrillInput in = Axial(100.0, 10.0);
  in.drillPoint = true;
  in.tipAllowance = kTipAllowancePerDiameter * in.drillDiameter;
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  ASSERT_EQ(plan.holeCount, 1);
  double tip = TipWeight(true, in.drillDiameter, in.density);
  double grams = Area(in.drillDiameter) * (plan.holeDepth - in.tipAllowance) * in.density + tip;
  EXPECT_NEAR(grams * in.drillRadius, 100.0, 1e-3);

  // Less than the cone itself never gives a negative depth.
  DrillPlan tiny;
  PlanAxialHoles(Axial(0.5, 10.0), tiny);
  in.moment = 0.5;
  PlanAxialHoles(in, tiny);
  ASSERT_EQ(tiny.holeCount, 1);
  EXPECT_GE(tiny.holeDepth, 0.0);
  EXPECT_LT(tiny.holeDepth, in.tipAllowance);
}

TEST(AxialPlanner, NoZoneSpreadIsLimitedByTheTable) {
  DrillInput in = Axial(1e6, 0.0);
  in.drillRadius = 12.0;
  in.shaftRadius = 13.0;
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  EXPECT_EQ(plan.holeCount, kMaxHoles);
  EXPECT_TRUE(plan.capacityOverflow);
  EXPECT_EQ(plan.holeDepth, 0.0);  // an overflowing axial plan has no depth
}

TEST(AxialPlanner, ZoneEdgeLimitsTheFanToOneHole) {
  // Zone 0..90, margin 10: alpha 14 is 4 degrees from the lower limit.
  DrillInput in = Axial(400.0, 14.0);
  in.zoneStart = 0;
  in.zoneEnd = 90;
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  EXPECT_EQ(plan.holeCount, 1);
  EXPECT_TRUE(plan.capacityOverflow);
  // Well inside, the same amount fits.
  in.displayAngle = 45.0;
  PlanAxialHoles(in, plan);
  EXPECT_GT(plan.holeCount, 1);
  EXPECT_FALSE(plan.capacityOverflow);
  for (int j = 0; j < plan.holeCount; ++j) {
    double deg = plan.holes[j].angle * kDegreesPerRadian;
    EXPECT_GT(deg, 10.0);
    EXPECT_LT(deg, 80.0);
  }
}

TEST(AllowedSpread, MarginsAndWrap) {
  EXPECT_DOUBLE_EQ(AllowedSpread(123.0, 40, 40, 10), 1.57);
  EXPECT_NEAR(AllowedSpread(14.0, 0, 90, 10), 4.0 / kDegreesPerRadian, 1e-12);
  EXPECT_NEAR(AllowedSpread(45.0, 0, 90, 10), 35.0 / kDegreesPerRadian, 1e-12);
  EXPECT_NEAR(AllowedSpread(10.0, 300, 60, 10), 40.0 / kDegreesPerRadian, 1e-12);
  EXPECT_NEAR(AllowedSpread(330.0, 300, 60, 10), 20.0 / kDegreesPerRadian, 1e-12);
  EXPECT_DOUBLE_EQ(AllowedSpread(0.0, 0, 359, 0), 0.0);
  // Inside an edge margin the fan may not spread out of the zone.
  EXPECT_DOUBLE_EQ(AllowedSpread(8.0, 0, 90, 10), 0.0);
  EXPECT_DOUBLE_EQ(AllowedSpread(85.0, 0, 90, 10), 0.0);
  EXPECT_DOUBLE_EQ(AllowedSpread(55.0, 300, 60, 10), 0.0);
  EXPECT_DOUBLE_EQ(AllowedSpread(50.0, 40, 60, 15), 0.0);  // zone narrower than its margins
}

TEST(Planners, FanAroundZeroWrapsBelowTwoPi) {
  DrillInput in = Axial(600.0, 2.0);
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  ASSERT_GE(plan.holeCount, 3);
  int wrapped = 0;
  for (int j = 0; j < plan.holeCount; ++j) {
    EXPECT_GE(plan.holes[j].angle, 0.0);
    EXPECT_LT(plan.holes[j].angle, kTwoPi);
    wrapped += plan.holes[j].angle > 5.0;
  }
  EXPECT_GT(wrapped, 0);
  EXPECT_NEAR(AxialRemoved(in, plan), 600.0, 1e-3);
}

TEST(RadialPlanner, RemovesTheMomentWithinOneDepthStep) {
  DrillInput in = Axial(450.0, 200.0);
  DrillPlan plan;
  PlanRadialHoles(in, plan);
  ASSERT_GE(plan.holeCount, 1);
  EXPECT_FALSE(plan.capacityOverflow);
  double removed = RadialRemoved(in, plan);
  EXPECT_GE(removed, 450.0);
  // Two depth steps of over-drilling at most.
  double perStep =
      plan.holeCount * Area(in.drillDiameter) * in.density * in.correctionRadius * 0.002;
  EXPECT_LE(removed, 450.0 + perStep);
}

TEST(RadialPlanner, ConeOnlyHole) {
  DrillInput in = Axial(5.0, 77.0);
  in.drillPoint = true;
  in.tipAllowance = kTipAllowancePerDiameter * in.drillDiameter;
  DrillPlan plan;
  PlanRadialHoles(in, plan);
  ASSERT_EQ(plan.holeCount, 1);
  EXPECT_NEAR(plan.holes[0].angle * kDegreesPerRadian, 77.0, 1e-9);
  // 0.509525 * (5/3.5/128.64/0.533574)^(1/3) - 0.02
  EXPECT_NEAR(plan.holeDepth, 0.120155, 1e-5);
}

TEST(RadialPlanner, RetryWithShallowerHolesFitsMore) {
  // A narrow zone: at full depth the wide pitch allows too few holes.
  DrillInput in = Axial(0.0, 60.0);
  in.zoneStart = 20;
  in.zoneEnd = 100;
  in.maxDepth = 2.0;
  DrillPlan first;
  bool found = false;
  for (double m = 100.0; m < 2000.0 && !found; m += 10.0) {
    in.moment = m;
    PlanRadialHoles(in, first);
    if (!first.capacityOverflow) continue;
    DrillPlan retried;
    PlanHolesWithRetry(true, in, retried);
    if (!retried.capacityOverflow) {
      found = true;
      EXPECT_GT(retried.holeCount, first.holeCount);
      EXPECT_LT(retried.holeDepth, in.maxDepth);
      EXPECT_GE(RadialRemoved(in, retried), m);
    }
  }
  EXPECT_TRUE(found);
}

TEST(Planners, HeldPlanIsLeftAlone) {
  DrillPlan plan;
  plan.holesHeld = true;
  plan.holeCount = 2;
  plan.holes[0].diameter = plan.holes[1].diameter = 0.5;
  PlanAxialHoles(Axial(100.0, 0.0), plan);
  PlanRadialHoles(Axial(100.0, 0.0), plan);
  EXPECT_EQ(plan.holeCount, 2);
  EXPECT_EQ(plan.holes[1].diameter, 0.5);
}

TEST(Planners, DegenerateGeometryStaysFinite) {
  // Drill radius equal to half the drill diameter; holes as deep as the shaft.
  DrillInput in = Axial(200.0, 45.0);
  in.drillRadius = in.drillDiameter / 2.0;
  in.maxDepth = in.shaftRadius;
  for (int radial = 0; radial < 2; ++radial) {
    DrillPlan plan;
    PlanHolesWithRetry(radial != 0, in, plan);
    EXPECT_TRUE(std::isfinite(plan.holeDepth));
    EXPECT_TRUE(std::isfinite(plan.holePitch));
    for (int j = 0; j < plan.holeCount; ++j) EXPECT_TRUE(std::isfinite(plan.holes[j].angle));
  }
  in.drillRadius = 0.0;
  in.drillDiameter = 0.0;
  DrillPlan plan;
  PlanAxialHoles(in, plan);
  EXPECT_TRUE(std::isfinite(plan.holeDepth));
}

TEST(DepthForHoleCount, SolvesTheRadialRemoval) {
  HoleDepthResult r = DepthForHoleCount(false, 2, 150.0, 0.75, 3.5, 1.5, kSteel);
  ASSERT_TRUE(r.ok);
  double wn = 2 * kSteel * Area(0.75);
  EXPECT_NEAR(wn * r.depth * (3.5 - r.depth / 2.0), 150.0, 1e-9);

  HoleDepthResult deep = DepthForHoleCount(false, 1, 300.0, 0.75, 3.5, 1.5, kSteel);
  EXPECT_TRUE(deep.produced);
  EXPECT_FALSE(deep.ok);
  EXPECT_GT(deep.depth, 1.5);

  HoleDepthResult none = DepthForHoleCount(false, 1, 5000.0, 0.75, 3.5, 1.5, kSteel);
  EXPECT_FALSE(none.produced);
  EXPECT_FALSE(none.ok);

  // With the drill point, a small moment is a pure cone.
  HoleDepthResult cone = DepthForHoleCount(true, 1, 5.0, 0.75, 3.5, 1.5, kSteel);
  EXPECT_TRUE(cone.ok);
  EXPECT_NEAR(cone.depth, ConeDepth(5.0 / 3.5, kSteel), 1e-12);

  EXPECT_FALSE(DepthForHoleCount(false, 0, 10.0, 0.75, 3.5, 1.5, kSteel).produced);
  EXPECT_FALSE(DepthForHoleCount(false, 1, 10.0, 0.75, 0.0, 1.5, kSteel).produced);
}

TEST(DepthForHoleCount, DrillPointedHolesRemoveWhatTheyAreGiven) {
  // 142 g-in at 3.025" is 46.9 g, far above the 3.62 g tip of a 0.75" drill:
  // a hole with a body, not the 0.429" cone.
  const double d = 0.75, r = 3.025, a = kTipAllowancePerDiameter * d;
  const double tip = TipWeight(true, d, kSteel);
  EXPECT_NEAR(tip, 3.62, 0.005);
  HoleDepthResult radial = DepthForHoleCount(true, 1, 142.0, d, r, 1.5, kSteel);
  ASSERT_TRUE(radial.ok);
  double body = radial.depth - a;
  EXPECT_NEAR(Area(d) * body * (r - body / 2.0) * kSteel + (r - body) * tip, 142.0, 0.5);
  HoleDepthResult axial = AxialDepthForHoleCount(true, 1, 142.0, d, r, 1.5, kSteel);
  ASSERT_TRUE(axial.ok);
  EXPECT_NEAR(Area(d) * (axial.depth - a) * kSteel + tip, 142.0 / r, 1e-9);

  // n holes sharing n times a moment each drill as one hole would for it,
  // cones included (5 g-in is 1.65 g, below the tip).
  for (double moment : {142.0, 5.0}) {
    for (int n : {2, 5}) {
      EXPECT_NEAR(DepthForHoleCount(true, n, n * moment, d, r, 10.0, kSteel).depth,
                  DepthForHoleCount(true, 1, moment, d, r, 10.0, kSteel).depth, 1e-9);
      EXPECT_NEAR(AxialDepthForHoleCount(true, n, n * moment, d, r, 10.0, kSteel).depth,
                  AxialDepthForHoleCount(true, 1, moment, d, r, 10.0, kSteel).depth, 1e-9);
    }
  }
  EXPECT_NEAR(AxialDepthForHoleCount(true, 2, 10.0, d, r, 1.5, kSteel).depth,
              ConeDepth(5.0 / r, kSteel), 1e-12);
  // Without the option the axial depth is plain grams per inch.
  EXPECT_NEAR(AxialDepthForHoleCount(false, 2, 300.0, d, r, 1.5, kSteel).depth,
              150.0 / r / (kSteel * Area(d)), 1e-12);
  EXPECT_FALSE(AxialDepthForHoleCount(false, 1, 300.0, d, r, 1.5, kSteel).ok);
}

}  // namespace
}  // namespace balancer
