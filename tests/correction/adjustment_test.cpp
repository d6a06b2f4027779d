#include "correction/adjustment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "correction/vector_math.h"

namespace balancer {
namespace {

constexpr double kSteel = 128.64;

// A planned fan of n holes about `center` degrees with the given pitch.
DrillPlan Fan(int n, double center, double pitchDegrees, double depth) {
  DrillPlan plan;
  plan.holeCount = n;
  plan.holePitch = pitchDegrees / kDegreesPerRadian;
  for (int j = 0; j < n; ++j) {
    plan.holes[j].angle =
        NormalizeRadians((center + ((n - 1) / 2.0 - j) * pitchDegrees) / kDegreesPerRadian);
    plan.holes[j].diameter = 0.75;
    plan.holes[j].depth = depth;
  }
  return plan;
}

double Deg(const DrillHole& h) {
  return h.angle * kDegreesPerRadian;
}

FanDepthParams Params() {
  FanDepthParams p;
  p.radial = true;
  p.radius = 3.5;
  p.maxDepth = 1.5;
  p.density = kSteel;
  return p;
}

// The moment the holes remove, as a vector relative to the correction angle.
std::complex<double> Removed(const DrillPlan& plan, double center, const FanDepthParams& p) {
  std::complex<double> sum;
  double area = kPi * 0.75 * 0.75 / 4.0;
  for (int j = 0; j < plan.holeCount; ++j) {
    double t = plan.holes[j].depth;
    double m = area * t * (p.radius - t / 2.0) * p.density;
    sum += std::polar(m, plan.holes[j].angle - center / kDegreesPerRadian);
  }
  return sum;
}

TEST(RebalanceFan, MovingOutwardKeepsTheFanBalanced) {
  FanDepthParams p = Params();
  for (int which = 0; which < 2; ++which) {
    DrillPlan plan = Fan(2, 90.0, 15.0, 0.5);
    int step = which == 0 ? 5 : -5;  // either hole, outward
    ASSERT_TRUE(RebalanceHoleFan(plan, which, step, 150.0, 90.0, p));
    EXPECT_TRUE(plan.holesHeld);
    EXPECT_NEAR(Deg(plan.holes[which]), which == 0 ? 102.5 : 77.5, 1e-9);
    std::complex<double> r = Removed(plan, 90.0, p);
    EXPECT_NEAR(r.real(), 150.0, 1e-6);
    EXPECT_NEAR(r.imag(), 0.0, 1e-6);
    EXPECT_FALSE(plan.capacityOverflow);
  }
}

TEST(RebalanceFan, CrossingTheCentreIsRefusedAndRestored) {
  DrillPlan plan = Fan(2, 90.0, 15.0, 0.5);
  DrillPlan before = plan;
  EXPECT_FALSE(RebalanceHoleFan(plan, 0, -20, 150.0, 90.0, Params()));
  for (int j = 0; j < 2; ++j) {
    EXPECT_EQ(plan.holes[j].angle, before.holes[j].angle);
    EXPECT_EQ(plan.holes[j].depth, before.holes[j].depth);
  }
  // A single hole cannot balance anything off the heavy spot.
  DrillPlan one = Fan(1, 90.0, 15.0, 0.5);
  EXPECT_FALSE(RebalanceHoleFan(one, 0, 5, 150.0, 90.0, Params()));

  OperatorMessage m = PastCenterMessage();
  EXPECT_EQ(m.caption, "ALERT");
  EXPECT_EQ(m.text, "Past Center!");
  EXPECT_EQ(m.firstButtonText, "OK");
}

TEST(RebalanceFan, NeighboursArePushedAlongInLargeFans) {
  DrillPlan plan = Fan(5, 90.0, 15.0, 0.4);
  ASSERT_TRUE(RebalanceHoleFan(plan, 2, 5, 300.0, 90.0, Params()));
  EXPECT_NEAR(Deg(plan.holes[0]), 125.0, 1e-9);
  EXPECT_NEAR(Deg(plan.holes[1]), 110.0, 1e-9);
  EXPECT_NEAR(Deg(plan.holes[2]), 95.0, 1e-9);
  EXPECT_NEAR(Deg(plan.holes[3]), 75.0, 1e-9);
  EXPECT_NEAR(Deg(plan.holes[4]), 60.0, 1e-9);
  EXPECT_EQ(plan.holes[0].depth, plan.holes[2].depth);
  EXPECT_EQ(plan.holes[3].depth, plan.holes[4].depth);
}

TEST(RebalanceFan, FullTableEndsAndZeroCrossing) {
  // 20 holes about 2 degrees: moving either end stays inside the table and
  // keeps every angle in [0, 2pi).
  for (int which : {0, 19}) {
    for (int step : {-5, 5}) {
      DrillPlan plan = Fan(20, 2.0, 8.0, 0.3);
      RebalanceHoleFan(plan, which, step, 400.0, 2.0, Params());
      EXPECT_EQ(plan.holeCount, 20);
      for (int j = 0; j < 20; ++j) {
        EXPECT_GE(plan.holes[j].angle, 0.0);
        EXPECT_LT(plan.holes[j].angle, kTwoPi);
        EXPECT_TRUE(std::isfinite(plan.holes[j].depth));
      }
    }
  }
  DrillPlan plan = Fan(20, 2.0, 8.0, 0.3);
  EXPECT_FALSE(RebalanceHoleFan(plan, 20, 5, 400.0, 2.0, Params()));
  EXPECT_FALSE(RebalanceHoleFan(plan, -1, 5, 400.0, 2.0, Params()));
}

class AdjustTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.twoPlaneMode = 1;
    settings.toleranceMoment = 13.64;
    CopyWorkingRightFromSet(settings);
  }
  void Pass(double leftMoment, double leftAngle) {
    l = PlaneReading{leftMoment, leftAngle};
    r0 = PlaneReading{1.0, 0.0};
    RunCorrectionPass(l, r0, settings, zones, state, nullptr);
  }
  PlaneReading l, r0;
  MachineSettings settings;
  CorrectionZones zones;
  CorrectionState state;
};

