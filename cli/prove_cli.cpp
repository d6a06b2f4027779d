// "prove": the machine proving test headless. Each step's instruction is one
// line on stderr; a line on stdin says the step is done (the test mass moved,
// the plan carried out), then the shaft is spun as "spin" spins it. With the
// in-process simulated control the program moves the test mass itself, as the
// demo does. The end of stdin cancels: nothing is written then.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "app/proving_test.h"
#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "cli/cli.h"
#include "correction/correction_pass.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "records/atomic_file.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"
#include "sim/proving_masses.h"
#include "sim/sim_transport.h"

namespace balancer::cli {

nlohmann::json CorrectionsToJson(const CorrectionResult& result);

namespace {

constexpr const char* kSensorMapFileName = "sensormap.dta";

// A whole number text, nothing after it, finite.
bool ParseNumber(const std::string& text, double& value) {
  if (text.empty() || text.size() > 32) return false;
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return false;
  value = v;
  return true;
}

nlohmann::json SideJson(double amount, double angle) {
  return {{"amount", amount}, {"angle", angle}};
}

nlohmann::json ResultJson(const ProvingSetup& setup, const ProvingResult& r) {
  nlohmann::json out = nlohmann::json::object();
  out["setup"] = {{"mass", setup.massGrams},
                  {"radius", setup.radiusInches},
                  {"plane", ProvingPlaneName(setup.plane)},
                  {"urr", setup.urr}};
  out["limits"] = {{"bandPercent", kProvingBandPercent},
                   {"angleErrorDegrees", kProvingAngleErrorDegrees},
                   {"crosstalkPercent", kProvingCrosstalkPercent},
                   {"urrPercent", kProvingUrrPercent}};
  nlohmann::json positions = nlohmann::json::array();
  for (const ProvingPositionResult& p : r.positions) {
    positions.push_back({{"massAngle", p.massAngle},
                         {"left", SideJson(p.amount[0], p.angle[0])},
                         {"right", SideJson(p.amount[1], p.angle[1])}});
  }
  out["positions"] = std::move(positions);
  out["meanAmount"] = r.meanAmount;
  out["spreadPercent"] = r.spreadPercent;
  out["maxAngleError"] = r.maxAngleError;
  out["crosstalkPercent"] = r.crosstalkPercent;
  out["marPassed"] = r.marPassed;
  if (r.urrRan) {
    out["urr"] = {{"left", r.urr[0]}, {"right", r.urr[1]}};
    out["urrInitial"] = {{"left", r.urrInitial[0]}, {"right", r.urrInitial[1]}};
    out["urrResidual"] = {{"left", r.urrResidual[0]}, {"right", r.urrResidual[1]}};
  }
  out["urrPassed"] = r.urrPassed;
  out["passed"] = r.passed;
  return out;
}

// The plan the operator carries out for the reduction, as one line.
std::string PlanLine(const CorrectionResult& pass) {
  return "left: " + pass.left.text + "; right: " + pass.right.text;
}

void Finish(CliContext& ctx, const ProvingSetup& setup, const ProvingTest& test, bool cancelled) {
  nlohmann::json result = ResultJson(setup, test.Result());
  for (auto& item : result.items()) ctx.out[item.key()] = item.value();
  ctx.out["cancelled"] = cancelled;
  AddMessages(ctx);
  CloseControl(ctx.link);
}

int Prove(CliContext& ctx) {
  std::string massText, radiusText, planeText;
  const bool haveMass = TakeOption(ctx.args, "--mass", massText);
  const bool haveRadius = TakeOption(ctx.args, "--radius", radiusText);
  const bool havePlane = TakeOption(ctx.args, "--plane", planeText);
  const bool skipUrr = TakeFlag(ctx.args, "--skip-urr");
  if (!ctx.args.empty()) {
    ctx.out["error"] = "unexpected argument: " + ctx.args[0];
    return kExitUsage;
  }
  ProvingSetup setup;
  setup.urr = !skipUrr;
  if (!haveMass || !ParseNumber(massText, setup.massGrams)) {
    ctx.out["error"] = "--mass needs the test mass in grams";
    return kExitUsage;
  }
  if (!haveRadius || !ParseNumber(radiusText, setup.radiusInches)) {
    ctx.out["error"] = "--radius needs the radius of the test mass in inches";
    return kExitUsage;
  }
  auto plane = havePlane ? ProvingPlaneFromName(planeText) : std::nullopt;
  if (!plane) {
    ctx.out["error"] = "--plane must be left or right";
    return kExitUsage;
  }
  setup.plane = *plane;
  if (auto message = CheckProvingSetup(setup)) {
    ctx.out["error"] = message->text;
    return kExitUsage;
  }

  if (!OpenCliControl(ctx)) return kExitUsage;
  ControlLink& link = ctx.link;
  if (!link.connected) {
    ctx.ui.ShowMessage(NoControlMessage());
    AddMessages(ctx);
    ctx.out["error"] = "no control";
    return kExitFailed;
  }
  ProgramFolder folder;
  folder.path = ctx.folder;
  MachineSettings settings;
  StartupSettingsLoad(folder, link, ctx.ui, settings);
  SensorMap map;
  LoadSensorMap(folder.File(kSensorMapFileName), settings.suspension, map, ctx.ui);
  // The proving test is a two-plane test; the settings file is never written.
  if (!settings.twoPlaneMode) SetBalancingMode(settings, 1);
  const CorrectionZones zones = ZonesOfPreload(folder, settings);

  sim::SimulatedControl* simulated = sim::AsSimulatedControl(ctx.transport.get());
  sim::TestMassFitter fitter;
  ProvingTest test(setup);
  CorrectionResult lastPass;
  CorrectionState passState;
  while (!test.Done()) {
    const ProvingStep step = test.Current();
    std::string instruction = test.Instruction();
    if (step.kind == ProvingStepKind::kUrrCorrect) instruction += " (" + PlanLine(lastPass) + ")";
    std::fprintf(stderr, "%s\n", AnsiToUtf8(instruction).c_str());
    std::fflush(stderr);
    std::string line;
    if (!std::getline(std::cin, line)) {
      Finish(ctx, setup, test, true);
      ctx.out["error"] = "cancelled";
      return kExitFailed;
    }
    if (simulated) {
      fitter.PrepareStep(*simulated, settings, MoveFor(setup, step), lastPass, passState);
    }
    if (step.kind == ProvingStepKind::kUrrCorrect) {
      test.Advance();
      continue;
    }
    SpinState state;
    SpinOptions options;
    SpinHost host;
    RunSpin(link, settings, options, map, ctx.ui, host, state);
    if (state.SpinActive != 1) {
      Finish(ctx, setup, test, false);
      ctx.out["error"] =
          state.transferFailed ? "USB Communication Error" : "the spin did not complete";
      return kExitFailed;
    }
    passState = CorrectionState();
    passState.readingsPresent = true;
    PlaneReading left = state.left;
    PlaneReading right = state.right;
    lastPass = RunCorrectionPass(left, right, settings, zones, passState, &ctx.ui);
    if (step.kind == ProvingStepKind::kUrrInitial) {
      ctx.out["urrPlan"] = CorrectionsToJson(lastPass);
      const SideCorrection& testSide =
          setup.plane == ProvingPlane::kLeft ? lastPass.left : lastPass.right;
      if (testSide.inTolerance) ctx.ui.ShowMessage(ProvingKnownUnbalanceTooSmallMessage());
    }
    if (!test.Record(ProvingSideOf(lastPass.left.plane), ProvingSideOf(lastPass.right.plane))) {
      Finish(ctx, setup, test, false);
      ctx.out["error"] = "the spin gave no usable reading";
      return kExitFailed;
    }
  }

  std::time_t now = std::time(nullptr);
  std::tm when{};
  if (std::tm* local = std::localtime(&now)) when = *local;
  const std::string name = ProvingReportFileName(when);
  const std::string text =
      ProvingReportText(setup, test.Result(), when, settings.weightUnit, link.FirmwareVersion);
  const std::string path = folder.File(name);
  const bool written = WriteFileAtomically(path, text);
  if (!written) ctx.ui.ShowMessage(FileWriteErrorMessage(path));
  Finish(ctx, setup, test, false);
  if (!written) {
    ctx.out["error"] = "the result could not be written";
    return kExitFailed;
  }
  ctx.out["file"] = name;
  return test.Result().passed ? kExitOk : kExitFailed;
}

}  // namespace

REGISTER_CLI_COMMAND("prove", Prove,
                     "--mass GRAMS --radius INCHES --plane left|right [--skip-urr]");

}  // namespace balancer::cli
