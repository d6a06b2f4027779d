// Where the CLI gets the machine's configuration record from and where it
// puts a loaded one: the one place the settings file reaches the CLI.
#pragma once

#include <string>

#include "cli/cli.h"
#include "device/control_config.h"
#include "records/settings_startup.h"

namespace balancer::cli {

// The start-up load of the folder's files, with no control to compare: the
// files are taken as they are (a command with a control compares it itself).
SettingsLoadResult LoadFolderSettings(CliContext& ctx, OperatorUi& ui, MachineSettings& settings);

// The start-up settings load: fills `config` from the folder's settings and
// names where they came from in `source` ("dta", "bak" or "defaults").
// Returns false only when no usable settings (not even defaults) exist.
bool LoadSettingsForCli(CliContext& ctx, ControlConfig& config, std::string& source);

// Copies a record loaded from the control into the settings and writes
// balsetup.dta and balsetup.bak. Returns false with `error` set when nothing
// was written.
bool StoreSettingsForCli(CliContext& ctx, const ControlConfig& config, std::string& error);

}  // namespace balancer::cli
