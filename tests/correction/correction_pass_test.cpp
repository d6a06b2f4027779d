#include "correction/correction_pass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "base/unit_text.h"
#include "correction/vector_math.h"
#include "correction/zones.h"

namespace balancer {
namespace {

class PassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.twoPlaneMode = 1;
    settings.toleranceMoment = 13.64;
    CopyWorkingRightFromSet(settings);
    state.readingsPresent = true;
  }
  CorrectionResult Pass(double lm, double la, double rm, double ra) {
    PlaneReading l{lm, la}, r{rm, ra};
    return RunCorrectionPass(l, r, settings, zones, state, &ui);
  }
  MachineSettings settings;
  CorrectionZones zones;
  CorrectionState state;
  RecordingOperatorUi ui;
};

TEST_F(PassTest, DrillAndToleranceTexts) {
  CorrectionResult r = Pass(100.0, 45.0, 5.0, 10.0);
  EXPECT_EQ(r.left.method, CorrectionMethod::kDrill);
  EXPECT_EQ(r.left.text, "Drill 0.582\" deep at 45\xB0");
  EXPECT_FALSE(r.left.inTolerance);
  EXPECT_EQ(r.right.text, "In Tolerance");
  EXPECT_EQ(r.right.colour, TextColour::kTolerance);
  EXPECT_TRUE(r.right.inTolerance);
  EXPECT_NEAR(r.left.grams, 100.0 / 3.025, 1e-9);

  settings.lengthUnit = 1;
  r = Pass(100.0, 45.0, 5.0, 10.0);
  EXPECT_EQ(r.left.text, "Drill 14.8mm deep at 45\xB0");
  // Without readings there is no tolerance notice.
  state.readingsPresent = false;
  r = Pass(100.0, 45.0, 5.0, 10.0);
  EXPECT_NE(r.right.text, "In Tolerance");
}

TEST_F(PassTest, AddTextsInBothUnits) {
  state.add[kLeftSide] = true;
  CorrectionResult r = Pass(100.0, 45.0, 300.0, 359.7);
  EXPECT_EQ(r.left.method, CorrectionMethod::kWeight);
  EXPECT_EQ(r.left.text, "Add 33.1 grams at 225\xB0");
  EXPECT_DOUBLE_EQ(r.right.plane.displayAngle, 0.0);
  state.add[kRightSide] = true;
  settings.weightUnit = 1;
  r = Pass(100.0, 45.0, 20.0, 200.0);
  EXPECT_EQ(r.left.text, "Add 1.17 ounces at 225\xB0");
  EXPECT_EQ(r.right.text, "Add 0.233 ounces at 20\xB0");
  settings.weightUnit = 0;
  r = Pass(100.0, 45.0, 20.0, 200.0);
  EXPECT_EQ(r.right.text, "Add 6.61 grams at 20\xB0");
}

TEST_F(PassTest, HeavyMetalTexts) {
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  CorrectionResult r = Pass(1000.0, 270.0, 100.0, 45.0);
  ASSERT_TRUE(r.left.plane.outsideZone);
  EXPECT_EQ(r.left.method, CorrectionMethod::kSlug);
  EXPECT_EQ(r.left.text, "1.000\"D x 1.250\"L slug at 67\xB0");
  EXPECT_EQ(r.left.slugs.SlugCount(), 3);
  EXPECT_DOUBLE_EQ(r.left.radius, settings.slugRadiusLeft);
  EXPECT_EQ(r.right.method, CorrectionMethod::kDrill);
  state.selectedSlugSide = kLeftSide;
  state.selectedSlugIndex = 1;
  settings.lengthUnit = 1;
  r = Pass(1000.0, 270.0, 100.0, 45.0);
  EXPECT_EQ(r.left.text, "25.4mm D x 31.8mm L slug at 90\xB0");

  zones.zoneEndLeft = 50;  // no room for any slug
  r = Pass(1000.0, 270.0, 100.0, 45.0);
  EXPECT_EQ(r.left.text, "Projection is off the counterweight");
  EXPECT_EQ(r.left.colour, TextColour::kRed);

  // "Clear All": both sides drill again.
  ClearZones(zones);
  r = Pass(1000.0, 270.0, 100.0, 45.0);
  EXPECT_FALSE(r.left.plane.outsideZone);
  EXPECT_EQ(r.left.slugs.SlugCount(), 0);
  EXPECT_EQ(r.left.method, CorrectionMethod::kDrill);
}

