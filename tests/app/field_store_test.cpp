#include "app/field_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "records/settings_file.h"

namespace balancer {
namespace {

class FieldStore : public ::testing::Test {
 protected:
  FieldStoreOutcome Store(int code, double value) {
    FieldStoreContext context{settings, &ui, &history, &calibration, leftMoment, rightMoment};
    context.leftMeasured = leftMeasured;
    context.rightMeasured = rightMeasured;
    context.correction = &correction;
    context.screen = screen;
    context.radiusBoxSides = boxSides;
    return StoreFieldValue(code, value, context);
  }
  MachineSettings settings;
  RecordingOperatorUi ui;
  History history;
  KnownWeightCalibration calibration;
  double leftMoment = 0.0;
  double rightMoment = 0.0;
  bool leftMeasured = false;
  bool rightMeasured = false;
  CorrectionState correction;
  ScreenEntryStore* screen = nullptr;
  ValueBoxSides boxSides;
};

TEST_F(FieldStore, RadiusBoxesEditTheRadiusInForceWithinTheCounterweight) {
  settings.lengthUnit = 1;
  EXPECT_TRUE(Store(100, 76.2).stored);  // 3.0 inches
  EXPECT_DOUBLE_EQ(settings.drillRadiusLeft, 3.0);
  // Past the counterweight: shaft radius - 0.05 - half the drill.
  Store(100, 25.4 * 3.4);
  EXPECT_DOUBLE_EQ(settings.drillRadiusLeft, 3.5 - 0.05 - 0.375);

  settings.radialCompensation = 1;
  Store(101, 25.4 * 4.0);
  EXPECT_DOUBLE_EQ(settings.correctionRadiusRight, 3.5);  // at most the shaft radius
  EXPECT_DOUBLE_EQ(CurrentRightSet(settings).correctionRadiusRight, 3.5);
  EXPECT_DOUBLE_EQ(settings.drillRadiusRight, 3.025);  // untouched
}

TEST_F(FieldStore, ARadiusBoxShowingTheSlugRadiusEditsItWithinTheCounterweight) {
  const MachineSettings before = settings;
  boxSides.outsideZoneLeft = true;
  EXPECT_TRUE(Store(100, 2.5).stored);
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 2.5);
  EXPECT_DOUBLE_EQ(settings.drillRadiusLeft, before.drillRadiusLeft);
  EXPECT_DOUBLE_EQ(settings.correctionRadiusLeft, before.correctionRadiusLeft);
  EXPECT_TRUE(ui.messages.empty());

  // Past the web: shaft radius - web - half the slug, and the operator is told.
  Store(100, 3.4);
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 3.5 - 0.15 - 0.5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Alert");
  EXPECT_EQ(
      ui.messages[0].text,
      "The correction radius has been limited by the counterweight radius, slug diameter, and the thickness between slugs setting.");

  // Only the side that shows it: the right box still edits the radius in force.
  ui.messages.clear();
  settings.radialCompensation = 1;
  Store(101, 3.0);
  EXPECT_DOUBLE_EQ(settings.correctionRadiusRight, 3.0);
  EXPECT_DOUBLE_EQ(settings.slugRadiusRight, before.slugRadiusRight);

  // The right slug radius in millimetres, kept in the mode's stored set.
  boxSides.outsideZoneRight = true;
  settings.lengthUnit = 1;
  Store(101, 25.4 * 2.0);
  EXPECT_DOUBLE_EQ(settings.slugRadiusRight, 2.0);
  EXPECT_DOUBLE_EQ(CurrentRightSet(settings).slugRadiusRight, 2.0);
  EXPECT_DOUBLE_EQ(settings.correctionRadiusRight, 3.0);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FieldStore, UnitsAreConvertedToInchesAndGrams) {
  settings.lengthUnit = 1;
  settings.weightUnit = 1;
  FieldStoreOutcome out = Store(147, 101.6);
  EXPECT_TRUE(out.stored && out.writeSettings && out.recompute);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusLeft, 4.0);
  Store(119, 2.0);
  EXPECT_DOUBLE_EQ(settings.emptyBobweight, 56.69905);
  Store(113, 1.0);  // ounce per millimetre
  EXPECT_DOUBLE_EQ(settings.toleranceMoment, 28.349525 / 25.4);
  Store(262, 10.0);  // kilograms
  EXPECT_DOUBLE_EQ(settings.sideWeightLeft, 22.0462);
}

