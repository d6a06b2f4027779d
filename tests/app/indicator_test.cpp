// The Indicator's decisions: keys by mode, the reading text, the planned
// depths of a side and where everything lands on the ruler.
#include "app/indicator.h"

#include <gtest/gtest.h>

namespace balancer {
namespace {

TEST(Indicator, KeysAndButtonsLeftAndRightOnlyInTwoPlaneMode) {
  EXPECT_EQ(IndicatorKey('l', true), IndicatorPress::kLeft);
  EXPECT_EQ(IndicatorKey('R', true), IndicatorPress::kRight);
  EXPECT_EQ(IndicatorKey('l', false), IndicatorPress::kNone);
  EXPECT_EQ(IndicatorKey('r', false), IndicatorPress::kNone);
  EXPECT_EQ(IndicatorKey('z', false), IndicatorPress::kZero);
  EXPECT_EQ(IndicatorKey('E', false), IndicatorPress::kExit);
  EXPECT_EQ(IndicatorKey('x', true), IndicatorPress::kNone);
  EXPECT_EQ(IndicatorButton(257, true), IndicatorPress::kLeft);
  EXPECT_EQ(IndicatorButton(258, false), IndicatorPress::kNone);
  EXPECT_EQ(IndicatorButton(51, false), IndicatorPress::kZero);
  EXPECT_EQ(IndicatorButton(56, true), IndicatorPress::kExit);
  EXPECT_EQ(InitialIndicatorSide(true), 1);
  EXPECT_EQ(InitialIndicatorSide(false), 0);
}

TEST(Indicator, PlaceFollowsTheModeAndTheStatusField) {
  IndicatorPlace two = IndicatorPlaceFor(true);
  EXPECT_EQ(two.x, 485);
  EXPECT_EQ(two.y, 84 + 67 + 6);
  IndicatorPlace one = IndicatorPlaceFor(false);
  EXPECT_EQ(one.x, 710);
  EXPECT_EQ(one.y, 80);
}

TEST(Indicator, ReadingInTheFineLengthFormatOrError) {
  MachineSettings s;
  s.optionEncoderResolution = 1000.0;
  EXPECT_EQ(IndicatorReadingText(1250, s), "1.250\"");
  EXPECT_EQ(IndicatorReadingText(-500, s), "-0.500\"");
  EXPECT_EQ(IndicatorReadingText(kIndicatorError, s), "ERROR");
  s.lengthUnit = 1;
  EXPECT_EQ(IndicatorReadingText(1250, s), "31.8mm");
  // A resolution that is not a number of counts shows zero, never inf.
  s.optionEncoderResolution = 0.0;
  EXPECT_EQ(IndicatorReadingText(1250, s), "0.0mm");
}

SideCorrection DrilledSide() {
  SideCorrection side;
  side.method = CorrectionMethod::kDrill;
  side.drill.holes[0] = {0.1, 0.5, 0.75};
  side.drill.holes[1] = {0.3, 0.5, 0.75};
  side.drill.holes[2] = {0.5, 0.5, 1.375};  // one deepened by hand
  side.drill.holeCount = 3;
  return side;
}

TEST(Indicator, PlannedDepthsEachOnceDeepestLast) {
  std::vector<double> depths = PlannedDepths(DrilledSide());
  ASSERT_EQ(depths.size(), 2u);
  EXPECT_DOUBLE_EQ(depths[0], 0.75);
  EXPECT_DOUBLE_EQ(depths[1], 1.375);

  SideCorrection slugs;
  slugs.method = CorrectionMethod::kSlug;
  slugs.slugs.slugs[0] = {0.2, 1.0, 0.625, 0.0};
  slugs.slugs.slugs[1] = {0.4, 1.0, 0.625, 0.0};
  ASSERT_EQ(PlannedDepths(slugs).size(), 1u);
  EXPECT_DOUBLE_EQ(PlannedDepths(slugs)[0], 1.0);
  // The holes that drill away the slugs' remainder go in the same run.
  slugs.remainder = DrilledSide().drill;
  slugs.remainderText = "Drill 0.750\" deep at 60\xB0";
  ASSERT_EQ(PlannedDepths(slugs).size(), 3u);
  EXPECT_DOUBLE_EQ(PlannedDepths(slugs)[0], 0.75);
  EXPECT_DOUBLE_EQ(PlannedDepths(slugs)[1], 1.0);
  EXPECT_DOUBLE_EQ(PlannedDepths(slugs)[2], 1.375);
  // Not while the remainder cannot be drilled.
  slugs.remainderText = "Increase drill size or max drill depth";
  slugs.remainder.capacityOverflow = true;
  ASSERT_EQ(PlannedDepths(slugs).size(), 1u);

  SideCorrection weight;  // a weight to add has no depth
  weight.drill = DrilledSide().drill;
  EXPECT_TRUE(PlannedDepths(weight).empty());
}

TEST(Indicator, RulerCoversTheDepthsAndThePointerFollowsTheReading) {
  MachineSettings s;
  s.optionEncoderResolution = 1000.0;
  IndicatorView v = BuildIndicatorView(700, s, DrilledSide(), 1);
  EXPECT_EQ(v.caption, "Absolute Position");
  EXPECT_DOUBLE_EQ(v.fullScale, 2.0);
  EXPECT_EQ(v.fullScaleText, "2.00\"");
  ASSERT_EQ(v.marks.size(), 2u);
  EXPECT_EQ(v.marks[0].text, "0.750\"");
  EXPECT_EQ(v.marks[0].y, 51 + 73);  // 0.75 / 2 of 194
  EXPECT_EQ(v.marks[1].y, 51 + 133);
  EXPECT_FALSE(v.rightAligned);
  EXPECT_TRUE(v.pointerShown);
  EXPECT_EQ(v.pointerY, 51 + 68);
  ASSERT_EQ(v.ticks.size(), 21u);
  EXPECT_TRUE(v.ticks.front().major);
  EXPECT_EQ(v.ticks.back().y, 245);

  // The right side's texts are right-aligned; an error hides the pointer.
  IndicatorView e = BuildIndicatorView(kIndicatorError, s, DrilledSide(), 0);
  EXPECT_TRUE(e.error);
  EXPECT_EQ(e.readingText, "ERROR");
  EXPECT_FALSE(e.pointerShown);
  EXPECT_TRUE(e.rightAligned);

  // Past the deepest plan the ruler grows; in millimetres by 25 mm.
  s.lengthUnit = 1;
  IndicatorView mm = BuildIndicatorView(2600, s, SideCorrection{}, 1);
  EXPECT_NEAR(mm.fullScale * 25.4, 75.0, 1e-9);
  EXPECT_EQ(mm.fullScaleText, "75mm");
  EXPECT_EQ(mm.pointerY, 51 + 171);  // 66.04 mm of 75 mm of 194 units
}

}  // namespace
}  // namespace balancer
