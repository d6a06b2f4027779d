// Zone bounds and readings from a damaged file reach the planners only after
// their own checks, but the planners must stay safe on their own: a bound
// outside 0..359 counts as the same bound within one turn, and no value makes
// their arithmetic overflow or cast NaN to an int.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "correction/drill_planner.h"
#include "correction/heavy_metal.h"
#include "correction/plane_transform.h"
#include "correction/vector_math.h"
#include "correction/zones.h"

namespace balancer {
namespace {

struct Bound {
  int raw;
  int wrapped;
};
// INT_MAX is 127 past a whole number of turns, INT_MIN 232 short of one.
const Bound kBounds[] = {{INT_MAX, 127}, {INT_MIN, 232}, {INT_MAX - 10, 117},
                         {720 + 45, 45}, {-90, 270},     {360, 0}};

TEST(ZoneBounds, FarBoundsCountAsTheirPlaceInOneTurn) {
  for (const Bound& b : kBounds) {
    SCOPED_TRACE(b.raw);
    for (double alpha : {0.0, 30.0, 100.0, 126.0, 200.0, 300.0, 359.5}) {
      SCOPED_TRACE(alpha);
      EXPECT_DOUBLE_EQ(AllowedSpread(alpha, 10, b.raw, 8), AllowedSpread(alpha, 10, b.wrapped, 8));
      EXPECT_DOUBLE_EQ(AllowedSpread(alpha, b.raw, 300, 8),
                       AllowedSpread(alpha, b.wrapped, 300, 8));
      EXPECT_EQ(OutsideZone(alpha, 50.0, 10, b.raw, 12),
                OutsideZone(alpha, 50.0, 10, b.wrapped, 12));
      EXPECT_EQ(OutsideZone(alpha, 50.0, b.raw, 300, 12),
                OutsideZone(alpha, 50.0, b.wrapped, 300, 12));
      int whole = static_cast<int>(alpha);
      EXPECT_EQ(AngleInZone(whole, ZoneBounds{b.raw, 300}),
                AngleInZone(whole, ZoneBounds{b.wrapped, 300}));
    }
    SlugPlan far, near;
    SlugInput in;
    in.moment = 1000.0;
    in.angle = in.displayAngle = 300.0;
    in.toleranceMoment = 13.64;
    in.outsideZone = true;
    in.zoneStart = 20;
    in.zoneEnd = b.raw;
    bool farOk = PlaceSlugs(in, far);
    in.zoneEnd = b.wrapped;
    EXPECT_EQ(farOk, PlaceSlugs(in, near));
    EXPECT_EQ(far.extraAngle, near.extraAngle);
    EXPECT_EQ(far.noRoom, near.noRoom);
    for (int i = 0; i < kMaxSlugs; ++i) EXPECT_DOUBLE_EQ(far.slugs[i].angle, near.slugs[i].angle);

    DrillInput drill;
    drill.moment = 900.0;
    drill.displayAngle = 90.0;
    drill.zoneStart = 0;
    drill.zoneEnd = b.raw;
    DrillPlan farDrill, nearDrill;
    PlanAxialHoles(drill, farDrill);
    drill.zoneEnd = b.wrapped;
    PlanAxialHoles(drill, nearDrill);
    EXPECT_EQ(farDrill.holeCount, nearDrill.holeCount);
    for (int j = 0; j < farDrill.holeCount; ++j) {
      EXPECT_DOUBLE_EQ(farDrill.holes[j].angle, nearDrill.holes[j].angle);
    }
  }
}

TEST(ZoneBounds, TurningTheReferenceNeverOverflows) {
  PlaneReading left{10.0, 20.0}, right{5.0, 350.0};
  CorrectionZones zones{INT_MAX, INT_MIN, 100, 200};
  rotateReference(INT_MIN, left, right, zones);
  for (int bound :
       {zones.zoneStartLeft, zones.zoneEndLeft, zones.zoneStartRight, zones.zoneEndRight}) {
    EXPECT_GE(bound, 0);
    EXPECT_LT(bound, 360);
  }
  // Turning by INT_MIN turns by 232 (its place in one turn).
  EXPECT_EQ(zones.zoneStartLeft, 127 - 232 + 360);
  EXPECT_EQ(zones.zoneEndLeft, 0);
  EXPECT_EQ(zones.zoneStartRight, 100 - 232 + 360);
}

TEST(ZoneBounds, UnreadableReadingsGiveNoHolesOrSlugsAndStayInOneTurn) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double moment : {nan, inf, 3e280, -inf}) {
    for (double angle : {nan, inf, 45.0, 1e300}) {
      SCOPED_TRACE(testing::Message() << moment << " at " << angle);
      SlugInput in;
      in.moment = moment;
      in.angle = in.displayAngle = angle;
      in.outsideZone = true;
      in.zoneStart = 30;
      in.zoneEnd = 150;
      SlugPlan plan;
      PlaceSlugs(in, plan);
      ComputeRemainingUnbalance(in, plan);
      EXPECT_GE(plan.extraAngle, 0);
      EXPECT_LT(plan.extraAngle, 360);

      DrillInput drill;
      drill.moment = moment;
      drill.displayAngle = angle;
      drill.zoneStart = 30;
      drill.zoneEnd = 150;
      DrillPlan holes;
      PlanAxialHoles(drill, holes);
      PlanRadialHoles(drill, holes);
      EXPECT_GE(holes.holeCount, 0);
      EXPECT_FALSE(OutsideZone(angle, moment, 30, 30, 12));
    }
  }
}

}  // namespace
}  // namespace balancer
