#include "records/machine_setup_screen.h"

#include <gtest/gtest.h>

#include <set>

#include "app/field_store.h"
#include "base/field_table.h"
#include "bobweight/scale.h"
#include "device/control_commands.h"
#include "records/settings_file.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using test::FakeTransport;

std::vector<std::string> ScaleNames() {
  std::vector<std::string> names;
  for (int i = 0; i <= kScaleModelCount; ++i) names.push_back(ScaleModelEntry(i).name);
  return names;
}

class MachineSetupTest : public ::testing::Test {
 protected:
  void Connect(uint16_t firmware, int optionPortType) {
    fake.firmwareVersion = firmware;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
    link.optionPortType = optionPortType;
    fake.transfers.clear();
  }
  std::vector<ScreenItem> Rows() const { return MachineSetupRows(settings, link, names); }
  std::string Value(int id) const {
    std::vector<ScreenItem> rows = Rows();
    const ScreenItem* row = FindItem(rows, id);
    return row ? row->value : "(no row)";
  }
  ScreenPress Press(int id) {
    SetupRecords records{settings, link, &ui};
    return PressMachineSetup(id, records, names);
  }
  std::set<int> Ids() const {
    std::set<int> ids;
    for (const ScreenItem& row : Rows()) ids.insert(row.id);
    return ids;
  }

  FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  MachineSettings settings;
  std::vector<std::string> names = ScaleNames();
};

TEST_F(MachineSetupTest, LabelsAreTheFieldTableLabels) {
  Connect(0x0304, 5);
  for (const ScreenItem& row : Rows()) {
    if (row.id == kExitButton) {
      EXPECT_EQ(row.label, "Exit");
      continue;
    }
    // The calculators are screens, not fields.
    if (row.id == kSetupToleranceCalculator || row.id == kSetupReluctorSimulator ||
        row.id == kSetupProvingTest) {
      continue;
    }
    EXPECT_EQ(row.label, FieldLabel(row.id)) << row.id;
  }
}

TEST_F(MachineSetupTest, CalculatorsOpenOverTheScreenAndLeaveTheSettingsAlone) {
  // With the photo-eye rows the second column is at its fullest: the two
  // calculators still sit above Exit, each in its own place.
  Connect(0x0304, 5);
  const std::vector<ScreenItem> rows = Rows();
  const ScreenItem* tolerance = nullptr;
  const ScreenItem* reluctor = nullptr;
  const ScreenItem* exit = nullptr;
  for (const ScreenItem& row : rows) {
    if (row.id == kSetupToleranceCalculator) tolerance = &row;
    if (row.id == kSetupReluctorSimulator) reluctor = &row;
    if (row.id == kExitButton) exit = &row;
  }
  ASSERT_NE(tolerance, nullptr);
  ASSERT_NE(reluctor, nullptr);
  ASSERT_NE(exit, nullptr);
  EXPECT_LT(tolerance->place.y, reluctor->place.y);
  EXPECT_LT(reluctor->place.y, exit->place.y);

  const MachineSettings before = settings;
  ScreenPress press = Press(kSetupToleranceCalculator);
  EXPECT_EQ(press.openScreen, kToleranceScreenCode);
  EXPECT_FALSE(press.close);
  EXPECT_EQ(Press(kSetupReluctorSimulator).openScreen, kReluctorScreenCode);
  EXPECT_EQ(FormatSettings(before), FormatSettings(settings));
}

TEST_F(MachineSetupTest, ProvingTestSitsUnderTheCalculatorsAboveExitOnEveryControl) {
  // No control, plain firmware, the photo eye (fullest column) and the option
  // encoder: the button is there, in the calculators' column, below them.
  const int ports[] = {0, 2, 5};
  for (int pass = 0; pass < 4; ++pass) {
    if (pass > 0) Connect(0x0304, ports[pass - 1]);
    const std::vector<ScreenItem> rows = Rows();
    const ScreenItem* reluctor = FindItem(rows, kSetupReluctorSimulator);
    const ScreenItem* proving = FindItem(rows, kSetupProvingTest);
    const ScreenItem* exit = FindItem(rows, kExitButton);
    ASSERT_NE(proving, nullptr) << pass;
    ASSERT_NE(reluctor, nullptr);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(proving->label, "Machine Proving Test");
    EXPECT_EQ(proving->place.x, reluctor->place.x) << pass;
    EXPECT_GE(proving->place.y, reluctor->place.y + reluctor->place.height) << pass;
    EXPECT_LE(proving->place.y + proving->place.height, exit->place.y) << pass;
  }
  const MachineSettings before = settings;
  ScreenPress press = Press(kSetupProvingTest);
  EXPECT_TRUE(press.handled);
  EXPECT_EQ(press.openScreen, kProvingScreenCode);
  EXPECT_FALSE(press.close || press.writeSettings);
  EXPECT_EQ(FormatSettings(before), FormatSettings(settings));
}

