// "prove" end to end: balancer-cli driven as a script drives it, reading each
// instruction from stderr and answering with a line on stdin, against the
// in-process simulated machine and against controlsim with a noisy machine
// whose test mass the script moves through controlsim's --rotor file.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/proving_test.h"
#include "records/atomic_file.h"
#include "support/cli_runner.h"

namespace {

using balancer::test::CliRun;
using balancer::test::ControlSim;
using balancer::test::RunCli;

const std::string kControlSim = balancer::test::ControlSimPath();

// balancer-cli with its stdin, stdout and stderr on pipes.
class CliProcess {
 public:
  explicit CliProcess(const std::string& arguments) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(err[1], 2);
      for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
      const std::string command = balancer::test::CliPath() + " " + arguments;
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    in_ = in[1];
    out_ = out[0];
    err_ = err[0];
  }
  ~CliProcess() {
    CloseInput();
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
    if (err_ >= 0) close(err_);
  }

  // The next line on stderr; false at its end or after a minute of silence.
  bool ReadLine(std::string& line) {
    line.clear();
    char ch;
    pollfd pfd{err_, POLLIN, 0};
    while (poll(&pfd, 1, 60000) == 1 && read(err_, &ch, 1) == 1) {
      if (ch == '\n') return true;
      line += ch;
    }
    return false;
  }
  void Answer() {
    if (in_ >= 0) (void)!write(in_, "\n", 1);
  }
  void CloseInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
  }
  // Waits for the end and reads the JSON.
  CliRun Finish() {
    CloseInput();
    CliRun run;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out_, buffer, sizeof buffer)) > 0) run.raw.append(buffer, n);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = nlohmann::json::parse(run.raw, nullptr, false);
    return run;
  }

 private:
  pid_t pid_ = -1;
  int in_ = -1, out_ = -1, err_ = -1;
};

// Answers every instruction (after `act` has done what it says) until the
// program stops asking; returns the instructions seen.
std::vector<std::string> Drive(CliProcess& cli, const std::function<void(const std::string&)>& act,
                               int answers = 1000) {
  std::vector<std::string> seen;
  std::string line;
  while (static_cast<int>(seen.size()) < answers && cli.ReadLine(line)) {
    seen.push_back(line);
    act(line);
    cli.Answer();
  }
  return seen;
}

class ProveCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!balancer::test::CliBuilt()) GTEST_SKIP() << "balancer-cli not built";
    char pattern[] = "/tmp/prove_cli_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    // Settings as at exit, so the start-up load says nothing.
    ASSERT_EQ(RunCli("--folder " + folder_ + " settings --write").status, 0);
    settingsBefore_ = Read("balsetup.dta");
  }
  void TearDown() override {
    if (!folder_.empty()) std::system(("rm -rf " + folder_).c_str());
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = folder_ + "/" + name;
    std::ofstream(path) << text;
    return path;
  }
  std::string Read(const std::string& name) {
    return balancer::ReadWholeFile(folder_ + "/" + name).value_or("");
  }
  std::vector<std::string> ProvingFiles() {
    std::vector<std::string> names;
    for (const std::string& n : balancer::FileNamesIn(folder_)) {
      if (n.rfind("proving-", 0) == 0) names.push_back(n);
    }
    return names;
  }
  std::string SimOptions(const std::string& machine) {
    return "--folder " + folder_ + " --control sim:" + Write("machine.sim", machine) + " ";
  }

  std::string folder_;
  std::string settingsBefore_;
};

std::string MachineFile(const std::string& name) {
  return balancer::ReadWholeFile(BALANCER_SOURCE_DIR "/sim/machines/" + name).value_or("");
}
// The demo's machine, turned from outside.
const std::string kDemoMachine = MachineFile("proving.sim");

