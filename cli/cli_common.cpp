#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_registry.h"
#include "device/wire_transport.h"
#include "records/side_files.h"
#include "sim/rotor_state.h"
#include "sim/sim_transport.h"
#ifdef _WIN32
#include "device/win32/win32_clock.h"
#include "device/win32/winusb_transport.h"
#endif

namespace balancer::cli {

namespace {

bool ControlError(CliContext& ctx, const std::string& message) {
  ctx.out["error"] = message;
  return false;
}

}  // namespace

bool OpenCliControl(CliContext& ctx) {
  const std::string& control = ctx.control;
  if (control.empty()) {
    // No --control: no control. Commands then report connected false.
    ctx.clock = std::make_unique<SteadyClock>();
  } else if (control.rfind("tcp:", 0) == 0) {
    std::string host;
    int port = 0;
    if (!ParseWireAddress(control.substr(4), host, port)) {
      return ControlError(ctx, "--control tcp:HOST:PORT needs a host and a port 1-65535");
    }
    ctx.clock = std::make_unique<SteadyClock>();
    ctx.transport = MakeWireTransport(host, port);
  } else if (control == "sim" || control.rfind("sim:", 0) == 0) {
    // "sim" and "sim:" both mean the default machine.
    std::string file = control == "sim" ? std::string() : control.substr(4);
    // Simulated time: delays and spins finish at once.
    auto clock = std::make_unique<VirtualClock>();
    std::string error;
    ctx.transport = sim::MakeSimTransport(*clock, file, error);
    ctx.clock = std::move(clock);
    if (!ctx.transport) {
      return ControlError(ctx, error.empty() ? "the simulated control could not be set up" : error);
    }
    // The shaft as the corrections carried out so far left it ("apply").
    sim::RotorState rotor;
    if (!file.empty() && !sim::LoadRotorState(sim::RotorStatePath(file), rotor, error)) {
      ctx.transport.reset();
      return ControlError(ctx, error);
    }
    for (const sim::PointMass& m : rotor.added)
      sim::AsSimulatedControl(ctx.transport.get())->AddMass(m);
  } else if (control == "usb") {
#ifdef _WIN32
    ctx.clock = std::make_unique<Win32Clock>();
    ctx.transport = std::make_unique<WinUsbTransport>();
#else
    return ControlError(ctx, "--control usb is available on Windows only");
#endif
  } else {
    return ControlError(ctx, "--control must be tcp:HOST:PORT, sim, sim:FILE or usb");
  }

  ctx.link.transport = ctx.transport.get();
  ctx.link.clock = ctx.clock.get();
  ctx.link.ui = &ctx.ui;
  ctx.link.spinActive = &ctx.spinActive;
  ctx.link.connected = 0;
  OpenControl(ctx.link);
  return true;
}

std::string AnsiToUtf8(const std::string& text) {
  // Code page 1252's 0x80-0x9F; the five holes map to the C1 code points, as
  // Windows converts them.
  static const uint16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (unsigned char c : text) {
    uint32_t cp = c < 0x80 ? c : (c < 0xA0 ? kHigh[c - 0x80] : c);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

void AddMessages(CliContext& ctx) {
  nlohmann::json list = nlohmann::json::array();
  for (const OperatorMessage& m : ctx.ui.messages) {
    list.push_back({{"caption", AnsiToUtf8(m.caption)}, {"text", AnsiToUtf8(m.text)}});
  }
  ctx.out["messages"] = std::move(list);
}

std::string FolderPath(const CliContext& ctx, const std::string& name) {
  const std::string& folder = ctx.folder;
  if (folder.empty()) return name;
  char last = folder.back();
  if (last == '/' || last == '\\') return folder + name;
#ifdef _WIN32
  return folder + "\\" + name;
#else
  return folder + "/" + name;
#endif
}

bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    value = i + 1 < args.size() ? args[i + 1] : std::string();
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
               args.begin() + static_cast<std::ptrdiff_t>(std::min(i + 2, args.size())));
    return true;
  }
  return false;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name) {
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return false;
}

std::vector<CliCommand>& CliCommands() {
  static std::vector<CliCommand> commands;
  return commands;
}

CliCommandRegistrar::CliCommandRegistrar(const char* words, CliHandler handler, const char* usage) {
  CliCommands().push_back({words, handler, usage});
}

OperatorSwitches TakeOperatorSwitches(std::vector<std::string>& args) {
  OperatorSwitches switches;
  switches.addLeft = TakeFlag(args, "--add-left");
  switches.addRight = TakeFlag(args, "--add-right");
  switches.drillPoint = TakeFlag(args, "--drill-point");
  return switches;
}

void SetOperatorSwitches(const OperatorSwitches& switches, const MachineSettings& settings,
                         CorrectionState& state) {
  state.add[kLeftSide] = switches.addLeft;
  state.add[kRightSide] = switches.addRight;
  SetDrillPoint(state, settings, switches.drillPoint);
}

CorrectionZones ZonesOfPreload(const ProgramFolder& folder, const MachineSettings& settings) {
  CorrectionZones zones;
  if (auto preload = ReadPreload(folder, settings.rightUprightReversed)) {
    zones.zoneStartLeft = preload->zoneStartLeft;
    zones.zoneEndLeft = preload->zoneEndLeft;
    zones.zoneStartRight = preload->zoneStartRight;
    zones.zoneEndRight = preload->zoneEndRight;
  }
  return zones;
}

}  // namespace balancer::cli
