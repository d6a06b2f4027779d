#include <gtest/gtest.h>

#include "records/settings_file.h"

namespace balancer {
namespace {

TEST(RangeLimit, DefaultsPassUnchangedAndSilently) {
  MachineSettings s;
  RecordingOperatorUi ui;
  RangeLimit(s, &ui);
  EXPECT_EQ(FormatSettings(s), FormatSettings(MachineSettings{}));
  EXPECT_TRUE(ui.messages.empty());
}

TEST(RangeLimit, ScalarLimits) {
  MachineSettings s;
  s.shaftRpm = 40;
  s.sampleQuality = 0;
  s.uprightDistance = 250;
  s.planeOffsetLeft = 300;
  s.planeOffsetRight = -150;
  s.heavyMetalDensity = 340;
  s.cwThicknessLeft = 7;
  s.slugLengthRight = 6;
  s.slugWebThickness = 4;
  s.drillDiameterRight = 2.5;
  s.maxDrillDepthLeft = 0.0;
  s.maxDrillDepthRight = 12;
  RangeLimit(s, nullptr);
  EXPECT_EQ(s.shaftRpm, 250);
  EXPECT_EQ(s.sampleQuality, 1);
  EXPECT_DOUBLE_EQ(s.uprightDistance, 200);
  EXPECT_DOUBLE_EQ(s.planeOffsetLeft, 200);
  EXPECT_DOUBLE_EQ(s.planeOffsetRight, -100);
  EXPECT_DOUBLE_EQ(s.heavyMetalDensity, 320);
  EXPECT_DOUBLE_EQ(s.cwThicknessLeft, 5);
  EXPECT_DOUBLE_EQ(s.slugLengthRight, 5);
  EXPECT_DOUBLE_EQ(s.slugWebThickness, 3);
  EXPECT_DOUBLE_EQ(s.drillDiameterRight, 2);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 0.01);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthRight, 10);

  s.shaftRpm = 5000;
  s.sampleQuality = 7;
  s.heavyMetalDensity = 100;
  RangeLimit(s, nullptr);
  EXPECT_EQ(s.shaftRpm, 1000);
  EXPECT_EQ(s.sampleQuality, 3);
  EXPECT_DOUBLE_EQ(s.heavyMetalDensity, 250);
}

TEST(RangeLimit, LargeRadiusIsToldAndLimited) {
  MachineSettings s;
  s.shaftRadiusLeft = 40;
  s.correctionRadiusLeft = 30;
  s.drillRadiusLeft = 30;
  s.slugRadiusLeft = 30;
  s.singlePlaneSet.correctionRadiusRight = 26;
  RecordingOperatorUi ui;
  RangeLimit(s, &ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Attention");
  EXPECT_EQ(ui.messages[0].text,
            "You have entered a very large radius.\n"
            "The radius entry has been limited.\n\n"
            "Please double-check the radius settings in\n"
            "Drill Setup and Heavy Metal Setup.");
  EXPECT_DOUBLE_EQ(s.shaftRadiusLeft, 25);
  EXPECT_DOUBLE_EQ(s.correctionRadiusLeft, 25);
  EXPECT_DOUBLE_EQ(s.drillRadiusLeft, 25 - 0.05 - 0.375);
  EXPECT_DOUBLE_EQ(s.slugRadiusLeft, 25);
  // The single-plane correction radius also stays within its shaft radius.
  EXPECT_DOUBLE_EQ(s.singlePlaneSet.correctionRadiusRight, 3.5);

  // A slug radius alone above 25 is limited without the message.
  MachineSettings t;
  t.shaftRadiusLeft = 24;
  t.slugRadiusLeft = 26;
  RecordingOperatorUi quiet;
  RangeLimit(t, &quiet);
  EXPECT_TRUE(quiet.messages.empty());
  EXPECT_DOUBLE_EQ(t.slugRadiusLeft, 24);
}

TEST(RangeLimit, RadiiStayInsideTheShaft) {
  MachineSettings s;
  s.shaftRadiusRight = 0.1;
  s.correctionRadiusRight = 0.0;
  s.slugRadiusRight = 5.0;
  s.drillRadiusRight = 3.4;
  s.drillDiameterRight = 1.0;
  RangeLimit(s, nullptr);
  EXPECT_DOUBLE_EQ(s.shaftRadiusRight, 0.2);
  EXPECT_DOUBLE_EQ(s.correctionRadiusRight, 0.1);
  EXPECT_DOUBLE_EQ(s.slugRadiusRight, 0.2);
  // Inside the shaft would be 0.2 - 0.05 - 0.5, below zero: the smallest
  // radius instead.
  EXPECT_DOUBLE_EQ(s.drillRadiusRight, 0.1);
}

TEST(RangeLimit, HoldsTheValuesOutsideTheRecord) {
  double holeLeft = 11, holeRight = 3, testDiameter = 2.5, testLength = 16, slugLeft = 2500,
         slugRight = 10;
  LimiterExtras extras{&holeLeft, &holeRight, &testDiameter, &testLength, &slugLeft, &slugRight};
  MachineSettings s;
  RangeLimit(s, nullptr, &extras);
  EXPECT_DOUBLE_EQ(holeLeft, 10);
  EXPECT_DOUBLE_EQ(holeRight, 3);
  EXPECT_DOUBLE_EQ(testDiameter, 2);
  EXPECT_DOUBLE_EQ(testLength, 15);
  EXPECT_DOUBLE_EQ(slugLeft, 2000);
  EXPECT_DOUBLE_EQ(slugRight, 10);
}

TEST(UprightDistanceRule, KeepsThePlaneGeometrySolvable) {
  MachineSettings s;
  s.uprightDistance = 0.1;
  ApplyUprightDistanceRule(s);
  EXPECT_DOUBLE_EQ(s.uprightDistance, 0.201);

  s.uprightDistance = 10;
  s.planeOffsetLeft = 10;
  s.planeOffsetRight = -5;
  ApplyUprightDistanceRule(s);
  EXPECT_DOUBLE_EQ(s.planeOffsetLeft, 9.999);
  EXPECT_DOUBLE_EQ(s.planeOffsetRight, -5);

  s.planeOffsetLeft = 5;
  s.planeOffsetRight = 4.9;
  ApplyUprightDistanceRule(s);
  EXPECT_DOUBLE_EQ(s.planeOffsetLeft, 0);
  EXPECT_DOUBLE_EQ(s.planeOffsetRight, 0);
}

}  // namespace
}  // namespace balancer
