// The field table against the code that uses it: every field a screen shows
// or the field store takes has a row saying what it is and what unit it is
// in, and the other names of the same numbers stay the same numbers.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/field_store.h"
#include "app/main_commands.h"
#include "app/value_box_text.h"
#include "base/field_table.h"
#include "bobweight/bobweight_screen.h"
#include "correction/density_screen.h"
#include "correction/drill_setup_screen.h"
#include "correction/heavy_metal_setup_screen.h"
#include "correction/screen_ids.h"
#include "correction/tolerance.h"
#include "correction/tolerance_screen.h"
#include "device/control_commands.h"
#include "records/machine_calibration_screen.h"
#include "records/machine_setup_screen.h"
#include "support/fake_transport.h"
#include "support/field_rows_check.h"

namespace balancer {
namespace {

using test::ExpectNumericRow;

std::string Named(int code) {
  const FieldRow& row = FieldRowOf(code);
  return std::to_string(code) + " \"" + row.label + "\"";
}

class FieldRows : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.firmwareVersion = 0x0304;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
  }

  FieldStoreOutcome Store(int code, double value) {
    FieldStoreContext context{settings, &ui, &history, &calibration, 10.0, 10.0};
    context.leftMeasured = context.rightMeasured = true;
    context.link = &link;
    context.correction = &correction;
    return StoreFieldValue(code, value, context);
  }

  test::FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  MachineSettings settings;
  History history;
  KnownWeightCalibration calibration;
  CorrectionState correction;
  // Every id of a screen inside the table, with the entries its presses open.
  test::FieldRowWalk walk;
};

TEST_F(FieldRows, EveryEntryTheSetupScreensOpenHasALabelAndAUnit) {
  const std::vector<std::string> scaleNames = {"None"};
  for (int port = kOptionPortNone; port <= kLastOptionPortType; ++port) {
    link.optionPortType = port;
    MachineSettings fresh;
    fresh.speedControl = 1;
    for (const ScreenItem& row : MachineSetupRows(fresh, link, scaleNames)) {
      MachineSettings scratch = fresh;
      SetupRecords records{scratch, link, &ui};
      walk.Collect(row.id, PressMachineSetup(row.id, records, scaleNames).entryCode);
    }
    MachineCalibrationScreen calibrationScreen;
    calibrationScreen.Open(link);
    for (const ScreenItem& row : calibrationScreen.Rows(settings, link)) {
      MachineSettings scratch = settings;
      SetupRecords records{scratch, link, &ui};
      walk.Collect(row.id, calibrationScreen.Press(row.id, records).entryCode);
    }
  }
  for (int twoPlane : {0, 1}) {
    MachineSettings s;
    s.twoPlaneMode = twoPlane;
    CorrectionState state;
    walk.CollectItems(DrillSetupScreen(s, state).Items(),
                      [&](int id) { return DrillSetupScreen(s, state).Press(id); });
    for (const ScreenItem& item : HeavyMetalSetupScreen(s).Items()) {
      MachineSettings scratch = s;
      if (item.shown) {
        walk.Collect(item.id, HeavyMetalSetupScreen(scratch).Press(item.id).entryCode);
      }
    }
  }
  DensityScreen density(settings);
  for (const ScreenItem& item : density.Items()) {
    MachineSettings scratch = settings;
    walk.Collect(item.id, DensityScreen(scratch).Press(item.id).entryCode);
  }
  ToleranceCalculator calc;
  ToleranceScreen tolerance(settings, calc);
  for (const ScreenItem& item : tolerance.Items()) {
    MachineSettings scratch = settings;
    ToleranceCalculator scratchCalc;
    walk.Collect(item.id, ToleranceScreen(scratch, scratchCalc).Press(item.id).entryCode);
  }

  // The walk reached the screens' numeric fields at all.
  EXPECT_GT(walk.Entries().size(), 30u);
  walk.ExpectRows();
}

