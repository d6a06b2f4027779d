// The settings and history commands of balancer-cli, run as the built program.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "records/settings_file.h"
#include "support/cli_runner.h"
#include "support/temp_folder.h"

namespace balancer {
namespace {

using test::CliRun;
using test::RunCli;

class CliCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!test::CliBuilt()) GTEST_SKIP() << "build balancer-cli first";
  }
  test::TempFolder folder;
};

TEST_F(CliCommands, SettingsReportsTheLoadedFileAndWritesBothFiles) {
  MachineSettings s;
  s.twoPlaneMode = 1;
  s.twoPlaneSet.shaftRadiusRight = 4.0;
  s.singlePlaneSet.shaftRadiusRight = 3.75;
  s.calibrationFactorLeft = 2.5;
  s.slugSizeSelected[4] = true;
  s.bobweightFolder = "C:\\Jobs\\\xB0";
  folder.Write("balsetup.dta", FormatSettings(s));

  CliRun run = RunCli("--folder " + folder.Path() + " settings");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out["source"], "dta");
  EXPECT_EQ(run.out["readOk"], true);
  EXPECT_EQ(run.out["calibrationFactorLeft"], 2.5);
  EXPECT_EQ(run.out["shaftRadiusRight"], 4.0);  // working value of the two-plane set
  EXPECT_EQ(run.out["singlePlaneSet"]["shaftRadiusRight"], 3.75);
  EXPECT_EQ(run.out["slugSizeSelected"], nlohmann::json::array({4}));
  EXPECT_EQ(run.out["bobweightFolder"], "C:\\Jobs\\\u00b0");
  EXPECT_FALSE(folder.Exists("balsetup.bak"));

  run = RunCli("--folder " + folder.Path() + " settings --write");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(folder.Read("balsetup.bak"), FormatSettings(s));
}

TEST_F(CliCommands, SettingsFallsBackToTheBackupThenToDefaults) {
  MachineSettings s;
  s.shaftRpm = 700;
  folder.Write("balsetup.dta", "garbage");
  folder.Write("balsetup.bak", FormatSettings(s));
  CliRun run = RunCli("--folder " + folder.Path() + " settings");
  EXPECT_EQ(run.out["source"], "bak");
  EXPECT_EQ(run.out["shaftRpm"], 700);
  EXPECT_EQ(run.out["dtaRepaired"], true);

  test::TempFolder empty;
  run = RunCli("--folder " + empty.Path() + " settings");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out["source"], "defaults");
  EXPECT_EQ(run.out["readOk"], false);
  ASSERT_EQ(run.out["messages"].size(), 1u);
  EXPECT_EQ(run.out["messages"][0]["caption"], "Check Machine Settings");
  EXPECT_EQ(RunCli("--folder " + empty.Path() + " settings --bogus").status, 2);
}

TEST_F(CliCommands, ACutSettingsFileKeepsItsValuesAndItsBytes) {
  MachineSettings s;
  s.shaftRpm = 700;
  s.calibrationFactorLeft = 2.1234;
  s.scaleType = 12;
  std::string text = FormatSettings(s);
  size_t cut = 0;
  for (int line = 0; line < 50; ++line) cut = text.find('\n', cut) + 1;
  text.erase(cut);
  folder.Write("balsetup.dta", text);

  CliRun run = RunCli("--folder " + folder.Path() + " settings --write");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out["source"], "defaults");
  EXPECT_EQ(run.out["shaftRpm"], 700);
  EXPECT_EQ(run.out["calibrationFactorLeft"], 2.1234);
  EXPECT_EQ(run.out["scaleType"], 0);
  EXPECT_EQ(folder.Read("balsetup.dta.bad"), text);
  MachineSettings written;
  ASSERT_TRUE(ParseSettings(folder.Read("balsetup.dta"), written, nullptr, false));
  EXPECT_EQ(written.shaftRpm, 700);
  EXPECT_EQ(written.scaleType, 0);
}

TEST_F(CliCommands, HistoryListsTheRecords) {
  folder.Write("job.hst", "2 10.000 45 3.000 8.000 90 2.500\n1 -1000.000 0 3.000 4.000 180 2.5\n");
  CliRun run = RunCli("history " + folder.File("job.hst"));
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.out["historyCount"], 2);
  ASSERT_EQ(run.out["records"].size(), 24u);
  EXPECT_EQ(run.out["records"][0]["kind"], 2);
  EXPECT_EQ(run.out["records"][1]["leftMoment"], -1000.0);
  EXPECT_EQ(run.out["records"][1]["rightAngle"], 180.0);

  EXPECT_EQ(RunCli("history " + folder.File("none.hst")).status, 1);
  EXPECT_EQ(RunCli("history").status, 2);
}

}  // namespace
}  // namespace balancer
