// Commands that talk to the control: "control info" and "config
// check|load|store".
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/cli_settings_bridge.h"
#include "device/control_commands.h"
#include "device/control_config.h"

namespace balancer::cli {
namespace {

bool RejectExtraArgs(CliContext& ctx) {
  if (ctx.args.empty()) return false;
  ctx.out["error"] = "unexpected argument: " + ctx.args[0];
  return true;
}

void AddLinkState(CliContext& ctx) {
  const ControlLink& link = ctx.link;
  ctx.out["connected"] = link.connected == 1;
  ctx.out["FirmwareVersion"] = link.FirmwareVersion;
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", link.FirmwareVersion >> 8,
                link.FirmwareVersion & 0xFF);
  ctx.out["FirmwareVersionText"] = text;
}

nlohmann::json ConfigJson(const ControlConfig& c) {
  return {{"lagCompensationLeft", c.lagCompensationLeft},
          {"lagCompensationRight", c.lagCompensationRight},
          {"calibrationFactorLeft", c.calibrationFactorLeft},
          {"calibrationFactorRight", c.calibrationFactorRight},
          {"sensorType", c.sensorType},
          {"spareValueA", c.spareValueA},
          {"spareValueB", c.spareValueB},
          {"suspension", c.suspension},
          {"encoderCountIndex", c.encoderCountIndex},
          {"encoderDirection", c.encoderDirection}};
}

int ControlInfo(CliContext& ctx) {
  if (RejectExtraArgs(ctx)) return kExitUsage;
  if (!OpenCliControl(ctx)) return kExitUsage;
  ControlLink& link = ctx.link;
  if (!link.connected) ctx.ui.ShowMessage(NoControlMessage());
  const int angle = ReadShaftAngle(link);
  // Request 1 always carries a power; the idle power 0 keeps the motor off.
  const int speed = SetMotorPower(link, link.MotorPower);
  // Read-only here: the option port type as the program would use it,
  // without the rewrite of an unknown type that the configuration check does.
  int optionPortType = 0;
  if (link.connected && HasConfigRecord(link)) {
    optionPortType = ReadEepromBlock(link, kEepromOptionPortAddress)[0];
    if (optionPortType > kLastOptionPortType) optionPortType = kOptionPortNone;
  }
  AddLinkState(ctx);
  ctx.out["angle"] = angle;
  ctx.out["speed"] = speed;
  ctx.out["optionPortType"] = optionPortType;
  ctx.out["RemoteStartFlag"] = link.RemoteStartFlag;
  ctx.out["TransferErrorLatch"] = link.TransferErrorLatch;
  AddMessages(ctx);
  CloseControl(link);
  if (!link.connected) {
    ctx.out["error"] = "no control";
    return kExitFailed;
  }
  if (link.TransferErrorLatch) {
    ctx.out["error"] = "USB Communication Error";
    return kExitFailed;
  }
  return kExitOk;
}

// The start-up part every config command shares: settings, control, and the
// silent comparison that reads the option port type.
bool StartUp(CliContext& ctx, ControlConfig& config, int& status) {
  status = kExitOk;
  if (RejectExtraArgs(ctx)) {
    status = kExitUsage;
    return false;
  }
  std::string source;
  if (!LoadSettingsForCli(ctx, config, source)) {
    ctx.out["error"] = "no settings";
    status = kExitFailed;
    return false;
  }
  ctx.out["source"] = source;
  if (!OpenCliControl(ctx)) {
    status = kExitUsage;
    return false;
  }
  return true;
}

int Finish(CliContext& ctx, int status) {
  AddLinkState(ctx);
  ctx.out["CalibrationMatch"] = ctx.link.CalibrationMatch;
  ctx.out["optionPortType"] = ctx.link.optionPortType;
  AddMessages(ctx);
  if (status != kExitOk && !ctx.out.contains("error")) {
    ctx.out["error"] = ctx.link.connected ? "the operation failed" : "no control";
  }
  CloseControl(ctx.link);
  return status;
}

int ConfigCheck(CliContext& ctx) {
  ControlConfig config;
  int status;
  if (!StartUp(ctx, config, status)) return status;
  ConfigCheckResult r = CheckControlConfig(ctx.link, config, 1);
  ctx.out["firstDifference"] = r.firstDifference;
  ctx.out["storedSilently"] = r.storedSilently;
  // Without a control there is nothing to compare against.
  return Finish(ctx, ctx.link.connected ? kExitOk : kExitFailed);
}

int ConfigLoad(CliContext& ctx) {
  ControlConfig config;
  int status;
  if (!StartUp(ctx, config, status)) return status;
  CheckControlConfig(ctx.link, config, 0);
  if (!LoadControlConfig(ctx.link, config)) {
    ctx.out["loaded"] = false;
    if (ctx.link.connected) ctx.out["error"] = "the control holds no configuration record";
    return Finish(ctx, kExitFailed);
  }
  ctx.out["loaded"] = true;
  ctx.out["ControlConfig"] = ConfigJson(config);
  std::string error;
  bool written = StoreSettingsForCli(ctx, config, error);
  ctx.out["settingsWritten"] = written;
  if (!written) ctx.out["settingsError"] = error;
  return Finish(ctx, kExitOk);
}

int ConfigStore(CliContext& ctx) {
  ControlConfig config;
  int status;
  if (!StartUp(ctx, config, status)) return status;
  CheckControlConfig(ctx.link, config, 0);
  int stored = StoreControlConfig(ctx.link, config, 1);
  ctx.out["stored"] = stored;
  ctx.out["ControlConfig"] = ConfigJson(config);
  return Finish(ctx, stored == 1 ? kExitOk : kExitFailed);
}

}  // namespace

REGISTER_CLI_COMMAND("control info", ControlInfo, "");
REGISTER_CLI_COMMAND("config check", ConfigCheck, "");
REGISTER_CLI_COMMAND("config load", ConfigLoad, "");
REGISTER_CLI_COMMAND("config store", ConfigStore, "");

}  // namespace balancer::cli
