// The screen models of the correction windows: what each shows and what a
// press, a key or a typed value changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/display_model.h"
#include "base/unit_text.h"
#include "correction/adjust_screen.h"
#include "correction/density_screen.h"
#include "correction/drill_setup_screen.h"
#include "correction/heavy_metal_setup_screen.h"
#include "correction/reluctor_screen.h"
#include "correction/screen_ids.h"
#include "correction/slug_size_screen.h"
#include "correction/tolerance_screen.h"
#include "correction/zone_setup_screen.h"

namespace balancer {
namespace {

const ScreenItem* Find(const std::vector<ScreenItem>& items, int id) {
  for (const ScreenItem& item : items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

const ScreenItem* FindLabel(const std::vector<ScreenItem>& items, const std::string& label) {
  for (const ScreenItem& item : items) {
    if (item.label == label) return &item;
  }
  return nullptr;
}

// --- Tolerance Calculation ---

TEST(ToleranceScreen, ClassButtonsCalculateAndTheResultAreaFollowsTheUnits) {
  MachineSettings s;
  s.toleranceMoment = 1.0;
  ToleranceCalculator calc;
  ToleranceScreen screen(s, calc);
  ScreenPress p = screen.Press(kIdCalculate);
  EXPECT_TRUE(p.recompute && p.writeSettings && p.repaint);
  EXPECT_NEAR(s.toleranceMoment, 13.64, 0.005);
  auto items = screen.Items();
  EXPECT_EQ(FindLabel(items, "Actual Tolerance")->value, "13.64");
  EXPECT_EQ(std::string(screen.UnitLabel()), "gram/inch per side");
  EXPECT_EQ(Find(items, 241)->value, "3.9gm");  // 13.64 / 3.5
  EXPECT_TRUE(Find(items, kIdClassFirst)->checked);
  EXPECT_FALSE(Find(items, kIdClassFirst + 1)->checked);
  EXPECT_EQ(Find(items, kIdClassFirst + 1)->label, "Diesel crankshafts");

  screen.Key('d');
  EXPECT_EQ(s.toleranceClass, 2);
  EXPECT_NEAR(s.toleranceMoment, 34.1, 1e-9);
  s.weightUnit = 1;
  s.lengthUnit = 1;
  items = screen.Items();
  EXPECT_EQ(std::string(screen.UnitLabel()), "ounce/mm per side");
  EXPECT_EQ(FindLabel(items, "Actual Tolerance")->value, "30.55");  // 34.1/28.35*25.4
  EXPECT_EQ(Find(items, 242)->value, "0.34oz");
}

TEST(ToleranceScreen, WeightAndRpmEntriesAreRaisedToTheirMinimumAndRecalculate) {
  MachineSettings s;
  ToleranceCalculator calc;  // a fresh run computes with class 1 whatever is stored
  s.toleranceClass = 2;
  ToleranceScreen screen(s, calc);
  ScreenEntryEffect e = screen.StoreEntry(238, 0.0);
  EXPECT_TRUE(e.handled && e.stored && e.writeSettings && e.recompute);
  EXPECT_DOUBLE_EQ(s.shaftWeightPounds, 0.1);
  EXPECT_NEAR(s.toleranceMoment, 0.02273, 1e-5);
  screen.StoreEntry(239, 0.0);
  EXPECT_DOUBLE_EQ(s.maxOperatingRpm, 1.0);
  // The tolerance at a shaft radius is the settings' own field.
  EXPECT_FALSE(screen.StoreEntry(241, 2.0).handled);
  EXPECT_EQ(screen.Press(241).entryCode, 241);
  EXPECT_EQ(screen.Key('w').entryCode, 238);
  EXPECT_EQ(screen.Key('M').entryCode, 239);
  EXPECT_TRUE(screen.Key(kEscapeCharacter).close);
  EXPECT_TRUE(screen.Key('e').close);
  EXPECT_FALSE(screen.Key('q').handled);
}

// --- Reluctor Simulator ---

TEST(ReluctorScreen, ChoosingATypeSetsTheSimulatedUnbalanceAndTheLines) {
  MachineSettings s;
  ReluctorScreen screen(s);
  auto items = screen.Items();
  EXPECT_TRUE(Find(items, kIdReluctorFirst)->checked);
  EXPECT_FALSE(Find(items, 265)->shown);
  ReluctorExplanation lines = screen.Explanation();
  ASSERT_EQ(lines.count, 1);
  EXPECT_STREQ(lines.lines[0],
               "\"Disabled\" must be selected when an actual reluctor is installed.");
  EXPECT_TRUE(lines.red[0]);

  ScreenPress p = screen.Press(kIdReluctorFirst + kReluctorLs24x);
  EXPECT_TRUE(p.recompute && p.writeSettings && p.repaint);
  EXPECT_EQ(s.reluctorType, 1);
  EXPECT_DOUBLE_EQ(s.simulatedReluctorWeight, 156.0);
  EXPECT_EQ(screen.Explanation().count, 4);
  EXPECT_EQ(Find(screen.Items(), kIdReluctorSide)->value, "Left");
  screen.Key('s');
  EXPECT_EQ(s.reluctorSide, 1);
  EXPECT_EQ(Find(screen.Items(), kIdReluctorSide)->value, "Right");
  // The custom boxes answer only while "Custom" is chosen.
  EXPECT_FALSE(screen.Press(265).handled);
  screen.Key('5');
  s.customReluctorWeight = 25.4;
  s.lengthUnit = 1;
  items = screen.Items();
  EXPECT_TRUE(Find(items, 265)->shown);
  EXPECT_EQ(Find(items, 265)->label, "gram/mm");
  EXPECT_EQ(Find(items, 265)->value, "645.16");
  EXPECT_EQ(Find(items, 266)->label, "degree offset");
  EXPECT_EQ(screen.Press(266).entryCode, 266);
  EXPECT_TRUE(screen.Key(kEscapeCharacter).close);
  EXPECT_STREQ(ReluctorAmountUnit(1, 0), "ounce/inch");
}

// --- Drill Setup ---

TEST(DrillSetupScreen, RowsFollowTheModeAndTheRadiusInForce) {
  MachineSettings s;
  CorrectionState state;
  DrillSetupScreen screen(s, state);
  auto items = screen.Items();
  EXPECT_TRUE(Find(items, 320)->shown);
  EXPECT_FALSE(Find(items, 102)->shown);
  EXPECT_EQ(Find(items, 100)->value, "3.025\"");
  EXPECT_EQ(Find(items, 145)->label, "Max Depth");
  EXPECT_EQ(Find(items, 145)->value, "1.500\"");
  EXPECT_EQ(Find(items, kIdMaterial)->value, "Steel");
  EXPECT_EQ(Find(items, kIdRadialComp)->value, "Off");
  EXPECT_EQ(screen.Press(145).entryCode, 145);
  EXPECT_FALSE(screen.Press(102).handled);

  SetBalancingMode(s, 0);
  s.lengthUnit = 1;
  items = screen.Items();
  EXPECT_FALSE(Find(items, 320)->shown);
  EXPECT_FALSE(Find(items, 145)->shown);
  EXPECT_FALSE(FindLabel(items, "Left")->shown);
  EXPECT_TRUE(Find(items, 102)->shown);
  EXPECT_EQ(Find(items, 146)->value, "12.7mm");  // the single-plane set's 0.5"
  EXPECT_EQ(screen.Key('d').entryCode, 102);
  EXPECT_FALSE(screen.Press(145).handled);
}

TEST(DrillSetupScreen, RadialCompensationLimitsDepthsAndReleasesHeldHoles) {
  MachineSettings s;
  s.maxDrillDepthLeft = 5.0;
  CorrectionState state;
  state.drill[kLeftSide].holesHeld = state.drill[kRightSide].holesHeld = true;
  DrillSetupScreen screen(s, state);
  ScreenPress p = screen.Key('c');
  EXPECT_TRUE(p.recompute && p.writeSettings && p.repaint);
  EXPECT_EQ(s.radialCompensation, 1);
  EXPECT_EQ(s.twoPlaneSet.radialCompensation, 1);
  EXPECT_DOUBLE_EQ(s.maxDrillDepthLeft, 3.5);
  EXPECT_FALSE(state.drill[kLeftSide].holesHeld || state.drill[kRightSide].holesHeld);
  EXPECT_EQ(Find(screen.Items(), kIdRadialComp)->value, "On");
  EXPECT_EQ(Find(screen.Items(), 100)->value, "3.500\"");  // now the correction radius

  for (const char* name : {"Tungsten", "Aluminum", "Cast/Nodular"}) {
    screen.Key('m');
    EXPECT_EQ(Find(screen.Items(), kIdMaterial)->value, name);
  }
  EXPECT_EQ(s.counterweightMaterial, kMaterialCastNodular);
  ScreenPress exit = screen.Key(kEscapeCharacter);
  EXPECT_TRUE(exit.close && exit.writeSettings);
}

// --- Heavy Metal Setup, Size Selection, Density ---

TEST(HeavyMetalSetupScreen, BoxesButtonsAndKeys) {
  MachineSettings s;
  HeavyMetalSetupScreen screen(s);
  auto items = screen.Items();
  EXPECT_EQ(Find(items, 149)->label, "Slug diameter");
  EXPECT_EQ(Find(items, 153)->label, "Thickness between slugs");
  EXPECT_EQ(Find(items, 153)->value, "0.150\"");
  EXPECT_EQ(Find(items, kIdMaterial)->value, "Cast/Nodular");
  EXPECT_EQ(Find(items, kIdDensity)->value, "278.6 gm/in");
  EXPECT_EQ(screen.Key('a').openScreen, 'p');
  EXPECT_EQ(screen.Key('h').openScreen, 'D');
  EXPECT_EQ(screen.Press(154).entryCode, 154);
  screen.Key('M');
  EXPECT_EQ(s.counterweightMaterial, kMaterialSteel);
  EXPECT_EQ(s.drillMaterial, kMaterialSteel);

  SetBalancingMode(s, 0);
  s.weightUnit = 1;
  items = screen.Items();
  EXPECT_FALSE(Find(items, 149)->shown);
  EXPECT_TRUE(Find(items, 150)->shown);
  EXPECT_FALSE(screen.Press(149).handled);
  EXPECT_EQ(Find(items, kIdDensity)->value, "9.83 oz/in");
  EXPECT_TRUE(screen.Key('e').close);
}

TEST(SlugSizeScreen, ChecksBecomeTheSelectionOnlyOnSelectNow) {
  MachineSettings s;
  s.lengthUnit = 1;
  CorrectionState state;
  SlugSizeScreen screen(s, state);
  auto items = screen.Items();
  EXPECT_EQ(Find(items, kIdSlugSizeFirst)->label, "11.112 x 22.225");
  EXPECT_EQ(Find(items, kIdSlugSizeFirst + 30)->label, "31.750 x 25.400");
  EXPECT_EQ(SlugSizeScreen::ColumnOf(10), 0);
  EXPECT_EQ(SlugSizeScreen::ColumnOf(11), 1);
  EXPECT_EQ(SlugSizeScreen::ColumnOf(30), 2);
  EXPECT_EQ(SlugSizeScreen::RowOf(22), 0);
  EXPECT_EQ(Find(items, 175)->value, "5.0");
  screen.Press(kIdSlugSizeFirst + 25);
  EXPECT_TRUE(Find(screen.Items(), kIdSlugSizeFirst + 25)->checked);
  EXPECT_FALSE(s.slugSizeSelected[25]);
  EXPECT_EQ(screen.Press(176).entryCode, 176);
  ScreenPress p = screen.Key('s');
  EXPECT_TRUE(p.recompute && p.writeSettings && p.close);
  EXPECT_TRUE(s.slugSizeSelected[25]);
  EXPECT_TRUE(state.autoSelectRequested);

  SlugSizeScreen again(s, state);
  state.autoSelectRequested = false;
  again.Press(kIdSlugSizeFirst + 25);
  EXPECT_TRUE(again.Key(kEscapeCharacter).close);
  EXPECT_TRUE(s.slugSizeSelected[25]);  // dropped without "Select Now"
  EXPECT_FALSE(state.autoSelectRequested);
  EXPECT_EQ(ExtraWeightText(28.349525, 1), "1.00");
}

TEST(DensityScreen, AWeighedTestSlugSetsTheDensityOnceAllThreeAreIn) {
  MachineSettings s;
  DensityScreen screen(s);
  EXPECT_TRUE(screen.StoreEntry(345, 0.5).stored);
  ScreenEntryEffect e = screen.StoreEntry(346, 1.0);
  EXPECT_FALSE(e.recompute);
  EXPECT_DOUBLE_EQ(s.heavyMetalDensity, 278.6);
  e = screen.StoreEntry(347, 55.0);  // 55 g / (pi * 0.0625) = 280.1
  EXPECT_TRUE(e.recompute && e.writeSettings);
  EXPECT_NEAR(s.heavyMetalDensity, 55.0 / (3.14159265358979 * 0.0625), 1e-6);
  EXPECT_EQ(Find(screen.Items(), 348)->value, "280.1");
  screen.StoreEntry(347, 10.0);  // held in 250..320
  EXPECT_DOUBLE_EQ(s.heavyMetalDensity, 250.0);
  // Diameter and length limits; the direct density is the settings' field.
  screen.StoreEntry(345, 9.0);
  screen.StoreEntry(346, 99.0);
  EXPECT_DOUBLE_EQ(screen.Slug().diameter, 2.0);
  EXPECT_DOUBLE_EQ(screen.Slug().length, 15.0);
  EXPECT_FALSE(screen.StoreEntry(348, 300.0).handled);
  EXPECT_FALSE(screen.StoreEntry(346, -1.0).handled);
  EXPECT_EQ(screen.Key('g').entryCode, 348);
  EXPECT_TRUE(screen.Key(kEscapeCharacter).close);
}

// --- Correction Zone Setup ---

TEST(ZoneSetupScreen, DialClicksMarkStartThenEndAndTheSideGoesToHeavyMetal) {
  MachineSettings s;
  CorrectionZones zones;
  CorrectionState state;
  PlaneReading left{150.0, 90.0};
  PlaneReading right{150.0, 270.0};
  CorrectionResult before = RunCorrectionPass(left, right, s, zones, state, nullptr);
  EXPECT_EQ(before.left.method, CorrectionMethod::kDrill);

  ZoneSetupScreen screen(s, zones);
  // Clicks where the dial draws 180 and 300 degrees: the heavy spot at 90
  // lies outside that zone.
  double x, y;
  DialPoint(kLeftDialX, kDialY, 120.0, 180.0, x, y);
  std::optional<int> a = DialAngleAt(kLeftDialX, kDialY, kDialRadius, x, y);
  ASSERT_TRUE(a);
  EXPECT_EQ(*a, 180);
  EXPECT_TRUE(screen.DialClick(kLeftSide, *a).recompute);
  DialPoint(kLeftDialX, kDialY, 150.0, 300.0, x, y);
  screen.DialClick(kLeftSide, *DialAngleAt(kLeftDialX, kDialY, kDialRadius, x, y));
  EXPECT_EQ(zones.zoneStartLeft, 180);
  EXPECT_EQ(zones.zoneEndLeft, 300);
  CorrectionResult after = RunCorrectionPass(left, right, s, zones, state, nullptr);
  EXPECT_EQ(after.left.method, CorrectionMethod::kSlug);
  EXPECT_EQ(after.right.method, CorrectionMethod::kDrill);
  EXPECT_FALSE(DialAngleAt(kLeftDialX, kDialY, kDialRadius, kLeftDialX + 200, kDialY));

  // A third click starts a new zone.
  screen.DialClick(kLeftSide, 10);
  EXPECT_EQ(zones.zoneStartLeft, 10);
  EXPECT_EQ(zones.zoneEndLeft, 300);
  EXPECT_EQ(Find(screen.Items(), kIdZoneBeginLeft)->value, "10\xB0");
}

TEST(ZoneSetupScreen, ButtonsUseTheShaftPositionAndClearAllReturnsToDrilling) {
  MachineSettings s;
  CorrectionZones zones;
  ZoneSetupScreen screen(s, zones);
  screen.Press(kIdZoneBeginRight, 370);
  screen.Key('h', 45);
  EXPECT_EQ(zones.zoneStartRight, 10);
  EXPECT_EQ(zones.zoneEndRight, 45);
  ScreenPress p = screen.Key('c', 0);
  EXPECT_TRUE(p.recompute);
  EXPECT_FALSE(p.writeSettings);  // zones are not settings
  EXPECT_FALSE(ZoneOf(zones, kRightSide).defined());
  EXPECT_EQ(screen.Press(kIdHelp, 0).helpTopic, "c:\\balancer\\balancer.chm::/Zone setup.htm");
  // Single-plane: no left buttons and no left dial.
  SetBalancingMode(s, 0);
  EXPECT_FALSE(Find(screen.Items(), kIdZoneBeginLeft)->shown);
  EXPECT_FALSE(screen.Press(kIdZoneBeginLeft, 20).handled);
  EXPECT_FALSE(screen.DialClick(kLeftSide, 20).handled);
  EXPECT_EQ(zones.zoneStartLeft, 0);
  EXPECT_TRUE(screen.Key(kEscapeCharacter, 0).close);
}

TEST(ZoneSetupScreen, APressFindsItsDialAndAngleInEitherMode) {
  const DialLayout two{double(DialCentreX(0, true)), double(DialCentreX(1, true)), kDialY,
                       kDialRadius};
  double x, y;
  DialPoint(kLeftDialX, kDialY, 100.0, 45.0, x, y);
  std::optional<DialPress> p = DialPressAt(two, true, x, y);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->side, kLeftSide);
  EXPECT_EQ(p->angle, 45);
  DialPoint(kRightDialX, kDialY, kDialRadius - 1, 270.0, x, y);
  p = DialPressAt(two, true, x, y);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->side, kRightSide);
  EXPECT_EQ(p->angle, 270);
  // Between the dials, and just outside a rim, nothing is marked.
  EXPECT_FALSE(DialPressAt(two, true, (kLeftDialX + kRightDialX) / 2.0, kDialY));
  EXPECT_FALSE(DialPressAt(two, true, kRightDialX, kDialY - kDialRadius - 2));

  // Single-plane: the right dial sits in the middle and the left one is gone.
  const DialLayout one{double(DialCentreX(0, false)), double(DialCentreX(1, false)), kDialY,
                       kDialRadius};
  DialPoint(DialCentreX(1, false), kDialY, 60.0, 180.0, x, y);
  p = DialPressAt(one, false, x, y);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->side, kRightSide);
  EXPECT_EQ(p->angle, 180);
  DialPoint(kLeftDialX, kDialY, 60.0, 180.0, x, y);
  EXPECT_FALSE(DialPressAt(one, false, x, y));
  EXPECT_FALSE(DialPressAt(DialLayout{}, true, 0.0, 0.0));
}

TEST(ZoneSetupScreen, ColumnHeadsFollowTheModeAndTellHowToClick) {
  MachineSettings s;
  CorrectionZones zones;
  ZoneSetupScreen screen(s, zones);
  ASSERT_NE(FindLabel(screen.Items(), "Left"), nullptr);
  EXPECT_TRUE(FindLabel(screen.Items(), "Left")->shown);
  EXPECT_TRUE(FindLabel(screen.Items(), "Right")->shown);
  EXPECT_NE(FindLabel(screen.Items(), "Or click a dial at the start of the zone, then at its end."),
            nullptr);
  SetBalancingMode(s, 0);
  EXPECT_FALSE(FindLabel(screen.Items(), "Left")->shown);
}

// --- Adjust ---

struct AdjustFixture : ::testing::Test {
  void Pass() { RunCorrectionPass(left, right, s, zones, state, nullptr); }
  MachineSettings s;
  CorrectionZones zones;
  CorrectionState state;
  PlaneReading left{60.0, 90.0};
  PlaneReading right{60.0, 200.0};
};

TEST_F(AdjustFixture, OpeningOnASingleHoleSplitsItAndAHoleMovedPastCentreIsRefused) {
  Pass();
  ASSERT_EQ(state.drill[kLeftSide].holeCount, 1);
  AdjustScreen screen(s, state, zones, kLeftSide);
  EXPECT_EQ(screen.item(), AdjustItem::kHole);
  ASSERT_GE(screen.ItemCount(), 2);
  EXPECT_TRUE(state.drill[kLeftSide].holesHeld);
  EXPECT_FALSE(Find(screen.Items(), kIdAddSlug)->shown);
  EXPECT_FALSE(Find(screen.Items(), 349)->shown);

  DrillPlan saved = state.drill[kLeftSide];
  ScreenPress p;
  for (int i = 0; i < 20 && !p.message; ++i) p = screen.Key('1', 0);  // CCW 5 towards centre
  ASSERT_TRUE(p.message);
  EXPECT_EQ(p.message->caption, "ALERT");
  EXPECT_EQ(p.message->text, "Past Center!");
  Pass();  // held: the planner keeps the hand-set fan
  EXPECT_EQ(state.drill[kLeftSide].holeCount, saved.holeCount);
  // Reset All gives the side back to the planner.
  screen.Key('r', 0);
  Pass();
  EXPECT_FALSE(state.drill[kLeftSide].holesHeld);
  EXPECT_EQ(state.drill[kLeftSide].holeCount, 1);
}

TEST_F(AdjustFixture, SlugSideMovesAddsDeletesAndTakesItsBoxes) {
  zones.zoneStartLeft = 180;
  zones.zoneEndLeft = 330;
  Pass();
  ASSERT_TRUE(state.left.outsideZone);
  ASSERT_GE(state.slugs[kLeftSide].SlugCount(), 1);
  state.selectedSlugSide = kLeftSide;
  EXPECT_EQ(AdjustSideFor(state, true), kLeftSide);
  AdjustScreen screen(s, state, zones, kLeftSide);
  EXPECT_EQ(screen.item(), AdjustItem::kSlug);
  const int start =
      static_cast<int>(std::lround(state.slugs[kLeftSide].slugs[0].angle * 57.29577951308));
  screen.Press(kIdCw5, 0);
  EXPECT_EQ(std::lround(state.slugs[kLeftSide].slugs[0].angle * 57.29577951308), (start + 5) % 360);
  EXPECT_TRUE(state.slugs[kLeftSide].slugsHeld);

  ScreenPress ask = screen.Key('a', 0);
  ASSERT_TRUE(ask.message);
  EXPECT_EQ(ask.message->actionCode, kAddSlugActionCode);
  EXPECT_EQ(ask.message->firstButtonText, "Add");
  const int count = screen.ItemCount();
  EXPECT_FALSE(screen.AnswerAddSlug(false, 250).recompute);
  EXPECT_TRUE(screen.AnswerAddSlug(true, 250).recompute);
  EXPECT_EQ(screen.ItemCount(), count + 1);
  EXPECT_EQ(screen.index(), count);

  EXPECT_TRUE(screen.StoreEntry(349, 300.0).recompute);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].actualSlugWeight[count], 300.0);
  ScreenEntryEffect radius = screen.StoreEntry(350, 9.0);
  ASSERT_TRUE(radius.message);
  EXPECT_EQ(radius.message->caption, "Alert");
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].slugs[count].installRadius, 3.5 - 0.15 - 0.5);
  EXPECT_FALSE(screen.StoreEntry(238, 1.0).handled);
  // A negative weight or radius falls back to the software's own (0), the
  // slug's size stays.
  EXPECT_TRUE(screen.StoreEntry(349, -5.0).stored);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].actualSlugWeight[count], 0.0);
  EXPECT_TRUE(screen.StoreEntry(350, -1.0).stored);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].slugs[count].installRadius, 0.0);
  const double diameter = state.slugs[kLeftSide].slugs[count].diameter;
  EXPECT_TRUE(screen.StoreEntry(345, -0.5).handled);
  EXPECT_DOUBLE_EQ(state.slugs[kLeftSide].slugs[count].diameter, diameter);

  while (screen.ItemCount() > 1) screen.Key('d', 0);
  ScreenPress last = screen.Key('d', 0);
  ASSERT_TRUE(last.message);
  EXPECT_EQ(last.message->text, "You can't delete the last slug.");
  EXPECT_TRUE(screen.Key(kEscapeCharacter, 0).close);
}

