// controlsim: the simulated control box as a wire-protocol server on loopback
// TCP, in real time. One client at a time; after a disconnect the next one is
// accepted. Prints "listening HOST:PORT" once it accepts connections.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/socket_stream.h"
#include "device/usb_layout.h"
#include "sim/hostile_control.h"
#include "sim/proving_masses.h"
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
      "  --rotor FILE          masses on the shaft, in the .rotor format; read again\n"
      "                        whenever it changed, so a script can move a test mass\n"
      "  --manual-rpm N        shaft turned externally at N rpm\n"
      "  --unplug-after N      control goes away after N transfers\n"
      "  --unplug-at-ms T      ... or T ms after start\n"
      "  --replug-after-ms T   and comes back T ms later\n"
      "  --fail-requests LIST  these request codes fail (error 31)\n"
      "  --fail-every N        every Nth transfer fails (error 31)\n"
      "  --stall-requests LIST these request codes stall\n"
      "  --stall-every N       every Nth transfer stalls\n"
      "  --stall-ms M          length of a stall\n"
      "  --remote-start-at-ms T  remote-start button pressed at T ms\n"
      "  --hostile SCENARIO    misbehave on the wire (see below)\n"
      "  --hostile-after N     sample reads served normally first (default 0;\n"
      "                        20 for silent and drop)\n"
      "  --hostile-seed N      seed of the random bytes (default 1)\n",
      out);
  std::fprintf(out, "scenarios: %s\n", balancer::sim::HostileScenarioNames().c_str());
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

bool ParseCount(const std::string& text, long& value) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < 0 || v > 1000000000L) return false;
  value = v;
  return true;
}

// The masses a script put in --rotor FILE, looked at every few milliseconds
// so that a change made between two spins is on the shaft for the next one.
void PollRotor(balancer::sim::SimulatedControl& control, balancer::sim::RotorFileWatch* rotor) {
  if (rotor == nullptr) return;
  static auto last = std::chrono::steady_clock::time_point();
  auto now = std::chrono::steady_clock::now();
  if (now - last < std::chrono::milliseconds(5)) return;
  last = now;
  std::string error;
  if (!rotor->Poll(control, error)) {
    std::fprintf(stderr, "controlsim: %s\n", error.c_str());
    std::fflush(stderr);
  }
}

// The well-behaved control: one client until it hangs up.
void Serve(balancer::SocketStream& client, balancer::sim::SimulatedControl& control,
           balancer::sim::RotorFileWatch* rotor) {
  uint8_t descriptor[balancer::kDeviceDescriptorSize];
  // While unplugged the connection closes at once: the client finds no control.
  if (!control.ReadDescriptor(descriptor)) return;
  if (!client.WriteAll(descriptor, sizeof(descriptor))) return;
  for (;;) {
    // Waits as long as the program keeps the link open without a transfer.
    uint8_t bytes[balancer::kSetupPacketSize];
    if (!client.ReadAll(bytes, sizeof(bytes), 0)) return;
    const balancer::SetupPacket setup = balancer::ParseSetupPacket(bytes);
    uint8_t answer[balancer::kWireStatusSize + balancer::kReplySize] = {};
    uint32_t status = 87;  // ERROR_INVALID_PARAMETER: not a transfer the control takes
    PollRotor(control, rotor);
    if (balancer::IsControlTransfer(setup)) {
      status = control.Transfer(setup.request, setup.value, answer + balancer::kWireStatusSize);
    }
    if (status != 0) std::memset(answer + balancer::kWireStatusSize, 0, balancer::kReplySize);
    balancer::BuildWireStatus(status, answer);
    if (!client.WriteAll(answer, sizeof(answer))) return;
    // A removed device takes its connection with it.
    if (status == balancer::kErrorBadCommand) return;
  }
}

// The misbehaving control of --hostile.
void ServeHostile(balancer::SocketStream& client, balancer::sim::HostileControl& hostile) {
  using balancer::sim::HostileAction;
  std::vector<uint8_t> descriptor = hostile.Descriptor();
  if (descriptor.empty()) return;
  if (!client.WriteAll(descriptor.data(), descriptor.size())) return;
  for (;;) {
    uint8_t bytes[balancer::kSetupPacketSize];
    if (!client.ReadAll(bytes, sizeof(bytes), 0)) return;
    const balancer::SetupPacket setup = balancer::ParseSetupPacket(bytes);
    uint8_t answer[balancer::kWireStatusSize + balancer::kReplySize] = {};
    uint32_t status = 87;
    HostileAction action = HostileAction::kAnswer;
    if (balancer::IsControlTransfer(setup)) {
      action =
          hostile.Transfer(setup.request, setup.value, status, answer + balancer::kWireStatusSize);
    }
    if (action == HostileAction::kDrop) return;
    if (action == HostileAction::kNeverAnswer) continue;
    balancer::BuildWireStatus(status, answer);
    if (!client.WriteAll(answer, sizeof(answer))) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::string host = "127.0.0.1";
  int port = kDefaultPort;
  std::string configPath;
  std::string logPath;
  std::string rotorPath;
  std::vector<std::string> overrides;
  bool hostileMode = false;
  balancer::sim::HostileScenario scenario = balancer::sim::HostileScenario::kSilent;
  long hostileAfter = -1;
  long hostileSeed = 1;

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
    } else if (arg == "--rotor") {
      rotorPath = value;
    } else if (arg == "--log") {
      logPath = value;
    } else if (arg == "--set") {
      overrides.push_back(value);
    } else if (arg == "--hostile") {
      if (!balancer::sim::ParseHostileScenario(value, scenario)) {
        std::fprintf(stderr, "controlsim: unknown scenario '%s' (%s)\n", value.c_str(),
                     balancer::sim::HostileScenarioNames().c_str());
        return 2;
      }
      hostileMode = true;
    } else if (arg == "--hostile-after" || arg == "--hostile-seed") {
      long n = 0;
      if (!ParseCount(value, n)) {
        std::fprintf(stderr, "controlsim: bad number '%s' for %s\n", value.c_str(), arg.c_str());
        return 2;
      }
      (arg == "--hostile-after" ? hostileAfter : hostileSeed) = n;
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

  std::unique_ptr<balancer::sim::RotorFileWatch> rotor;
  if (!rotorPath.empty()) {
    rotor = std::make_unique<balancer::sim::RotorFileWatch>(rotorPath);
    if (!rotor->Poll(control, error)) {
      std::fprintf(stderr, "controlsim: %s\n", error.c_str());
      return 2;
    }
  }

  std::unique_ptr<balancer::SocketListener> listener = balancer::ListenTcp(host, port, error);
  if (!listener) {
    std::fprintf(stderr, "controlsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("listening %s:%d\n", host.c_str(), listener->Port());
  std::fflush(stdout);

  using balancer::sim::HostileScenario;
  if (hostileAfter < 0) {
    hostileAfter =
        scenario == HostileScenario::kSilent || scenario == HostileScenario::kDrop ? 20 : 0;
  }
  balancer::sim::HostileControl hostile(control, scenario, hostileAfter,
                                        static_cast<uint32_t>(hostileSeed));
  for (;;) {
    std::unique_ptr<balancer::SocketStream> client = listener->Accept();
    if (!client) continue;
    if (hostileMode) {
      ServeHostile(*client, hostile);
    } else {
      Serve(*client, control, rotor.get());
    }
  }
}
