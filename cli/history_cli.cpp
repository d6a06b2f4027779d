// balancer-cli history FILE.hst: loads a history file.
#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "records/history.h"

namespace balancer::cli {

namespace {

int HistoryCommand(CliContext& ctx) {
  if (ctx.args.size() != 1) {
    ctx.out["error"] = "usage: history FILE.hst";
    return kExitUsage;
  }
  History history;
  MachineSettings settings;
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
  AddMessages(ctx);
  return kExitOk;
}

}  // namespace

REGISTER_CLI_COMMAND("history", HistoryCommand, "FILE.hst");

}  // namespace balancer::cli