TEST_F(ProveCliTest, FullRunOnTheSimulatedMachine) {
  ASSERT_FALSE(kDemoMachine.empty());
  CliProcess cli(SimOptions(kDemoMachine) + "prove --mass 20 --radius 2 --plane left");
  std::vector<std::string> seen = Drive(cli, [](const std::string&) {});
  CliRun r = cli.Finish();
  ASSERT_EQ(seen.size(), 16u);
  EXPECT_EQ(seen[0], "Take the test mass off the shaft, then press Spin");
  EXPECT_EQ(seen[1], "Fit the test mass at 0\u00B0 on the left plane, then press Spin");
  EXPECT_EQ(seen[12], "Fit the test mass at 330\u00B0 on the left plane, then press Spin");
  EXPECT_EQ(seen[14].rfind("Correct the shaft as the program shows", 0), 0u);
  EXPECT_NE(seen[14].find("left: Drill "), std::string::npos) << seen[14];
  EXPECT_EQ(seen[15], "Spin the corrected shaft: press Spin");

  EXPECT_EQ(r.status, 0) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["cancelled"], false);
  ASSERT_EQ(r.out["positions"].size(), 12u);
  EXPECT_EQ(r.out["positions"][4]["massAngle"], 120.0);
  EXPECT_NEAR(r.out["positions"][4]["left"]["amount"].get<double>(), 20.0, 1.0);
  EXPECT_NEAR(r.out["positions"][4]["left"]["angle"].get<double>(), 120.0, 2.0);
  EXPECT_NEAR(r.out["meanAmount"].get<double>(), 20.0, 1.0);
  EXPECT_LT(r.out["spreadPercent"].get<double>(), 6.0);
  EXPECT_LT(r.out["maxAngleError"].get<double>(), 3.5);
  EXPECT_LT(r.out["crosstalkPercent"].get<double>(), 2.5);
  EXPECT_GT(r.out["urr"]["left"].get<double>(), 95.0);
  EXPECT_EQ(r.out["marPassed"], true);
  EXPECT_EQ(r.out["urrPassed"], true);
  EXPECT_EQ(r.out["passed"], true);
  EXPECT_EQ(r.out["setup"]["plane"], "left");
  EXPECT_EQ(r.out["limits"]["angleErrorDegrees"], 6.9);
  EXPECT_TRUE(r.out["messages"].empty()) << r.out["messages"];

  // The result is kept and reads back; the settings and the shaft file are
  // as they were.
  ASSERT_EQ(ProvingFiles().size(), 1u);
  EXPECT_EQ(r.out["file"], ProvingFiles()[0]);
  balancer::ProvingSetup setup;
  balancer::ProvingResult kept;
  std::tm when{};
  ASSERT_TRUE(balancer::ReadProvingReport(Read(ProvingFiles()[0]), setup, kept, when));
  EXPECT_TRUE(kept.passed);
  EXPECT_EQ(kept.positions.size(), 12u);
  EXPECT_NE(Read(ProvingFiles()[0]).find("Firmware: 3.04\n"), std::string::npos);
  EXPECT_EQ(Read("balsetup.dta"), settingsBefore_);
  EXPECT_EQ(Read("machine.sim.rotor"), "");
}

TEST_F(ProveCliTest, EndOfInputCancelsAndLeavesEverythingAsItWas) {
  CliProcess cli(SimOptions(kDemoMachine) + "prove --mass 20 --radius 2 --plane right");
  std::vector<std::string> seen = Drive(
      cli, [](const std::string&) {}, 3);
  CliRun r = cli.Finish();
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(r.status, 1) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["cancelled"], true);
  EXPECT_EQ(r.out["positions"].size(), 2u);
  EXPECT_EQ(r.out["passed"], false);
  EXPECT_FALSE(r.out.contains("file"));
  EXPECT_TRUE(ProvingFiles().empty());
  EXPECT_EQ(Read("balsetup.dta"), settingsBefore_);
  EXPECT_EQ(Read("machine.sim.rotor"), "");
}

TEST_F(ProveCliTest, MachineWithCrosstalkFails) {
  CliProcess cli(SimOptions(MachineFile("proving_crosstalk.sim")) +
                 "prove --mass 20 --radius 2 --plane right --skip-urr");
  std::vector<std::string> seen = Drive(cli, [](const std::string&) {});
  CliRun r = cli.Finish();
  EXPECT_EQ(seen.size(), 13u);
  EXPECT_EQ(r.status, 1) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_NEAR(r.out["crosstalkPercent"].get<double>(), 10.0, 2.0);
  EXPECT_EQ(r.out["marPassed"], false);
  EXPECT_EQ(r.out["passed"], false);
  EXPECT_FALSE(r.out.contains("urr"));
  // A failed machine is kept on file too.
  EXPECT_EQ(ProvingFiles().size(), 1u);
}

// On a balanced shaft a small test mass is inside the tolerance: the plan
// takes nothing away and the operator is told why the reduction fails.
TEST_F(ProveCliTest, KnownUnbalanceInsideTheToleranceIsTold) {
  CliProcess cli(SimOptions(kDemoMachine + "left_unbalance = 0\nright_unbalance = 0\n") +
                 "prove --mass 2 --radius 2 --plane left");
  Drive(cli, [](const std::string&) {});
  CliRun r = cli.Finish();
  EXPECT_EQ(r.status, 1) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  EXPECT_EQ(r.out["marPassed"], true);
  EXPECT_EQ(r.out["urrPassed"], false);
  ASSERT_EQ(r.out["messages"].size(), 1u) << r.out["messages"];
  EXPECT_EQ(r.out["messages"][0]["caption"], "Attention");
  EXPECT_EQ(r.out["messages"][0]["text"].get<std::string>().rfind(
                "The known unbalance is within the balance tolerance", 0),
            0u);
}

