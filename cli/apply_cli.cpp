// "apply": carries out on the simulated shaft the plan of its last spin, as
// a workshop would (small errors per hole or slug), so that the next "spin"
// with the same --control sim:FILE sees the corrected shaft. The shaft is
// kept in FILE.rotor.
#include <chrono>
#include <string>

#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "cli/cli.h"
#include "correction/correction_pass.h"
#include "records/atomic_file.h"
#include "records/settings_startup.h"
#include "records/side_files.h"
#include "sim/rotor_state.h"
#include "sim/sim_transport.h"
#include "sim/workshop_errors.h"

namespace balancer::cli {

nlohmann::json CorrectionsToJson(const CorrectionResult& result);

namespace {

// The machine file of --control sim:FILE, or "" for any other control.
std::string SimMachineFile(const CliContext& ctx) {
  if (ctx.control.rfind("sim:", 0) != 0) return "";
  return ctx.control.substr(4);
}

nlohmann::json MassJson(const sim::PointMass& m) {
  return {{"grams", m.grams}, {"radius", m.radius}, {"angle", m.angle}, {"axial", m.axial}};
}

int Apply(CliContext& ctx) {
  const OperatorSwitches switches = TakeOperatorSwitches(ctx.args);
  if (!ctx.args.empty()) {
    ctx.out["error"] = "unexpected argument: " + ctx.args[0];
    return kExitUsage;
  }
  std::string machineFile = SimMachineFile(ctx);
  if (machineFile.empty()) {
    ctx.out["error"] = "apply needs --control sim:FILE (the simulated shaft is kept beside FILE)";
    return kExitUsage;
  }
  // Loads the shaft file too: a damaged one ends here.
  if (!OpenCliControl(ctx)) return kExitUsage;
  sim::SimulatedControl* control = sim::AsSimulatedControl(ctx.transport.get());
  const std::string path = sim::RotorStatePath(machineFile);
  sim::RotorState rotor;
  std::string error;
  if (control == nullptr || !sim::LoadRotorState(path, rotor, error)) {
    ctx.out["error"] = error.empty() ? "no simulated control" : error;
    return kExitFailed;
  }
  if (!rotor.haveLastSpin) {
    ctx.out["error"] = sim::SpinFirstMessage().text;
    return kExitFailed;
  }

  ProgramFolder folder;
  folder.path = ctx.folder;
  MachineSettings settings;
  StartupSettingsLoad(folder, ctx.link, ctx.ui, settings);
  CorrectionZones zones = ZonesOfPreload(folder, settings);
  CorrectionState state;
  state.readingsPresent = true;
  SetOperatorSwitches(switches, settings, state);
  PlaneReading left = rotor.lastLeft;
  PlaneReading right = rotor.lastRight;
  CorrectionResult result = RunCorrectionPass(left, right, settings, zones, state, &ctx.ui);

  const sim::SimConfig& config = control->Config();
  uint32_t seed = 0;
  if (config.workshopSeed) {
    seed = *config.workshopSeed;
  } else {
    // Picked once per shaft and kept with it, so the run can be repeated.
    if (!rotor.seed) {
      auto now = std::chrono::system_clock::now().time_since_epoch().count();
      rotor.seed = static_cast<uint32_t>(now % 0x7FFFFFFF);
    }
    seed = *rotor.seed;
  }
  std::vector<sim::PointMass> made =
      sim::AsMadeInWorkshop(sim::PlannedMasses(result, state, settings),
                            sim::WorkshopErrorsOf(config), seed, rotor.corrections);
  rotor.added.insert(rotor.added.end(), made.begin(), made.end());
  if (!made.empty()) ++rotor.corrections;
  // One plan, one correction: the next one needs a spin of its own.
  rotor.haveLastSpin = false;
  if (!sim::SaveRotorState(path, rotor, error)) {
    ctx.out["error"] = error;
    return kExitFailed;
  }

  nlohmann::json masses = nlohmann::json::array();
  for (const sim::PointMass& m : made) masses.push_back(MassJson(m));
  ctx.out["applied"] = masses;
  ctx.out["plan"] = CorrectionsToJson(result);
  ctx.out["correctionsCarriedOut"] = rotor.corrections;
  ctx.out["seed"] = seed;
  ctx.out["shaftFile"] = path;
  ctx.out["message"] =
      made.empty() ? sim::NothingToCorrectMessage().text : sim::CorrectedAsShownMessage().text;
  AddMessages(ctx);
  CloseControl(ctx.link);
  return kExitOk;
}

}  // namespace

// After a spin on --control sim:FILE: what the next "apply" carries out.
bool RecordLastSpin(CliContext& ctx, bool completed, const PlaneReading& left,
                    const PlaneReading& right, std::string& error) {
  std::string machineFile = SimMachineFile(ctx);
  if (machineFile.empty()) return true;
  const std::string path = sim::RotorStatePath(machineFile);
  // A failed spin of a shaft nothing was done to leaves no file behind.
  if (!completed && !ReadWholeFile(path)) return true;
  sim::RotorState rotor;
  if (!sim::LoadRotorState(path, rotor, error)) return false;
  rotor.haveLastSpin = completed;
  rotor.lastLeft = completed ? left : PlaneReading();
  rotor.lastRight = completed ? right : PlaneReading();
  return sim::SaveRotorState(path, rotor, error);
}

REGISTER_CLI_COMMAND("apply", Apply, "[--add-left] [--add-right] [--drill-point]");

}  // namespace balancer::cli
