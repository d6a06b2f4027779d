#include "cli/cli_settings_bridge.h"

#include "records/settings_bridge.h"
#include "records/settings_startup.h"

namespace balancer::cli {

SettingsLoadResult LoadFolderSettings(CliContext& ctx, OperatorUi& ui, MachineSettings& settings) {
  ProgramFolder folder;
  folder.path = ctx.folder;
  ConfigChecker filesOnly = [](const MachineSettings&, int, bool&) { return 1; };
  return StartupSettingsLoad(folder, filesOnly, ui, settings);
}

bool LoadSettingsForCli(CliContext& ctx, ControlConfig& config, std::string& source) {
  MachineSettings settings;
  SettingsLoadResult load = LoadFolderSettings(ctx, ctx.ui, settings);
  config = ControlConfigFromSettings(settings);
  source = load.source;
  return true;
}

bool StoreSettingsForCli(CliContext& ctx, const ControlConfig& config, std::string& error) {
  // The load's own notices were already reported by LoadSettingsForCli.
  RecordingOperatorUi scratch;
  MachineSettings settings;
  LoadFolderSettings(ctx, scratch, settings);
  ApplyControlConfig(settings, config);
  ProgramFolder folder;
  folder.path = ctx.folder;
  if (!WriteSettingsFiles(folder, settings, &ctx.ui)) {
    error = "the settings files could not be written";
    return false;
  }
  return true;
}

}  // namespace balancer::cli