TEST_F(PassTest, SlugRadiusIsLimitedOutsideTheZone) {
  settings.slugRadiusLeft = 3.4;
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  Pass(1000.0, 270.0, 100.0, 45.0);
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 3.5 - 0.15 - 0.5);
  settings.slugRadiusRight = 3.4;
  Pass(1000.0, 270.0, 100.0, 45.0);  // right side drills: untouched
  EXPECT_DOUBLE_EQ(settings.slugRadiusRight, 3.4);
}

TEST_F(PassTest, OverflowShowsTheDrillLimitText) {
  zones.zoneStartRight = 0;
  zones.zoneEndRight = 90;
  CorrectionResult r = Pass(100.0, 45.0, 900.0, 16.0);
  EXPECT_TRUE(r.right.drill.capacityOverflow);
  EXPECT_EQ(r.right.text, "Increase drill size or max drill depth");
  EXPECT_EQ(r.right.colour, TextColour::kRed);
  // The retry never leaves a lowered depth in the settings.
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthRight, 1.5);
}

TEST_F(PassTest, AutoSelectionReportsPerSide) {
  zones = CorrectionZones{30, 150, 30, 150};
  state.autoSelectRequested = true;
  CorrectionResult r = Pass(1000.0, 270.0, 100.0, 45.0);  // only the left is outside
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].text, "No selected slug sizes fall in range for the Left side.");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_FALSE(state.autoSelectRequested);
  EXPECT_DOUBLE_EQ(settings.slugDiameterLeft, 1.0);

  state.autoSelectRequested = true;
  r = Pass(1000.0, 270.0, 1000.0, 270.0);
  ASSERT_EQ(r.messages.size(), 1u);
  EXPECT_EQ(r.messages[0].text,
            "No selected slug sizes fall in range for the\nLeft side and Right side.");

  settings.slugSizeSelected.fill(true);
  state.autoSelectRequested = true;
  r = Pass(1000.0, 270.0, 1000.0, 270.0);
  EXPECT_TRUE(r.messages.empty());
  EXPECT_GE(r.left.slugs.extraWeight, 4.5);
  EXPECT_LE(r.left.slugs.extraWeight, 20.49);
  EXPECT_EQ(r.left.slugs.slugs[0].diameter, settings.slugDiameterLeft);
}

TEST_F(PassTest, ASideWithinToleranceIsNotCorrectedWithHeavyMetal) {
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  CorrectionResult r = Pass(1000.0, 270.0, 100.0, 45.0);
  ASSERT_TRUE(r.left.plane.outsideZone);
  ASSERT_GT(state.slugs[kLeftSide].SlugCount(), 0);
  state.slugs[kLeftSide].slugsHeld = true;  // moved by hand in the adjustment window

  // The next spin finds the side within tolerance, still at an angle outside
  // the zone: nothing to fit, the grams refer to the drill radius, and the
  // held slugs are let go.
  r = Pass(10.0, 270.0, 100.0, 45.0);
  EXPECT_FALSE(r.left.plane.outsideZone);
  EXPECT_FALSE(state.left.outsideZone);
  EXPECT_DOUBLE_EQ(r.left.radius, settings.drillRadiusLeft);
  EXPECT_NEAR(r.left.grams, 10.0 / settings.drillRadiusLeft, 1e-9);
  EXPECT_FALSE(state.slugs[kLeftSide].slugsHeld);
  EXPECT_EQ(r.left.slugs.SlugCount(), 0);
  EXPECT_EQ(r.left.text, "In Tolerance");
  // There is no counterweight to drill at that angle either.
  EXPECT_EQ(r.left.drill.holeCount, 0);
  EXPECT_NE(r.left.method, CorrectionMethod::kSlug);
}

TEST_F(PassTest, SlugsOnlyWhereThePlaneItselfNeedsThem) {
  // Plane offsets of 2 inches: with the right reading eight times the left one
  // at the same angle, the left upright sees the right plane's unbalance and
  // the left plane's own moment is almost nothing.
  settings.planeOffsetLeft = 2.0;
  settings.planeOffsetRight = 2.0;
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  CorrectionResult r = Pass(100.0, 270.0, 799.0, 270.0);
  ASSERT_LT(r.left.plane.moment, 1.0);
  ASSERT_FALSE(r.left.inTolerance);  // the upright reading is well above
  EXPECT_EQ(r.left.slugs.SlugCount(), 0);
  EXPECT_FALSE(r.left.plane.outsideZone);
  EXPECT_NE(r.left.method, CorrectionMethod::kSlug);
  EXPECT_NEAR(r.left.grams, r.left.plane.moment / settings.drillRadiusLeft, 1e-9);

  // A left plane that needs correcting gets its slugs as before.
  r = Pass(300.0, 270.0, 799.0, 270.0);
  ASSERT_GT(r.left.plane.moment, settings.toleranceMoment);
  EXPECT_TRUE(r.left.plane.outsideZone);
  EXPECT_GT(r.left.slugs.SlugCount(), 0);
}

