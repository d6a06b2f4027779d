// controlsim: the simulated control box as a wire-protocol server on loopback
// TCP, in real time. One client at a time; after a disconnect the next one is
// accepted. Prints "listening HOST:PORT" once it accepts connections.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/socket_stream.h"
#include "sim/sim_config.h"
#include "sim/simulated_control.h"

namespace {

using balancer::sim::SimConfig;

constexpr int kDefaultPort = 47300;

void PrintUsage(FILE* out) {
  std::fputs(
      "usage: controlsim [options]\n"
      "  --port N              TCP port (default 47300; 0 picks a free one)\n"
      "  --host ADDR           address to listen on (default 127.0.0.1)\n"
      "  --config FILE         machine and rotor description (key = value lines)\n"
      "  --firmware 0xNNNN     firmware version in the descriptor\n"
      "  --log FILE            write every request with its time to FILE\n"
      "  --set KEY=VALUE       any machine-file key (repeatable)\n"
      "  --manual-rpm N        shaft turned externally at N rpm\n"
      "  --unplug-after N      control goes away after N transfers\n"
      "  --unplug-at-ms T      ... or T ms after start\n"
      "  --replug-after-ms T   and comes back T ms later\n"
      "  --fail-requests LIST  these request codes fail (error 31)\n"
      "  --fail-every N        every Nth transfer fails (error 31)\n"
      "  --stall-requests LIST these request codes stall\n"
      "  --stall-every N       every Nth transfer stalls\n"
      "  --stall-ms M          length of a stall\n"
      "  --remote-start-at-ms T  remote-start button pressed at T ms\n",
      out);
}

struct Option {
  const char* flag;
  const char* key;  // machine-file key it sets
};

const Option kOptions[] = {
    {"--firmware", "firmware"},
    {"--manual-rpm", "manual_drive_rpm"},
    {"--unplug-after", "unplug_after_requests"},
    {"--unplug-at-ms", "unplug_at_ms"},
    {"--replug-after-ms", "replug_after_ms"},
    {"--fail-requests", "fail_requests"},
    {"--fail-every", "fail_every"},
    {"--stall-requests", "stall_requests"},
    {"--stall-every", "stall_every"},
    {"--stall-ms", "stall_ms"},
    {"--remote-start-at-ms", "remote_start_at_ms"},
};

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::string host = "127.0.0.1";
  int port = kDefaultPort;
  std::string configPath;
  std::string logPath;
  std::vector<std::string> overrides;

  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintUsage(stdout);
      return 0;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "controlsim: %s needs a value\n", arg.c_str());
      PrintUsage(stderr);
      return 2;
    }
    std::string value = argv[++i];
    if (arg == "--port") {
      char* end = nullptr;
      long p = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || p < 0 || p > 65535) {
        std::fprintf(stderr, "controlsim: bad port '%s'\n", value.c_str());
        return 2;
      }
      port = static_cast<int>(p);
    } else if (arg == "--host") {
      host = value;
    } else if (arg == "--config") {
      configPath = value;
    } else if (arg == "--log") {
      logPath = value;
    } else if (arg == "--set") {
      overrides.push_back(value);
    } else {
      bool known = false;
      for (const Option& o : kOptions) {
        if (arg == o.flag) {
          overrides.push_back(std::string(o.key) + " = " + value);
          known = true;
        }
      }
      if (!known) {
        std::fprintf(stderr, "controlsim: unknown option %s\n", arg.c_str());
        PrintUsage(stderr);
        return 2;
      }
    }
  }

  SimConfig config;
  std::string error;
  if (!balancer::sim::LoadSimConfigFile(config, configPath, error)) {
    std::fprintf(stderr, "controlsim: %s\n", error.c_str());
    return 2;
  }
  for (const std::string& line : overrides) {
    if (!balancer::sim::ApplySimConfigLine(config, line, error)) {
      std::fprintf(stderr, "controlsim: %s\n", error.c_str());
      return 2;
    }
  }
  if (!balancer::sim::ValidateSimConfig(config, error)) {
    std::fprintf(stderr, "controlsim: %s\n", error.c_str());
    return 2;
  }

  FILE* log = nullptr;
  if (!logPath.empty()) {
    log = std::fopen(logPath.c_str(), "w");
    if (!log) {
      std::fprintf(stderr, "controlsim: cannot write log %s\n", logPath.c_str());
      return 2;
    }
  }

  balancer::SteadyClock clock;
  balancer::sim::SimulatedControl control(clock, config);
  if (log) {
    control.SetLogSink([log](const balancer::sim::RequestLogEntry& e) {
      std::fprintf(log, "%.3f ms request %u value %u status %u\n", e.timeUs / 1000.0,
                   static_cast<unsigned>(e.request), static_cast<unsigned>(e.value),
                   static_cast<unsigned>(e.status));
      std::fflush(log);  // a killed server still leaves its trace
    });
  }

  std::unique_ptr<balancer::SocketListener> listener = balancer::ListenTcp(host, port, error);
  if (!listener) {
    std::fprintf(stderr, "controlsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("listening %s:%d\n", host.c_str(), listener->Port());
  std::fflush(stdout);

  for (;;) {
    std::unique_ptr<balancer::SocketStream> client = listener->Accept();
    if (!client) continue;
    uint8_t descriptor[balancer::kDeviceDescriptorSize];
    // While unplugged the connection closes at once: the client finds no control.
    if (!control.ReadDescriptor(descriptor)) continue;
    if (!client->WriteAll(descriptor, sizeof(descriptor))) continue;
    for (;;) {
      uint8_t setup[8];
      if (!client->ReadAll(setup, sizeof(setup), 0)) break;
      uint8_t answer[4 + balancer::kReplySize] = {};
      uint32_t status;
      uint16_t length = static_cast<uint16_t>(setup[6] | setup[7] << 8);
      if (setup[0] != 0xC0 || length != balancer::kReplySize) {
        status = 87;  // ERROR_INVALID_PARAMETER: not a transfer the control takes
      } else {
        uint16_t value = static_cast<uint16_t>(setup[2] | setup[3] << 8);
        status = control.Transfer(setup[1], value, answer + 4);
      }
      if (status != 0) std::memset(answer + 4, 0, balancer::kReplySize);
      answer[0] = static_cast<uint8_t>(status & 0xFF);
      answer[1] = static_cast<uint8_t>((status >> 8) & 0xFF);
      answer[2] = static_cast<uint8_t>((status >> 16) & 0xFF);
      answer[3] = static_cast<uint8_t>((status >> 24) & 0xFF);
      if (!client->WriteAll(answer, sizeof(answer))) break;
      // A removed device takes its connection with it.
      if (status == balancer::kErrorBadCommand) break;
    }
  }
}
