// Native only: the Windows build of the tests has no shell to run it from.
#ifndef _WIN32
#include "support/cli_runner.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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

std::string ControlSimPath() {
  return BALANCER_BINARY_DIR "/sim/controlsim";
}

ControlSim::ControlSim(const std::vector<std::string>& args) {
  const std::string path = ControlSimPath();
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fds[1], 1);
    close(fds[0]);
    close(fds[1]);
    std::vector<char*> argv{const_cast<char*>(path.c_str()), const_cast<char*>("--port"),
                            const_cast<char*>("0")};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(fds[1]);
  fd_ = fds[0];
  std::string line;
  char ch;
  pollfd pfd{fd_, POLLIN, 0};
  while (line.size() < 200 && poll(&pfd, 1, 10000) == 1 && read(fd_, &ch, 1) == 1 && ch != '\n') {
    line += ch;
  }
  const std::string prefix = "listening ";
  if (line.rfind(prefix, 0) == 0) address_ = line.substr(prefix.size());
}

ControlSim::~ControlSim() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (fd_ >= 0) close(fd_);
}

}  // namespace balancer::test
#endif