TEST_F(PassTest, ASlugRemainderIsDrilledNotFittedWithMoreSlugs) {
  // Whenever the fan stopped before it ran out of room, the remainder it
  // leaves must pass the drill's own zone test on the next spin; otherwise the
  // operator is sent round for another set of slugs.
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  int cases = 0;
  for (int angle = 0; angle < 360; angle += 3) {
    for (double moment = 100.0; moment <= 1600.0; moment += 75.0) {
      state = CorrectionState{};
      state.readingsPresent = true;
      CorrectionResult r = Pass(moment, angle, 100.0, 45.0);
      if (!r.left.plane.outsideZone) continue;
      const SlugPlan& plan = r.left.slugs;
      ASSERT_GT(plan.SlugCount(), 0) << angle << " " << moment;
      if (plan.SlugCount() == 4) continue;  // the zone holds four slugs at most
      ++cases;
      double rest = plan.extraWeight * settings.shaftRadiusLeft;
      CorrectionResult next = Pass(rest, plan.extraAngle, 100.0, 45.0);
      EXPECT_FALSE(next.left.plane.outsideZone)
          << angle << " " << moment << ": remainder at " << plan.extraAngle;
    }
  }
  EXPECT_GT(cases, 100);
}

// What the slugs and the remainder's holes of the left side leave of its
// correction, gram-inches (holes without the drill point).
double LeftResidual(const MachineSettings& s, const SideCorrection& side) {
  double x = side.plane.moment * std::cos(side.plane.angle / kDegreesPerRadian);
  double y = side.plane.moment * std::sin(side.plane.angle / kDegreesPerRadian);
  for (const SlugRecord& slug : side.slugs.slugs) {
    if (!(slug.diameter > 0.0)) continue;
    double bore = kPi * slug.diameter * slug.diameter / 4.0;
    double m = (bore * slug.length * s.heavyMetalDensity - bore * s.cwThicknessLeft * 117.0) *
               s.slugRadiusLeft;
    x += m * std::cos(slug.angle);
    y += m * std::sin(slug.angle);
  }
  double density = MaterialDensity(s, s.drillMaterial);
  for (int j = 0; j < side.remainder.holeCount; ++j) {
    const DrillHole& h = side.remainder.holes[j];
    double grams = kPi * h.diameter * h.diameter / 4.0 * h.depth * density;
    double lever =
        s.radialCompensation ? s.correctionRadiusLeft - h.depth / 2.0 : s.drillRadiusLeft;
    x -= grams * lever * std::cos(h.angle);
    y -= grams * lever * std::sin(h.angle);
  }
  return std::sqrt(x * x + y * y);
}