TEST_F(FieldStore, FieldLimits) {
  Store(113, 0.0);
  EXPECT_DOUBLE_EQ(settings.toleranceMoment, 0.001);
  Store(126, 1.5);
  EXPECT_DOUBLE_EQ(settings.screenAspectRatio, 1.12);
  Store(126, 0.5);
  EXPECT_DOUBLE_EQ(settings.screenAspectRatio, 0.88);
  Store(114, 2.6);
  EXPECT_EQ(settings.sampleQuality, 3);
  Store(114, 0.2);
  EXPECT_EQ(settings.sampleQuality, 1);  // the range limiter follows every entry

  // Manual speed control: the RPM entry is ignored.
  FieldStoreOutcome out = Store(112, 800.7);
  EXPECT_FALSE(out.stored);
  EXPECT_EQ(settings.shaftRpm, 500);
  settings.speedControl = 1;
  Store(112, 800.7);
  EXPECT_EQ(settings.shaftRpm, 800);
  Store(112, 5000);
  EXPECT_EQ(settings.shaftRpm, 1000);
}

TEST_F(FieldStore, PlaneOffsetsStayInsideTheUprights) {
  settings.uprightDistance = 10.0;
  settings.planeOffsetRight = 2.0;
  Store(132, 9.0);  // limit 10 - 0.2 - 2 = 7.8
  EXPECT_DOUBLE_EQ(settings.planeOffsetLeft, 7.799);
  Store(132, 3.0);
  EXPECT_DOUBLE_EQ(settings.planeOffsetLeft, 3.0);
  Store(133, -150.0);
  EXPECT_DOUBLE_EQ(settings.planeOffsetRight, -100.0);

  // A shorter upright distance resets offsets that no longer fit.
  settings.planeOffsetRight = 4.0;
  Store(131, 5.0);
  EXPECT_DOUBLE_EQ(settings.uprightDistance, 5.0);
  EXPECT_DOUBLE_EQ(settings.planeOffsetLeft, 0.0);
  EXPECT_DOUBLE_EQ(settings.planeOffsetRight, 0.0);
  Store(131, 0.0);
  EXPECT_DOUBLE_EQ(settings.uprightDistance, 0.201);
}

TEST_F(FieldStore, RightSideEntriesReachTheStoredSet) {
  settings.twoPlaneMode = 1;
  Store(146, 2.5);
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthRight, 2.5);
  EXPECT_DOUBLE_EQ(settings.twoPlaneSet.maxDrillDepthRight, 2.5);
  EXPECT_DOUBLE_EQ(settings.singlePlaneSet.maxDrillDepthRight, 0.5);
}

TEST_F(FieldStore, DesiredReadingCalibratesOncePerOpeningOnAMeasuredReading) {
  settings.correctionRadiusLeft = 2.0;
  settings.correctionRadiusRight = 2.0;
  // Before any spin the transformed moments are slivers of nothing.
  leftMoment = rightMoment = 0.002;
  calibration.WindowOpened();
  for (int code : {127, 128}) {
    FieldStoreOutcome out = Store(code, 10.0);
    EXPECT_TRUE(out.handled) << code;
    EXPECT_FALSE(out.stored || out.writeSettings) << code;
  }
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.0);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorRight, 2.0);

  leftMeasured = true;
  leftMoment = 16.0;  // shows 8.00
  EXPECT_TRUE(Store(127, 10.0).stored);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.5);
  EXPECT_FALSE(Store(127, 5.0).stored);
  EXPECT_DOUBLE_EQ(settings.calibrationFactorLeft, 2.5);
}

TEST_F(FieldStore, ConditionBoxesReplaceTheStoredConditionButNotTheSettings) {
  FieldStoreOutcome out = Store(270, 12.5);
  EXPECT_TRUE(out.stored);
  EXPECT_FALSE(out.writeSettings);
  EXPECT_DOUBLE_EQ(history.initial.leftAmount, 12.5);
  EXPECT_EQ(history.initial.text, "Left 12.5 grams      Right 0.00 grams");

  // Beyond what the bobweight card holds: refused, the condition stays.
  for (int code : {270, 273, 275}) {
    SCOPED_TRACE(code);
    EXPECT_FALSE(Store(code, 1e300).stored);
  }
  EXPECT_DOUBLE_EQ(history.initial.leftAmount, 12.5);
  EXPECT_DOUBLE_EQ(history.final.rightAmount, 0.0);
  EXPECT_EQ(history.initial.text, "Left 12.5 grams      Right 0.00 grams");
}