TEST_F(MachineSetupTest, ValuesAsTheyStandOnAFreshMachine) {
  EXPECT_EQ(Value(kSetupShaftRpm), "Manual");
  EXPECT_EQ(Value(kSetupTolerance), "13.6 gm/in");
  EXPECT_EQ(Value(kSetupSampleQuality), "2");
  EXPECT_EQ(Value(kSetupRightUpright), "Normal");
  EXPECT_EQ(Value(kSetupWeightUnit), "Grams");
  EXPECT_EQ(Value(kSetupLengthUnit), "Inches");
  EXPECT_EQ(Value(kSetupOilWeight), "5.0");
  EXPECT_EQ(Value(kSetupEmptyBobweight), "0.0");
  EXPECT_EQ(Value(kSetupCoupleForces), "Hidden");
  EXPECT_EQ(Value(kSetupUpdateSoftware), "");
  EXPECT_EQ(Value(kSetupSpeedControl), "Manual");
  EXPECT_EQ(Value(kSetupScale), "None");
  EXPECT_EQ(Value(kSetupTouchscreen), "No");
  EXPECT_EQ(Value(kSetupBobweightDetail), "Multiple");
}

TEST_F(MachineSetupTest, ToleranceInEveryUnit) {
  settings.toleranceMoment = 5.0;  // gram-inches
  EXPECT_EQ(ToleranceText(settings), "5.00 gm/in");
  settings.toleranceMoment = 10.0;
  EXPECT_EQ(ToleranceText(settings), "10.0 gm/in");
  settings.lengthUnit = 1;
  EXPECT_EQ(ToleranceText(settings), "254.0 gm/mm");
  settings.weightUnit = 1;
  EXPECT_EQ(ToleranceText(settings), "8.96 oz/mm");
  settings.lengthUnit = 0;
  EXPECT_EQ(ToleranceText(settings), "0.35 oz/in");
}

TEST_F(MachineSetupTest, WeightsShownInTheDisplayUnit) {
  settings.weightUnit = 1;
  settings.defaultOilWeight = 28.349525;
  EXPECT_EQ(Value(kSetupOilWeight), "1.0");
}

TEST_F(MachineSetupTest, ReversedUprightIsRed) {
  Press(kSetupRightUpright);
  const std::vector<ScreenItem> rows = Rows();
  const ScreenItem* row = FindItem(rows, kSetupRightUpright);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->value, "Reversed");
  EXPECT_EQ(row->colour, kValueRedText);
  EXPECT_EQ(FindItem(rows, kSetupWeightUnit)->colour, kValueText);
}

TEST_F(MachineSetupTest, RpmOpensNoEntryInManual) {
  ScreenPress press = Press(kSetupShaftRpm);
  EXPECT_TRUE(press.handled);
  EXPECT_EQ(press.entryCode, 0);
  EXPECT_FALSE(FindItem(Rows(), kSetupShaftRpm)->enabled);
  settings.speedControl = 1;
  EXPECT_EQ(Press(kSetupShaftRpm).entryCode, kSetupShaftRpm);
  EXPECT_EQ(Value(kSetupShaftRpm), "500");
}

TEST_F(MachineSetupTest, NumericButtonsOpenTheirEntries) {
  for (int id : {kSetupTolerance, kSetupSampleQuality, kSetupOilWeight, kSetupEmptyBobweight}) {
    ScreenPress press = Press(id);
    EXPECT_EQ(press.entryCode, id);
    EXPECT_FALSE(press.repaint);
  }
}

