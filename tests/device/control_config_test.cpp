#include "device/control_config.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/operator_ui.h"
#include "device/control_commands.h"
#include "support/fake_transport.h"

namespace balancer {
namespace {

using test::FakeTransport;

constexpr char kExampleText[] = "0.0,0.0,2.0000,2.0000,0,0.0,1.0000,0,";

class ConfigTest : public ::testing::Test {
 protected:
  void Connect(uint16_t firmware = 0x0304) {
    fake.firmwareVersion = firmware;
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
    fake.transfers.clear();
  }
  std::string EepromText() const {
    return std::string(reinterpret_cast<const char*>(fake.eeprom.data() + 1));
  }

  FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  ControlConfig config;  // the worked example: defaults
};

TEST(ConfigFlagsTest, FlagsByteFromEncoderChoice) {
  ControlConfig c;
  EXPECT_EQ(BuildConfigFlagsByte(c), 0x00);
  c.encoderCountIndex = 2;
  c.encoderDirection = 0;
  EXPECT_EQ(BuildConfigFlagsByte(c), 0x60);
  c.encoderCountIndex = 3;
  c.encoderDirection = 1;
  EXPECT_EQ(BuildConfigFlagsByte(c), 0x80);
  // No fourth encoder: an index read from bits 11 builds the first one's code.
  c.encoderCountIndex = 4;
  EXPECT_EQ(BuildConfigFlagsByte(c), 0x00);
  c.encoderCountIndex = -7;
  c.encoderDirection = 2;
  EXPECT_EQ(BuildConfigFlagsByte(c), 0x20);
}

TEST_F(ConfigTest, StoreWritesTheRecordByteExact) {
  Connect();
  link.optionPortType = 3;
  config.encoderDirection = 0;
  config.encoderCountIndex = 2;
  EXPECT_EQ(StoreControlConfig(link, config, 1), 1);

  auto writes = fake.EepromWrites();
  ASSERT_EQ(writes.size(), 64u);
  EXPECT_EQ(writes[0], std::make_pair(150, 3));
  EXPECT_EQ(writes[1], std::make_pair(0, 0x60));
  for (int n = 1; n <= 62; ++n) EXPECT_EQ(writes[n + 1].first, n);
  EXPECT_EQ(EepromText(), kExampleText);
  for (int n = 38; n <= 62; ++n) EXPECT_EQ(fake.eeprom[n], 0) << n;
  EXPECT_EQ(link.lastFlagsByte, 0x60);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ConfigStoredMessage().text);

