#include "correction/heavy_metal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "correction/plane_transform.h"
#include "correction/vector_math.h"
#include "correction/zones.h"

namespace balancer {
namespace {

SlugInput OutOfZone(double moment, double angle, int start, int end) {
  SlugInput in;
  in.moment = moment;
  in.angle = angle;
  in.displayAngle = angle;
  in.toleranceMoment = 13.64;
  in.outsideZone = true;
  in.zoneStart = start;
  in.zoneEnd = end;
  return in;
}

std::vector<int> SlugDegrees(const SlugPlan& plan) {
  std::vector<int> out;
  for (const SlugRecord& s : plan.slugs) {
    if (s.diameter > 0.0) out.push_back(static_cast<int>(std::lround(s.angle * kDegreesPerRadian)));
  }
  return out;
}

TEST(SlugPlacement, FanCentredOnTheLightSide) {
  // Heavy spot 270, zone 30..150: the light side 90 sits in the middle.
  SlugInput in = OutOfZone(1000.0, 270.0, 30, 150);
  SlugPlan plan;
  EXPECT_TRUE(PlaceSlugs(in, plan));
  std::vector<int> deg = SlugDegrees(plan);
  ASSERT_EQ(deg.size(), 3u);
  EXPECT_EQ(deg[0], 67);
  EXPECT_EQ(deg[1], 90);
  EXPECT_EQ(deg[2], 113);
  // Overshoot: the remainder now points at the light side, into the zone.
  EXPECT_EQ(plan.extraAngle, 90);
  EXPECT_TRUE(plan.extraInZone);
  EXPECT_GT(plan.extraWeight, 0.0);
  EXPECT_EQ(plan.slugs[0].diameter, in.slugDiameter);
  EXPECT_EQ(plan.slugs[0].length, in.slugLength);
}

TEST(SlugPlacement, FanPushedAgainstTheNearerEdge) {
  // Light side 50 is 6 degrees above the lower limit 44 (margin 14).
  SlugInput in = OutOfZone(1100.0, 230.0, 30, 150);
  SlugPlan plan;
  PlaceSlugs(in, plan);
  std::vector<int> deg = SlugDegrees(plan);
  ASSERT_GE(deg.size(), 2u);
  EXPECT_EQ(deg[0], 44);
  for (int d : deg) {
    EXPECT_GE(d, 44);
    EXPECT_LE(d, 136);
  }
  // Light side near the upper edge: the fan ends at the upper limit.
  SlugInput up = OutOfZone(1100.0, 310.0, 30, 150);
  PlaceSlugs(up, plan);
  deg = SlugDegrees(plan);
  ASSERT_GE(deg.size(), 2u);
  EXPECT_EQ(deg.back(), 136);
}

TEST(SlugPlacement, NoRoomMeansNoSlugs) {
  SlugInput in = OutOfZone(800.0, 220.0, 30, 50);
  SlugPlan plan;
  EXPECT_FALSE(PlaceSlugs(in, plan));
  EXPECT_EQ(plan.SlugCount(), 0);
  EXPECT_TRUE(plan.noRoom);
  EXPECT_NEAR(plan.extraWeight, 800.0 / in.shaftRadius, 1e-9);
}

TEST(SlugPlacement, NarrowZoneEndsAndOnlySucceedsInsideIt) {
  // An 8-degree zone with small slugs far out: room for one slug only.
  for (double moment : {60.0, 100.0, 140.0, 200.0, 400.0}) {
    SlugInput in = OutOfZone(moment, 284.0, 100, 108);
    in.slugRadius = 10.0;
    in.shaftRadius = 10.5;
    in.slugDiameter = 0.4375;
    in.slugLength = 0.875;
    SlugPlan plan;
    bool success = PlaceSlugs(in, plan);
    EXPECT_LE(plan.SlugCount(), 1) << moment;
    if (success) EXPECT_TRUE(AngleInZone(plan.extraAngle, ZoneBounds{100, 108})) << moment;
    if (moment == 100.0) EXPECT_TRUE(success);
    if (moment == 200.0) EXPECT_FALSE(success);
  }
}

TEST(SlugPlacement, NothingWithinToleranceOrInsideTheZone) {
  SlugPlan plan;
  SlugInput in = OutOfZone(10.0, 270.0, 30, 150);  // 10 <= 13.64
  PlaceSlugs(in, plan);
  EXPECT_EQ(plan.SlugCount(), 0);
  SlugInput big = OutOfZone(1000.0, 270.0, 30, 150);
  PlaceSlugs(big, plan);
  plan.slugsHeld = true;
  big.outsideZone = false;
  PlaceSlugs(big, plan);
  EXPECT_EQ(plan.SlugCount(), 0);
  EXPECT_FALSE(plan.slugsHeld);

  // Held slugs are let go too once the plane needs nothing.
  big.outsideZone = true;
  PlaceSlugs(big, plan);
  plan.slugsHeld = true;
  big.moment = big.toleranceMoment;
  PlaceSlugs(big, plan);
  EXPECT_EQ(plan.SlugCount(), 0);
  EXPECT_FALSE(plan.slugsHeld);
  EXPECT_NEAR(plan.extraWeight * big.shaftRadius, big.moment, 1e-9);
}

TEST(SlugPlacement, StopsOnlyWhenTheDrillWouldTakeTheRemainder) {
  // Zone 30..150 with a drill half-width of 12 degrees: the drill reaches
  // 42..138. A fan leaving its remainder between 35 and 41 is not finished.
  int checked = 0, stoppedEarly = 0;
  for (int angle = 150; angle < 390; angle += 2) {
    for (double moment = 100.0; moment <= 1600.0; moment += 50.0) {
      SlugInput in = OutOfZone(moment, angle % 360, 30, 150);
      in.zoneHalfWidth = 12;
      SlugPlan plan;
      bool success = PlaceSlugs(in, plan);
      ++checked;
      if (success) {
        EXPECT_FALSE(OutsideZone(plan.extraAngle, plan.extraWeight, 30, 150, 12))
            << angle << " " << moment << ": " << plan.extraAngle;
      } else {
        ++stoppedEarly;
        // Only a fan that used all its room may end off the drill's reach.
        EXPECT_EQ(plan.SlugCount(), 4) << angle << " " << moment;
      }
    }
  }
  EXPECT_GT(checked, stoppedEarly);

  // With no half-width the zone's own edges count.
  SlugInput edge = OutOfZone(1000.0, 270.0, 30, 150);
  SlugPlan plan;
  EXPECT_TRUE(PlaceSlugs(edge, plan));
  EXPECT_TRUE(AngleInZone(plan.extraAngle, ZoneBounds{30, 150}));
}

TEST(SlugPlacement, HeldSlugsStayAndUseTheEnteredWeight) {
  SlugInput in = OutOfZone(1000.0, 270.0, 30, 150);
  SlugPlan plan;
  PlaceSlugs(in, plan);
  double computed = plan.extraWeight;
  plan.actualSlugWeight[1] = 600.0;
  PlaceSlugs(in, plan);  // not held: entered weight ignored, plan rebuilt
  EXPECT_DOUBLE_EQ(plan.extraWeight, computed);
  plan.actualSlugWeight[1] = 600.0;
  plan.slugsHeld = true;
  plan.slugs[1].installRadius = 2.5;
  std::vector<int> before = SlugDegrees(plan);
  in.moment = 900.0;  // a new reading does not move held slugs
  PlaceSlugs(in, plan);
  EXPECT_EQ(SlugDegrees(plan), before);
  EXPECT_NE(plan.extraWeight, computed);
  EXPECT_DOUBLE_EQ(SlugWeight(in, plan, 1), 600.0);
}

TEST(RemainingUnbalance, SlugCancellingTheCorrectionLeavesNothing) {
  SlugInput in = OutOfZone(0.0, 270.0, 30, 150);
  SlugPlan plan;
  plan.slugs[0].diameter = 1.0;
  plan.slugs[0].length = 1.25;
  plan.slugs[0].angle = 90.0 / kDegreesPerRadian;
  double bore = kPi * 0.25;
  in.moment =
      (bore * 1.25 * in.heavyMetalDensity - bore * in.cwThickness * in.cwDensity) * in.slugRadius;
  ComputeRemainingUnbalance(in, plan);
  EXPECT_LT(plan.extraWeight, 1e-9);
  in.moment *= 2.0;
  ComputeRemainingUnbalance(in, plan);
  EXPECT_EQ(plan.extraAngle, 270);
  EXPECT_FALSE(plan.extraInZone);
  EXPECT_NEAR(plan.extraWeight * in.shaftRadius, in.moment / 2.0, 1e-9);
}

TEST(AutoSelect, TakesTheLargestFittingSizeOrRestores) {
  SlugInput in = OutOfZone(1000.0, 270.0, 30, 150);
  std::array<bool, kSlugTableSize> selected{};
  SlugPlan plan;
  SlugInput copy = in;
  EXPECT_FALSE(AutoSelectSlugSize(copy, selected, 5.0, 20.0, plan).has_value());
  EXPECT_EQ(copy.slugDiameter, in.slugDiameter);
  EXPECT_EQ(copy.slugRadius, in.slugRadius);

  selected.fill(true);
  std::optional<int> chosen = AutoSelectSlugSize(copy, selected, 5.0, 20.0, plan);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_GE(plan.extraWeight, 4.5);
  EXPECT_LE(plan.extraWeight, 20.49);
  EXPECT_EQ(copy.slugDiameter, kSlugSizes[*chosen].diameter);
  EXPECT_DOUBLE_EQ(copy.slugRadius, 3.5 - 0.15 - copy.slugDiameter / 2.0);
  // No larger index fits.
  for (int i = kSlugTableSize - 1; i > *chosen; --i) {
    std::array<bool, kSlugTableSize> one{};
    one[i] = true;
    SlugInput again = in;
    EXPECT_FALSE(AutoSelectSlugSize(again, one, 5.0, 20.0, plan).has_value()) << i;
  }
}

TEST(AutoSelect, Messages) {
  EXPECT_EQ(NoSlugSizeMessage(true, false).text,
            "No selected slug sizes fall in range for the Left side.");
  EXPECT_EQ(NoSlugSizeMessage(false, true).text,
            "No selected slug sizes fall in range for the Right side.");
  OperatorMessage both = NoSlugSizeMessage(true, true);
  EXPECT_EQ(both.text, "No selected slug sizes fall in range for the\nLeft side and Right side.");
  EXPECT_EQ(both.caption, "Attention");
  EXPECT_EQ(both.firstButtonText, "OK");
}

TEST(HeavyMetal, DensityAndRadiusLimit) {
  std::optional<double> d = DensityFromTestSlug(1.0, 1.25, 273.5);
  ASSERT_TRUE(d.has_value());
  EXPECT_NEAR(*d, 278.58, 0.01);
  EXPECT_DOUBLE_EQ(*DensityFromTestSlug(1.0, 1.0, 1.0), 250.0);
  EXPECT_DOUBLE_EQ(*DensityFromTestSlug(1.0, 1.0, 1000.0), 320.0);
  EXPECT_FALSE(DensityFromTestSlug(0.0, 1.0, 100.0).has_value());
  EXPECT_DOUBLE_EQ(CounterweightSlugRadius(3.5, 0.15, 1.0), 2.85);
  EXPECT_DOUBLE_EQ(CounterweightSlugRadius(0.5, 0.15, 1.0), 0.1);
}

}  // namespace
}  // namespace balancer
