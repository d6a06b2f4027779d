// The training loop without windows: spin, apply the plan to the simulated
// shaft kept beside the machine file, spin again.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/cli_runner.h"

namespace {

using balancer::test::CliRun;
using balancer::test::RunCli;

constexpr const char* kMachine =
    "upright_spacing = 18\nmanual_drive_rpm = 500\nleft_unbalance = 60\nleft_angle = 30\n"
    "right_unbalance = 45\nright_angle = 200\nworkshop_seed = 9\n";

class TrainingCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/training_cli_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }

  // A program folder with its own machine file; returns the global options.
  std::string Job(const std::string& name, const std::string& machine = kMachine) {
    std::string folder = root_ + "/" + name;
    std::system(("mkdir -p " + folder).c_str());
    std::ofstream(folder + "/machine.sim") << machine;
    return "--folder " + folder + " --control sim:" + folder + "/machine.sim ";
  }

  static bool InTolerance(const CliRun& spin) {
    return spin.out["corrections"]["left"]["inTolerance"] == true &&
           spin.out["corrections"]["right"]["inTolerance"] == true;
  }

  std::string root_;
};

// Up to two corrections bring the drilled shaft into tolerance, with a
// residual that is small but not nothing, and the same seed makes the same
// holes.
TEST_F(TrainingCliTest, SpinApplySpinReachesToleranceRepeatably) {
  nlohmann::json made[2];
  for (int job = 0; job < 2; ++job) {
    std::string options = Job("job" + std::to_string(job));
    CliRun spin = RunCli(options + "spin");
    ASSERT_EQ(spin.status, 0) << spin.raw;
    EXPECT_NEAR(spin.out["left"]["amount"].get<double>(), 60.0, 3.0);
    ASSERT_FALSE(InTolerance(spin)) << spin.raw;
    int corrections = 0;
    while (!InTolerance(spin) && corrections < 2) {
      CliRun apply = RunCli(options + "apply");
      ASSERT_EQ(apply.status, 0) << apply.raw;
      ASSERT_FALSE(apply.out["applied"].empty()) << apply.raw;
      made[job].push_back(apply.out["applied"]);
      EXPECT_EQ(apply.out["correctionsCarriedOut"], ++corrections);
      // One plan is carried out once.
      CliRun again = RunCli(options + "apply");
      EXPECT_EQ(again.status, 1) << again.raw;
      EXPECT_EQ(again.out["error"], "Spin the shaft first; there is no correction to carry out.");
      spin = RunCli(options + "spin");
      ASSERT_EQ(spin.status, 0) << spin.raw;
    }
    EXPECT_TRUE(InTolerance(spin)) << spin.raw;
    EXPECT_LT(spin.out["left"]["amount"].get<double>(), 13.64);
    EXPECT_LT(spin.out["right"]["amount"].get<double>(), 13.64);
    EXPECT_GT(spin.out["left"]["amount"].get<double>() + spin.out["right"]["amount"].get<double>(),
              0.1);
  }
  EXPECT_EQ(made[0], made[1]);

  // Another seed drills a little differently.
  std::string machine = kMachine;
  machine.replace(machine.find("workshop_seed = 9"), 17, "workshop_seed = 10");
  std::string options = Job("other", machine);
  ASSERT_EQ(RunCli(options + "spin").status, 0);
  CliRun apply = RunCli(options + "apply");
  ASSERT_EQ(apply.status, 0) << apply.raw;
  EXPECT_NE(apply.out["applied"], made[0][0]);
}

TEST_F(TrainingCliTest, ApplyNeedsASpinAShaftFileAndAnUndamagedOne) {
  std::string options = Job("job");
  CliRun first = RunCli(options + "apply");
  EXPECT_EQ(first.status, 1) << first.raw;
  EXPECT_EQ(first.out["error"], "Spin the shaft first; there is no correction to carry out.");
  for (const char* control : {"", "--control sim ", "--control tcp:127.0.0.1:1 "}) {
    CliRun r = RunCli(std::string("--folder ") + root_ + " " + control + "apply");
    EXPECT_EQ(r.status, 2) << control << r.raw;
  }
  EXPECT_EQ(RunCli(options + "apply --bogus").status, 2);

  // A spin that fails on a fresh shaft leaves nothing beside the machine file.
  std::string dead = Job("dead", "unplug_after_requests = 0\n");
  EXPECT_EQ(RunCli(dead + "spin").status, 1);
  EXPECT_NE(access((root_ + "/dead/machine.sim.rotor").c_str(), F_OK), 0);

  // A cut-off shaft file is told, not taken for a fresh shaft.
  std::ofstream(root_ + "/job/machine.sim.rotor") << "# simulated shaft\nmass = -3, 3, 10, 0\n";
  for (const char* command : {"spin", "apply"}) {
    CliRun r = RunCli(options + command);
    EXPECT_EQ(r.status, 2) << r.raw;
    EXPECT_NE(r.out["error"].get<std::string>().find("damaged"), std::string::npos) << r.raw;
  }
}

}  // namespace
