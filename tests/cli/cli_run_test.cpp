// balancer-cli end to end: the built program is run as a script would run it
// and its JSON is read back.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace {

using balancer::test::CliRun;
using balancer::test::ControlSim;
using balancer::test::RunCli;

const std::string kControlSim = balancer::test::ControlSimPath();

// A machine file for the simulated control in a temporary folder.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/cli_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string Machine(const std::string& text) {
    std::string path = folder_ + "/machine.txt";
    std::ofstream(path) << text;
    return "--folder " + folder_ + " --control sim:" + path;
  }

  std::string folder_;
};

TEST_F(CliTest, UsageErrors) {
  for (const char* args :
       {"", "frobnicate", "control", "control info extra", "--control",
        "--control bogus control info", "--control tcp:nohost control info",
        "--control tcp:127.0.0.1:70000 control info", "--control usb control info"}) {
    SCOPED_TRACE(args);
    CliRun r = RunCli(args);
    EXPECT_EQ(r.status, 2);
    ASSERT_TRUE(r.out.is_object()) << r.raw;
    EXPECT_TRUE(r.out.contains("error"));
  }
  CliRun r = RunCli("--control sim:" + folder_ + "/missing.txt config check");
  EXPECT_EQ(r.status, 2);
}

// Numbers on the command line are finite and inside their field's range or
// the command is refused: a moment of 3e280 would reach the transform and
// come out as null moments.
TEST_F(CliTest, PlanRefusesNumbersOutsideTheirRanges) {
  const std::string folder = "--folder " + folder_ + " plan ";
  for (const char* args :
       {"--left 3e280,10 --right 1,0", "--left 1,0 --right 1e7,0", "--left 1,1e999 --right 1,0",
        "--left inf,0 --right 1,0", "--left nan,0 --right 1,0", "--left 0x10,0 --right 1,0",
        "--left 1,0 --right -1,0", "--left 1,0 --right 1,0 --zones 0,0,0,2147483647",
        "--left 1,0 --right 1,0 --zones 0,0,360,0", "--left '1, 0' --right 1,0"}) {
    SCOPED_TRACE(args);
    CliRun r = RunCli(folder + args);
    EXPECT_EQ(r.status, 2);
    ASSERT_TRUE(r.out.is_object()) << r.raw;
    EXPECT_TRUE(r.out.contains("error"));
  }
  CliRun r = RunCli(folder + "--left 1000000,10 --right 2.5e3,350 --zones 10,200,0,0");
  EXPECT_EQ(r.status, 0) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  ASSERT_TRUE(r.out.contains("left")) << r.raw;
  EXPECT_TRUE(r.out["left"]["moment"].is_number()) << r.raw;
  EXPECT_TRUE(r.out["right"]["moment"].is_number()) << r.raw;

  for (const char* args : {"--weight 1e999 --rpm 500 --class 1", "--weight 50 --rpm inf --class 1",
                           "--weight 50 --rpm 500x --class 1"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(RunCli(std::string("tolerance ") + args).status, 2);
  }
}

// A heavy-metal side prints the holes that drill its slugs' remainder, in the
// same run.
TEST_F(CliTest, PlanPrintsTheRemaindersHolesWithTheSlugs) {
  const std::string plan = "--folder " + folder_ + " plan --right 100,45 --zones 30,150,0,0 ";
  CliRun r = RunCli(plan + "--left 1000,270");
  ASSERT_EQ(r.status, 0) << r.raw;
  const nlohmann::json& left = r.out["left"];
  ASSERT_EQ(left["method"], "slug") << r.raw;
  ASSERT_FALSE(left["slugs"].empty());
  ASSERT_TRUE(left["extraInZone"].get<bool>());
  const nlohmann::json& rest = left["remainder"];
  ASSERT_TRUE(rest.is_object()) << r.raw;
  ASSERT_FALSE(rest["holes"].empty()) << r.raw;
  EXPECT_FALSE(rest["capacityOverflow"].get<bool>());
  EXPECT_EQ(rest["textColour"], "default");
  char text[64];
  std::snprintf(text, sizeof text, "Drill %1.3f\" deep at %d\u00B0",
                rest["holeDepth"].get<double>(), left["extraAngle"].get<int>());
  EXPECT_EQ(rest["text"], text);
  // The holes fan about the remainder's angle.
  double mean = 0.0;
  for (const auto& h : rest["holes"]) {
    mean += h["angle"].get<double>();
    EXPECT_DOUBLE_EQ(h["depth"].get<double>(), rest["holeDepth"].get<double>());
  }
  mean /= rest["holes"].size();
  EXPECT_NEAR(mean, left["extraAngle"].get<int>(), 0.5);
  // A drilled side has no remainder.
  EXPECT_TRUE(r.out["right"]["remainder"]["holes"].empty());
  EXPECT_EQ(r.out["right"]["remainder"]["text"], "");

  // More than the zone's slugs can turn into it: nothing to drill, the red
  // Projection reading tells why.
  r = RunCli(plan + "--left 3000,270");
  ASSERT_EQ(r.status, 0) << r.raw;
  ASSERT_FALSE(r.out["left"]["extraInZone"].get<bool>()) << r.raw;
  EXPECT_TRUE(r.out["left"]["remainder"]["holes"].empty()) << r.raw;
  EXPECT_EQ(r.out["left"]["remainder"]["text"], "");
}

TEST_F(CliTest, ControlInfoWithoutControl) {
  CliRun r = RunCli("control info");
  EXPECT_EQ(r.status, 1);
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["connected"], false);
  ASSERT_EQ(r.out["messages"].size(), 1u);
  EXPECT_EQ(r.out["messages"][0]["caption"], "Attention");
}

