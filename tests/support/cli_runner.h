// Runs the built balancer-cli as a script would and reads back its JSON.
// Native builds only (the tests that use it run on the build machine).
#pragma once

#include <sys/types.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace balancer::test {

struct CliRun {
  int status = -1;     // the exit status; -1 when it did not exit by itself
  nlohmann::json out;  // stdout parsed; discarded (is_discarded) when not JSON
  std::string raw;     // stdout as printed
};

// The path of balancer-cli in the build the tests belong to.
std::string CliPath();
// True when balancer-cli has been built (tests skip otherwise).
bool CliBuilt();
// Runs `balancer-cli ARGUMENTS` through the shell with stderr discarded;
// blocks until it ends.
CliRun RunCli(const std::string& arguments);

// The path of controlsim in the same build.
std::string ControlSimPath();

// controlsim on a free port with the given options, for one test; stopped
// when this goes. `address()` is empty when it did not start listening.
class ControlSim {
 public:
  explicit ControlSim(const std::vector<std::string>& args);
  ~ControlSim();
  ControlSim(const ControlSim&) = delete;
  ControlSim& operator=(const ControlSim&) = delete;
  const std::string& address() const { return address_; }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  std::string address_;
};

}  // namespace balancer::test
