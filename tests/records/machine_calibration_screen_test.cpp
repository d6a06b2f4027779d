#include "records/machine_calibration_screen.h"

#include <gtest/gtest.h>

#include <set>

#include "app/field_store.h"
#include "app/message_answers.h"
#include "base/field_table.h"
#include "correction/correction_pass.h"
#include "device/control_commands.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "records/settings_bridge.h"
#include "records/settings_file.h"
#include "sim/sim_transport.h"
#include "support/fake_transport.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

using test::FakeTransport;

class CalibrationScreenTest : public ::testing::Test {
 protected:
  void Connect(uint16_t firmware) {
    fake.firmwareVersion = firmware;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
    fake.transfers.clear();
  }
  std::string Value(int id) const {
    std::vector<ScreenItem> rows = screen.Rows(settings, link);
    const ScreenItem* row = FindItem(rows, id);
    return row ? row->value : "(no row)";
  }
  const ScreenItem* Row(int id) {
    rows = screen.Rows(settings, link);
    return FindItem(rows, id);
  }
  std::set<int> Ids() const {
    std::set<int> ids;
    for (const ScreenItem& row : screen.Rows(settings, link)) ids.insert(row.id);
    return ids;
  }
  ScreenPress Press(int id) {
    SetupRecords records{settings, link, &ui};
    return screen.Press(id, records);
  }
  // The desired reading as the entry window commits it.
  EntryCommit Enter(int code, const std::string& text, double leftMoment, double rightMoment) {
    FieldStoreContext context{settings};
    context.calibration = &screen.calibration;
    context.leftMoment = leftMoment;
    context.rightMoment = rightMoment;
    context.leftMeasured = leftMoment > 0.0;
    context.rightMeasured = rightMoment > 0.0;
    context.link = &link;
    return CommitTypedEntry(text, code, context, folder.Folder());
  }

  FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  MachineSettings settings;
  MachineCalibrationScreen screen;
  std::vector<ScreenItem> rows;
  test::TempFolder folder;
};

TEST_F(CalibrationScreenTest, LabelsAreTheFieldTableLabels) {
  Connect(0x0304);
  screen.Open(link);
  for (const ScreenItem& row : screen.Rows(settings, link)) {
    if (row.id == kExitButton) continue;
    EXPECT_EQ(row.label, FieldLabel(row.id)) << row.id;
  }
}

TEST_F(CalibrationScreenTest, ValuesOfAFreshMachine) {
  screen.Open(link);
  settings.lagCompensationLeft = -3.25;
  EXPECT_EQ(Value(kCalLagLeft), " -3.2");
  EXPECT_EQ(Value(kCalLagRight), "  0.0");
  EXPECT_EQ(Value(kCalFactorLeft), "2.0000");
  EXPECT_EQ(Value(kCalAspectRatio), "1.000");
  EXPECT_EQ(Value(kCalDesiredLeft), "0.00");
  EXPECT_EQ(Row(kCalDesiredLeft)->colour, kValueText);
  EXPECT_EQ(Value(kCalSuspension), "Hard Bearing");
  EXPECT_EQ(Value(kCalSensorType), "LVDT");
}

TEST_F(CalibrationScreenTest, LowerGroupAndHeightFollowTheControl) {
  const std::set<int> lower = {kCalEncoderCount, kCalEncoderDirection, kCalOptionPortType,
                               kCalLoadEeprom, kCalSaveEeprom};
  auto lowerShown = [&] {
    std::set<int> shown;
    for (int id : Ids())
      if (lower.count(id)) shown.insert(id);
    return shown;
  };
  // No control.
  screen.Open(link);
  EXPECT_TRUE(lowerShown().empty());
  const int shortHeight = screen.WindowBox().height;

  Connect(0x0210);  // below 3.00
  screen.Open(link);
  EXPECT_TRUE(lowerShown().empty());
  EXPECT_EQ(screen.WindowBox().height, shortHeight);

  Connect(0x0300);  // 3.00: no option port type yet
  screen.Open(link);
  EXPECT_EQ(lowerShown(), (std::set<int>{kCalEncoderCount, kCalEncoderDirection, kCalLoadEeprom,
                                         kCalSaveEeprom}));
  const int midHeight = screen.WindowBox().height;
  EXPECT_GT(midHeight, shortHeight);

  Connect(0x0304);
  screen.Open(link);
  EXPECT_EQ(lowerShown(), lower);
  EXPECT_GT(screen.WindowBox().height, midHeight);

  Connect(0x0312);  // keeps its option port type to itself
  screen.Open(link);
  EXPECT_EQ(lowerShown().count(kCalOptionPortType), 0u);
  EXPECT_EQ(lowerShown().size(), 4u);
}