TEST_F(FieldStore, OptionPortTypeGoesToTheLink) {
  ControlLink link;
  FieldStoreContext context{settings, &ui, nullptr, nullptr, 0.0, 0.0, &link};
  FieldStoreOutcome out = StoreFieldValue(248, 7, context);
  EXPECT_EQ(link.optionPortType, 0);
  EXPECT_FALSE(out.writeSettings);
  StoreFieldValue(248, 2.6, context);
  EXPECT_EQ(link.optionPortType, 3);
}

TEST_F(FieldStore, CommittedEntryIsStoredAndSaved) {
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("balancer_commit_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  ProgramFolder folder{dir.string()};
  FieldStoreContext context{settings, &ui, &history, &calibration, 0.0, 0.0};

  EntryCommit commit = CommitTypedEntry("1 1/2", 132, context, folder);
  EXPECT_TRUE(commit.settingsWritten);
  EXPECT_DOUBLE_EQ(settings.planeOffsetLeft, 1.5);
  std::ifstream in(dir / "balsetup.bak");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), FormatSettings(settings));

  // Refused input changes nothing and writes nothing.
  commit = CommitTypedEntry("-2", 118, context, folder);
  EXPECT_TRUE(commit.closeWindow);
  EXPECT_FALSE(commit.outcome.stored);
  EXPECT_FALSE(commit.settingsWritten);
  EXPECT_DOUBLE_EQ(settings.defaultOilWeight, 5.0);
  std::filesystem::remove_all(dir);
}

TEST_F(FieldStore, MaxDepthEntryReleasesTheHandAdjustedHolesOfItsSide) {
  correction.drill[kLeftSide].holesHeld = true;
  correction.drill[kRightSide].holesHeld = true;
  EXPECT_TRUE(Store(145, 1.25).stored);
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthLeft, 1.25);
  EXPECT_FALSE(correction.drill[kLeftSide].holesHeld);
  EXPECT_TRUE(correction.drill[kRightSide].holesHeld);
  settings.lengthUnit = 1;
  Store(146, 25.4);
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthRight, 1.0);
  EXPECT_DOUBLE_EQ(CurrentRightSet(settings).maxDrillDepthRight, 1.0);
  EXPECT_FALSE(correction.drill[kRightSide].holesHeld);
}

TEST_F(FieldStore, DrillDiameterEntriesFollowTheModeAndKeepTheHoleInsideTheCounterweight) {
  correction.drillPoint = true;
  settings.drillRadiusLeft = 3.4;
  Store(320, 0.5);
  EXPECT_DOUBLE_EQ(settings.drillDiameterLeft, 0.5);
  EXPECT_DOUBLE_EQ(settings.drillDiameterRight, 0.75);
  EXPECT_DOUBLE_EQ(settings.drillRadiusLeft, 3.5 - 0.05 - 0.25);
  EXPECT_DOUBLE_EQ(correction.tipAllowance[kLeftSide], 0.25476275 * 0.5);
  Store(321, 0.625);
  EXPECT_DOUBLE_EQ(settings.drillDiameterRight, 0.625);
  EXPECT_DOUBLE_EQ(CurrentRightSet(settings).drillDiameterRight, 0.625);
  // Single-plane: the one box sets both sides.
  SetBalancingMode(settings, 0);
  Store(102, 1.0);
  EXPECT_DOUBLE_EQ(settings.drillDiameterLeft, 1.0);
  EXPECT_DOUBLE_EQ(settings.drillDiameterRight, 1.0);
  EXPECT_DOUBLE_EQ(settings.singlePlaneSet.drillDiameterRight, 1.0);
}