TEST_F(PassTest, SlugsAndTheRemaindersHolesCancelTheSideInOneRun) {
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  for (int radial = 0; radial < 2; ++radial) {
    settings.radialCompensation = radial;
    int drilled = 0;
    for (int angle = 0; angle < 360; angle += 5) {
      for (double moment = 100.0; moment <= 1600.0; moment += 100.0) {
        state = CorrectionState{};
        state.readingsPresent = true;
        CorrectionResult r = Pass(moment, angle, 100.0, 45.0);
        const SideCorrection& left = r.left;
        if (!left.plane.outsideZone || left.slugs.SlugCount() == 0) continue;
        const SlugPlan& slugs = left.slugs;
        if (!slugs.extraInZone) {
          EXPECT_EQ(left.remainder.holeCount, 0);
          EXPECT_TRUE(left.remainderText.empty());
          continue;
        }
        if (left.remainder.capacityOverflow) continue;
        // Just inside a bound it gets no holes (tested on its own).
        int halfWidth = ZoneHalfWidth(settings.drillDiameterLeft, settings.shaftRadiusLeft,
                                      settings.maxDrillDepthLeft, 0.0);
        if (OutsideZone(slugs.extraAngle, slugs.extraWeight, 30, 150, halfWidth)) continue;
        ++drilled;
        ASSERT_GT(left.remainder.holeCount, 0) << angle << " " << moment;
        EXPECT_EQ(left.remainderText,
                  DrillText(left.remainder.holeDepth, slugs.extraAngle, settings.lengthUnit));
        EXPECT_EQ(left.remainderColour, TextColour::kDefault);
        // The remainder's angle is whole degrees and its depth is searched in
        // steps: what is left is a small share of the remainder.
        double rest = slugs.extraWeight * settings.shaftRadiusLeft;
        EXPECT_LT(LeftResidual(settings, left), 0.015 * rest + 0.5)
            << radial << " " << angle << " " << moment;
        // The holes stay inside the zone.
        for (int j = 0; j < left.remainder.holeCount; ++j) {
          int degrees =
              static_cast<int>(std::lround(left.remainder.holes[j].angle * kDegreesPerRadian)) %
              360;
          EXPECT_TRUE(degrees >= 30 && degrees <= 150) << angle << " " << moment << " " << degrees;
        }
      }
    }
    EXPECT_GT(drilled, 100) << radial;
  }
}

TEST_F(PassTest, ARemainderAtAZoneEdgeIsLeftToTheNextSpin) {
  // When the fan runs out of room the remainder may point just inside a zone
  // bound, where the drill's half-width keeps the next spin from drilling it
  // and a hole there would hang off the counterweight. Such a remainder gets
  // no holes; every remainder that does keeps its holes' edges in the zone.
  struct Zone {
    int start, end;
  };
  int edgeCases = 0, drilled = 0;
  for (Zone zone : {Zone{30, 150}, Zone{82, 296}, Zone{313, 92}, Zone{40, 144}}) {
    zones.zoneStartLeft = zone.start;
    zones.zoneEndLeft = zone.end;
    int width = PositiveMod(zone.end - zone.start, 360);
    for (int angle = 0; angle < 360; angle += 2) {
      for (double moment = 100.0; moment <= 1600.0; moment += 50.0) {
        state = CorrectionState{};
        state.readingsPresent = true;
        CorrectionResult r = Pass(moment, angle, 100.0, 45.0);
        const SideCorrection& left = r.left;
        if (!left.plane.outsideZone || left.slugs.SlugCount() == 0) continue;
        const SlugPlan& slugs = left.slugs;
        int halfWidth = ZoneHalfWidth(settings.drillDiameterLeft, settings.shaftRadiusLeft,
                                      settings.maxDrillDepthLeft, 0.0);
        bool reachable =
            !OutsideZone(slugs.extraAngle, slugs.extraWeight, zone.start, zone.end, halfWidth);
        if (slugs.extraInZone && !reachable) {
          ++edgeCases;
          EXPECT_EQ(left.remainder.holeCount, 0) << zone.start << " " << angle << " " << moment;
          EXPECT_TRUE(left.remainderText.empty());
        }
        if (left.remainder.holeCount == 0 || left.remainder.capacityOverflow) continue;
        ++drilled;
        double half = std::asin(settings.drillDiameterLeft / 2.0 / settings.drillRadiusLeft) *
                      kDegreesPerRadian;
        for (int j = 0; j < left.remainder.holeCount; ++j) {
          double from =
              NormalizeDegrees(left.remainder.holes[j].angle * kDegreesPerRadian - zone.start);
          EXPECT_GE(from - half, 0.0) << zone.start << " " << angle << " " << moment;
          EXPECT_LE(from + half, width) << zone.start << " " << angle << " " << moment;
        }
      }
    }
  }
  EXPECT_GT(edgeCases, 0);
  EXPECT_GT(drilled, 200);
}