TEST_F(CalibrationScreenTest, TheTallestFormFitsTheScreen) {
  Connect(0x0304);
  screen.Open(link);
  DesignBox box = screen.WindowBox();
  EXPECT_GE(box.y, 0);
  // The caption bar comes on top of the client area.
  EXPECT_LE(box.y + box.height + 30, 680);
  for (const ScreenItem& row : screen.Rows(settings, link)) {
    EXPECT_LE(row.place.y + row.place.height, box.height) << row.id;
  }
}

TEST_F(CalibrationScreenTest, EntriesOpenTheirFields) {
  screen.Open(link);
  for (int id : {kCalLagLeft, kCalLagRight, kCalFactorLeft, kCalFactorRight, kCalAspectRatio,
                 kCalDesiredLeft, kCalDesiredRight}) {
    EXPECT_EQ(Press(id).entryCode, id);
  }
  EXPECT_TRUE(Press(kExitButton).close);
  EXPECT_EQ(MachineCalibrationKey(kCtrlL), kCalDesiredLeft);
  EXPECT_EQ(MachineCalibrationKey(kCtrlR), kCalDesiredRight);
  EXPECT_EQ(MachineCalibrationKey(27), kExitButton);
  EXPECT_EQ(MachineCalibrationKey('l'), 0);
}

TEST_F(CalibrationScreenTest, AspectRatioEntryIsLimited) {
  FieldStoreContext context{settings};
  StoreFieldValue(kCalAspectRatio, 1.5, context);
  EXPECT_EQ(Value(kCalAspectRatio), "1.120");
  StoreFieldValue(kCalAspectRatio, 0.5, context);
  EXPECT_EQ(settings.screenAspectRatio, 0.88);
}

TEST_F(CalibrationScreenTest, SuspensionAsksThenTogglesWithTheSensor) {
  screen.Open(link);
  ScreenPress press = Press(kCalSuspension);
  ASSERT_TRUE(press.message.has_value());
  const OperatorMessage& q = *press.message;
  EXPECT_EQ(q.actionCode, 261);
  EXPECT_EQ(q.caption, "WARNING");
  EXPECT_EQ(q.buttonMode, kTwoButtons);
  EXPECT_EQ(q.firstButtonText, "CHANGE");
  EXPECT_EQ(q.secondButtonText, "CANCEL");
  EXPECT_EQ(q.text,
            "Hard Bearing or Soft Bearing refers to suspension stiffness,\n"
            "not the type of bearings the shaft spins on.\n\n"
            "Do not change this setting\n"
            "unless you are certain about the machine type.\n\n"
            "Are you sure you want to change this?");
  // Nothing changes until CHANGE.
  EXPECT_EQ(settings.suspension, kHardBearing);
  EXPECT_EQ(PlanMessageAnswer(kAnswerNo, q.actionCode, 'c').step, AnswerStep::kNone);
  EXPECT_EQ(PlanMessageAnswer(kAnswerYes, q.actionCode, 'c').step, AnswerStep::kToggleSuspension);
  ToggleSuspension(settings);
  EXPECT_EQ(Value(kCalSuspension), "Soft Bearing");
  EXPECT_EQ(Value(kCalSensorType), "Accelerometer");
  // Soft bearing: the sensor type stays.
  EXPECT_FALSE(Row(kCalSensorType)->enabled);
  ScreenPress sensor = Press(kCalSensorType);
  EXPECT_FALSE(sensor.repaint);
  EXPECT_EQ(settings.sensorType, kSensorAccelerometer);
  ToggleSuspension(settings);
  EXPECT_EQ(Value(kCalSensorType), "LVDT");
}

