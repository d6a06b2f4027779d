// scalesim: a simulated digital scale on a pseudo-terminal. Prints the
// terminal's path on its first line, then answers requests like the chosen
// model until it is stopped (SIGINT/SIGTERM) or --seconds have passed.
//
//   scalesim [--model N] [--grams G] [--unstable N] [--late-ms N] [--no-unit]
//            [--silent] [--link PATH] [--seconds N]
//
// --unstable N: the first N requests get an error reply (-1: all).
// --link PATH: also makes PATH a symlink to the terminal (e.g. a Wine
// prefix's dosdevices/com3), removed again at the end.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/sim_scale.h"

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

volatile sig_atomic_t stopRequested = 0;
void OnSignal(int) {
  stopRequested = 1;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: scalesim [--model N] [--grams G] [--unstable N] [--late-ms N] [--no-unit] [--silent] [--link PATH] [--seconds N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  balancer::SimScaleOptions options;
  std::string link;
  double seconds = -1;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--no-unit") {
      options.withUnit = false;
    } else if (arg == "--silent") {
      options.silent = true;
    } else if (arg == "--model" && hasValue) {
      options.model = std::atoi(argv[++i]);
    } else if (arg == "--grams" && hasValue) {
      options.grams = std::strtod(argv[++i], nullptr);
    } else if (arg == "--unstable" && hasValue) {
      options.unstableReplies = std::atoi(argv[++i]);
    } else if (arg == "--late-ms" && hasValue) {
      options.lateMs = std::atoi(argv[++i]);
    } else if (arg == "--link" && hasValue) {
      link = argv[++i];
    } else if (arg == "--seconds" && hasValue) {
      seconds = std::strtod(argv[++i], nullptr);
    } else {
      return Usage();
    }
  }
  if (options.model < 1 || options.model > 8) return Usage();

  balancer::PtyScale scale(options);
  if (!scale.Start()) {
    std::fprintf(stderr, "scalesim: no pseudo-terminal available\n");
    return 1;
  }
  if (!link.empty()) {
    unlink(link.c_str());
    if (symlink(scale.SlavePath().c_str(), link.c_str()) != 0) {
      std::fprintf(stderr, "scalesim: cannot link %s\n", link.c_str());
      return 1;
    }
  }
  std::printf("%s\n", scale.SlavePath().c_str());
  std::fflush(stdout);

  signal(SIGINT, OnSignal);
  signal(SIGTERM, OnSignal);
  auto start = std::chrono::steady_clock::now();
  while (!stopRequested) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (seconds >= 0 &&
        std::chrono::steady_clock::now() - start >= std::chrono::duration<double>(seconds)) {
      break;
    }
  }
  scale.Stop();
  if (!link.empty()) unlink(link.c_str());
  return 0;
}

#else

int main() {
  std::fprintf(stderr, "scalesim runs on the Linux side; map its terminal to a COM port\n");
  return 1;
}

#endif