TEST_F(FieldRows, EveryCodeTheStoreTakesOrABoxShowsHasALabelAndAUnit) {
  int taken = 0;
  for (int code = 0; code <= kLastFieldCode + 10; ++code) {
    settings = MachineSettings();
    settings.speedControl = 1;
    calibration = KnownWeightCalibration();
    const bool boxShows = !ValueBoxText(code, settings).empty();
    const FieldStoreOutcome outcome = Store(code, 1.0);
    if (!outcome.handled && !boxShows) continue;
    ++taken;
    ExpectNumericRow(code);
    // A plain field's box shows what the store put in its member.
    if (FieldRowOf(code).IsPlain()) {
      EXPECT_TRUE(boxShows) << Named(code);
    }
  }
  EXPECT_GT(taken, 50);
}

TEST_F(FieldRows, PlainFieldsGoThroughTheirUnitAndRange) {
  settings.lengthUnit = 1;
  settings.weightUnit = 1;
  Store(kFieldCounterweightThicknessRight, 25.4);
  EXPECT_DOUBLE_EQ(settings.cwThicknessRight, 1.0);
  EXPECT_EQ(ValueBoxText(kFieldCounterweightThicknessRight, settings), "25.4mm");
  Store(kFieldMinExtraWeight, 1.0);
  EXPECT_DOUBLE_EQ(settings.minExtraWeight, 28.349525);
  EXPECT_EQ(ValueBoxText(kFieldMinExtraWeight, settings), "1.00");
  Store(kFieldSideWeightLeft, 10.0);  // kilograms with millimetres
  EXPECT_DOUBLE_EQ(settings.sideWeightLeft, 22.0462);
  EXPECT_EQ(ValueBoxText(kFieldSideWeightLeft, settings), "10.0");
  Store(kFieldScreenAspectRatio, 2.0);
  EXPECT_DOUBLE_EQ(settings.screenAspectRatio, 1.12);
  Store(kFieldSampleQuality, 2.6);
  EXPECT_EQ(settings.sampleQuality, 3);
  Store(kFieldShaftWeight, 0.0);
  EXPECT_DOUBLE_EQ(settings.shaftWeightPounds, kMinShaftWeightPounds);
  EXPECT_DOUBLE_EQ(FieldRowOf(kFieldMaxOperatingRpm).minimum, kMinOperatingRpm);
  // A negative lag compensation is kept; the table says so.
  EXPECT_TRUE(AcceptsNegative(kFieldLagCompensationLeft));
  Store(kFieldLagCompensationLeft, -3.5);
  EXPECT_DOUBLE_EQ(settings.lagCompensationLeft, -3.5);
  EXPECT_EQ(ValueBoxText(kFieldLagCompensationLeft, settings), "-3.5");
}

TEST(FieldCodes, OtherNamesOfTheSameNumbersAgree) {
  EXPECT_EQ(kIdOk, kFieldOk);
  EXPECT_EQ(kExitButton, kFieldOk);
  EXPECT_EQ(kIdExit, kFieldExit);
  EXPECT_EQ(kCmdClose, kFieldExit);
  EXPECT_EQ(kCmdSaveFinal, kFieldSaveFinal);
  EXPECT_EQ(kSetupShaftRpm, kFieldShaftRpm);
  EXPECT_EQ(kSetupOptionEncoderRes, kFieldOptionEncoderResolution);
  EXPECT_EQ(kCalOptionPortType, kFieldOptionPortType);
  EXPECT_EQ(kCalLoadEeprom, kFieldLoadFromEeprom);
  EXPECT_EQ(kEntryRodTotals, kFieldRodTotalFirst);
  EXPECT_EQ(kEntryLastComponent, kFieldPinLast);
  EXPECT_EQ(kTextFrontExternal, kFieldFrontExternalText);
  EXPECT_EQ(kTextCompany, kFieldCompanyName);
  EXPECT_EQ(kBobDate, kFieldDate);
  EXPECT_EQ(kBobweightScreenCode, kScreenBobweight);
  EXPECT_EQ(kComponentScreenCode, kScreenComponentEntry);
  EXPECT_EQ(kPrintOptionsScreenCode, kScreenPrintOptions);
  EXPECT_EQ(kMachineSetupScreenCode, kScreenMachineSetup);
  EXPECT_EQ(kMachineCalibrationScreenCode, kScreenCalibration);
  EXPECT_EQ(kToleranceScreenCode, kScreenTolerance);
  EXPECT_EQ(kReluctorScreenCode, kScreenReluctor);
}

}  // namespace
}  // namespace balancer