TEST_F(CalibrationScreenTest, SensorTypeCyclesWithHardBearing) {
  screen.Open(link);
  const char* expected[] = {"Piezo", "Magnet-Coil", "LVDT"};
  for (const char* name : expected) {
    EXPECT_TRUE(Press(kCalSensorType).repaint);
    EXPECT_EQ(Value(kCalSensorType), name);
  }
  settings.sensorType = kSensorAccelerometer;  // loaded that way
  Press(kCalSensorType);
  EXPECT_EQ(settings.sensorType, kSensorLvdt);
}

TEST_F(CalibrationScreenTest, EncoderChangesSendTheConfigurationByte) {
  Connect(0x0304);
  screen.Open(link);
  EXPECT_EQ(Value(kCalEncoderCount), "360");
  EXPECT_EQ(Value(kCalEncoderDirection), "CW");
  EXPECT_EQ(Press(kCalEncoderCount).sentBytes, std::vector<int>{0x40});
  EXPECT_EQ(Value(kCalEncoderCount), "90");
  EXPECT_EQ(Press(kCalEncoderCount).sentBytes, std::vector<int>{0x80});
  EXPECT_EQ(Value(kCalEncoderCount), "720");
  EXPECT_EQ(Press(kCalEncoderDirection).sentBytes, std::vector<int>{0xA0});
  EXPECT_EQ(Value(kCalEncoderDirection), "CCW");
  // After the highest index back to the first.
  EXPECT_EQ(Press(kCalEncoderCount).sentBytes, std::vector<int>{0x20});
  EXPECT_EQ(settings.encoderCountIndex, 1);
  EXPECT_EQ(link.lastFlagsByte, 0x20);
  std::vector<FakeTransport::Transfer> expected = {{kRequestPhotoEyeMode, 0x40},
                                                   {kRequestPhotoEyeMode, 0x80},
                                                   {kRequestPhotoEyeMode, 0xA0},
                                                   {kRequestPhotoEyeMode, 0x20}};
  EXPECT_EQ(fake.transfers, expected);
  // A damaged index starts over too.
  settings.encoderCountIndex = 4;
  EXPECT_EQ(Value(kCalEncoderCount), "");
  Press(kCalEncoderCount);
  EXPECT_EQ(settings.encoderCountIndex, 1);
}

TEST_F(CalibrationScreenTest, ControlButtonsAreInertOnceTheControlIsGone) {
  Connect(0x0304);
  screen.Open(link);
  fake.Unplug();
  link.connected = 0;
  for (int id : {kCalEncoderCount, kCalEncoderDirection, kCalLoadEeprom, kCalSaveEeprom}) {
    ScreenPress press = Press(id);
    EXPECT_TRUE(press.handled);
    EXPECT_FALSE(press.repaint) << id;
    EXPECT_FALSE(press.message.has_value()) << id;
    EXPECT_FALSE(Row(id)->enabled) << id;
  }
  EXPECT_EQ(settings.encoderCountIndex, 1);
  EXPECT_EQ(settings.encoderDirection, 1);
  EXPECT_TRUE(fake.transfers.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CalibrationScreenTest, OptionPortTypeEntryGoesToTheControlRecord) {
  Connect(0x0304);
  screen.Open(link);
  EXPECT_EQ(Press(kCalOptionPortType).entryCode, kCalOptionPortType);
  EXPECT_EQ(Value(kCalOptionPortType), "0");
  FieldStoreContext context{settings};
  context.link = &link;
  StoreFieldValue(kCalOptionPortType, 2.6, context);
  EXPECT_EQ(Value(kCalOptionPortType), "3");
  StoreFieldValue(kCalOptionPortType, 7, context);
  EXPECT_EQ(link.optionPortType, 0);
}

TEST_F(CalibrationScreenTest, SaveAsksAndOnlyStoreWrites) {
  Connect(0x0304);
  screen.Open(link);
  settings.calibrationFactorLeft = 2.5;
  ScreenPress press = Press(kCalSaveEeprom);
  ASSERT_TRUE(press.message.has_value());
  EXPECT_EQ(press.message->actionCode, 250);
  EXPECT_EQ(press.message->caption, "WARNING");
  EXPECT_EQ(press.message->text,
            "Are you sure you want to store the current configuration\n"
            "in EEPROM memory of the balancer control?");
  EXPECT_EQ(press.message->firstButtonText, "STORE");
  EXPECT_EQ(press.message->secondButtonText, "CANCEL");
  EXPECT_TRUE(fake.EepromWrites().empty());
  EXPECT_EQ(PlanMessageAnswer(kAnswerNo, 250, 'c').step, AnswerStep::kNone);
  // OK (Enter) is not STORE either.
  EXPECT_EQ(PlanMessageAnswer(kAnswerOk, 250, 'c').step, AnswerStep::kNone);
  ASSERT_EQ(PlanMessageAnswer(kAnswerYes, 250, 'c').step, AnswerStep::kStoreConfig);
  EXPECT_TRUE(StoreSettingsIntoControl(link, settings));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(fake.eeprom.data() + 1), 12), "0.0,0.0,2.50");
}

