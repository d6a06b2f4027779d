#include "correction/setup_entries.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

TEST(SetupEntries, DrillDiameterFollowsTheTipAndLimitsTheRadius) {
  MachineSettings s;
  SetBalancingMode(s, 1);
  CorrectionState state;
  SetDrillPoint(state, s, true);
  ApplyDrillDiameterEntry(s, state, kLeftSide, 1.0);
  EXPECT_DOUBLE_EQ(state.tipAllowance[kLeftSide], 0.25476275);
  EXPECT_DOUBLE_EQ(s.drillRadiusLeft, 3.5 - 0.05 - 0.5);
  EXPECT_DOUBLE_EQ(s.drillDiameterRight, 0.75);  // two-plane: one side only

  SetBalancingMode(s, 0);
  ApplyDrillDiameterEntry(s, state, kRightSide, 0.5);
  EXPECT_DOUBLE_EQ(s.drillDiameterLeft, 0.5);
  EXPECT_DOUBLE_EQ(s.singlePlaneSet.drillDiameterRight, 0.5);
}

TEST(SetupEntries, RadialSwitchAndDepthReleaseHeldHoles) {
  MachineSettings s;
  SetBalancingMode(s, 1);
  s.maxDrillDepthLeft = 5.0;
  CorrectionState state;
  state.drill[kLeftSide].holesHeld = state.drill[kRightSide].holesHeld = true;
  ToggleRadialCompensation(s, state);
  EXPECT_EQ(s.radialCompensation, 1);
  EXPECT_EQ(s.twoPlaneSet.radialCompensation, 1);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 3.5);
  EXPECT_FALSE(state.drill[kLeftSide].holesHeld);
  state.drill[kRightSide].holesHeld = true;
  ApplyMaxDepthEntry(s, state, kRightSide, 1.0);
  EXPECT_FALSE(state.drill[kRightSide].holesHeld);
  EXPECT_DOUBLE_EQ(s.twoPlaneSet.maxDrillDepthRight, 1.0);
}

TEST(SetupEntries, SlugDiameterMovesRadiusAndPlannedSlugs) {
  MachineSettings s;
  CorrectionState state;
  state.slugs[kLeftSide].slugs[0].diameter = 1.0;
  state.slugs[kLeftSide].slugs[1].diameter = 0.5;  // changed by hand
  ApplySlugDiameterEntry(s, state, kLeftSide, 0.75);
  EXPECT_DOUBLE_EQ(s.slugRadiusLeft, 3.5 - 0.15 - 0.375);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].slugs[0].diameter, 0.75);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].slugs[1].diameter, 0.5);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].slugs[2].diameter, 0.0);
}

}  // namespace
}  // namespace balancer
