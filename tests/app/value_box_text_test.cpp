#include "app/value_box_text.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

TEST(ValueBoxText, LengthsFollowTheLengthUnit) {
  MachineSettings s;
  s.uprightDistance = 18.0;
  s.planeOffsetLeft = -0.5;
  EXPECT_EQ(ValueBoxText(131, s), "18.000\"");
  EXPECT_EQ(ValueBoxText(132, s), "-0.500\"");
  s.lengthUnit = 1;
  EXPECT_EQ(ValueBoxText(131, s), "457.2mm");
}

TEST(ValueBoxText, WeightsFollowTheWeightUnit) {
  MachineSettings s;
  s.defaultOilWeight = 5.0;
  EXPECT_EQ(ValueBoxText(118, s), "5.0");
  s.weightUnit = 1;
  s.defaultOilWeight = 28.349525;
  EXPECT_EQ(ValueBoxText(118, s), "1.00");
}

TEST(ValueBoxText, RadiusBoxesByCompensationAndHeavyMetal) {
  MachineSettings s;
  s.correctionRadiusLeft = 3.5;
  s.drillRadiusLeft = 3.025;
  s.correctionRadiusRight = 3.6;
  s.drillRadiusRight = 3.1;
  s.slugRadiusLeft = 2.85;
  s.radialCompensation = 0;
  EXPECT_EQ(ValueBoxText(100, s), "3.025\"");
  EXPECT_EQ(ValueBoxText(101, s), "3.100\"");
  s.radialCompensation = 1;
  EXPECT_EQ(ValueBoxText(100, s), "3.500\"");
  EXPECT_EQ(ValueBoxText(101, s), "3.600\"");
  ValueBoxSides sides;
  sides.outsideZoneLeft = true;
  EXPECT_EQ(ValueBoxText(100, s, sides), "2.850\"");
  EXPECT_EQ(ValueBoxText(101, s, sides), "3.600\"");
}

TEST(ValueBoxText, PlainNumbersToleranceSideWeightsAndUnknownCodes) {
  MachineSettings s;
  s.shaftRpm = 500;
  s.calibrationFactorLeft = 2.0;
  s.heavyMetalDensity = 278.6;
  EXPECT_EQ(ValueBoxText(112, s), "500");
  EXPECT_EQ(ValueBoxText(124, s), "2.00");
  s.toleranceMoment = 13.64;
  EXPECT_EQ(ValueBoxText(305, s), "278.6");
  EXPECT_EQ(ValueBoxText(113, s), "13.6 gm/in");
  s.weightUnit = 1;
  EXPECT_EQ(ValueBoxText(241, s), "0.48 oz/in");
  s.sideWeightRight = 22.0462;
  EXPECT_EQ(ValueBoxText(263, s), "22.0");
  s.lengthUnit = 1;
  EXPECT_EQ(ValueBoxText(263, s), "10.0");
  EXPECT_EQ(ValueBoxText(141, s), "");
  EXPECT_EQ(ValueBoxText(9999, s), "");
}

}  // namespace
}  // namespace balancer
