// The start-up load against a control holding a configuration record.
#include <gtest/gtest.h>

#include "device/control_config.h"
#include "records/settings_bridge.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"
#include "support/fake_transport.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

class StartupWithControl : public ::testing::Test {
 protected:
  void SetUp() override {
    link.transport = &fake;
    link.clock = &clock;
    link.ui = &ui;
    OpenControl(link);
    ASSERT_EQ(link.connected, 1);
  }
  // Puts the record of `s` into the control's EEPROM.
  void ControlHolds(const MachineSettings& s) {
    ControlConfig config = ControlConfigFromSettings(s);
    char text[64];
    PrintConfigText(config, text, sizeof text);
    fake.SetEepromRecord(BuildConfigFlagsByte(config), text + 1);
  }

  test::FakeTransport fake;
  VirtualClock clock;
  RecordingOperatorUi ui;
  ControlLink link;
  test::TempFolder folder;
};

TEST_F(StartupWithControl, TheControlDecidesBetweenTheFiles) {
  MachineSettings dta, bak;
  dta.calibrationFactorLeft = 2.5;
  bak.calibrationFactorLeft = 3.25;
  folder.Write("balsetup.dta", FormatSettings(dta));
  folder.Write("balsetup.bak", FormatSettings(bak));

  ControlHolds(dta);
  MachineSettings s;
  SettingsLoadResult r = StartupSettingsLoad(folder.Folder(), link, ui, s);
  EXPECT_EQ(r.source, "dta");
  EXPECT_EQ(link.CalibrationMatch, 1);
  EXPECT_TRUE(ui.messages.empty());

  ControlHolds(bak);
  s = MachineSettings{};
  r = StartupSettingsLoad(folder.Folder(), link, ui, s);
  EXPECT_EQ(r.source, "bak");
  EXPECT_DOUBLE_EQ(s.calibrationFactorLeft, 3.25);
  EXPECT_TRUE(r.dtaRepaired);
  EXPECT_EQ(folder.Read("balsetup.dta"), FormatSettings(bak));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupWithControl, ARecordMatchingNeitherFileWarnsAndWritesNothing) {
  MachineSettings dta, other;
  dta.calibrationFactorLeft = 2.5;
  other.calibrationFactorLeft = 4.0;
  folder.Write("balsetup.dta", FormatSettings(dta));
  folder.Write("balsetup.bak", FormatSettings(dta));
  ControlHolds(other);
  MachineSettings s;
  SettingsLoadResult r = StartupSettingsLoad(folder.Folder(), link, ui, s);
  EXPECT_EQ(r.source, "bak");
  EXPECT_EQ(r.calibrationMatch, 0);
  EXPECT_FALSE(r.dtaRepaired);
  EXPECT_TRUE(r.disableMainWindow);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].caption, "Warning");

  // At exit only the primary file is refreshed.
  s.emptyBobweight = 1500;
  ASSERT_TRUE(WriteSettingsAtExit(folder.Folder(), s, link.CalibrationMatch, &ui));
  EXPECT_EQ(folder.Read("balsetup.dta"), FormatSettings(s));
  EXPECT_EQ(folder.Read("balsetup.bak"), FormatSettings(dta));
}

}  // namespace
}  // namespace balancer