TEST_F(CliTest, ControlInfoOnSimulatedControl) {
  CliRun r = RunCli(Machine("firmware = 0x0300\noption_port_type = 5\n") + " control info");
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["connected"], true);
  EXPECT_EQ(r.out["FirmwareVersion"], 0x0300);
  EXPECT_EQ(r.out["FirmwareVersionText"], "3.00");
  EXPECT_EQ(r.out["optionPortType"], 5);
  EXPECT_EQ(r.out["speed"], 0);
  EXPECT_GE(r.out["angle"].get<int>(), 0);
  EXPECT_LE(r.out["angle"].get<int>(), 359);
  EXPECT_TRUE(r.out["messages"].empty());

  // Old firmware keeps no option port type.
  r = RunCli(Machine("firmware = 0x0210\noption_port_type = 3\n") + " control info");
  EXPECT_EQ(r.out["optionPortType"], 0);
}

TEST_F(CliTest, ConfigCheckAgainstControlRecord) {
  // An empty folder: the defaults, with the operator told so.
  CliRun r = RunCli("--folder " + folder_ + " --control sim config check");
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["CalibrationMatch"], 1);
  EXPECT_EQ(r.out["source"], "defaults");
  ASSERT_EQ(r.out["messages"].size(), 1u);
  EXPECT_EQ(r.out["messages"][0]["caption"], "Check Machine Settings");

  // Settings written as at exit load from balsetup.dta without a word.
  ASSERT_EQ(RunCli("--folder " + folder_ + " settings --write").status, 0);
  r = RunCli("--folder " + folder_ + " --control sim config check");
  EXPECT_EQ(r.out["source"], "dta");
  EXPECT_EQ(r.out["CalibrationMatch"], 1);
  EXPECT_TRUE(r.out["messages"].empty()) << r.raw;

  r = RunCli(Machine("eeprom_flags = 0x20\noption_port_type = 9\n") + " config check");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out["CalibrationMatch"], 0);
  EXPECT_EQ(r.out["firstDifference"], 1);
  EXPECT_EQ(r.out["optionPortType"], 0);
  ASSERT_EQ(r.out["messages"].size(), 1u);
  EXPECT_EQ(r.out["messages"][0]["caption"], "Warning");

  // A record from older software is completed without a word.
  r = RunCli(Machine("eeprom_text = 0.0,0.0,2.0000,2.0000,0,\n") + " config check");
  EXPECT_EQ(r.out["storedSilently"], true);
  EXPECT_TRUE(r.out["messages"].empty());

  r = RunCli("--folder " + folder_ + " config check");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out["connected"], false);
}

TEST_F(CliTest, ConfigLoadWritesTheSettingsAndStoreWritesTheControl) {
  CliRun r =
      RunCli(Machine("eeprom_flags = 0x60\neeprom_text = 1.5,2.5,1.2500,0.7500,1,0.0,1.0000,1,\n") +
             " config load");
  EXPECT_EQ(r.status, 0);
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  const nlohmann::json& c = r.out["ControlConfig"];
  EXPECT_EQ(c["lagCompensationLeft"], 1.5);
  EXPECT_EQ(c["calibrationFactorRight"], 0.75);
  EXPECT_EQ(c["sensorType"], 1);
  EXPECT_EQ(c["suspension"], 1);
  EXPECT_EQ(c["encoderCountIndex"], 2);
  EXPECT_EQ(c["encoderDirection"], 0);
  EXPECT_EQ(r.out["settingsWritten"], true);
  EXPECT_EQ(r.out["messages"].back()["text"],
            "Configuration was retrieved from EEPROM memory\nof the balancer control.");

  // The loaded record is now what the settings files hold.
  r = RunCli("--folder " + folder_ + " settings");
  EXPECT_EQ(r.out["source"], "dta");
  EXPECT_EQ(r.out["lagCompensationLeft"], 1.5);
  EXPECT_EQ(r.out["calibrationFactorRight"], 0.75);
  EXPECT_EQ(r.out["encoderCountIndex"], 2);
  EXPECT_EQ(r.out["encoderDirection"], 0);

  r = RunCli("--folder " + folder_ + " --control sim config store");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out["stored"], 1);

  r = RunCli(Machine("firmware = 0x0210\n") + " config store");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out["stored"], 0);
  r = RunCli(Machine("firmware = 0x0210\n") + " config load");
  EXPECT_EQ(r.status, 1);
  ASSERT_FALSE(r.out["messages"].empty()) << r.raw;
  EXPECT_EQ(r.out["messages"].back()["caption"], "Warning");
}

