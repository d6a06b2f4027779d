// A plan carried out on the simulated rotor cancels the unbalance it was
// planned for (readings taken straight from the rotor, no spin).
#include "sim/rotor_corrections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "correction/vector_math.h"
#include "device/clock.h"

namespace balancer {
namespace {

struct Rig {
  Rig() {
    config.uprightSpacing = 20.0;
    config.leftPlane = 3.0;
    config.rightPlane = 16.0;
    config.leftUnbalance = 600.0;
    config.leftAngle = 75.0;
    config.rightUnbalance = 900.0;
    config.rightAngle = 250.0;
    control = std::make_unique<sim::SimulatedControl>(clock, config);
    SetBalancingMode(settings, 1);
    settings.uprightDistance = 20.0;
    settings.planeOffsetLeft = 2.0;
    settings.planeOffsetRight = 2.0;
    settings.toleranceMoment = 13.64;
  }
  void Read(PlaneReading& l, PlaneReading& r) {
    control->UprightUnbalance(sim::Side::kLeft, l.amount, l.angle);
    control->UprightUnbalance(sim::Side::kRight, r.amount, r.angle);
  }
  CorrectionResult PlanAndApply() {
    PlaneReading l, r;
    Read(l, r);
    state.readingsPresent = true;
    CorrectionResult result = RunCorrectionPass(l, r, settings, zones, state, nullptr);
    sim::ApplyCorrections(*control, result, settings, state, sim::PlanesFromSettings(settings));
    return result;
  }
  VirtualClock clock;
  sim::SimConfig config;
  std::unique_ptr<sim::SimulatedControl> control;
  MachineSettings settings;
  CorrectionZones zones;
  CorrectionState state;
};

TEST(RotorCorrections, DrilledPlanCancelsTheUnbalance) {
  for (int radial = 0; radial < 2; ++radial) {
    for (int point = 0; point < 2; ++point) {
      Rig rig;
      rig.settings.radialCompensation = radial;
      SetDrillPoint(rig.state, rig.settings, point != 0);
      CorrectionResult first = rig.PlanAndApply();
      ASSERT_EQ(first.left.method, CorrectionMethod::kDrill);
      ASSERT_EQ(first.right.method, CorrectionMethod::kDrill);
      PlaneReading l, r;
      rig.Read(l, r);
      EXPECT_LT(l.amount, 0.01 * 600.0) << radial << point;
      EXPECT_LT(r.amount, 0.01 * 900.0) << radial << point;
    }
  }
}

TEST(RotorCorrections, SlugsAndTheirRemainderBalanceTheShaftInOneRun) {
  for (int radial = 0; radial < 2; ++radial) {
    Rig rig;
    rig.settings.radialCompensation = radial;
    rig.zones.zoneStartRight = 0;
    rig.zones.zoneEndRight = 160;  // heavy spot of the right plane lies outside
    CorrectionResult first = rig.PlanAndApply();
    ASSERT_EQ(first.right.method, CorrectionMethod::kSlug);
    ASSERT_GT(first.right.slugs.SlugCount(), 0);
    ASSERT_GT(first.right.slugs.extraWeight * 3.5, 5.0 * rig.settings.toleranceMoment);
    CorrectionResult second = rig.PlanAndApply();
    EXPECT_TRUE(second.left.inTolerance) << radial;
    EXPECT_TRUE(second.right.inTolerance) << radial << ": " << second.right.plane.moment;
  }
}

TEST(RotorCorrections, ARemainderShowingTheDrillNoticeIsNotDrilled) {
  Rig rig;
  rig.zones.zoneStartRight = 0;
  rig.zones.zoneEndRight = 160;
  rig.settings.maxDrillDepthRight = 0.1;
  StoreWorkingRightToSet(rig.settings);
  PlaneReading l, r;
  rig.Read(l, r);
  rig.state.readingsPresent = true;
  CorrectionResult plan = RunCorrectionPass(l, r, rig.settings, rig.zones, rig.state, nullptr);
  ASSERT_EQ(plan.right.remainderColour, TextColour::kRed);
  EXPECT_TRUE(sim::ShowsDrillNotice(plan.right));
  int slugs = 0;
  for (const sim::PointMass& m :
       sim::MassesForCorrections(plan, rig.settings, rig.state, {2.0, 18.0})) {
    if (m.axial == 18.0) {
      EXPECT_GT(m.grams, 0.0);  // slugs only, no hole
      ++slugs;
    }
  }
  EXPECT_EQ(slugs, plan.right.slugs.SlugCount());
}

TEST(RotorCorrections, NothingIsDoneForRedNoticesOrTolerance) {
  Rig rig;
  CorrectionResult r;
  r.twoPlaneMode = true;
  r.left.active = r.right.active = true;
  r.left.colour = TextColour::kRed;
  r.left.method = CorrectionMethod::kDrill;
  r.left.drill.holeCount = 1;
  r.left.drill.holes[0] = {0.0, 0.75, 1.0};
  r.right.colour = TextColour::kTolerance;
  r.right.method = CorrectionMethod::kWeight;
  r.right.grams = 5.0;
  EXPECT_TRUE(sim::MassesForCorrections(r, rig.settings, rig.state, {2.0, 18.0}).empty());
  r.right.colour = TextColour::kDefault;
  r.right.addMode = true;
  r.right.radius = 3.0;
  r.right.plane.displayAngle = 10.0;
  auto masses = sim::MassesForCorrections(r, rig.settings, rig.state, {2.0, 18.0});
  ASSERT_EQ(masses.size(), 1u);
  EXPECT_DOUBLE_EQ(masses[0].grams, 5.0);
  EXPECT_DOUBLE_EQ(masses[0].angle, 190.0);
  EXPECT_DOUBLE_EQ(masses[0].axial, 18.0);
}

TEST(DrillNotice, TheOperatorTakesTheNextDrillThenGoesDeeper) {
  MachineSettings s;
  sim::DrillToolbox box;
  box.drills = {1.0, 0.5, 0.875};  // however the table is ordered
  s.drillDiameterLeft = 0.75;
  EXPECT_EQ(sim::IncreaseDrillOrDepth(s, sim::Side::kLeft, box), sim::DrillChange::kLargerDrill);
  EXPECT_DOUBLE_EQ(s.drillDiameterLeft, 0.875);
  EXPECT_EQ(sim::IncreaseDrillOrDepth(s, sim::Side::kLeft, box), sim::DrillChange::kLargerDrill);
  EXPECT_DOUBLE_EQ(s.drillDiameterLeft, 1.0);
  // The bigger hole stays inside the counterweight.
  EXPECT_DOUBLE_EQ(s.drillRadiusLeft, 3.5 - 0.05 - 0.5);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 1.5);
  EXPECT_EQ(sim::IncreaseDrillOrDepth(s, sim::Side::kLeft, box), sim::DrillChange::kDeeper);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 1.75);
  EXPECT_EQ(sim::IncreaseDrillOrDepth(s, sim::Side::kLeft, box), sim::DrillChange::kDeeper);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 2.0);
  EXPECT_EQ(sim::IncreaseDrillOrDepth(s, sim::Side::kLeft, box), sim::DrillChange::kNone);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 2.0);
  EXPECT_DOUBLE_EQ(s.drillDiameterLeft, 1.0);
  // The other side was not touched; a right-side change is kept in its set.
  EXPECT_DOUBLE_EQ(s.drillDiameterRight, 0.75);
  EXPECT_EQ(sim::IncreaseDrillOrDepth(s, sim::Side::kRight, box), sim::DrillChange::kLargerDrill);
  EXPECT_DOUBLE_EQ(s.twoPlaneSet.drillDiameterRight, 0.875);
  EXPECT_DOUBLE_EQ(s.twoPlaneSet.drillRadiusRight, s.drillRadiusRight);
}

