// The demo's first start: seeded settings in Auto that the simulated control
// agrees with, so no warning greets a newcomer; never over existing files.
#include "app/demo_seed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/clock.h"
#include "device/control_commands.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"
#include "sim/sim_transport.h"

namespace balancer {
namespace {

namespace fs = std::filesystem;

struct DemoSeedTest : ::testing::Test {
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("demo-seed-" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    folder.path = dir.string();
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  ProgramFolder folder;
};

TEST_F(DemoSeedTest, AFirstStartLoadsAutoSettingsTheSimulatedControlAgreesWith) {
  RecordingOperatorUi ui;
  ASSERT_TRUE(SeedDemoSettings(folder, &ui));
  EXPECT_TRUE(ui.messages.empty());

  VirtualClock clock;
  sim::SimTransport transport(clock, sim::SimConfig());
  ControlLink link;
  link.transport = &transport;
  link.clock = &clock;
  link.ui = &ui;
  OpenControl(link);
  ASSERT_TRUE(link.connected);

  MachineSettings settings;
  SettingsLoadResult load = StartupSettingsLoad(folder, link, ui, settings);
  EXPECT_EQ(load.source, "dta");
  EXPECT_EQ(load.calibrationMatch, 1);
  EXPECT_EQ(settings.speedControl, 1);
  for (const OperatorMessage& m : ui.messages) ADD_FAILURE() << m.caption << ": " << m.text;
}

TEST_F(DemoSeedTest, ExistingSettingsAreNeverReplaced) {
  std::ofstream(folder.File(kSettingsBackupName)) << "operator's own";
  EXPECT_FALSE(SeedDemoSettings(folder, nullptr));
  EXPECT_FALSE(fs::exists(folder.File(kSettingsFileName)));

  fs::remove(folder.File(kSettingsBackupName));
  std::ofstream(folder.File(kSettingsFileName)) << "operator's own";
  EXPECT_FALSE(SeedDemoSettings(folder, nullptr));
  std::ifstream in(folder.File(kSettingsFileName));
  std::string text;
  std::getline(in, text);
  EXPECT_EQ(text, "operator's own");
}

TEST_F(DemoSeedTest, WithoutSeedingTheFirstStartWarns) {
  // What the operator's program does on a fresh install, unchanged.
  RecordingOperatorUi ui;
  MachineSettings settings;
  auto agree = [](const MachineSettings&, int, bool&) { return 1; };
  StartupSettingsLoad(folder, agree, ui, settings);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().caption, "Check Machine Settings");
  EXPECT_EQ(settings.speedControl, 0);
}

}  // namespace
}  // namespace balancer