TEST_F(AdjustTest, OpeningSplitsASingleHole) {
  Pass(100.0, 45.0);
  ASSERT_EQ(state.drill[kLeftSide].holeCount, 1);
  OpenAdjust(settings, state, zones, kLeftSide);
  EXPECT_GE(state.drill[kLeftSide].holeCount, 2);
  EXPECT_TRUE(state.drill[kLeftSide].holesHeld);
  // A held side survives the next pass.
  DrillPlan held = state.drill[kLeftSide];
  Pass(300.0, 45.0);
  EXPECT_EQ(state.drill[kLeftSide].holeCount, held.holeCount);
  ResetAll(state, kLeftSide);
  Pass(100.0, 45.0);
  EXPECT_EQ(state.drill[kLeftSide].holeCount, 1);
}

TEST_F(AdjustTest, DeleteRefusesTheLastItem) {
  Pass(100.0, 45.0);
  std::optional<OperatorMessage> m = DeleteItem(settings, state, kLeftSide, AdjustItem::kHole, 0);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->caption, "Warning");
  EXPECT_EQ(m->text, "You can't delete the last hole.");
  EXPECT_EQ(state.drill[kLeftSide].holeCount, 1);

  ASSERT_TRUE(AddSlugAt(settings, state, kLeftSide, 100));
  m = DeleteItem(settings, state, kLeftSide, AdjustItem::kSlug, 0);
  ASSERT_TRUE(m.has_value());
  EXPECT_EQ(m->text, "You can't delete the last slug.");
  ASSERT_TRUE(AddSlugAt(settings, state, kLeftSide, 120));
  EXPECT_FALSE(DeleteItem(settings, state, kLeftSide, AdjustItem::kSlug, 0).has_value());
  EXPECT_EQ(state.slugs[kLeftSide].SlugCount(), 1);
  EXPECT_NEAR(state.slugs[kLeftSide].slugs[0].angle * kDegreesPerRadian, 120.0, 1e-9);
}

// What axial holes of the default drill remove, as a vector relative to the
// correction angle: every gram sits at the drill radius, the tip counted as a
// cone of a = 0.25476 d.
std::complex<double> AxialRemoved(const DrillPlan& plan, double center, bool drillPoint) {
  const double d = 0.75, radius = 3.025;
  double area = kPi * d * d / 4.0;
  double tip = drillPoint ? (d / 2) * (d / 2) * d * 0.266787 * kSteel : 0.0;
  double allowance = drillPoint ? 0.25476275 * d : 0.0;
  std::complex<double> sum;
  for (int j = 0; j < plan.holeCount; ++j) {
    double t = plan.holes[j].depth;
    double grams = t < allowance ? 0.0 : area * (t - allowance) * kSteel + tip;
    sum += std::polar(grams * radius, plan.holes[j].angle - center / kDegreesPerRadian);
  }
  return sum;
}

TEST_F(AdjustTest, AMovedAxialFanKeepsTheAxialRemoval) {
  // 300 g-in at 45: two holes of 99.17 g / (2 cos(p/2)) / 56.83 g/in = 0.880".
  for (bool drillPoint : {false, true}) {
    SetDrillPoint(state, settings, drillPoint);
    Pass(300.0, 45.0);
    DrillPlan planned = state.drill[kLeftSide];
    ASSERT_EQ(planned.holeCount, 2);
    if (!drillPoint) {
      EXPECT_NEAR(planned.holeDepth, 0.880, 0.0005);
    }
    EXPECT_NEAR(std::abs(AxialRemoved(planned, 45.0, drillPoint)), 300.0, 0.5);

    for (int step : {kCw1, kCcw1}) {
      EXPECT_FALSE(MoveItem(settings, state, kLeftSide, AdjustItem::kHole, 0, step));
      std::complex<double> r = AxialRemoved(state.drill[kLeftSide], 45.0, drillPoint);
      EXPECT_NEAR(r.real(), 300.0, 0.01);
      EXPECT_NEAR(r.imag(), 0.0, 0.01);
    }
    // Back where the planner put them, with the planner's depth, not 1.069".
    for (int j = 0; j < 2; ++j) {
      EXPECT_NEAR(state.drill[kLeftSide].holes[j].angle, planned.holes[j].angle, 1e-9);
      EXPECT_NEAR(state.drill[kLeftSide].holes[j].depth, planned.holeDepth, 1e-6);
    }
    ResetAll(state, kLeftSide);
  }

  // Radial holes keep the radial removal at the correction radius.
  SetDrillPoint(state, settings, false);
  settings.radialCompensation = 1;
  Pass(300.0, 45.0);
  ASSERT_GE(state.drill[kLeftSide].holeCount, 2);
  EXPECT_FALSE(MoveItem(settings, state, kLeftSide, AdjustItem::kHole, 0, kCw1));
  std::complex<double> r = Removed(state.drill[kLeftSide], 45.0, Params());
  EXPECT_NEAR(r.real(), 300.0, 1e-6);
  EXPECT_NEAR(r.imag(), 0.0, 1e-6);
}