TEST(DrillNotice, FollowingItPlansAgainUntilItIsGone) {
  Rig rig;
  rig.zones.zoneStartRight = 0;
  rig.zones.zoneEndRight = 90;
  PlaneReading l{100.0, 45.0}, r{700.0, 30.0};
  PlaneReading lCopy = l, rCopy = r;
  rig.state.readingsPresent = true;
  CorrectionResult result =
      RunCorrectionPass(lCopy, rCopy, rig.settings, rig.zones, rig.state, nullptr);
  ASSERT_TRUE(sim::ShowsDrillNotice(result.right));
  sim::NoticeAnswers answers =
      sim::FollowDrillNotice(l, r, rig.settings, rig.zones, rig.state, result, sim::DrillToolbox{});
  EXPECT_FALSE(sim::ShowsDrillNotice(result.right));
  EXPECT_TRUE(answers.changed[1]);
  EXPECT_FALSE(answers.changed[0]);
  EXPECT_GT(answers.largerDrills, 0);
  EXPECT_GT(rig.settings.drillDiameterRight, 0.75);
  EXPECT_DOUBLE_EQ(rig.settings.drillDiameterLeft, 0.75);
  // The result is the pass with the new drill, on the same reading.
  EXPECT_EQ(result.right.method, CorrectionMethod::kDrill);
  EXPECT_EQ(result.right.drill.holes[0].diameter, rig.settings.drillDiameterRight);
  EXPECT_GT(result.right.drill.holeCount, 0);

  // A correction no drill in the box can take: everything is tried, the
  // notice stays.
  rig.zones.zoneStartRight = rig.zones.zoneEndRight = 0;
  l = {100.0, 45.0};
  r = {20000.0, 30.0};
  lCopy = l;
  rCopy = r;
  result = RunCorrectionPass(lCopy, rCopy, rig.settings, rig.zones, rig.state, nullptr);
  ASSERT_TRUE(sim::ShowsDrillNotice(result.right));
  sim::DrillToolbox box;
  answers = sim::FollowDrillNotice(l, r, rig.settings, rig.zones, rig.state, result, box);
  EXPECT_TRUE(sim::ShowsDrillNotice(result.right));
  EXPECT_DOUBLE_EQ(rig.settings.drillDiameterRight, box.drills.back());
  EXPECT_DOUBLE_EQ(rig.settings.maxDrillDepthRight, box.deepestHole);
}

}  // namespace
}  // namespace balancer