// The control emulator over the wire protocol, as a separate process.
TEST_F(CliTest, ControlInfoOverWireProtocol) {
  if (access(kControlSim.c_str(), X_OK) != 0) GTEST_SKIP() << "controlsim not built";
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    execl(kControlSim.c_str(), kControlSim.c_str(), "--port", "0", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // First line, waiting at most 10 s so a silent emulator fails the test.
  std::string line;
  char ch;
  pollfd pfd{fds[0], POLLIN, 0};
  while (line.size() < 200 && poll(&pfd, 1, 10000) == 1 && read(fds[0], &ch, 1) == 1 &&
         ch != '\n') {
    line += ch;
  }
  const std::string prefix = "listening ";
  if (line.rfind(prefix, 0) != 0) {
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    FAIL() << "controlsim said: " << line;
  }
  std::string address = line.substr(prefix.size());

  CliRun r = RunCli("--control tcp:" + address + " control info");
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  close(fds[0]);

  EXPECT_EQ(r.status, 0) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["connected"], true);
  EXPECT_EQ(r.out["FirmwareVersion"], 0x0304);
  EXPECT_EQ(r.out["FirmwareVersionText"], "3.04");
}

bool HasMessage(const nlohmann::json& out, const std::string& caption, const std::string& start) {
  if (!out.contains("messages")) return false;
  for (const auto& m : out["messages"]) {
    if (m["caption"] == caption && m["text"].get<std::string>().rfind(start, 0) == 0) return true;
  }
  return false;
}

// A control that lies or breaks off: every spin ends in bounded time with a
// message and without a reading.
TEST_F(CliTest, HostileControlsEndTheSpinWithAMessageAndNoReadings) {
  if (access(kControlSim.c_str(), X_OK) != 0) GTEST_SKIP() << "controlsim not built";
  struct Case {
    const char* scenario;
    const char* caption;
    const char* text;  // start of the message
    const char* error;
    double seconds;  // at most
  };
  const Case cases[] = {
      {"garbage-descriptor", "Attention", "", "no control", 8},
      {"short-descriptor", "Attention", "", "no control", 10},
      {"drop", "ERROR", "USB Communication Error", "USB Communication Error", 10},
      {"random-packets", "ERROR", "The control sends sample data", "the spin did not complete", 15},
      {"late-packets", "ERROR", "The control sends sample data", "the spin did not complete", 15},
      {"frozen-angle", "ATTENTION", "No shaft rotation detected.", "the spin did not complete", 15},
      // Waits out the transfer time limit once.
      {"silent", "ERROR", "USB Communication Error", "USB Communication Error", 25},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.scenario);
    ControlSim server({"--hostile", k.scenario, "--manual-rpm", "500"});
    ASSERT_FALSE(server.address().empty());
    auto start = std::chrono::steady_clock::now();
    CliRun r = RunCli("--folder " + folder_ + " --control tcp:" + server.address() + " spin");
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, k.seconds);
    EXPECT_EQ(r.status, 1) << r.raw;
    ASSERT_TRUE(r.out.is_object()) << r.raw;
    EXPECT_EQ(r.out["error"], k.error) << r.raw;
    EXPECT_TRUE(HasMessage(r.out, k.caption, k.text)) << r.raw;
    EXPECT_EQ(r.out["SpinActive"], 0);
    EXPECT_EQ(r.out["left"]["amount"], 0.0);
    EXPECT_EQ(r.out["right"]["amount"], 0.0);
  }
}

// The same emulator without a fault measures: the scenarios above fail for
// their fault, not for the way the test runs the spin.
TEST_F(CliTest, SpinOverTheWireProtocol) {
  if (access(kControlSim.c_str(), X_OK) != 0) GTEST_SKIP() << "controlsim not built";
  ControlSim server({"--manual-rpm", "500"});
  ASSERT_FALSE(server.address().empty());
  CliRun r = RunCli("--folder " + folder_ + " --control tcp:" + server.address() + " spin");
  EXPECT_EQ(r.status, 0) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["SpinActive"], 1);
  EXPECT_NEAR(r.out["left"]["amount"].get<double>(), 40.0, 2.0);
  EXPECT_NEAR(r.out["right"]["amount"].get<double>(), 25.0, 2.0);
}

}  // namespace
