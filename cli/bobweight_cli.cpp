// balancer-cli bobweight FILE.bwi: loads a bobweight card (and the rod and
// piston weights beside it) and computes it with the folder's empty bobweight.
#include <nlohmann/json.hpp>

#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "bobweight/bobweight_card.h"
#include "bobweight/bobweight_files.h"
#include "cli/cli.h"
#include "cli/cli_settings_bridge.h"
#include "records/settings_startup.h"

namespace balancer::cli {

namespace {

nlohmann::json Array(const std::array<double, kRodPistonRows>& values) {
  return nlohmann::json(std::vector<double>(values.begin(), values.end()));
}

int BobweightCommand(CliContext& ctx) {
  if (ctx.args.size() != 1) {
    ctx.out["error"] = "usage: bobweight FILE.bwi";
    return kExitUsage;
  }
  MachineSettings settings;
  LoadFolderSettings(ctx, ctx.ui, settings);

  BobweightCard card;
  RodPistonSet set;
  newJob(card, set, NewJobDefaultsFrom(settings), TodayJobDate());
  std::string bobweightFolder = settings.bobweightFolder;
  const std::string& path = ctx.args[0];
  bool weightsLoaded = false;
  if (!LoadCardFile(path, card, set, bobweightFolder, &weightsLoaded)) {
    ctx.out["error"] = "the bobweight file could not be opened: " + AnsiToUtf8(path);
    AddMessages(ctx);
    return kExitFailed;
  }

  computeBobweight(card);
  double perSide = PerSide(card, settings.emptyBobweight);
  nlohmann::json& out = ctx.out;
  out["rodTotalWeight"] = card.rodTotalWeight;
  out["rodBigEndWeight"] = card.rodBigEndWeight;
  out["rodBearingWeight"] = card.rodBearingWeight;
  out["pistonWeight"] = card.pistonWeight;
  out["pinWeight"] = card.pinWeight;
  out["pinLockWeight"] = card.pinLockWeight;
  out["ringWeight"] = card.ringWeight;
  out["supportRailWeight"] = card.supportRailWeight;
  out["oilWeight"] = card.oilWeight;
  out["reciprocatingPercent"] = card.reciprocatingPercent;
  out["rotatingPercent"] = card.rotatingPercent;
  out["cylindersPerBobweight"] = card.cylindersPerBobweight;
  out["overbalancePercent"] = card.overbalancePercent;
  out["engineName"] = AnsiToUtf8(card.engineName);
  out["jobName"] = AnsiToUtf8(card.jobName);
  out["jobDate"] = AnsiToUtf8(card.jobDate);
  out["jobNotes"] = AnsiToUtf8(card.jobNotes);
  out["externalWeightText"] = AnsiToUtf8(card.externalWeightText);
  out["initialConditionText"] = AnsiToUtf8(card.initialConditionText);
  out["finalConditionText"] = AnsiToUtf8(card.finalConditionText);
  out["initialLeft"] = card.initialLeft;
  out["initialRight"] = card.initialRight;
  out["finalLeft"] = card.finalLeft;
  out["finalRight"] = card.finalRight;
  out["leftRadius"] = card.leftRadius;
  out["rightRadius"] = card.rightRadius;
  out["tolerance"] = card.tolerance;
  out["bobweightTotal"] = card.bobweightTotal;
  out["emptyBobweight"] = settings.emptyBobweight;
  out["perSide"] = perSide;
  out["line"] = PerSideLine(perSide, settings.emptyBobweight);
  out["weightsLoaded"] = weightsLoaded;
  out["rodTotals"] = Array(set.rodTotals);
  out["rodBigEnds"] = Array(set.rodBigEnds);
  out["pistons"] = Array(set.pistons);
  out["pins"] = Array(set.pins);
  out["pinNumbers"] = std::vector<int>(set.pinNumbers.begin(), set.pinNumbers.end());
  AddMessages(ctx);
  return kExitOk;
}

}  // namespace

REGISTER_CLI_COMMAND("bobweight", BobweightCommand, "FILE.bwi");

}  // namespace balancer::cli