TEST_F(AdjustTest, DeleteRebalancesTheHolesLeft) {
  // 800 g-in needs four holes of 1.216"; any three of them must go deeper.
  Pass(800.0, 45.0);
  ASSERT_EQ(state.drill[kLeftSide].holeCount, 4);
  ASSERT_FALSE(state.drill[kLeftSide].capacityOverflow);
  for (int index : {0, 1}) {
    for (double maxDepth : {1.5, 4.0}) {
      DrillPlan planned = state.drill[kLeftSide];
      settings.maxDrillDepthLeft = maxDepth;
      EXPECT_FALSE(DeleteItem(settings, state, kLeftSide, AdjustItem::kHole, index));
      const DrillPlan& left = state.drill[kLeftSide];
      EXPECT_EQ(left.holeCount, 3);
      std::complex<double> r = AxialRemoved(left, 45.0, false);
      EXPECT_NEAR(r.real(), 800.0, 0.01);
      EXPECT_NEAR(r.imag(), 0.0, 0.01);
      // Three holes of at most 1.5" remove at most 3 * 85.25 g * 3.025 = 774 g-in.
      EXPECT_EQ(left.capacityOverflow, maxDepth < 2.0);
      CorrectionResult shown = RunCorrectionPass(l, r0, settings, zones, state, nullptr);
      EXPECT_EQ(shown.left.text == "Increase drill size or max drill depth", maxDepth < 2.0);
      state.drill[kLeftSide] = planned;
    }
  }
  settings.maxDrillDepthLeft = 1.5;

  // A hand-split hole: the one left of two is off the heavy spot by half a
  // pitch and removes the moment's share along its own direction.
  ResetAll(state, kLeftSide);
  Pass(100.0, 45.0);
  ASSERT_EQ(state.drill[kLeftSide].holeCount, 1);
  OpenAdjust(settings, state, zones, kLeftSide);
  ASSERT_EQ(state.drill[kLeftSide].holeCount, 2);
  EXPECT_FALSE(DeleteItem(settings, state, kLeftSide, AdjustItem::kHole, 1));
  const DrillHole& hole = state.drill[kLeftSide].holes[0];
  double offset = hole.angle - 45.0 / kDegreesPerRadian;
  EXPECT_GT(offset, 0.1);
  EXPECT_NEAR(std::abs(AxialRemoved(state.drill[kLeftSide], 45.0, false)), 100.0 * std::cos(offset),
              0.01);
  EXPECT_FALSE(state.drill[kLeftSide].capacityOverflow);
}

TEST_F(AdjustTest, SlugMovesEntriesAndTableLimit) {
  for (int i = 0; i < kMaxSlugs; ++i) ASSERT_TRUE(AddSlugAt(settings, state, kRightSide, 358));
  EXPECT_FALSE(AddSlugAt(settings, state, kRightSide, 10));
  MoveItem(settings, state, kRightSide, AdjustItem::kSlug, 3, kCw5);
  EXPECT_NEAR(state.slugs[kRightSide].slugs[3].angle * kDegreesPerRadian, 3.0, 1e-9);
  MoveItem(settings, state, kRightSide, AdjustItem::kSlug, 3, kCcw5);
  MoveItem(settings, state, kRightSide, AdjustItem::kSlug, 3, kCcw5);
  EXPECT_NEAR(state.slugs[kRightSide].slugs[3].angle * kDegreesPerRadian, 353.0, 1e-9);
  SetActualSlugWeight(state, kRightSide, 2, 5000.0);
  EXPECT_DOUBLE_EQ(state.slugs[kRightSide].actualSlugWeight[2], 2000.0);
  SetItemAt(settings, state, kRightSide, AdjustItem::kSlug, 2, 725);
  EXPECT_NEAR(state.slugs[kRightSide].slugs[2].angle * kDegreesPerRadian, 5.0, 1e-9);
  // Out-of-range indexes are ignored.
  MoveItem(settings, state, kRightSide, AdjustItem::kSlug, 20, kCw1);
  SetActualSlugWeight(state, kRightSide, -1, 10.0);
  EXPECT_TRUE(state.slugs[kRightSide].slugsHeld);
}

}  // namespace
}  // namespace balancer
