#include "app/demo_seed.h"

#include <fstream>

#include "base/machine_settings.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"

namespace balancer {

namespace {
bool Exists(const std::string& path) {
  return static_cast<bool>(std::ifstream(path));
}
}  // namespace

bool SeedDemoSettings(const ProgramFolder& folder, OperatorUi* ui) {
  if (Exists(folder.File(kSettingsFileName)) || Exists(folder.File(kSettingsBackupName))) {
    return false;
  }
  MachineSettings settings;
  settings.speedControl = 1;  // Auto: Spin turns the shaft up and measures
  return WriteSettingsFiles(folder, settings, ui);
}

}  // namespace balancer
