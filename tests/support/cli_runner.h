// Runs the built balancer-cli as a script would and reads back its JSON.
// Native builds only (the tests that use it run on the build machine).
#pragma once

#include <nlohmann/json.hpp>
#include <string>

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

}  // namespace balancer::test