TEST_F(MachineSetupTest, TogglesAndWhatFollows) {
  ScreenPress units = Press(kSetupWeightUnit);
  EXPECT_EQ(settings.weightUnit, 1);
  EXPECT_TRUE(units.recompute);
  EXPECT_EQ(Value(kSetupWeightUnit), "Ounces");
  ScreenPress length = Press(kSetupLengthUnit);
  EXPECT_EQ(settings.lengthUnit, 1);
  EXPECT_TRUE(length.recompute);
  EXPECT_EQ(Value(kSetupLengthUnit), "Millimeters");
  EXPECT_TRUE(Press(kSetupCoupleForces).repaintMain);
  EXPECT_EQ(Value(kSetupCoupleForces), "Displayed");
  Press(kSetupTouchscreen);
  EXPECT_EQ(Value(kSetupTouchscreen), "Yes");
  Press(kSetupBobweightDetail);
  EXPECT_EQ(Value(kSetupBobweightDetail), "Single");
  Press(kSetupBobweightDetail);
  EXPECT_EQ(settings.bobweightDetail, 1);
}

TEST_F(MachineSetupTest, SpeedControlCyclesAndChangesTheSpinFace) {
  const char* expected[] = {"Auto", "Semi-Auto", "Manual"};
  for (const char* name : expected) {
    ScreenPress press = Press(kSetupSpeedControl);
    EXPECT_TRUE(press.spinFaceChanged);
    EXPECT_EQ(Value(kSetupSpeedControl), name);
  }
  EXPECT_EQ(settings.speedControl, 0);
}

TEST_F(MachineSetupTest, ScaleCyclesThroughEveryModelBackToNone) {
  for (int i = 1; i <= kScaleModelCount; ++i) {
    Press(kSetupScale);
    EXPECT_EQ(settings.scaleType, i);
  }
  EXPECT_EQ(Value(kSetupScale), "Ohaus Adv");
  Press(kSetupScale);
  EXPECT_EQ(settings.scaleType, 0);
  settings.scaleType = 40;  // damaged
  EXPECT_EQ(Value(kSetupScale), "");
  Press(kSetupScale);
  EXPECT_EQ(settings.scaleType, 0);
}

TEST_F(MachineSetupTest, UpdateSoftwareAsksForTheUpdateCheckOnly) {
  MachineSettings before = settings;
  ScreenPress press = Press(kSetupUpdateSoftware);
  EXPECT_TRUE(press.updateCheck);
  EXPECT_FALSE(press.repaint);
  EXPECT_EQ(press.entryCode, 0);
  EXPECT_EQ(FormatSettings(settings), FormatSettings(before));
}

TEST_F(MachineSetupTest, ExitAndKeys) {
  EXPECT_TRUE(Press(kExitButton).close);
  EXPECT_FALSE(Press(999).handled);
  EXPECT_EQ(MachineSetupKey('s'), kSetupShaftRpm);
  EXPECT_EQ(MachineSetupKey('T'), kSetupTolerance);
  EXPECT_EQ(MachineSetupKey('q'), kSetupSampleQuality);
  EXPECT_EQ(MachineSetupKey('r'), kSetupRightUpright);
  EXPECT_EQ(MachineSetupKey('g'), kSetupWeightUnit);
  EXPECT_EQ(MachineSetupKey('i'), kSetupLengthUnit);
  EXPECT_EQ(MachineSetupKey('o'), kSetupOilWeight);
  EXPECT_EQ(MachineSetupKey('m'), kSetupEmptyBobweight);
  EXPECT_EQ(MachineSetupKey(27), kExitButton);
  EXPECT_EQ(MachineSetupKey('x'), 0);
  EXPECT_EQ(MachineSetupKey('c'), 0);
}

TEST_F(MachineSetupTest, FirmwareRowsComeAndGo) {
  const std::set<int> photo = {kSetupPhotoEye, kSetupPhotoEyeDirection};
  auto has = [this](int id) { return Ids().count(id) == 1; };
  // Without a control none of them.
  EXPECT_FALSE(has(kSetupPhotoEye));
  EXPECT_FALSE(has(kSetupOptionEncoderRes));
  Connect(0x0304, 5);
  EXPECT_TRUE(has(kSetupPhotoEye));
  EXPECT_TRUE(has(kSetupPhotoEyeDirection));
  EXPECT_FALSE(has(kSetupOptionEncoderRes));
  link.optionPortType = 2;
  EXPECT_FALSE(has(kSetupPhotoEye));
  EXPECT_TRUE(has(kSetupOptionEncoderRes));
  link.optionPortType = 3;
  EXPECT_TRUE(has(kSetupOptionEncoderRes));
  EXPECT_EQ(Value(kSetupOptionEncoderRes), "1000");
  link.optionPortType = 4;
  EXPECT_FALSE(has(kSetupOptionEncoderRes));
  // Only firmware 3.04 exactly.
  for (uint16_t firmware : {0x0300, 0x0305, 0x0312, 0x0210}) {
    link.FirmwareVersion = firmware;
    link.optionPortType = 5;
    EXPECT_FALSE(has(kSetupPhotoEye)) << firmware;
    link.optionPortType = 2;
    EXPECT_FALSE(has(kSetupOptionEncoderRes)) << firmware;
  }
}

