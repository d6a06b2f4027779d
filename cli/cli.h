// balancer-cli: the headless front end. Every command lives in its own file
// and registers itself with REGISTER_CLI_COMMAND; cli_main.cpp parses the
// global options, finds the command by its words and prints ctx.out as one
// JSON object on stdout.
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "correction/correction_pass.h"
#include "correction/zones.h"
#include "device/clock.h"
#include "device/control_link.h"
#include "device/control_transport.h"

namespace balancer::cli {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct CliContext {
  std::string folder;   // --folder, or the platform's program folder
  std::string control;  // --control: "tcp:HOST:PORT", "sim", "sim:FILE", "usb", or "" (none)
  std::vector<std::string> args;  // what follows the command words
  nlohmann::json out = nlohmann::json::object();
  RecordingOperatorUi ui;

  // Filled by OpenCliControl.
  std::unique_ptr<Clock> clock;
  std::unique_ptr<ControlTransport> transport;
  ControlLink link;
  int spinActive = 0;
};

// Builds the clock and transport that --control names and runs OpenControl.
// Returns false and sets ctx.out["error"] on an unusable --control value.
// A control that is simply not there is not an error: link.connected stays 0.
bool OpenCliControl(CliContext& ctx);

// Copies ctx.ui.messages into ctx.out["messages"] as
// [{"caption": ..., "text": ...}], converting ANSI text to UTF-8.
void AddMessages(CliContext& ctx);

// Windows ANSI (code page 1252) to UTF-8, e.g. the degree sign 0xB0.
std::string AnsiToUtf8(const std::string& text);

// Path of a file in the program folder.
std::string FolderPath(const CliContext& ctx, const std::string& name);

// Finds "--name VALUE" in args; true when present (value may be empty).
bool TakeOption(std::vector<std::string>& args, const std::string& name, std::string& value);
// Finds a bare "--flag" in args.
bool TakeFlag(std::vector<std::string>& args, const std::string& name);

// The main screen's switches a plan is made with: --add-left, --add-right
// (the Add toggles) and --drill-point.
struct OperatorSwitches {
  bool addLeft = false;
  bool addRight = false;
  bool drillPoint = false;
};
OperatorSwitches TakeOperatorSwitches(std::vector<std::string>& args);
void SetOperatorSwitches(const OperatorSwitches& switches, const MachineSettings& settings,
                         CorrectionState& state);

// The correction zones kept in the folder's preload.txt, none without it.
CorrectionZones ZonesOfPreload(const ProgramFolder& folder, const MachineSettings& settings);

using CliHandler = int (*)(CliContext&);

struct CliCommandRegistrar {
  // words: e.g. "control info", "config check", "spin".
  CliCommandRegistrar(const char* words, CliHandler handler, const char* usage);
};

#define REGISTER_CLI_COMMAND_CAT2(a, b) a##b
#define REGISTER_CLI_COMMAND_CAT(a, b) REGISTER_CLI_COMMAND_CAT2(a, b)
#define REGISTER_CLI_COMMAND(words, handler, usage)                                              \
  static ::balancer::cli::CliCommandRegistrar REGISTER_CLI_COMMAND_CAT(cliRegistrar_, __LINE__)( \
      words, handler, usage)

}  // namespace balancer::cli