TEST_F(CalibrationScreenTest, LoadTakesTheRecordAtOnce) {
  Connect(0x0304);
  fake.SetEepromRecord(0x60, "1.5,-2.0,2.2500,1.7500,2,0.0,1.0000,0,");
  screen.Open(link);
  ScreenPress press = Press(kCalLoadEeprom);
  EXPECT_FALSE(press.message.has_value());
  EXPECT_TRUE(press.repaint);
  EXPECT_TRUE(press.recompute);
  EXPECT_TRUE(press.writeSettings);
  EXPECT_EQ(Value(kCalFactorLeft), "2.2500");
  EXPECT_EQ(Value(kCalLagRight), " -2.0");
  EXPECT_EQ(Value(kCalSensorType), "Magnet-Coil");
  EXPECT_EQ(Value(kCalEncoderCount), "90");
  EXPECT_EQ(Value(kCalEncoderDirection), "CCW");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ConfigRetrievedMessage().text);
}

TEST_F(CalibrationScreenTest, DesiredReadingOncePerOpeningInRed) {
  screen.Open(link);
  settings.calibrationFactorLeft = 2.0;
  // The left reading shows 8.00: moment 8 * radius 3.5.
  const double moment = 8.0 * settings.correctionRadiusLeft;
  EntryCommit first = Enter(kCalDesiredLeft, "10", moment, 0.0);
  EXPECT_TRUE(first.outcome.stored);
  EXPECT_TRUE(first.settingsWritten);
  MachineSettings written;
  ASSERT_TRUE(readSettings(folder.File("balsetup.bak"), written, nullptr, false));
  EXPECT_EQ(written.calibrationFactorLeft, 2.5);
  EXPECT_EQ(Value(kCalFactorLeft), "2.5000");
  EXPECT_EQ(Value(kCalDesiredLeft), "10.00");
  EXPECT_EQ(Row(kCalDesiredLeft)->colour, kValueRedText);
  // A second entry while the window stays open changes nothing.
  EntryCommit second = Enter(kCalDesiredLeft, "20", moment, 0.0);
  EXPECT_FALSE(second.outcome.stored);
  EXPECT_EQ(settings.calibrationFactorLeft, 2.5);
  EXPECT_EQ(Value(kCalDesiredLeft), "10.00");
  // The right side was not touched and there was no right reading.
  EXPECT_FALSE(Enter(kCalDesiredRight, "5", moment, 0.0).outcome.stored);
  EXPECT_EQ(Row(kCalDesiredRight)->colour, kValueText);
  // Opened again: a new entry is taken.
  screen.Open(link);
  EXPECT_EQ(Value(kCalDesiredLeft), "0.00");
  EXPECT_TRUE(Enter(kCalDesiredLeft, "8", moment, 0.0).outcome.stored);
  EXPECT_EQ(settings.calibrationFactorLeft, 2.5);
}

