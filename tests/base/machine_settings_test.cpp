#include "base/machine_settings.h"

#include <gtest/gtest.h>

#include "records/settings_bridge.h"

namespace balancer {
namespace {

TEST(MachineSettings, ModeChangeKeepsEachModesRightSide) {
  MachineSettings s;
  s.twoPlaneMode = 1;
  CopyWorkingRightFromSet(s);
  s.shaftRadiusRight = 4.5;
  s.radialCompensation = 1;
  SetBalancingMode(s, 0);
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 3.5);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthRight, 0.5);
  EXPECT_EQ(s.radialCompensation, 0);
  SetBalancingMode(s, 1);
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 4.5);
  EXPECT_EQ(s.radialCompensation, 1);
}

TEST(MachineSettings, MaterialCycles) {
  MachineSettings s;
  s.drillMaterial = kMaterialSteel;
  s.counterweightMaterial = kMaterialSteel;
  CycleDrillMaterial(s);  // tungsten: the counterweight stays steel
  EXPECT_EQ(s.drillMaterial, kMaterialTungsten);
  EXPECT_EQ(s.counterweightMaterial, kMaterialSteel);
  CycleDrillMaterial(s);
  CycleDrillMaterial(s);
  EXPECT_EQ(s.drillMaterial, kMaterialCastNodular);
  EXPECT_EQ(s.counterweightMaterial, kMaterialCastNodular);
  CycleCounterweightMaterial(s);
  EXPECT_EQ(s.drillMaterial, kMaterialSteel);
  EXPECT_EQ(s.counterweightMaterial, kMaterialSteel);
  EXPECT_DOUBLE_EQ(MaterialDensity(s, kMaterialTungsten), 278.6);
  EXPECT_STREQ(MaterialName(kMaterialAluminum), "Aluminum");
}

TEST(MachineSettings, ControlConfigRoundTrip) {
  MachineSettings s;
  s.lagCompensationLeft = -3.5;
  s.calibrationFactorRight = 2.125;
  s.sensorType = 3;
  s.suspension = 1;
  s.encoderCountIndex = 3;
  s.encoderDirection = 0;
  s.spareValueA = 7.5;
  MachineSettings t;
  ApplyControlConfig(t, ControlConfigFromSettings(s));
  EXPECT_DOUBLE_EQ(t.lagCompensationLeft, -3.5);
  EXPECT_DOUBLE_EQ(t.calibrationFactorRight, 2.125);
  EXPECT_EQ(t.sensorType, 3);
  EXPECT_EQ(t.suspension, 1);
  EXPECT_EQ(t.encoderCountIndex, 3);
  EXPECT_EQ(t.encoderDirection, 0);
  EXPECT_DOUBLE_EQ(t.spareValueA, 7.5);
}

TEST(MachineSettings, OutOfRangeIndexesFallBack) {
  EXPECT_EQ(HeaderTextRgb(9).r, 255);  // red, as index 1
  EXPECT_EQ(HeaderTextRgb(5).b, 132);
  MachineSettings s;
  s.scaleType = 12;
  LimitScaleType(s, 9);
  EXPECT_EQ(s.scaleType, 0);
  s.reluctorType = 5;
  s.customReluctorWeight = 40;
  s.customReluctorAngle = 90;
  SetSimulatedReluctor(s);
  EXPECT_DOUBLE_EQ(s.simulatedReluctorWeight, 40);
  EXPECT_DOUBLE_EQ(s.simulatedReluctorAngle, 90);
}

}  // namespace
}  // namespace balancer
