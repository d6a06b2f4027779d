#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "bobweight/bobweight_files.h"
#include "support/cli_runner.h"

namespace balancer {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::RunCli;

TEST(BobweightCli, LoadsAndComputesTheCard) {
  if (!test::CliBuilt()) {
    GTEST_SKIP() << "balancer-cli not built";
  }
  fs::path folder = fs::temp_directory_path() / "bobweight_cli_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  BobweightCard card;
  card.rodTotalWeight = 600;
  card.rodBigEndWeight = 400;
  card.rodBearingWeight = 60;
  card.pistonWeight = 500;
  card.pinWeight = 120;
  card.pinLockWeight = 4;
  card.ringWeight = 40;
  card.jobName = "smith 350";
  card.jobNotes = "two\r\nlines";
  RodPistonSet set;
  set.rodTotals[1] = 601.5;
  set.pinNumbers[1] = 3;
  ASSERT_TRUE(SaveCardSilently(card, set, folder.string(), nullptr));

  std::string file = "'" + (folder / "smith 350.bwi").string() + "'";
  CliRun run = RunCli("--folder " + folder.string() + " bobweight " + file);
  EXPECT_EQ(run.status, 0);
  ASSERT_TRUE(run.out.is_object());
  EXPECT_DOUBLE_EQ(run.out["bobweightTotal"].get<double>(), 1789.0);
  EXPECT_DOUBLE_EQ(run.out["perSide"].get<double>(), 894.5);
  EXPECT_EQ(run.out["line"], "894.5 per half");
  EXPECT_EQ(run.out["jobName"], "smith 350");
  EXPECT_EQ(run.out["jobNotes"], "two\r\nlines");
  EXPECT_EQ(run.out["engineName"], "V-8");
  EXPECT_DOUBLE_EQ(run.out["rodTotals"][1].get<double>(), 601.5);
  EXPECT_EQ(run.out["pinNumbers"][1], 3);

  CliRun missing =
      RunCli("--folder " + folder.string() + " bobweight " + folder.string() + "/x.bwi");
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.out.contains("error"));
  EXPECT_EQ(RunCli("--folder " + folder.string() + " bobweight").status, 2);
  fs::remove_all(folder);
}

TEST(BobweightCli, AnOverflowingWeightIsNotTaken) {
  if (!test::CliBuilt()) {
    GTEST_SKIP() << "balancer-cli not built";
  }
  fs::path folder = fs::temp_directory_path() / "bobweight_cli_overflow_test";
  fs::remove_all(folder);
  fs::create_directories(folder);
  BobweightCard card;
  std::string text = FormatBwi(card);
  text.replace(text.find("5.0\n"), 3, "1e999");  // the oil weight
  std::ofstream(folder / "big.bwi", std::ios::binary) << text;

  CliRun run =
      RunCli("--folder " + folder.string() + " bobweight " + (folder / "big.bwi").string());
  EXPECT_EQ(run.status, 0);
  ASSERT_TRUE(run.out.is_object());
  // The oil weight stays the new job's 5 g.
  EXPECT_DOUBLE_EQ(run.out["oilWeight"].get<double>(), 5.0);
  EXPECT_DOUBLE_EQ(run.out["bobweightTotal"].get<double>(), 5.0);
  EXPECT_EQ(run.out["line"], "2.5 per half");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace balancer
