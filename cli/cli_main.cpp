// balancer-cli entry point: global options, command lookup, one JSON object
// on stdout.
#include <cstddef>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_registry.h"

namespace balancer::cli {
namespace {

#ifdef _WIN32
constexpr const char* kPlatformProgramFolder = "C:\\balancer";
#else
constexpr const char* kPlatformProgramFolder = ".";
#endif

std::vector<std::string> SplitWords(const std::string& words) {
  std::vector<std::string> out;
  std::istringstream in(words);
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

nlohmann::json UsageList() {
  nlohmann::json list = nlohmann::json::array();
  for (const CliCommand& c : CliCommands()) {
    list.push_back(c.usage.empty() ? c.words : c.words + " " + c.usage);
  }
  return list;
}

void Print(const nlohmann::json& out) {
  // Replace rather than throw on text that is not UTF-8.
  std::string text = out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

int UsageError(const std::string& message) {
  nlohmann::json out = nlohmann::json::object();
  out["error"] = message;
  out["usage"] =
      "balancer-cli [--folder DIR] [--control tcp:HOST:PORT|sim|sim:FILE|usb] COMMAND ...";
  out["commands"] = UsageList();
  Print(out);
  return kExitUsage;
}

// Finds the longest registered command whose words start the argument list.
const CliCommand* FindCommand(const std::vector<std::string>& args, size_t& used) {
  const CliCommand* best = nullptr;
  used = 0;
  for (const CliCommand& c : CliCommands()) {
    std::vector<std::string> words = SplitWords(c.words);
    if (words.empty() || words.size() > args.size() || words.size() <= used) continue;
    bool match = true;
    for (size_t i = 0; i < words.size() && match; ++i) match = words[i] == args[i];
    if (match) {
      best = &c;
      used = words.size();
    }
  }
  return best;
}

int Run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  CliContext ctx;
  ctx.folder = kPlatformProgramFolder;

  // Global options may stand anywhere; no command uses these names.
  std::string value;
  while (TakeOption(args, "--folder", value)) {
    if (value.empty()) return UsageError("--folder needs a folder");
    ctx.folder = value;
  }
  while (TakeOption(args, "--control", value)) {
    if (value.empty()) return UsageError("--control needs an address");
    ctx.control = value;
  }
  if (args.empty()) return UsageError("no command given");
  if (args[0] == "help" || args[0] == "--help") {
    nlohmann::json out = nlohmann::json::object();
    out["commands"] = UsageList();
    Print(out);
    return kExitOk;
  }

  size_t used = 0;
  const CliCommand* command = FindCommand(args, used);
  if (command == nullptr) return UsageError("unknown command: " + args[0]);
  ctx.args.assign(args.begin() + static_cast<std::ptrdiff_t>(used), args.end());

  int status = command->handler(ctx);
  if (status == kExitUsage && !ctx.out.contains("usage")) {
    ctx.out["usage"] =
        command->usage.empty() ? command->words : command->words + " " + command->usage;
  }
  if (status != kExitOk && !ctx.out.contains("error")) {
    ctx.out["error"] = status == kExitUsage ? "usage error" : "the operation failed";
  }
  Print(ctx.out);
  return status;
}

}  // namespace
}  // namespace balancer::cli

int main(int argc, char** argv) {
  return balancer::cli::Run(argc, argv);
}