TEST_F(CalibrationScreenTest, DesiredReadingRefusesNonsense) {
  screen.Open(link);
  const double moment = 28.0;
  EXPECT_FALSE(Enter(kCalDesiredLeft, "-5", moment, 0.0).outcome.stored);
  EXPECT_FALSE(Enter(kCalDesiredLeft, "0", moment, 0.0).outcome.stored);
  EXPECT_FALSE(Enter(kCalDesiredLeft, "1e999", moment, 0.0).outcome.stored);
  EXPECT_EQ(settings.calibrationFactorLeft, 2.0);
  EXPECT_EQ(Value(kCalDesiredLeft), "0.00");
}

// The operator's calibration with a known weight on the simulated machine:
// spin, type the reading the weight should give, spin again.
struct SimMachine {
  explicit SimMachine(const sim::SimConfig& config) : transport(clock, config) {
    link.transport = &transport;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    SensorMapDefaults(map);
  }
  void Spin() {
    RunSpin(link, settings, options, map, ui, host, state);
    result = RunCorrectionPass(state.left, state.right, settings, zones, correction, &ui);
  }
  double Shown(double moment, double radius) const {
    return moment / radius / WeightDivisor(settings);
  }

  class Host : public SpinHost {
   public:
    void SpinStarting(bool) override {}
    bool OpenSpeedBar() override { return true; }
    void ComputeCorrections() override {}
    void SpinEnded(bool, bool) override {}
    void AppendHistory(const PlaneReading&, const PlaneReading&) override {}
    void RestoreSpinButton() override {}
  };

  VirtualClock clock;
  sim::SimTransport transport;
  ControlLink link;
  RecordingOperatorUi ui;
  Host host;
  MachineSettings settings;
  SpinOptions options;
  SensorMap map;
  SpinState state;
  CorrectionZones zones;
  CorrectionState correction;
  CorrectionResult result;
};

TEST(CalibrationBySpin, SecondSpinReadsTheDesiredValue) {
  for (int weightUnit : {0, 1}) {
    sim::SimConfig config;
    config.noise = 0.0;
    config.manualDriveRpm = 500.0;
    config.leftUnbalance = 70.0;
    config.leftAngle = 30.0;
    config.rightUnbalance = 35.0;
    config.rightAngle = 250.0;
    config.gainLeft = 0.8;  // the factors of 2.0 are wrong for this machine
    config.gainRight = 0.3;
    SimMachine m(config);
    m.settings.weightUnit = weightUnit;
    m.settings.sampleQuality = 1;
    m.Spin();
    ASSERT_EQ(m.state.SpinActive, 1);
    const double radiusLeft = m.settings.correctionRadiusLeft;
    const double radiusRight = m.settings.correctionRadiusRight;
    const double before = m.Shown(m.result.left.plane.moment, radiusLeft);
    // The known weights: what a true reading of these unbalances shows.
    const double desiredLeft = m.Shown(70.0, radiusLeft);
    const double desiredRight = m.Shown(35.0, radiusRight);
    ASSERT_GT(std::fabs(before - desiredLeft), 0.05 * desiredLeft) << "already calibrated";

    MachineCalibrationScreen screen;
    screen.Open(m.link);
    FieldStoreContext context{m.settings};
    context.calibration = &screen.calibration;
    context.leftMoment = m.result.left.plane.moment;
    context.rightMoment = m.result.right.plane.moment;
    context.leftMeasured = context.rightMeasured = true;
    char typed[32];
    std::snprintf(typed, sizeof typed, "%.4f", desiredLeft);
    EXPECT_TRUE(StoreFieldValue(kCalDesiredLeft, std::atof(typed), context).stored);
    std::snprintf(typed, sizeof typed, "%.4f", desiredRight);
    EXPECT_TRUE(StoreFieldValue(kCalDesiredRight, std::atof(typed), context).stored);

    m.Spin();
    ASSERT_EQ(m.state.SpinActive, 1);
    EXPECT_NEAR(m.Shown(m.result.left.plane.moment, radiusLeft), desiredLeft, 0.005 * desiredLeft)
        << weightUnit;
    EXPECT_NEAR(m.Shown(m.result.right.plane.moment, radiusRight), desiredRight,
                0.005 * desiredRight)
        << weightUnit;
  }
}

}  // namespace
}  // namespace balancer
