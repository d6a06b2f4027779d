#include "correction/tolerance.h"

#include <cmath>

#include <gtest/gtest.h>

#include "base/unit_text.h"

namespace balancer {
namespace {

TEST(ToleranceCalculator, WorkedExamples) {
  MachineSettings s;
  ToleranceCalculator calc;
  CalculateTolerance(calc, s);
  EXPECT_NEAR(s.toleranceMoment, 13.64, 1e-9);  // 60 lb, 6000 rpm, class 1

  EnterShaftWeight(calc, s, 0.0);
  EXPECT_DOUBLE_EQ(s.shaftWeightPounds, 0.1);
  EXPECT_NEAR(s.toleranceMoment, 0.02273, 5e-6);
  EnterMaxOperatingRpm(calc, s, 0.0);
  EXPECT_DOUBLE_EQ(s.maxOperatingRpm, 1.0);

  SelectToleranceClass(calc, s, 2);
  EXPECT_EQ(s.toleranceClass, 2);
  EXPECT_DOUBLE_EQ(calc.classFactor, 40.0);

  // A restart forgets the factor even with class 2 stored.
  ToleranceCalculator restarted;
  s.maxOperatingRpm = 6000.0;
  EnterShaftWeight(restarted, s, 60.0);
  EXPECT_NEAR(s.toleranceMoment, 13.64, 1e-9);

  EnterShaftWeight(restarted, s, 1e-9);  // floor of the moment itself
  EnterMaxOperatingRpm(restarted, s, 1e9);
  EXPECT_DOUBLE_EQ(s.toleranceMoment, 0.001);
}

TEST(ToleranceEntry, UnitsAndShaftRadius) {
  MachineSettings s;
  EnterToleranceAtShaftRadius(s, 2.0, 3.0);
  EXPECT_DOUBLE_EQ(s.toleranceMoment, 6.0);
  EXPECT_EQ(ToleranceOnShaftText(s, 3.0), "2.0gm");
  EXPECT_EQ(ToleranceRadiusText(s, 3.0), "3.00\"");

  s.weightUnit = 1;
  s.lengthUnit = 1;
  EnterToleranceDisplay(s, 1.0);  // 1 oz/mm
  EXPECT_NEAR(s.toleranceMoment, 28.349525 / 25.4, 1e-12);
  EXPECT_EQ(ActualToleranceText(s), "1.00");
  EXPECT_STREQ(ToleranceUnitLabel(1, 1), "ounce/mm per side");
  EXPECT_EQ(ToleranceBoxText(s), "1.00 oz/mm");
  EXPECT_EQ(ToleranceRadiusText(s, 3.0), "76mm");

  s.weightUnit = 0;
  s.lengthUnit = 0;
  EnterToleranceDisplay(s, -3.0);
  EXPECT_DOUBLE_EQ(s.toleranceMoment, 0.001);
  EXPECT_EQ(ToleranceBoxText(s), "");
  EnterToleranceDisplay(s, 9.96);
  EXPECT_EQ(ActualToleranceText(s), "10.0");
  EnterToleranceDisplay(s, 13.64);
  EXPECT_EQ(ActualToleranceText(s), "13.64");
  EXPECT_EQ(ToleranceBoxText(s), "13.6 gm/in");
}

TEST(CorrectionText, FormatsFollowTheUnitsIndependently) {
  EXPECT_EQ(AmountText(9.99, 12.0, 0, false), "9.99 grams at 12\xB0");
  EXPECT_EQ(AmountText(9.995, 12.0, 0, false), "10.0 grams at 12\xB0");
  EXPECT_EQ(AmountText(28.0, 12.0, 1, false), "0.988 ounces at 12\xB0");
  EXPECT_EQ(AmountText(28.35, 12.0, 1, true), "Add 1.00 ounces at 12\xB0");
  EXPECT_EQ(LengthText(1.5, 0, false), "1.50\"");
  EXPECT_EQ(LengthText(1.5, 1, true), "38.1mm");
  EXPECT_EQ(DrillText(0.5, 359.4, 0), "Drill 0.500\" deep at 359\xB0");
  // Past 359 the light side wraps; it never shows a negative angle.
  EXPECT_DOUBLE_EQ(AddAngle(179.5), 0.0);
  EXPECT_EQ(AmountText(5.0, AddAngle(179.3), 0, true), "Add 5.00 grams at 0\xB0");
  EXPECT_DOUBLE_EQ(AddAngle(10.0), 190.0);
  EXPECT_DOUBLE_EQ(AddAngle(200.0), 20.0);
  EXPECT_EQ(ProjectionWeightText(12.6, 0), "13 gm");
  EXPECT_EQ(ProjectionWeightText(28.349525, 1), "1.0 oz");
  EXPECT_EQ(ProjectionAngleText(7), "at 7");
  // A huge value is printed whole: its unit and angle are never cut off.
  auto whole = [](const std::string& text, size_t longer, const std::string& end) {
    return text.size() > longer && text.compare(text.size() - end.size(), end.size(), end) == 0;
  };
  EXPECT_TRUE(whole(AmountText(1e200, 45.0, 0, true), 200, ".0 grams at 45\xB0"));
  EXPECT_TRUE(whole(LengthText(1e100, 0, true), 100, ".000\""));
  EXPECT_TRUE(whole(DrillText(1e90, 10.0, 0), 90, ".000\" deep at 10\xB0"));
  EXPECT_TRUE(whole(SlugText(1e80, 1e80, 10.0, 1), 160, "mm L slug at 10\xB0"));
}

// The lamps and the printed verdict share this test: the tolerance itself
// is within, anything above or not a number is not.
TEST(Tolerance, AMomentAtTheToleranceIsWithinAndNotANumberNever) {
  EXPECT_TRUE(WithinTolerance(13.64, 13.64));
  EXPECT_TRUE(WithinTolerance(0.0, 0.001));
  EXPECT_FALSE(WithinTolerance(13.641, 13.64));
  EXPECT_FALSE(WithinTolerance(std::nan(""), 13.64));
}

}  // namespace
}  // namespace balancer
