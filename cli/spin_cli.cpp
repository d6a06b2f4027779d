// "spin": the start-up load, the sensor map, one spin as the Spin/Acquire
// command runs it, then the correction pass on its readings.
#include <cstdlib>
#include <string>

#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "cli/cli.h"
#include "correction/correction_pass.h"
#include "device/control_commands.h"
#include "device/control_config.h"
#include "measure/sensor_map.h"
#include "measure/spin.h"
#include "records/settings_startup.h"
#include "records/side_files.h"

namespace balancer::cli {

// The corrections as "plan" prints them (plan_cli.cpp).
nlohmann::json CorrectionsToJson(const CorrectionResult& result);
// Keeps the readings with the simulated shaft of --control sim:FILE (apply_cli.cpp).
bool RecordLastSpin(CliContext& ctx, bool completed, const PlaneReading& left,
                    const PlaneReading& right, std::string& error);

namespace {

constexpr const char* kSensorMapFileName = "sensormap.dta";

// Forwards everything to the context's recorder; the operator's key press
// arrives once the given time has passed on the control's clock.
class TimedCancelUi : public OperatorUi {
 public:
  TimedCancelUi(RecordingOperatorUi& inner, Clock& clock, long cancelAfterMs)
      : inner_(inner), clock_(clock), cancelAfterMs_(cancelAfterMs), start_(clock.TickCount()) {}
  void ShowMessage(const OperatorMessage& message) override { inner_.ShowMessage(message); }
  bool MessageWindowOpen() const override { return inner_.MessageWindowOpen(); }
  bool PollCancel() override {
    inner_.PollCancel();
    return cancelAfterMs_ >= 0 && static_cast<long>(clock_.TickCount() - start_) >= cancelAfterMs_;
  }
  void ShowSpinStatus(int code) override { inner_.ShowSpinStatus(code); }
  void DrawSpeedBar(int value) override { inner_.DrawSpeedBar(value); }
  void RequestRepaint(RepaintArea area) override { inner_.RequestRepaint(area); }
  void FocusMainWindow() override { inner_.FocusMainWindow(); }

 private:
  RecordingOperatorUi& inner_;
  Clock& clock_;
  long cancelAfterMs_;
  uint32_t start_;
};

bool ParseMilliseconds(const std::string& text, long& value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  value = std::strtol(text.c_str(), nullptr, 10);
  return true;
}

nlohmann::json ReadingJson(const PlaneReading& r) {
  return {{"amount", r.amount}, {"angle", r.angle}};
}

int Spin(CliContext& ctx) {
  long cancelAfterMs = -1;
  std::string value;
  if (TakeOption(ctx.args, "--cancel-after-ms", value)) {
    if (!ParseMilliseconds(value, cancelAfterMs)) {
      ctx.out["error"] = "--cancel-after-ms needs a number of milliseconds";
      return kExitUsage;
    }
  }
  if (!ctx.args.empty()) {
    ctx.out["error"] = "unexpected argument: " + ctx.args[0];
    return kExitUsage;
  }
  if (!OpenCliControl(ctx)) return kExitUsage;
  ControlLink& link = ctx.link;
  if (!link.connected) ctx.ui.ShowMessage(NoControlMessage());

  ProgramFolder folder;
  folder.path = ctx.folder;
  MachineSettings settings;
  SettingsLoadResult load = StartupSettingsLoad(folder, link, ctx.ui, settings);
  SensorMap map;
  LoadSensorMap(folder.File(kSensorMapFileName), settings.suspension, map, ctx.ui);

  SpinState state;
  SpinOptions options;
  SpinHost host;
  TimedCancelUi ui(ctx.ui, *ctx.clock, cancelAfterMs);
  RunSpin(link, settings, options, map, ui, host, state);

  ctx.out["left"] = ReadingJson(state.left);
  ctx.out["right"] = ReadingJson(state.right);
  ctx.out["AverageSpeed"] = state.AverageSpeed;
  ctx.out["SpinActive"] = state.SpinActive;
  ctx.out["LeftSensorOk"] = state.LeftSensorOk;
  ctx.out["RightSensorOk"] = state.RightSensorOk;
  ctx.out["TransferErrorLatch"] = link.TransferErrorLatch;
  ctx.out["settingsSource"] = load.source;

  // The correction pass on copies: the printed readings stay as measured.
  PlaneReading left = state.left;
  PlaneReading right = state.right;
  CorrectionZones zones = ZonesOfPreload(folder, settings);
  CorrectionState correctionState;
  correctionState.readingsPresent = state.SpinActive == 1;
  CorrectionResult corrections =
      RunCorrectionPass(left, right, settings, zones, correctionState, &ctx.ui);
  ctx.out["corrections"] = CorrectionsToJson(corrections);

  AddMessages(ctx);
  CloseControl(link);
  std::string shaftError;
  if (!RecordLastSpin(ctx, state.SpinActive == 1, state.left, state.right, shaftError)) {
    ctx.out["error"] = shaftError;
    return kExitFailed;
  }
  if (!state.SpinActive) {
    if (state.transferFailed) {
      ctx.out["error"] = "USB Communication Error";
    } else if (!link.connected) {
      ctx.out["error"] = "no control";
    } else {
      ctx.out["error"] = cancelAfterMs >= 0 ? "cancelled" : "the spin did not complete";
    }
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

REGISTER_CLI_COMMAND("spin", Spin, "[--cancel-after-ms N]");

}  // namespace balancer::cli
