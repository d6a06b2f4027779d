// Native only: the Windows build of the tests has no shell to run it from.
#ifndef _WIN32
#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

namespace balancer::test {

std::string CliPath() {
  return BALANCER_BINARY_DIR "/cli/balancer-cli";
}

bool CliBuilt() {
  return std::filesystem::exists(CliPath());
}

CliRun RunCli(const std::string& arguments) {
  CliRun run;
  std::FILE* pipe = popen((CliPath() + " " + arguments + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.raw.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = nlohmann::json::parse(run.raw, nullptr, false);
  return run;
}

}  // namespace balancer::test
#endif