TEST_F(AdjustFixture, TheSlugsRemainderHolesFollowEverySlugChange) {
  zones.zoneStartLeft = 30;
  zones.zoneEndLeft = 150;
  left = {1000.0, 270.0};
  s.toleranceMoment = 13.64;
  Pass();
  ASSERT_TRUE(state.left.outsideZone);
  AdjustScreen screen(s, state, zones, kLeftSide);
  auto line = [&]() -> std::string {
    const std::vector<ScreenItem> items = screen.Items();
    const ScreenItem* item = FindLabel(items, "Projection");
    return item ? item->value : "(none)";
  };
  auto drillText = [&]() {
    return DrillText(state.remainder[kLeftSide].holeDepth, state.slugs[kLeftSide].extraAngle,
                     s.lengthUnit);
  };
  ASSERT_GT(state.remainder[kLeftSide].holeCount, 0);
  const std::string before = line();
  EXPECT_EQ(before, drillText());
  // A slug moved by hand: the pass plans the remainder of the held slugs.
  screen.Press(kIdCw5, 0);
  Pass();
  ASSERT_TRUE(state.slugs[kLeftSide].slugsHeld);
  ASSERT_GT(state.remainder[kLeftSide].holeCount, 0);
  EXPECT_EQ(line(), drillText());
  EXPECT_NE(line(), before);
  // Too shallow for the remainder: the notice, in red.
  s.maxDrillDepthLeft = 0.1;
  Pass();
  const std::vector<ScreenItem> items = screen.Items();
  const ScreenItem* notice = FindLabel(items, "Projection");
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->value, "Increase drill size or max drill depth");
  EXPECT_TRUE(notice->colour == kValueRedText);
  // A drilled side has no such line.
  AdjustScreen other(s, state, zones, kRightSide);
  EXPECT_EQ(FindLabel(other.Items(), "Projection"), nullptr);
}

TEST_F(AdjustFixture, DialPressesPickTheNearestItemAndTheHookTest) {
  Pass();
  AdjustScreen screen(s, state, zones, kRightSide);
  ASSERT_GE(screen.ItemCount(), 2);
  const DrillPlan& plan = state.drill[kRightSide];
  int target = static_cast<int>(std::lround(plan.holes[1].angle * 57.29577951308));
  EXPECT_TRUE(screen.DialClick(target + 1).handled);
  EXPECT_EQ(screen.index(), 1);
  screen.Key('n', 0);
  EXPECT_EQ(screen.index(), 2 % screen.ItemCount());

  EXPECT_TRUE(PressGoesToDial(878, 100, 878, 275, 195, false));
  EXPECT_FALSE(PressGoesToDial(878, 100, 878, 275, 195, true));
  EXPECT_FALSE(PressGoesToDial(878 + 196, 275, 878, 275, 195, false));
  state.selectedSlugSide = -1;
  EXPECT_EQ(AdjustSideFor(state, false), kRightSide);
}

}  // namespace
}  // namespace balancer