TEST_F(ProveCliTest, BadOptionsAreUsageErrors) {
  const std::string base = SimOptions(kDemoMachine) + "prove ";
  for (const char* args :
       {"", "--radius 2 --plane left", "--mass 20 --plane left", "--mass 20 --radius 2",
        "--mass abc --radius 2 --plane left", "--mass nan --radius 2 --plane left",
        "--mass inf --radius 2 --plane left", "--mass 0 --radius 2 --plane left",
        "--mass 10001 --radius 2 --plane left", "--mass 20 --radius 40.5 --plane left",
        "--mass 20 --radius -2 --plane left", "--mass 20 --radius 2 --plane top",
        "--mass 20 --radius 2 --plane left extra", "--mass 20x --radius 2 --plane left"}) {
    SCOPED_TRACE(args);
    CliRun r = RunCli(base + args + " </dev/null");
    EXPECT_EQ(r.status, 2) << r.raw;
    ASSERT_TRUE(r.out.is_object()) << r.raw;
    EXPECT_TRUE(r.out.contains("error"));
  }
  CliRun r = RunCli(base + "--mass 20000 --radius 2 --plane left </dev/null");
  EXPECT_EQ(r.out["error"], "The test mass must be more than 0 and at most 10000 grams.");
  EXPECT_TRUE(ProvingFiles().empty());
}

// The angle of "Fit the test mass at N° on the left plane...", or -1.
double FitAngle(const std::string& line) {
  double angle = -1;
  if (std::sscanf(line.c_str(), "Fit the test mass at %lf", &angle) != 1) return -1;
  return angle;
}

TEST_F(ProveCliTest, NoisyMachineOverTheWireProtocolWithTheScriptMovingTheMass) {
  if (access(kControlSim.c_str(), X_OK) != 0) GTEST_SKIP() << "controlsim not built";
  const std::string machine = BALANCER_SOURCE_DIR "/sim/machines/proving_noisy.sim";
  const std::string rotor = folder_ + "/noisy.rotor";
  ControlSim server({"--config", machine, "--rotor", rotor});
  ASSERT_FALSE(server.address().empty());
  CliProcess cli("--folder " + folder_ + " --control tcp:" + server.address() +
                 " prove --mass 20 --radius 2 --plane left --skip-urr");
  // The test mass at the left correction plane, which the default settings
  // put at the left upright.
  std::vector<std::string> seen = Drive(cli, [&](const std::string& line) {
    double angle = FitAngle(line);
    std::ostringstream text;
    text << "# simulated shaft\n";
    if (angle >= 0) text << "mass = 20, 2, " << angle << ", 0\n";
    text << "end = " << (angle >= 0 ? 1 : 0) << "\n";
    ASSERT_TRUE(balancer::WriteFileAtomically(rotor, text.str()));
  });
  CliRun r = cli.Finish();
  EXPECT_EQ(seen.size(), 13u);
  EXPECT_EQ(r.status, 0) << r.raw;
  ASSERT_TRUE(r.out.is_object()) << r.raw;
  ASSERT_EQ(r.out["positions"].size(), 12u);
  // Real time and noise: the figures move from run to run, inside the limits.
  EXPECT_NEAR(r.out["meanAmount"].get<double>(), 20.0, 1.0);
  EXPECT_LT(r.out["spreadPercent"].get<double>(), balancer::kProvingBandPercent);
  EXPECT_LT(r.out["maxAngleError"].get<double>(), balancer::kProvingAngleErrorDegrees);
  EXPECT_LT(r.out["crosstalkPercent"].get<double>(), balancer::kProvingCrosstalkPercent);
  EXPECT_EQ(r.out["passed"], true);
  RecordProperty("meanAmount", std::to_string(r.out["meanAmount"].get<double>()));
  RecordProperty("spreadPercent", std::to_string(r.out["spreadPercent"].get<double>()));
  RecordProperty("maxAngleError", std::to_string(r.out["maxAngleError"].get<double>()));
  RecordProperty("crosstalkPercent", std::to_string(r.out["crosstalkPercent"].get<double>()));
}

}  // namespace