  // Without confirmation: same writes, no message.
  ui.messages.clear();
  EXPECT_EQ(StoreControlConfig(link, config, 0), 1);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ConfigTest, StoreWithoutControl) {
  // No control seen in this run: nothing to tell.
  EXPECT_EQ(StoreControlConfig(link, config, 1), 0);
  EXPECT_TRUE(ui.messages.empty());

  Connect(0x0300);
  fake.Unplug();
  link.connected = 0;
  EXPECT_EQ(StoreControlConfig(link, config, 1), 0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Warning");
  EXPECT_EQ(ui.messages[0].text, ConfigNotWrittenMessage().text);
  EXPECT_TRUE(fake.transfers.empty());

  // Older firmware keeps no record: no write, no message.
  ui.messages.clear();
  fake.Plug();
  Connect(0x0210);
  EXPECT_EQ(StoreControlConfig(link, config, 1), 0);
  EXPECT_TRUE(fake.transfers.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ConfigTest, StoreFailingMidwayIsNotReportedAsStored) {
  Connect();
  fake.QueueReply({});
  fake.QueueReply({});
  fake.QueueReply({});
  fake.QueueError(kErrorBadCommand);
  EXPECT_EQ(StoreControlConfig(link, config, 1), 0);
  EXPECT_EQ(fake.transfers.size(), 4u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ConfigNotWrittenMessage().text);
}

TEST_F(ConfigTest, CheckMatchingRecord) {
  Connect();
  fake.SetEepromRecord(0x00, kExampleText);
  fake.eeprom[150] = 5;
  link.CalibrationMatch = 0;
  ConfigCheckResult r = CheckControlConfig(link, config, 1);
  EXPECT_EQ(link.CalibrationMatch, 1);
  EXPECT_EQ(r.firstDifference, 0);
  EXPECT_EQ(link.optionPortType, 5);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(fake.EepromWrites().empty());

  // Four decimals: 2.00004 prints as 2.0000 and matches.
  config.calibrationFactorRight = 2.00004;
  CheckControlConfig(link, config, 1);
  EXPECT_EQ(link.CalibrationMatch, 1);
}

TEST_F(ConfigTest, CheckSkippedWithoutRecord) {
  link.CalibrationMatch = 0;
  CheckControlConfig(link, config, 1);  // never connected
  EXPECT_EQ(link.CalibrationMatch, 1);
  Connect(0x0210);
  fake.SetEepromRecord(0x20, "garbage");
  CheckControlConfig(link, config, 1);
  EXPECT_EQ(link.CalibrationMatch, 1);
  EXPECT_TRUE(fake.transfers.empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ConfigTest, DirectionOnlyDifferenceWarnsAtFirstAddress) {
  Connect();
  fake.SetEepromRecord(0x20, kExampleText);
  ConfigCheckResult r = CheckControlConfig(link, config, 0);
  EXPECT_EQ(r.firstDifference, 1);
  EXPECT_EQ(link.CalibrationMatch, 0);
  EXPECT_FALSE(r.warned);
  EXPECT_FALSE(r.disableMainWindow);  // a silent mismatch never locks the window
  EXPECT_TRUE(ui.messages.empty());

  r = CheckControlConfig(link, config, 1);
  EXPECT_TRUE(r.warned);
  EXPECT_TRUE(r.disableMainWindow);
  ASSERT_EQ(ui.messages.size(), 1u);
  const OperatorMessage& m = ui.messages[0];
  EXPECT_EQ(m.caption, "Warning");
  EXPECT_EQ(m.colour, kRedText);
  EXPECT_EQ(m.beep, kBeepHand);
  EXPECT_EQ(m.x, 200);
  EXPECT_EQ(m.height, 480);  // tall enough for the last safety line
  EXPECT_TRUE(fake.EepromWrites().empty());
}

TEST_F(ConfigTest, ShortRecordFromOlderSoftwareIsRewrittenSilently) {
  Connect();
  // Five fields (24 characters): first difference at 25, where the control has 0.
  fake.SetEepromRecord(0x00, "0.0,0.0,2.0000,2.0000,0,");
  ConfigCheckResult r = CheckControlConfig(link, config, 1);
  EXPECT_EQ(r.firstDifference, 25);
  EXPECT_TRUE(r.storedSilently);
  EXPECT_FALSE(r.warned);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(link.CalibrationMatch, 0);
  EXPECT_EQ(EepromText(), kExampleText);

  // Four fields (22 characters): the difference at 23 is not past 23: warn.
  fake.SetEepromRecord(0x00, "0.0,0.0,2.0000,2.0000,");
  fake.transfers.clear();
  r = CheckControlConfig(link, config, 1);
  EXPECT_EQ(r.firstDifference, 23);
  EXPECT_FALSE(r.storedSilently);
  EXPECT_TRUE(r.warned);
  EXPECT_TRUE(fake.EepromWrites().empty());
}

TEST_F(ConfigTest, UnknownOptionPortTypeIsRewrittenAsNone) {
  Connect();
  fake.SetEepromRecord(0x00, kExampleText);
  fake.eeprom[150] = 9;
  CheckControlConfig(link, config, 0);
  EXPECT_EQ(link.optionPortType, 0);
  EXPECT_EQ(fake.eeprom[150], 0);
  EXPECT_EQ(fake.EepromWrites(), (std::vector<std::pair<int, int>>{{150, 0}}));

  fake.eeprom[150] = 200;
  ControlConfig loaded;
  LoadControlConfig(link, loaded);
  EXPECT_EQ(link.optionPortType, 0);
  EXPECT_EQ(fake.eeprom[150], 0);
}

TEST_F(ConfigTest, FailedReadShowsAsDifference) {
  Connect();
  fake.SetEepromRecord(0x00, kExampleText);
  fake.QueueReply({});                // address 150
  fake.QueueError(kErrorSemTimeout);  // address 0: the 150 block stays in the buffer
  CheckControlConfig(link, config, 0);
  EXPECT_EQ(link.CalibrationMatch, 0);
}

TEST_F(ConfigTest, LoadParsesRecord) {
  Connect();
  fake.SetEepromRecord(0xA0, "12.5,-3.0,1.2345,0.9876,3,7.5,0.1250,1,");
  fake.eeprom[150] = 2;
  ControlConfig loaded;
  EXPECT_TRUE(LoadControlConfig(link, loaded));
  EXPECT_DOUBLE_EQ(loaded.lagCompensationLeft, 12.5);
  EXPECT_DOUBLE_EQ(loaded.lagCompensationRight, -3.0);
  EXPECT_DOUBLE_EQ(loaded.calibrationFactorLeft, 1.2345);
  EXPECT_DOUBLE_EQ(loaded.calibrationFactorRight, 0.9876);
  EXPECT_EQ(loaded.sensorType, 3);
  EXPECT_DOUBLE_EQ(loaded.spareValueA, 7.5);
  EXPECT_DOUBLE_EQ(loaded.spareValueB, 0.125);
  EXPECT_EQ(loaded.suspension, 1);
  EXPECT_EQ(loaded.encoderCountIndex, 3);
  EXPECT_EQ(loaded.encoderDirection, 0);
  EXPECT_EQ(link.optionPortType, 2);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "Configuration was retrieved from EEPROM memory\nof the balancer control.");
  EXPECT_EQ(ui.messages[0].caption, "");
  EXPECT_EQ(ui.repaints, std::vector<RepaintArea>{RepaintArea::kCalibrationScreen});

  // Round trip: what was loaded compares equal.
  CheckControlConfig(link, loaded, 1);
  EXPECT_EQ(link.CalibrationMatch, 1);
}

TEST_F(ConfigTest, LoadDamagedOrShortRecord) {
  Connect();
  // Bits 11: no such encoder, the settings' choice stays. Text that is not a
  // number reads as 0; fields missing from a short record read as 0.
  fake.SetEepromRecord(0xC0, "x,nan,inf,2.5,1,");
  ControlConfig loaded;
  loaded.encoderCountIndex = 2;
  loaded.spareValueB = 9;
  loaded.suspension = 1;
  EXPECT_TRUE(LoadControlConfig(link, loaded));
  EXPECT_EQ(loaded.encoderCountIndex, 2);
  EXPECT_EQ(loaded.encoderDirection, 1);
  EXPECT_EQ(loaded.lagCompensationLeft, 0.0);
  EXPECT_EQ(loaded.lagCompensationRight, 0.0);
  EXPECT_EQ(loaded.calibrationFactorLeft, 0.0);
  EXPECT_DOUBLE_EQ(loaded.calibrationFactorRight, 2.5);
  EXPECT_EQ(loaded.sensorType, 1);
  EXPECT_EQ(loaded.spareValueB, 0.0);
  EXPECT_EQ(loaded.suspension, 0);

  // A record filling the whole block with no comma stays inside it.
  std::memset(fake.eeprom.data(), '9', 64);
  EXPECT_TRUE(LoadControlConfig(link, loaded));
  EXPECT_GT(loaded.lagCompensationLeft, 1e60);
  EXPECT_EQ(loaded.lagCompensationRight, 0.0);
}

TEST_F(ConfigTest, LoadRefusesStaleDataAndSaysSo) {
  ControlConfig loaded;
  loaded.calibrationFactorLeft = 3.25;
  link.ui = &ui;
  EXPECT_FALSE(LoadControlConfig(link, loaded));  // not connected
  Connect();
  fake.QueueReply({1});
  fake.QueueError(kErrorGenFailure);
  EXPECT_FALSE(LoadControlConfig(link, loaded));
  // A control without a record (firmware below 3.00) is not even asked.
  Connect(0x0210);
  fake.transfers.clear();
  EXPECT_FALSE(LoadControlConfig(link, loaded));
  EXPECT_TRUE(fake.TransfersOf(kRequestReadEeprom).empty());
  EXPECT_EQ(loaded.calibrationFactorLeft, 3.25);
  // Each refusal is answered, never the "retrieved" message.
  ASSERT_EQ(ui.messages.size(), 3u);
  for (const OperatorMessage& m : ui.messages) EXPECT_EQ(m.text, ConfigNotLoadedMessage().text);
}

TEST(ConfigMessagesTest, TextsAndGeometry) {
  OperatorMessage w = ConfigMismatchWarning();
  EXPECT_EQ(w.text.rfind("Warning, calibration values in EEPROM and software don't match.\n\n", 0),
            0u);
  const std::string tail =
      "\n\n"
      "YOU SHOULD NOT USE THE BALANCER UNTIL THIS IS CORRECTED.\n"
      "The unbalance readings will be incorrect.\n"
      "Balancers with software controlled motor speed could be dangerous to run.";
  ASSERT_GT(w.text.size(), tail.size());
  EXPECT_EQ(w.text.substr(w.text.size() - tail.size()), tail);
  EXPECT_NE(w.text.find("Press Crtl and L"), std::string::npos);

  OperatorMessage n = NoControlMessage();
  EXPECT_EQ(n.caption, "Attention");
  EXPECT_EQ(n.beep, kBeepAsterisk);
  EXPECT_EQ(n.colour, kDarkBlueText);
  EXPECT_EQ(n.text,
            "The machine control interface was not found.\n\n"
            "Check the connection from the PC to the USB control.\n\n"
            "Check the power source for AC powered USB controls.");
  EXPECT_EQ(n.y, 160);

  OperatorMessage s = ConfigStoredMessage();
  EXPECT_EQ(s.text, "Configuration was stored in EEPROM memory\nof the balancer control.");
  EXPECT_EQ(s.beep, kBeepNone);
  EXPECT_EQ(s.x, 340);
  OperatorMessage nw = ConfigNotWrittenMessage();
  EXPECT_EQ(
      nw.text,
      "Warning, the calibration data was not written to EEPROM.\n"
      "Please reconnect the USB control, then open and close the calibration window to try again.");
  EXPECT_EQ(nw.beep, kBeepAsterisk);
  EXPECT_EQ(nw.width, 520);
  EXPECT_EQ(ConfigRetrievedMessage().height, 180);
  // The load's refusal looks like the store's.
  OperatorMessage nl = ConfigNotLoadedMessage();
  EXPECT_EQ(nl.text.rfind("Warning, the calibration data was not loaded from EEPROM.\n", 0), 0u);
  EXPECT_EQ(nl.caption, nw.caption);
  EXPECT_EQ(nl.colour, nw.colour);
  EXPECT_EQ(nl.beep, nw.beep);
  EXPECT_EQ(nl.buttonMode, nw.buttonMode);
  EXPECT_EQ(nl.firstButtonWidth, nw.firstButtonWidth);
  EXPECT_EQ(std::vector<int>({nl.x, nl.y, nl.width, nl.height}),
            std::vector<int>({nw.x, nw.y, nw.width, nw.height}));
}

}  // namespace
}  // namespace balancer
