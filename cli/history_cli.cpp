// balancer-cli history FILE.hst [--csv OUT.csv]: loads a history file and,
// with --csv, writes it as the history window's Save writes a spreadsheet.
#include <nlohmann/json.hpp>

#include "base/program_folder.h"
#include "cli/cli.h"
#include "cli/cli_settings_bridge.h"
#include "records/history.h"
#include "records/history_csv.h"
#include "records/settings_startup.h"

namespace balancer::cli {

namespace {

// The folder's settings give the display units of the spreadsheet.
MachineSettings FolderSettings(CliContext& ctx) {
  MachineSettings settings;
  LoadFolderSettings(ctx, ctx.ui, settings);
  return settings;
}

int HistoryCommand(CliContext& ctx) {
  std::string csvPath;
  const bool csv = TakeOption(ctx.args, "--csv", csvPath);
  if (ctx.args.size() != 1 || (csv && csvPath.empty())) {
    ctx.out["error"] = "usage: history FILE.hst [--csv OUT.csv]";
    return kExitUsage;
  }
  History history;
  MachineSettings settings = csv ? FolderSettings(ctx) : MachineSettings{};
  if (!LoadHistoryFile(ctx.args[0], history, settings, &ctx.ui)) {
    ctx.out["error"] = "the history file could not be opened";
    AddMessages(ctx);
    return kExitFailed;
  }
  nlohmann::json records = nlohmann::json::array();
  for (const HistoryRecord& r : history.records) {
    records.push_back({{"kind", r.kind},
                       {"leftMoment", r.leftMoment},
                       {"leftAngle", r.leftAngle},
                       {"leftRadius", r.leftRadius},
                       {"rightMoment", r.rightMoment},
                       {"rightAngle", r.rightAngle},
                       {"rightRadius", r.rightRadius}});
  }
  ctx.out["historyCount"] = history.historyCount;
  ctx.out["historyName"] = AnsiToUtf8(history.historyName);
  ctx.out["records"] = records;
  if (csv) {
    if (!SaveHistoryCsvFile(csvPath, history, settings, &ctx.ui)) {
      ctx.out["error"] = "the CSV file could not be written: " + AnsiToUtf8(csvPath);
      AddMessages(ctx);
      return kExitFailed;
    }
    ctx.out["csv"] = AnsiToUtf8(csvPath);
  }
  AddMessages(ctx);
  return kExitOk;
}

}  // namespace

REGISTER_CLI_COMMAND("history", HistoryCommand, "FILE.hst [--csv OUT.csv]");

}  // namespace balancer::cli