TEST_F(MachineSetupTest, RowsDoNotOverlap) {
  Connect(0x0304, 5);
  std::vector<ScreenItem> rows = Rows();
  const DesignBox window = MachineSetupWindowBox();
  for (size_t i = 0; i < rows.size(); ++i) {
    const DesignBox& a = rows[i].place;
    EXPECT_LE(rows[i].valueBox.x + rows[i].valueBox.width, window.width) << rows[i].id;
    EXPECT_LE(a.y + a.height, window.height) << rows[i].id;
    for (size_t j = i + 1; j < rows.size(); ++j) {
      const DesignBox& b = rows[j].place;
      bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                   b.y + b.height <= a.y;
      EXPECT_TRUE(apart) << rows[i].id << " and " << rows[j].id;
    }
  }
}

TEST_F(MachineSetupTest, PhotoEyeSendsItsOutputMode) {
  Connect(0x0304, 5);
  link.lastFlagsByte = 0x62;
  link.SoftZeroActive = 1;
  // On with CCW (direction 1): 0xC2.
  ScreenPress on = Press(kSetupPhotoEye);
  EXPECT_EQ(settings.photoEye, 1);
  EXPECT_EQ(Value(kSetupPhotoEye), "ON");
  ASSERT_EQ(on.sentBytes, std::vector<int>{0xC2});
  // Direction to CW while on: 0xE2.
  ScreenPress direction = Press(kSetupPhotoEyeDirection);
  EXPECT_EQ(Value(kSetupPhotoEyeDirection), "CW");
  EXPECT_EQ(direction.sentBytes, std::vector<int>{0xE2});
  // Off: the flags byte without the photo-eye bit, and the soft zero ends.
  ScreenPress off = Press(kSetupPhotoEye);
  EXPECT_EQ(off.sentBytes, std::vector<int>{0x60});
  EXPECT_EQ(link.SoftZeroActive, 0);
  std::vector<FakeTransport::Transfer> expected = {
      {kRequestPhotoEyeMode, 0xC2}, {kRequestPhotoEyeMode, 0xE2}, {kRequestPhotoEyeMode, 0x60}};
  EXPECT_EQ(fake.TransfersOf(kRequestPhotoEyeMode), expected);
}

TEST_F(MachineSetupTest, PhotoEyeButtonsAreInertWithoutTheirRows) {
  Connect(0x0304, 1);
  ScreenPress press = Press(kSetupPhotoEye);
  EXPECT_TRUE(press.handled);
  EXPECT_EQ(settings.photoEye, 0);
  EXPECT_TRUE(fake.transfers.empty());
  EXPECT_EQ(Press(kSetupOptionEncoderRes).entryCode, 0);
}

// The entries of this screen through the field store, as the entry window
// commits them.
class MachineSetupEntryTest : public MachineSetupTest {
 protected:
  FieldStoreOutcome Enter(int code, double value) {
    FieldStoreContext context{settings};
    context.link = &link;
    return StoreFieldValue(code, value, context);
  }
};

TEST_F(MachineSetupEntryTest, EntriesAreStoredAndLimited) {
  settings.speedControl = 1;
  Enter(kSetupShaftRpm, 1500.7);
  EXPECT_EQ(Value(kSetupShaftRpm), "1000");
  Enter(kSetupShaftRpm, 612.9);
  EXPECT_EQ(settings.shaftRpm, 612);
  Enter(kSetupSampleQuality, 2.6);
  EXPECT_EQ(settings.sampleQuality, 3);
  Enter(kSetupSampleQuality, 0.2);
  EXPECT_EQ(settings.sampleQuality, 1);
  settings.weightUnit = 1;
  Enter(kSetupEmptyBobweight, 2.0);
  EXPECT_NEAR(settings.emptyBobweight, 56.69905, 1e-6);
  EXPECT_EQ(Value(kSetupEmptyBobweight), "2.0");
  Enter(kSetupTolerance, 0.0);
  EXPECT_EQ(settings.toleranceMoment, 0.001);
}

}  // namespace
}  // namespace balancer