TEST_F(PassTest, ARemainderThatCannotBeDrilledSaysSo) {
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  // Out of the drill's reach: the red Projection reading tells it, no holes.
  CorrectionResult r = Pass(6000.0, 270.0, 100.0, 45.0);
  ASSERT_GT(r.left.slugs.SlugCount(), 0);
  ASSERT_FALSE(r.left.slugs.extraInZone);
  EXPECT_EQ(r.left.remainder.holeCount, 0);
  EXPECT_TRUE(r.left.remainderText.empty());

  // Holes too shallow for it: the drill notice, in red, under the reading.
  settings.maxDrillDepthLeft = 0.1;
  r = Pass(1000.0, 270.0, 100.0, 45.0);
  ASSERT_TRUE(r.left.slugs.extraInZone);
  EXPECT_TRUE(r.left.remainder.capacityOverflow);
  EXPECT_EQ(r.left.remainderText, "Increase drill size or max drill depth");
  EXPECT_EQ(r.left.remainderColour, TextColour::kRed);
  EXPECT_EQ(r.left.colour, TextColour::kDefault);  // the slug text stays

  // Add mode overrides the heavy metal and its remainder.
  settings.maxDrillDepthLeft = 1.5;
  state.add[kLeftSide] = true;
  r = Pass(1000.0, 270.0, 100.0, 45.0);
  EXPECT_EQ(r.left.remainder.holeCount, 0);
  EXPECT_TRUE(r.left.remainderText.empty());
}

TEST_F(PassTest, SinglePlaneShowsTheStaticResultOnTheRight) {
  SetBalancingMode(settings, 0);
  CorrectionResult r = Pass(30.0, 0.0, 30.0, 90.0);
  EXPECT_FALSE(r.twoPlaneMode);
  EXPECT_FALSE(r.left.active);
  EXPECT_TRUE(r.right.active);
  EXPECT_NEAR(r.single.staticMoment, std::sqrt(1800.0), 1e-9);
  EXPECT_NEAR(r.right.plane.angle, 45.0, 1e-9);
  EXPECT_NEAR(r.single.coupleHalfMoment, std::sqrt(1800.0) / 2.0, 1e-9);
  EXPECT_FALSE(r.right.text.empty());
  EXPECT_NE(r.right.text, "In Tolerance");
}

TEST_F(PassTest, NoNaNReachesATextWhateverTheSettings) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(0.0, 1.0);
  auto pick = [&](std::initializer_list<double> values) {
    return *(values.begin() + static_cast<int>(u(rng) * values.size()) % values.size());
  };
  for (int i = 0; i < 300; ++i) {
    settings.twoPlaneMode = i % 5 != 0;
    settings.radialCompensation = i % 2;
    settings.drillDiameterLeft = settings.drillDiameterRight = pick({0.0, 0.75, 2.0});
    settings.drillRadiusLeft = settings.drillRadiusRight =
        pick({0.0, settings.drillDiameterLeft / 2.0, 3.025});
    settings.shaftRadiusLeft = settings.shaftRadiusRight = pick({0.0, 0.2, 3.5});
    settings.correctionRadiusLeft = settings.correctionRadiusRight = pick({0.0, 0.1, 3.5});
    settings.maxDrillDepthLeft = settings.maxDrillDepthRight =
        pick({0.0, 0.01, settings.shaftRadiusLeft, 10.0});
    settings.slugRadiusLeft = settings.slugRadiusRight = pick({0.0, 0.1, 2.85});
    settings.slugDiameterLeft = settings.slugDiameterRight = pick({0.0, 1.0, 2.0});
    settings.uprightDistance = pick({0.0, 18.0});
    settings.planeOffsetLeft = pick({0.0, 18.0, 9.0, -100.0});
    settings.planeOffsetRight = pick({0.0, 9.0, 200.0});
    settings.weightUnit = i % 3 == 0;
    settings.lengthUnit = i % 4 == 0;
    state.drillPoint = i % 3 == 1;
    state.tipAllowance = {0.2, 0.2};
    zones = CorrectionZones{static_cast<int>(u(rng) * 360), static_cast<int>(u(rng) * 360),
                            static_cast<int>(u(rng) * 360), static_cast<int>(u(rng) * 360)};
    state.autoSelectRequested = i % 7 == 0;
    CorrectionResult r =
        Pass(pick({0.0, 5.0, 800.0}), u(rng) * 360, pick({0.0, 400.0}), u(rng) * 360);
    for (const SideCorrection* s : {&r.left, &r.right}) {
      if (!s->active) continue;
      EXPECT_EQ(s->text.find("nan"), std::string::npos) << i << " " << s->text;
      EXPECT_EQ(s->text.find("inf"), std::string::npos) << i << " " << s->text;
      EXPECT_TRUE(std::isfinite(s->grams)) << i;
      for (const DrillHole& h : s->drill.holes) EXPECT_TRUE(std::isfinite(h.depth)) << i;
      EXPECT_TRUE(std::isfinite(s->slugs.extraWeight)) << i;
    }
  }
}

}  // namespace
}  // namespace balancer