TEST_F(FieldStore, SlugEntriesMoveTheInstallationRadiusAndSayWhenItWasLimited) {
  correction.slugs[kRightSide].slugs[0].diameter = 1.0;
  FieldStoreOutcome out = Store(150, 0.75);
  EXPECT_TRUE(out.stored && out.writeSettings && out.recompute);
  EXPECT_DOUBLE_EQ(settings.slugDiameterRight, 0.75);
  EXPECT_DOUBLE_EQ(settings.slugRadiusRight, 3.5 - 0.15 - 0.375);
  EXPECT_DOUBLE_EQ(correction.slugs[kRightSide].slugs[0].diameter, 0.75);
  EXPECT_TRUE(ui.messages.empty());  // the radius went inward: nothing was cut back

  settings.slugRadiusLeft = 3.2;
  Store(153, 0.5);  // a thicker web cuts the left radius
  EXPECT_DOUBLE_EQ(settings.slugWebThickness, 0.5);
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 3.5 - 0.5 - 0.5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Alert");
  EXPECT_EQ(
      ui.messages[0].text,
      "The correction radius has been limited by the counterweight radius, slug diameter, and the thickness between slugs setting.");
  Store(151, 1.1);
  EXPECT_DOUBLE_EQ(settings.slugLengthLeft, 1.1);
  Store(152, 9.0);
  EXPECT_DOUBLE_EQ(settings.slugLengthRight, 5.0);  // the range limiter
}

TEST_F(FieldStore, ASmallerCounterweightRadiusBringsTheSlugsIn) {
  Store(148, 3.2);
  EXPECT_DOUBLE_EQ(settings.shaftRadiusRight, 3.2);
  EXPECT_DOUBLE_EQ(settings.slugRadiusRight, 3.2 - 0.15 - 0.5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Alert");
  ui.messages.clear();
  Store(147, 4.0);  // room to spare: the radius stays
  EXPECT_DOUBLE_EQ(settings.slugRadiusLeft, 2.85);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FieldStore, ToleranceAtShaftRadiusCustomReluctorAndDensity) {
  settings.shaftRadiusLeft = 3.0;
  Store(241, 2.0);
  EXPECT_DOUBLE_EQ(settings.toleranceMoment, 6.0);
  settings.weightUnit = 1;
  Store(242, 1.0);
  EXPECT_DOUBLE_EQ(settings.toleranceMoment, 28.349525 * 3.5);

  settings.weightUnit = 0;
  settings.lengthUnit = 1;
  settings.reluctorType = 5;
  Store(265, 254.0);  // gram/mm
  EXPECT_DOUBLE_EQ(settings.customReluctorWeight, 10.0);
  EXPECT_DOUBLE_EQ(settings.simulatedReluctorWeight, 10.0);
  Store(266, -30.0);
  EXPECT_DOUBLE_EQ(settings.customReluctorAngle, -30.0);
  EXPECT_DOUBLE_EQ(settings.simulatedReluctorAngle, -30.0);

  Store(348, 900.0);
  EXPECT_DOUBLE_EQ(settings.heavyMetalDensity, 320.0);
  Store(305, 260.5);
  EXPECT_DOUBLE_EQ(settings.heavyMetalDensity, 260.5);
}

// A screen that owns some fields of its own.
class OwnFieldScreen : public ScreenEntryStore {
 public:
  ScreenEntryEffect StoreEntry(int code, double value) override {
    ScreenEntryEffect effect;
    if (code != 345) return effect;
    seen = value;
    effect.handled = effect.stored = effect.recompute = true;
    effect.message = MakeOkMessage("Alert", "own", kDarkBlueText, kBeepNone, 0, 0, 10, 10);
    return effect;
  }
  double seen = 0.0;
};

TEST_F(FieldStore, TheOpenScreenIsAskedFirstAboutItsOwnFields) {
  OwnFieldScreen own;
  screen = &own;
  FieldStoreOutcome out = Store(345, 0.5);
  EXPECT_TRUE(out.handled && out.stored && out.recompute);
  EXPECT_FALSE(out.writeSettings);
  EXPECT_DOUBLE_EQ(own.seen, 0.5);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "own");
  // Fields it does not own still reach the settings.
  Store(145, 2.0);
  EXPECT_DOUBLE_EQ(settings.maxDrillDepthLeft, 2.0);
}

TEST_F(FieldStore, OtherCodesAreLeftToTheirOwners) {
  EXPECT_FALSE(Store(103, 500.0).handled);
  EXPECT_FALSE(Store(0, 1.0).handled);
}

}  // namespace
}  // namespace balancer
