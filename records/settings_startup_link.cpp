// The start-up load against the real control, kept apart so that code which
// only needs the file logic does not pull in the control link.
#include "device/control_config.h"
#include "records/settings_bridge.h"
#include "records/settings_startup.h"

namespace balancer {

SettingsLoadResult StartupSettingsLoad(const ProgramFolder& folder, ControlLink& link,
                                       OperatorUi& ui, MachineSettings& settings) {
  ConfigChecker check = [&link](const MachineSettings& s, int showWarning,
                                bool& disableMainWindow) {
    ConfigCheckResult r = CheckControlConfig(link, ControlConfigFromSettings(s), showWarning);
    if (r.disableMainWindow) disableMainWindow = true;
    return link.CalibrationMatch;
  };
  return StartupSettingsLoad(folder, check, ui, settings);
}

}  // namespace balancer
