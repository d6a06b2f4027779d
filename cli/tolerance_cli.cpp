// "tolerance": the tolerance calculator.
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/machine_settings.h"
#include "cli/cli.h"
#include "correction/tolerance.h"
#include "records/number_text.h"

namespace balancer::cli {
namespace {

bool ParseNumber(const std::string& text, double& value) {
  return text.size() <= 40 && ParseFiniteNumber(text, value);
}

int Tolerance(CliContext& ctx) {
  std::string weightText, rpmText, classText;
  bool hasWeight = TakeOption(ctx.args, "--weight", weightText);
  bool hasRpm = TakeOption(ctx.args, "--rpm", rpmText);
  bool hasClass = TakeOption(ctx.args, "--class", classText);
  if (!ctx.args.empty()) {
    ctx.out["error"] = "unexpected argument: " + ctx.args[0];
    return kExitUsage;
  }
  double weight = 0.0, rpm = 0.0;
  if (!hasWeight || !ParseNumber(weightText, weight)) {
    ctx.out["error"] = "--weight needs the shaft weight in pounds";
    return kExitUsage;
  }
  if (!hasRpm || !ParseNumber(rpmText, rpm)) {
    ctx.out["error"] = "--rpm needs the maximum operating rpm";
    return kExitUsage;
  }
  if (!hasClass || (classText != "1" && classText != "2")) {
    ctx.out["error"] = "--class needs 1 or 2";
    return kExitUsage;
  }

  // As the window does it: the class button, then the two entries (each
  // raised to its minimum).
  MachineSettings settings;
  ToleranceCalculator calc;
  SelectToleranceClass(calc, settings, classText == "2" ? 2 : 1);
  EnterShaftWeight(calc, settings, weight);
  EnterMaxOperatingRpm(calc, settings, rpm);

  ctx.out["toleranceMoment"] = settings.toleranceMoment;
  ctx.out["toleranceClass"] = settings.toleranceClass;
  ctx.out["className"] = ToleranceClassName(settings.toleranceClass);
  ctx.out["shaftWeightPounds"] = settings.shaftWeightPounds;
  ctx.out["maxOperatingRpm"] = settings.maxOperatingRpm;
  AddMessages(ctx);
  return kExitOk;
}

}  // namespace

REGISTER_CLI_COMMAND("tolerance", Tolerance, "--weight LB --rpm N --class 1|2");

}  // namespace balancer::cli
